// The route check. A floor is cut by open tiles into stretches that people can walk
// along once the fires on them are out; an elevator ride takes everyone who boards
// it from one stretch to the stretch of the door it ends at, where they take the
// nearest free places. So it is enough to follow rides between stretches: a person
// is safe when a chain of rides from its stretch ends at a beacon door.
#include "levelc/levelc.h"

#include <algorithm>
#include <climits>

namespace {

struct ride {
    int from_comp, to_comp;
    int col, row, to_row;
    bool rescue; // ends on a beacon door: the first places there are beacon places
};

struct way {
    int rides = INT_MAX;
    int storeys = INT_MAX;
    bool better_than(const way &o) const {
        return rides < o.rides || (rides == o.rides && storeys < o.storeys);
    }
};

struct route_graph {
    int comp[MISSION_ROWS][MISSION_COLS];
    int comp_count = 0;
    std::vector<ride> rides;
};

void build_graph(const mission &m, route_graph &g) {
    for (int r = 0; r < MISSION_ROWS; r++) {
        int current = -1;
        for (int c = 0; c < MISSION_COLS; c++) {
            if (kind_is_open(m.tiles[r][c].kind)) {
                g.comp[r][c] = current = -1;
                continue;
            }
            if (current < 0) current = g.comp_count++;
            g.comp[r][c] = current;
        }
    }
    for (int r = 0; r < MISSION_ROWS; r++) {
        for (int c = 0; c < MISSION_COLS; c++) {
            int kind = m.tiles[r][c].kind;
            if (!kind_is_door(kind)) continue;
            int to = level_partner_row(m, c, r);
            if (to < 0) continue;
            bool rescue = kind_is_beacon(m.tiles[to][c].kind);
            // The game lets a call to a beacon door reach people across open tiles of
            // its row; any other door calls only its own stretch.
            for (int x = 0; x < MISSION_COLS; x++) {
                int from = g.comp[r][x];
                if (from < 0 || (from != g.comp[r][c] && !kind_is_beacon(kind))) continue;
                if (!g.rides.empty() && g.rides.back().from_comp == from &&
                    g.rides.back().row == r && g.rides.back().col == c)
                    continue;
                g.rides.push_back({from, g.comp[to][c], c, r, to, rescue});
            }
        }
    }
}

} // namespace

bool level_check_routes(const mission &m, std::vector<level_error> &errors, route_stats *stats) {
    route_graph g;
    build_graph(m, g);

    // The shortest way out of every stretch, counted back from the beacon doors.
    std::vector<way> out(g.comp_count);
    for (bool changed = true; changed;) {
        changed = false;
        for (const ride &rd : g.rides) {
            int storeys = std::abs(rd.to_row - rd.row);
            way w;
            if (rd.rescue) {
                w = {1, storeys};
            } else if (out[rd.to_comp].rides != INT_MAX) {
                w = {out[rd.to_comp].rides + 1, out[rd.to_comp].storeys + storeys};
            } else {
                continue;
            }
            if (w.better_than(out[rd.from_comp])) {
                out[rd.from_comp] = w;
                changed = true;
            }
        }
    }

    // Every stretch that people start on or can be carried to.
    std::vector<char> reached(g.comp_count, 0);
    std::vector<int> people(g.comp_count, 0);
    std::vector<int> queue;
    for (int r = 0; r < MISSION_ROWS; r++)
        for (int c = 0; c < MISSION_COLS; c++) {
            int k = g.comp[r][c];
            if (k < 0 || m.tiles[r][c].people <= 0) continue;
            people[k] += m.tiles[r][c].people;
            if (!reached[k]) {
                reached[k] = 1;
                queue.push_back(k);
            }
        }
    for (size_t i = 0; i < queue.size(); i++)
        for (const ride &rd : g.rides)
            if (rd.from_comp == queue[i] && !reached[rd.to_comp]) {
                reached[rd.to_comp] = 2;
                queue.push_back(rd.to_comp);
            }

    size_t before = errors.size();
    std::vector<char> reported(g.comp_count, 0);
    for (int r = 0; r < MISSION_ROWS; r++)
        for (int c = 0; c < MISSION_COLS; c++) {
            int k = g.comp[r][c];
            if (k < 0 || !reached[k] || out[k].rides != INT_MAX || reported[k]) continue;
            if (people[k] > 0 && m.tiles[r][c].people > 0) {
                errors.push_back({m.file, m.tiles[r][c].people_at,
                                  std::to_string(people[k]) +
                                      (people[k] == 1 ? " person" : " people") +
                                      " on this floor can never reach a beacon"});
                reported[k] = 1;
            }
        }
    for (const ride &rd : g.rides) {
        int k = rd.to_comp;
        // One fault for each way into a stranded part, not one for every ride inside it.
        if (!reached[rd.from_comp] || out[rd.from_comp].rides == INT_MAX ||
            out[k].rides != INT_MAX || reported[k])
            continue;
        errors.push_back({m.file, m.tiles[rd.to_row][rd.col].at,
                          "people arriving at this door can never reach a beacon"});
        reported[k] = 1;
    }

    if (stats) {
        *stats = route_stats();
        bool shaft_col[MISSION_COLS] = {};
        for (int r = 0; r < MISSION_ROWS; r++)
            for (int c = 0; c < MISSION_COLS; c++) {
                const mission_tile &t = m.tiles[r][c];
                stats->people += t.people;
                if (t.kind == KIND_FIRE) stats->fires++;
                if (kind_is_door(t.kind)) {
                    stats->doors++;
                    shaft_col[c] = true;
                }
                if (kind_is_beacon(t.kind) && stats->beacon_row < 0) stats->beacon_row = r;
                if (t.kind != KIND_SKY && stats->top_row < 0) stats->top_row = r;
                int k = g.comp[r][c];
                if (k >= 0 && t.people > 0 && out[k].rides != INT_MAX &&
                    out[k].better_than({stats->longest_rides, stats->longest_storeys}) == false) {
                    stats->longest_rides = out[k].rides;
                    stats->longest_storeys = out[k].storeys;
                }
            }
        for (bool s : shaft_col) stats->shafts += s;
    }
    return errors.size() == before;
}
