// Hazards and tools: the fires of the building and the helicopter's water sprayer.
#pragma once

#include <allegro.h>

// ---- fires ------------------------------------------------------------------
constexpr int MAX_FIRES = 1024;
extern int fire_strength[120 * 14]; // landings still needed, per mission tile
extern int fire_x[MAX_FIRES];       // screen x of a burning tile's centre, -1 when out
extern int fire_y[MAX_FIRES];       // map y of its centre
extern int fire_count;

void fire_roll_strengths();
void fire_build_list();
void fire_douse(int mx, int my); // a droplet landed at mission pixel (mx, my)
void fire_sound_update();

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
