// people_lineup <data folder> <output.bmp>: loads the body-part bitmaps into sprite
// tables the way the game does and draws every set standing (as placed and
// mirrored), walking right and left through the seven frames, boarding and
// stepping off, magnified over a floor with the feet line marked; below it, a few
// floor tiles full of mixed people at their real size and at twice that.
#include "assetgen/people_files.h"
#include "assetgen/people_gait.h"
#include "people/person_offsets.h"

#include <allegro.h>
#include <cstdio>
#include <map>
#include <string>

namespace {

BITMAP *tables[3][SPRITE_SETS][SPRITE_SLOTS];
std::map<std::string, BITMAP *> loaded;

bool load_tables(const std::string &dir) {
    for (int part = 0; part < 3; part++)
        for (int s = 0; s < SPRITE_SETS; s++)
            for (int slot = 0; slot < SPRITE_SLOTS; slot++) {
                std::string file = people_slot_file((people_part)part, s, slot);
                BITMAP *&bmp = loaded[file];
                if (!bmp) bmp = load_bitmap((dir + "/" + file).c_str(), nullptr);
                if (!bmp) {
                    fprintf(stderr, "people_lineup: cannot load %s\n", file.c_str());
                    return false;
                }
                tables[part][s][slot] = bmp;
            }
    return true;
}

struct figure {
    int legs, body, face, slot;
    bool legs_flip, body_flip, face_flip;
};

void draw_part(BITMAP *dst, int part, int set, int slot, bool flip,
               const int (&dx)[SPRITE_SETS][SPRITE_SLOTS],
               const int (&dxf)[SPRITE_SETS][SPRITE_SLOTS],
               const int (&dy)[SPRITE_SETS][SPRITE_SLOTS], int x, int y) {
    BITMAP *bmp = tables[part][set][slot];
    if (flip)
        draw_sprite_h_flip(dst, bmp, x + dxf[set][slot], y + dy[set][slot]);
    else
        draw_sprite(dst, bmp, x + dx[set][slot], y + dy[set][slot]);
}

void draw_figure(BITMAP *dst, const figure &f, int x, int y) {
    draw_part(dst, PART_LEGS, f.legs, f.slot, f.legs_flip, leg_dx, leg_dx_flipped, leg_dy, x, y);
    draw_part(dst, PART_BODY, f.body, f.slot, f.body_flip, body_dx, body_dx_flipped, body_dy, x, y);
    draw_part(dst, PART_FACE, f.face, f.slot, f.face_flip, face_dx, face_dx_flipped, face_dy, x, y);
}

// A patch of wall and floor; the row of the feet anchor (the person's y) is marked.
void floor_patch(BITMAP *dst, int x0, int x1, int feet_y, int top) {
    rectfill(dst, x0, top, x1, feet_y - 1, makecol(200, 192, 172));
    hline(dst, x0, feet_y - 12, x1, makecol(172, 162, 140));
    rectfill(dst, x0, feet_y, x1, feet_y + 5, makecol(122, 98, 74));
    hline(dst, x0, feet_y, x1, makecol(230, 40, 40));
}

// ---- the magnified grid of every set ------------------------------------------------

constexpr int CELL_W = 28, CELL_H = 52, MARGIN = 16, HEADER = 12, FEET = 44, ANCHOR_X = 5;
constexpr int COLUMNS = 19, ZOOM = 3;

figure grid_figure(int s, int column) {
    figure f = {s, s, s, 0, false, false, false};
    if (column == 1) f.legs_flip = f.body_flip = f.face_flip = true;
    if (column >= 2 && column <= 8) f.slot = column - 1;
    if (column >= 9 && column <= 15) {
        f.slot = column - 8;
        f.legs_flip = f.body_flip = f.face_flip = true;
    }
    if (column == 16) f.slot = 8;
    if (column >= 17) f.slot = 9;
    if (column == 18) f.legs_flip = f.body_flip = f.face_flip = true;
    return f;
}

const char *const COLUMN_LABELS[COLUMNS] = {"St", "Sm", "R0", "R1", "R2", "R3", "R4",
                                            "R5", "R6", "L0", "L1", "L2", "L3", "L4",
                                            "L5", "L6", "Bd", "Of", "Om"};

BITMAP *draw_grid() {
    BITMAP *grid = create_bitmap(MARGIN + COLUMNS * CELL_W, HEADER + SPRITE_SETS * CELL_H);
    clear_to_color(grid, makecol(64, 64, 72));
    for (int c = 0; c < COLUMNS; c++)
        textout_ex(grid, font, COLUMN_LABELS[c], MARGIN + c * CELL_W + 6, 2, makecol(255, 255, 255),
                   -1);
    for (int s = 0; s < SPRITE_SETS; s++) {
        int cy = HEADER + s * CELL_H;
        textprintf_ex(grid, font, 4, cy + FEET - 20, makecol(255, 255, 255), -1, "%d", s);
        for (int c = 0; c < COLUMNS; c++) {
            int cx = MARGIN + c * CELL_W;
            floor_patch(grid, cx + 1, cx + CELL_W - 2, cy + FEET, cy);
            int x = cx + ANCHOR_X + (c >= 9 && c <= 15 ? 4 : 0);
            putpixel(grid, x, cy + FEET + 2, makecol(255, 255, 255)); // the anchor's x
            draw_figure(grid, grid_figure(s, c), x, cy + FEET);
        }
    }
    return grid;
}

// ---- floor tiles of mixed people at their real size -------------------------------------

uint32_t scene_seed = 12345;
int scene_rand() {
    scene_seed = scene_seed * 214013u + 2531011u;
    return (int)((scene_seed >> 16) & 0x7FFF);
}

constexpr int TILES = 6, TILE = 64;
constexpr int SLOT_ROW_DX[3] = {0, 3, 5};

BITMAP *draw_scene() {
    BITMAP *scene = create_bitmap(TILES * TILE, 2 * TILE);
    for (int r = 0; r < 2; r++)
        for (int t = 0; t < TILES; t++) {
            int x0 = t * TILE, y0 = r * TILE;
            rectfill(scene, x0, y0, x0 + TILE - 1, y0 + 50, makecol(178, 170, 150));
            rectfill(scene, x0, y0 + 51, x0 + TILE - 1, y0 + TILE - 1, makecol(110, 92, 76));
            vline(scene, x0, y0, y0 + 50, makecol(150, 142, 124));
        }
    // Doors on the lower floor, as the elevator tiles show them.
    rectfill(scene, 2 * TILE + 14, TILE + 6, 2 * TILE + 49, TILE + 52, makecol(120, 124, 132));
    vline(scene, 2 * TILE + 32, TILE + 6, TILE + 52, makecol(60, 60, 66));
    // Upper floor: every tile full, back row first, as the game draws them.
    static figure people[TILES][9];
    static int px[TILES][9], py[TILES][9];
    for (int t = 0; t < TILES; t++)
        for (int k = 0; k < 9; k++) {
            figure &f = people[t][k];
            f.face = scene_rand() % 10;
            f.body = scene_rand() % 10;
            f.legs = scene_rand() % 10;
            f.slot = 0;
            px[t][k] = t * TILE + 21 * (k % 3) + SLOT_ROW_DX[k / 3] + scene_rand() % 3;
            py[t][k] = 61 - 3 * (k / 3) - scene_rand() % 3;
            f.body_flip = scene_rand() % 2;
            f.face_flip = scene_rand() % 2;
            f.legs_flip = scene_rand() % 2;
        }
    for (int row = 2; row >= 0; row--)
        for (int t = TILES - 1; t >= 0; t--)
            for (int k = 8; k >= 0; k--)
                if (k / 3 == row) draw_figure(scene, people[t][k], px[t][k], py[t][k]);
    // Lower floor: walkers both ways, someone boarding and someone stepping off.
    int x = 6;
    for (int i = 0; i < 7; i++) {
        figure f = {(i * 3) % 10, (i * 7 + 2) % 10, (i * 9 + 5) % 10, 1 + i, false, false, false};
        draw_figure(scene, f, x, TILE + 60);
        x += 15;
    }
    x = 2 * TILE + 23;
    draw_figure(scene, {1, 4, 3, 8, false, false, false}, x, TILE + 54);
    draw_figure(scene, {5, 6, 8, 9, true, false, true}, x + 26, TILE + 58);
    x = 6 * TILE - 24;
    for (int i = 0; i < 7; i++) {
        figure f = {(i * 7 + 1) % 10, (i * 3 + 5) % 10, (i * 1 + 2) % 10, 1 + i, true, true, true};
        draw_figure(scene, f, x, TILE + 59 - (i % 2));
        x -= 24;
    }
    return scene;
}

} // namespace

