// Painting helpers and the choice of drawing for each graphic.
#include "levelc/tile_art.h"
#include "fmp/fmp_writer.h"
#include "levelc/tile_art_paint.h"

#include <cstdlib>

// Drawn by tile_art_rooms.cpp and tile_art_hazards.cpp.
void art_room(BITMAP *b, const tile_style &s, int furnishing, int detail);
void art_wall(BITMAP *b, const tile_style &s, int variant, int detail);
void art_shaft(BITMAP *b, const tile_style &s, int detail);
void art_door(BITMAP *b, const tile_style &s, bool up, int detail);
void art_roof(BITMAP *b, const tile_style &s, int variant);
void art_fire(BITMAP *b, int set, int frame);
void art_burnt(BITMAP *b);
void art_hole(BITMAP *b, int sides);
void art_beacon_pad(BITMAP *b, int frame);
void art_beacon_door(BITMAP *b, int frame);

namespace paint {

void fill(BITMAP *b, int x0, int y0, int x1, int y1, art_rgb c) {
    rectfill(b, x0, y0, x1, y1, colour(c));
}

art_rgb pixel(BITMAP *b, int x, int y) {
    int p = getpixel(b, x, y);
    return {(uint8_t)getr16(p), (uint8_t)getg16(p), (uint8_t)getb16(p)};
}

void blend_pixel(BITMAP *b, int x, int y, art_rgb c, int alpha) {
    if (x < 0 || y < 0 || x >= b->w || y >= b->h) return;
    int p = getpixel(b, x, y);
    if (p == mask_colour()) return;
    putpixel(b, x, y, colour(mix(pixel(b, x, y), c, alpha)));
}

void blend(BITMAP *b, int x0, int y0, int x1, int y1, art_rgb c, int alpha) {
    for (int y = y0; y <= y1; y++)
        for (int x = x0; x <= x1; x++) blend_pixel(b, x, y, c, alpha);
}

void hline(BITMAP *b, int x0, int x1, int y, art_rgb c) {
    ::hline(b, x0, y, x1, colour(c));
}
void vline(BITMAP *b, int x, int y0, int y1, art_rgb c) {
    ::vline(b, x, y0, y1, colour(c));
}
void line(BITMAP *b, int x0, int y0, int x1, int y1, art_rgb c) {
    ::line(b, x0, y0, x1, y1, colour(c));
}
void disc(BITMAP *b, int x, int y, int radius, art_rgb c) {
    circlefill(b, x, y, radius, colour(c));
}
void triangle(BITMAP *b, int x0, int y0, int x1, int y1, int x2, int y2, art_rgb c) {
    ::triangle(b, x0, y0, x1, y1, x2, y2, colour(c));
}

void box(BITMAP *b, int x0, int y0, int x1, int y1, art_rgb body) {
    fill(b, x0, y0, x1, y1, body);
    hline(b, x0, x1, y0, shade(body, 125));
    vline(b, x0, y0, y1, shade(body, 115));
    hline(b, x0, x1, y1, shade(body, 70));
    vline(b, x1, y0, y1, shade(body, 80));
}

void grain(BITMAP *b, int x0, int y0, int x1, int y1, uint32_t seed, int strength) {
    for (int y = y0; y <= y1; y++)
        for (int x = x0; x <= x1; x++) {
            uint32_t h = hash(x, y, seed);
            if (h % 5) continue;
            bool light = (h >> 8) & 1;
            blend_pixel(b, x, y, light ? rgb(255, 255, 255) : rgb(0, 0, 0), strength);
        }
}

void facade(BITMAP *b, int x0, int y0, int x1, int y1, const tile_style &s) {
    fill(b, x0, y0, x1, y1, s.facade);
    switch (s.texture) {
    case TEXTURE_BRICK:
        // Courses of 4 pixels, bricks of 12 with a half-brick offset.
        for (int y = y0; y <= y1; y++)
            for (int x = x0; x <= x1; x++) {
                int course = y / 4;
                bool joint = y % 4 == 3 || (x + (course % 2) * 6) % 12 == 0;
                if (joint)
                    putpixel(b, x, y, colour(shade(s.facade, 70)));
                else if (hash(x / 12 + course * 7, course) % 4 == 0)
                    putpixel(b, x, y, colour(shade(s.facade, 90)));
            }
        break;
    case TEXTURE_STONE:
        for (int y = y0; y <= y1; y++)
            for (int x = x0; x <= x1; x++) {
                int course = y / 8;
                if (y % 8 == 7 || (x + (course % 2) * 16) % 32 == 0)
                    putpixel(b, x, y, colour(shade(s.facade, 82)));
            }
        grain(b, x0, y0, x1, y1, 11, 24);
        break;
    default:
        // Smooth cladding: a faint joint every half tile.
        for (int x = x0; x <= x1; x++)
            if (x % 32 == 31) vline(b, x, y0, y1, shade(s.facade, 85));
        grain(b, x0, y0, x1, y1, 5, 10);
        break;
    }
}

art_rgb ride_colour(bool up) {
    return up ? rgb(80, 255, 110) : rgb(255, 170, 40);
}

void arrow_sign(BITMAP *b, int cx, int top, bool up, int height) {
    int half = height * 3 / 4;
    fill(b, cx - half - 2, top, cx + half + 1, top + height + 1, rgb(16, 16, 20));
    hline(b, cx - half - 2, cx + half + 1, top + height + 1, rgb(70, 70, 76));
    art_rgb c = ride_colour(up);
    int y0 = top + 1, y1 = top + height;
    if (up)
        triangle(b, cx - half, y1, cx + half - 1, y1, cx, y0, c);
    else
        triangle(b, cx - half, y0, cx + half - 1, y0, cx, y1, c);
}

void elevator_doors(BITMAP *b, int x0, int y0, int x1, int y1) {
    art_rgb frame = rgb(150, 152, 160);
    fill(b, x0, y0, x1, y1, frame);
    hline(b, x0, x1, y0, rgb(200, 202, 210));
    vline(b, x0, y0, y1, rgb(190, 192, 200));
    vline(b, x1, y0, y1, rgb(90, 92, 100));
    int mid = (x0 + x1) / 2;
    for (int y = y0 + 2; y <= y1; y++) {
        int t = (y - y0) * 256 / (y1 - y0 + 1);
        art_rgb steel = mix(rgb(184, 188, 196), rgb(118, 122, 132), t);
        hline(b, x0 + 2, x1 - 2, y, steel);
    }
    // Brushed lines and the gap between the two leaves.
    for (int x = x0 + 4; x < x1 - 2; x += 4) vline(b, x, y0 + 3, y1, rgb(150, 154, 162));
    vline(b, mid, y0 + 2, y1, rgb(40, 42, 48));
    vline(b, mid + 1, y0 + 2, y1, rgb(210, 212, 220));
}

} // namespace paint

