// The saved game: a flat little-endian image of the mission's cells, slot words,
// counters and the people in transit.
//
// Writing goes through a temporary file that replaces the old save only once every
// byte is on disk, so a failed save never costs the player the previous one.
// Reading takes the whole file into memory and checks all of it before any game
// state changes, so a damaged or foreign file is refused as a whole.
#include "shell/saved_game.h"

#include "map/map.h"
#include "people/people.h"
#include "shell/dialogs.h"
#include "shell/file_places.h"
#include "shell/game_state.h"
#include "shell/hud.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace {

// One file image, for saving and loading alike; one byte more than the largest
// valid file so that an overlong file shows as such.
uint8_t image[SAVED_GAME_MAX_SIZE + 1];

void put32(std::size_t offset, int32_t value) {
    uint32_t v = (uint32_t)value;
    image[offset] = (uint8_t)v;
    image[offset + 1] = (uint8_t)(v >> 8);
    image[offset + 2] = (uint8_t)(v >> 16);
    image[offset + 3] = (uint8_t)(v >> 24);
}

int32_t get32(std::size_t offset) {
    uint32_t v = (uint32_t)image[offset] | (uint32_t)image[offset + 1] << 8 |
                 (uint32_t)image[offset + 2] << 16 | (uint32_t)image[offset + 3] << 24;
    return (int32_t)v;
}

std::size_t tile_offset(int row, int col) {
    return SAVED_TILES_OFFSET + (std::size_t)(row * BUILDING_COLS + col) * SAVED_TILE_ENTRY_SIZE;
}

std::size_t record_offset(int n) {
    return SAVED_HEADER_SIZE + (std::size_t)n * SAVED_RECORD_SIZE;
}

// Layer 0 holds the building; the mission's slice of it must exist in the map.
bool map_holds_mission(int m) {
    return map_layers[0] && map_width >= (m + 1) * BUILDING_COLS && map_height >= BUILDING_ROWS;
}

bool in_range(int32_t v, int32_t lo, int32_t hi) {
    return v >= lo && v <= hi;
}

constexpr int BUILDING_X_MIN = BUILDING_SCREEN_X;
constexpr int BUILDING_X_MAX = BUILDING_SCREEN_X + BUILDING_COLS * TILE_SIZE - 1;
constexpr int BUILDING_Y_MAX = BUILDING_ROWS * TILE_SIZE - 1;

// A person written to the file is one in transit: walking to a door, boarding or
// riding, with its positions inside the building and every table index in range.
bool record_valid(const person &p) {
    if (p.face >= SPRITE_SETS || p.body >= SPRITE_SETS || p.legs >= SPRITE_SETS) return false;
    if (p.face_flip > 1 || p.body_flip > 1 || p.legs_flip > 1) return false;
    if (!in_range(p.x, BUILDING_X_MIN, BUILDING_X_MAX) || !in_range(p.y, 0, BUILDING_Y_MAX))
        return false;
    if (!in_range(p.target_x, BUILDING_X_MIN, BUILDING_X_MAX) ||
        !in_range(p.target_y, 0, BUILDING_Y_MAX) || !in_range(p.origin_y, 0, BUILDING_Y_MAX))
        return false;
    if (p.slot_col > 2 || p.slot_row > 2) return false;
    if (p.state > PERSON_TO_SLOT) return false;
    if (p.pose < POSE_STAND || p.pose > POSE_STEP_OFF) return false;
    if (p.status != STATUS_IN_TRANSIT) return false;
    if (p.frame > 6 || p.hidden > 1) return false;
    return true;
}

// The block a tile of the file shows (its cell has been checked).
const map_block *file_block(int col, int row) {
    return map_block_of_cell(get32(tile_offset(row, col)));
}

bool door_in_file(int col, int row) {
    return col >= 0 && col < BUILDING_COLS && row >= 0 && row < BUILDING_ROWS &&
           tile_is_door(file_block(col, row));
}

// A person in transit is where its state puts it: riding in the shaft between the
// door it boarded at and the one it rides to; otherwise on its floor, bound for a
// door of that floor (walking, boarding, or back out of a door that led nowhere).
// Stepping off and walking to a slot belong to people who hold one.
bool transit_in_place(const person &p) {
    int col = column_of_x(p.x), row = p.y / TILE_SIZE;
    switch (p.state) {
    case PERSON_RIDING:
        return door_in_file(col, p.origin_y / TILE_SIZE) &&
               door_in_file(col, p.target_y / TILE_SIZE);
    case PERSON_STEPPING_OFF:
    case PERSON_TO_SLOT: return false;
    default: return door_in_file(column_of_x(p.target_x), row);
    }
}

// The file against itself and the map: slot bits only where a person can stand,
// every beacon tile's back slots kept taken, each person in transit in place, and
// people_count exactly the people the file accounts for (rescued, standing in a
// slot, in transit), so that the mission it resumes can end.
bool image_consistent(int transit) {
    long counted = get32(SAVED_RESCUED_OFFSET) + transit;
    for (int row = 0; row < BUILDING_ROWS; row++)
        for (int col = 0; col < BUILDING_COLS; col++) {
            const map_block *b = file_block(col, row);
            unsigned word = (uint32_t)get32(tile_offset(row, col) + 4);
            if (tile_is_beacon(b)) {
                if ((word & BEACON_SLOT_MASK) != BEACON_SLOT_MASK) return false;
                word &= ~BEACON_SLOT_MASK;
            } else if (word != 0 && tile_blocks_walk(b)) {
                return false;
            }
            counted += __builtin_popcount(word);
        }
    if (counted != get32(SAVED_PEOPLE_COUNT_OFFSET)) return false;
    for (int n = 0; n < transit; n++) {
        person p;
        memcpy(&p, image + record_offset(n), sizeof p);
        if (!transit_in_place(p)) return false;
    }
    return true;
}

