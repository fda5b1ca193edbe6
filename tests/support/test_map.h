// Maps built directly in the map engine's state, for tests of the code that reads
// the map (people, fires, water, saved game) without going through a file.
#pragma once

#include "fmp/fmp_writer.h"
#include "map/map.h"

#include <vector>

struct test_block {
    int user1 = 0;
    int user2 = 0;
    int user3 = 0;
    int flags = 0;
    int gfx = 0; // background graphic number
};

// Replaces any loaded map by width x height tiles of 64 x 64 pixels, every cell 0,
// with block i of the table being blocks[i] and gfx_count blank tile bitmaps
// (graphic n filled with colour n * 1000). Layer 0 is current.
void test_map_create(int width, int height, const std::vector<test_block> &blocks,
                     int gfx_count = 1);

// Fills the cells of columns c0..c1 and rows r0..r1 (inclusive) with a value.
void test_map_fill(int c0, int r0, int c1, int r1, int value);

// Installs an animation table: the frame list (block numbers) and the records
// (without the marker), then resets the animations.
void test_map_set_anims(const std::vector<int> &frames, const std::vector<map_anim> &anims);

// A mission-sized map: 98 x 120 tiles (seven missions of 14 columns).
constexpr int TEST_MAP_COLS = 98;
constexpr int TEST_MAP_ROWS = 120;

// A playable building as the content of a map file, cols x rows tiles of tile_w x
// tile_h pixels: in every mission's 14 columns, two people on row 101 beside a door
// riding up to the door of row 100, a beacon tile beside that door, a fire on row 90.
enum { TB_FLOOR, TB_FIRE, TB_BURNT, TB_DOOR_UP, TB_DOOR_DOWN, TB_BEACON, TB_PEOPLE, TB_BLOCKS };
fmp::Map test_building(int cols = TEST_MAP_COLS, int rows = TEST_MAP_ROWS, int tile_w = 64,
                       int tile_h = 64);
