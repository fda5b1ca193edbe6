// The mission briefing before every game, and its menu: "Play Now", "Resume", "Exit".
#include "screens/screen_frame.h"
#include "screens/screens.h"
#include "shell/best_scores.h"
#include "shell/game_state.h"
#include "shell/sound.h"

#include <cstdio>
#include <initializer_list>
#include <string>

namespace {

struct briefing_line {
    int row;
    int r, g, b;
    const char *text;
};

// Row 10 has a second entry: a red star drawn over the first blank of its line.
constexpr briefing_line BRIEFING_LINES[] = {
    {0, 153, 153, 85, "Your Mission:"},
    {1, 0, 0, 0, "   Guide all the people to the flashing homing beacon."},
    {2, 170, 119, 68, "   Tips:"},
    {3, 0, 0, 0, "      Click on Elevator doors to move people up/down."},
    {4, 0, 0, 0, "      Flashing homing beacons are ususually at the top of buildings."},
    {5, 0, 0, 0, "      Put out fires so people can move."},
    {6, 255, 136, 136, "Your Tools:"},
    {7, 0, 0, 0, "   High performance Pulsed Plasma Jet Helicopter:"},
    {8, 119, 187, 119, "      Local Movement:"},
    {9, 0, 0, 0, "         Move your Mouse."},
    {10, 119, 187, 119, "      Global Movement (moving to far places up/down):"},
    {10, 255, 0, 0, "*"},
    {11, 0, 0, 0, "         Move the mouse pointer to the top/bottom of the screen, or"},
    {12, 0, 0, 0, "         use your Mouse Scroll Wheel, or keyboard Up/Down arrow keys."},
    {13, 0, 0, 0, "   High-Pressure Liquid Sprayer:"},
    {14, 119, 119, 255, "      Instructions:"},
    {15, 0, 0, 0, "         Press the Left Mouse Button or use the keyboard space key."},
};

struct menu_button {
    const char *label;
    int left, right; // drawn face
    int r, g, b;
    int label_x;
};

constexpr menu_button PLAY_BUTTON = {"Play Now", 20, 140, 85, 187, 85, 30};
constexpr menu_button RESUME_BUTTON = {"Resume", 220, 340, 204, 204, 68, 240};
constexpr menu_button EXIT_BUTTON = {"Exit", 420, 540, 255, 68, 68, 459};

int row_y(int row) {
    if (row <= 12) return 4 + row * text_h;
    return 4 + 12 * text_h + (int)(1.2 * text_h) + (row - 13) * text_h;
}

// The hit range lies one pixel right of the drawn face.
bool over(const menu_button &button, int px, int py) {
    return px >= button.left + 1 && px <= button.right + 1 && py >= button_top &&
           py <= button_bottom;
}

// The best scores as read for this briefing, and what became of a damaged table.
best_table shown_scores;
std::string shown_notice;

// Columns of the best-score table, in panel x, in the free area under the buttons
// on the right: rank and score end at their x, the mission is centred on its x.
constexpr int TABLE_RANK_RIGHT = 425, TABLE_SCORE_RIGHT = 530, TABLE_MISSION_MID = 600,
              TABLE_DATE_X = 660, TABLE_LEFT = 400;

void print(int x, int y, int r, int g, int b, const char *text) {
    textprintf_ex(screen_panel, game_font, x, y, makecol(r, g, b), makecol(255, 255, 255), "%s",
                  text);
}

void print_right(int right, int y, int r, int g, int b, const char *text) {
    print(right - text_length(game_font, text), y, r, g, b, text);
}

// Under the buttons: the best score on the left, the sound's state under it, the
// table on the right, and a word on a damaged table along the bottom.
void draw_best_scores() {
    int top = button_bottom + text_h / 2;
    char text[64];
    snprintf(text, sizeof text, " Best score: %d ",
             shown_scores.count ? shown_scores.entry[0].score : 0);
    print(PANEL_TEXT_X, top, 170, 119, 68, text);
    if (sound_muted())
        print(PANEL_TEXT_X, top + 2 * text_h, 119, 119, 119, " Sound off: M turns it on ");
    print_right(TABLE_SCORE_RIGHT, top, 119, 119, 255, "Score");
    print(TABLE_MISSION_MID - text_length(game_font, "Mission") / 2, top, 119, 119, 255, "Mission");
    print(TABLE_DATE_X, top, 119, 119, 255, "Date");
    if (shown_scores.count == 0)
        print(TABLE_LEFT, top + text_h, 119, 119, 119, "No finished game yet");
    for (int i = 0; i < shown_scores.count; i++) {
        const best_score &game = shown_scores.entry[i];
        int y = top + (i + 1) * text_h;
        snprintf(text, sizeof text, "%d.", i + 1);
        print_right(TABLE_RANK_RIGHT, y, 0, 0, 0, text);
        snprintf(text, sizeof text, "%d", game.score);
        print_right(TABLE_SCORE_RIGHT, y, 0, 0, 0, text);
        snprintf(text, sizeof text, "%d", game.mission);
        print(TABLE_MISSION_MID - text_length(game_font, text) / 2, y, 0, 0, 0, text);
        print(TABLE_DATE_X, y, 0, 0, 0, game.date);
    }
    if (!shown_notice.empty())
        print(PANEL_TEXT_X, screen_panel->h - text_h - 4, 170, 0, 0, shown_notice.c_str());
}

void briefing_draw() {
    screen_frame_begin();
    int white = makecol(255, 255, 255);
    for (const briefing_line &line : BRIEFING_LINES)
        textprintf_ex(screen_panel, game_font, PANEL_TEXT_X, row_y(line.row),
                      makecol(line.r, line.g, line.b), white, "%s", line.text);
    button_top = row_y(15) + (int)(1.4 * text_h);
    button_bottom = button_top + 2 * text_h;
    draw_best_scores();
    set_trans_blender(0, 0, 0, 255);
    for (const menu_button &button : {PLAY_BUTTON, RESUME_BUTTON, EXIT_BUTTON})
        screen_frame_button(button.left, button.right, makecol(button.r, button.g, button.b),
                            button.label_x, button.label);
    screen_frame_finish();
}

} // namespace

