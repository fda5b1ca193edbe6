// The pause, the focus watch and the P and M keys of play.
#include "shell/pause.h"

#include "shell/sound.h"

#include <atomic>

pause_state game_pause;

namespace {

// A key that acts once per press, and only after it has been seen up.
struct key_latch {
    bool held = true;
    bool pressed(bool down) {
        bool fresh = down && !held;
        held = down;
        return fresh;
    }
};

key_latch pause_key, mute_key;

// Set by the library's display-switch thread, read by the frame.
std::atomic<bool> focus_lost{false};

void draw_pause_box() {
    int white = makecol(255, 255, 255);
    clear_to_color(pause_panel, white);
    const int colours[2] = {makecol(0, 68, 170), makecol(0, 0, 0)};
    for (int line = 0; line < 2; line++) {
        int x = (pause_panel->w - text_length(game_font, PAUSE_LINES[line])) / 2;
        textprintf_ex(pause_panel, game_font, x, text_h / 2 + line * text_h, colours[line], white,
                      "%s", PAUSE_LINES[line]);
    }
    draw_trans_sprite(back_buffer, pause_panel, (SCREEN_WIDTH - pause_panel->w) / 2,
                      (SCREEN_HEIGHT - pause_panel->h) / 2);
}

void pause_end() {
    time_t paused_for = time(nullptr) - game_pause.began;
    if (paused_for > 0) mission_start_time += paused_for;
    prev_mouse_z = mouse_z; // the wheel turned meanwhile is not read
    game_pause = {};
    sound_set_held(false);
}

} // namespace

void pause_watch_focus() {
    // The game goes on drawing in the background (as the X11 driver does anyway);
    // in this mode the library reports the switch.
    set_display_switch_mode(SWITCH_BACKGROUND);
    set_display_switch_callback(SWITCH_OUT, pause_focus_lost);
}

void pause_focus_lost() {
    focus_lost = true;
}

void play_keys_reset() {
    pause_key = {};
    mute_key = {};
    focus_lost = false;
}

void mute_key_check() {
    if (mute_key.pressed(key[KEY_M])) sound_set_muted(!sound_muted());
}

bool pause_wanted() {
    bool p = pause_key.pressed(key[KEY_P]);
    return focus_lost.exchange(false) || p;
}

void pause_begin() {
    game_pause = {true, time(nullptr), false};
    sound_set_held(true);
    draw_pause_box();
}

FrameResult pause_frame() {
    if (escape_check()) {
        pause_end();
        return FRAME_GAME_OVER;
    }
    bool p = pause_key.pressed(key[KEY_P]);
    if ((mouse_b & 1) && prev_mouse_b == 0) game_pause.press_seen = true;
    bool clicked = game_pause.press_seen && !(mouse_b & 1);
    prev_mouse_b = mouse_b;
    if (p || clicked) pause_end();
    return FRAME_PAUSED;
}
