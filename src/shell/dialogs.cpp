// The quit and save questions asked during play, and the shutdown after "Exit".
#include "shell/dialogs.h"

#include "map/map.h"
#include "people/people.h"
#include "screens/screens.h"
#include "shell/best_scores.h"
#include "shell/game_state.h"
#include "shell/saved_game.h"

#include <cstdio>
#include <initializer_list>

dialog_box_fn dialog_box_hook = nullptr;

namespace {

// The library's message box over the frame last shown. Play draws translucently,
// which would show the frame through the box, so the box is drawn solid; and the
// key that raised the question is still in the key buffer, where the box would
// take it as its answer (Escape is "No").
int message_box(const char *line, const char *button1, const char *button2, int key1, int key2) {
    if (dialog_box_hook) return dialog_box_hook(line, button1, button2);
    int old_fg = gui_fg_color, old_bg = gui_bg_color;
    FONT *old_font = font;
    font = game_font; // the box speaks in the game's own type
    gui_fg_color = makecol(0, 0, 0);
    gui_bg_color = makecol(255, 255, 255);
    drawing_mode(DRAW_MODE_SOLID, nullptr, 0, 0);
    clear_keybuf();
    int answer = alert(line, nullptr, nullptr, button1, button2, key1, key2);
    clear_keybuf();
    drawing_mode(DRAW_MODE_TRANS, nullptr, 0, 0);
    gui_fg_color = old_fg;
    gui_bg_color = old_bg;
    font = old_font;
    return answer;
}

// A game the player ends with a "Yes" to a quit question is finished: a score
// above 0 goes to the best scores.
void game_finished() {
    if (score <= 0) return;
    best_score game = {score, highest_mission + 1, ""};
    best_scores_today(game.date);
    std::string problem;
    if (best_scores_add(game, &problem)) return;
    fprintf(stderr, "highrise: cannot add the score to the best scores: %s\n", problem.c_str());
    tell_player(NOTICE_BEST_SCORE_FAILED);
}

bool ends_game(const char *question) {
    if (!ask_yes_no(question)) return false;
    game_finished();
    return true;
}

// The crosshair's centre, not the mouse position, picks the icon.
bool aim_over(const BITMAP *icon, int x, int y) {
    return aim_x >= x && aim_x < x + icon->w && aim_y >= y && aim_y < y + icon->h;
}

} // namespace

bool ask_yes_no(const char *question) {
    return message_box(question, "Yes", "No", 'y', 'n') == 1;
}

void tell_player(const char *message) {
    message_box(message, "OK", nullptr, 0, 0);
}

bool escape_check() {
    return key[KEY_ESC] && ends_game(QUESTION_QUIT);
}

bool quit_checks() {
    // A fresh left press: no button at all was down at the end of the last frame.
    bool click = (mouse_b & 1) && prev_mouse_b == 0;
    if (escape_check()) return true;
    if (click && aim_over(stop_bmp, stop_x, stop_y) && ends_game(QUESTION_QUIT_GAME)) return true;
    // The save icon rests during the end of a mission; the S key always works.
    bool save_asked =
        key[KEY_S] || (click && mission_end_timer == 0 && aim_over(save_icon_bmp, save_x, save_y));
    if (save_asked && ask_yes_no(QUESTION_SAVE)) {
        if (save_game()) return true;
        // Quitting now would lose the game the player meant to keep: play on.
        tell_player(NOTICE_SAVE_FAILED);
    }
    return false;
}

static void destroy(BITMAP *&bmp) {
    if (bmp) destroy_bitmap(bmp);
    bmp = nullptr;
}

void shutdown_game() {
    for (BITMAP **bmp :
         {&back_buffer, &cursor_bmp, &heli_bmp, &backdrop_bmp, &score_panel, &altitude_panel,
          &bonus_panel, &message_panel, &rescued_panel, &pause_panel})
        destroy(*bmp);
    for (BITMAP *&bmp : debris_bmp) destroy(bmp);
    for (SAMPLE **sample : {&heli_sample, &wind_sample, &fire_sample, &water_sample}) {
        if (*sample) destroy_sample(*sample);
        *sample = nullptr;
    }
    for (MIDI **tune : {&points1_midi, &points2_midi}) {
        if (*tune) destroy_midi(*tune);
        *tune = nullptr;
    }
    // The rest of what start-up made, released before the library goes: destroying
    // a bitmap needs the library's system driver.
    destroy(stop_bmp);
    destroy(save_icon_bmp);
    if (font_data) unload_datafile(font_data);
    font_data = nullptr;
    game_font = nullptr;
    free_person_sprites();
    free_ride_cars();
    screens_free();
    map_free();
    allegro_exit();
}
