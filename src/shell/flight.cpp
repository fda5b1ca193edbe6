// View, helicopter flight, wind and debris (to be written).
#include "shell/game_state.h"

void view_update() {}
void heli_update() {}
void debris_update_and_draw() {}
void rescue_heli_draw() {}
void heli_draw() {}
void wind_update() {}
