// assetgen <folder> [family ...]: writes the game's assets into <folder>.
#include "assetgen/assetgen.h"

#include <allegro.h>
#include <cstdio>
#include <cstring>
#include <jpgalleg.h>

namespace {

struct family {
    const char *name;
    bool (*generate)(const std::string &dir);
};

constexpr family FAMILIES[] = {
    {"backdrop", gen_backdrop}, {"helicopter", gen_helicopter}, {"icons", gen_icons},
    {"font", gen_font},         {"sounds", gen_sounds},         {"tunes", gen_tunes},
    {"people", gen_people},
};

} // namespace

int main(int argc, char **argv) {
    if (argc < 2) {
        fprintf(stderr, "usage: assetgen <folder> [family ...]\n");
        return 2;
    }
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) {
        fprintf(stderr, "assetgen: cannot start Allegro\n");
        return 1;
    }
    set_color_depth(16);
    jpgalleg_init();
    std::string dir = argv[1];
    for (const family &f : FAMILIES) {
        bool wanted = argc == 2;
        for (int i = 2; i < argc; i++) wanted = wanted || strcmp(argv[i], f.name) == 0;
        if (!wanted) continue;
        if (!f.generate(dir)) {
            fprintf(stderr, "assetgen: generating the %s failed\n", f.name);
            return 1;
        }
    }
    return 0;
}
END_OF_MAIN()
