// A mission played through by a simple player. The people follow the game's rules
// step by step (walking, boarding, riding a pixel a frame, the arrival search with
// its cut-off sides, riding back when a floor is full, the rescue helicopter that
// collects one person at a time); the player is modelled coarsely: each action
// costs the time to scroll there and aim, then a call takes a frame and a fire
// takes its strength in droplet landings at a steady rate.
#include "levelc/levelc.h"

#include <climits>
#include <cstdlib>
#include <vector>

namespace {

constexpr int SCROLL_SPEED = 20;       // pixels a frame
constexpr int AIM_FRAMES = 30;         // to settle the crosshair on a target
constexpr int LANDINGS_PER_FRAME = 36; // of the 48 droplets launched a frame
constexpr int IDLE_FRAMES = 10;
constexpr int WALK_STEP[7] = {6, 5, 4, 6, 6, 4, 5};
constexpr int SLOT_ROW_DX[3] = {0, 3, 5};
constexpr unsigned FULL = 0x1ff;

enum { STANDING, TO_ELEVATOR, BOARDING, RIDING, STEPPING_OFF, TO_SLOT };
enum { POSE_STAND = 1, POSE_LEFT, POSE_RIGHT, POSE_BOARD, POSE_STEP_OFF };

struct person {
    int x, y, target_x, target_y, origin_y;
    int state, pose, frame, delay, slot;
    bool hidden, rescued;
};

struct game {
    const mission &m;
    unsigned seed;
    tile_kind kind[MISSION_ROWS][MISSION_COLS];
    int strength[MISSION_ROWS][MISSION_COLS];
    unsigned slots[MISSION_ROWS][MISSION_COLS];
    std::vector<person> people;
    std::vector<int> queue;
    int heli_x = -200, heli_y = 4850;
    int rescued = 0;
    play_estimate est;

    // Components of the floors with every fire out, and the rides left to a beacon.
    int comp[MISSION_ROWS][MISSION_COLS];
    std::vector<int> rides_left;

    explicit game(const mission &mm, unsigned s) : m(mm), seed(s) {}

    int rnd() {
        seed = seed * 214013u + 2531011u;
        return (int)((seed >> 16) & 0x7fff);
    }
    bool fire(int r, int c) const { return kind[r][c] == KIND_FIRE; }
    bool walk_blocks(int r, int c) const { return fire(r, c) || kind_is_open(kind[r][c]); }
    bool beacon(int r, int c) const { return kind_is_beacon(kind[r][c]); }
    static int col_of(int x) { return (x - 64) / 64; }

    void setup() {
        for (int r = 0; r < MISSION_ROWS; r++)
            for (int c = 0; c < MISSION_COLS; c++) {
                kind[r][c] = m.tiles[r][c].kind;
                strength[r][c] = rnd() % 900 + 300;
                slots[r][c] = 0;
                for (int k = 0, n = m.tiles[r][c].people; k < n; k++) {
                    // The game spreads them over the slots; the first ones will do.
                    person p{};
                    p.slot = k;
                    p.x = 64 + 64 * c + 21 * (k % 3) + SLOT_ROW_DX[k / 3];
                    p.y = 64 * r + 61 - 3 * (k / 3);
                    p.state = STANDING;
                    p.pose = POSE_STAND;
                    p.delay = 1;
                    slots[r][c] |= 1u << k;
                    people.push_back(p);
                }
                if (beacon(r, c)) slots[r][c] = 0x1f8;
            }
        // Rides left from each stretch, fires counted as out.
        int n = 0;
        for (int r = 0; r < MISSION_ROWS; r++)
            for (int c = 0, cur = -1; c < MISSION_COLS; c++) {
                if (kind_is_open(kind[r][c])) {
                    comp[r][c] = cur = -1;
                    continue;
                }
                if (cur < 0) cur = n++;
                comp[r][c] = cur;
            }
        rides_left.assign(n, INT_MAX);
        for (bool changed = true; changed;) {
            changed = false;
            for (int r = 0; r < MISSION_ROWS; r++)
                for (int c = 0; c < MISSION_COLS; c++) {
                    int to = level_partner_row(m, c, r);
                    if (to < 0) continue;
                    int left = beacon(to, c)                        ? 1
                               : rides_left[comp[to][c]] == INT_MAX ? INT_MAX
                                                                    : rides_left[comp[to][c]] + 1;
                    if (left < rides_left[comp[r][c]]) {
                        rides_left[comp[r][c]] = left;
                        changed = true;
                    }
                }
        }
    }

