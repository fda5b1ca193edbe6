// The computer-flown rescue helicopter: flies to the waiting person with the
// smallest x, picks it up, and goes back to its parking point when nobody waits.
#include "people/people_internal.h"

#include "shell/sound.h"

namespace {

constexpr int PICKUP_DY = 25; // the helicopter's centre hovers this far above the feet
constexpr int APPROACH_DIVISOR = 100;
constexpr int PARK_STEP_MAX = 10;
constexpr int RESCUE_POINTS = 100;

// A hundredth of the distance, at least one pixel, so that it arrives exactly.
int approach_step(int distance) {
    int step = distance / APPROACH_DIVISOR;
    if (step == 0 && distance != 0) step = distance > 0 ? 1 : -1;
    return step;
}

int park_step(int distance) {
    int step = distance / APPROACH_DIVISOR;
    return step > PARK_STEP_MAX ? PARK_STEP_MAX : step;
}

// The slot word a person holds: the one it stands in, or the one it has reserved
// and is stepping off or walking to.
unsigned *held_slot_word(const person &p) {
    if (p.status != STATUS_IN_SLOT) return nullptr;
    if (p.state == PERSON_STEPPING_OFF || p.state == PERSON_TO_SLOT)
        return slot_word_at(p.target_x, p.target_y);
    return slot_word_at(p.x, p.y);
}

void pick_up(int entry) {
    person &p = people[pickup_queue[entry]];
    if (unsigned *word = held_slot_word(p)) *word &= ~(1u << slot_number(p));
    p.hidden = 1;
    p.state = PERSON_STANDING;
    p.status = STATUS_RESCUED;
    pickup_count--;
    if (entry != pickup_count) pickup_queue[entry] = pickup_queue[pickup_count];
    rescued_count++;
    score += RESCUE_POINTS;
    sound_tune_play(points2_midi);
}

} // namespace

void update_rescue_heli() {
    if (pickup_count >= 1) {
        int entry = 0;
        for (int n = 1; n < pickup_count; n++)
            if (people[pickup_queue[n]].x < people[pickup_queue[entry]].x) entry = n;
        const person &p = people[pickup_queue[entry]];
        int sx = approach_step(p.x - rescue_heli_x);
        int sy = approach_step(p.y - (rescue_heli_y + PICKUP_DY));
        if (sx == 0 && sy == 0) {
            pick_up(entry);
        } else {
            rescue_heli_x += sx;
            rescue_heli_y += sy;
        }
        return;
    }
    rescue_heli_x += park_step(RESCUE_HELI_PARK_X - rescue_heli_x);
    rescue_heli_y += park_step(RESCUE_HELI_PARK_Y - rescue_heli_y);
}
