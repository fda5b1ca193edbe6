// The player's (and the rescue) helicopter: a red and white rescue machine seen from
// the side, nose to the right, 140 x 50 with its rotor mast near the centre so that
// it turns naturally about the sprite's middle. Drawn four times larger and averaged
// down; everything outside it is the mask colour.
#include "assetgen/assetgen.h"
#include "assetgen/helicopter_paint.h"
#include "assetgen/image_util.h"

#include <cmath>

namespace {

constexpr int HELI_W = 140, HELI_H = 50, SCALE = 4;

// The fuselage: a rounded box, fuller than an ellipse so the belly is flat-ish.
constexpr float BODY_CX = 84, BODY_CY = 27, BODY_RX = 40, BODY_RY = 12.5f;

bool in_body(float x, float y) {
    return heli_in_cabin(x, y, BODY_CX, BODY_CY, BODY_RX, BODY_RY);
}

bool in_glass(float x, float y) {
    return in_body(x, y) && x > 97 && y < 25 + (x - 97) * 0.3f;
}

img_colour glass_at(float x, float y) {
    img_colour c = img_mix(HELI_GLASS_TOP, HELI_GLASS_LOW, img_clamp((y - 14) / 16, 0.0f, 1.0f));
    float band = x * 0.55f - y; // a diagonal reflection across the canopy
    if (band > 41.5f && band < 44.0f) c = img_mix(c, HELI_WHITE, 0.7f);
    if (band > 45.0f && band < 45.8f) c = img_mix(c, HELI_WHITE, 0.45f);
    return c;
}

// 3 x 5 capitals for the lettering on the boom.
constexpr const char *LETTERS[][5] = {
    {"110", "101", "110", "101", "101"}, // R
    {"111", "100", "110", "100", "111"}, // E
    {"011", "100", "010", "001", "110"}, // S
    {"011", "100", "100", "100", "011"}, // C
    {"101", "101", "101", "101", "111"}, // U
};
constexpr int RESCUE[] = {0, 1, 2, 3, 4, 1};

void paint_pixel(img_canvas *c, int px, int py, img_colour col) {
    img_fill_where(
        c, SCALE, (float)px, (float)py, px + 1.0f, py + 1.0f,
        [=](float x, float y) { return x >= px && x < px + 1 && y >= py && y < py + 1; },
        img_flat(col));
}

void paint_lettering(img_canvas *c, int left, int top) {
    int x = left;
    for (int letter : RESCUE) {
        for (int row = 0; row < 5; row++)
            for (int col = 0; col < 3; col++)
                if (LETTERS[letter][row][col] == '1')
                    paint_pixel(c, x + col, top + row, HELI_WHITE);
        x += 4;
    }
}

void paint_helicopter(img_canvas *c) {
    // Skids and struts first: the fuselage hides where they join it.
    img_shader steel = heli_lit(HELI_DARK, 41, 47);
    img_fill_capsule(c, SCALE, 68, 36, 65, 45.5f, 0.9f, steel);
    img_fill_capsule(c, SCALE, 100, 36, 103, 45.5f, 0.9f, steel);
    img_fill_capsule(c, SCALE, 50, 45.5f, 116, 45.5f, 1.15f, steel);
    img_fill_capsule(c, SCALE, 116, 45.5f, 121.5f, 42, 1.15f, steel);

    // Tail: boom, stabiliser, fin, then the tail rotor on the fin's side.
    img_fill_polygon(c, SCALE, {{52, 18}, {9, 20.5f}, {9, 25}, {52, 32}},
                     heli_lit(HELI_RED, 19, 31));
    img_fill_capsule(c, SCALE, 17, 25.5f, 30, 25.5f, 1.2f, img_flat(img_scale(HELI_RED, 0.7f)));
    img_fill_polygon(c, SCALE, {{17, 21}, {9.5f, 5.5f}, {4, 5.5f}, {2.5f, 14}, {5, 27}, {13, 27}},
                     heli_lit(HELI_RED, 5, 27));
    img_fill_ring(c, SCALE, 9, 15, 6.6f, 7.8f, img_flat(HELI_METAL));
    img_fill_capsule(c, SCALE, 4, 10, 14, 20, 0.8f, img_flat(img_scale(HELI_METAL, 0.8f)));
    img_fill_capsule(c, SCALE, 4, 20, 14, 10, 0.8f, img_flat(img_scale(HELI_METAL, 0.8f)));
    img_fill_ellipse(c, SCALE, 9, 15, 1.6f, 1.6f, img_flat(HELI_DARK));

    // Fuselage with canopy, side window, door seams and the white cheat line.
    img_fill_where(c, SCALE, BODY_CX - BODY_RX, BODY_CY - BODY_RY, BODY_CX + BODY_RX,
                   BODY_CY + BODY_RY, in_body, heli_lit(HELI_RED, 14.5f, 39.5f));
    img_fill_where(
        c, SCALE, 44, 28, 124, 31.5f,
        [](float x, float y) { return in_body(x, y) && !in_glass(x, y) && y >= 28.5f && y < 31; },
        heli_lit(HELI_WHITE, 28.5f, 31));
    img_fill_where(c, SCALE, 97, 14, 125, 40, in_glass, glass_at);
    img_fill_capsule(c, SCALE, 106, 15.5f, 109.5f, 27.5f, 0.45f, img_flat(HELI_DARK));
    img_fill_where(
        c, SCALE, 64, 17, 82, 26,
        [](float x, float y) {
            float dx = std::fabs(x - 73) / 8.5f, dy = std::fabs(y - 21.5f) / 4.2f;
            return dx * dx * dx * dx + dy * dy * dy * dy <= 1.0f;
        },
        glass_at);
    img_fill_capsule(c, SCALE, 61, 16.5f, 61, 37, 0.32f, img_flat(img_scale(HELI_RED, 0.55f)));
    img_fill_capsule(c, SCALE, 86, 15.5f, 86, 38, 0.32f, img_flat(img_scale(HELI_RED, 0.55f)));
    img_fill_capsule(c, SCALE, 82, 32.5f, 84.5f, 32.5f, 0.5f, img_flat(HELI_DARK));

    // Red cross on a white disc behind the cabin.
    img_fill_ellipse(c, SCALE, 54.5f, 25, 4.3f, 4.3f, img_flat(HELI_WHITE));
    img_fill_where(
        c, SCALE, 51, 21.5f, 58, 28.5f,
        [](float x, float y) {
            float dx = std::fabs(x - 54.5f), dy = std::fabs(y - 25);
            return (dx < 1.05f && dy < 3.1f) || (dy < 1.05f && dx < 3.1f);
        },
        img_flat(HELI_RED));

    // Engine cowling with exhaust, mast, hub and the spinning main rotor.
    img_fill_where(
        c, SCALE, 54, 9, 98, 19,
        [](float x, float y) {
            float dx = std::fabs(x - 76) / 20, dy = std::fabs(y - 14.5f) / 4.2f;
            return std::pow(dx, 3.0f) + std::pow(dy, 2.2f) <= 1.0f;
        },
        heli_lit(HELI_COWL, 10.5f, 18.5f));
    img_fill_ellipse(c, SCALE, 57.5f, 14.5f, 2.2f, 2.4f, img_flat(HELI_DARK));
    img_fill_capsule(c, SCALE, 88, 12.2f, 93, 12.2f, 0.45f, img_flat(img_scale(HELI_COWL, 0.7f)));
    img_fill_capsule(c, SCALE, 73, 6.5f, 73, 11, 1.3f, img_flat(HELI_DARK));
    img_fill_where(
        c, SCALE, 4, 3, 136, 7,
        [](float x, float y) {
            float dx = (x - 72) / 66, dy = (y - 5) / 1.9f;
            return dx * dx + dy * dy <= 1.0f;
        },
        [](float x, float y) {
            // A blur: solid near the hub, lighter and greyer toward the tips.
            float t = std::fabs(x - 72) / 66;
            img_colour c = img_mix({92, 96, 106}, {172, 178, 188}, t);
            if (std::fabs(y - 4.4f) < 0.45f) c = img_mix(c, HELI_WHITE, 0.4f);
            return c;
        });
    img_fill_capsule(c, SCALE, 73, 5.4f, 128, 5.6f, 0.5f, img_flat(HELI_DARK));
    img_fill_ellipse(c, SCALE, 73, 5.5f, 3.6f, 1.9f, img_flat(img_scale(HELI_METAL, 0.7f)));

    // Lights: searchlight under the nose, beacon on the fin, anti-collision on top.
    img_fill_ellipse(c, SCALE, 112, 39, 2.6f, 1.6f, img_flat({255, 240, 170}));
    img_fill_ellipse(c, SCALE, 5.5f, 5.5f, 1.4f, 1.4f, img_flat({255, 60, 50}));
    img_fill_ellipse(c, SCALE, 64, 10.5f, 1.2f, 1.2f, img_flat({255, 80, 60}));
    img_fill_ellipse(c, SCALE, 124, 27.5f, 1.0f, 1.2f, img_flat({120, 255, 140}));

    paint_lettering(c, 25, 21);
}

} // namespace

bool heli_in_cabin(float x, float y, float cx, float cy, float rx, float ry) {
    float dx = std::fabs(x - cx) / rx, dy = std::fabs(y - cy) / ry;
    return std::pow(dx, 2.6f) + std::pow(dy, 2.6f) <= 1.0f;
}

img_shader heli_lit(img_colour base, float top, float bottom) {
    return [=](float, float y) {
        float t = img_clamp((y - top) / (bottom - top), 0.0f, 1.0f);
        float k = 1.22f - 0.55f * t;
        if (t > 0.12f && t < 0.2f) k += 0.18f;
        return img_scale(base, k);
    };
}

bool gen_helicopter(const std::string &dir) {
    img_canvas big, sprite;
    img_canvas_init(&big, HELI_W * SCALE, HELI_H * SCALE, {0, 0, 0}, 0.0f);
    paint_helicopter(&big);
    img_downsample(&big, SCALE, &sprite);
    img_outline(&sprite, 0.45f);
    return img_save(&sprite, true, img_path(dir, "helicopter.bmp"));
}
