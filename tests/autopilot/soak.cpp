// The soak test, soak [frames (200000) [seed]]: random but plausible input across missions
// (a wandering, jumping hand on the buttons, Space, Control, arrows and wheel; spells of
// the autopilot's play, so that people get rescued and missions end; now and then a save
// and resume), checking after every frame that no person is lost and all keep bounds.
#include "player.h"
#include "shell/file_places.h"
#include "shell/pause.h"
#include "shell/saved_game.h"

#include <cmath>
#include <cstdarg>
#include <random>
#include <unistd.h>

namespace {

using namespace player;

std::mt19937 dice(20250101); // the soak's own: the game's random stream stays the game's
const auto roll = [](int n) { return (int)(dice() % (unsigned)n); };
const auto chance = [](int per_mille) { return roll(1000) < per_mille; };
const auto in_range = [](int v, int lo, int hi) { return v >= lo && v <= hi; };

char broken[256]; // what the first failed check found
bool fault(const char *format, ...) {
    va_list args;
    va_start(args, format);
    vsnprintf(broken, sizeof broken, format, args);
    va_end(args);
    return false;
}

// The tables and counters, each within its bounds.
bool tables_in_bounds() {
    const struct {
        const char *name;
        int value, lo, hi;
    } bounds[] = {
        {"people_count", people_count, 0, MAX_PEOPLE},
        {"rescued_count", rescued_count, 0, people_count},
        {"pickup_count", pickup_count, 0, people_count},
        {"drop_count", drop_count, 0, MAX_DROPS},
        {"fire_count", fire_count, 0, MAX_FIRES},
        {"scroll_y", scroll_y, 0, SCROLL_Y_MAX},
        {"mission", mission, 0, MISSION_COUNT - 1},
        {"time_bonus", time_bonus, 0, TIME_BONUS_MAX},
        {"mission_end_timer", mission_end_timer, 0, ANNOUNCE_START},
        {"heli_tilt", heli_tilt, -45, 45},
        {"wind_volume", wind_volume, 20, 150},
        {"wind_freq", wind_freq, 300, 1000},
        {"score", score, 0, 1 << 30},
    };
    for (const auto &b : bounds)
        if (!in_range(b.value, b.lo, b.hi)) return fault("%s = %d", b.name, b.value);
    for (int i = 0; i < drop_count; i++)
        if (!std::isfinite(drop_x[i]) || !(drop_y[i] < SCREEN_HEIGHT))
            return fault("droplet %d at (%g, %g)", i, drop_x[i], drop_y[i]);
    int listed = 0, burning_now = 0;
    for (int t = 0; t < ROWS * COLS; t++) {
        if (fire_strength[t] < 0) return fault("fire strength %d at tile %d", fire_strength[t], t);
        burning_now += kind(t % COLS, t / COLS) == KIND_FIRE;
    }
    for (int k = 0; k < fire_count; k++) {
        int c = column_of_x(fire_x[k] - TILE_SIZE / 2), r = fire_y[k] / TILE_SIZE;
        if (fire_x[k] == -1) continue;
        if (!in_range(c, 0, COLS - 1) || !in_range(r, 0, ROWS - 1) || fire_x[k] != centre_x(c) ||
            fire_y[k] != TILE_SIZE * r + TILE_SIZE / 2 || kind(c, r) != KIND_FIRE)
            return fault("fire list entry %d (%d, %d) is no burning tile", k, fire_x[k], fire_y[k]);
        listed++;
    }
    if (listed != std::min(burning_now, MAX_FIRES))
        return fault("%d fires burn, %d are listed", burning_now, listed);
    return true;
}

// Every person is in a slot with its bit set, in transit, or rescued; no bit is set
// without its person; the pickup queue holds distinct people still to be collected.
bool nobody_lost() {
    unsigned held[ROWS * COLS] = {};
    int rescued = 0;
    for (int i = 0; i < people_count; i++) {
        const person &p = people[i];
        if (p.state > PERSON_TO_SLOT || !in_range(p.pose, POSE_STAND, POSE_STEP_OFF) ||
            p.frame > 6 || p.slot_col > 2 || p.slot_row > 2)
            return fault("person %d: state %d pose %d frame %d", i, p.state, p.pose, p.frame);
        if (p.status == STATUS_RESCUED) {
            rescued++;
            if (p.hidden == 0) return fault("rescued person %d is drawn", i);
            continue;
        }
        if (!in_range(p.y, 0, ROWS * TILE_SIZE - 1) || !in_range(column_of_x(p.x), 0, COLS - 1))
            return fault("person %d left the building at (%d, %d)", i, p.x, p.y);
        if (p.hidden != 0 && p.state != PERSON_RIDING)
            return fault("person %d is hidden but not riding (state %d)", i, p.state);
        if (p.status == STATUS_IN_TRANSIT && p.state >= PERSON_STEPPING_OFF)
            return fault("person %d walks to a slot it has not reserved", i);
        if (p.status == STATUS_IN_TRANSIT) continue;
        if (p.status != STATUS_IN_SLOT) return fault("person %d has status %d", i, p.status);
        // Standing in the slot, or on the way to the one reserved on arrival.
        bool standing = p.state == PERSON_STANDING;
        if (!standing && p.state != PERSON_STEPPING_OFF && p.state != PERSON_TO_SLOT)
            return fault("person %d holds a slot in state %d", i, p.state);
        int c = column_of_x(standing ? p.x : p.target_x),
            r = (standing ? p.y : p.target_y) / TILE_SIZE;
        unsigned bit = 1u << (p.slot_col + 3 * p.slot_row);
        if (!in_range(c, 0, COLS - 1) || !in_range(r, 0, ROWS - 1) ||
            !(slot_grid[r * COLS + c] & bit))
            return fault("person %d's slot bit at %d,%d is not set", i, c, r);
        if (held[r * COLS + c] & bit) return fault("person %d shares a slot at %d,%d", i, c, r);
        held[r * COLS + c] |= bit;
    }
    if (rescued != rescued_count)
        return fault("%d people rescued, rescued_count %d", rescued, rescued_count);
    for (int t = 0; t < ROWS * COLS; t++) {
        unsigned expected = held[t] | (is_beacon(t % COLS, t / COLS) ? BEACON_SLOT_MASK : 0);
        if (slot_grid[t] != expected)
            return fault("slot word %03x at tile %d, people %03x", slot_grid[t], t, expected);
    }
    for (int n = 0; n < pickup_count; n++) {
        int i = pickup_queue[n];
        if (!in_range(i, 0, people_count - 1) || people[i].status == STATUS_RESCUED)
            return fault("pickup queue entry %d is %d", n, i);
        if (std::count(pickup_queue, pickup_queue + n, i)) return fault("%d queued twice", i);
    }
    return true;
}

// What a paused frame must leave as it was.
uint64_t moving_parts() {
    uint64_t h = game_rand_state();
    for (int v : {scroll_y, scroll_target, heli_x, heli_y, heli_tilt, wind_volume, drop_count,
                  score, rescued_count, pickup_count, rescue_heli_x, rescue_heli_y})
        h = h * 1000003 + (uint32_t)v;
    for (int i = 0; i < people_count; i++) h = h * 31 + (uint32_t)(people[i].x ^ people[i].y << 13);
    return h;
}

// A restless hand: the crosshair drifts and now and then jumps (anywhere, or onto a
// door or a fire in view); the buttons and keys go down and up; the wheel turns.
struct wanderer {
    input hand;
    int vx = 0, vy = 0;

