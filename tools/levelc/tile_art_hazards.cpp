// The tiles that look the same in every style: fire, the burnt-out floor, holes
// blown in the facade and the homing beacon on the roof.
#include "levelc/tile_art_paint.h"

#include <cmath>

using namespace paint;

namespace {

constexpr double TAU = 6.283185307179586;

// The sooty facade and window frame around a floor that burns or has burnt.
void scorched_frame(BITMAP *b) {
    art_rgb soot = rgb(64, 58, 54);
    fill(b, 0, 0, 63, 5, soot);
    grain(b, 0, 0, 63, 5, 31, 40);
    hline(b, 0, 63, 5, rgb(30, 28, 26));
    fill(b, 0, 6, 2, 61, soot);
    fill(b, 61, 6, 63, 61, soot);
    vline(b, 2, 6, 61, rgb(34, 30, 28));
    vline(b, 61, 6, 61, rgb(34, 30, 28));
    fill(b, 0, 62, 63, 63, rgb(36, 33, 30));
    // Shards of the broken window pane in the corners.
    art_rgb shard = rgb(150, 164, 172);
    triangle(b, 3, 6, 11, 6, 3, 15, shard);
    triangle(b, 60, 6, 53, 6, 60, 11, shard);
    triangle(b, 3, 61, 3, 55, 7, 61, shade(shard, 80));
    triangle(b, 60, 61, 60, 52, 55, 61, shade(shard, 80));
}

// How hot a pixel of flame set `set` is at animation phase t (0 to 1): above 0
// it burns, 1 is the white core.
double flame_heat(int set, int x, int y, double t) {
    double u = x / 64.0;
    double h;
    if (set == 0)
        h = 32 + 9 * sin(TAU * (u * 2.5 + t)) + 6 * sin(TAU * (u * 5 - 2 * t) + 1.7) +
            4 * sin(TAU * (u * 9 + 3 * t) + 0.4);
    else
        h = 28 + 12 * sin(TAU * (u * 1.5 - t) + 2.1) + 7 * sin(TAU * (u * 6 + 2 * t) + 0.3) +
            4 * sin(TAU * (u * 11 - 3 * t) + 1.1);
    double above = 61 - y;
    double heat = 1.0 - above / h;
    // Tongues: the flame front wavers sideways as it rises.
    heat += 0.16 * sin(TAU * (x / 9.0 + y / 15.0 - 2 * t)) - 0.05;
    return heat;
}

art_rgb flame_colour(double heat) {
    if (heat > 0.82) return rgb(255, 248, 200);
    if (heat > 0.62) return rgb(255, 214, 80);
    if (heat > 0.40) return rgb(255, 150, 32);
    if (heat > 0.18) return rgb(232, 82, 22);
    return rgb(176, 34, 12);
}

void flash_halo(BITMAP *b, int cx, int cy, int frame, int size) {
    // Frames 0 and 1 are the flash; 2 and 3 the dark lamp between flashes.
    if (frame == 0) {
        for (int r = size; r > 0; r--)
            disc(b, cx, cy, r, mix(rgb(60, 110, 255), rgb(210, 236, 255), (size - r) * 256 / size));
        for (int i = 0; i < 8; i++) {
            double a = TAU * i / 8 + 0.2;
            line(b, cx + (int)(cos(a) * (size + 1)), cy + (int)(sin(a) * (size + 1)),
                 cx + (int)(cos(a) * (size + 5)), cy + (int)(sin(a) * (size + 5)),
                 rgb(150, 200, 255));
        }
        disc(b, cx, cy, 2, rgb(255, 255, 255));
    } else if (frame == 1) {
        int r = size / 2 + 1;
        disc(b, cx, cy, r, rgb(70, 130, 240));
        disc(b, cx, cy, r - 2 > 0 ? r - 2 : 1, rgb(150, 200, 255));
    } else {
        disc(b, cx, cy, 3, rgb(24, 40, 90));
        disc(b, cx, cy, 2, rgb(40, 70, 150));
        putpixel(b, cx - 1, cy - 1, colour(120, 150, 210));
    }
}

void roof_deck(BITMAP *b) {
    fill(b, 0, 57, 63, 63, rgb(78, 78, 84));
    hline(b, 0, 63, 57, rgb(156, 156, 160));
    hline(b, 0, 63, 58, rgb(120, 120, 126));
    // Yellow and black stripes along the edge of the landing deck.
    for (int y = 60; y <= 62; y++)
        for (int x = 0; x < 64; x++)
            putpixel(b, x, y, ((x + y) / 4) % 2 ? colour(232, 196, 40) : colour(30, 30, 30));
    hline(b, 0, 63, 63, rgb(40, 40, 44));
}

void beacon_lamp(BITMAP *b, int cx, int top, int mast_bottom, int frame, int size) {
    fill(b, cx - 1, top + 6, cx, mast_bottom, rgb(70, 72, 80));
    fill(b, cx - 3, top + 4, cx + 2, top + 7, rgb(50, 52, 58));
    flash_halo(b, cx, top + 2, frame, size);
}

} // namespace

