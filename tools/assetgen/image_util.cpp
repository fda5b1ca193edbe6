#include "assetgen/image_util.h"

#include "assetgen/png_writer.h"

#include <cmath>
#include <cstdio>

void img_canvas_init(img_canvas *c, int w, int h, img_colour fill, float cover) {
    c->w = w;
    c->h = h;
    c->px.assign((size_t)w * h, fill);
    c->cover.assign((size_t)w * h, cover);
}

img_colour img_mix(img_colour a, img_colour b, float t) {
    return {img_mix(a.r, b.r, t), img_mix(a.g, b.g, t), img_mix(a.b, b.b, t)};
}

img_colour img_scale(img_colour c, float k) {
    return {c.r * k, c.g * k, c.b * k};
}

float img_smoothstep(float e0, float e1, float x) {
    float t = img_clamp((x - e0) / (e1 - e0), 0.0f, 1.0f);
    return t * t * (3.0f - 2.0f * t);
}

void img_blend(img_canvas *c, int x, int y, img_colour col, float a) {
    if (x < 0 || y < 0 || x >= c->w || y >= c->h || a <= 0.0f) return;
    a = img_clamp(a, 0.0f, 1.0f);
    size_t i = (size_t)y * c->w + x;
    c->px[i] = img_mix(c->px[i], col, a);
    c->cover[i] = c->cover[i] + (1.0f - c->cover[i]) * a;
}

void img_add(img_canvas *c, int x, int y, img_colour col, float a) {
    if (x < 0 || y < 0 || x >= c->w || y >= c->h || a <= 0.0f) return;
    img_colour &p = c->px[(size_t)y * c->w + x];
    p.r += col.r * a;
    p.g += col.g * a;
    p.b += col.b * a;
}

int img_rand(img_rng *r) {
    r->state = r->state * 214013u + 2531011u;
    return (int)((r->state >> 16) & 0x7FFF);
}

int img_rand_range(img_rng *r, int lo, int hi) {
    return lo + img_rand(r) % (hi - lo + 1);
}

float img_rand_unit(img_rng *r) {
    return (float)img_rand(r) / 32767.0f;
}

static uint32_t lattice_hash(int x, int y, uint32_t seed) {
    uint32_t h = (uint32_t)x * 374761393u + (uint32_t)y * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return h ^ (h >> 16);
}

static float lattice(int x, int y, uint32_t seed) {
    return (float)(lattice_hash(x, y, seed) & 0xFFFF) / 65535.0f;
}

float img_noise(float x, float y, uint32_t seed) {
    float fx = std::floor(x), fy = std::floor(y);
    int ix = (int)fx, iy = (int)fy;
    float tx = x - fx, ty = y - fy;
    tx = tx * tx * (3.0f - 2.0f * tx);
    ty = ty * ty * (3.0f - 2.0f * ty);
    float a = img_mix(lattice(ix, iy, seed), lattice(ix + 1, iy, seed), tx);
    float b = img_mix(lattice(ix, iy + 1, seed), lattice(ix + 1, iy + 1, seed), tx);
    return img_mix(a, b, ty);
}

float img_fbm(float x, float y, int octaves, uint32_t seed) {
    float sum = 0.0f, amp = 0.5f, norm = 0.0f;
    for (int o = 0; o < octaves; o++) {
        sum += amp * img_noise(x, y, seed + (uint32_t)o * 101u);
        norm += amp;
        amp *= 0.5f;
        x = x * 2.03f + 17.1f;
        y = y * 2.03f + 5.7f;
    }
    return sum / norm;
}

static int channel(float v) {
    return (int)img_clamp(v + 0.5f, 0.0f, 255.0f);
}

BITMAP *img_to_bitmap(const img_canvas *c, bool masked) {
    BITMAP *bmp = create_bitmap_ex(24, c->w, c->h);
    if (!bmp) return nullptr;
    int mask = makecol24(255, 0, 255);
    for (int y = 0; y < c->h; y++)
        for (int x = 0; x < c->w; x++) {
            size_t i = (size_t)y * c->w + x;
            if (masked && c->cover[i] < 0.5f) {
                putpixel(bmp, x, y, mask);
                continue;
            }
            int r = channel(c->px[i].r), g = channel(c->px[i].g), b = channel(c->px[i].b);
            // In 16 bits anything this close to magenta would vanish as the mask.
            if (r >= 248 && g < 8 && b >= 248) g = 8;
            putpixel(bmp, x, y, makecol24(r, g, b));
        }
    return bmp;
}

bool img_save(const img_canvas *c, bool masked, const std::string &path) {
    BITMAP *bmp = img_to_bitmap(c, masked);
    if (!bmp) {
        fprintf(stderr, "assetgen: out of memory for %s\n", path.c_str());
        return false;
    }
    bool ok = save_bitmap(path.c_str(), bmp, nullptr) == 0;
    destroy_bitmap(bmp);
    if (!ok) fprintf(stderr, "assetgen: cannot write %s\n", path.c_str());
    return ok;
}

bool img_save_png(const img_canvas *c, const std::string &path) {
    std::vector<uint8_t> rgba;
    rgba.reserve((size_t)c->w * c->h * 4);
    for (size_t i = 0; i < c->px.size(); i++) {
        const img_colour &p = c->px[i];
        rgba.insert(rgba.end(), {(uint8_t)channel(p.r), (uint8_t)channel(p.g),
                                 (uint8_t)channel(p.b), (uint8_t)channel(c->cover[i] * 255)});
    }
    return png_write_rgba(path, c->w, c->h, rgba);
}

