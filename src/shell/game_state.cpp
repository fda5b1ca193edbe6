// Definitions of the shared game state, with their values at program start.
#include "shell/game_state.h"

int mission;
int mission_col_offset;
int score;
int time_bonus;
time_t mission_start_time;
int resumed;
int mission_end_timer;
int building_width = BUILDING_COLS * TILE_SIZE;
int building_height = BUILDING_ROWS * TILE_SIZE;
int prev_mouse_b;
int highest_mission;

int scroll_y, scroll_target, scroll_step;
int aim_x, aim_y;
int prev_mouse_z;
int heli_x, heli_y;
int heli_tilt;
int heli_drift, heli_climb, heli_vspeed;
int heli_pan = 128;
double wobble_x, wobble_y;
int wind_volume = 70;
int wind_freq = 500;

// Off screen to the right, so that every piece is placed at its first frame.
int debris_x[DEBRIS_COUNT] = {22222, 22222, 22222, 22222, 22222, 22222, 22222, 22222};
int debris_y[DEBRIS_COUNT];
int debris_angle[DEBRIS_COUNT], debris_spin[DEBRIS_COUNT];
int debris_kind[DEBRIS_COUNT];

SAMPLE *heli_sample, *water_sample, *wind_sample, *fire_sample;
MIDI *points1_midi, *points2_midi;
BITMAP *heli_bmp, *backdrop_bmp, *back_buffer, *cursor_bmp;
BITMAP *stop_bmp, *save_icon_bmp;
BITMAP *debris_bmp[DEBRIS_KINDS];
DATAFILE *font_data;
FONT *game_font;
int text_h;
BITMAP *score_panel, *altitude_panel, *bonus_panel, *message_panel;
BITMAP *rescued_panel, *pause_panel;
int stop_x, stop_y, save_x, save_y;
