// crash_victim DLLPATH: loads crash.dll from DLLPATH and then crashes with an
// access violation, so a test can look for the dump.
#include <windows.h>

#include <cstdio>

int wmain(int argc, wchar_t** argv) {
    if (argc != 2)
        return 2;
    if (LoadLibraryW(argv[1]) == nullptr) {
        std::printf("cannot load crash.dll\n");
        return 3;
    }
    // No error dialogs: the crash should end the process quietly.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    volatile int* nowhere = nullptr;
    *nowhere = 1;
    return 0;
}
