// Helpers shared by the people module's own files: tile kinds as people read them,
// standing slots and the pickup queue. Not for use outside src/people.
#pragma once

#include "people/people.h"

#include "map/map.h"
#include "shell/game_state.h"

// Feet x offset of each slot depth row, front row first.
constexpr int SLOT_ROW_DX[3] = {0, 3, 5};
// Pixels moved by each of the seven walk frames (36 pixels per 28 frames).
constexpr int WALK_STEP[7] = {6, 5, 4, 6, 6, 4, 5};
constexpr int WALK_FRAMES = 7;
constexpr int WALK_FRAME_DELAY = 4;
constexpr int STEP_OFF_SPEED = 6;
constexpr int BOARDING_DX = 23; // boarding point from a door tile's left edge
constexpr int FLOOR_LINE_DY = 54;

// Building tile (c, r) of the current mission; both must be in range.
const map_block *people_tile(int c, int r);
inline bool in_building(int c, int r) {
    return c >= 0 && c < BUILDING_COLS && r >= 0 && r < BUILDING_ROWS;
}

// The slot word of the tile under a map point, or nullptr outside the building.
unsigned *slot_word_at(int x, int y);
inline int slot_number(const person &p) {
    return p.slot_col + 3 * p.slot_row;
}

// Queues a person for the rescue helicopter unless it is queued already.
void queue_for_pickup(int index);
bool is_queued(int index);

// Column of the tile a called person left its slot in, -1 when unknown (cleared at
// every mission start; a resumed person in transit has none).
extern int8_t person_left_col[MAX_PEOPLE];

// Walk step of one person (every frame, before it is drawn).
void person_walk_step(person &p);
