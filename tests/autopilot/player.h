// A headless player for the autopilot and the soak test: it plays the real game through
// frame_step() with nothing but player input (crosshair, buttons, keys, wheel), and
// decides from the building, the people and the fires, as a player reads the screen.
#pragma once

#include "hazards/hazards.h"
#include "map/map.h"
#include "people/people.h"
#include "shell/dialogs.h"
#include "shell/game_state.h"
#include "shell/hud.h"
#include "shell/rng.h"
#include "support/headless.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace player {

constexpr int ROWS = BUILDING_ROWS, COLS = BUILDING_COLS;
constexpr int FRAMES_PER_SECOND = 60;
constexpr int FRAME_LIMIT = MISSION_SECONDS * FRAMES_PER_SECOND; // 108000
constexpr int UNREACHABLE = 1 << 20;
constexpr int HAND_SPEED = 48;     // pixels a frame the crosshair moves at most
constexpr int VIEW_CENTRE = 384;   // screen y at which the floor in play is kept
constexpr int VIEW_SLACK = 200;    // how far from it a floor may be before scrolling
constexpr int SPRAY_REACH = 180;   // the jet's reach (200) less the aim's jitter
constexpr int CROWD_WEIGHT = 1000; // what one person's move is worth to the chooser
constexpr int PICKUP_FRAMES = 70;  // about the rescue helicopter's time per person
enum { KIND_FIRE = 1, KIND_DOOR_UP = 2, KIND_DOOR_DOWN = 3, KIND_OPEN = 4 };

[[noreturn]] inline void fail(const char *what, const char *detail = "") {
    fprintf(stderr, "FAIL: %s%s\n", what, detail);
    exit(1);
}

// ---- the building ----------------------------------------------------------------
inline int kind(int c, int r) {
    return map_get_block(mission_col_offset + c, r)->user1;
}
inline bool is_beacon(int c, int r) {
    return map_get_block(mission_col_offset + c, r)->user3 != 0;
}
inline bool is_door(int c, int r) {
    return kind(c, r) == KIND_DOOR_UP || kind(c, r) == KIND_DOOR_DOWN;
}
// Where people cannot walk: a fire, or an open tile that is no beacon tile.
inline bool blocks(int c, int r, bool fires_too) {
    return (fires_too && kind(c, r) == KIND_FIRE) || (kind(c, r) == KIND_OPEN && !is_beacon(c, r));
}
inline int centre_x(int c) {
    return BUILDING_SCREEN_X + TILE_SIZE * c + TILE_SIZE / 2;
}
inline int centre_y(int r) {
    return TILE_SIZE * r + TILE_SIZE / 2 - scroll_y;
}

// Floor stretches (runs of a row between open tiles; fires do not split them, they
// can be put out), the row each door's ride ends at, and the rides from each stretch
// to a beacon: a breadth-first search over floors and rides, from the beacons out.
inline int stretch[ROWS][COLS], ride_to[ROWS][COLS], rides_left[ROWS * COLS];

inline void learn_building() {
    int count = 0;
    std::fill(rides_left, rides_left + ROWS * COLS, UNREACHABLE);
    for (int r = 0; r < ROWS; r++)
        for (int c = 0, cur = -1; c < COLS; c++) {
            cur = blocks(c, r, false) ? -1 : cur < 0 ? count++ : cur;
            stretch[r][c] = cur;
            if (cur >= 0 && is_beacon(c, r)) rides_left[cur] = 0;
            ride_to[r][c] = -1;
            int dir = kind(c, r) == KIND_DOOR_UP ? -1 : 1;
            for (int to = r + dir; is_door(c, r) && to >= 0 && to < ROWS && ride_to[r][c] < 0;
                 to += dir)
                if (is_door(c, to)) ride_to[r][c] = to;
        }
    for (bool changed = true; changed;) {
        changed = false;
        for (int r = 0; r < ROWS; r++)
            for (int c = 0; c < COLS; c++) {
                if (ride_to[r][c] < 0) continue;
                int &here = rides_left[stretch[r][c]];
                int there = rides_left[stretch[ride_to[r][c]][c]] + 1;
                if (there < here) here = there, changed = true;
            }
    }
}

// A ride from this door brings its riders one ride nearer a beacon.
inline bool door_helps(int c, int r) {
    int to = ride_to[r][c];
    return to >= 0 && rides_left[stretch[to][c]] < rides_left[stretch[r][c]];
}

