// The person table and its counters.
#include "people/people.h"

person people[MAX_PEOPLE];
int people_count;
int rescued_count;
unsigned int slot_grid[120 * 14];
int pickup_queue[MAX_PEOPLE];
int pickup_count;
int rescue_heli_x, rescue_heli_y;
int loaded_transit_count;

int column_of_x(int x) {
    return (x - 64) / 64;
}
