// The person table, its counters, the slot grid and the pickup queue.
#include "people/people_internal.h"

person people[MAX_PEOPLE];
int people_count;
int rescued_count;
unsigned int slot_grid[120 * 14];
int pickup_queue[MAX_PEOPLE];
int pickup_count;
int rescue_heli_x, rescue_heli_y;
int loaded_transit_count;

int8_t person_left_col[MAX_PEOPLE];

int column_of_x(int x) {
    return (x - 64) / 64;
}

const map_block *people_tile(int c, int r) {
    return map_get_block(mission_col_offset + c, r);
}

unsigned *slot_word_at(int x, int y) {
    int c = column_of_x(x), r = y / 64;
    if (y < 0 || !in_building(c, r)) return nullptr;
    return &slot_grid[r * BUILDING_COLS + c];
}

bool is_queued(int index) {
    for (int n = 0; n < pickup_count; n++)
        if (pickup_queue[n] == index) return true;
    return false;
}

void queue_for_pickup(int index) {
    // A person called away from a beacon stays queued; queueing it again on its
    // return would rescue it twice.
    if (is_queued(index) || pickup_count >= MAX_PEOPLE) return;
    pickup_queue[pickup_count++] = index;
}
