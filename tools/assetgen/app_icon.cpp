// The program's icon for the desktop's menus: the game's rescue helicopter, seen from
// the side but stockier so that it fills a square, on a transparent ground. Every size
// is drawn afresh, never scaled from another: the small ones leave out what they
// cannot show, the thin parts are at least a pixel thick, and the long level edges
// (rotor, cheat line, skid, the cabin's top and belly) fall on whole pixels, so that
// each size is sharp.
#include "assetgen/assetgen.h"
#include "assetgen/helicopter_paint.h"
#include "assetgen/image_util.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace {

// The shapes are given in a square of 64 units, whatever the icon's size.
constexpr float UNITS = 64;

// One icon size: its pixels, the canvas samples per unit, one pixel in units.
struct icon_grid {
    int size;
    int samples; // canvas samples per pixel
    float scale, px;

    float snap(float v) const { return std::round(v / px) * px; }
    // A thickness of at least one pixel, in whole pixels.
    float thick(float t) const { return std::fmax(px, snap(t)); }
    bool shows(int least_size) const { return size >= least_size; }
};

icon_grid grid_for(int size) {
    // Small sizes take more samples a pixel, so that their edges are as smooth.
    int samples = size >= 64 ? 4 : 256 / size;
    return {size, samples, (float)(size * samples) / UNITS, UNITS / (float)size};
}

// The cabin, from y 20 to 44.
constexpr float BODY_CX = 37, BODY_CY = 32, BODY_RX = 21, BODY_RY = 12;

bool in_body(float x, float y) {
    return heli_in_cabin(x, y, BODY_CX, BODY_CY, BODY_RX, BODY_RY);
}

bool in_glass(float x, float y) {
    return in_body(x, y) && x > 44 && y < 31 + (x - 44) * 0.4f;
}

img_colour glass_at(float x, float y) {
    img_colour c = img_mix(HELI_GLASS_TOP, HELI_GLASS_LOW, img_clamp((y - 20) / 18, 0.0f, 1.0f));
    float band = x * 0.6f - y; // a diagonal reflection across the canopy
    if (band > 3.5f && band < 5.5f) c = img_mix(c, HELI_WHITE, 0.6f);
    return c;
}

// A level bar from x0 to x1 whose top lies on a pixel edge.
void fill_bar(img_canvas *c, const icon_grid &g, float x0, float x1, float top, float thick,
              const img_shader &shade) {
    float y0 = g.snap(top), y1 = y0 + g.thick(thick);
    img_fill_polygon(c, g.scale, {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}}, shade);
}

void paint_skids(img_canvas *c, const icon_grid &g) {
    img_shader steel = img_flat(HELI_DARK);
    float strut = std::fmax(1.2f, g.px * 0.5f), skid = g.thick(2.5f), top = g.snap(52);
    img_fill_capsule(c, g.scale, 26, 42, 26, top + skid / 2, strut, steel);
    img_fill_capsule(c, g.scale, 48, 42, 48, top + skid / 2, strut, steel);
    fill_bar(c, g, 17, 56, top, skid, steel);
    // The skid's toe turns up at the nose.
    img_fill_capsule(c, g.scale, 56, top + skid / 2, 60, top + skid / 2 - 3.5f, skid / 2, steel);
}

void paint_tail(img_canvas *c, const icon_grid &g) {
    img_fill_polygon(c, g.scale, {{20, 26}, {4, 28.5f}, {4, 33}, {20, 39}},
                     heli_lit(HELI_RED, 26, 39));
    img_fill_polygon(c, g.scale, {{11, 31}, {7, 14}, {2, 14}, {0.5f, 23}, {3, 36}, {9, 36}},
                     heli_lit(HELI_RED, 14, 36));
    if (!g.shows(32)) return;
    img_fill_ring(c, g.scale, 6, 22, 4.6f - g.px, 5.4f, img_flat(HELI_METAL));
    if (!g.shows(48)) return;
    img_colour blade = img_scale(HELI_METAL, 0.8f);
    img_fill_capsule(c, g.scale, 3, 19, 9, 25, 0.6f, img_flat(blade));
    img_fill_capsule(c, g.scale, 3, 25, 9, 19, 0.6f, img_flat(blade));
    img_fill_ellipse(c, g.scale, 6, 22, 1.3f, 1.3f, img_flat(HELI_DARK));
}

