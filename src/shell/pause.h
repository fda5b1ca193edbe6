// The pause and the player's own keys during play: P pauses (as does the window
// losing the input focus), M turns all sound off or on.
//
// A pause begins at the end of a frame, over the picture just composed; while it
// lasts frame_step() runs only the paused frame, which reads P, Esc and the left
// button and moves nothing. The mission's clock is moved on by the seconds spent
// paused, so the time bonus shown when it began is the one shown when play goes on.
#pragma once

#include "shell/game_state.h"

#include <ctime>

constexpr const char *PAUSE_LINES[2] = {" Paused ", " P or click to play on "};

struct pause_state {
    bool on;
    time_t began;    // wall clock when the pause began
    bool press_seen; // a fresh left press during the pause: its release ends it
};
extern pause_state game_pause;

// Watches the window's input focus (once the graphics mode is set): losing it pauses.
void pause_watch_focus();
// What the library calls, from its own thread, when the window loses the focus.
void pause_focus_lost();
// At every mission start: a P or M held from before (the briefing's P for "Play
// Now") counts only once it has been up; a focus lost before play is forgotten.
void play_keys_reset();
// End of a frame: M turns all sound off or on.
void mute_key_check();
// End of a frame: true when P was pressed or the focus was lost.
bool pause_wanted();
// Pauses over the frame just composed: the box onto the back buffer, the loops silent.
void pause_begin();
// One frame of the pause. Esc asks its question (FRAME_GAME_OVER on "Yes"); P or a
// left click (its release) goes back to play; nothing else is read or moved.
FrameResult pause_frame();
