// Helpers shared by the map engine's tests: map files from the writer or from raw
// bytes, a screen of another depth, and a comparable picture of the engine state.
#pragma once

#include "fmp/fmp_writer.h"
#include "map/map.h"

#include <cstdio>
#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>
#include <vector>

using bytes = std::vector<uint8_t>;

inline bytes operator+(bytes a, const bytes &b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

inline std::string map_test_path() {
    return testing::TempDir() + "highrise_map_test_" + std::to_string(getpid()) + ".fmp";
}

// Writes the bytes to a scratch file and loads it.
inline int load_bytes(const bytes &file) {
    std::string path = map_test_path();
    FILE *f = fopen(path.c_str(), "wb");
    if (!f) return -2;
    fwrite(file.data(), 1, file.size(), f);
    fclose(f);
    int result = map_load(path.c_str());
    remove(path.c_str());
    return result;
}

inline int load_map(const fmp::Map &m) {
    return load_bytes(fmp::write(m));
}

inline void put_be32(bytes &b, uint32_t v) {
    for (int s = 24; s >= 0; s -= 8) b.push_back((uint8_t)(v >> s));
}

inline bytes chunk_bytes(const char *tag, const bytes &data) {
    bytes b(tag, tag + 4);
    put_be32(b, (uint32_t)data.size());
    b.insert(b.end(), data.begin(), data.end());
    return b;
}

// "FORM", the length, "FMAP", then the chunks as given.
inline bytes form_bytes(const bytes &chunks) {
    bytes b = {'F', 'O', 'R', 'M'};
    put_be32(b, (uint32_t)chunks.size() + 4);
    b.insert(b.end(), {'F', 'M', 'A', 'P'});
    b.insert(b.end(), chunks.begin(), chunks.end());
    return b;
}

inline bytes le16s(std::initializer_list<int> values) {
    bytes b;
    for (int v : values) {
        b.push_back((uint8_t)v);
        b.push_back((uint8_t)((unsigned)v >> 8));
    }
    return b;
}

// A valid little map: width x height tiles of 4 x 4 pixels at 16 bits, graphic n
// filled with the colour (8n, 4n, 8n), block i showing graphic i % gfx with
// user1 = i, cells counting through the blocks.
inline fmp::Map small_map(int width = 3, int height = 2, int gfx = 3, int blocks = 4) {
    fmp::Map m;
    m.width = (int16_t)width;
    m.height = (int16_t)height;
    m.block_width = m.block_height = 4;
    m.gfx_count = (int16_t)gfx;
    for (int n = 0; n < gfx; n++)
        for (int p = 0; p < 16; p++) fmp::put_pixel16(m.gfx, 8 * n, 4 * n, 8 * n);
    for (int i = 0; i < blocks; i++) {
        fmp::Block b;
        b.bg = i % gfx;
        b.user1 = i;
        m.blocks.push_back(b);
    }
    for (int c = 0; c < width * height; c++) m.layers[0].push_back((int16_t)(c % blocks));
    return m;
}

// True when nothing of a map is held by the engine.
inline bool map_unloaded() {
    bool layers = false;
    for (int16_t *layer : map_layers) layers = layers || layer;
    return !layers && !map_current_layer && !map_blocks && !anim_frames && !anim_table &&
           !gfx_data && !colour_map && !tile_bitmaps;
}

// While alive, `screen` is a small memory bitmap of another depth and new bitmaps
// and colours use that depth (a default palette on 8 bits).
struct screen_of_depth {
    BITMAP *saved;
    explicit screen_of_depth(int depth) : saved(screen) {
        set_color_depth(depth);
        if (depth == 8) select_palette(default_palette);
        screen = create_bitmap_ex(depth, 32, 32);
    }
    ~screen_of_depth() {
        map_free();
        destroy_bitmap(screen);
        screen = saved;
        unselect_palette();
        set_color_depth(16);
    }
    screen_of_depth(const screen_of_depth &) = delete;
    screen_of_depth &operator=(const screen_of_depth &) = delete;
};

// Everything a load decides, with bitmap references as table slots and tile bitmaps
// as their pixels, so that two loads can be compared with ==.
struct map_picture {
    std::vector<int> values;
    std::vector<std::vector<int>> layers;
    bool operator==(const map_picture &o) const { return values == o.values && layers == o.layers; }
};

inline int tile_slot(BITMAP *bmp) {
    if (!bmp) return -1;
    for (int i = 0; tile_bitmaps[i]; i++)
        if (tile_bitmaps[i] == bmp) return i;
    return -2;
}

inline map_picture picture_of_map() {
    map_picture p;
    auto add = [&](std::initializer_list<int> v) { p.values.insert(p.values.end(), v); };
    add({map_width, map_height, block_width, block_height, block_depth, block_count, gfx_count,
         block_step_x, block_step_y, block_stagger_x, block_stagger_y, pick_mask_gfx});
    for (int i = 0; i < block_count; i++) {
        const map_block &b = map_blocks[i];
        add({tile_slot(b.bg_gfx), tile_slot(b.fg_gfx1), tile_slot(b.fg_gfx2), tile_slot(b.fg_gfx3),
             b.user1, b.user2, b.user3, b.user4, b.user5, b.user6, b.user7, b.flags});
    }
    for (int i = 0; i < anim_frame_count; i++) add({anim_frames[i]});
    for (const map_anim *a = anim_table; a && a < anim_table_end; a++)
        add({a->type, a->delay, a->counter, a->current, a->start, a->end});
    for (int n = 0; tile_bitmaps && tile_bitmaps[n]; n++)
        for (int y = 0; y < tile_bitmaps[n]->h; y++)
            for (int x = 0; x < tile_bitmaps[n]->w; x++) add({getpixel(tile_bitmaps[n], x, y)});
    for (int16_t *layer : map_layers)
        p.layers.push_back(layer ? std::vector<int>(layer, layer + map_width * map_height)
                                 : std::vector<int>());
    return p;
}

// Every test of the engine starts and ends with no map loaded.
class MapTest : public testing::Test {
  protected:
    void SetUp() override { map_free(); }
    void TearDown() override { map_free(); }
};
