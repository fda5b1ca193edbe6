// damaged_files <kind> <output>: writes a damaged copy of a file the player can
// replace, for the scripts that show how the real game meets it.
//   map-small, map-narrow, map-tiles32, map-staggered   buildings.fmp the game cannot play
//   save-too-many, save-in-the-sky                      resumed-game.bin, mission 1 of the
//                                                       build's map, that does not add up
#include "people/people.h"
#include "shell/file_places.h"
#include "shell/game_state.h"
#include "shell/saved_game.h"
#include "support/headless.h"
#include "support/test_map.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

int write_map(const std::string &kind, const char *out) {
    fmp::Map m = kind == "map-small"     ? test_building(98, 60)
                 : kind == "map-narrow"  ? test_building(20, 120)
                 : kind == "map-tiles32" ? test_building(98, 120, 32, 32)
                                         : test_building();
    if (kind == "map-staggered") m.header_size = 38, m.block_stagger_x = m.block_stagger_y = 32;
    return fmp::write_file(out, m) ? 0 : 1;
}

// Mission 1 as it starts, saved by the game, then one person more than it holds:
// counted nowhere, or standing on the sky tile at the top left of the building.
int write_save(const std::string &kind, const char *out) {
    char scratch[] = "/tmp/highrise-damaged-XXXXXX";
    if (!mkdtemp(scratch) || setenv("XDG_DATA_HOME", scratch, 1) != 0) return 1;
    headless_init();
    if (map_load(data_path("buildings.fmp").c_str()) != 0) return 1;
    mission = mission_col_offset = 0;
    place_people(0);
    if (kind == "save-in-the-sky") slot_grid[0] |= 1;
    people_count++;
    if (!save_game()) return 1;
    std::string path = saved_game_path();
    std::ifstream in(path, std::ios::binary);
    std::vector<char> file((std::istreambuf_iterator<char>(in)), {});
    remove(path.c_str()), rmdir(player_dir().c_str()), rmdir(scratch);
    std::ofstream(out, std::ios::binary).write(file.data(), (long)file.size());
    return file.size() == SAVED_HEADER_SIZE ? 0 : 1;
}

} // namespace

int main(int argc, char **argv) {
    std::string kind = argc == 3 ? argv[1] : "";
    if (kind.rfind("map-", 0) == 0) return write_map(kind, argv[2]);
    if (kind == "save-too-many" || kind == "save-in-the-sky") return write_save(kind, argv[2]);
    fprintf(stderr, "usage: damaged_files <map-small|map-narrow|map-tiles32|map-staggered|"
                    "save-too-many|save-in-the-sky> <output>\n");
    return 2;
}
