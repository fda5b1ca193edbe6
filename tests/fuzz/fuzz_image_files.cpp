// libFuzzer target for the start-up image checks. Every input is taken as a BMP, a
// TGA and a JPEG file in turn; whatever a check lets through is decoded as the game
// decodes it (the library's reader for BMP and TGA, libjpeg from memory for the
// JPEG), which must neither crash nor read outside what it was given, and a refusal
// must say why.
#include "shell/asset_files.h"

#include <allegro.h>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <jpgalleg.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string work_dir; // in /dev/shm

// Small pictures of each kind, as the library and the add-on write them, for a
// fuzzer that starts from nothing.
void write_seeds(const std::string &dir) {
    BITMAP *picture = create_bitmap(24, 16);
    for (int y = 0; y < 16; y++)
        for (int x = 0; x < 24; x++) putpixel(picture, x, y, makecol(x * 10, y * 15, (x ^ y) * 8));
    if (save_bmp((dir + "/seed.bmp").c_str(), picture, nullptr) != 0 ||
        save_tga((dir + "/seed.tga").c_str(), picture, nullptr) != 0)
        abort();
    static char jpeg[65536];
    int size = sizeof jpeg;
    if (save_memory_jpg(jpeg, &size, picture, nullptr) != 0) abort();
    FILE *f = fopen((dir + "/seed.jpg").c_str(), "wb");
    if (!f || fwrite(jpeg, 1, (size_t)size, f) != (size_t)size || fclose(f) != 0) abort();
    destroy_bitmap(picture);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    install_allegro(SYSTEM_NONE, &errno, atexit);
    set_color_depth(16);
    jpgalleg_init();
    work_dir = "/dev/shm/highrise_fuzz_images_" + std::to_string(getpid());
    if (mkdir(work_dir.c_str(), 0700) != 0) abort();
    if (const char *seeds = getenv("FUZZ_SEED_DIR")) write_seeds(seeds);
    atexit([] {
        for (const char *ext : {"bmp", "tga", "jpg"}) remove((work_dir + "/in." + ext).c_str());
        rmdir(work_dir.c_str());
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    for (const char *ext : {"bmp", "tga", "jpg"}) {
        std::string path = work_dir + "/in." + ext, why;
        FILE *f = fopen(path.c_str(), "wb");
        if (!f || fwrite(data, 1, size, f) != size || fclose(f) != 0) abort();
        if (BITMAP *bmp = asset_load_bitmap(path.c_str(), &why)) {
            if (bitmap_color_depth(bmp) != 16 || bmp->w <= 0 || bmp->h <= 0) abort();
            destroy_bitmap(bmp);
        } else if (why.empty()) {
            abort(); // refused without a word
        }
    }
    return 0;
}
