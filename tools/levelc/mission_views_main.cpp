// mission_views <folder with buildings.fmp> <output folder>
//
// Renders every mission of the compiled map as the player sees it: the view at the
// start of the mission (scroll y 5000) and the view at the beacon, over the game's
// backdrop (la.jpg beside the map, or a dark sky when it is missing), with simple
// stand-in figures where people start. Also renders one overview picture of all
// seven buildings. Writes BMP files; the mission_views.sh script turns them into PNG.
#include "levelc/levelc.h"
#include "map/map.h"

#include <allegro.h>
#include <cstdio>
#include <jpgalleg.h>
#include <string>

namespace {

constexpr int VIEW_W = 1024, VIEW_H = 768;
constexpr int START_SCROLL = 5000;
constexpr int MAX_SCROLL = 6910;
constexpr int BUILDING_W = MISSION_COLS * TILE_SIZE;

BITMAP *make_backdrop(const std::string &dir) {
    BITMAP *jpg = load_bitmap((dir + "/la.jpg").c_str(), nullptr);
    BITMAP *b = create_bitmap(VIEW_W, VIEW_H);
    if (jpg) {
        stretch_blit(jpg, b, 0, 0, jpg->w, jpg->h, 0, 0, VIEW_W, VIEW_H);
        destroy_bitmap(jpg);
        return b;
    }
    for (int y = 0; y < VIEW_H; y++)
        hline(b, 0, y, VIEW_W - 1,
              makecol(10 + y * 30 / VIEW_H, 14 + y * 40 / VIEW_H, 40 + y * 60 / VIEW_H));
    return b;
}

// A stand-in figure about 40 pixels tall with its feet at (x, y) on dest.
void figure(BITMAP *dest, int x, int y, unsigned seed) {
    static const int shirts[][3] = {
        {200, 60, 50}, {60, 110, 200}, {230, 200, 60}, {80, 160, 90}, {220, 220, 220}};
    const int *s = shirts[seed % 5];
    int cx = x + 9;
    line(dest, cx - 1, y, cx - 2, y - 14, makecol(40, 40, 70));
    line(dest, cx + 2, y, cx + 3, y - 14, makecol(40, 40, 70));
    rectfill(dest, cx - 4, y - 30, cx + 5, y - 14, makecol(s[0], s[1], s[2]));
    circlefill(dest, cx, y - 35, 5, makecol(236, 190, 150));
    putpixel(dest, cx - 2, y - 36, makecol(30, 30, 30));
    putpixel(dest, cx + 2, y - 36, makecol(30, 30, 30));
}

// The people of one mission where they start, back rows first.
void draw_people(BITMAP *dest, int mission_index, int scroll_y, int screen_x) {
    static const int row_dx[3] = {0, 3, 5};
    for (int depth = 2; depth >= 0; depth--)
        for (int r = 0; r < MISSION_ROWS; r++)
            for (int c = 0; c < MISSION_COLS; c++) {
                map_block *b = map_get_block(mission_index * MISSION_COLS + c, r);
                int n = b->user2;
                // The first n slots, as they fill when people arrive.
                for (int k = 0; k < n && k < 9; k++) {
                    if (k / 3 != depth) continue;
                    int x = screen_x + TILE_SIZE * c + 21 * (k % 3) + row_dx[k / 3];
                    int y = TILE_SIZE * r + 61 - 3 * (k / 3) - scroll_y;
                    if (y >= 0 && y < dest->h + 64) figure(dest, x, y, r * 31 + c * 7 + k);
                }
            }
}

int beacon_row(int mission_index) {
    for (int r = 0; r < MISSION_ROWS; r++)
        for (int c = 0; c < MISSION_COLS; c++)
            if (map_get_block(mission_index * MISSION_COLS + c, r)->user3) return r;
    return 0;
}

bool render_view(BITMAP *backdrop, int m, int scroll, const std::string &path) {
    BITMAP *view = create_bitmap(VIEW_W, VIEW_H);
    blit(backdrop, view, 0, 0, 0, 0, VIEW_W, VIEW_H);
    map_select_layer(0);
    map_draw_background(view, m * BUILDING_W, scroll, 64, 0, BUILDING_W, VIEW_H);
    draw_people(view, m, scroll, 64);
    textprintf_ex(view, font, 8, 8, makecol(255, 255, 255), makecol(0, 0, 0),
                  "Mission %d, scroll y %d (rows %d to %d)", m + 1, scroll, scroll / 64,
                  (scroll + VIEW_H) / 64);
    if (screen && screen->w >= VIEW_W) blit(view, screen, 0, 0, 0, 0, VIEW_W, VIEW_H);
    bool ok = save_bmp(path.c_str(), view, nullptr) == 0;
    destroy_bitmap(view);
    return ok;
}

// All seven buildings side by side at a quarter of their size.
bool render_overview(BITMAP *backdrop, const std::string &path) {
    const int scale = 4, gap = 16;
    const int slice_w = BUILDING_W / scale, slice_h = MISSION_ROWS * TILE_SIZE / scale;
    BITMAP *overview = create_bitmap(MISSION_COUNT * (slice_w + gap) + gap, slice_h);
    BITMAP *full = create_bitmap(BUILDING_W, MISSION_ROWS * TILE_SIZE);
    if (!overview || !full) return false;
    clear_to_color(overview, makecol(0, 0, 0));
    for (int m = 0; m < MISSION_COUNT; m++) {
        stretch_blit(backdrop, full, 64, 0, BUILDING_W, VIEW_H, 0, 0, full->w, full->h);
        map_draw_background(full, m * BUILDING_W, 0, 0, 0, full->w, full->h);
        draw_people(full, m, 0, 0);
        stretch_blit(full, overview, 0, 0, full->w, full->h, gap + m * (slice_w + gap), 0, slice_w,
                     slice_h);
    }
    bool ok = save_bmp(path.c_str(), overview, nullptr) == 0;
    destroy_bitmap(full);
    destroy_bitmap(overview);
    return ok;
}

} // namespace

