// The map engine: one FMP map file loaded at a time, its block table, layers,
// animations and tile bitmaps, the queries the game makes, and drawing.
//
// Every array of the engine is allocated with malloc/calloc and released with
// free(); tile bitmaps are memory bitmaps made with create_bitmap and released
// with destroy_bitmap. map_free() releases all of it.
#pragma once

#include <allegro.h>
#include <cstdint>

enum {
    MAP_ERR_NONE = 0,
    MAP_ERR_MEMORY = 1,
    MAP_ERR_BAD_FILE = 2,
    MAP_ERR_OPEN = 3,
    MAP_ERR_NO_SCREEN = 4,
    MAP_ERR_BITMAP = 6,
    MAP_ERR_VERSION = 7
};

constexpr int MAP_LAYER_COUNT = 8;
constexpr int BLOCK_TRANSPARENT = 0x10; // background drawn masked

// One entry of the block table.
struct map_block {
    BITMAP *bg_gfx;  // always a tile bitmap after loading (graphic 0 included)
    BITMAP *fg_gfx1; // nullptr when the file holds 0
    BITMAP *fg_gfx2;
    BITMAP *fg_gfx3;
    int32_t user1;
    int32_t user2;
    int16_t user3;
    int16_t user4;
    uint8_t user5;
    uint8_t user6;
    uint8_t user7;
    uint8_t flags;
};

enum {
    ANIM_NONE = 0,
    ANIM_LOOP_FORWARD = 1,
    ANIM_LOOP_BACKWARD = 2,
    ANIM_ONCE = 3,
    ANIM_ONCE_HOLD = 4,
    ANIM_PINGPONG_UP = 5,
    ANIM_PINGPONG_DOWN = 6,
    ANIM_PINGPONG_DOWN_RETURN = 7,
    ANIM_PINGPONG_UP_RETURN = 8,
    ANIM_ONCE_DONE = 9
};

// One animation record; the table starts with the marker record (type -1).
struct map_anim {
    int8_t type;
    int8_t delay;   // ticks per frame minus one
    int8_t counter; // ticks left before the next advance
    uint8_t user;
    int32_t current; // frame-list index of the frame shown
    int32_t start;   // first frame
    int32_t end;     // one past the last frame
};

// ---- engine state -----------------------------------------------------------
extern int map_error;

// Header values.
extern int16_t map_width, map_height;     // in tiles
extern int16_t block_width, block_height; // tile size in pixels
extern int16_t block_depth;               // bits per pixel of the graphics
extern int16_t block_record_size;
extern int16_t block_count;
extern int16_t gfx_count;
extern int block_step_x, block_step_y;
extern int block_stagger_x, block_stagger_y;
extern int pick_mask_gfx;
extern int map_type;
extern int map_little_endian;

extern uint8_t *colour_map; // 768 bytes: red, green, blue per palette index
extern map_block *map_blocks;
extern int32_t *anim_frames; // block numbers
extern int anim_frame_count;
extern map_anim *anim_table;     // marker first, then the records
extern map_anim *anim_table_end; // just past the last record
extern uint8_t *gfx_data;
extern int gfx_depth;
extern int16_t *map_layers[MAP_LAYER_COUNT];
extern int16_t *map_current_layer;
extern BITMAP **tile_bitmaps; // gfx_count bitmaps, then an empty slot

// ---- loading ----------------------------------------------------------------
// 0 on success, -1 on failure with the reason in map_error.
int map_load(const char *filename);
void map_free();

// ---- queries ----------------------------------------------------------------
// The layer number, or -1 (and no change) for a layer outside 0..7 or absent.
int map_select_layer(int layer);
int map_get_cell(int col, int row);
void map_set_cell(int col, int row, int value);
map_block *map_get_block(int col, int row);
// nullptr for a pixel outside the map.
map_block *map_get_block_at_pixel(int x, int y);
void map_set_cell_at_pixel(int x, int y, int value);
// True when a cell value refers to a block or an animation of the loaded map
// (for readers of files that store raw cells, such as the saved game).
bool map_cell_valid(int value);
// The block a cell value shows now (an animation's current frame); the value must
// be valid.
map_block *map_block_of_cell(int value);

// ---- animation --------------------------------------------------------------
void map_reset_animations();
void map_update_animations();

// ---- drawing ----------------------------------------------------------------
void map_draw_background(BITMAP *dest, int map_x, int map_y, int screen_x, int screen_y, int width,
                         int height);

// ---- internal steps of map_load ----------------------------------------------
int map_convert_graphics();
int map_build_tile_bitmaps();
