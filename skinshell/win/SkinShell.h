// Everything an application of SkinShell.dll includes.
#pragma once

#include "kui_base_dlg.h"
#include "kui_base_dlg_ex.h"
#include "kui_frame_dialog.h"
#include "skin_shell_app.h"
#include "tool_tips.h"