// Checks a file image of `size` bytes; true when every field is one the game can
// take in as it stands and the whole agrees with itself and the map.
bool image_valid(std::size_t size) {
    if (size < SAVED_HEADER_SIZE || size > SAVED_GAME_MAX_SIZE) return false;
    if ((size - SAVED_HEADER_SIZE) % SAVED_RECORD_SIZE != 0) return false;
    int32_t m = get32(0);
    if (!in_range(m, 0, MISSION_COUNT - 1) || !map_holds_mission(m)) return false;
    if (get32(4) < 0 || !in_range(get32(8), 0, TIME_BONUS_MAX)) return false;
    for (int row = 0; row < BUILDING_ROWS; row++)
        for (int col = 0; col < BUILDING_COLS; col++) {
            std::size_t at = tile_offset(row, col);
            if (!map_cell_valid(get32(at))) return false;
            if ((uint32_t)get32(at + 4) & ~FULL_SLOT_MASK) return false;
        }
    int32_t rescued = get32(SAVED_RESCUED_OFFSET), count = get32(SAVED_PEOPLE_COUNT_OFFSET);
    if (!in_range(count, 0, MAX_PEOPLE) || !in_range(rescued, 0, count)) return false;
    int transit = (int)((size - SAVED_HEADER_SIZE) / SAVED_RECORD_SIZE);
    if (transit > count) return false;
    for (int n = 0; n < transit; n++) {
        person p;
        memcpy(&p, image + record_offset(n), sizeof p);
        if (!record_valid(p)) return false;
    }
    return image_consistent(transit);
}

} // namespace

std::string saved_game_path() {
    return player_file(SAVED_GAME_NAME);
}

bool save_game() {
    if (!in_range(mission, 0, MISSION_COUNT - 1) || !map_holds_mission(mission)) return false;
    map_select_layer(0);
    put32(0, mission);
    put32(4, score);
    put32(8, time_bonus);
    int first_col = mission * BUILDING_COLS;
    for (int row = 0; row < BUILDING_ROWS; row++)
        for (int col = 0; col < BUILDING_COLS; col++) {
            std::size_t at = tile_offset(row, col);
            put32(at, map_get_cell(first_col + col, row));
            put32(at + 4, (int32_t)slot_grid[row * BUILDING_COLS + col]);
        }
    put32(SAVED_RESCUED_OFFSET, rescued_count);
    put32(SAVED_PEOPLE_COUNT_OFFSET, people_count);
    int transit = 0;
    for (int i = 0; i < people_count && i < MAX_PEOPLE; i++) {
        if (people[i].status != STATUS_IN_TRANSIT) continue;
        memcpy(image + record_offset(transit), &people[i], SAVED_RECORD_SIZE);
        transit++;
    }
    return player_file_write(SAVED_GAME_NAME, image, record_offset(transit));
}

SavedGameLoad load_saved_game() {
    std::string path = saved_game_path();
    if (path.empty()) return SavedGameLoad::MISSING;
    FILE *f = fopen(path.c_str(), "rb");
    if (!f) return errno == ENOENT ? SavedGameLoad::MISSING : SavedGameLoad::REFUSED;
    std::size_t size = fread(image, 1, sizeof image, f);
    bool read_ok = !ferror(f);
    fclose(f);
    if (!read_ok || !image_valid(size)) return SavedGameLoad::REFUSED;

    mission = get32(0);
    score = get32(4);
    time_bonus = get32(8);
    // The clock goes on from the saved bonus, to the whole second below it.
    mission_start_time = time(nullptr) + time_bonus / BONUS_PER_SECOND - MISSION_SECONDS;
    map_select_layer(0);
    int first_col = mission * BUILDING_COLS;
    for (int row = 0; row < BUILDING_ROWS; row++)
        for (int col = 0; col < BUILDING_COLS; col++) {
            std::size_t at = tile_offset(row, col);
            map_set_cell(first_col + col, row, get32(at));
            slot_grid[row * BUILDING_COLS + col] = (unsigned)get32(at + 4);
        }
    rescued_count = get32(SAVED_RESCUED_OFFSET);
    people_count = get32(SAVED_PEOPLE_COUNT_OFFSET);
    // Entries the restore does not rebuild stay marked vacant.
    for (person &p : people) p.hidden = 0xff;
    loaded_transit_count = (int)((size - SAVED_HEADER_SIZE) / SAVED_RECORD_SIZE);
    for (int n = 0; n < loaded_transit_count; n++)
        memcpy(&people[n], image + record_offset(n), SAVED_RECORD_SIZE);
    resumed = true;
    return SavedGameLoad::LOADED;
}

bool resume_saved_game() {
    SavedGameLoad result = load_saved_game();
    if (result == SavedGameLoad::REFUSED) tell_player(NOTICE_SAVE_REFUSED);
    return result == SavedGameLoad::LOADED;
}
