// The person table and its counters (placement to be written).
#include "people/people.h"

person people[MAX_PEOPLE];
int people_count;
int rescued_count;
unsigned int slot_grid[120 * 14];
int pickup_queue[MAX_PEOPLE];
int pickup_count;
int rescue_heli_x, rescue_heli_y;
int loaded_transit_count;

int column_of_x(int x) { return (x - 64) / 64; }
void place_people(int) {
    people_count = 0;
    rescued_count = 0;
    pickup_count = 0;
    rescue_heli_x = RESCUE_HELI_PARK_X;
    rescue_heli_y = RESCUE_HELI_PARK_Y;
}
void place_tile_people(int, int, int) {}
void restore_tile_people(int, int, unsigned int) {}
void update_people() {}
void call_elevator(int, int) {}
void update_and_draw_people() {}
void update_rescue_heli() {}
