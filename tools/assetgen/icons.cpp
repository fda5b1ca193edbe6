// The two HUD icons on the bottom text line: a stop sign (quit) and a floppy disk
// (save and quit), a little smaller than a line of text so they sit centred on it.
#include "assetgen/assetgen.h"
#include "assetgen/image_util.h"

#include <cmath>

namespace {

constexpr int SCALE = 4;

constexpr img_colour STOP_RED = {214, 30, 30};
constexpr img_colour RIM = {250, 250, 250};
constexpr img_colour DISK_BLUE = {40, 78, 170};
constexpr img_colour SHUTTER = {196, 200, 208};
constexpr img_colour LABEL = {248, 248, 240};
constexpr img_colour INK = {30, 34, 48};

std::vector<img_point> octagon(float cx, float cy, float r) {
    std::vector<img_point> pts;
    for (int i = 0; i < 8; i++) {
        float a = (float)(M_PI / 8 + i * M_PI / 4);
        pts.push_back({cx + r * std::cos(a), cy + r * std::sin(a)});
    }
    return pts;
}

void paint_stop(img_canvas *c, float size) {
    // Octagons sized by their flat sides: the outer one touches the icon's edges.
    float mid = size / 2, flat = (float)std::cos(M_PI / 8);
    img_fill_polygon(c, SCALE, octagon(mid, mid, mid / flat), img_flat(RIM));
    img_fill_polygon(c, SCALE, octagon(mid, mid, (mid - 1.4f) / flat),
                     [=](float, float y) { return img_scale(STOP_RED, 1.15f - 0.35f * y / size); });
    float arm = size * 0.2f, thick = size * 0.058f;
    img_fill_capsule(c, SCALE, mid - arm, mid - arm, mid + arm, mid + arm, thick, img_flat(RIM));
    img_fill_capsule(c, SCALE, mid - arm, mid + arm, mid + arm, mid - arm, thick, img_flat(RIM));
}

void paint_disk(img_canvas *c, float size) {
    float s = size;
    // Body with the cut corner at the top right.
    img_fill_polygon(
        c, SCALE,
        {{0.5f, 0.5f},
         {s * 0.8f, 0.5f},
         {s - 0.5f, s * 0.2f},
         {s - 0.5f, s - 0.5f},
         {0.5f, s - 0.5f}},
        [=](float x, float y) { return img_scale(DISK_BLUE, 1.2f - 0.3f * (x + y) / (2 * s)); });
    // Metal shutter with its window.
    img_fill_polygon(
        c, SCALE,
        {{s * 0.25f, 0.5f}, {s * 0.72f, 0.5f}, {s * 0.72f, s * 0.36f}, {s * 0.25f, s * 0.36f}},
        img_flat(SHUTTER));
    img_fill_polygon(c, SCALE,
                     {{s * 0.55f, s * 0.07f},
                      {s * 0.66f, s * 0.07f},
                      {s * 0.66f, s * 0.3f},
                      {s * 0.55f, s * 0.3f}},
                     img_flat(DISK_BLUE));
    // Paper label with two written lines.
    img_fill_polygon(c, SCALE,
                     {{s * 0.17f, s * 0.5f},
                      {s * 0.83f, s * 0.5f},
                      {s * 0.83f, s - 1.5f},
                      {s * 0.17f, s - 1.5f}},
                     img_flat(LABEL));
    img_fill_capsule(c, SCALE, s * 0.28f, s * 0.63f, s * 0.72f, s * 0.63f, 0.45f, img_flat(INK));
    img_fill_capsule(c, SCALE, s * 0.28f, s * 0.79f, s * 0.6f, s * 0.79f, 0.45f, img_flat(INK));
}

bool write_icon(const std::string &path, void (*paint)(img_canvas *, float)) {
    img_canvas big, icon;
    img_canvas_init(&big, ICON_SIZE * SCALE, ICON_SIZE * SCALE, {0, 0, 0}, 0.0f);
    paint(&big, (float)ICON_SIZE);
    img_downsample(&big, SCALE, &icon);
    img_outline(&icon, 0.55f);
    return img_save(&icon, true, path);
}

} // namespace

bool gen_icons(const std::string &dir) {
    return write_icon(img_path(dir, "stop.tga"), paint_stop) &&
           write_icon(img_path(dir, "save.tga"), paint_disk);
}