void paint_cabin(img_canvas *c, const icon_grid &g) {
    // The engine's cowling and the rotor mast rise from the cabin's roof.
    img_fill_where(
        c, g.scale, 21, 14, 49, 25,
        [](float x, float y) {
            float dx = std::fabs(x - 35) / 13, dy = std::fabs(y - 19.5f) / 4.5f;
            return std::pow(dx, 3.0f) + std::pow(dy, 2.2f) <= 1.0f;
        },
        heli_lit(HELI_COWL, 15, 24));
    if (g.shows(48)) img_fill_ellipse(c, g.scale, 24, 19.5f, 1.6f, 1.8f, img_flat(HELI_DARK));
    img_fill_capsule(c, g.scale, 35, 9, 35, 15, std::fmax(1.6f, g.px * 0.5f), img_flat(HELI_DARK));

    img_fill_where(c, g.scale, BODY_CX - BODY_RX, BODY_CY - BODY_RY, BODY_CX + BODY_RX,
                   BODY_CY + BODY_RY, in_body, heli_lit(HELI_RED, 20, 44));
    float stripe = g.snap(35), stripe_end = stripe + g.thick(2.5f);
    img_fill_where(
        c, g.scale, 16, stripe, 58, stripe_end,
        [=](float x, float y) {
            return in_body(x, y) && !in_glass(x, y) && y >= stripe && y < stripe_end;
        },
        heli_lit(HELI_WHITE, stripe, stripe_end));
    img_fill_where(c, g.scale, 44, 20, 58, 44, in_glass, glass_at);
    if (g.shows(32))
        img_fill_where(
            c, g.scale, 28, 25, 38, 31,
            [](float x, float y) {
                float dx = std::fabs(x - 33) / 4.8f, dy = std::fabs(y - 28) / 2.8f;
                return dx * dx * dx * dx + dy * dy * dy * dy <= 1.0f;
            },
            glass_at);
    if (!g.shows(48)) return;
    // The canopy's frame, the doors' seams, and the red cross on a white disc.
    img_fill_capsule(c, g.scale, 48.5f, 22, 51, 31.5f, 0.4f, img_flat(HELI_DARK));
    img_colour seam = img_scale(HELI_RED, 0.55f);
    img_fill_capsule(c, g.scale, 28, 21.5f, 28, 42.5f, 0.3f, img_flat(seam));
    img_fill_capsule(c, g.scale, 41, 21, 41, 43, 0.3f, img_flat(seam));
    img_fill_ellipse(c, g.scale, 22.5f, 31, 4, 4, img_flat(HELI_WHITE));
    img_fill_where(
        c, g.scale, 19, 27.5f, 26, 34.5f,
        [](float x, float y) {
            float dx = std::fabs(x - 22.5f), dy = std::fabs(y - 31);
            return (dx < 1 && dy < 2.9f) || (dy < 1 && dx < 2.9f);
        },
        img_flat(HELI_RED));
}

void paint_rotor(img_canvas *c, const icon_grid &g) {
    // The spinning blades, darker near the hub, as in the game.
    fill_bar(c, g, 3, 61, 8, 2.5f, [](float x, float) {
        float t = std::fabs(x - 35) / 26;
        return img_mix({92, 96, 108}, {168, 174, 186}, t);
    });
    if (!g.shows(32)) return;
    img_fill_ellipse(c, g.scale, 35, g.snap(8) + g.thick(2.5f) / 2, 4, 2.2f,
                     img_flat(img_scale(HELI_METAL, 0.7f)));
    if (!g.shows(64)) return;
    // Lights: searchlight under the nose, beacon on the fin, anti-collision on top.
    img_fill_ellipse(c, g.scale, 51, 41.6f, 2, 1.2f, img_flat({255, 240, 170}));
    img_fill_ellipse(c, g.scale, 2.5f, 15, 1.1f, 1.1f, img_flat({255, 60, 50}));
    img_fill_ellipse(c, g.scale, 29, 15.2f, 1, 1, img_flat({255, 80, 60}));
}

bool write_app_icon(const std::string &dir, int size) {
    icon_grid g = grid_for(size);
    img_canvas big, icon;
    img_canvas_init(&big, size * g.samples, size * g.samples, {0, 0, 0}, 0.0f);
    paint_skids(&big, g);
    paint_tail(&big, g);
    paint_cabin(&big, g);
    paint_rotor(&big, g);
    img_downsample(&big, g.samples, &icon);
    img_outline(&icon, 0.4f);
    std::string folder = dir + "/" + std::to_string(size) + "x" + std::to_string(size) + "/apps";
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        fprintf(stderr, "assetgen: cannot make %s: %s\n", folder.c_str(), error.message().c_str());
        return false;
    }
    return img_save_png(&icon, img_path(folder, APP_ICON_NAME));
}

} // namespace

bool gen_app_icons(const std::string &dir) {
    for (int size : APP_ICON_SIZES)
        if (!write_app_icon(dir, size)) return false;
    return true;
}
