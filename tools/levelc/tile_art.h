// The building's tile art: every 64 x 64 graphic of the map, drawn with Allegro
// into 16-bit memory bitmaps. A graphic is named by an art_key; the same key always
// draws the same pixels.
#pragma once

#include <allegro.h>
#include <cstdint>
#include <tuple>
#include <vector>

enum art_kind : uint8_t {
    ART_EMPTY,       // graphic 0: nothing but the mask colour
    ART_ROOM,        // variant: furnishing; detail: ART_* bits
    ART_WALL,        // variant: pillar, stairwell, partition, service wall; detail: ART_* bits
    ART_SHAFT,       // detail: ART_* bits
    ART_DOOR,        // variant: 0 rides up, 1 rides down; detail: ART_* and DOOR_SHAFT_* bits
    ART_FIRE,        // variant: flame set; frame
    ART_BURNT,       // the burnt-out floor
    ART_HOLE,        // detail: HOLE_* bits, the sides where the building goes on
    ART_ROOF,        // variant: railing, antenna, water tank, air conditioning
    ART_BEACON_PAD,  // frame
    ART_BEACON_DOOR, // frame
};

constexpr int ROOM_FURNISHINGS = 6;
constexpr int WALL_VARIANTS = 4;
constexpr int WALL_COLOURS = 3;
constexpr int ROOF_VARIANTS = 4;
constexpr int FIRE_SETS = 2;
constexpr int FIRE_FRAMES = 6;
constexpr int BEACON_FRAMES = 4;

// Detail bits of the floors (room, wall, shaft, door).
constexpr int ART_WALL_COLOUR = 3; // the wall colour, 0 to 2
constexpr int ART_DARK = 4;        // lights out (rooms and walls)
constexpr int ART_SOOT = 8;        // blackened by a fire below
constexpr int DOOR_SHAFT_ABOVE = 16;
constexpr int DOOR_SHAFT_BELOW = 32;
constexpr int HOLE_UP = 1;
constexpr int HOLE_DOWN = 2;
constexpr int HOLE_LEFT = 4;
constexpr int HOLE_RIGHT = 8;

struct art_key {
    art_kind art = ART_EMPTY;
    uint8_t style = 0; // only for the styled kinds: room, wall, shaft, door, roof
    uint8_t variant = 0;
    uint8_t detail = 0;
    uint8_t frame = 0;
    bool operator<(const art_key &o) const {
        return std::tie(art, style, variant, detail, frame) <
               std::tie(o.art, o.style, o.variant, o.detail, o.frame);
    }
};

constexpr int ART_SIZE = 64;

// True for the graphics with mask-coloured pixels: their blocks are drawn masked.
bool tile_art_masked(const art_key &key);

// Draws the graphic into a 64 x 64 bitmap of 16 bits per pixel.
void tile_art_draw(BITMAP *bmp, const art_key &key);

// The pixels of a drawn graphic as the map file stores them (16 bits, high byte
// first), appended to gfx.
void tile_art_append_pixels(BITMAP *bmp, std::vector<uint8_t> &gfx);
