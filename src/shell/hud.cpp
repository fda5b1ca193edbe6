// The bottom HUD line (score, altitude, time bonus, the save and stop icons) and the
// end of a mission: the time bonus counted into the score, then the next mission
// announced and begun.
#include "shell/hud.h"

#include "people/people.h"
#include "shell/game_state.h"
#include "shell/sound.h"

namespace {

bool mission_running() {
    return rescued_count < people_count;
}

// The panel keeps its size: a text wider than it is clipped at its right edge.
void draw_panel(BITMAP *panel, int x, int colour, const char *format, int value, int value2 = 0) {
    clear_to_color(panel, makecol(255, 0, 255));
    textprintf_ex(panel, game_font, 0, 0, colour, makecol(255, 255, 255), format, value, value2);
    draw_trans_sprite(back_buffer, panel, x, SCREEN_HEIGHT - text_h);
}

// Ten points per second left of the allowance, never below 0 nor, should the
// clock be set back, above the full allowance.
int time_bonus_now() {
    long long left = MISSION_SECONDS - (long long)(time(nullptr) - mission_start_time);
    if (left < 0) left = 0;
    if (left > MISSION_SECONDS) left = MISSION_SECONDS;
    return (int)left * BONUS_PER_SECOND;
}

} // namespace

int rescued_panel_x() {
    int gap_left = 15 + score_panel->w, gap_right = (SCREEN_WIDTH - altitude_panel->w) / 2;
    return (gap_left + gap_right - rescued_panel->w) / 2;
}

void hud_draw() {
    draw_panel(score_panel, 15, makecol(119, 204, 255), " Score: %d ", score);
    draw_panel(rescued_panel, rescued_panel_x(), makecol(221, 102, 153), RESCUED_FORMAT,
               rescued_count, people_count);
    // Feet above the bottom of the building: four map pixels to the foot.
    draw_panel(altitude_panel, (SCREEN_WIDTH - altitude_panel->w) / 2, makecol(136, 204, 136),
               " Altitude: %dft ", (7678 - scroll_y - heli_y) / 4);
    if (mission_running()) time_bonus = time_bonus_now();
    draw_panel(bonus_panel, SCREEN_WIDTH - save_icon_bmp->w - bonus_panel->w - stop_bmp->w - 15,
               makecol(255, 170, 0), " Time Bonus: %d ", time_bonus);
    draw_sprite(back_buffer, save_icon_bmp, save_x, save_y);
    draw_sprite(back_buffer, stop_bmp, stop_x, stop_y);
}

bool mission_end_update() {
    int shown_next = mission + 2; // the next mission's number as the player counts
    if (shown_next > MISSION_COUNT) shown_next = 1;
    int white = makecol(255, 255, 255);
    clear_to_color(message_panel, white);
    if (time_bonus > 0) {
        textprintf_ex(message_panel, game_font, 5, text_h / 2, makecol(0, 136, 0), white,
                      " Adding Bonus Score");
        if (mission_end_timer <= 1) {
            if (points1_midi) sound_tune_play(points1_midi);
            mission_end_timer = TUNE_RESTART_FRAMES + 1;
        }
        int step = time_bonus < BONUS_STEP ? time_bonus : BONUS_STEP;
        time_bonus -= step;
        score += step;
    } else {
        if (mission_end_timer < 500) {
            mission_end_timer = ANNOUNCE_START;
        } else if (mission_end_timer <= ANNOUNCE_END) {
            mission += 1;
            if (mission >= MISSION_COUNT) mission = 0;
            resumed = false;
            return true;
        }
        textprintf_ex(message_panel, game_font, 0, text_h / 2, makecol(170, 0, 0), white,
                      " Prepare for Mission %d", shown_next);
    }
    mission_end_timer -= 1;
    draw_trans_sprite(back_buffer, message_panel, (SCREEN_WIDTH - message_panel->w) / 2,
                      (SCREEN_HEIGHT - message_panel->h) / 2);
    return false;
}