    // Does a ride from the door at (c, r) bring people nearer a beacon?
    bool progress(int c, int r) const {
        int to = level_partner_row(m, c, r);
        if (to < 0 || beacon(r, c)) return false;
        if (beacon(to, c)) return true;
        return rides_left[comp[to][c]] < rides_left[comp[r][c]];
    }

    bool clear_way(int from_c, int door_c, int r) const {
        int step = from_c < door_c ? 1 : -1;
        for (int c = from_c; c != door_c; c += step)
            if (fire(r, c) || (kind_is_open(kind[r][c]) && !beacon(r, door_c))) return false;
        return true;
    }

    bool eligible(const person &p, int door_c, int r) const {
        return !p.hidden && !p.rescued && p.state == STANDING && p.y / 64 == r &&
               !beacon(r, col_of(p.x)) && clear_way(col_of(p.x), door_c, r);
    }

    int call(int door_c, int r) {
        int sent = 0;
        for (person &p : people) {
            if (!eligible(p, door_c, r)) continue;
            p.target_x = 64 + 64 * door_c + 23;
            p.target_y = 64 * r + 54;
            p.state = TO_ELEVATOR;
            p.pose = p.target_x > p.x ? POSE_RIGHT : POSE_LEFT;
            p.frame = 0;
            slots[p.y / 64][col_of(p.x)] &= ~(1u << p.slot);
            sent++;
        }
        return sent;
    }

    // The nearest free slot on arrival, or false when the floor is full or cut off.
    bool arrive(person &p) {
        int r = p.y / 64, d = col_of(p.x), blocked = 0;
        for (int n = 0; n <= 16; n++) {
            int dir = n % 2 ? 1 : -1;
            int c = d + (n % 2 ? (n + 1) / 2 : -((n + 1) / 2));
            if (c < 0 || c >= MISSION_COLS) continue;
            bool blocks = fire(r, c) || (kind_is_open(kind[r][c]) && !beacon(r, c));
            if (blocks) {
                if (blocked && blocked != dir) return false;
                blocked = dir;
                continue;
            }
            if (blocked == dir || slots[r][c] == FULL) continue;
            int k = 0;
            while (slots[r][c] & (1u << k)) k++;
            slots[r][c] |= 1u << k;
            p.slot = k;
            p.target_x = 64 + 64 * c + 21 * (k % 3) + SLOT_ROW_DX[k / 3] + rnd() % 3;
            p.target_y = 64 * r + 61 - 3 * (k / 3) - (beacon(r, c) ? 0 : rnd() % 3);
            return true;
        }
        return false;
    }

    void step_person(int i) {
        person &p = people[i];
        if (p.pose == POSE_LEFT || p.pose == POSE_RIGHT) {
            if (--p.delay == 0) {
                p.x += p.pose == POSE_RIGHT ? WALK_STEP[p.frame] : -WALK_STEP[p.frame];
                p.frame = (p.frame + 1) % 7;
                p.delay = 4;
            }
        }
        switch (p.state) {
        case TO_ELEVATOR:
            if ((p.x >= p.target_x && p.pose == POSE_RIGHT) ||
                (p.x <= p.target_x && p.pose == POSE_LEFT)) {
                p.state = BOARDING;
                p.pose = POSE_BOARD;
            }
            break;
        case BOARDING: {
            int line = 64 * (p.y / 64) + 54;
            if (p.y > line) {
                p.y = line;
                break;
            }
            int c = col_of(p.x), r = p.y / 64;
            int to = level_partner_row(m, c, r);
            p.hidden = true;
            p.state = RIDING;
            p.origin_y = p.y;
            p.target_y = 64 * to + 54;
            break;
        }
        case RIDING:
            p.y += p.y > p.target_y ? -1 : 1;
            if (p.y == p.target_y) {
                if (arrive(p)) {
                    p.hidden = false;
                    p.state = STEPPING_OFF;
                    p.pose = POSE_STEP_OFF;
                } else {
                    std::swap(p.target_y, p.origin_y);
                    est.rides_back++;
                }
            }
            break;
        case STEPPING_OFF:
            p.y += 6;
            if (p.y >= p.target_y) {
                p.y = p.target_y;
                p.state = TO_SLOT;
                p.pose = p.x < p.target_x ? POSE_RIGHT : POSE_LEFT;
                p.frame = 0;
            }
            break;
        case TO_SLOT:
            if ((p.x >= p.target_x && p.pose == POSE_RIGHT) ||
                (p.x <= p.target_x && p.pose == POSE_LEFT)) {
                p.state = STANDING;
                p.pose = POSE_STAND;
                p.x = p.target_x;
                if (beacon(p.y / 64, col_of(p.x))) queue.push_back(i);
            }
            break;
        default: break;
        }
    }

