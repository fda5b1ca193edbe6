// View, helicopter flight, wind and debris.
#include "shell/flight.h"

#include "people/people.h"
#include "shell/game_state.h"
#include "shell/rng.h"
#include "shell/sound.h"

#include <cstdlib>

// rotate_sprite(dest, sprite, x, y, itofix(angle)), done as the library's inline
// does it but with multiplications: its shifts are undefined for the negative
// positions and angles of pieces left of the screen and of left tilts.
static void draw_rotated(BITMAP *dest, BITMAP *sprite, int x, int y, int angle) {
    fixed centre_x = (fixed)(x * 65536) + (sprite->w * 0x10000) / 2;
    fixed centre_y = (fixed)(y * 65536) + (sprite->h * 0x10000) / 2;
    dest->vtable->pivot_scaled_sprite_flip(dest, sprite, centre_x, centre_y, sprite->w * 0x8000,
                                           sprite->h * 0x8000, (fixed)(angle * 65536), 0x10000,
                                           FALSE);
}

// ---- view -------------------------------------------------------------------
constexpr int SCROLL_NUDGE = 40;       // target change per input and frame
constexpr int SCROLL_LOOK_AHEAD = 200; // inputs stop nudging once this far ahead
constexpr int SCROLL_WHEEL_STEP = 100;
constexpr int EDGE_BOTTOM = 704; // crosshair at or below this scrolls down
constexpr int EDGE_TOP = 64;     // crosshair above this scrolls up

static void scroll_down() {
    if (scroll_target - scroll_y < SCROLL_LOOK_AHEAD) scroll_target += SCROLL_NUDGE;
}

static void scroll_up() {
    if (scroll_y - scroll_target < SCROLL_LOOK_AHEAD) scroll_target -= SCROLL_NUDGE;
}

void view_update() {
    // The wheel has no look-ahead limit: one notch is a jump of 100 pixels.
    scroll_target += (prev_mouse_z - mouse_z) * SCROLL_WHEEL_STEP;
    prev_mouse_z = mouse_z;

    if (aim_y >= EDGE_BOTTOM)
        scroll_down();
    else if (aim_y < EDGE_TOP)
        scroll_up();

    if (mouse_b & 2) {
        if (aim_y >= SCREEN_HEIGHT / 2)
            scroll_down();
        else
            scroll_up();
    }

    if (key[KEY_UP])
        scroll_up();
    else if (key[KEY_DOWN])
        scroll_down();

    scroll_step = (scroll_target - scroll_y) / 10;
    if (scroll_step > SCROLL_SPEED_MAX) scroll_step = SCROLL_SPEED_MAX;
    if (scroll_step < -SCROLL_SPEED_MAX) scroll_step = -SCROLL_SPEED_MAX;
    scroll_y += scroll_step;

    if (scroll_y < 0) {
        scroll_y = scroll_target = scroll_step = 0;
    } else if (scroll_y > SCROLL_Y_MAX) {
        scroll_y = scroll_target = SCROLL_Y_MAX;
        scroll_step = 0;
    }
}

// ---- player's helicopter ------------------------------------------------------
constexpr int HELI_LEAD = 140;       // hovers this far left of the crosshair
constexpr int HELI_HOVER_ABOVE = 25; // and this far above it
constexpr int HELI_TILT_MAX = 45;
constexpr int HELI_REL_SPEED_MAX = 15; // vertical speed against the building
constexpr int HELI_SPRITE_DX = 70;     // sprite's top-left from the helicopter's centre
constexpr int HELI_SPRITE_DY = 25;
constexpr int ENGINE_VOLUME = 120;

int heli_engine_pan(int x) {
    return ((x - SCREEN_WIDTH / 2) * 127) / 1024 + 128;
}

int heli_engine_frequency(int vspeed, int tilt) {
    int pitch = vspeed * -30;
    if (pitch < -200) pitch = -200;
    return 700 + pitch + abs(tilt) * 20;
}

