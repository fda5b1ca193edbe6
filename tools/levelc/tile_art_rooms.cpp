// The styled tiles: rooms, walls, shafts, elevator doors and the roof. A storey is
// seen through its window: the facade band of the floor above at the top, mullions
// at the sides, the room behind the glass and its floor near the bottom, where
// people stand.
#include "levelc/tile_art_paint.h"

using namespace paint;

namespace {

constexpr int IN_X0 = 3, IN_X1 = 60;       // the window opening
constexpr int WALL_Y0 = 11, FLOOR_Y0 = 50; // back wall from here, floor from here
constexpr int FLOOR_Y1 = 61;
constexpr int SHAFT_X0 = 18, SHAFT_X1 = 45;

void room_base(BITMAP *b, const tile_style &s, art_rgb wall) {
    fill(b, IN_X0, 6, IN_X1, 10, shade(s.ceiling, 88));
    hline(b, IN_X0, IN_X1, 10, shade(s.ceiling, 70));
    for (int y = WALL_Y0; y < 47; y++) {
        int t = y < 30 ? 84 + (y - WALL_Y0) : 103 - (y - 30) / 2;
        hline(b, IN_X0, IN_X1, y, shade(wall, t));
    }
    fill(b, IN_X0, 47, IN_X1, 49, shade(wall, 58));
    for (int y = FLOOR_Y0; y <= FLOOR_Y1; y++)
        hline(b, IN_X0, IN_X1, y, shade(s.floor, 78 + (y - FLOOR_Y0) * 3));
    for (int y : {53, 57}) hline(b, IN_X0, IN_X1, y, shade(s.floor, 70));
    for (int x = IN_X0 + 5; x < IN_X1; x += 14) {
        vline(b, x, 50, 52, shade(s.floor, 72));
        vline(b, x + 7, 54, 56, shade(s.floor, 72));
        vline(b, x + 3, 58, 61, shade(s.floor, 72));
    }
    // The ceiling light and its glow on the wall.
    fill(b, 24, 10, 39, 11, rgb(255, 250, 224));
    for (int y = 12; y < 24; y++)
        blend(b, 18 + (y - 12) / 2, y, 45 - (y - 12) / 2, y, rgb(255, 244, 210), 40 - 3 * (y - 12));
}

void glass(BITMAP *b, const tile_style &s, int x0 = IN_X0, int x1 = IN_X1) {
    for (int y = 6; y <= FLOOR_Y1; y++)
        for (int x = x0; x <= x1; x++) {
            blend_pixel(b, x, y, s.glass, 34);
            // Reflections run diagonally across the whole facade.
            int d = (x - y + 640) % 64;
            if (d >= 8 && d < 15)
                blend_pixel(b, x, y, rgb(255, 255, 255), 36);
            else if (d >= 18 && d < 20)
                blend_pixel(b, x, y, rgb(255, 255, 255), 22);
        }
}

void facade_frame(BITMAP *b, const tile_style &s) {
    facade(b, 0, 0, 63, 5, s);
    blend(b, 0, 0, 63, 0, s.trim, 140);
    hline(b, 0, 63, 5, shade(s.facade, 55));
    facade(b, 0, 6, 2, 61, s);
    facade(b, 61, 6, 63, 61, s);
    vline(b, 0, 6, 61, mix(s.facade, s.trim, 100));
    vline(b, 2, 6, 61, shade(s.facade, 65));
    vline(b, 61, 6, 61, shade(s.facade, 65));
    fill(b, 0, 62, 63, 63, shade(s.facade, 50));
    hline(b, 0, 63, 62, shade(s.facade, 72));
}

void furnish(BITMAP *b, int furnishing, art_rgb wall) {
    switch (furnishing) {
    case 0: { // a desk with a computer and a chair
        art_rgb wood = rgb(124, 84, 52);
        fill(b, 12, 37, 47, 39, wood);
        hline(b, 12, 47, 37, shade(wood, 130));
        fill(b, 13, 40, 14, 49, shade(wood, 70));
        fill(b, 45, 40, 46, 49, shade(wood, 70));
        box(b, 33, 40, 44, 46, shade(wood, 88));
        box(b, 21, 23, 37, 35, rgb(32, 32, 36));
        fill(b, 23, 25, 35, 33, rgb(70, 140, 204));
        hline(b, 24, 32, 27, rgb(150, 200, 240));
        hline(b, 24, 30, 29, rgb(150, 200, 240));
        fill(b, 28, 36, 30, 36, rgb(40, 40, 44));
        fill(b, 42, 29, 49, 40, rgb(44, 44, 56));
        fill(b, 38, 40, 51, 42, rgb(52, 52, 64));
        vline(b, 45, 43, 48, rgb(30, 30, 34));
        hline(b, 41, 49, 49, rgb(30, 30, 34));
        break;
    }
    case 1: { // a window in the back wall onto the city at dusk
        box(b, 12, 15, 51, 40, shade(wall, 68));
        for (int y = 17; y <= 38; y++)
            hline(b, 14, 49, y, mix(rgb(24, 30, 66), rgb(150, 90, 100), (y - 17) * 12));
        for (int x = 14; x <= 49;) {
            int w = 3 + hash(x, 7) % 5, h = 6 + hash(x, 9) % 12;
            fill(b, x, 38 - h, x + w - 1, 38, rgb(22, 24, 40));
            for (int y = 38 - h + 2; y < 38; y += 3)
                for (int wx = x + 1; wx < x + w - 1; wx += 2)
                    if (hash(wx, y) % 3 == 0) putpixel(b, wx, y, colour(255, 220, 120));
            x += w;
        }
        fill(b, 31, 16, 32, 39, shade(wall, 68));
        hline(b, 13, 50, 27, shade(wall, 68));
        break;
    }
    case 2: { // a bookshelf and a standard lamp
        art_rgb wood = rgb(112, 74, 44);
        box(b, 7, 14, 28, 49, wood);
        fill(b, 9, 16, 26, 47, shade(wood, 55));
        static const art_rgb spines[] = {{170, 40, 40}, {40, 90, 160},   {210, 180, 70},
                                         {60, 130, 70}, {220, 220, 210}, {120, 60, 130}};
        for (int shelf = 0; shelf < 3; shelf++) {
            int base = 23 + shelf * 10;
            hline(b, 9, 26, base + 1, wood);
            for (int x = 9; x < 26;) {
                uint32_t h = hash(x, shelf, 3);
                int w = 2 + h % 2, ht = 5 + (h >> 4) % 3;
                if (x + w > 26) break;
                fill(b, x, base - ht + 1, x + w - 1, base, spines[(h >> 8) % 6]);
                x += w + ((h >> 12) % 4 == 0);
            }
        }
        vline(b, 49, 20, 48, rgb(50, 46, 40));
        fill(b, 45, 48, 53, 49, rgb(50, 46, 40));
        for (int y = 14; y <= 20; y++)
            hline(b, 47 - (y - 14) / 2, 51 + (y - 14) / 2, y, rgb(244, 224, 170));
        for (int y = 21; y < 34; y++)
            blend(b, 42 - (y - 21) / 2, y, 56 + (y - 21) / 2, y, rgb(255, 236, 180),
                  50 - 3 * (y - 21));
        break;
    }
    case 3: { // a landscape picture and a potted plant
        box(b, 19, 16, 43, 33, rgb(96, 64, 32));
        for (int y = 18; y <= 31; y++)
            hline(b, 21, 41, y, mix(rgb(110, 160, 220), rgb(200, 220, 240), (y - 18) * 18));
        for (int x = 21; x <= 41; x++) {
            int top = 26 + (int)(3 * ((x * 37 % 11) > 5 ? 1 : 0)) - (x > 28 && x < 36 ? 2 : 0);
            vline(b, x, top, 31, rgb(70, 132, 62));
        }
        disc(b, 37, 22, 2, rgb(255, 232, 120));
        fill(b, 47, 41, 56, 49, rgb(172, 92, 52));
        hline(b, 46, 57, 41, rgb(200, 116, 70));
        vline(b, 51, 32, 40, rgb(60, 100, 40));
        static const int leaves[][3] = {{51, 30, 4}, {47, 34, 3}, {55, 34, 3},
                                        {49, 27, 3}, {54, 28, 3}, {51, 37, 2}};
        for (const auto &l : leaves) disc(b, l[0], l[1], l[2], rgb(52, 124, 52));
        for (const auto &l : leaves) putpixel(b, l[0] - 1, l[1] - 1, colour(110, 180, 90));
        break;
    }
    case 4: { // a sofa and a wall clock
        static const art_rgb covers[] = {{150, 52, 52}, {52, 82, 142}, {62, 112, 72}};
        art_rgb c = covers[hash(4, wall.r, wall.g) % 3];
        fill(b, 11, 33, 49, 42, c);
        hline(b, 11, 49, 33, shade(c, 125));
        fill(b, 9, 41, 51, 46, shade(c, 88));
        box(b, 7, 37, 12, 47, shade(c, 80));
        box(b, 48, 37, 53, 47, shade(c, 80));
        vline(b, 30, 34, 41, shade(c, 72));
        fill(b, 10, 47, 11, 49, rgb(40, 30, 20));
        fill(b, 49, 47, 50, 49, rgb(40, 30, 20));
        disc(b, 30, 21, 5, rgb(60, 60, 60));
        disc(b, 30, 21, 4, rgb(245, 245, 240));
        line(b, 30, 21, 30, 18, rgb(20, 20, 20));
        line(b, 30, 21, 33, 22, rgb(20, 20, 20));
        break;
    }
    default: { // filing cabinets, a notice board and a water cooler
        box(b, 7, 28, 21, 49, rgb(150, 152, 158));
        for (int y : {35, 42}) hline(b, 8, 20, y, rgb(100, 102, 108));
        for (int y : {31, 38, 45}) hline(b, 12, 16, y, rgb(70, 70, 76));
        box(b, 25, 17, 39, 30, rgb(176, 126, 74));
        fill(b, 27, 19, 31, 23, rgb(250, 250, 240));
        fill(b, 33, 20, 37, 24, rgb(250, 230, 110));
        fill(b, 29, 25, 34, 28, rgb(250, 180, 200));
        box(b, 44, 31, 52, 49, rgb(230, 230, 236));
        fill(b, 45, 20, 51, 30, rgb(120, 180, 232));
        fill(b, 46, 19, 50, 19, rgb(40, 80, 160));
        putpixel(b, 47, 36, colour(40, 80, 200));
        putpixel(b, 49, 36, colour(200, 40, 40));
        break;
    }
    }
}

// A room whose lights are out: only the window's reflections stay bright.
void lights_out(BITMAP *b) {
    blend(b, IN_X0, 6, IN_X1, FLOOR_Y1, rgb(8, 12, 28), 176);
}

// Smoke from the fire below has blackened the floor and the window's lower part.
void soot(BITMAP *b) {
    for (int y = 36; y < 64; y++)
        for (int x = 0; x < 64; x++) {
            int alpha = (y - 36) * 6 + (int)(hash(x / 2, y / 3, 77) % 40) - 20;
            if (alpha > 0) blend_pixel(b, x, y, rgb(22, 20, 18), alpha > 200 ? 200 : alpha);
        }
}

void finish(BITMAP *b, const tile_style &s, int detail) {
    if (detail & ART_DARK) lights_out(b);
    glass(b, s);
    facade_frame(b, s);
    if (detail & ART_SOOT) soot(b);
}

void shaft_channel(BITMAP *b, int y0, int y1) {
    fill(b, SHAFT_X0, y0, SHAFT_X1, y1, rgb(34, 36, 42));
    vline(b, SHAFT_X0 - 1, y0, y1, rgb(12, 12, 14));
    vline(b, SHAFT_X1 + 1, y0, y1, rgb(12, 12, 14));
    fill(b, SHAFT_X0 + 2, y0, SHAFT_X0 + 3, y1, rgb(140, 142, 150));
    fill(b, SHAFT_X1 - 3, y0, SHAFT_X1 - 2, y1, rgb(140, 142, 150));
    vline(b, 30, y0, y1, rgb(16, 16, 18));
    vline(b, 33, y0, y1, rgb(16, 16, 18));
    for (int y = y0; y <= y1; y++) {
        if (y % 16 == 8) {
            hline(b, SHAFT_X0, SHAFT_X0 + 5, y, rgb(90, 92, 100));
            hline(b, SHAFT_X1 - 5, SHAFT_X1, y, rgb(90, 92, 100));
        }
        if (y % 32 == 24) hline(b, SHAFT_X0 + 5, SHAFT_X1 - 5, y, rgb(46, 48, 56));
    }
}

} // namespace

