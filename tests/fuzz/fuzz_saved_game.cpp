// libFuzzer target for the saved-game reader. Every input becomes "resumed-game.bin"
// in a folder of /dev/shm and is read with load_saved_game(): a refused file must
// leave the game exactly as it was, an accepted one every table in range, also once
// the mission start has rebuilt the people from it. The map is the game's own
// buildings.fmp when it can be found (HIGHRISE_MAP, or the source tree's build/data),
// else a small building. With FUZZ_SEED_DIR set, real saves are written there first.
#include "fmp/fmp_writer.h"
#include "map/map.h"
#include "people/people.h"
#include "shell/game_state.h"
#include "shell/hud.h"
#include "shell/file_places.h"
#include "shell/saved_game.h"

#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

std::string work_dir; // in /dev/shm
int home_dir;         // the runner's folder, which its corpus and artifact paths start from
std::vector<uint8_t> base, before, after;

// Everything a load may change, as one run of bytes.
std::vector<std::pair<void *, size_t>> state_parts() {
    std::vector<std::pair<void *, size_t>> parts = {{slot_grid, sizeof slot_grid},
                                                    {people, sizeof people},
                                                    {map_layers[0], 2u * map_width * map_height},
                                                    {&mission_start_time, sizeof(time_t)}};
    for (int *v : {&mission, &score, &time_bonus, &resumed, &rescued_count, &people_count,
                   &loaded_transit_count})
        parts.push_back({v, sizeof *v});
    return parts;
}
void take(std::vector<uint8_t> &copy) {
    copy.clear();
    for (auto [at, n] : state_parts()) copy.insert(copy.end(), (uint8_t *)at, (uint8_t *)at + n);
}
void put_back(const std::vector<uint8_t> &copy) {
    size_t from = 0;
    for (auto [at, n] : state_parts()) memcpy(at, copy.data() + from, n), from += n;
}

// 14 x 120 tiles: floors of three people, a shaft of doors, fires, a beacon on the roof.
fmp::Map small_building() {
    fmp::Map m;
    m.width = 14, m.height = 120, m.gfx_count = 1;
    m.gfx.assign(64 * 64 * 2, 0);
    m.blocks.resize(6); // floor, fire, burnt out, door up, door down, beacon
    m.blocks[0].user2 = 3, m.blocks[1].user1 = 1, m.blocks[3].user1 = 2, m.blocks[4].user1 = 3;
    m.blocks[5].user3 = 1;
    for (int r = 0; r < 120; r++)
        for (int c = 0; c < 14; c++)
            m.layers[0].push_back(c == 6 ? 3 + r % 2 : r == 0 ? 5 : c == 9 && r % 4 ? 1 : 0);
    return m;
}

// Mission m with its people placed, every door called and `frames` steps walked.
void play_mission(int m, int frames) {
    mission = m, mission_col_offset = m * BUILDING_COLS, score = 1000 * m, time_bonus = 17000;
    place_people(0);
    for (int t = 0; t < BUILDING_TILES; t++)
        if (unsigned(map_get_block(mission_col_offset + t % 14, t / 14)->user1 - 2) < 2)
            call_elevator(BUILDING_SCREEN_X + TILE_SIZE * (t % 14), TILE_SIZE * (t / 14) + 54);
    for (int f = 0; f < frames; f++) update_people();
}

// The save just written, copied to `to`: the player's folder lies in /dev/shm, most
// likely another file system than the seed folder's, so a rename would fail.
bool copy_save(const std::string &to) {
    std::vector<char> bytes(SAVED_GAME_MAX_SIZE + 1);
    FILE *in = fopen(saved_game_path().c_str(), "rb");
    size_t n = in ? fread(bytes.data(), 1, bytes.size(), in) : 0;
    FILE *out = in ? fopen(to.c_str(), "wb") : nullptr;
    bool ok = out && fwrite(bytes.data(), 1, n, out) == n;
    if (in) fclose(in);
    return out && fclose(out) == 0 && ok;
}

