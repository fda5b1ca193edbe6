// The backdrop "la.jpg": a ruined city burning at night. A starry sky with a low
// moon, lit orange from below by the fires; three rows of shattered towers, the
// nearer ones darker, with burning windows and blazes on their broken tops; smoke
// rising from the fires and blown to the right by the same wind that pushes the
// helicopter; rubble and embers along the ground.
#include "assetgen/assetgen.h"
#include "assetgen/image_util.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <jpgalleg.h>

namespace {

constexpr int W = 1024, H = 768;

// Where the city burns: centres of the orange glow on the sky and the smoke.
struct glow_spot {
    float x, y, spread_x, spread_y, strength;
};
constexpr glow_spot GLOW_SPOTS[] = {
    {40, 700, 260, 260, 0.85f}, {300, 640, 220, 190, 0.55f}, {560, 700, 260, 200, 0.6f},
    {780, 620, 200, 170, 0.5f}, {990, 690, 240, 260, 0.85f},
};

constexpr img_colour FIRE_GLOW = {255, 112, 36};

float sky_glow(float x, float y) {
    float g = 0.0f;
    for (const glow_spot &s : GLOW_SPOTS) {
        float dx = (x - s.x) / s.spread_x, dy = (y - s.y) / s.spread_y;
        g += s.strength * std::exp(-(dx * dx + dy * dy));
    }
    return g;
}

// ---------------------------------------------------------------- sky

void paint_sky(img_canvas *c) {
    constexpr img_colour BANDS[] = {{3, 4, 16},   {10, 10, 34},  {26, 16, 44},
                                    {64, 24, 38}, {112, 40, 28}, {140, 52, 26}};
    constexpr float BAND_Y[] = {0, 220, 380, 520, 640, 768};
    for (int y = 0; y < H; y++) {
        int b = 0;
        while (b < 4 && y > BAND_Y[b + 1]) b++;
        float t = (y - BAND_Y[b]) / (BAND_Y[b + 1] - BAND_Y[b]);
        img_colour base = img_mix(BANDS[b], BANDS[b + 1], img_smoothstep(0, 1, t));
        for (int x = 0; x < W; x++) {
            img_colour col = base;
            float g = sky_glow((float)x, (float)y);
            col.r += FIRE_GLOW.r * 0.55f * g;
            col.g += FIRE_GLOW.g * 0.45f * g;
            col.b += FIRE_GLOW.b * 0.4f * g;
            c->px[(size_t)y * W + x] = col;
        }
    }
}

void paint_stars(img_canvas *c, img_rng *rng) {
    for (int i = 0; i < 700; i++) {
        int x = img_rand(rng) % W;
        float u = img_rand_unit(rng);
        int y = (int)(u * u * 520);
        float bright = 0.25f + 0.75f * img_rand_unit(rng) * img_rand_unit(rng);
        int tint = img_rand(rng) % 3;
        // The glow of the fires drowns the faint stars near the skyline.
        float a = bright * img_clamp(1.2f - 2.2f * sky_glow((float)x, (float)y) - y / 700.0f, 0, 1);
        img_colour col = tint == 0   ? img_colour{200, 215, 255}
                         : tint == 1 ? img_colour{255, 240, 215}
                                     : img_colour{245, 245, 250};
        img_blend(c, x, y, col, a);
        if (bright > 0.82f) {
            for (int d = -1; d <= 1; d += 2) {
                img_blend(c, x + d, y, col, a * 0.45f);
                img_blend(c, x, y + d, col, a * 0.45f);
            }
            if (bright > 0.93f)
                for (int d = -2; d <= 2; d += 4) {
                    img_blend(c, x + d, y, col, a * 0.2f);
                    img_blend(c, x, y + d, col, a * 0.2f);
                }
        }
    }
}

// A moon low in the east, tinted by the smoky air, with a soft halo.
void paint_moon(img_canvas *c) {
    constexpr float MX = 988, MY = 66, R = 21;
    for (int y = 0; y < 240; y++)
        for (int x = 760; x < W; x++) {
            float dx = x - MX, dy = y - MY, d = std::sqrt(dx * dx + dy * dy);
            if (d > R + 0.5f) {
                float halo = std::exp(-(d - R) / 24.0f) * 0.35f * img_smoothstep(200, 120, d);
                img_add(c, x, y, {170, 150, 120}, halo);
                continue;
            }
            float edge = img_clamp(R + 0.5f - d, 0, 1);
            float maria = img_fbm(x * 0.12f, y * 0.12f, 3, 71);
            float shade = 0.78f + 0.22f * (1 - d / R) - 0.22f * img_smoothstep(0.5f, 0.7f, maria);
            // The shadowed limb: a gibbous moon lit from the upper right.
            float lit = img_smoothstep(-0.7f, -0.1f, (dx * 0.8f - dy * 0.6f) / R + 0.35f);
            img_colour col = img_scale({242, 226, 190}, shade * (0.25f + 0.75f * lit));
            img_blend(c, x, y, col, edge);
        }
}

// A ceiling of smoke across the upper sky, lit orange from below where it lies
// over the fires, torn so that stars show between its rags.
void paint_smoke_ceiling(img_canvas *c) {
    for (int y = 0; y < 560; y++)
        for (int x = 0; x < W; x++) {
            float n = img_fbm(x / 210.0f + y / 500.0f, y / 90.0f, 5, 11);
            // Thicker in a band at mid height and toward the right, where the
            // plumes drift.
            float band = std::exp(-((y - 250.0f) * (y - 250.0f)) / (2 * 120.0f * 120.0f));
            float density = img_smoothstep(0.45f, 0.78f, n * (0.7f + 0.45f * band) + x / 6000.0f);
            if (density <= 0) continue;
            float g = sky_glow((float)x, y + 120.0f);
            img_colour col = img_mix({22, 18, 26}, {150, 70, 40}, img_clamp(g * 0.8f, 0, 1));
            img_blend(c, x, y, col, density * 0.8f);
        }
}

// ---------------------------------------------------------------- smoke plumes

struct plume {
    float x, y;   // where the smoke leaves the fire
    float width;  // at its source
    float height; // how far it rises before it flattens into the ceiling
    float drift;  // how far the wind carries it to the right at its top
    uint32_t seed;
};

void paint_plume(img_canvas *c, const plume &p) {
    int top = (int)(p.y - p.height);
    if (top < 0) top = 0;
    for (int y = top; y < (int)p.y; y++) {
        float rise = (p.y - y) / p.height;               // 0 at the fire, 1 at the top
        float cx = p.x + p.drift * std::pow(rise, 1.8f); // bent over by the wind
        float half = p.width * 0.5f + p.height * 0.32f * rise;
        int x0 = (int)(cx - half * 1.5f), x1 = (int)(cx + half * 1.5f);
        for (int x = x0 < 0 ? 0 : x0; x <= x1 && x < W; x++) {
            float across = std::fabs(x - cx) / half;
            float n = img_fbm(x / 48.0f, y / 40.0f + rise * 2.0f, 5, p.seed);
            float body = (1.25f - across) * (0.55f + 0.9f * n) - 0.35f;
            float a = img_smoothstep(0.0f, 0.45f, body) *
                      img_smoothstep(0.0f, 0.08f, rise + 0.02f) *
                      (1.0f - img_smoothstep(0.5f, 1.0f, rise));
            if (a <= 0) continue;
            // Lit from below by its fire, then grey-brown, then lost in the dark.
            img_colour lit = {190, 92, 40}, mid = {74, 52, 50}, high = {34, 28, 36};
            img_colour col = rise < 0.25f
                                 ? img_mix(lit, mid, rise / 0.25f)
                                 : img_mix(mid, high, img_clamp((rise - 0.25f) / 0.6f, 0, 1));
            col = img_scale(col, 0.75f + 0.5f * n);
            img_blend(c, x, y, col, a * 0.9f);
        }
    }
}

// ---------------------------------------------------------------- fire

// Flames with tongues from noise, white-yellow at the core, red and thin at the tips,
// and the light they throw on their surroundings.
void paint_flames(img_canvas *c, float cx, float base, float width, float height, uint32_t seed) {
    int x0 = (int)(cx - width), x1 = (int)(cx + width);
    int y0 = (int)(base - height * 1.6f), y1 = (int)(base + 4);
    float glow_r = width * 1.6f + height;
    for (int y = (int)(base - glow_r); y < (int)(base + glow_r * 0.5f); y++)
        for (int x = (int)(cx - glow_r); x < (int)(cx + glow_r); x++) {
            float dx = (x - cx) / glow_r, dy = (y - (base - height * 0.4f)) / glow_r;
            float d2 = dx * dx + dy * dy;
            if (d2 < 1) img_add(c, x, y, FIRE_GLOW, 0.22f * (1 - d2) * (1 - d2));
        }
    for (int y = y0; y < y1; y++)
        for (int x = x0; x < x1; x++) {
            float u = (x - cx) / (width * 0.5f);
            float v = (base - y) / height; // 0 at the base, 1 at the usual tip
            float n =
                img_smoothstep(0.3f, 0.72f, img_fbm(x / 7.0f, (y + v * 24.0f) / 9.0f, 4, seed));
            float reach = (1.0f - u * u * 0.85f) * (0.3f + 1.2f * n);
            float heat = img_clamp(1.0f - v / std::fmax(reach, 0.01f), 0, 1);
            if (std::fabs(u) > 1.15f || heat <= 0) continue;
            heat *= img_clamp(1.3f - std::fabs(u), 0, 1);
            img_colour col;
            if (heat < 0.35f)
                col = img_mix({150, 20, 8}, {245, 90, 18}, heat / 0.35f);
            else if (heat < 0.7f)
                col = img_mix({245, 90, 18}, {255, 190, 50}, (heat - 0.35f) / 0.35f);
            else
                col = img_mix({255, 190, 50}, {255, 248, 200}, (heat - 0.7f) / 0.3f);
            img_blend(c, x, y, col, img_smoothstep(0.0f, 0.22f, heat));
        }
}

// A fire along a stretch of broken ground or roof: several flames of different
// sizes, each standing on the line base_at gives for its x.
template <typename Base>
void paint_blaze(img_canvas *c, int x0, int x1, float tall, uint32_t seed, Base base_at) {
    img_rng rng = {seed};
    for (int x = x0; x < x1;) {
        int w = img_rand_range(&rng, 12, 26);
        float h = tall * (0.5f + 0.7f * img_rand_unit(&rng));
        int cx = x + w / 2;
        paint_flames(c, (float)cx, (float)base_at(cx), (float)w, h, seed + (uint32_t)x);
        x += w * 2 / 3;
    }
}

// ---------------------------------------------------------------- towers

struct row_style {
    int min_w, max_w;     // tower widths
    int min_top, max_top; // roof heights
    int gap;              // largest gap between towers
    img_colour wall;      // silhouette colour
    float glow_tint;      // how much the fire glow lights the walls
    int win_w, win_h, pitch_x, pitch_y;
    int lit_per_mille, burning_per_mille;
    int ruined_percent;
    int rooftop_fire_percent;
    uint32_t seed;
};

constexpr row_style FAR_ROW = {26, 70, 300, 470, 4,  {58, 36, 58}, 0.28f, 2,
                               2,  6,  7,   40,  20, 35,           0,     101};
constexpr row_style MID_ROW = {40, 96, 300, 560, 14, {30, 20, 34}, 0.2f, 4,
                               5,  9,  12,  30,  30, 50,           25,   202};
constexpr row_style NEAR_ROW = {60, 130, 250, 640, 40, {11, 9, 14}, 0.12f, 6,
                                8,  13,  17,  14,  45, 65,          40,    303};

struct tower {
    int x0, x1, top;
    bool ruined;
    bool collapse_left;
    int collapse_depth;
    int setback; // an upper storey set back from the edges, 0 for none
    int antenna; // antenna height, 0 for none
    uint32_t seed;
};

uint32_t mix32(uint32_t a, uint32_t b) {
    uint32_t h = a * 2654435761u ^ (b + 0x9E3779B9u + (a << 6) + (a >> 2));
    h ^= h >> 15;
    h *= 2246822519u;
    return h ^ (h >> 13);
}

// The roof line: flat, or broken down toward one side with jagged teeth and
// steel columns standing above the rubble.
int roof_at(const tower &t, int x) {
    int w = t.x1 - t.x0;
    if (!t.ruined) {
        int from_edge = std::min(x - t.x0, t.x1 - 1 - x);
        return (t.setback && from_edge < w / 5) ? t.top + t.setback : t.top;
    }
    float f = (float)(x - t.x0) / w;
    if (t.collapse_left) f = 1 - f;
    int drop = (int)(t.collapse_depth * f * f);
    int teeth = (int)(mix32(t.seed, (uint32_t)(x / 3)) % 12);
    if (mix32(t.seed + 7, (uint32_t)(x / 9)) % 5 == 0) teeth += 14; // a chunk bitten out
    int column = (x - t.x0) % 17;
    if (column == 5 || column == 6) {
        uint32_t h = mix32(t.seed + 3, (uint32_t)((x - t.x0) / 17));
        if (h % 3 == 0) return t.top + drop - (int)(h % 22); // bare steel above the break
    }
    return t.top + drop + teeth;
}

struct row_result {
    tower towers[24];
    int count;
};

void plan_row(const row_style &s, img_rng *rng, row_result *out) {
    out->count = 0;
    int x = -img_rand_range(rng, 0, s.max_w / 2);
    while (x < W && out->count < 24) {
        tower &t = out->towers[out->count++];
        int w = img_rand_range(rng, s.min_w, s.max_w);
        t.x0 = x;
        t.x1 = x + w;
        t.top = img_rand_range(rng, s.min_top, s.max_top);
        t.ruined = img_rand(rng) % 100 < s.ruined_percent;
        t.collapse_left = img_rand(rng) % 2 == 0;
        t.collapse_depth = img_rand_range(rng, 20, 120);
        t.setback = img_rand(rng) % 3 == 0 ? img_rand_range(rng, 8, 30) : 0;
        t.antenna = !t.ruined && img_rand(rng) % 3 == 0 ? img_rand_range(rng, 14, 40) : 0;
        t.seed = (uint32_t)img_rand(rng) * 977u + s.seed;
        x += w + img_rand_range(rng, -w / 4, s.gap);
    }
}

void paint_window(img_canvas *c, int x, int y, int w, int h, img_colour col, float a) {
    for (int yy = y; yy < y + h; yy++)
        for (int xx = x; xx < x + w; xx++) img_blend(c, xx, yy, col, a);
}

void paint_row(img_canvas *c, const row_style &s, const row_result &row,
               std::vector<plume> *plumes) {
    for (int i = 0; i < row.count; i++) {
        const tower &t = row.towers[i];
        // Walls: the silhouette colour, lit by the glow and, lower down, by the
        // fires in the streets; the edge toward the brighter side catches light.
        for (int x = std::max(t.x0, 0); x < std::min(t.x1, W); x++) {
            int roof = roof_at(t, x);
            bool edge = x - t.x0 < 2 || t.x1 - x <= 2;
            for (int y = std::max(roof, 0); y < H; y++) {
                float g = sky_glow((float)x, (float)y);
                float street = img_smoothstep(420, 768, (float)y) * 0.5f;
                img_colour col = s.wall;
                float k = s.glow_tint * (g + street) * (edge ? 1.8f : 1.0f);
                col.r += FIRE_GLOW.r * k * 0.6f;
                col.g += FIRE_GLOW.g * k * 0.45f;
                col.b += FIRE_GLOW.b * k * 0.35f;
                c->px[(size_t)y * W + x] = col;
            }
        }
        if (t.antenna) {
            int ax = (t.x0 + t.x1) / 2;
            for (int y = t.top - t.antenna; y < t.top; y++) img_blend(c, ax, y, s.wall, 1);
            img_blend(c, ax, t.top - t.antenna - 1, {255, 40, 30}, 0.9f);
            img_add(c, ax - 1, t.top - t.antenna - 1, {255, 40, 30}, 0.3f);
            img_add(c, ax + 1, t.top - t.antenna - 1, {255, 40, 30}, 0.3f);
        }
        // Windows: mostly dark and empty, a few with a weak light, some burning.
        int margin = s.pitch_x / 2;
        for (int wy = t.top + 6; wy < H; wy += s.pitch_y)
            for (int wx = t.x0 + margin; wx + s.win_w <= t.x1 - margin + 1; wx += s.pitch_x) {
                if (wy < roof_at(t, wx) + 4 || wy < roof_at(t, wx + s.win_w - 1) + 4) continue;
                uint32_t h = mix32(t.seed, (uint32_t)(wx * 7919 + wy)) % 1000;
                // Fire spreads upward from the lower floors.
                int burning = s.burning_per_mille + (wy > 560 ? 30 : 0);
                if ((int)h < burning) {
                    float flicker = 0.7f + 0.3f * img_noise(wx * 0.3f, wy * 0.3f, t.seed);
                    paint_window(c, wx, wy, s.win_w, s.win_h,
                                 img_mix({230, 80, 20}, {255, 210, 90}, flicker - 0.5f), 1);
                    for (int gy = -s.win_h; gy < 2 * s.win_h; gy++)
                        for (int gx = -s.win_w; gx < 2 * s.win_w; gx++) {
                            float dx = (gx - s.win_w * 0.5f) / (s.win_w * 1.5f);
                            float dy = (gy - s.win_h * 0.5f) / (s.win_h * 1.5f);
                            float d2 = dx * dx + dy * dy;
                            if (d2 < 1) img_add(c, wx + gx, wy + gy, FIRE_GLOW, 0.16f * (1 - d2));
                        }
                } else if ((int)h < burning + s.lit_per_mille) {
                    paint_window(c, wx, wy, s.win_w, s.win_h, {200, 170, 100}, 0.55f);
                } else {
                    paint_window(c, wx, wy, s.win_w, s.win_h, img_scale(s.wall, 0.55f), 0.8f);
                }
            }
        // A blaze on a broken top, with its smoke.
        if (t.ruined && (int)(mix32(t.seed, 99) % 100) < s.rooftop_fire_percent) {
            int mid = (t.x0 + t.x1) / 2, w = t.x1 - t.x0;
            float base = (float)roof_at(t, mid) + 6;
            float width = w * 0.55f;
            paint_blaze(c, t.x0 + w / 8, t.x1 - w / 8, w * 0.35f + 8, t.seed,
                        [&](int x) { return roof_at(t, x) + 5; });
            if (plumes)
                plumes->push_back({(float)mid, base - width * 0.5f, width * 0.8f,
                                   220 + (float)(t.seed % 140), 160 + (float)(t.seed % 120),
                                   t.seed + 5});
        }
    }
}

// ---------------------------------------------------------------- ground

void paint_rubble(img_canvas *c, img_rng *rng) {
    // Heaps of broken concrete along the bottom, black against the street fires.
    int rubble_top[W];
    for (int x = 0; x < W; x++) {
        float n = img_fbm(x / 55.0f, 0.5f, 5, 404);
        float jag = (float)(mix32(505, (uint32_t)(x / 4)) % 7);
        int top = (int)(735 - 70 * n + jag);
        // Bent bars sticking out of the heaps.
        if (mix32(506, (uint32_t)(x / 2)) % 23 == 0) top -= 6 + (int)(mix32(507, (uint32_t)x) % 12);
        rubble_top[x] = top;
        for (int y = top; y < H; y++) {
            // Chunks of concrete catching the firelight on their upper faces.
            float facet = img_fbm(x / 7.0f, y / 5.0f, 3, 909);
            float light =
                sky_glow((float)x, (float)y) * (1.0f - img_smoothstep(top, top + 60.0f, y));
            float rim = 1.0f - img_smoothstep((float)top, top + 3.0f, (float)y);
            img_colour col = img_scale({20, 14, 15}, 0.5f + facet);
            col =
                img_mix(col, {150, 66, 28}, img_clamp(light * (0.35f * facet + 0.6f * rim), 0, 1));
            c->px[(size_t)y * W + x] = col;
        }
    }
    constexpr int STREET_FIRES[][3] = {{0, 80, 60},    {200, 250, 34}, {390, 450, 40},
                                       {580, 650, 50}, {820, 860, 34}, {950, 1024, 64}};
    uint32_t seed = 600;
    for (const auto &f : STREET_FIRES)
        paint_blaze(c, f[0], f[1], (float)f[2], seed++, [&](int x) {
            // A flame's centre may lie past the right edge.
            return rubble_top[std::min(std::max(x, 0), W - 1)] + 6;
        });
    // Embers carried up and to the right.
    for (int i = 0; i < 260; i++) {
        int x = img_rand(rng) % W;
        int y = 300 + img_rand(rng) % 468;
        float a = 0.3f + 0.7f * img_rand_unit(rng);
        img_colour col = img_rand(rng) % 2 ? img_colour{255, 180, 60} : img_colour{255, 110, 30};
        img_blend(c, x, y, col, a);
        if (a > 0.8f) img_blend(c, x - 1, y + 1, col, a * 0.4f);
    }
}

// A haze of smoke hanging over the streets, and faint grain so that the smooth sky
// dithers instead of banding once the game turns it into 16-bit colour.
void paint_haze_and_grain(img_canvas *c) {
    for (int y = 0; y < H; y++)
        for (int x = 0; x < W; x++) {
            size_t i = (size_t)y * W + x;
            float low = img_smoothstep(520, 700, (float)y);
            if (low > 0) {
                float n = img_fbm(x / 120.0f, y / 30.0f, 4, 707);
                float g = sky_glow((float)x, (float)y);
                img_colour haze = img_mix({60, 34, 32}, {200, 96, 44}, img_clamp(g, 0, 1));
                c->px[i] = img_mix(c->px[i], haze, low * 0.25f * img_smoothstep(0.35f, 0.75f, n));
            }
            float grain = ((float)(mix32(808, (uint32_t)i) % 1000) / 1000.0f - 0.5f) * 5.0f;
            c->px[i].r += grain;
            c->px[i].g += grain;
            c->px[i].b += grain;
        }
}

} // namespace

