// A small world for the people tests: a mission-sized map of known tile kinds, an
// empty person table, and helpers to stand people in slots and run frames.
#pragma once

#include "people/people.h"
#include "shell/game_state.h"
#include "support/test_map.h"

#include <gtest/gtest.h>

// Block numbers of the test map's block table.
enum {
    BLK_FLOOR = 0,
    BLK_FIRE = 1,
    BLK_DOOR_UP = 2,
    BLK_DOOR_DOWN = 3,
    BLK_OPEN = 4,
    BLK_BEACON = 5,
    BLK_OPEN_BEACON = 6,
    BLK_DOOR_UP_BEACON = 7,
    BLK_FLOOR_1 = 8, // user2 1
    BLK_FLOOR_9 = 9, // user2 9
    BLK_FLOOR_12 = 10,
    BLK_BEACON_3 = 11, // beacon tile with user2 3
    BLK_FLOOR_NEG = 12 // user2 -1
};

struct PeopleWorld : testing::Test {
    void SetUp() override;
    void TearDown() override;

    // Building tile (c, r) of mission 0.
    void tile(int c, int r, int block);
    // Stands a new person in slot k of tile (c, r) without jitter; returns its index.
    int stand(int c, int r, int k);
    // Fills the free slots of a tile's word.
    void fill(int c, int r) { slot_grid[r * 14 + c] = FULL_SLOT_MASK; }
    unsigned &word(int c, int r) { return slot_grid[r * 14 + c]; }

    // Holds the fire button with the crosshair on tile (c, r); scroll_y stays.
    void aim_at(int c, int r);
    void release_fire();
    void frames(int n) {
        for (int f = 0; f < n; f++) update_and_draw_people();
    }
    // Frames until a person's state becomes `state`, at most `limit`; the count run.
    int frames_until_state(int i, int state, int limit = 5000);
};

// Feet position of slot k of tile (c, r) without jitter.
int slot_x(int c, int k);
int slot_y(int r, int k);
inline int slot_number_of(const person &p) {
    return p.slot_col + 3 * p.slot_row;
}
