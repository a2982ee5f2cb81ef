// skingen FOLDER: writes the default skin's pictures into FOLDER.
// skingen --skinshell FOLDER: writes the skinned-dialog library's "res"
// folder (its pictures and skin file) into FOLDER.
#include "default_skin.h"
#include "skinshell_skin.h"

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    const bool skinShell = argc == 3 && std::strcmp(argv[1], "--skinshell") == 0;
    if (argc != 2 && !skinShell) {
        std::fprintf(stderr, "usage: skingen FOLDER | skingen --skinshell FOLDER\n");
        return 2;
    }
    std::string error;
    const bool written =
        skinShell ? WriteSkinShellSkin(argv[2], error) : WriteDefaultSkin(argv[1], error);
    if (!written) {
        std::fprintf(stderr, "skingen: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