void briefing_build() {
    best_scores_read(&shown_scores, &shown_notice);
    briefing_draw();
}

void menu_keys_open(menu_keys *keys) {
    keys->p_stale = key[KEY_P];
    keys->r_stale = key[KEY_R];
    keys->esc_stale = key[KEY_ESC];
    keys->m_stale = key[KEY_M];
}

// A key held since before the menu opened (the Esc that dismissed the intro, say)
// counts only after it has been released once.
static bool fresh_key(int scancode, bool *stale) {
    if (!key[scancode]) *stale = false;
    return key[scancode] && !*stale;
}

bool menu_mute_key(menu_keys *keys) {
    if (!fresh_key(KEY_M, &keys->m_stale)) return false;
    keys->m_stale = true; // once per press
    sound_set_muted(!sound_muted());
    return true;
}

int menu_pass(menu_keys *keys, int prev_b, int b, int mx, int my, bool *play) {
    if (fresh_key(KEY_P, &keys->p_stale)) *play = true;
    int px = mx - panel_margin_x;
    int py = my - panel_margin_y;
    if ((b & 1) && over(PLAY_BUTTON, px, py)) *play = true;
    bool released = (prev_b & 1) && !(b & 1);
    if (fresh_key(KEY_R, &keys->r_stale)) return MENU_RESUME;
    if (released && over(RESUME_BUTTON, px, py)) return MENU_RESUME;
    if (fresh_key(KEY_ESC, &keys->esc_stale)) return MENU_EXIT;
    if (released && over(EXIT_BUTTON, px, py)) return MENU_EXIT;
    return MENU_NONE;
}

int menu_run() {
    menu_keys keys;
    menu_keys_open(&keys);
    int prev_b = 0;
    bool play = false;
    for (;;) {
        screen_frame_pass_begin();
        if (menu_mute_key(&keys)) briefing_draw();
        int b = mouse_b;
        int choice = menu_pass(&keys, prev_b, b, mouse_x, mouse_y, &play);
        prev_b = b;
        if (choice == MENU_NONE && play) choice = MENU_PLAY;
        if (choice != MENU_NONE) {
            show_mouse(nullptr);
            return choice;
        }
    }
}
