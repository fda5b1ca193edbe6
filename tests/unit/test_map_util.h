// Map engine test helpers: map files, a screen of another depth, comparable state.
#pragma once

#include "fmp/fmp_writer.h"
#include "map/map.h"

#include <algorithm>
#include <cstdio>
#include <gtest/gtest.h>
#include <unistd.h>

using bytes = std::vector<uint8_t>;
using ints = std::vector<int>;

inline int load_bytes(const bytes &file) {
    std::string path = testing::TempDir() + "highrise_map_" + std::to_string(getpid()) + ".fmp";
    FILE *f = fopen(path.c_str(), "wb");
    fwrite(file.data(), 1, file.size(), f);
    fclose(f);
    int result = map_load(path.c_str());
    remove(path.c_str());
    return result;
}

inline int load_map(const fmp::Map &m) {
    return load_bytes(fmp::write(m));
}

inline bytes le16s(std::initializer_list<int> values) {
    bytes b;
    for (int v : values) b.push_back((uint8_t)v), b.push_back((uint8_t)(v >> 8));
    return b;
}

// "FORM", its length, "FMAP" and the chunks, each with its big-endian length.
inline bytes form_of(const std::vector<fmp::Chunk> &chunks) {
    bytes f = {'F', 'O', 'R', 'M', 0, 0, 0, 0, 'F', 'M', 'A', 'P'};
    for (const fmp::Chunk &c : chunks) {
        f.insert(f.end(), c.tag.begin(), c.tag.end());
        for (int s = 24; s >= 0; s -= 8) f.push_back((uint8_t)(c.data.size() >> s));
        f.insert(f.end(), c.data.begin(), c.data.end());
    }
    for (int i = 0; i < 4; i++) f[4 + i] = (uint8_t)((f.size() - 8) >> (24 - 8 * i));
    return f;
}

// width x height tiles of 4 x 4 pixels at 16 bits: graphic n filled with (8n, 4n, 8n),
// block i showing graphic i % gfx with user1 = i, the cells counting through the blocks.
inline fmp::Map small_map(int width = 3, int height = 2, int gfx = 3, int blocks = 4) {
    fmp::Map m;
    m.width = (int16_t)width, m.height = (int16_t)height, m.gfx_count = (int16_t)gfx;
    m.block_width = m.block_height = 4;
    for (int p = 0; p < 16 * gfx; p++) fmp::put_pixel16(m.gfx, p / 16 * 8, p / 16 * 4, p / 16 * 8);
    for (int i = 0; i < blocks; i++) m.blocks.push_back({i % gfx, 0, 0, 0, i});
    for (int c = 0; c < width * height; c++) m.layers[0].push_back((int16_t)(c % blocks));
    return m;
}

inline bool map_unloaded() {
    return std::none_of(map_layers, map_layers + MAP_LAYER_COUNT, [](int16_t *l) { return l; }) &&
           !map_current_layer && !map_blocks && !anim_frames && !anim_table && !gfx_data &&
           !colour_map && !tile_bitmaps;
}

// A memory `screen` of the depth, and new bitmaps too; 16 puts the test screen back.
inline void use_screen_depth(int depth) {
    static BITMAP *const original = screen;
    map_free();
    if (screen != original) destroy_bitmap(screen);
    set_color_depth(depth);
    select_palette(default_palette);
    screen = depth == 16 ? original : create_bitmap_ex(depth, 32, 32);
}

// The slot of a tile bitmap in the table; none is the empty slot after the last.
inline int tile_slot(BITMAP *bmp) {
    return (int)(std::find(tile_bitmaps, tile_bitmaps + gfx_count + 1, bmp) - tile_bitmaps);
}

// Everything a load decides: header, blocks, frames, animations, tile pixels, layers.
inline ints map_state() {
    ints s = {map_width,    map_height,      block_width,     block_height,
              block_depth,  block_count,     gfx_count,       block_step_x,
              block_step_y, block_stagger_x, block_stagger_y, pick_mask_gfx};
    for (const map_block *b = map_blocks; b && b < map_blocks + block_count; b++)
        s.insert(s.end(), {tile_slot(b->bg_gfx), tile_slot(b->fg_gfx1), tile_slot(b->fg_gfx2),
                           tile_slot(b->fg_gfx3), b->user1, b->user2, b->user3, b->user4, b->user5,
                           b->user6, b->user7, b->flags});
    s.insert(s.end(), anim_frames, anim_frames + anim_frame_count);
    for (const map_anim *a = anim_table; a && a < anim_table_end; a++)
        s.insert(s.end(), {a->type, a->delay, a->counter, a->current, a->start, a->end});
    for (int n = 0; tile_bitmaps && tile_bitmaps[n]; n++)
        for (int p = 0; p < block_width * block_height; p++)
            s.push_back(getpixel(tile_bitmaps[n], p % block_width, p / block_width));
    for (int16_t *layer : map_layers) {
        s.push_back(layer ? 1 + (layer == map_current_layer) : 0);
        if (layer) s.insert(s.end(), layer, layer + map_width * map_height);
    }
    return s;
}

// Every test of the engine starts with no map loaded and ends on the test screen.
struct MapTest : testing::Test {
    void SetUp() override { map_free(); }
    void TearDown() override { use_screen_depth(16); }
};
