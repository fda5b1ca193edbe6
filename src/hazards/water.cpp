// Water sprayer (to be written).
#include "hazards/hazards.h"

double drop_x[MAX_DROPS], drop_y[MAX_DROPS];
double drop_vx[MAX_DROPS], drop_vy[MAX_DROPS];
int drop_timer[MAX_DROPS];
int drop_count;

void water_spray_update() {}
void water_add_drop(int, int, int, int) {}
void water_update(BITMAP *) {}
bool water_drop_map_pos(int, int *, int *) { return false; }
void water_remove_drop(int) {}
