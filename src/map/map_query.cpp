// Queries on the current layer: cells, blocks, and map pixels to tiles. The loader
// has checked every cell, block and frame reference, so lookups follow them freely.
#include "map/map_internal.h"

namespace {

bool staggered() {
    return block_stagger_x != 0 || block_stagger_y != 0;
}

// Whether a pixel of a staggered map belongs to the neighbouring staggered tile:
// -1, 0 or 1 along one axis. Staggers are never negative and the pixel is inside
// the map, so the remainders are never negative either.
int pick_offset(int x, int y, bool vertical) {
    if (!tile_bitmaps) return 0;
    x %= block_step_x;
    y %= block_step_y;
    if (x >= block_width) {
        if (!vertical) return 0;
        return y < block_stagger_y ? -1 : 1;
    }
    if (y >= block_height) {
        if (vertical) return 1;
        return x < block_stagger_x ? -1 : 0;
    }
    BITMAP *mask = tile_bitmaps[pick_mask_gfx];
    if (getpixel(mask, x, y) != bitmap_mask_color(mask)) return 0;
    if (!vertical) return x < block_width / 2 ? -1 : 0;
    return y < block_height / 2 ? -1 : 1;
}

int clamp(int v, int low, int high) {
    return v < low ? low : v > high ? high : v;
}

int pixel_col(int x, int y) {
    if (staggered()) {
        x += block_stagger_x;
        y += block_stagger_y;
    }
    int col = x / block_step_x;
    if (staggered() && pick_mask_gfx != 0) col += pick_offset(x, y, false);
    return clamp(col, 0, map_width - 1);
}

int pixel_row(int x, int y) {
    if (staggered()) {
        x += block_stagger_x;
        y += block_stagger_y;
    }
    int row = y / block_step_y;
    // Staggered maps keep two rows of cells per step.
    if (staggered() && pick_mask_gfx != 0) row = row * 2 + pick_offset(x, y, true);
    return clamp(row, 0, map_height - 1);
}

bool pixel_outside(int x, int y) {
    return x < 0 || y < 0 || x >= map_width * block_width || y >= map_height * block_height;
}

} // namespace

int map_select_layer(int layer) {
    if (layer < 0 || layer >= MAP_LAYER_COUNT || !map_layers[layer]) return -1;
    map_current_layer = map_layers[layer];
    return layer;
}

int map_get_cell(int col, int row) {
    return map_current_layer[row * map_width + col];
}

void map_set_cell(int col, int row, int value) {
    map_current_layer[row * map_width + col] = (int16_t)value;
}

map_block *map_block_of_cell(int value) {
    if (value >= 0) return &map_blocks[value];
    const map_anim *anim = anim_table_end + value;
    return &map_blocks[anim_frames[anim->current]];
}

map_block *map_get_block(int col, int row) {
    return map_block_of_cell(map_get_cell(col, row));
}

bool map_cell_valid(int value) {
    if (value < INT16_MIN || value > INT16_MAX || !map_blocks) return false;
    if (!map_cell_in_tables(value, block_count, map_anim_count())) return false;
    if (value >= 0) return true;
    // Loaded animations always show a frame of the table; tables built by hand may not.
    const map_anim *anim = anim_table_end + value;
    if (anim->current < 0 || anim->current >= anim_frame_count) return false;
    int block = anim_frames[anim->current];
    return block >= 0 && block < block_count;
}

map_block *map_get_block_at_pixel(int x, int y) {
    if (!map_current_layer || pixel_outside(x, y)) return nullptr;
    return map_get_block(pixel_col(x, y), pixel_row(x, y));
}

void map_set_cell_at_pixel(int x, int y, int value) {
    if (!map_current_layer || pixel_outside(x, y)) return;
    map_set_cell(pixel_col(x, y), pixel_row(x, y), value);
}
