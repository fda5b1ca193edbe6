// The level compiler: mission text files to buildings.fmp, with the checks that
// keep every mission playable under the game's rules.
#pragma once

#include "fmp/fmp_writer.h"
#include "levelc/tile_kinds.h"

#include <string>
#include <vector>

constexpr int MISSION_COLS = 14;
constexpr int MISSION_ROWS = 120;
constexpr int MISSION_COUNT = 7;
constexpr int MAX_TILE_PEOPLE = 9;
constexpr int MAX_MISSION_PEOPLE = 1024;
constexpr int MAX_MISSION_FIRES = 1024;
// Columns either side of an elevator door where an arriving person may find a place.
constexpr int ARRIVAL_REACH = 8;
constexpr int TILE_SIZE = 64;
// A mission file is a few kilobytes; anything far larger is not one.
constexpr long LEVEL_FILE_MAX_BYTES = 64 * 1024;

// Line 0: a fault of the whole file, reported without a position.
struct source_pos {
    int line = 0;
    int column = 0;
};

struct mission_tile {
    tile_kind kind = KIND_SKY;
    int people = 0;
    source_pos at;        // the tile's letter
    source_pos people_at; // its people digit; the letter when the row has no people part
};

struct mission {
    std::string file;
    std::string title;
    int style = 0;
    int first_row_line = 1; // line of the top row, where whole-mission faults are reported
    mission_tile tiles[MISSION_ROWS][MISSION_COLS];
};

struct level_error {
    std::string file;
    source_pos at;
    std::string message;
};

// "file:line:column: message", or "file: message" for a fault of the whole file.
std::string level_error_text(const level_error &error);

// ---- reading ------------------------------------------------------------------
// Parses a mission from its text. False (with the reasons in errors) when the text
// is not a well-formed mission.
bool level_parse(const std::string &file, const std::string &text, mission &out,
                 std::vector<level_error> &errors);
// Reads and parses a mission file; refuses anything but a regular file of at most
// LEVEL_FILE_MAX_BYTES before reading it.
bool level_read_file(const std::string &path, mission &out, std::vector<level_error> &errors);

// ---- checks -------------------------------------------------------------------
// The rules the game relies on: people per tile and per mission, fires per
// mission, a beacon, doors with partners, shafts between doors.
bool level_check_rules(const mission &m, std::vector<level_error> &errors);

// Figures of a mission that has passed the route check.
struct route_stats {
    int people = 0;
    int fires = 0;
    int doors = 0;
    int shafts = 0;          // columns holding doors
    int beacon_row = -1;     // the highest row with a beacon
    int top_row = -1;        // the highest row of the building
    int longest_rides = 0;   // rides on the shortest way out of the worst-placed person
    int longest_storeys = 0; // storeys ridden on that way
};

// Every person must have a way to a beacon, and nobody who arrives anywhere may be
// stranded for good. Fires count as put out; open tiles are never crossed.
bool level_check_routes(const mission &m, std::vector<level_error> &errors,
                        route_stats *stats = nullptr);

// Rules, then routes when the rules hold.
bool level_check(const mission &m, std::vector<level_error> &errors, route_stats *stats = nullptr);

// The row of the door that a ride from the door at (col, row) ends at, or -1.
int level_partner_row(const mission &m, int col, int row);

// ---- the map ------------------------------------------------------------------
// Builds the map of up to seven missions side by side (missing ones are sky). Needs
// Allegro started, for the tile art.
fmp::Map level_build_map(const std::vector<mission> &missions);

// Figures of a built map, for the compiler's report.
struct map_stats {
    int blocks = 0;
    int graphics = 0;
    int animations = 0;
};
map_stats level_map_stats(const fmp::Map &map);

// The block numbers the build reserves.
constexpr int BLOCK_SKY = 0;
constexpr int BLOCK_HOLE = 1;
constexpr int BLOCK_BURNT = 2;

// ---- play ---------------------------------------------------------------------
// A mission played through by a simple player under the game's rules for people,
// elevators, fires and the rescue helicopter, to see that it can be finished well
// within the mission's 30 minutes.
struct play_estimate {
    bool finished = false;
    int frames = 0;     // frames until the last person is collected
    int calls = 0;      // elevator calls the player made
    int fires_out = 0;  // fires the player put out
    int rides_back = 0; // arrivals that found no room and rode back
};
play_estimate level_estimate_play(const mission &m, unsigned seed = 1);

constexpr int FRAMES_PER_SECOND = 60;
constexpr int MISSION_FRAMES = 30 * 60 * FRAMES_PER_SECOND;
