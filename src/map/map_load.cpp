// FMP loader (to be written).
#include "map/map.h"

int map_load(const char *) {
    map_error = MAP_ERR_OPEN;
    return -1;
}
int map_convert_graphics() { return -1; }
int map_build_tile_bitmaps() { return -1; }