// The way an elevator call asks for: no fire, and no open tile unless the door
// stands on a beacon tile, from the person's column up to the door's.
inline bool way_clear(int from, int door, int r) {
    bool beacon_door = is_beacon(door, r);
    for (int c = from, dir = from < door ? 1 : -1; c != door; c += dir)
        if (kind(c, r) == KIND_FIRE || (kind(c, r) == KIND_OPEN && !beacon_door)) return false;
    return true;
}

// Standing in a slot, visible, and not yet where the rescue helicopter collects.
inline bool waiting(const person &p) {
    return p.hidden == 0 && p.state == PERSON_STANDING && p.status != STATUS_RESCUED &&
           !is_beacon(column_of_x(p.x), p.y / TILE_SIZE);
}

inline int callable_at(int door, int r) {
    int n = 0;
    for (int i = 0; i < people_count; i++)
        n += waiting(people[i]) && people[i].y / TILE_SIZE == r &&
             way_clear(column_of_x(people[i].x), door, r);
    return n;
}

// Whether the floor a door rides to has room for these riders and those on their way (the
// free places within 8 columns of the door, up to a fire or open tile, and on a beacon
// floor those the rescue helicopter frees meanwhile), lest they ride back a long way.
inline bool room_for(int c, int r, int riders) {
    int to = ride_to[r][c], heading = 0, free = 0, taken = 0;
    for (int i = 0; i < people_count; i++) {
        const person &p = people[i];
        bool to_door = p.state == PERSON_TO_ELEVATOR || p.state == PERSON_BOARDING;
        if (p.state == PERSON_RIDING) heading += p.target_y / TILE_SIZE == to;
        if (to_door) heading += ride_to[p.target_y / TILE_SIZE][column_of_x(p.target_x)] == to;
    }
    for (int dir : {1, -1})
        for (int x = dir > 0 ? c : c - 1; abs(x - c) <= 8 && x >= 0 && x < COLS; x += dir) {
            if (blocks(x, to, true)) break;
            int held = __builtin_popcount(slot_grid[to * COLS + x] & FULL_SLOT_MASK);
            free += 9 - held;
            taken += held - (is_beacon(x, to) ? 6 : 0);
        }
    int collected = is_beacon(c, to) ? abs(to - r) * TILE_SIZE / PICKUP_FRAMES : 0;
    return heading == 0 || heading + riders <= free + std::min(taken, collected);
}

// ---- input and the game ------------------------------------------------------------
struct input {
    int aim_x = 512, aim_y = 384; // crosshair centre on the screen
    int buttons = 0;              // bit 0 left (fire), bit 1 right (scroll)
    int wheel = 0;                // notches toward the ground (negative: toward the roof)
    bool up = false, down = false, space = false, ctrl = false;
    bool pause = false; // P: the autopilot never pauses
};

// The save and stop icons (bottom right), with a margin: the crosshair keeps off.
inline bool over_icons(int x, int y) {
    return x >= save_x - 8 && y >= std::min(save_y, stop_y) - 8;
}

// One frame of play with this input. The clock follows the frames played, so that
// the time bonus is that of a player playing at full speed.
inline FrameResult play_frame(const input &in, int frames_played) {
    if (over_icons(in.aim_x, in.aim_y)) fail("the crosshair went onto the icons");
    mouse_x = in.aim_x - 16, mouse_y = in.aim_y - 16;
    mouse_b = in.buttons, mouse_z -= in.wheel;
    key[KEY_UP] = in.up, key[KEY_DOWN] = in.down;
    key[KEY_SPACE] = in.space, key[KEY_LCONTROL] = in.ctrl, key[KEY_P] = in.pause;
    mission_start_time = time(nullptr) - frames_played / FRAMES_PER_SECOND;
    FrameResult outcome = frame_step();
    if (outcome == FRAME_GAME_OVER) fail("the game ended without a question");
    return outcome;
}

inline void setup() {
    headless_init();
    if (!headless_load_data_assets()) fail("the generated assets are missing (build the data)");
    // No question may ever be asked: the player never presses Esc or S.
    dialog_box_hook = [](const char *line, const char *, const char *) -> int {
        fail("the game asked: ", line);
    };
    drawing_mode(DRAW_MODE_TRANS, nullptr, 0, 0);
    set_trans_blender(0, 0, 0, 210);
}

// A new game: the map afresh, as the menu's "Play Now" loads it.
inline void new_game() {
    map_free();
    if (map_load(data_path("buildings.fmp").c_str()) != 0) fail("cannot load buildings.fmp");
    score = 0;
}