bool tile_art_masked(const art_key &key) {
    switch (key.art) {
    case ART_EMPTY:
    case ART_HOLE:
    case ART_ROOF:
    case ART_BEACON_PAD:
    case ART_BEACON_DOOR: return true;
    default: return false;
    }
}

void tile_art_draw(BITMAP *b, const art_key &key) {
    clear_to_color(b, paint::mask_colour());
    const tile_style &s = TILE_STYLES[key.style % STYLE_COUNT];
    switch (key.art) {
    case ART_EMPTY: break;
    case ART_ROOM: art_room(b, s, key.variant, key.detail); break;
    case ART_WALL: art_wall(b, s, key.variant, key.detail); break;
    case ART_SHAFT: art_shaft(b, s, key.detail); break;
    case ART_DOOR: art_door(b, s, key.variant == 0, key.detail); break;
    case ART_FIRE: art_fire(b, key.variant, key.frame); break;
    case ART_BURNT: art_burnt(b); break;
    case ART_HOLE: art_hole(b, key.detail); break;
    case ART_ROOF: art_roof(b, s, key.variant); break;
    case ART_BEACON_PAD: art_beacon_pad(b, key.frame); break;
    case ART_BEACON_DOOR: art_beacon_door(b, key.frame); break;
    }
}

void tile_art_append_pixels(BITMAP *b, std::vector<uint8_t> &gfx) {
    for (int y = 0; y < ART_SIZE; y++)
        for (int x = 0; x < ART_SIZE; x++) {
            int p = getpixel(b, x, y);
            fmp::put_pixel16(gfx, getr16(p), getg16(p), getb16(p));
        }
}
