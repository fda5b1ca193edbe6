// The people tests' world: known tile kinds, an empty person table, helpers, part tables.
#pragma once

#include "people/person_offsets.h"
#include "shell/game_state.h"
#include "shell/rng.h"
#include "support/headless.h"
#include "support/test_map.h"

#include <cstdio>
#include <gtest/gtest.h>

enum { BLK_FLOOR, BLK_FIRE, BLK_DOOR_UP, BLK_DOOR_DOWN, BLK_OPEN, BLK_BEACON, BLK_OPEN_BEACON };
enum { BLK_DOOR_UP_BEACON = BLK_OPEN_BEACON + 1, BLK_FLOOR_9, BLK_FLOOR_12, BLK_BEACON_9 };

struct PeopleWorld : testing::Test {
    void SetUp() override {
        headless_make_resources();
        set_trans_blender(0, 0, 0, 210); // the blend play draws with (the lit cars use it)
        // user1, user2, user3 of each block, in the order of their names.
        test_map_create(
            TEST_MAP_COLS, TEST_MAP_ROWS,
            {{}, {1}, {2}, {3}, {4}, {0, 0, 1}, {4, 0, 1}, {2, 0, 1}, {0, 9}, {0, 12}, {0, 9, 1}});
        mission = mission_col_offset = loaded_transit_count = score = mouse_b = 0;
        place_people(0); // nobody: clears the counters, the grid and the helicopter
        scroll_y = 5000;
        game_srand(12345);
    }
    void TearDown() override { mouse_b = 0, map_free(); }
    void tile(int c, int r, int block) { map_set_cell(c, r, block); }
    unsigned &word(int c, int r) { return slot_grid[r * 14 + c]; }
    int stand(int c, int r, int k) { // a person in slot k of tile (c, r), unjittered
        person &p = people[people_count] = person{};
        p.slot_col = (uint8_t)(k % 3), p.slot_row = (uint8_t)(k / 3);
        p.x = slot_x(c, k), p.y = slot_y(r, k);
        p.pose = POSE_STAND, p.status = STATUS_IN_SLOT, p.frame_delay = 1;
        word(c, r) |= 1u << k;
        return people_count++;
    }
    // Runs n frames, or fewer when person i reaches the state first; returns how many.
    int frames(int n, int i = 0, int state = -1) {
        int f = 0;
        for (; f < n && people[i].state != state; f++) update_and_draw_people();
        return f;
    }
    static int line(int r) { return 64 * r + 54; } // a row's floor line
    static int slot_x(int c, int k) { return 64 + 64 * c + 21 * (k % 3) + ROW_DX[k / 3]; }
    static int slot_y(int r, int k) { return 64 * r + 61 - 3 * (k / 3); }
    static int slot_of(const person &p) { return p.slot_col + 3 * p.slot_row; }
    static constexpr int ROW_DX[3] = {0, 3, 5};
};

// Part kinds in drawing order: 0 legs, 1 body, 2 face.
inline BITMAP *(*const PART_SPRITES[3])[SPRITE_SLOTS] = {leg_sprites, body_sprites, face_sprites};
inline const int (*const PART_DX[2][3])[SPRITE_SLOTS] = {
    {leg_dx, body_dx, face_dx}, {leg_dx_flipped, body_dx_flipped, face_dx_flipped}};
inline const int (*const PART_DY[3])[SPRITE_SLOTS] = {leg_dy, body_dy, face_dy};

// The file a sprite-table entry is loaded from.
inline std::string slot_file(int kind, int s, int slot) {
    bool walk = slot >= 1 && slot <= 7, borrows = kind == 1 && (s == 5 || s == 6);
    int from = borrows && slot != 0 && slot != 9 ? 4 : s; // walking and boarding as set 4
    char view = walk ? 'r' : slot == 8 ? 'a' : 'f';
    if (slot == 8 && kind == 0) from = 0, view = 'f'; // every set boards on the first legs
    if (slot == 8 && kind == 1 && (from < 2 || from > 4)) view = 'f'; // boards facing front
    char name[32];
    snprintf(name, sizeof name, "%s%d-%c-%d.bmp", kind ? kind == 1 ? "body" : "face" : "leg", from,
             view, walk && kind < 2 ? slot - 1 : 0);
    return name;
}
