// Drawing surface for the people's body parts. Coordinates are person space: the
// person's feet (the anchor the game draws from) are at (0, 0), rows above the feet
// are negative, so a part drawn here lands where the anchor offsets put it.
#pragma once

#include <cstdint>
#include <string>

struct rgb {
    uint8_t r, g, b;
};
constexpr bool operator==(rgb a, rgb b) {
    return a.r == b.r && a.g == b.g && a.b == b.b;
}
constexpr bool operator!=(rgb a, rgb b) {
    return !(a == b);
}

constexpr rgb MASK_RGB = {255, 0, 255}; // transparent for the game's sprite calls

// Scales a colour's brightness by percent (100 keeps it), clamped to 0..255.
rgb shade(rgb c, int percent);
// Mixes two colours, weight 0..100 of b.
rgb mix(rgb a, rgb b, int weight_b);

constexpr int CANVAS_X0 = -16, CANVAS_Y0 = -56;
constexpr int CANVAS_W = 64, CANVAS_H = 56; // person rows -56..-1

struct people_canvas {
    rgb px[CANVAS_H][CANVAS_W];
};

// A set of pixels in person space, painted onto a canvas in one colour scheme.
struct people_mask {
    bool on[CANVAS_H][CANVAS_W];
};

void canvas_clear(people_canvas &c);
void canvas_put(people_canvas &c, int x, int y, rgb col); // outside the canvas: ignored
rgb canvas_at(const people_canvas &c, int x, int y);      // outside: MASK_RGB
bool canvas_opaque(const people_canvas &c, int x, int y);
void canvas_hline(people_canvas &c, int x0, int x1, int y, rgb col);
void canvas_rect(people_canvas &c, int x0, int y0, int x1, int y1, rgb col);
// Recolours the pixels already drawn (opaque) at (x, y).
void canvas_tint(people_canvas &c, int x, int y, rgb col);

void mask_clear(people_mask &m);
void mask_set(people_mask &m, int x, int y);
bool mask_at(const people_mask &m, int x, int y);
void mask_rect(people_mask &m, int x0, int y0, int x1, int y1);
// Convex polygon, n points as x, y pairs; takes the pixels whose centres lie inside.
void mask_polygon(people_mask &m, const double *xy, int n);
// A limb: a straight stroke of the given thickness with rounded ends.
void mask_stroke(people_mask &m, double x0, double y0, double x1, double y1, double thickness);
// Paints the mask in base, with the pixels on its left and right edges (no mask
// pixel beside them) in their own colours.
void canvas_paint(people_canvas &c, const people_mask &m, rgb base, rgb left_edge, rgb right_edge);

// Writes the canvas window [left, left + w) x [top, lowest drawn row] as a 24-bit
// BMP. Fails, saying why, when something drawn lies outside the window (the part
// would be cut off) or the file cannot be written.
bool canvas_write_part(const std::string &path, const people_canvas &c, int left, int top, int w);
