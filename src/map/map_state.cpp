// The map engine's state and its release.
#include "map/map_internal.h"

#include <cstdint>
#include <cstdlib>
#include <sys/mman.h>

int map_error = MAP_ERR_NONE;

int16_t map_width, map_height;
int16_t block_width, block_height;
int16_t block_depth;
int16_t block_record_size;
int16_t block_count;
int16_t gfx_count;
int block_step_x, block_step_y;
int block_stagger_x, block_stagger_y;
int pick_mask_gfx;
int map_type;
int map_little_endian;

uint8_t *colour_map;
map_block *map_blocks;
int32_t *anim_frames;
int anim_frame_count;
map_anim *anim_table;
map_anim *anim_table_end;
uint8_t *gfx_data;
size_t gfx_data_size;
int gfx_depth;
int16_t *map_layers[MAP_LAYER_COUNT];
int16_t *map_current_layer;
BITMAP **tile_bitmaps;
int32_t *map_block_gfx_numbers;
RLE_SPRITE **tile_sprites;
int tile_sprite_count;
RLE_SPRITE **map_block_sprites;

void map_free() {
    for (int i = 0; i < MAP_LAYER_COUNT; i++) {
        free(map_layers[i]);
        map_layers[i] = nullptr;
    }
    map_current_layer = nullptr;
    free(colour_map);
    colour_map = nullptr;
    free(gfx_data);
    gfx_data = nullptr;
    gfx_data_size = 0;
    free(map_blocks);
    map_blocks = nullptr;
    free(map_block_gfx_numbers);
    map_block_gfx_numbers = nullptr;
    free(anim_frames);
    anim_frames = nullptr;
    anim_frame_count = 0;
    free(anim_table);
    anim_table = nullptr;
    anim_table_end = nullptr;
    if (tile_sprites) {
        for (int i = 0; i < tile_sprite_count; i++)
            if (tile_sprites[i]) destroy_rle_sprite(tile_sprites[i]);
        free(tile_sprites);
        tile_sprites = nullptr;
        tile_sprite_count = 0;
    }
    free(map_block_sprites);
    map_block_sprites = nullptr;
    if (tile_bitmaps) {
        for (int i = 0; tile_bitmaps[i]; i++) destroy_bitmap(tile_bitmaps[i]);
        free(tile_bitmaps);
        tile_bitmaps = nullptr;
    }
}

void map_prefault(void *start, size_t bytes) {
#ifdef MADV_POPULATE_WRITE
    constexpr uintptr_t PAGE = 4096;
    if (bytes < 64 * PAGE) return; // small buffers fault in cheaply enough
    uintptr_t from = ((uintptr_t)start + PAGE - 1) & ~(PAGE - 1);
    uintptr_t to = ((uintptr_t)start + bytes) & ~(PAGE - 1);
    madvise((void *)from, to - from, MADV_POPULATE_WRITE);
#else
    (void)start;
    (void)bytes;
#endif
}