    void flip(bool &held, int per_mille) { held ^= chance(per_mille); }

    input next() {
        vx = std::clamp(vx + roll(7) - 3, -24, 24);
        vy = std::clamp(vy + roll(7) - 3, -24, 24);
        hand.aim_x += vx, hand.aim_y += vy;
        if (chance(8)) hand.aim_x = roll(SCREEN_WIDTH) + 16, hand.aim_y = roll(SCREEN_HEIGHT) + 16;
        int c = roll(COLS), r = (scroll_y + 64 + roll(640)) / TILE_SIZE;
        if (chance(8) && r < ROWS && (is_door(c, r) || kind(c, r) == KIND_FIRE))
            hand.aim_x = centre_x(c), hand.aim_y = centre_y(r);
        // The mouse stays on the screen, the crosshair off the icons.
        hand.aim_x = std::clamp(hand.aim_x, 16, SCREEN_WIDTH + 15);
        hand.aim_y = std::clamp(hand.aim_y, 16, SCREEN_HEIGHT + 15);
        if (over_icons(hand.aim_x, hand.aim_y)) hand.aim_x = save_x - 9, vx = -vx;
        hand.buttons ^= chance(30) | chance(5) << 1; // left (fire) and right (scroll)
        flip(hand.space, 5), flip(hand.ctrl, 5), flip(hand.up, 8), flip(hand.down, 8);
        hand.wheel = chance(10) ? roll(7) - 3 : 0;
        return hand;
    }
};

} // namespace

