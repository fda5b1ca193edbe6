// The autopilot: plays each of the seven shipped missions to its end for several
// seeds, as a player would, and fails unless every one is finished within its 30
// minutes of game time. Prints frames used, score and time bonus left per run.
#include "player.h"

namespace {

constexpr uint32_t SEEDS[] = {1, 2, 3};

// Plays one mission of a new game and prints its row of the table; false when it was
// not finished in time.
bool play_mission(int m, uint32_t seed) {
    player::new_game();
    player::start_mission(m, seed);
    player::autopilot pilot;
    int frame = 0, shown_bonus = time_bonus, fires = fire_count, total = people_count;
    for (; rescued_count < people_count && frame < player::FRAME_LIMIT; frame++) {
        shown_bonus = time_bonus; // the end of the mission counts in the bonus last shown
        player::play_frame(pilot.next(), frame + 1);
    }
    int rescued = rescued_count, fires_out = (int)std::count(fire_x, fire_x + fire_count, -1);
    bool finished = rescued >= total;
    for (int i = 0; i < people_count && !finished; i++) // who was left behind, and how
        if (const person &p = people[i]; p.status != STATUS_RESCUED)
            fprintf(stderr, "  person %d: column %d row %d state %d status %d\n", i,
                    column_of_x(p.x), p.y / TILE_SIZE, p.state, p.status);
    // Then the bonus is counted in and the next mission announced: 361 frames at most.
    for (int end = 0;
         finished && player::play_frame(pilot.next(), frame + ++end) != FRAME_NEW_MISSION;)
        finished = end < 1000;
    int seconds = frame / player::FRAMES_PER_SECOND;
    printf("%7d %5u %8d %3d:%02d %6d %11d %4d/%-4d %5d/%-3d%s\n", m + 1, seed, frame, seconds / 60,
           seconds % 60, score, shown_bonus, rescued, total, fires_out, fires,
           finished ? "" : "  NOT FINISHED in 30 minutes");
    fflush(stdout);
    return finished;
}

} // namespace

int main() {
    player::setup();
    int failures = 0;
    printf("mission  seed   frames   time  score  bonus left  rescued  fires out\n");
    for (int m = 0; m < MISSION_COUNT; m++)
        for (uint32_t seed : SEEDS) failures += !play_mission(m, seed);
    if (failures) fprintf(stderr, "FAIL: %d run(s) not finished in time\n", failures);
    return failures ? 1 : 0;
}
