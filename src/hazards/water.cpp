// The helicopter's water sprayer: launching, flying, drawing and landing droplets.
#include "hazards/hazards.h"

#include "map/map.h"
#include "shell/game_state.h"
#include "shell/rng.h"
#include "shell/sound.h"

#include <cmath>

double drop_x[MAX_DROPS], drop_y[MAX_DROPS];
double drop_vx[MAX_DROPS], drop_vy[MAX_DROPS];
int drop_timer[MAX_DROPS];
int drop_count;

constexpr int DOOR_UP_KIND = 2; // user1 of the elevator doors: the click is theirs
constexpr int DOOR_DOWN_KIND = 3;
constexpr int OPEN_TILE_KIND = 4; // droplets fly on through open tiles

constexpr double WATER_REACH = 200.0;
constexpr double WATER_SOFTENING = 900.0; // slows short throws
constexpr double WATER_SPEED_DIVISOR = 10.0;
constexpr double WATER_LIFT = 4.0;
constexpr double WATER_START_SPREAD = 15700.0;
constexpr double WATER_GRAVITY = 1.0;
constexpr int WATER_BOTTOM = 768;
constexpr int WATER_LOUD = 50;
constexpr int WATER_FADE_DIVISOR = 17;

// An aim offset of -16 to 15 pixels.
static int water_jitter() {
    return (int)((game_rand() - 16384) / 1024.0);
}

void water_add_drop(int hx, int hy, int ax, int ay) {
    if (drop_count >= MAX_DROPS) return;
    ax += water_jitter();
    ay += water_jitter();
    double d = std::sqrt((double)(hx - ax) * (hx - ax) + (double)(hy - ay) * (hy - ay));
    if (d > WATER_REACH) {
        ax = hx + (int)((ax - hx) * WATER_REACH / d);
        ay = hy + (int)((ay - hy) * WATER_REACH / d);
        d = WATER_REACH;
    }
    double k = d / std::sqrt(d * d + WATER_SOFTENING);
    double vx = (ax - hx) * k / WATER_SPEED_DIVISOR;
    double vy = (ay - hy) * k / WATER_SPEED_DIVISOR - WATER_LIFT;
    // Start somewhere along the first frames of the path, so the jet is continuous.
    double x = game_rand() * vx / WATER_START_SPREAD + hx;
    double y = game_rand() * vy / WATER_START_SPREAD + hy;
    double speed = std::sqrt(vx * vx + vy * vy);

    int i = drop_count++;
    drop_x[i] = x;
    drop_y[i] = y;
    drop_vx[i] = vx;
    drop_vy[i] = vy;
    drop_timer[i] = (speed > 0 ? (int)(d / speed) : 0) - 1;
}

void water_remove_drop(int i) {
    int last = drop_count - 1;
    if (i != last) {
        drop_x[i] = drop_x[last];
        drop_y[i] = drop_y[last];
        drop_vx[i] = drop_vx[last];
        drop_vy[i] = drop_vy[last];
        drop_timer[i] = drop_timer[last];
    }
    drop_count--;
}

bool water_drop_map_pos(int i, int *mx, int *my) {
    *mx = (int)drop_x[i] - BUILDING_SCREEN_X;
    *my = scroll_y + (int)drop_y[i];
    return *mx >= 0 && *mx < building_width && *my >= 0 && *my < building_height;
}

// A droplet over an open tile flies on; anything else of the building stops it.
static bool water_over_open_tile(int mx, int my) {
    map_block *block = map_get_block_at_pixel(mx + TILE_SIZE * mission_col_offset, my);
    return block && block->user1 == OPEN_TILE_KIND;
}

void water_update(BITMAP *dest) {
    int i = 0;
    while (i < drop_count) {
        // A fresh pale blue for every droplet and frame makes the jet shimmer.
        double a = game_rand() / 217000.0 + 1;
        double b = game_rand() / 47000.0 + 1;
        int colour = makecol((int)(150 * b), (int)(220 * a), 255);
        double x = drop_x[i], y = drop_y[i];
        line(dest, (int)x, (int)y, (int)(x + drop_vx[i] / 2), (int)(y + drop_vy[i] / 2), colour);

        drop_x[i] = x + drop_vx[i];
        drop_y[i] = y + drop_vy[i];
        drop_vy[i] += WATER_GRAVITY;
        if (drop_y[i] >= WATER_BOTTOM) {
            water_remove_drop(i); // slot i now holds a droplet not yet moved
            continue;
        }

        int t = drop_timer[i]--;
        int mx, my;
        if (t > 0 || !water_drop_map_pos(i, &mx, &my) || water_over_open_tile(mx, my)) {
            i++;
            continue;
        }
        fire_douse(mx, my);
        water_remove_drop(i);
    }
}

bool water_sprayer_fires() {
    if (!((mouse_b & 1) || key[KEY_SPACE]) || mission_end_timer != 0) return false;
    int col = (aim_x - BUILDING_SCREEN_X) / TILE_SIZE;
    int row = (aim_y + scroll_y) / TILE_SIZE;
    int map_col = col + mission_col_offset;
    if (col >= 0 && col < BUILDING_COLS && row >= 0 && row < BUILDING_ROWS && map_col < map_width &&
        row < map_height) {
        int kind = map_get_block(map_col, row)->user1;
        if (kind == DOOR_UP_KIND || kind == DOOR_DOWN_KIND) return false;
    }
    return true;
}

int water_sound_volume(bool firing) {
    return firing ? WATER_LOUD : drop_count / WATER_FADE_DIVISOR;
}

void water_spray_update() {
    bool firing = water_sprayer_fires();
    if (firing)
        for (int n = 0; n < DROPS_PER_FRAME; n++) water_add_drop(heli_x, heli_y, aim_x, aim_y);
    sound_loop_set(LOOP_WATER, water_sound_volume(firing), 128, 1000);
    water_update(back_buffer);
}