int main(int argc, char **argv) {
    long frames = argc > 1 ? atol(argv[1]) : 200000;
    if (argc > 2) dice.seed(atol(argv[2]));
    setup();
    // The saved game goes to a scratch player's folder, never a real player's.
    char scratch[] = "/tmp/highrise-soak-XXXXXX";
    if (!mkdtemp(scratch) || setenv("XDG_DATA_HOME", scratch, 1) != 0)
        fail("no scratch folder for the saved game");
    wanderer wandering;
    autopilot pilot;
    bool piloting = false;
    int spell = 0, mission_frames = 0, mission_left = 0, last_rescued = 0, last_score = 0;
    int games = 0, begun = 0, finished = 0, resumes = 0, rescued = 0, peak_drops = 0, pauses = 0;
    for (long frame = 0; frame < frames; frame++) {
        if (mission_left-- <= 0) { // now and then a new game, and a mission of any number
            if (begun == 0 || chance(150)) new_game(), games++;
            start_mission(roll(MISSION_COUNT), dice());
            begun++, mission_left = 3000 + roll(20000);
            mission_frames = last_rescued = last_score = 0;
        }
        if (chance(1)) { // save and resume, as S, "Yes" and the menu's "Resume" would
            if (!save_game()) fail("the game could not be saved");
            new_game();
            if (load_saved_game() != SavedGameLoad::LOADED)
                fail("the saved game could not be read");
            mission_start();
            learn_building();
            pilot.current = job(), resumes++;
        }
        if (spell-- <= 0) {
            piloting = chance(600);
            spell = piloting ? 1000 + roll(6000) : 200 + roll(2000);
            pilot = autopilot();
            pilot.hand.aim_x = wandering.hand.aim_x, pilot.hand.aim_y = wandering.hand.aim_y;
        }
        input in = piloting ? pilot.next() : wandering.next();
        if (piloting) wandering.hand = in;
        in.pause = chance(game_pause.on ? 40 : 1); // now and then a short pause
        const bool was_paused = game_pause.on;
        const uint64_t before = moving_parts();
        const FrameResult outcome = play_frame(in, ++mission_frames);
        pauses += !was_paused && game_pause.on;
        if (outcome == FRAME_PAUSED && moving_parts() != before) {
            fprintf(stderr, "FAIL at frame %ld: a paused frame moved the game\n", frame);
            return 1;
        }
        if (outcome == FRAME_NEW_MISSION) {
            finished++, begun++;
            learn_building();
            mission_frames = last_rescued = 0;
            pilot.current = job();
        }
        if (!(tables_in_bounds() && nobody_lost() &&
              (rescued_count >= last_rescued || fault("rescued_count went down")) &&
              (score >= last_score || fault("the score went down")))) {
            fprintf(stderr, "FAIL at frame %ld (mission %d, %d frames in): %s\n", frame,
                    mission + 1, mission_frames, broken);
            return 1;
        }
        rescued += rescued_count - last_rescued;
        last_rescued = rescued_count, last_score = score;
        peak_drops = std::max(peak_drops, drop_count);
    }
    remove(saved_game_path().c_str()), rmdir(player_dir().c_str()), rmdir(scratch);
    printf("soak: %ld frames, %d games, %d missions begun, %d finished, %d saved and resumed, "
           "%d pauses, %d people rescued, at most %d droplets in flight; every check held\n",
           frames, games, begun, finished, resumes, pauses, rescued, peak_drops);
    return 0;
}