int main(int argc, char **argv) {
    if (argc != 3) {
        fprintf(stderr, "usage: people_lineup <data folder> <output.bmp>\n");
        return 2;
    }
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) return 1;
    set_color_depth(16);
    if (!load_tables(argv[1])) return 1;
    BITMAP *grid = draw_grid();
    BITMAP *scene = draw_scene();
    int w = grid->w * ZOOM, h = grid->h * ZOOM + 8 + scene->h * 2;
    BITMAP *out = create_bitmap(w, h);
    clear_to_color(out, makecol(40, 40, 46));
    stretch_blit(grid, out, 0, 0, grid->w, grid->h, 0, 0, grid->w * ZOOM, grid->h * ZOOM);
    int sy = grid->h * ZOOM + 8;
    blit(scene, out, 0, 0, 8, sy, scene->w, scene->h);
    stretch_blit(scene, out, 0, 0, scene->w, scene->h, scene->w + 24, sy, scene->w * 2,
                 scene->h * 2);
    int ok = save_bmp(argv[2], out, nullptr);
    for (auto &entry : loaded) destroy_bitmap(entry.second);
    destroy_bitmap(grid);
    destroy_bitmap(scene);
    destroy_bitmap(out);
    if (ok != 0) {
        fprintf(stderr, "people_lineup: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
END_OF_MAIN()
