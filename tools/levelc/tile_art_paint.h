// Small painting helpers shared by the tile art files.
#pragma once

#include "levelc/tile_art.h"
#include "levelc/tile_styles.h"

#include <allegro.h>
#include <cstdint>

namespace paint {

inline int colour(art_rgb c) {
    return makecol16(c.r, c.g, c.b);
}
inline int colour(int r, int g, int b) {
    return makecol16(r, g, b);
}
inline int mask_colour() {
    return makecol16(255, 0, 255);
}

inline art_rgb rgb(int r, int g, int b) {
    auto clamp = [](int v) { return (uint8_t)(v < 0 ? 0 : v > 255 ? 255 : v); };
    return {clamp(r), clamp(g), clamp(b)};
}
// t from 0 (all a) to 256 (all b).
inline art_rgb mix(art_rgb a, art_rgb b, int t) {
    return rgb(a.r + (b.r - a.r) * t / 256, a.g + (b.g - a.g) * t / 256,
               a.b + (b.b - a.b) * t / 256);
}
// percent 100 keeps the colour, less darkens, more lightens.
inline art_rgb shade(art_rgb c, int percent) {
    return rgb(c.r * percent / 100, c.g * percent / 100, c.b * percent / 100);
}

// A repeatable pseudo-random value from a few integers.
inline uint32_t hash(uint32_t a, uint32_t b = 0, uint32_t c = 0) {
    uint32_t h =
        a * 0x9E3779B1u ^ (b + 0x7F4A7C15u) * 0x85EBCA77u ^ (c + 0x165667B1u) * 0xC2B2AE3Du;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return h;
}

void fill(BITMAP *b, int x0, int y0, int x1, int y1, art_rgb c);
// Mixes c over the pixels of the rectangle, alpha 0 to 256; mask pixels stay.
void blend(BITMAP *b, int x0, int y0, int x1, int y1, art_rgb c, int alpha);
void blend_pixel(BITMAP *b, int x, int y, art_rgb c, int alpha);
art_rgb pixel(BITMAP *b, int x, int y);
void hline(BITMAP *b, int x0, int x1, int y, art_rgb c);
void vline(BITMAP *b, int x, int y0, int y1, art_rgb c);
void line(BITMAP *b, int x0, int y0, int x1, int y1, art_rgb c);
void disc(BITMAP *b, int x, int y, int radius, art_rgb c);
void triangle(BITMAP *b, int x0, int y0, int x1, int y1, int x2, int y2, art_rgb c);
// A bevelled box: body, lit top and left edge, shadowed bottom and right edge.
void box(BITMAP *b, int x0, int y0, int x1, int y1, art_rgb body);
// Speckles of grain over a rectangle: a surface of brick, concrete or stone.
void grain(BITMAP *b, int x0, int y0, int x1, int y1, uint32_t seed, int strength);

// The facade texture of a style over a rectangle.
void facade(BITMAP *b, int x0, int y0, int x1, int y1, const tile_style &style);

// An arrow sign of an elevator door: up (rides up) or down.
void arrow_sign(BITMAP *b, int cx, int top, bool up, int height);
// The colour that marks a ride up or down everywhere in the art.
art_rgb ride_colour(bool up);
// Sliding elevator doors in their frame.
void elevator_doors(BITMAP *b, int x0, int y0, int x1, int y1);

} // namespace paint