static void heli_move_across() {
    int lead = aim_x >= HELI_LEAD ? HELI_LEAD : aim_x - HELI_LEAD;
    if (aim_x != heli_x) {
        heli_drift = (aim_x - lead - heli_x) / 10;
        heli_tilt += (heli_drift - heli_tilt) / 3;
    }
    if (heli_tilt > HELI_TILT_MAX) heli_tilt = HELI_TILT_MAX;
    if (heli_tilt < -HELI_TILT_MAX) heli_tilt = -HELI_TILT_MAX;

    // The wind only ever pushes to the right, the harder the stronger it blows.
    int push_range = wind_volume / 5;
    if (push_range < 1) push_range = 1;
    int r = game_rand() % push_range;
    wobble_x = wobble_x + (r - wobble_x) / 10.0;
    heli_x += heli_tilt + (int)wobble_x;
}

static void heli_move_up_down() {
    int r = game_rand() % 11 - 5;
    wobble_y = wobble_y + (r - wobble_y) / 10.0;
    heli_y += (int)wobble_y;

    heli_climb = 0;
    if (aim_y != heli_y) heli_climb = (aim_y - HELI_HOVER_ABOVE - heli_y) / 20;
    heli_vspeed = heli_climb;

    // While the view scrolls the helicopter gives way, so that it never passes the
    // building faster than the limit.
    if (heli_climb + scroll_step > HELI_REL_SPEED_MAX) {
        heli_climb = HELI_REL_SPEED_MAX - scroll_step;
        heli_vspeed = HELI_REL_SPEED_MAX;
    } else if (heli_climb + scroll_step < -HELI_REL_SPEED_MAX) {
        heli_climb = -HELI_REL_SPEED_MAX - scroll_step;
        heli_vspeed = -HELI_REL_SPEED_MAX;
    }
    heli_y += heli_climb;
}

void heli_update() {
    heli_move_across();
    heli_move_up_down();
    heli_pan = heli_engine_pan(heli_x);
    sound_loop_set(LOOP_ENGINE, ENGINE_VOLUME, heli_pan,
                   heli_engine_frequency(heli_vspeed, heli_tilt));
}

void heli_draw() {
    draw_rotated(back_buffer, heli_bmp, heli_x - HELI_SPRITE_DX, heli_y - HELI_SPRITE_DY,
                 heli_tilt);
}

void rescue_heli_draw() {
    // Same sway as the player's helicopter, leaning into the wind.
    int push = (int)wobble_x;
    draw_rotated(back_buffer, heli_bmp, rescue_heli_x + push - HELI_SPRITE_DX,
                 rescue_heli_y - HELI_SPRITE_DY - scroll_y + (int)wobble_y, -push);
}

// ---- debris -------------------------------------------------------------------
constexpr int DEBRIS_GONE_X = 1074; // past the right edge: placed anew
constexpr int DEBRIS_BASE_SPEED = 35;

void debris_update_and_draw() {
    for (int i = 0; i < DEBRIS_COUNT; i++) {
        if (debris_x[i] > DEBRIS_GONE_X) {
            debris_x[i] = -(game_rand() % 1000) - 50;
            debris_y[i] = game_rand() % SCREEN_HEIGHT;
            debris_angle[i] = game_rand() % 360;
            debris_spin[i] = game_rand() % 41 - 20;
            debris_kind[i] = game_rand() % DEBRIS_KINDS;
        }
        draw_rotated(back_buffer, debris_bmp[debris_kind[i]], debris_x[i], debris_y[i],
                     debris_angle[i]);
        debris_x[i] += DEBRIS_BASE_SPEED + wind_volume / 10;
        debris_angle[i] += debris_spin[i];
    }
}

// ---- wind ---------------------------------------------------------------------
constexpr int WIND_VOLUME_MIN = 20, WIND_VOLUME_MAX = 150;
constexpr int WIND_FREQ_MIN = 300, WIND_FREQ_MAX = 1000;

void wind_update() {
    wind_volume += (int)((game_rand() - 16384) / 3276.8);
    if (wind_volume < WIND_VOLUME_MIN) wind_volume = WIND_VOLUME_MIN;
    if (wind_volume > WIND_VOLUME_MAX) wind_volume = WIND_VOLUME_MAX;

    wind_freq += (int)((game_rand() - 16384) / 1000.0);
    if (wind_freq < WIND_FREQ_MIN) wind_freq = WIND_FREQ_MIN;
    if (wind_freq > WIND_FREQ_MAX) wind_freq = WIND_FREQ_MAX;

    sound_loop_set(LOOP_WIND, wind_volume, 128, wind_freq);
}
