// A world for the people tests: a mission-sized map of known tile kinds, an empty
// person table, and helpers to stand people in slots and run frames.
#pragma once

#include "people/people.h"
#include "shell/game_state.h"
#include "support/test_map.h"

#include <gtest/gtest.h>

enum {
    BLK_FLOOR,
    BLK_FIRE,
    BLK_DOOR_UP,
    BLK_DOOR_DOWN,
    BLK_OPEN,
    BLK_BEACON,
    BLK_OPEN_BEACON,
    BLK_DOOR_UP_BEACON,
    BLK_FLOOR_9,
    BLK_FLOOR_12,
    BLK_BEACON_3,
    BLK_COUNT
};

struct PeopleWorld : testing::Test {
    void SetUp() override;
    void TearDown() override;
    void tile(int c, int r, int block) { map_set_cell(c, r, block); }
    unsigned &word(int c, int r) { return slot_grid[r * 14 + c]; }
    int stand(int c, int r, int k); // a person in slot k of tile (c, r), unjittered
    void aim_at(int c, int r) {     // fire held with the crosshair on tile (c, r)
        aim_x = 64 + 64 * c + 32;
        aim_y = 64 * r + 32 - scroll_y;
        mouse_b = 1;
    }
    void frames(int n) {
        for (int f = 0; f < n; f++) update_and_draw_people();
    }
    int frames_until(int i, int state, int limit = 5000) {
        int n = 0;
        for (; people[i].state != state && n < limit; n++) update_and_draw_people();
        return n;
    }
};

inline int line(int r) {
    return 64 * r + 54;
}
constexpr int SLOT_ROW_DX[3] = {0, 3, 5};
inline int slot_x(int c, int k) {
    return 64 + 64 * c + 21 * (k % 3) + SLOT_ROW_DX[k / 3];
}
inline int slot_y(int r, int k) {
    return 64 * r + 61 - 3 * (k / 3);
}
inline int slot_of(const person &p) {
    return p.slot_col + 3 * p.slot_row;
}