void img_downsample(const img_canvas *big, int scale, img_canvas *out) {
    int w = big->w / scale, h = big->h / scale;
    img_canvas_init(out, w, h, {0, 0, 0}, 0.0f);
    float samples = (float)(scale * scale);
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) {
            img_colour sum = {0, 0, 0};
            float covered = 0.0f;
            for (int sy = 0; sy < scale; sy++)
                for (int sx = 0; sx < scale; sx++) {
                    size_t i = (size_t)(y * scale + sy) * big->w + (x * scale + sx);
                    float k = big->cover[i];
                    sum.r += big->px[i].r * k;
                    sum.g += big->px[i].g * k;
                    sum.b += big->px[i].b * k;
                    covered += k;
                }
            size_t o = (size_t)y * w + x;
            out->cover[o] = covered / samples;
            if (covered > 0.0f) out->px[o] = img_scale(sum, 1.0f / covered);
        }
}

void img_outline(img_canvas *c, float darken) {
    std::vector<float> edge(c->cover.size(), 0.0f);
    for (int y = 0; y < c->h; y++)
        for (int x = 0; x < c->w; x++) {
            if (c->cover[(size_t)y * c->w + x] < 0.5f) continue;
            bool border = false;
            for (int d = 0; d < 4 && !border; d++) {
                int nx = x + (d == 0) - (d == 1), ny = y + (d == 2) - (d == 3);
                border = nx < 0 || ny < 0 || nx >= c->w || ny >= c->h ||
                         c->cover[(size_t)ny * c->w + nx] < 0.5f;
            }
            if (border) edge[(size_t)y * c->w + x] = 1.0f;
        }
    for (size_t i = 0; i < edge.size(); i++)
        if (edge[i] > 0.0f) c->px[i] = img_scale(c->px[i], 1.0f - darken);
}

void img_fill_where(img_canvas *c, float scale, float x0, float y0, float x1, float y1,
                    const img_inside &inside, const img_shader &shade) {
    int sx0 = (int)std::floor(x0 * scale) - 1, sy0 = (int)std::floor(y0 * scale) - 1;
    int sx1 = (int)std::ceil(x1 * scale) + 1, sy1 = (int)std::ceil(y1 * scale) + 1;
    if (sx0 < 0) sx0 = 0;
    if (sy0 < 0) sy0 = 0;
    if (sx1 > c->w) sx1 = c->w;
    if (sy1 > c->h) sy1 = c->h;
    for (int sy = sy0; sy < sy1; sy++)
        for (int sx = sx0; sx < sx1; sx++) {
            float x = (sx + 0.5f) / scale, y = (sy + 0.5f) / scale;
            if (!inside(x, y)) continue;
            size_t i = (size_t)sy * c->w + sx;
            c->px[i] = shade(x, y);
            c->cover[i] = 1.0f;
        }
}

void img_fill_ellipse(img_canvas *c, float scale, float cx, float cy, float rx, float ry,
                      const img_shader &shade) {
    img_fill_where(
        c, scale, cx - rx, cy - ry, cx + rx, cy + ry,
        [=](float x, float y) {
            float dx = (x - cx) / rx, dy = (y - cy) / ry;
            return dx * dx + dy * dy <= 1.0f;
        },
        shade);
}

bool img_in_polygon(const std::vector<img_point> &pts, float x, float y) {
    bool in = false;
    for (size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
        const img_point &a = pts[i], &b = pts[j];
        if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x) in = !in;
    }
    return in;
}

void img_fill_polygon(img_canvas *c, float scale, const std::vector<img_point> &pts,
                      const img_shader &shade) {
    float x0 = pts[0].x, x1 = pts[0].x, y0 = pts[0].y, y1 = pts[0].y;
    for (const img_point &p : pts) {
        x0 = std::fmin(x0, p.x);
        x1 = std::fmax(x1, p.x);
        y0 = std::fmin(y0, p.y);
        y1 = std::fmax(y1, p.y);
    }
    img_fill_where(
        c, scale, x0, y0, x1, y1, [&](float x, float y) { return img_in_polygon(pts, x, y); },
        shade);
}

void img_fill_capsule(img_canvas *c, float scale, float xa, float ya, float xb, float yb,
                      float radius, const img_shader &shade) {
    float dx = xb - xa, dy = yb - ya, len2 = dx * dx + dy * dy;
    img_fill_where(
        c, scale, std::fmin(xa, xb) - radius, std::fmin(ya, yb) - radius,
        std::fmax(xa, xb) + radius, std::fmax(ya, yb) + radius,
        [=](float x, float y) {
            float t = len2 > 0.0f ? img_clamp(((x - xa) * dx + (y - ya) * dy) / len2, 0, 1) : 0;
            float ex = xa + t * dx - x, ey = ya + t * dy - y;
            return ex * ex + ey * ey <= radius * radius;
        },
        shade);
}

void img_fill_ring(img_canvas *c, float scale, float cx, float cy, float r_in, float r_out,
                   const img_shader &shade) {
    img_fill_where(
        c, scale, cx - r_out, cy - r_out, cx + r_out, cy + r_out,
        [=](float x, float y) {
            float d2 = (x - cx) * (x - cx) + (y - cy) * (y - cy);
            return d2 <= r_out * r_out && d2 >= r_in * r_in;
        },
        shade);
}

img_shader img_flat(img_colour col) {
    return [col](float, float) { return col; };
}

std::string img_path(const std::string &dir, const char *name) {
    return dir + "/" + name;
}
