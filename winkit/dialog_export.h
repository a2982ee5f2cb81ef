// The window and dialog classes are normally compiled into each module that
// uses them. A DLL whose applications derive their dialogs from its exported
// dialog classes exports these too, so that an application and the DLL share
// one copy (one message table and runtime-class record per class):
//   WINKIT_EXPORT_DIALOGS  defined while compiling that DLL's copy,
//   WINKIT_IMPORT_DIALOGS  defined while compiling its applications.
#pragma once

#if defined(WINKIT_EXPORT_DIALOGS)
#define WINKIT_DIALOG_API __declspec(dllexport)
#elif defined(WINKIT_IMPORT_DIALOGS)
#define WINKIT_DIALOG_API __declspec(dllimport)
#else
#define WINKIT_DIALOG_API
#endif
