// Map engine figures: loading a building-sized map with 100 tile graphics, and
// drawing one frame's view of 14 x 13 tiles into the back buffer.
#include "fmp/fmp_writer.h"
#include "map/map.h"
#include "support/headless.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using clock_type = std::chrono::steady_clock;

double ms_since(clock_type::time_point start) {
    return std::chrono::duration<double, std::milli>(clock_type::now() - start).count();
}

// 100 x 120 tiles of 64 x 64 pixels at 16 bits, 100 graphics, every fourth block
// drawn masked, a few animated cells.
fmp::Map building(int type) {
    fmp::Map m;
    m.map_type = (uint8_t)type;
    m.width = 100;
    m.height = 120;
    m.gfx_count = 100;
    for (int n = 0; n < 100; n++)
        for (int p = 0; p < 64 * 64; p++) {
            bool hole = n % 4 == 3 && (p % 64) < 16;
            fmp::put_pixel16(m.gfx, hole ? 255 : n * 2, hole ? 0 : p % 256, hole ? 255 : 100);
        }
    for (int i = 0; i < 100; i++) {
        fmp::Block b;
        b.bg = i;
        b.user1 = i % 5;
        b.flags = i % 4 == 3 ? BLOCK_TRANSPARENT : 0;
        m.blocks.push_back(b);
    }
    m.anim_frames = {1, 2, 3, 4};
    m.anims = {{ANIM_LOOP_FORWARD, 3, 0, 0, 0, 0, 4}};
    for (int r = 0; r < m.height; r++)
        for (int c = 0; c < m.width; c++)
            m.layers[0].push_back((int16_t)((r * 7 + c / 3) % 37 == 0 ? -1 : (r * 3 + c) % 100));
    return m;
}

void bench_load(int type) {
    std::string path = "/dev/shm/highrise_bench_map_" + std::to_string(getpid()) + ".fmp";
    if (!fmp::write_file(path, building(type))) {
        printf("cannot write %s\n", path.c_str());
        return;
    }
    std::vector<double> times;
    for (int i = 0; i < 20; i++) {
        auto start = clock_type::now();
        if (map_load(path.c_str()) != 0) {
            printf("load failed: error %d\n", map_error);
            break;
        }
        times.push_back(ms_since(start));
    }
    remove(path.c_str());
    if (times.empty()) return;
    std::sort(times.begin(), times.end());
    printf("load 100 x 120 tiles, 100 graphics, map type %d: median %.2f ms, best %.2f ms "
           "(goal < 30 ms)\n",
           type, times[times.size() / 2], times[0]);
}

void bench_draw(BITMAP *back_buffer) {
    const int frames = 3000;
    map_select_layer(0);
    // A scroll position off the tile grid shows 13 rows of 14 tiles.
    for (int warm = 0; warm < 50; warm++) map_draw_background(back_buffer, 0, 100, 64, 0, 896, 768);
    auto start = clock_type::now();
    for (int f = 0; f < frames; f++) {
        map_update_animations();
        map_draw_background(back_buffer, 14 * 64, 100 + (f % 64) * 64, 64, 0, 896, 768);
    }
    double per_frame = ms_since(start) / frames;
    printf("draw 14 x 13 tiles (a quarter masked) per frame: %.3f ms (goal < 0.3 ms)\n", per_frame);
}

} // namespace

int main() {
    headless_init();
    BITMAP *back_buffer = create_bitmap(1024, 768);
    clear_bitmap(back_buffer);
    for (int type : {1, 2, 3}) bench_load(type);
    bench_draw(back_buffer);
    map_free();
    destroy_bitmap(back_buffer);
    return 0;
}
