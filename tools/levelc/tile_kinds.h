// The tile kinds a mission file can use: the letter that writes each one and what
// the game reads from its blocks.
#pragma once

#include <cstdint>

enum tile_kind : uint8_t {
    KIND_SKY,         // outside the building: the backdrop shows
    KIND_HOLE,        // a blown-out gap in the facade
    KIND_ROOF,        // the parapet above a top storey
    KIND_ROOM,        // an ordinary floor
    KIND_WALL,        // a floor with a wall, pillar or stairwell in it
    KIND_SHAFT,       // an elevator shaft between two doors
    KIND_DOOR_UP,     // elevator door, riding up
    KIND_DOOR_DOWN,   // elevator door, riding down
    KIND_FIRE,        // a burning floor
    KIND_BURNT,       // a floor that has already burnt out
    KIND_BEACON_PAD,  // the roof beside the homing beacon
    KIND_BEACON_DOOR, // the rooftop elevator under the homing beacon, riding down
    KIND_COUNT
};

// user1 values the game gives a meaning to.
constexpr int USER1_FLOOR = 0;
constexpr int USER1_FIRE = 1;
constexpr int USER1_DOOR_UP = 2;
constexpr int USER1_DOOR_DOWN = 3;
constexpr int USER1_OPEN = 4;

struct tile_kind_info {
    char symbol;
    const char *name; // as messages and the format's description call it
    int user1;
    bool beacon;         // user3 = 1: people standing here wait for the rescue helicopter
    bool people_allowed; // may start a mission with people on it
};

constexpr tile_kind_info TILE_KINDS[KIND_COUNT] = {
    {'.', "sky", USER1_OPEN, false, false},
    {'o', "hole", USER1_OPEN, false, false},
    {'^', "roof", USER1_OPEN, false, false},
    {'=', "room", USER1_FLOOR, false, true},
    {'#', "wall", USER1_FLOOR, false, true},
    {'|', "shaft", USER1_FLOOR, false, true},
    {'U', "door up", USER1_DOOR_UP, false, true},
    {'D', "door down", USER1_DOOR_DOWN, false, true},
    {'*', "fire", USER1_FIRE, false, false},
    {'x', "burnt-out room", USER1_FLOOR, false, true},
    {'B', "beacon", USER1_FLOOR, true, false},
    {'E', "beacon door", USER1_DOOR_DOWN, true, false},
};

// The kind written by a letter, or -1.
inline int kind_from_symbol(char symbol) {
    for (int k = 0; k < KIND_COUNT; k++)
        if (TILE_KINDS[k].symbol == symbol) return k;
    return -1;
}

inline bool kind_is_open(int kind) {
    return TILE_KINDS[kind].user1 == USER1_OPEN;
}
inline bool kind_is_door(int kind) {
    return TILE_KINDS[kind].user1 == USER1_DOOR_UP || TILE_KINDS[kind].user1 == USER1_DOOR_DOWN;
}
inline bool kind_is_beacon(int kind) {
    return TILE_KINDS[kind].beacon;
}
// +1 rides down the map (rows growing), -1 up, 0 for a tile that is not a door.
inline int kind_ride_step(int kind) {
    if (TILE_KINDS[kind].user1 == USER1_DOOR_UP) return -1;
    if (TILE_KINDS[kind].user1 == USER1_DOOR_DOWN) return 1;
    return 0;
}
