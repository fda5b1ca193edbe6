// The people: sprite set, person table and placement, behaviour, drawing and the
// rescue helicopter that collects them from beacon tiles.
#pragma once

#include "map/map.h"

#include <allegro.h>
#include <cstddef>
#include <cstdint>
#include <string>

constexpr int MAX_PEOPLE = 1024;
constexpr int SPRITE_SETS = 10;
constexpr int SPRITE_SLOTS = 10;
constexpr int RESCUE_HELI_PARK_X = -200;
constexpr int RESCUE_HELI_PARK_Y = 4850;
constexpr unsigned BEACON_SLOT_MASK = 0x1f8; // a beacon tile's permanently taken back slots
constexpr unsigned FULL_SLOT_MASK = 0x1ff;

enum {
    PERSON_STANDING = 0,
    PERSON_TO_ELEVATOR = 1,
    PERSON_BOARDING = 2,
    PERSON_RIDING = 3,
    PERSON_STEPPING_OFF = 4,
    PERSON_TO_SLOT = 5
};
enum { POSE_STAND = 1, POSE_WALK_LEFT = 2, POSE_WALK_RIGHT = 3, POSE_BOARD = 4, POSE_STEP_OFF = 5 };
enum { STATUS_IN_SLOT = 1, STATUS_IN_TRANSIT = 2, STATUS_RESCUED = 3 };

// The saved game stores this record byte for byte: layout and gaps are fixed.
struct person {
    uint8_t face, body, legs; // sprite sets, 0 to 9
    uint8_t face_flip, body_flip, legs_flip;
    uint8_t gap0[2];
    int32_t x; // feet x, screen x units
    int32_t y; // feet y, map pixels
    uint8_t slot_col, slot_row;
    uint8_t gap1[2];
    int32_t target_x;
    int32_t target_y;
    int32_t origin_y;
    uint8_t state;
    uint8_t pose;
    uint8_t status;
    uint8_t frame;
    uint8_t frame_delay;
    uint8_t hidden; // 0 drawn, 1 not drawn, 0xff vacant entry after a resume
    uint8_t gap2[2];
};
static_assert(sizeof(person) == 40, "person record must be 40 bytes");
static_assert(offsetof(person, x) == 8 && offsetof(person, y) == 12, "person layout");
static_assert(offsetof(person, slot_col) == 16 && offsetof(person, slot_row) == 17,
              "person layout");
static_assert(offsetof(person, target_x) == 20 && offsetof(person, target_y) == 24,
              "person layout");
static_assert(offsetof(person, origin_y) == 28 && offsetof(person, state) == 32, "person layout");
static_assert(offsetof(person, pose) == 33 && offsetof(person, status) == 34, "person layout");
static_assert(offsetof(person, frame) == 35 && offsetof(person, frame_delay) == 36,
              "person layout");
static_assert(offsetof(person, hidden) == 37, "person layout");

// ---- tile kinds, as people read a building tile's block ------------------------
enum { TILE_FIRE = 1, TILE_DOOR_UP = 2, TILE_DOOR_DOWN = 3, TILE_OPEN = 4 };

inline bool tile_is_beacon(const map_block *b) {
    return b->user3 != 0;
}
inline bool tile_is_door(const map_block *b) {
    return b->user1 == TILE_DOOR_UP || b->user1 == TILE_DOOR_DOWN;
}
// Fire tiles, and open tiles that are not beacon tiles, stop a walker; nobody
// stands on them either.
inline bool tile_blocks_walk(const map_block *b) {
    return b->user1 == TILE_FIRE || (b->user1 == TILE_OPEN && !tile_is_beacon(b));
}

// ---- person table -----------------------------------------------------------
extern person people[MAX_PEOPLE];
extern int people_count;
extern int rescued_count;
extern unsigned int slot_grid[120 * 14];
extern int pickup_queue[MAX_PEOPLE];
extern int pickup_count;
extern int rescue_heli_x, rescue_heli_y;
extern int loaded_transit_count;

// ---- sprites ----------------------------------------------------------------
extern BITMAP *leg_sprites[SPRITE_SETS][SPRITE_SLOTS];
extern BITMAP *body_sprites[SPRITE_SETS][SPRITE_SLOTS];
extern BITMAP *face_sprites[SPRITE_SETS][SPRITE_SLOTS];
// Loads the 179 body-part bitmaps, each checked against its own header. Returns
// nullptr on success, otherwise the name of the first file that could not be read
// (and what is wrong with it in *why).
const char *load_person_sprites(std::string *why = nullptr);
// Releases the sprite tables (each bitmap once, shared slots included).
void free_person_sprites();

// ---- placement --------------------------------------------------------------
int column_of_x(int x);
void place_people(int restored);
void place_tile_people(int tile_x, int tile_y, int count);
void restore_tile_people(int tile_x, int tile_y, unsigned int mask);

// ---- behaviour, drawing, rescue ----------------------------------------------
void update_people();
void call_elevator(int door_x, int door_y);
void update_and_draw_people();
void update_rescue_heli();

// ---- the lit cars of the elevator rides ------------------------------------------
// Cars drawn in one frame at most: more would overlap in the shafts in view, each
// blended at a cost of its own.
constexpr int MAX_RIDE_CARS = 32;
struct ride_car {
    int col; // building column of the shaft
    int y;   // the riders' feet, map y
    int dir; // -1 going up, 1 going down
};
// The cars of this frame whose riders' feet lie from map y `top` to below `bottom`,
// one per distinct shaft column and y, in table order; returns how many (at most max).
int ride_cars_find(ride_car *cars, int max, int top, int bottom);
// Paints the car's two pictures (going up, going down) once, at start-up; false when
// they cannot be made. Kept until free_ride_cars().
bool make_ride_cars();
// Draws this frame's cars into the back buffer (over the map, before the people).
void draw_ride_cars();
void free_ride_cars();