bool gen_backdrop(const std::string &dir) {
    img_canvas c;
    img_canvas_init(&c, W, H, {0, 0, 0}, 1.0f);
    img_rng rng = {20240611u};
    paint_sky(&c);
    paint_stars(&c, &rng);
    paint_moon(&c);
    paint_smoke_ceiling(&c);

    row_result far_row, mid_row, near_row;
    plan_row(FAR_ROW, &rng, &far_row);
    plan_row(MID_ROW, &rng, &mid_row);
    plan_row(NEAR_ROW, &rng, &near_row);
    std::vector<plume> plumes;
    paint_row(&c, FAR_ROW, far_row, nullptr);
    paint_row(&c, MID_ROW, mid_row, &plumes);
    for (const plume &p : plumes) paint_plume(&c, p);
    plumes.clear();
    paint_row(&c, NEAR_ROW, near_row, &plumes);
    for (const plume &p : plumes) paint_plume(&c, p);
    paint_rubble(&c, &rng);
    paint_haze_and_grain(&c);

    BITMAP *bmp = img_to_bitmap(&c, false);
    if (!bmp) {
        fprintf(stderr, "assetgen: out of memory for the backdrop\n");
        return false;
    }
    std::string path = img_path(dir, "la.jpg");
    bool ok = save_jpg_ex(path.c_str(), bmp, nullptr, 92, JPG_SAMPLING_444, nullptr) == 0;
    destroy_bitmap(bmp);
    if (!ok) fprintf(stderr, "assetgen: cannot write %s\n", path.c_str());
    return ok;
}
