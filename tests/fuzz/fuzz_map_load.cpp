// libFuzzer target for the map loader: inputs load for a 16-bit screen (8-bit for one in
// four, by size) and a map that loads is queried, animated and drawn. With FUZZ_SEED_DIR
// set, start-up writes valid maps of every type, byte order, depth and header size there.
#include "fmp/fmp_writer.h"
#include "map/map.h"

#include <cstdlib>
#include <string>
#include <unistd.h>

static BITMAP *screens[2]; // 16 and 8 bits
static std::string input_path;

static void write_seeds(const std::string &dir) {
    const int depths[] = {16, 8, 15, 24, 32}, header_sizes[] = {24, 28, 36, 38};
    for (int i = 0; i < 12; i++) {
        fmp::Map m;
        m.map_type = (uint8_t)(i % 4), m.little_endian = i / 4 % 2 == 0;
        m.width = 5, m.height = 4, m.block_width = m.block_height = 4, m.gfx_count = 3;
        m.block_depth = (int16_t)depths[i % 5], m.header_size = header_sizes[i / 3];
        for (int b = 0; b < 48 * ((m.block_depth + 1) / 8); b++) m.gfx.push_back((uint8_t)(b * 37));
        if (m.block_depth == 8) m.cmap.assign(768, 77);
        if (i >= 9) m.block_step_x = 6, m.block_stagger_x = 2, m.pick_mask_gfx = i == 11;
        if (i == 11) m.agfx.assign(48, 5), m.extra_chunks = {{"NOVC", {'1', '-', '2', 0}}};
        for (int b = 0; b < 4; b++)
            m.blocks.push_back({b % 3, b % 2, 0, 0, b, b, 0, 0, 0, 0, 0, (uint8_t)(b % 2 * 16)});
        m.anim_frames = {0, 1, 2, 3};
        for (int8_t type = 1; type <= 9; type++) m.anims.push_back({type, 1, 0, 0, 0, type % 2, 3});
        m.layers[0] = {0, 0, 0, 1, 2, -1, -2, 3, 3, 3, 1, 2, 1, 2, 1, -9, 0, 0, 0, 0};
        m.layers[2] = m.layers[0];
        if (!fmp::check(m).empty()) abort(); // a seed the loader would refuse
        fmp::write_file(dir + "/seed_" + std::to_string(i) + ".fmp", m);
    }
}

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    install_allegro(SYSTEM_NONE, &errno, atexit);
    set_color_depth(16);
    select_palette(default_palette);
    for (int i = 0; i < 2; i++) screens[i] = create_bitmap_ex(i ? 8 : 16, 160, 120);
    input_path = "/dev/shm/highrise_fuzz_map_" + std::to_string(getpid()) + ".fmp";
    if (const char *dir = getenv("FUZZ_SEED_DIR")) write_seeds(dir);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    FILE *f = fopen(input_path.c_str(), "wb");
    if (!f) return 0;
    fwrite(data, 1, size, f);
    fclose(f);
    BITMAP *canvas = screen = screens[size % 4 == 3];
    int result = map_load(input_path.c_str());
    remove(input_path.c_str());
    if (result != 0 && (map_current_layer || map_blocks || tile_bitmaps || anim_table)) abort();
    const long long w = map_width * block_width, h = map_height * block_height;
    for (int layer = 0; result == 0 && layer < MAP_LAYER_COUNT; layer++) {
        if (map_select_layer(layer) < 0) continue;
        for (int cell = 0; cell < map_width * map_height && cell < 4096; cell++)
            if (map_get_block(cell % map_width, cell / map_width)->bg_gfx->w <= 0) abort();
        for (long long i = 0; i < 64; i++) // pixels along a diagonal, edges included
            map_get_block_at_pixel((int)(w * i / 63 - 1 + i % 3),
                                   (int)(h * (63 - i) / 63 - 1 + i % 2));
        map_draw_background(canvas, 0, 0, 0, 0, canvas->w, canvas->h);
        map_draw_background(canvas, (int)w - 50, (int)h - 30, 20, 10, 100, 90);
        map_draw_background(canvas, -37, -41, -5, 3, 120, 200);
        map_update_animations();
    }
    map_free();
    return 0;
}
