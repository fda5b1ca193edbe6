// libFuzzer target for the start-up image checks. Every input is taken as a BMP, a
// TGA and a JPEG file in turn; whatever a check lets through is decoded as the game
// decodes it (the library's reader for BMP and TGA, a padded copy in memory for the
// JPEG add-on), which must neither crash nor read outside what it was given.
// The add-on keeps what it allocated when a decode fails (leaks are not reported,
// see the .options file): a JPEG whose frame is larger than 256 x 256 pixels is only
// checked, so that those leaks stay small over a long run.
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

// The frame size of a JPEG's first frame header, 0 x 0 when there is none.
void jpeg_frame(const uint8_t *d, size_t size, unsigned *w, unsigned *h) {
    *w = *h = 0;
    for (size_t at = 0; at + 8 < size; at++)
        if (d[at] == 0xff && (d[at + 1] == 0xc0 || d[at + 1] == 0xc1)) {
            *h = d[at + 5] << 8 | d[at + 6], *w = d[at + 7] << 8 | d[at + 8];
            return;
        }
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    unsigned w, h;
    jpeg_frame(data, size, &w, &h);
    if (w > 256 || h > 256) (void)asset_jpeg_problem(data, size);
    for (const char *ext : {"bmp", "tga", "jpg"}) {
        if (ext[0] == 'j' && (w > 256 || h > 256)) continue;
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
