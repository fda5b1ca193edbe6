// Drawing helpers shared by the picture families of the asset generator: a
// floating-point RGB canvas with an opacity per pixel, seeded noise, and writing a
// canvas out as a 24-bit Allegro bitmap file.
#pragma once

#include <allegro.h>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// The HUD icons' side: a little less than the font's line height.
constexpr int ICON_SIZE = 16;

struct img_colour {
    float r, g, b;
};

// Pixels are 0..255 per channel; cover is how much of the pixel is painted (0..1),
// which the sprite families turn into mask colour or opaque.
struct img_canvas {
    int w = 0, h = 0;
    std::vector<img_colour> px;
    std::vector<float> cover;
};

void img_canvas_init(img_canvas *c, int w, int h, img_colour fill, float cover);

inline float img_clamp(float v, float lo, float hi) {
    return v < lo ? lo : (v > hi ? hi : v);
}
inline float img_mix(float a, float b, float t) {
    return a + (b - a) * t;
}
img_colour img_mix(img_colour a, img_colour b, float t);
img_colour img_scale(img_colour c, float k);
float img_smoothstep(float e0, float e1, float x);

// Paints colour c over pixel (x, y) with opacity a; off-canvas pixels are ignored.
void img_blend(img_canvas *c, int x, int y, img_colour col, float a);
// Adds light: c += col * a, for glows.
void img_add(img_canvas *c, int x, int y, img_colour col, float a);

// A small deterministic generator of our own, so that every run draws the same
// picture: the same recurrence as the game's, in a state the caller owns.
struct img_rng {
    uint32_t state;
};
int img_rand(img_rng *r);                       // 0..32767
int img_rand_range(img_rng *r, int lo, int hi); // lo..hi inclusive
float img_rand_unit(img_rng *r);                // 0..1

// Smooth value noise in 0..1 on an integer lattice, and its fractal sum.
float img_noise(float x, float y, uint32_t seed);
float img_fbm(float x, float y, int octaves, uint32_t seed);

// Pixels whose cover is below one half become the mask colour 255, 0, 255; the
// rest keep their colour, nudged off the mask colour should they land on it.
// Returns a 24-bit bitmap (destroy it), or NULL when out of memory.
BITMAP *img_to_bitmap(const img_canvas *c, bool masked);

// Writes the canvas as a .bmp or .tga (Allegro picks the format from the name);
// prints why and returns false on failure.
bool img_save(const img_canvas *c, bool masked, const std::string &path);

// Writes the canvas as a PNG whose opacity is the cover: for pictures shown outside
// the game, on any background.
bool img_save_png(const img_canvas *c, const std::string &path);

// Averages a canvas drawn at `scale` times the size into one `scale` times smaller:
// colour is averaged over the painted samples only, so edges against the mask stay
// clean, and cover is the painted fraction.
void img_downsample(const img_canvas *big, int scale, img_canvas *out);

// Darkens opaque pixels next to transparent ones, so that a sprite keeps its shape
// over pale and dark scenery alike.
void img_outline(img_canvas *c, float darken);

// Painting of shapes for sprites drawn large and then downsampled: coordinates are
// in final sprite pixels (or any unit of the caller's), the canvas is `scale` times
// larger, and every sample whose
// centre lies inside gets the shader's colour for that point, fully covered.
using img_shader = std::function<img_colour(float x, float y)>;
using img_inside = std::function<bool(float x, float y)>;
struct img_point {
    float x, y;
};
void img_fill_where(img_canvas *c, float scale, float x0, float y0, float x1, float y1,
                    const img_inside &inside, const img_shader &shade);
void img_fill_ellipse(img_canvas *c, float scale, float cx, float cy, float rx, float ry,
                      const img_shader &shade);
void img_fill_polygon(img_canvas *c, float scale, const std::vector<img_point> &pts,
                      const img_shader &shade);
void img_fill_capsule(img_canvas *c, float scale, float xa, float ya, float xb, float yb,
                      float radius, const img_shader &shade);
void img_fill_ring(img_canvas *c, float scale, float cx, float cy, float r_in, float r_out,
                   const img_shader &shade);
bool img_in_polygon(const std::vector<img_point> &pts, float x, float y);
img_shader img_flat(img_colour col);

std::string img_path(const std::string &dir, const char *name);
