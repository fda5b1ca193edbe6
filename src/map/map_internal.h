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

// Masked drawing without the per-pixel test of masked_blit: tile n's pixels as a run-
// length sprite when it has mask-colour pixels (nullptr when it has none, where a plain
// blit draws the same), and for each block the sprite of its background. Both tables
// exist only for loaded maps; without them drawing falls back to masked_blit.
extern RLE_SPRITE **tile_sprites;
extern int tile_sprite_count;
extern RLE_SPRITE **map_block_sprites;

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
// For the graphics chunk, the bulk of a map: true when the engine has kept the
// malloc'ed buffer itself as gfx_data (the caller must then forget it), false when
// the chunk is to go through map_decode_chunk as any other.
bool map_decode_keep_gfx(const char tag[4], uint8_t *data, size_t size);
void map_decode_finish();

// Has the system map the whole pages of a large fresh buffer at once (contents are
// kept; where the system cannot, nothing happens). Touched one by one, fresh pages
// cost a page fault each, about 10 us on a virtual machine: a map's megabytes of
// graphics would then take longer to fault in than to load.
void map_prefault(void *start, size_t bytes);
