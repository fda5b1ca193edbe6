// Shared pieces of the level compiler: messages and the whole check.
#include "levelc/levelc.h"
#include "levelc/tile_styles.h"

#include <cstring>

std::string level_error_text(const level_error &error) {
    if (error.at.line == 0) return error.file + ": " + error.message;
    return error.file + ":" + std::to_string(error.at.line) + ":" +
           std::to_string(error.at.column) + ": " + error.message;
}

bool level_check(const mission &m, std::vector<level_error> &errors, route_stats *stats) {
    if (!level_check_rules(m, errors)) return false;
    return level_check_routes(m, errors, stats);
}

int style_from_name(const char *name) {
    for (int s = 0; s < STYLE_COUNT; s++)
        if (strcmp(TILE_STYLES[s].name, name) == 0) return s;
    return -1;
}