void art_room(BITMAP *b, const tile_style &s, int furnishing, int detail) {
    art_rgb wall = s.walls[(detail & ART_WALL_COLOUR) % WALL_COLOURS];
    room_base(b, s, wall);
    furnish(b, furnishing % ROOM_FURNISHINGS, wall);
    finish(b, s, detail);
}

void art_wall(BITMAP *b, const tile_style &s, int variant, int detail) {
    art_rgb wall = s.walls[(detail & ART_WALL_COLOUR) % WALL_COLOURS];
    room_base(b, s, wall);
    switch (variant % WALL_VARIANTS) {
    case 0: { // a concrete pillar, lit from the left
        art_rgb concrete = mix(rgb(176, 172, 164), s.facade, 60);
        for (int x = 24; x <= 39; x++) vline(b, x, 6, 61, shade(concrete, 118 - (x - 24) * 3));
        grain(b, 24, 6, 39, 61, 21, 30);
        hline(b, 22, 41, 11, shade(concrete, 80));
        fill(b, 22, 58, 41, 61, shade(concrete, 75));
        fill(b, 9, 24, 12, 27, rgb(255, 240, 200));
        fill(b, 51, 24, 54, 27, rgb(255, 240, 200));
        break;
    }
    case 1: { // a stairwell climbing to the floor above
        art_rgb dark = shade(wall, 72);
        fill(b, IN_X0, WALL_Y0, IN_X1, 49, dark);
        art_rgb stone = rgb(146, 142, 136);
        for (int i = 0; i < 11; i++) {
            int x0 = 4 + i * 5, top = 49 - (i + 1) * 4 + 1;
            if (top < WALL_Y0) top = WALL_Y0;
            fill(b, x0, top, x0 + 4, 49, stone);
            hline(b, x0, x0 + 4, top, rgb(186, 182, 176));
            vline(b, x0, top, top + 3, rgb(110, 106, 100));
        }
        line(b, 4, 40, 58, 0 + 6, rgb(60, 60, 66));
        for (int i = 0; i < 11; i += 2)
            vline(b, 6 + i * 5, 40 - i * 4 - 4, 45 - i * 4, rgb(60, 60, 66));
        fill(b, 50, 20, 56, 24, rgb(40, 170, 80));
        hline(b, 51, 55, 22, rgb(230, 255, 230));
        break;
    }
    case 2: { // a partition with a door into the next office
        art_rgb part = shade(wall, 82);
        fill(b, 12, WALL_Y0, 51, 49, part);
        vline(b, 12, WALL_Y0, 49, shade(part, 120));
        vline(b, 51, WALL_Y0, 49, shade(part, 70));
        art_rgb wood = rgb(132, 88, 52);
        box(b, 24, 21, 39, 49, wood);
        fill(b, 26, 23, 37, 33, shade(wood, 90));
        fill(b, 26, 36, 37, 47, shade(wood, 90));
        disc(b, 36, 36, 1, rgb(230, 200, 90));
        fill(b, 27, 14, 36, 18, rgb(30, 160, 72));
        hline(b, 29, 34, 16, rgb(230, 255, 230));
        break;
    }
    default: { // pipes, a fire hose cabinet and an extinguisher
        fill(b, 7, WALL_Y0, 9, 49, rgb(156, 156, 160));
        vline(b, 7, WALL_Y0, 49, rgb(196, 196, 200));
        fill(b, 12, WALL_Y0, 13, 49, rgb(180, 44, 32));
        for (int y = 16; y < 49; y += 10) hline(b, 6, 14, y, rgb(90, 90, 96));
        box(b, 34, 19, 52, 40, rgb(192, 32, 32));
        fill(b, 36, 21, 50, 38, rgb(220, 200, 200));
        circle(b, 43, 29, 6, colour(200, 40, 40));
        circle(b, 43, 29, 4, colour(200, 40, 40));
        fill(b, 23, 37, 28, 49, rgb(204, 30, 30));
        hline(b, 23, 28, 37, rgb(240, 90, 90));
        fill(b, 25, 34, 26, 36, rgb(30, 30, 30));
        triangle(b, 17, 30, 23, 30, 20, 24, rgb(240, 210, 40));
        break;
    }
    }
    finish(b, s, detail);
}

