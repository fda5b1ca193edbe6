// The rules the game relies on, checked tile by tile.
#include "levelc/levelc.h"

namespace {

void fail(const mission &m, source_pos at, const std::string &message,
          std::vector<level_error> &errors) {
    errors.push_back({m.file, at, message});
}

void check_people(const mission &m, std::vector<level_error> &errors) {
    int people = 0, fires = 0;
    bool people_reported = false, fires_reported = false;
    for (int r = 0; r < MISSION_ROWS; r++) {
        for (int c = 0; c < MISSION_COLS; c++) {
            const mission_tile &t = m.tiles[r][c];
            if (t.kind == KIND_FIRE && ++fires > MAX_MISSION_FIRES && !fires_reported) {
                fail(m, t.at,
                     "more than " + std::to_string(MAX_MISSION_FIRES) +
                         " fire tiles in the mission",
                     errors);
                fires_reported = true;
            }
            if (t.people == 0) continue;
            if (t.people < 0 || t.people > MAX_TILE_PEOPLE)
                fail(m, t.people_at,
                     std::to_string(t.people) + " people on one tile, at most " +
                         std::to_string(MAX_TILE_PEOPLE) + " fit",
                     errors);
            else if (kind_is_beacon(t.kind))
                fail(m, t.people_at,
                     "people on a beacon tile at the start would never be collected", errors);
            else if (t.kind == KIND_FIRE)
                fail(m, t.people_at, "people cannot start on a fire tile", errors);
            else if (kind_is_open(t.kind))
                fail(m, t.people_at,
                     std::string("people cannot start on an open tile (") +
                         TILE_KINDS[t.kind].name + ")",
                     errors);
            if (t.people > 0) people += t.people;
            if (people > MAX_MISSION_PEOPLE && !people_reported) {
                fail(m, t.people_at,
                     "more than " + std::to_string(MAX_MISSION_PEOPLE) + " people in the mission",
                     errors);
                people_reported = true;
            }
        }
    }
    if (people == 0) fail(m, {m.first_row_line, 1}, "the mission has no people", errors);
}

void check_beacon(const mission &m, std::vector<level_error> &errors) {
    bool any = false;
    for (int r = 0; r < MISSION_ROWS; r++) {
        for (int c = 0; c < MISSION_COLS; c++) {
            if (!kind_is_beacon(m.tiles[r][c].kind)) continue;
            any = true;
            if (m.tiles[r][c].kind != KIND_BEACON_PAD) continue;
            // People come onto a beacon only by stepping out of its rooftop elevator
            // and finding the places nearest to it taken.
            bool reached = false;
            for (int d = c - ARRIVAL_REACH; d <= c + ARRIVAL_REACH && !reached; d++) {
                if (d < 0 || d >= MISSION_COLS || m.tiles[r][d].kind != KIND_BEACON_DOOR) continue;
                bool clear = true;
                for (int x = d < c ? d : c; x <= (d < c ? c : d); x++)
                    if (kind_is_open(m.tiles[r][x].kind)) clear = false;
                reached = clear;
            }
            if (!reached)
                fail(m, m.tiles[r][c].at,
                     "this beacon is out of reach: no beacon door 'E' within " +
                         std::to_string(ARRIVAL_REACH) + " tiles on its row without a gap",
                     errors);
        }
    }
    if (!any) fail(m, {m.first_row_line, 1}, "the mission has no beacon ('B' or 'E')", errors);
}

void check_doors(const mission &m, std::vector<level_error> &errors) {
    for (int c = 0; c < MISSION_COLS; c++) {
        int prev_door = -1;
        // Rows that an elevator passes between two doors: they must be shaft tiles,
        // and shaft tiles must be nowhere else.
        bool in_ride[MISSION_ROWS] = {};
        for (int r = 0; r < MISSION_ROWS; r++) {
            int kind = m.tiles[r][c].kind;
            if (!kind_is_door(kind)) continue;
            if (level_partner_row(m, c, r) < 0)
                fail(m, m.tiles[r][c].at,
                     kind_ride_step(kind) < 0
                         ? "this door rides up, but there is no door above it in its column"
                         : "this door rides down, but there is no door below it in its column",
                     errors);
            if (prev_door >= 0) {
                bool used =
                    kind_ride_step(kind) < 0 || kind_ride_step(m.tiles[prev_door][c].kind) > 0;
                for (int x = prev_door + 1; x < r; x++) in_ride[x] = used;
            }
            prev_door = r;
        }
        for (int r = 0; r < MISSION_ROWS; r++) {
            const mission_tile &t = m.tiles[r][c];
            if (kind_is_door(t.kind)) continue;
            if (in_ride[r] && t.kind != KIND_SHAFT)
                fail(m, t.at,
                     std::string("an elevator rides through this ") + TILE_KINDS[t.kind].name +
                         ": mark its shaft with '|'",
                     errors);
            else if (!in_ride[r] && t.kind == KIND_SHAFT)
                fail(m, t.at, "a shaft tile must lie between two doors that an elevator rides",
                     errors);
        }
    }
}

} // namespace

int level_partner_row(const mission &m, int col, int row) {
    int step = kind_ride_step(m.tiles[row][col].kind);
    if (step == 0) return -1;
    for (int r = row + step; r >= 0 && r < MISSION_ROWS; r += step)
        if (kind_is_door(m.tiles[r][col].kind)) return r;
    return -1;
}

bool level_check_rules(const mission &m, std::vector<level_error> &errors) {
    size_t before = errors.size();
    check_people(m, errors);
    check_beacon(m, errors);
    check_doors(m, errors);
    return errors.size() == before;
}
