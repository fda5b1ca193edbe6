// What people do: the walk step, the elevator call and the per-frame state machine
// (walk to the door, board, ride, find a slot on arrival, step off, walk to it).
#include "people/people_internal.h"

#include "shell/rng.h"

namespace {

enum { SIDE_NONE = 0, SIDE_LEFT = -1, SIDE_RIGHT = 1 };
constexpr int SEARCH_CANDIDATES = 17;

int floor_line(int row) {
    return TILE_SIZE * row + FLOOR_LINE_DY;
}

bool walked_past(const person &p) {
    return (p.x >= p.target_x && p.pose == POSE_WALK_RIGHT) ||
           (p.x <= p.target_x && p.pose == POSE_WALK_LEFT);
}

void put_in_slot(person &p, int c, int r, int k, bool beacon) {
    p.slot_col = (uint8_t)(k % 3);
    p.slot_row = (uint8_t)(k / 3);
    p.target_x = BUILDING_SCREEN_X + TILE_SIZE * c + 21 * p.slot_col + SLOT_ROW_DX[p.slot_row] +
                 game_rand() % 3;
    p.target_y = TILE_SIZE * r + 61 - 3 * p.slot_row;
    if (!beacon) p.target_y -= game_rand() % 3;
    slot_grid[r * BUILDING_COLS + c] |= 1u << k;
    p.status = STATUS_IN_SLOT;
}

// Reserves the nearest free slot on row r, looking from column d outward, right
// before left; a blocking tile closes its whole side. False when there is none.
bool reserve_arrival_slot(person &p, int r, int d) {
    if (r < 0 || r >= BUILDING_ROWS) return false;
    int blocked = SIDE_NONE;
    for (int n = 0; n < SEARCH_CANDIDATES; n++) {
        int side = (n % 2) ? SIDE_RIGHT : SIDE_LEFT;
        int c = d + side * ((n + 1) / 2);
        if (c < 0 || c >= BUILDING_COLS) continue;
        const map_block *tile = people_tile(c, r);
        if (tile_blocks_walk(tile)) {
            if (blocked != SIDE_NONE && blocked != side) return false;
            blocked = side;
            continue;
        }
        unsigned word = slot_grid[r * BUILDING_COLS + c];
        if (side == blocked || (word & FULL_SLOT_MASK) == FULL_SLOT_MASK) continue;
        int k = 0;
        while (word & (1u << k)) k++;
        put_in_slot(p, c, r, k, tile_is_beacon(tile));
        return true;
    }
    return false;
}

bool on_beacon(const person &p) {
    int c = column_of_x(p.x), r = p.y / 64;
    return p.y >= 0 && in_building(c, r) && tile_is_beacon(people_tile(c, r));
}

void stand_still(person &p) {
    p.state = PERSON_STANDING;
    p.pose = POSE_STAND;
    p.frame = 0;
}

// A door with no partner in its ride direction: the person comes back out on its
// own floor and stands in a slot there, so that it can still be rescued.
void return_from_dead_end(int i, int row) {
    person &p = people[i];
    stand_still(p);
    p.hidden = 0;
    if (reserve_arrival_slot(p, row, column_of_x(p.x))) {
        p.x = p.target_x;
        p.y = p.target_y;
    } else if (int c = person_left_col[i];
               in_building(c, row) &&
               !(slot_grid[row * BUILDING_COLS + c] & (1u << slot_number(p)))) {
        put_in_slot(p, c, row, slot_number(p), tile_is_beacon(people_tile(c, row)));
        p.x = p.target_x;
        p.y = p.target_y;
    } else {
        // Nowhere to stand: wait at the door holding no slot until called again.
        p.status = STATUS_IN_TRANSIT;
    }
    if (on_beacon(p)) queue_for_pickup(i);
}

// Boarding at the floor line: find the door the ride ends at. False when the door
// has no partner in its direction (the person is then back on its floor).
bool board(int i) {
    person &p = people[i];
    p.hidden = 1;
    p.state = PERSON_RIDING;
    p.origin_y = p.y;
    int c = column_of_x(p.x), r = p.y / 64;
    if (r > BUILDING_ROWS - 1) r = BUILDING_ROWS - 1;
    int home = r;
    if (in_building(c, r)) {
        int dir = people_tile(c, r)->user1 == TILE_DOOR_UP ? -1 : 1;
        for (r += dir; r >= 0 && r < BUILDING_ROWS; r += dir) {
            if (tile_is_door(people_tile(c, r))) {
                p.target_y = floor_line(r);
                return true;
            }
        }
    }
    return_from_dead_end(i, home);
    return false;
}

void arrive(int i) {
    person &p = people[i];
    p.hidden = 0;
    p.state = PERSON_STEPPING_OFF;
    p.pose = POSE_STEP_OFF;
    p.frame = 0;
    if (reserve_arrival_slot(p, p.y / 64, column_of_x(p.x))) return;
    // No room here: ride back and try the other floor.
    int back = p.origin_y;
    p.origin_y = p.target_y;
    p.target_y = back;
    p.state = PERSON_RIDING;
    p.hidden = 1;
}

// One frame of person i's state machine; false ends this frame's pass.
bool step_person(int i) {
    person &p = people[i];
    switch (p.state) {
    case PERSON_TO_ELEVATOR:
        if (walked_past(p)) {
            p.state = PERSON_BOARDING;
            p.pose = POSE_BOARD;
            p.frame = 0;
        }
        break;
    case PERSON_BOARDING: {
        int line = floor_line(p.y / 64);
        if (p.y > line)
            p.y = line;
        else if (!board(i))
            return false;
        break;
    }
    case PERSON_RIDING:
        if (p.y > p.target_y)
            p.y--;
        else
            p.y++;
        if (p.y == p.target_y) arrive(i);
        break;
    case PERSON_STEPPING_OFF:
        p.y += STEP_OFF_SPEED;
        if (p.y >= p.target_y) {
            p.y = p.target_y;
            p.state = PERSON_TO_SLOT;
            p.pose = p.x < p.target_x ? POSE_WALK_RIGHT : POSE_WALK_LEFT;
            p.frame = 0;
        }
        break;
    case PERSON_TO_SLOT:
        if (walked_past(p)) {
            stand_still(p);
            p.x = p.target_x;
            if (on_beacon(p)) queue_for_pickup(i);
        }
        break;
    default: break;
    }
    return true;
}

bool fire_input_held() {
    return (mouse_b & 1) || key[KEY_SPACE] || key[KEY_LCONTROL] || key[KEY_RCONTROL];
}

// Whether the way from column `from` to the door in column d of row r is free of
// fires and, unless the door's tile is a beacon tile, of open tiles.
bool way_is_clear(int from, int d, int r, bool door_on_beacon) {
    int dir = from < d ? 1 : -1;
    for (int c = from; c != d; c += dir) {
        if (!in_building(c, r)) return false;
        const map_block *tile = people_tile(c, r);
        // The open-tile exception is read from the door's tile, not the crossed one.
        if (tile->user1 == TILE_FIRE || (tile->user1 == TILE_OPEN && !door_on_beacon)) return false;
    }
    return true;
}

} // namespace

