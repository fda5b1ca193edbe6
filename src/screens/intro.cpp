// The intro: a story told as an emergency radio transmission, shown once per run.
#include "screens/screen_frame.h"
#include "screens/screens.h"
#include "shell/game_state.h"

namespace {

enum LineColour { HEADLINE, HEADER, BODY, CLOSING };

struct intro_line {
    LineColour colour;
    const char *text;
};

constexpr intro_line INTRO_LINES[] = {
    {HEADLINE, "This is an emergency transmission."},
    {HEADER, "Subject:    All assistance requested immediately!"},
    {HEADER, "From:       Vice President of the United States, Denver, CO"},
    {BODY, "Earth changes have settled down.  The Tornados, Hurricanes,"},
    {BODY, "Earthquakes, and Volcanic activity have left cities through out the"},
    {BODY, "world in ruins.  Due to your cleverness and odd ability to fly the new"},
    {BODY, "Pulsed Plasma Jet Helicopters, you have been chosen to save thousands of"},
    {BODY, "people trapped in the high-rise buildings."},
    {BODY, "You have been trained to guide the people to the flashing phosphor blue"},
    {BODY, "homing beacons while using the high-pressure liquid sprayer to"},
    {BODY, "extinguish any threatening fires that may block the paths of your people."},
    {BODY, "The high-rise building windows have been shattered from the Tornados &"},
    {BODY, "Hurricanes.  Fires are blazing out of control."},
    {BODY, "Your first mission should pose little resistance.  If upon your success,"},
    {BODY, "the coordinates to successive missions will be transmitted."},
    {CLOSING, "May the winds be with you,"},
    {CLOSING, "End of transmission."},
};

constexpr int CONTINUE_LEFT = 20, CONTINUE_RIGHT = 140, CONTINUE_LABEL_X = 35;

int line_colour(LineColour colour) {
    switch (colour) {
    case HEADLINE: return makecol(255, 119, 119);
    case HEADER: return makecol(119, 119, 255);
    case BODY: return makecol(112, 136, 85);
    case CLOSING: return makecol(170, 119, 68);
    }
    return 0;
}

} // namespace

void intro_build() {
    screen_frame_begin();
    int white = makecol(255, 255, 255);
    int k = 0;
    for (const intro_line &line : INTRO_LINES) {
        textprintf_ex(screen_panel, game_font, PANEL_TEXT_X, 4 + k * text_h,
                      line_colour(line.colour), white, "%s", line.text);
        k++;
    }
    button_top = (4 + 16 * text_h) + (int)(1.4 * text_h);
    button_bottom = button_top + 2 * text_h;
    set_trans_blender(0, 0, 0, 255);
    screen_frame_button(CONTINUE_LEFT, CONTINUE_RIGHT, makecol(85, 187, 85), CONTINUE_LABEL_X,
                        "Continue");
    screen_frame_finish();
}

bool intro_pass_leaves(int prev_b, int b, int mx, int my) {
    int px = mx - panel_margin_x;
    int py = my - panel_margin_y;
    if (key[KEY_ESC]) return true;
    bool released = (prev_b & 1) && !(b & 1);
    return released && px >= CONTINUE_LEFT && px <= CONTINUE_RIGHT && py >= button_top &&
           py <= button_bottom;
}

void intro_run() {
    int prev_b = 0;
    for (;;) {
        screen_frame_pass_begin();
        // One reading of the buttons per pass, so that a release between the test
        // and the remembering cannot be lost.
        int b = mouse_b;
        if (intro_pass_leaves(prev_b, b, mouse_x, mouse_y)) break;
        prev_b = b;
    }
    show_mouse(nullptr);
}
