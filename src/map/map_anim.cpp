// Block animation (to be written).
#include "map/map.h"

void map_reset_animations() {}
void map_update_animations() {}
