// Loading and checking the building map for a game.
#include "shell/game_map.h"

#include "map/map.h"
#include "people/people.h"
#include "shell/game_state.h"

#include <cerrno>
#include <cstring>

namespace {

constexpr int MAP_COLS_NEEDED = MISSION_COUNT * BUILDING_COLS; // 98
constexpr int BURNT_BLOCK = 2;

std::string load_failure(int error, int os_error) {
    switch (error) {
    case MAP_ERR_MEMORY: return "there is not enough memory for it";
    case MAP_ERR_BAD_FILE:
        return "the file is damaged: not a map file, cut short, or with a part that does not fit "
               "its size";
    case MAP_ERR_OPEN:
        return std::string("the file cannot be opened (") + strerror(os_error ? os_error : ENOENT) +
               ")";
    case MAP_ERR_NO_SCREEN: return "there is no screen to convert its tiles for";
    case MAP_ERR_BITMAP: return "a tile bitmap cannot be made (out of memory)";
    case MAP_ERR_VERSION: return "it is of a map version or type this game cannot read";
    default: return "it cannot be read";
    }
}

std::string numbers(int a, int b) {
    return std::to_string(a) + " x " + std::to_string(b);
}

// The first mission holding people without the tiles to rescue them, in words.
std::string mission_problem() {
    for (int m = 0; m < MISSION_COUNT; m++) {
        bool people = false, door = false, beacon = false, nowhere = false;
        for (int row = 0; row < BUILDING_ROWS; row++)
            for (int col = m * BUILDING_COLS; col < (m + 1) * BUILDING_COLS; col++) {
                const map_block *b = map_get_block(col, row);
                people = people || b->user2 > 0;
                nowhere = nowhere || (b->user2 > 0 && tile_blocks_walk(b));
                door = door || tile_is_door(b);
                beacon = beacon || tile_is_beacon(b);
            }
        std::string which = "mission " + std::to_string(m + 1);
        if (nowhere)
            return which + " places people on a fire or an open tile, where nobody can stand";
        if (people && !door) return which + " has people but no elevator door to call them to";
        if (people && !beacon) return which + " has people but no beacon tile to rescue them from";
    }
    return "";
}

} // namespace

std::string game_map_problem() {
    if (map_select_layer(0) != 0) return "it has no building layer (layer 0)";
    if (map_width < MAP_COLS_NEEDED || map_height < BUILDING_ROWS)
        return "the map is " + numbers(map_width, map_height) + " tiles; the game needs at least " +
               numbers(MAP_COLS_NEEDED, BUILDING_ROWS);
    if (block_width != TILE_SIZE || block_height != TILE_SIZE)
        return "its tiles are " + numbers(block_width, block_height) +
               " pixels; the game needs 64 x 64";
    if (block_step_x != TILE_SIZE || block_step_y != TILE_SIZE)
        return "its tiles are spaced " + numbers(block_step_x, block_step_y) +
               " pixels apart; the game needs 64 x 64";
    if (block_stagger_x != 0 || block_stagger_y != 0)
        return "its rows of tiles are staggered; the game needs straight rows";
    if (block_count <= BURNT_BLOCK)
        return "it has " + std::to_string(block_count) +
               " blocks; the game needs block 2, which replaces a fire put out";
    if (map_blocks[BURNT_BLOCK].user1 == TILE_FIRE)
        return "its block 2 is a fire; the game needs it to be the block that replaces a fire "
               "put out";
    return mission_problem();
}

std::string game_map_load(const char *file) {
    errno = 0;
    const std::string name = std::string("the map \"") + file + "\"";
    if (map_load(file) != 0)
        return "cannot load " + name + ": " + load_failure(map_error, errno) + " (error " +
               std::to_string(map_error) + ")";
    std::string problem = game_map_problem();
    if (problem.empty()) return "";
    map_free(); // nothing may read a map the game cannot play
    return "cannot play " + name + ": " + problem;
}
