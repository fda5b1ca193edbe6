// Queries on the current layer: cells, blocks, and map pixels to tiles.
#include "map/map.h"

static map_block *block_of_cell(int value) {
    if (value >= 0) return &map_blocks[value];
    const map_anim *anim = anim_table_end + value;
    return &map_blocks[anim_frames[anim->current]];
}

int map_select_layer(int layer) {
    if (layer < 0 || layer >= MAP_LAYER_COUNT || !map_layers[layer]) return -1;
    map_current_layer = map_layers[layer];
    return layer;
}

int map_get_cell(int col, int row) { return map_current_layer[row * map_width + col]; }

void map_set_cell(int col, int row, int value) {
    map_current_layer[row * map_width + col] = (int16_t)value;
}

map_block *map_get_block(int col, int row) { return block_of_cell(map_get_cell(col, row)); }

bool map_cell_valid(int value) {
    if (value < -32768 || value > 32767) return false;
    if (value >= 0) return map_blocks && value < block_count;
    if (!anim_table || anim_table_end + value <= anim_table) return false;
    const map_anim *anim = anim_table_end + value;
    if (anim->current < 0 || anim->current >= anim_frame_count) return false;
    int block = anim_frames[anim->current];
    return block >= 0 && block < block_count;
}

// Whether a pixel of a staggered map belongs to the neighbouring staggered tile.
static int pick_offset(int x, int y, bool vertical) {
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
    int pixel = getpixel(mask, x, y);
    int empty = bitmap_color_depth(mask) == 8 ? 0 : makecol(255, 0, 255);
    if (pixel != empty) return 0;
    if (!vertical) return x < block_width / 2 ? -1 : 0;
    return y < block_height / 2 ? -1 : 1;
}

static bool staggered() { return block_stagger_x != 0 || block_stagger_y != 0; }

static int pixel_col(int x, int y) {
    if (staggered()) {
        x += block_stagger_x;
        y += block_stagger_y;
    }
    int col = x / block_step_x;
    if (staggered() && pick_mask_gfx != 0) col += pick_offset(x, y, false);
    if (col < 0) col = 0;
    if (col > map_width - 1) col = map_width - 1;
    return col;
}

static int pixel_row(int x, int y) {
    if (staggered()) {
        x += block_stagger_x;
        y += block_stagger_y;
    }
    int row = y / block_step_y;
    if (staggered() && pick_mask_gfx != 0) row = row * 2 + pick_offset(x, y, true);
    if (row < 0) row = 0;
    if (row > map_height - 1) row = map_height - 1;
    return row;
}

static bool pixel_outside(int x, int y) {
    return x < 0 || y < 0 || x >= map_width * block_width || y >= map_height * block_height;
}

map_block *map_get_block_at_pixel(int x, int y) {
    if (!map_current_layer || pixel_outside(x, y)) return nullptr;
    return map_get_block(pixel_col(x, y), pixel_row(x, y));
}

void map_set_cell_at_pixel(int x, int y, int value) {
    if (!map_current_layer || pixel_outside(x, y)) return;
    map_set_cell(pixel_col(x, y), pixel_row(x, y), value);
}