void person_walk_step(person &p) {
    if (p.pose == POSE_BOARD || p.pose == POSE_STEP_OFF) p.frame = 0;
    if (p.pose != POSE_WALK_LEFT && p.pose != POSE_WALK_RIGHT) return;
    p.frame_delay--;
    if (p.frame_delay != 0) return;
    int step = WALK_STEP[p.frame % WALK_FRAMES];
    p.x += p.pose == POSE_WALK_RIGHT ? step : -step;
    p.frame = (uint8_t)((p.frame + 1) % WALK_FRAMES);
    p.frame_delay = WALK_FRAME_DELAY;
}

void call_elevator(int door_x, int door_y) {
    int d = column_of_x(door_x), r = door_y / 64;
    if (r > BUILDING_ROWS - 1) r = BUILDING_ROWS - 1;
    if (!in_building(d, r)) return;
    bool door_on_beacon = tile_is_beacon(people_tile(d, r));
    int target_x = TILE_SIZE * (door_x / TILE_SIZE) + BOARDING_DX;
    for (int i = 0; i < people_count; i++) {
        person &p = people[i];
        if (p.hidden != 0 || p.state != PERSON_STANDING || p.y / 64 != r) continue;
        int from = column_of_x(p.x);
        if (!way_is_clear(from, d, r, door_on_beacon)) continue;
        p.target_x = target_x;
        p.target_y = door_y;
        p.state = PERSON_TO_ELEVATOR;
        p.pose = target_x > p.x ? POSE_WALK_RIGHT : POSE_WALK_LEFT;
        p.frame = 0;
        // Only a person that holds a slot gives one up (a dead-end returner may not).
        if (p.status == STATUS_IN_SLOT) {
            if (unsigned *word = slot_word_at(p.x, p.y)) *word &= ~(1u << slot_number(p));
            person_left_col[i] = (int8_t)from;
        }
        p.status = STATUS_IN_TRANSIT;
    }
}

void update_people() {
    for (int i = 0; i < people_count; i++)
        if (!step_person(i)) return; // a dead-end door ends the pass, fire input included

    if (!fire_input_held()) return;
    int c = column_of_x(aim_x), r = (scroll_y + aim_y) / 64;
    if (in_building(c, r) && tile_is_door(people_tile(c, r)))
        call_elevator(BUILDING_SCREEN_X + TILE_SIZE * c, floor_line(r));
}
