// HUD, scoring and the end of a mission (to be written).
#include "shell/game_state.h"

void hud_draw() {}
bool mission_end_update() { return false; }