inline void start_mission(int m, uint32_t seed) {
    game_srand(seed);
    mission = m, resumed = 0;
    mission_start();
    learn_building();
}

// ---- the autopilot -----------------------------------------------------------------
enum { JOB_NONE, JOB_CALL, JOB_SPRAY };
struct job {
    int kind = JOB_NONE, c = 0, r = 0;
};

// The next thing to do: the call that moves the most people a ride nearer a beacon,
// or the fire that cuts the most people off from such a call, the nearer the better.
inline job choose_job() {
    int calls[ROWS][COLS] = {}, cut_off[ROWS][COLS] = {};
    for (int i = 0; i < people_count; i++) {
        if (!waiting(people[i])) continue;
        int pc = column_of_x(people[i].x), r = people[i].y / TILE_SIZE, nearest = -1, fire = -1;
        bool called = false;
        for (int c = 0; c < COLS; c++) {
            if (stretch[r][c] != stretch[r][pc] || !door_helps(c, r)) continue;
            if (way_clear(pc, c, r)) calls[r][c]++, called = true;
            if (nearest < 0 || abs(c - pc) < abs(nearest - pc)) nearest = c;
        }
        for (int c = pc; !called && nearest >= 0 && c != nearest && fire < 0;
             c += c < nearest ? 1 : -1)
            if (kind(c, r) == KIND_FIRE) cut_off[r][fire = c]++;
    }
    job best;
    for (int r = 0, best_worth = 0; r < ROWS; r++)
        for (int c = 0; c < COLS; c++) {
            if (calls[r][c] && !room_for(c, r, calls[r][c])) calls[r][c] = 0;
            int frames_away = abs(centre_y(r) - VIEW_CENTRE) / SCROLL_SPEED_MAX + 30;
            int worth = calls[r][c] * CROWD_WEIGHT / frames_away +
                        cut_off[r][c] * CROWD_WEIGHT / (frames_away + 30);
            if (worth > best_worth)
                best_worth = worth, best = {calls[r][c] ? JOB_CALL : JOB_SPRAY, c, r};
        }
    return best;
}

// The autopilot's hand: where the crosshair is and what it is doing.
struct autopilot {
    input hand;
    job current;
    int last_scroll = -1, idle = 0;

    input next() {
        hand.buttons = hand.wheel = 0;
        bool resting = scroll_y == last_scroll;
        last_scroll = scroll_y;
        if (current.kind == JOB_CALL && callable_at(current.c, current.r) == 0) current = job();
        if (current.kind == JOB_SPRAY && kind(current.c, current.r) != KIND_FIRE) current = job();
        if (current.kind == JOB_NONE && idle-- <= 0 && (current = choose_job()).kind == JOB_NONE)
            idle = 10; // nothing to do: look again in a moment
        if (current.kind == JOB_NONE) return hand;
        // Bring the floor near the middle of the view with the wheel, once the view
        // has come to rest from the last turn.
        int goal_y = centre_y(current.r);
        if (abs(goal_y - VIEW_CENTRE) > VIEW_SLACK) {
            int wanted = std::clamp(scroll_y + goal_y - VIEW_CENTRE, 0, SCROLL_Y_MAX);
            if (resting) hand.wheel = (wanted - scroll_y + (wanted > scroll_y ? 50 : -50)) / 100;
            if (hand.wheel != 0 || abs(wanted - scroll_y) > VIEW_SLACK / 2) return hand;
        }
        // Off the edges that scroll the view, unless the floor lies in one.
        int top = TILE_SIZE * current.r - scroll_y, goal_x = centre_x(current.c);
        goal_y = std::clamp(std::clamp(goal_y, 72, 696), top + 4, top + TILE_SIZE - 4);
        hand.aim_x += std::clamp(goal_x - hand.aim_x, -HAND_SPEED, HAND_SPEED);
        hand.aim_y += std::clamp(goal_y - hand.aim_y, -HAND_SPEED, HAND_SPEED);
        if (hand.aim_x != goal_x || hand.aim_y != goal_y || !resting) return hand;
        // Fire: a call at once; the spray once the helicopter is within its reach.
        int dx = heli_x - hand.aim_x, dy = heli_y - hand.aim_y;
        if (current.kind == JOB_CALL || dx * dx + dy * dy <= SPRAY_REACH * SPRAY_REACH)
            hand.buttons = 1;
        return hand;
    }
};

} // namespace player
