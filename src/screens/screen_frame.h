// The screen frame shared by the intro and the briefing (internal to screens/).
#pragma once

#include <allegro.h>

// Margins, the two bitmaps (releasing any earlier ones), the backdrop copy and the
// white panel.
void screen_frame_begin();
// A button face with its white label, in panel coordinates.
void screen_frame_button(int left, int right, int face, int label_x, const char *label);
// Lays the panel over the backdrop copy at 215/255.
void screen_frame_finish();
// The start of every pass of a screen loop: pace, show the previous pass's frame,
// copy the prepared screen into the back buffer with the mouse pointer, poll.
void screen_frame_pass_begin();

constexpr int PANEL_TEXT_X = 8;
