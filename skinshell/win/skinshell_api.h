// SkinShell.dll exports its classes whole; an application that includes its
// headers imports them, together with the window and dialog classes they
// derive from (one copy of those, in the DLL).
#pragma once

#if defined(SKINSHELL_BUILD)
#define SKINSHELL_API __declspec(dllexport)
#else
#define SKINSHELL_API __declspec(dllimport)
#if !defined(WINKIT_IMPORT_DIALOGS)
#define WINKIT_IMPORT_DIALOGS
#endif
#endif