int main(int argc, char **argv) {
    if (argc != 3) {
        fprintf(stderr, "usage: mission_views <folder with buildings.fmp> <output folder>\n");
        return 2;
    }
    std::string data = argv[1], out = argv[2];
    // A real window when a display is there (under Xvfb), memory otherwise.
    BITMAP *memory_screen = nullptr;
    if (allegro_init() == 0) {
        set_color_depth(16);
        if (set_gfx_mode(GFX_AUTODETECT_WINDOWED, VIEW_W, VIEW_H, 0, 0) != 0) {
            allegro_exit();
            install_allegro(SYSTEM_NONE, &errno, atexit);
        }
    } else {
        install_allegro(SYSTEM_NONE, &errno, atexit);
    }
    set_color_depth(16);
    if (!screen) {
        memory_screen = create_bitmap(VIEW_W, VIEW_H);
        screen = memory_screen;
    }
    jpgalleg_init();
    if (map_load((data + "/buildings.fmp").c_str()) != 0) {
        fprintf(stderr, "mission_views: cannot load %s/buildings.fmp (error %d)\n", data.c_str(),
                map_error);
        return 1;
    }
    BITMAP *backdrop = make_backdrop(data);
    bool ok = true;
    for (int m = 0; m < MISSION_COUNT; m++) {
        // A few animation ticks between views, so that fires show different frames.
        for (int i = 0; i < 7; i++) map_update_animations();
        std::string name = out + "/mission" + std::to_string(m + 1);
        ok = render_view(backdrop, m, START_SCROLL, name + "-start.bmp") && ok;
        int scroll = beacon_row(m) * TILE_SIZE - 200;
        if (scroll < 0) scroll = 0;
        if (scroll > MAX_SCROLL) scroll = MAX_SCROLL;
        ok = render_view(backdrop, m, scroll, name + "-beacon.bmp") && ok;
    }
    ok = render_overview(backdrop, out + "/overview.bmp") && ok;
    destroy_bitmap(backdrop);
    map_free();
    if (memory_screen) {
        screen = nullptr;
        destroy_bitmap(memory_screen);
    }
    if (!ok) fprintf(stderr, "mission_views: writing a picture failed\n");
    return ok ? 0 : 1;
}
END_OF_MAIN()
