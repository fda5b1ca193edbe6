// Private parts of the map engine shared by its source files.
#pragma once

#include "map/map.h"

#include <cstddef>
#include <cstdint>

// Largest map accepted, in cells per layer (2048 x 2048). The game's map has about
// twelve thousand; the cap keeps a run-length layer of a few bytes from claiming
// gigabytes.
constexpr int64_t MAP_MAX_CELLS = int64_t(1) << 22;

// Graphic numbers of each block (background, then the three foregrounds) as read from
// "BKDT", kept until the tile bitmaps exist and the block table can refer to them.
extern int32_t *map_block_gfx_numbers;
// Bytes of raw graphics data in gfx_data before the conversion.
extern size_t gfx_data_size;

// Bytes per pixel of graphics stored at a depth: 1, 2, 3 or 4.
constexpr int map_bytes_per_pixel(int depth) {
    return (depth + 1) / 8;
}

// Whether a cell value refers to a block or animation of the loaded tables; `blocks`
// and `anims` are the table sizes (animation records without the marker).
inline bool map_cell_in_tables(int value, int blocks, int anims) {
    return value >= 0 ? value < blocks : -value <= anims;
}

// Number of animation records, the marker not counted.
inline int map_anim_count() {
    return anim_table ? (int)(anim_table_end - anim_table) - 1 : 0;
}

// Chunk decoding, driven by map_load: begin once, one call per chunk in file order
// (failures land in map_error), then finish, which checks that the decoded parts
// form a whole map whose references all stay inside their tables.
void map_decode_begin();
void map_decode_chunk(const char tag[4], const uint8_t *data, size_t size);
void map_decode_finish();
