// libFuzzer target for the map loader: every input is written to a file and loaded;
// a map that loads is then queried, animated and drawn the way the game does.
//
// One input in four (by its size) is loaded for an 8-bit screen, the rest for the
// game's 16-bit one, so that both graphics paths are explored.
//
// With FUZZ_SEED_DIR set, the start-up also writes small valid maps of every shape
// into that folder, for the runner to pass as a seed corpus.
#include "fmp/fmp_writer.h"
#include "map/map.h"

#include <allegro.h>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

BITMAP *screens[2], *canvases[2]; // 16 and 8 bits
BITMAP *canvas;
std::string input_path;

fmp::Map seed_map(int type, bool little, int depth) {
    fmp::Map m;
    m.map_type = (uint8_t)type;
    m.little_endian = little;
    m.width = 5;
    m.height = 4;
    m.block_width = m.block_height = 4;
    m.block_depth = (int16_t)depth;
    m.gfx_count = 3;
    const int bpp = (depth + 1) / 8;
    for (int i = 0; i < 3 * 16 * bpp; i++) m.gfx.push_back((uint8_t)(i * 37 + (i % 5 == 0) * 200));
    if (depth == 8) {
        for (int i = 0; i < 768; i++) m.cmap.push_back((uint8_t)(i * 11));
    }
    for (int i = 0; i < 4; i++) {
        fmp::Block b;
        b.bg = i % 3;
        b.fg1 = (i + 1) % 3;
        b.user1 = i + 1;
        b.user2 = i;
        b.flags = i % 2 ? 0x10 : 0;
        m.blocks.push_back(b);
    }
    m.anim_frames = {0, 1, 2, 3};
    for (int type_value = 1; type_value <= 9; type_value++) {
        fmp::Anim a;
        a.type = (int8_t)type_value;
        a.delay = (int8_t)(type_value % 3);
        a.start = type_value % 2;
        a.end = 4 - type_value % 3;
        m.anims.push_back(a);
    }
    const int16_t cells[] = {0, 0, 0, 1, 2, -1, -2, 3, 3, 3, 1, 2, 1, 2, 1, -9, 0, 0, 0, 0};
    m.layers[0].assign(cells, cells + 20);
    m.layers[2].assign(20, 3);
    return m;
}

void write_seeds(const std::string &dir) {
    std::vector<fmp::Map> maps;
    for (int type = 0; type <= 3; type++)
        for (bool little : {true, false}) maps.push_back(seed_map(type, little, 16));
    for (int depth : {8, 15, 24, 32}) maps.push_back(seed_map(1, true, depth));
    fmp::Map staggered = seed_map(2, true, 16);
    staggered.header_size = 38;
    staggered.block_step_x = 4;
    staggered.block_step_y = 2;
    staggered.block_stagger_x = staggered.block_stagger_y = 2;
    staggered.pick_mask_gfx = 1;
    maps.push_back(staggered);
    fmp::Map extras = seed_map(3, false, 16);
    extras.header_size = 28;
    extras.agfx.assign(48, 5);
    extras.extra_chunks = {{"NOVC", {'1', '-', '2', 0}}, {"ABCD", {1, 2, 3}}};
    maps.push_back(extras);
    for (size_t i = 0; i < maps.size(); i++) {
        std::string problem = fmp::check(maps[i]);
        if (!problem.empty()) fprintf(stderr, "fuzz_map_load: seed %zu: %s\n", i, problem.c_str());
        std::string path = dir + "/seed_" + std::to_string(i) + ".fmp";
        fmp::write_file(path, maps[i]);
        // The same map once more as an Allegro packed file, read through "rp".
        if (i == 0) {
            std::vector<uint8_t> bytes = fmp::write(maps[i]);
            std::string packed = dir + "/seed_packed.fmp";
            if (PACKFILE *f = pack_fopen(packed.c_str(), "wp")) {
                pack_fwrite(bytes.data(), (long)bytes.size(), f);
                pack_fclose(f);
            }
        }
    }
}

// Queries, animation and drawing over the loaded map, as the game would make them.
void exercise_map() {
    const int pixel_w = map_width * block_width, pixel_h = map_height * block_height;
    for (int layer = 0; layer < MAP_LAYER_COUNT; layer++) {
        if (map_select_layer(layer) < 0) continue;
        int cells = 0;
        for (int row = 0; row < map_height && cells < 4096; row++)
            for (int col = 0; col < map_width && cells < 4096; col++, cells++) {
                const map_block *b = map_get_block(col, row);
                if (b->user1 == 12345 && b->bg_gfx->w == 0) abort();
            }
        for (int i = 0; i < 64; i++) {
            int x = (int)((long long)pixel_w * i / 63) - 1 + i % 3;
            int y = (int)((long long)pixel_h * (63 - i) / 63) - 1 + i % 2;
            if (const map_block *b = map_get_block_at_pixel(x, y)) (void)b->user2;
        }
        map_draw_background(canvas, 0, 0, 0, 0, canvas->w, canvas->h);
        map_draw_background(canvas, pixel_w - 50, pixel_h - 30, 20, 10, 100, 90);
        map_draw_background(canvas, -37, -41, -5, 3, 120, 200);
    }
    for (int tick = 0; tick < 5; tick++) {
        map_update_animations();
        map_select_layer(0);
        map_draw_background(canvas, 3, 5, 10, 10, 60, 60);
    }
    map_reset_animations();
    map_set_cell_at_pixel(pixel_w / 2, pixel_h / 2, 0);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    install_allegro(SYSTEM_NONE, &errno, atexit);
    set_color_depth(16);
    select_palette(default_palette);
    for (int i = 0; i < 2; i++) {
        screens[i] = create_bitmap_ex(i ? 8 : 16, 64, 64);
        canvases[i] = create_bitmap_ex(i ? 8 : 16, 160, 120);
    }
    screen = screens[0];
    input_path = "/dev/shm/highrise_fuzz_map_" + std::to_string(getpid()) + ".fmp";
    if (const char *dir = getenv("FUZZ_SEED_DIR")) write_seeds(dir);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    FILE *f = fopen(input_path.c_str(), "wb");
    if (!f) return 0;
    fwrite(data, 1, size, f);
    fclose(f);
    screen = screens[size % 4 == 3];
    canvas = canvases[size % 4 == 3];
    if (map_load(input_path.c_str()) == 0) {
        if (map_error != MAP_ERR_NONE) abort();
        exercise_map();
    } else if (map_current_layer || map_blocks || tile_bitmaps || anim_table) {
        abort(); // a failed load must leave no map behind
    }
    map_free();
    remove(input_path.c_str());
    return 0;
}
