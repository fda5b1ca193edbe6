// The game's sound: the four looping samples, started once and from then on only
// adjusted, and the tunes. Every change goes through here, so that the player's
// mute and the pause silence the loops without losing the levels the game set.
#pragma once

#include <allegro.h>

enum sound_loop { LOOP_ENGINE, LOOP_WIND, LOOP_WATER, LOOP_FIRE, LOOP_COUNT };

struct loop_levels {
    int volume, pan, freq;
};

// Starts the four samples looping at their start-up levels (after they are loaded).
void sound_loops_start();
// Sets a loop's levels; what is heard is nothing while muted or held.
void sound_loop_set(sound_loop loop, int volume, int pan, int freq);
// The levels the game last set, and the volume the library was last given.
loop_levels sound_loop_levels(sound_loop loop);
int sound_loop_heard_volume(sound_loop loop);

// Plays a tune once from its start; nothing while muted. True when it was started.
bool sound_tune_play(MIDI *tune);

// All sound off (stopping a tune that plays) or back on at the loops' levels.
void sound_set_muted(bool muted);
bool sound_muted();
// The pause holds the loops silent; released, they come back at their levels.
void sound_set_held(bool held);
