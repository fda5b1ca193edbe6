// The looping samples' levels as the game sets them, and what the library is told.
#include "shell/sound.h"

#include "shell/game_state.h"

namespace {

struct loop_state {
    SAMPLE **sample;
    loop_levels set;
    int heard;
};

// In start-up order, with the levels they start at.
loop_state loops[LOOP_COUNT] = {
    {&heli_sample, {120, 128, 700}, 0},
    {&wind_sample, {70, 128, 500}, 0},
    {&water_sample, {0, 128, 1000}, 0},
    {&fire_sample, {20, 128, 1000}, 0},
};

bool muted, held;

int heard_volume(const loop_state &l) {
    return muted || held ? 0 : l.set.volume;
}

void apply(loop_state &l) {
    l.heard = heard_volume(l);
    if (*l.sample) adjust_sample(*l.sample, l.heard, l.set.pan, l.set.freq, TRUE);
}

void apply_all() {
    for (loop_state &l : loops) apply(l);
}

} // namespace

void sound_loops_start() {
    loops[LOOP_WIND].set = {wind_volume, 128, wind_freq};
    for (loop_state &l : loops) {
        l.heard = heard_volume(l);
        play_sample(*l.sample, l.heard, l.set.pan, l.set.freq, TRUE);
    }
}

void sound_loop_set(sound_loop loop, int volume, int pan, int freq) {
    loops[loop].set = {volume, pan, freq};
    apply(loops[loop]);
}

loop_levels sound_loop_levels(sound_loop loop) {
    return loops[loop].set;
}

int sound_loop_heard_volume(sound_loop loop) {
    return loops[loop].heard;
}

bool sound_tune_play(MIDI *tune) {
    if (muted) return false;
    play_midi(tune, FALSE);
    return true;
}

void sound_set_muted(bool on) {
    muted = on;
    if (muted) stop_midi();
    apply_all();
}

bool sound_muted() {
    return muted;
}

void sound_set_held(bool on) {
    held = on;
    apply_all();
}
