#include "assetgen/people_canvas.h"

#include <cmath>
#include <cstdio>
#include <vector>

static int clamp_byte(int v) {
    return v < 0 ? 0 : v > 255 ? 255 : v;
}

rgb shade(rgb c, int percent) {
    return {(uint8_t)clamp_byte(c.r * percent / 100), (uint8_t)clamp_byte(c.g * percent / 100),
            (uint8_t)clamp_byte(c.b * percent / 100)};
}

rgb mix(rgb a, rgb b, int weight_b) {
    int wa = 100 - weight_b;
    return {(uint8_t)((a.r * wa + b.r * weight_b) / 100),
            (uint8_t)((a.g * wa + b.g * weight_b) / 100),
            (uint8_t)((a.b * wa + b.b * weight_b) / 100)};
}

static bool inside(int x, int y) {
    return x >= CANVAS_X0 && x < CANVAS_X0 + CANVAS_W && y >= CANVAS_Y0 && y < CANVAS_Y0 + CANVAS_H;
}

void canvas_clear(people_canvas &c) {
    for (auto &row : c.px)
        for (rgb &p : row) p = MASK_RGB;
}

void canvas_put(people_canvas &c, int x, int y, rgb col) {
    if (inside(x, y)) c.px[y - CANVAS_Y0][x - CANVAS_X0] = col;
}

rgb canvas_at(const people_canvas &c, int x, int y) {
    return inside(x, y) ? c.px[y - CANVAS_Y0][x - CANVAS_X0] : MASK_RGB;
}

bool canvas_opaque(const people_canvas &c, int x, int y) {
    return canvas_at(c, x, y) != MASK_RGB;
}

void canvas_hline(people_canvas &c, int x0, int x1, int y, rgb col) {
    for (int x = x0; x <= x1; x++) canvas_put(c, x, y, col);
}

void canvas_rect(people_canvas &c, int x0, int y0, int x1, int y1, rgb col) {
    for (int y = y0; y <= y1; y++) canvas_hline(c, x0, x1, y, col);
}

void canvas_tint(people_canvas &c, int x, int y, rgb col) {
    if (canvas_opaque(c, x, y)) canvas_put(c, x, y, col);
}

void mask_clear(people_mask &m) {
    for (auto &row : m.on)
        for (bool &b : row) b = false;
}

void mask_set(people_mask &m, int x, int y) {
    if (inside(x, y)) m.on[y - CANVAS_Y0][x - CANVAS_X0] = true;
}

bool mask_at(const people_mask &m, int x, int y) {
    return inside(x, y) && m.on[y - CANVAS_Y0][x - CANVAS_X0];
}

void mask_rect(people_mask &m, int x0, int y0, int x1, int y1) {
    for (int y = y0; y <= y1; y++)
        for (int x = x0; x <= x1; x++) mask_set(m, x, y);
}

void mask_polygon(people_mask &m, const double *xy, int n) {
    // Same-side test against every edge, either winding.
    for (int y = CANVAS_Y0; y < CANVAS_Y0 + CANVAS_H; y++)
        for (int x = CANVAS_X0; x < CANVAS_X0 + CANVAS_W; x++) {
            double px = x + 0.5, py = y + 0.5;
            int sign = 0;
            bool in = true;
            for (int i = 0; i < n && in; i++) {
                double ax = xy[2 * i], ay = xy[2 * i + 1];
                double bx = xy[2 * ((i + 1) % n)], by = xy[2 * ((i + 1) % n) + 1];
                double cross = (bx - ax) * (py - ay) - (by - ay) * (px - ax);
                int s = cross > 1e-9 ? 1 : cross < -1e-9 ? -1 : 0;
                if (s == 0) continue;
                if (sign == 0)
                    sign = s;
                else if (s != sign)
                    in = false;
            }
            if (in) mask_set(m, x, y);
        }
}

void mask_stroke(people_mask &m, double x0, double y0, double x1, double y1, double thickness) {
    double r = thickness / 2, dx = x1 - x0, dy = y1 - y0;
    double len2 = dx * dx + dy * dy;
    for (int y = (int)std::floor(std::fmin(y0, y1) - r) - 1;
         y <= (int)std::ceil(std::fmax(y0, y1) + r); y++)
        for (int x = (int)std::floor(std::fmin(x0, x1) - r) - 1;
             x <= (int)std::ceil(std::fmax(x0, x1) + r); x++) {
            double px = x + 0.5 - x0, py = y + 0.5 - y0;
            double t = len2 > 0 ? (px * dx + py * dy) / len2 : 0;
            t = t < 0 ? 0 : t > 1 ? 1 : t;
            double ex = px - t * dx, ey = py - t * dy;
            if (ex * ex + ey * ey <= r * r) mask_set(m, x, y);
        }
}

void canvas_paint(people_canvas &c, const people_mask &m, rgb base, rgb left_edge, rgb right_edge) {
    for (int y = CANVAS_Y0; y < CANVAS_Y0 + CANVAS_H; y++)
        for (int x = CANVAS_X0; x < CANVAS_X0 + CANVAS_W; x++) {
            if (!mask_at(m, x, y)) continue;
            bool left = !mask_at(m, x - 1, y), right = !mask_at(m, x + 1, y);
            canvas_put(c, x, y, left ? left_edge : right ? right_edge : base);
        }
}

static void put_le(std::vector<uint8_t> &out, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; i++) out.push_back((uint8_t)(v >> (8 * i)));
}

bool canvas_write_part(const std::string &path, const people_canvas &c, int left, int top, int w) {
    int bottom = top;
    for (int y = CANVAS_Y0; y < CANVAS_Y0 + CANVAS_H; y++)
        for (int x = CANVAS_X0; x < CANVAS_X0 + CANVAS_W; x++) {
            if (!canvas_opaque(c, x, y)) continue;
            if (x < left || x >= left + w || y < top) {
                fprintf(stderr, "assetgen: %s: pixel (%d, %d) lies outside the part's window\n",
                        path.c_str(), x, y);
                return false;
            }
            if (y > bottom) bottom = y;
        }
    int h = bottom - top + 1;
    int stride = (w * 3 + 3) & ~3;
    std::vector<uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    put_le(out, 54 + stride * h, 4); // file size
    put_le(out, 0, 4);
    put_le(out, 54, 4); // pixel data offset
    put_le(out, 40, 4); // info header size
    put_le(out, w, 4);
    put_le(out, h, 4);  // positive: rows stored bottom-up
    put_le(out, 1, 2);  // planes
    put_le(out, 24, 2); // bits per pixel
    put_le(out, 0, 4);  // no compression
    put_le(out, stride * h, 4);
    put_le(out, 2835, 4); // 72 dpi
    put_le(out, 2835, 4);
    put_le(out, 0, 4);
    put_le(out, 0, 4);
    for (int row = h - 1; row >= 0; row--) {
        for (int col = 0; col < w; col++) {
            rgb p = canvas_at(c, left + col, top + row);
            out.push_back(p.b);
            out.push_back(p.g);
            out.push_back(p.r);
        }
        for (int pad = w * 3; pad < stride; pad++) out.push_back(0);
    }
    FILE *f = fopen(path.c_str(), "wb");
    if (!f) {
        fprintf(stderr, "assetgen: cannot write %s\n", path.c_str());
        return false;
    }
    bool ok = fwrite(out.data(), 1, out.size(), f) == out.size();
    ok = fclose(f) == 0 && ok;
    if (!ok) fprintf(stderr, "assetgen: writing %s failed\n", path.c_str());
    return ok;
}