bool in_range(const person &p) {
    return p.face < SPRITE_SETS && p.body < SPRITE_SETS && p.legs < SPRITE_SETS && p.slot_col < 3 &&
           p.slot_row < 3 && p.pose >= POSE_STAND && p.pose <= POSE_STEP_OFF &&
           p.status >= STATUS_IN_SLOT && p.status <= STATUS_RESCUED && p.frame < 7 && p.x >= 0 &&
           p.x < SCREEN_WIDTH && p.y >= 0 && p.y < BUILDING_ROWS * TILE_SIZE;
}

bool tables_in_range() {
    bool ok = mission >= 0 && mission < MISSION_COUNT && (mission + 1) * 14 <= map_width &&
              time_bonus >= 0 && time_bonus <= TIME_BONUS_MAX && people_count <= MAX_PEOPLE &&
              rescued_count >= 0 && rescued_count <= people_count && loaded_transit_count >= 0 &&
              loaded_transit_count <= people_count;
    for (int t = 0; ok && t < BUILDING_TILES; t++)
        ok = !(slot_grid[t] & ~FULL_SLOT_MASK) &&
             map_cell_valid(map_get_cell(mission * 14 + t % 14, t / 14));
    for (int i = 0; ok && i < loaded_transit_count; i++)
        ok = in_range(people[i]) && people[i].status == STATUS_IN_TRANSIT;
    if (ok) place_people(1); // what the mission start makes of it
    ok = ok && people_count <= MAX_PEOPLE && pickup_count <= people_count;
    for (int i = 0; ok && i < people_count; i++)
        ok = people[i].hidden == 0xff || in_range(people[i]);
    return ok;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    install_allegro(SYSTEM_NONE, &errno, atexit);
    set_color_depth(16);
    screen = create_bitmap(64, 64);
    std::string here = __FILE__,
                real = here.substr(0, here.rfind('/')) + "/../../build/data/buildings.fmp";
    const char *map = getenv("HIGHRISE_MAP") ? getenv("HIGHRISE_MAP") : real.c_str();
    work_dir = "/dev/shm/highrise_fuzz_save_" + std::to_string(getpid());
    home_dir = open(".", O_RDONLY);
    if (home_dir < 0 || mkdir(work_dir.c_str(), 0700) != 0) abort();
    // The player's folder is a scratch one inside it.
    if (setenv("XDG_DATA_HOME", work_dir.c_str(), 1) != 0 || !player_dir_make()) abort();
    std::string fallback = work_dir + "/map.fmp";
    if (map_load(map) != 0 &&
        (!fmp::write_file(fallback, small_building()) || map_load(fallback.c_str()) != 0))
        abort();
    remove(fallback.c_str());
    atexit([] { rmdir(player_dir().c_str()), rmdir(work_dir.c_str()); });
    fprintf(stderr, "fuzz_saved_game: map %s\n", map_width > 14 ? map : "of a small building");
    map_select_layer(0);
    const int missions = map_width < MISSION_COUNT * BUILDING_COLS ? 1 : MISSION_COUNT;
    const char *seeds = getenv("FUZZ_SEED_DIR");
    for (int n = 0; seeds && n < 12; n++) { // saves of every mission, from 0 to 450 frames in
        play_mission(n * 5 % missions, n % 4 * 150);
        std::string name = "save_" + std::to_string(n) + ".bin";
        if (chdir(seeds) || !save_game() || !copy_save(name) || fchdir(home_dir)) abort();
    }
    play_mission(missions - 1, 100);
    take(base);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    FILE *f = fopen(saved_game_path().c_str(), "wb");
    if (!f || fwrite(data, 1, size, f) != size || fclose(f) != 0) abort();
    take(before);
    bool accepted = load_saved_game();
    if (remove(saved_game_path().c_str()) != 0) abort();
    if (accepted) {
        if (!tables_in_range()) abort();
        put_back(base);
    } else if (take(after), after != before) {
        abort(); // a refused file changed the game
    }
    return 0;
}
