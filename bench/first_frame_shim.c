/* Preloaded into the real game by bench/frame to time its start-up: stamps the
 * moment the intro first reaches the screen, writes the milliseconds since the
 * launcher's stamp (FIRST_FRAME_T0_NS, CLOCK_MONOTONIC) to FIRST_FRAME_OUT and ends
 * the process there.
 *
 * The screen loop's first pass shows the back buffer as start-up cleared it, so the
 * intro's first frame is the first blit to the screen from a bitmap that is not all
 * black. */
#include <allegro.h>
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

typedef void (*blit_fn)(BITMAP *, BITMAP *, int, int, int, int, int, int);

static int shows_something(BITMAP *bmp) {
    for (int y = 8; y < bmp->h; y += 48)
        for (int x = 8; x < bmp->w; x += 48)
            if (getpixel(bmp, x, y) != 0) return 1;
    return 0;
}

void blit(BITMAP *source, BITMAP *dest, int source_x, int source_y, int dest_x, int dest_y,
          int width, int height) {
    static blit_fn real_blit;
    if (!real_blit) real_blit = (blit_fn)dlsym(RTLD_NEXT, "blit");
    real_blit(source, dest, source_x, source_y, dest_x, dest_y, width, height);
    if (dest != screen || !shows_something(source)) return;
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    const char *t0 = getenv("FIRST_FRAME_T0_NS"), *out = getenv("FIRST_FRAME_OUT");
    if (!t0 || !out) return;
    long long ns = (long long)now.tv_sec * 1000000000 + now.tv_nsec - atoll(t0);
    FILE *f = fopen(out, "w");
    if (f) {
        fprintf(f, "%.3f\n", ns / 1e6);
        fclose(f);
    }
    _exit(0);
}
