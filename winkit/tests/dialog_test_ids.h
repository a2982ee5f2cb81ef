#pragma once

#define IDD_THICK_FRAME 100
#define IDD_CHILD_PANEL 101