void art_fire(BITMAP *b, int set, int frame) {
    double t = (double)(frame % FIRE_FRAMES) / FIRE_FRAMES;
    // A room lit orange from below, smoke under the ceiling.
    for (int y = 6; y <= 61; y++) {
        art_rgb c =
            y < 50 ? mix(rgb(44, 30, 28), rgb(150, 58, 24), (y - 6) * 256 / 44) : rgb(58, 34, 22);
        hline(b, 3, 60, y, c);
    }
    for (int y = 6; y < 22; y++)
        for (int x = 3; x <= 60; x++) {
            double swirl = sin(TAU * (x / 21.0 + t) + y / 4.0);
            blend_pixel(b, x, y, rgb(26, 24, 24), (int)(150 - (y - 6) * 8 + swirl * 30));
        }
    for (int y = 6; y <= 61; y++)
        for (int x = 3; x <= 60; x++) {
            double heat = flame_heat(set, x, y, t);
            if (heat <= 0) continue;
            int alpha = heat < 0.08 ? 128 : 256;
            blend_pixel(b, x, y, flame_colour(heat), alpha);
        }
    // Embers rising over the flames.
    for (int i = 0; i < 7; i++) {
        uint32_t h = hash(i, set, 17);
        int x = 6 + h % 52;
        int y = 52 - (int)((h >> 8) % 44 + frame * 7) % 44;
        if (y > 6) putpixel(b, x, y, colour(255, 220, 120));
    }
    scorched_frame(b);
}

void art_burnt(BITMAP *b) {
    for (int y = 6; y < 50; y++)
        hline(b, 3, 60, y, mix(rgb(22, 20, 19), rgb(52, 47, 43), (y - 6) * 256 / 44));
    // Soot streaks rising from where the flames were.
    for (int x = 3; x <= 60; x++) {
        uint32_t h = hash(x, 41);
        if (h % 3) continue;
        int top = 10 + h % 20;
        for (int y = top; y < 50; y++) blend_pixel(b, x, y, rgb(8, 8, 8), 90);
    }
    // What is left of a desk and a chair.
    fill(b, 12, 38, 40, 40, rgb(18, 16, 15));
    line(b, 14, 41, 12, 49, rgb(18, 16, 15));
    line(b, 38, 41, 41, 49, rgb(18, 16, 15));
    fill(b, 45, 32, 48, 42, rgb(20, 18, 17));
    line(b, 45, 43, 43, 49, rgb(20, 18, 17));
    // Ash and rubble on a floor that still bears people.
    for (int y = 50; y <= 61; y++)
        hline(b, 3, 60, y, rgb(84 + (y - 50), 78 + (y - 50), 70 + (y - 50)));
    for (int i = 0; i < 40; i++) {
        uint32_t h = hash(i, 43);
        int x = 3 + h % 58, y = 50 + (h >> 8) % 12;
        putpixel(b, x, y, (h >> 16) % 2 ? colour(40, 36, 32) : colour(130, 124, 116));
    }
    hline(b, 3, 60, 50, rgb(60, 56, 52));
    // Two embers still glow.
    putpixel(b, 20, 48, colour(255, 120, 40));
    putpixel(b, 37, 44, colour(230, 90, 30));
    scorched_frame(b);
}

void art_hole(BITMAP *b, int sides) {
    art_rgb concrete = rgb(104, 98, 92), rim = rgb(50, 45, 42), rebar = rgb(138, 82, 50);
    // The rest of the tile is blown away and stays mask colour: the sky shows.
    auto ragged = [](int along, int salt, int base, int spread) {
        return base + (int)(hash(along / 3, salt) % spread);
    };
    for (int y = 0; y < 64; y++) {
        if (sides & HOLE_LEFT) {
            int e = ragged(y, 1, 4, 7);
            hline(b, 0, e, y, concrete);
            putpixel(b, e, y, colour(rim));
            if (y % 13 == 5) hline(b, e, e + 4 + y % 3, y, rebar);
        }
        if (sides & HOLE_RIGHT) {
            int e = 63 - ragged(y, 2, 4, 7);
            hline(b, e, 63, y, concrete);
            putpixel(b, e, y, colour(rim));
            if (y % 11 == 7) hline(b, e - 4 - y % 3, e, y, rebar);
        }
    }
    for (int x = 0; x < 64; x++) {
        if (sides & HOLE_UP) {
            int e = ragged(x, 3, 3, 6);
            vline(b, x, 0, e, concrete);
            putpixel(b, x, e, colour(rim));
            if (x % 17 == 9) line(b, x, e, x + 2, e + 8 + x % 5, rgb(30, 30, 30));
        }
        if (sides & HOLE_DOWN) {
            int e = 63 - ragged(x, 4, 5, 7);
            vline(b, x, e, 63, concrete);
            putpixel(b, x, e, colour(rim));
            if (x % 14 == 4) vline(b, x, e - 4 - x % 3, e, rebar);
        }
    }
    // Scorch marks on the broken edges.
    for (int y = 0; y < 64; y++)
        for (int x = 0; x < 64; x++)
            if (getpixel(b, x, y) != mask_colour() && hash(x, y, 5) % 3 == 0)
                blend_pixel(b, x, y, rgb(20, 18, 16), 110);
}

void art_beacon_pad(BITMAP *b, int frame) {
    roof_deck(b);
    beacon_lamp(b, 52, 28, 56, frame % BEACON_FRAMES, 8);
}

void art_beacon_door(BITMAP *b, int frame) {
    art_rgb wall = rgb(172, 172, 178);
    box(b, 6, 22, 57, 57, wall);
    grain(b, 7, 23, 56, 56, 7, 20);
    fill(b, 4, 19, 59, 22, rgb(116, 116, 124));
    hline(b, 4, 59, 19, rgb(160, 160, 168));
    elevator_doors(b, 17, 31, 46, 57);
    arrow_sign(b, 32, 23, false, 6);
    roof_deck(b);
    beacon_lamp(b, 32, 3, 18, frame % BEACON_FRAMES, 10);
}