void art_shaft(BITMAP *b, const tile_style &s, int detail) {
    room_base(b, s, s.walls[(detail & ART_WALL_COLOUR) % WALL_COLOURS]);
    finish(b, s, detail & ~ART_SOOT);
    shaft_channel(b, 0, 63);
    if (detail & ART_SOOT) soot(b);
}

void art_door(BITMAP *b, const tile_style &s, bool up, int detail) {
    room_base(b, s, s.walls[(detail & ART_WALL_COLOUR) % WALL_COLOURS]);
    finish(b, s, detail & ~(ART_SOOT | ART_DARK));
    if (detail & DOOR_SHAFT_ABOVE) shaft_channel(b, 0, 12);
    if (detail & DOOR_SHAFT_BELOW) shaft_channel(b, 53, 63);
    art_rgb surround = mix(s.trim, rgb(120, 122, 130), 128);
    box(b, SHAFT_X0 - 4, 12, SHAFT_X1 + 4, 52, surround);
    elevator_doors(b, SHAFT_X0 - 1, 15, SHAFT_X1 + 1, 52);
    art_rgb lit = ride_colour(up);
    hline(b, SHAFT_X0 - 1, SHAFT_X1 + 1, 13, lit);
    hline(b, SHAFT_X0 - 1, SHAFT_X1 + 1, 14, shade(lit, 60));
    // The ride's direction painted large on the doors, a lit arrow above them and a
    // call button beside them.
    for (int i = 0; i < 2; i++) {
        int tip = up ? 20 + i * 12 : 46 - i * 12;
        int dir = up ? 1 : -1;
        for (int w = 0; w < 9; w++) {
            int y = tip + dir * w, inner = w - 3;
            if (inner < 0) {
                blend(b, 31 - w, y, 32 + w, y, lit, 160);
            } else {
                blend(b, 31 - w, y, 31 - inner - 1, y, lit, 160);
                blend(b, 32 + inner + 1, y, 32 + w, y, lit, 160);
            }
        }
    }
    vline(b, 31, 15, 52, rgb(40, 42, 48));
    arrow_sign(b, 32, 1, up, 10);
    box(b, 52, 27, 58, 39, rgb(70, 72, 80));
    if (up)
        triangle(b, 53, 35, 57, 35, 55, 30, lit);
    else
        triangle(b, 53, 31, 57, 31, 55, 36, lit);
    fill(b, SHAFT_X0 - 2, 50, SHAFT_X1 + 2, 52, rgb(128, 130, 138));
    hline(b, SHAFT_X0 - 2, SHAFT_X1 + 2, 50, rgb(190, 192, 200));
    if (detail & ART_SOOT) soot(b);
}

