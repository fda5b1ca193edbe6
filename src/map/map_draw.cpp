// Map drawing (to be written).
#include "map/map.h"

void map_draw_background(BITMAP *, int, int, int, int, int, int) {}
