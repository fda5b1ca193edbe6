// Frame pacing in a real window: run under a display (xvfb-run) and it prints the
// frame rate and the spread of frame intervals of the game's present step.
//   xvfb-run -a -s "-screen 0 1280x1024x24" build/bench/bench_pacing [frames]
#include "shell/frame_pacer.h"
#include "shell/game_state.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

int main(int argc, char **argv) {
    int frames = argc > 1 ? atoi(argv[1]) : 600;
    if (allegro_init() != 0) {
        fprintf(stderr, "bench_pacing: no display\n");
        return 1;
    }
    install_timer();
    set_color_depth(16);
    if (set_gfx_mode(GFX_AUTODETECT, SCREEN_WIDTH, SCREEN_HEIGHT, 0, 0) < 0) {
        fprintf(stderr, "bench_pacing: no 1024 x 768 x 16 mode\n");
        return 1;
    }
    back_buffer = create_bitmap(SCREEN_WIDTH, SCREEN_HEIGHT);
    BITMAP *backdrop = create_bitmap(SCREEN_WIDTH, SCREEN_HEIGHT);
    clear_to_color(backdrop, makecol(20, 20, 60));

    std::vector<int64_t> stamps;
    stamps.reserve(frames + 1);
    for (int i = 0; i <= frames; i++) {
        frame_present();
        stamps.push_back(monotonic_now_ns());
        blit(backdrop, back_buffer, 0, 0, 0, 0, SCREEN_WIDTH, SCREEN_HEIGHT);
        rectfill(back_buffer, i % 900, 300, i % 900 + 100, 400, makecol(255, 255, 255));
    }
    std::vector<double> gaps;
    for (size_t i = 1; i < stamps.size(); i++) gaps.push_back((stamps[i] - stamps[i - 1]) / 1e6);
    double total = (stamps.back() - stamps.front()) / 1e9;
    std::vector<double> sorted = gaps;
    std::sort(sorted.begin(), sorted.end());
    printf("frames            %d\n", frames);
    printf("frames per second %.2f\n", frames / total);
    printf("interval ms       mean %.3f  median %.3f  p1 %.3f  p99 %.3f  max %.3f\n",
           total * 1000 / frames, sorted[sorted.size() / 2], sorted[sorted.size() / 100],
           sorted[sorted.size() * 99 / 100], sorted.back());
    // For comparison: the library's own retrace wait.
    int64_t start = monotonic_now_ns();
    for (int i = 0; i < 60; i++) vsync();
    printf("vsync() alone     %.2f calls per second\n", 60 / ((monotonic_now_ns() - start) / 1e9));
    return 0;
}
END_OF_MAIN()