void art_roof(BITMAP *b, const tile_style &s, int variant) {
    // Only the parapet and what stands on the roof are drawn: the sky shows behind.
    switch (variant % ROOF_VARIANTS) {
    case 0: { // a safety railing
        art_rgb rail = rgb(120, 124, 130);
        hline(b, 0, 63, 42, rail);
        hline(b, 0, 63, 46, shade(rail, 80));
        for (int x = 4; x < 64; x += 16) vline(b, x, 42, 50, rail);
        break;
    }
    case 1: { // a radio mast with its warning light
        art_rgb steel = rgb(150, 150, 156);
        vline(b, 30, 6, 50, steel);
        vline(b, 33, 6, 50, shade(steel, 70));
        for (int y = 10; y < 50; y += 8) {
            line(b, 30, y, 33, y + 8, shade(steel, 85));
            line(b, 33, y, 30, y + 8, shade(steel, 85));
        }
        fill(b, 30, 3, 33, 5, rgb(255, 48, 40));
        putpixel(b, 31, 3, colour(255, 200, 200));
        line(b, 31, 16, 16, 50, rgb(60, 60, 64));
        line(b, 32, 16, 47, 50, rgb(60, 60, 64));
        break;
    }
    case 2: { // a water tank on legs
        art_rgb wood = rgb(132, 92, 62);
        for (int x : {15, 38}) fill(b, x, 38, x + 1, 50, rgb(70, 64, 60));
        line(b, 15, 40, 39, 49, rgb(70, 64, 60));
        line(b, 39, 40, 15, 49, rgb(70, 64, 60));
        for (int x = 12; x <= 41; x++) vline(b, x, 18, 38, shade(wood, 120 - (x - 12) * 2));
        for (int y : {22, 29, 35}) hline(b, 12, 41, y, rgb(60, 60, 64));
        triangle(b, 10, 18, 43, 18, 26, 10, rgb(90, 70, 54));
        break;
    }
    default: { // air-conditioning units and a vent
        box(b, 7, 37, 27, 50, rgb(168, 170, 174));
        circle(b, 17, 43, 5, colour(90, 92, 98));
        line(b, 13, 43, 21, 43, rgb(90, 92, 98));
        line(b, 17, 39, 17, 47, rgb(90, 92, 98));
        box(b, 33, 41, 56, 50, rgb(156, 158, 164));
        for (int x = 36; x < 54; x += 3) vline(b, x, 43, 48, rgb(100, 102, 108));
        fill(b, 45, 29, 48, 40, rgb(120, 122, 128));
        fill(b, 43, 27, 50, 29, rgb(100, 102, 108));
        break;
    }
    }
    facade(b, 0, 51, 63, 63, s);
    fill(b, 0, 50, 63, 52, s.trim);
    hline(b, 0, 63, 53, shade(s.facade, 60));
}
