// Fires: their strengths, the list of burning tiles, putting them out, their sound.
#include "hazards/hazards.h"

#include "map/map.h"
#include "shell/game_state.h"
#include "shell/rng.h"
#include "shell/sound.h"

#include <cmath>

int fire_strength[120 * 14];
int fire_x[MAX_FIRES];
int fire_y[MAX_FIRES];
int fire_count;

constexpr int FIRE_STRENGTH_MIN = 300;
constexpr int FIRE_STRENGTH_RANGE = 900; // strengths 300 to 1199
constexpr int FIRE_POINTS = 10;
constexpr int FIRE_OUT_X = -1; // list entry of a fire put out
constexpr int BUILDING_PIXEL_W = BUILDING_COLS * TILE_SIZE;
constexpr int BUILDING_PIXEL_H = BUILDING_ROWS * TILE_SIZE;

static int fire_centre_x(int col) {
    return TILE_SIZE * col + BUILDING_SCREEN_X + TILE_SIZE / 2;
}
static int fire_centre_y(int row) {
    return TILE_SIZE * row + TILE_SIZE / 2;
}

void fire_roll_strengths() {
    for (int i = 0; i < BUILDING_TILES; i++)
        fire_strength[i] = game_rand() % FIRE_STRENGTH_RANGE + FIRE_STRENGTH_MIN;
}

void fire_build_list() {
    fire_count = 0;
    for (int row = 0; row < BUILDING_ROWS && row < map_height; row++) {
        for (int col = 0; col < BUILDING_COLS; col++) {
            int map_col = col + mission_col_offset;
            if (map_col >= map_width) break;
            if (map_get_block(map_col, row)->user1 != FIRE_TILE_KIND) continue;
            // A slice with more fires than the list holds keeps the rest burning
            // unlisted: they still block people and can be put out, but are not heard.
            if (fire_count == MAX_FIRES) return;
            fire_x[fire_count] = fire_centre_x(col);
            fire_y[fire_count] = fire_centre_y(row);
            fire_count++;
        }
    }
}

void fire_douse(int mx, int my) {
    // Only pixels of the mission's building have a strength.
    if (mx < 0 || my < 0 || mx >= BUILDING_PIXEL_W || my >= BUILDING_PIXEL_H) return;
    int px = mx + TILE_SIZE * mission_col_offset;
    map_block *block = map_get_block_at_pixel(px, my);
    if (!block || block->user1 != FIRE_TILE_KIND) return;

    int col = mx / TILE_SIZE, row = my / TILE_SIZE;
    int &strength = fire_strength[row * BUILDING_COLS + col];
    if (strength < 1) return;
    if (strength == 1) {
        map_set_cell_at_pixel(px, my, FIRE_BURNT_OUT_BLOCK);
        int x = fire_centre_x(col), y = fire_centre_y(row);
        for (int k = 0; k < fire_count; k++) {
            if (fire_x[k] == x && fire_y[k] == y) {
                fire_x[k] = FIRE_OUT_X;
                break;
            }
        }
        score += FIRE_POINTS;
        sound_tune_play(points1_midi);
    }
    strength--;
}

int fire_sound_term(int dx, int dy) {
    // In double: a helicopter far off the screen must not overflow the squares.
    double d = std::sqrt((double)dx * dx + (double)dy * dy);
    double t = std::pow(d + 7.4, 1.5);
    if (t >= 40001.0) return 0; // too far to hear, and t would not fit an int
    return 40000 / (int)t;
}

int fire_sound_sum() {
    int lx = heli_x + 70;
    int ly = heli_y + 25 + scroll_y;
    int sum = 0;
    for (int k = 0; k < fire_count; k++)
        if (fire_x[k] >= 0) sum += fire_sound_term(fire_x[k] - lx, fire_y[k] - ly);
    return sum;
}

int fire_sound_volume() {
    int sum = fire_sound_sum();
    // The crackle: a factor from -0.15 to 1.15, new every frame.
    double f = game_rand() / (32768 / 1.3) - 0.15;
    double volume = sum * f;
    if (volume < 0) return 0;
    if (volume > 255) return 255;
    return (int)volume;
}

void fire_sound_update() {
    sound_loop_set(LOOP_FIRE, fire_sound_volume(), heli_pan, 1000);
}