    void rescue_heli() {
        if (queue.empty()) {
            int sx = (-200 - heli_x) / 100, sy = (4850 - heli_y) / 100;
            heli_x += sx > 10 ? 10 : sx;
            heli_y += sy > 10 ? 10 : sy;
            return;
        }
        size_t best = 0;
        for (size_t q = 1; q < queue.size(); q++)
            if (people[queue[q]].x < people[queue[best]].x) best = q;
        person &p = people[queue[best]];
        int ex = p.x - heli_x, ey = p.y - (heli_y + 25);
        int sx = ex / 100, sy = ey / 100;
        if (sx == 0 && ex) sx = ex > 0 ? 1 : -1;
        if (sy == 0 && ey) sy = ey > 0 ? 1 : -1;
        if (sx || sy) {
            heli_x += sx;
            heli_y += sy;
            return;
        }
        p.hidden = p.rescued = true;
        p.state = STANDING;
        slots[p.y / 64][col_of(p.x)] &= ~(1u << p.slot);
        queue[best] = queue.back();
        queue.pop_back();
        rescued++;
    }

    // The player's next job: the call that moves the most people nearer a beacon,
    // or else the fire that keeps the most of them from such a call.
    struct job {
        int kind = 0; // 0 none, 1 call, 2 spray
        int c = 0, r = 0;
    };
    job choose(int view_row) {
        job best;
        int best_score = 0;
        for (int r = 0; r < MISSION_ROWS; r++)
            for (int c = 0; c < MISSION_COLS; c++) {
                if (!kind_is_door(kind[r][c]) || !progress(c, r)) continue;
                int ready = 0, stuck = 0, fire_c = -1;
                for (const person &p : people) {
                    if (p.hidden || p.rescued || p.state != STANDING || p.y / 64 != r) continue;
                    int pc = col_of(p.x);
                    if (beacon(r, pc) || comp[r][pc] != comp[r][c]) continue;
                    if (clear_way(pc, c, r)) {
                        ready++;
                    } else {
                        stuck++;
                        // The fire nearest this person on the way.
                        int step = pc < c ? 1 : -1;
                        for (int x = pc; x != c; x += step)
                            if (fire(r, x)) {
                                fire_c = x;
                                break;
                            }
                    }
                }
                int distance = abs(r - view_row);
                if (ready > 0) {
                    int score = ready * 1000 / (10 + distance);
                    if (score > best_score) best_score = score, best = {1, c, r};
                }
                if (stuck > 0 && fire_c >= 0) {
                    int score = stuck * 600 / (10 + distance);
                    if (score > best_score) best_score = score, best = {2, fire_c, r};
                }
            }
        return best;
    }

    void run() {
        setup();
        int total = (int)people.size();
        int view_row = 5000 / 64 + 6, busy = 0;
        job current;
        for (int frame = 0; frame < MISSION_FRAMES; frame++) {
            for (int i = 0; i < (int)people.size(); i++) step_person(i);
            rescue_heli();
            if (rescued >= total) {
                est.finished = true;
                est.frames = frame + 1;
                return;
            }
            if (busy > 0) {
                busy--;
                continue;
            }
            if (current.kind == 2 && fire(current.r, current.c)) {
                strength[current.r][current.c] -= LANDINGS_PER_FRAME;
                if (strength[current.r][current.c] <= 0) {
                    kind[current.r][current.c] = KIND_BURNT;
                    est.fires_out++;
                    current = job();
                }
                continue;
            }
            if (current.kind == 1) {
                call(current.c, current.r);
                est.calls++;
                current = job();
                continue;
            }
            current = choose(view_row);
            if (current.kind == 0) {
                busy = IDLE_FRAMES;
                continue;
            }
            busy = abs(current.r - view_row) * 64 / SCROLL_SPEED + AIM_FRAMES;
            view_row = current.r;
        }
        est.frames = MISSION_FRAMES;
    }
};

} // namespace

play_estimate level_estimate_play(const mission &m, unsigned seed) {
    game g(m, seed);
    g.run();
    return g.est;
}
