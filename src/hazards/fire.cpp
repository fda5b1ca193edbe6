// Fires (to be written).
#include "hazards/hazards.h"

int fire_strength[120 * 14];
int fire_x[MAX_FIRES];
int fire_y[MAX_FIRES];
int fire_count;

void fire_roll_strengths() {}
void fire_build_list() { fire_count = 0; }
void fire_douse(int, int) {}
void fire_sound_update() {}
