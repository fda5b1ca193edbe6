// Placing the people at the start of a mission, new or restored from the saved game.
#include "people/people_internal.h"

#include "shell/rng.h"

#include <cstring>

namespace {

constexpr int MAX_TILE_PEOPLE = 9;

// The looks, drawn in the order the saved game's replay of a mission relies on.
void roll_looks(person &p) {
    p.face = (uint8_t)(game_rand() % 10);
    p.body = (uint8_t)(game_rand() % 10);
    p.legs = (uint8_t)(game_rand() % 10);
}

void roll_flips(person &p) {
    p.body_flip = (uint8_t)(game_rand() % 2);
    p.face_flip = (uint8_t)(game_rand() % 2);
    p.legs_flip = (uint8_t)(game_rand() % 2);
}

void stand(person &p) {
    p.state = PERSON_STANDING;
    p.pose = POSE_STAND;
    p.hidden = 0;
    p.status = STATUS_IN_SLOT;
    p.frame = 0;
    p.frame_delay = 1;
}

// A record read back from the saved game indexes the sprite tables, the walk step
// table and the depth layers: keep those fields inside their tables.
void keep_in_range(person &p) {
    p.face %= SPRITE_SETS;
    p.body %= SPRITE_SETS;
    p.legs %= SPRITE_SETS;
    if (p.slot_col > 2) p.slot_col = 2;
    if (p.slot_row > 2) p.slot_row = 2;
    if (p.frame >= WALK_FRAMES) p.frame = 0;
    if (p.pose < POSE_STAND || p.pose > POSE_STEP_OFF) p.pose = POSE_STAND;
}

} // namespace

void place_tile_people(int tile_x, int tile_y, int count) {
    if (count > MAX_TILE_PEOPLE) count = MAX_TILE_PEOPLE;
    int last = -1, room = 9, left = count;
    unsigned &word = slot_grid[(tile_y / 64) * 14 + column_of_x(tile_x)];
    for (int n = 0; n < count && people_count < MAX_PEOPLE; n++) {
        person &p = people[people_count];
        roll_looks(p);
        last = last + 1 + game_rand() % (room - left + 1);
        int k = last;
        p.slot_row = (uint8_t)(k / 3);
        p.slot_col = (uint8_t)(k % 3);
        word |= 1u << k;
        p.x = tile_x + 21 * p.slot_col + SLOT_ROW_DX[p.slot_row] + game_rand() % 3;
        p.y = tile_y + 61 - 3 * p.slot_row - game_rand() % 3;
        stand(p);
        roll_flips(p);
        room = 8 - last;
        left--;
        people_count++;
    }
}

void restore_tile_people(int tile_x, int tile_y, unsigned int mask) {
    mask &= FULL_SLOT_MASK;
    const map_block *block = map_get_block(mission * 14 + column_of_x(tile_x), tile_y / 64);
    bool beacon = tile_is_beacon(block);
    while (mask && people_count < MAX_PEOPLE) {
        int k = 0;
        while (!(mask & (1u << k))) k++;
        mask &= ~(1u << k);
        if (beacon && k >= 3) continue; // one of the beacon's permanently taken slots
        person &p = people[people_count];
        roll_looks(p);
        p.slot_row = (uint8_t)(k / 3);
        p.slot_col = (uint8_t)(k % 3);
        p.x = tile_x + 21 * p.slot_col + SLOT_ROW_DX[p.slot_row] + game_rand() % 3;
        p.y = tile_y + 61 - 3 * p.slot_row;
        if (!beacon) p.y -= game_rand() % 3;
        stand(p);
        roll_flips(p);
        if (beacon) pickup_queue[pickup_count++] = people_count;
        people_count++;
    }
}

void place_people(int restored) {
    int saved_count = people_count;
    pickup_count = 0;
    people_count = 0;
    rescue_heli_x = RESCUE_HELI_PARK_X;
    rescue_heli_y = RESCUE_HELI_PARK_Y;
    memset(person_left_col, -1, sizeof person_left_col);
    if (!restored) {
        rescued_count = 0;
    } else {
        people_count = loaded_transit_count < 0            ? 0
                       : loaded_transit_count > MAX_PEOPLE ? MAX_PEOPLE
                                                           : loaded_transit_count;
        for (int i = 0; i < people_count; i++) keep_in_range(people[i]);
    }
    for (int r = 0; r < BUILDING_ROWS; r++) {
        for (int c = 0; c < BUILDING_COLS; c++) {
            unsigned &word = slot_grid[r * BUILDING_COLS + c];
            int tile_x = BUILDING_SCREEN_X + TILE_SIZE * c, tile_y = TILE_SIZE * r;
            if (restored) {
                restore_tile_people(tile_x, tile_y, word);
                continue;
            }
            const map_block *block = map_get_block(mission_col_offset + c, r);
            word = 0;
            place_tile_people(tile_x, tile_y, block->user2);
            if (tile_is_beacon(block)) word = BEACON_SLOT_MASK;
        }
    }
    if (!restored) return;
    // The entries after the rebuilt people stand for those already rescued: clear
    // them so that nothing steps stale records.
    if (saved_count > MAX_PEOPLE) saved_count = MAX_PEOPLE;
    for (int i = people_count; i < saved_count; i++) {
        person &p = people[i];
        p.state = PERSON_STANDING;
        p.pose = POSE_STAND;
        p.status = STATUS_RESCUED;
        p.frame = 0;
        p.hidden = 0xff;
    }
    // A file holding fewer people than it has slots for still keeps all of them.
    if (saved_count > people_count) people_count = saved_count;
}
