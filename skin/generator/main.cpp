// skingen FOLDER: writes the default skin's pictures into FOLDER.
#include "default_skin.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: skingen FOLDER\n");
        return 2;
    }
    std::string error;
    if (!WriteDefaultSkin(argv[1], error)) {
        std::fprintf(stderr, "skingen: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
