// The intro transmission screen and the mission briefing with its menu, built on
// one shared screen frame: the backdrop, a translucent white text panel and a row
// of buttons, shown by a paced loop with the library's mouse pointer.
#pragma once

#include <allegro.h>

enum { MENU_EXIT = 0, MENU_RESUME = 1, MENU_PLAY = 2 };

extern BITMAP *screen_image; // the prepared full screen: backdrop plus panel
extern BITMAP *screen_panel; // the white text panel
extern int panel_margin_x, panel_margin_y;
extern int button_top, button_bottom; // panel y of the button row

void intro_build();
void intro_run();
void briefing_build();
int menu_run();

// One pass's decisions, for the loops above and for tests: b is the mouse buttons
// read once for the pass, prev_b the buttons remembered from the previous pass,
// (mx, my) the mouse position on screen. Keys are read from key[].
bool intro_pass_leaves(int prev_b, int b, int mx, int my);
enum { MENU_NONE = -1 };
// Keys that were already down when the menu opened; they count only once released.
struct menu_keys {
    bool p_stale, r_stale, esc_stale, m_stale;
};
void menu_keys_open(menu_keys *keys);
// Returns MENU_RESUME or MENU_EXIT when the pass chooses one, else MENU_NONE; sets
// *play when "Play Now" is pressed or P is down (the caller plays at the pass's end).
int menu_pass(menu_keys *keys, int prev_b, int b, int mx, int my, bool *play);
// M turns all sound off or on, once per press; true when it did (the caller redraws:
// the briefing says when the sound is off).
bool menu_mute_key(menu_keys *keys);

// Releases the two screen bitmaps (at shutdown or before a rebuild).
void screens_free();
