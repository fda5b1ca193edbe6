// assetgen <folder> [family ...]: writes the game's assets, or only the named families,
// into <folder>. The desktop icons ("app-icons") are made only when named: they are
// installed apart from the game's data.
#include "assetgen/assetgen.h"

#include <allegro.h>
#include <cstdio>
#include <cstring>
#include <jpgalleg.h>

namespace {

struct family {
    const char *name;
    bool (*generate)(const std::string &dir);
    bool game_asset; // made when no family is named
};

constexpr family FAMILIES[] = {
    {"backdrop", gen_backdrop, true}, {"helicopter", gen_helicopter, true},
    {"icons", gen_icons, true},       {"font", gen_font, true},
    {"sounds", gen_sounds, true},     {"tunes", gen_tunes, true},
    {"people", gen_people, true},     {"app-icons", gen_app_icons, false},
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
        bool wanted = argc == 2 && f.game_asset;
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
