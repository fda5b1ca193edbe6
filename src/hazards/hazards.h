// Hazards and tools: the fires of the building and the helicopter's water sprayer.
#pragma once

#include <allegro.h>

// ---- fires ------------------------------------------------------------------
constexpr int MAX_FIRES = 1024;
constexpr int FIRE_TILE_KIND = 1;       // user1 of a burning tile's block
constexpr int FIRE_BURNT_OUT_BLOCK = 2; // block that replaces a fire put out
extern int fire_strength[120 * 14];     // landings still needed, per mission tile
extern int fire_x[MAX_FIRES];           // screen x of a burning tile's centre, -1 when out
extern int fire_y[MAX_FIRES];           // map y of its centre
extern int fire_count;

void fire_roll_strengths();
void fire_build_list();
void fire_douse(int mx, int my); // a droplet landed at mission pixel (mx, my)
void fire_sound_update();

// The fire sound's parts, for checking without a sound card.
// One fire's share of the loudness at offset (dx, dy) from the listening point.
int fire_sound_term(int dx, int dy);
// The shares of every burning listed fire, heard from the helicopter.
int fire_sound_sum();
// This frame's volume, 0 to 255: the sum with its random crackle (one draw).
int fire_sound_volume();

// ---- water ------------------------------------------------------------------
constexpr int MAX_DROPS = 1024;
constexpr int DROPS_PER_FRAME = 48;
extern double drop_x[MAX_DROPS], drop_y[MAX_DROPS];
extern double drop_vx[MAX_DROPS], drop_vy[MAX_DROPS];
extern int drop_timer[MAX_DROPS];
extern int drop_count;

void water_spray_update();
void water_add_drop(int hx, int hy, int ax, int ay);
void water_update(BITMAP *dest);
bool water_drop_map_pos(int i, int *mx, int *my);
void water_remove_drop(int i);

// Whether the sprayer fires this frame: the trigger is held, the mission runs and
// the crosshair is not on an elevator door.
bool water_sprayer_fires();
// The water sound's volume for a frame in which the sprayer fires or not.
int water_sound_volume(bool firing);
