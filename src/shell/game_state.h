// Shared game state: the globals every subsystem of the game reads and writes.
// They are defined once in game_state.cpp and live for the whole run.
#pragma once

#include <allegro.h>
#include <ctime>

// ---- game -------------------------------------------------------------------
extern int mission;            // current mission index, 0 to 6 (shown as mission + 1)
extern int mission_col_offset; // first map column of the mission's building
extern int score;
extern int time_bonus;            // ten points per second left of the 30 minutes
extern time_t mission_start_time; // time() at which the mission's clock started
extern int resumed;               // the mission being set up comes from the saved game
extern int mission_end_timer;     // 0 while the mission runs; counter of the end phase
extern int building_width;        // 896: 14 tiles of 64 pixels
extern int building_height;       // 7680: 120 tiles of 64 pixels
extern int prev_mouse_b;          // mouse_b as it was at the end of the previous frame
extern int highest_mission;       // the highest mission index started in this game

constexpr int MISSION_COUNT = 7;
constexpr int BUILDING_COLS = 14;
constexpr int BUILDING_ROWS = 120;
constexpr int BUILDING_TILES = BUILDING_COLS * BUILDING_ROWS; // 1680
constexpr int TILE_SIZE = 64;
constexpr int BUILDING_SCREEN_X = 64; // the building is drawn from this screen x
constexpr int SCREEN_WIDTH = 1024;
constexpr int SCREEN_HEIGHT = 768;

// ---- view and helicopter ----------------------------------------------------
extern int scroll_y;      // map y shown at the top screen row, 0 to 6910
extern int scroll_target; // where the view is heading
extern int scroll_step;   // change of scroll_y in this frame
extern int aim_x, aim_y;  // crosshair centre on screen: mouse position + 16
extern int prev_mouse_z;  // wheel position seen in the previous frame

extern int heli_x, heli_y; // player's helicopter centre on screen
extern int heli_tilt;      // binary angle units, -45 to 45
extern int heli_drift;
extern int heli_climb;
extern int heli_vspeed;
extern int heli_pan; // engine pan of this frame; the fire sound uses it too
extern double wobble_x, wobble_y;

extern int wind_volume; // 20 to 150, also the wind sample's volume
extern int wind_freq;   // 300 to 1000

constexpr int SCROLL_SPEED_MAX = 20;
constexpr int SCROLL_Y_MAX = 6910;
constexpr int DEBRIS_COUNT = 8;
constexpr int DEBRIS_KINDS = 5;
extern int debris_x[DEBRIS_COUNT], debris_y[DEBRIS_COUNT];
extern int debris_angle[DEBRIS_COUNT], debris_spin[DEBRIS_COUNT];
extern int debris_kind[DEBRIS_COUNT];

// ---- resources (start-up to shutdown) ---------------------------------------
extern SAMPLE *heli_sample, *water_sample, *wind_sample, *fire_sample;
extern MIDI *points1_midi, *points2_midi;
extern BITMAP *heli_bmp, *backdrop_bmp, *back_buffer, *cursor_bmp;
extern BITMAP *stop_bmp;
extern BITMAP *save_icon_bmp; // "save_bmp" would clash with the library's save_bmp()
extern BITMAP *debris_bmp[DEBRIS_KINDS];
extern DATAFILE *font_data;
extern FONT *game_font;
extern int text_h;
extern BITMAP *score_panel, *altitude_panel, *bonus_panel, *message_panel;
extern BITMAP *rescued_panel; // the people rescued of all, between score and altitude
extern BITMAP *pause_panel;   // the box over a paused frame
extern int stop_x, stop_y, save_x, save_y;

// ---- shell operations -------------------------------------------------------
// Start-up (startup.cpp): the whole program; returns the process status.
int game_main();
// Icon positions from the icon and font sizes.
void compute_icon_positions();
// The HUD and message panels, sized from game_font; false when one cannot be made.
bool create_hud_panels();

// Game loop and frame (game_loop.cpp).
void game_loop();
void mission_start();

// What frame_step() tells its caller.
enum FrameResult {
    FRAME_CONTINUE = 0,    // the frame ran to its end
    FRAME_GAME_OVER = 1,   // a quit or save question was answered "Yes"
    FRAME_NEW_MISSION = 2, // the end-of-mission phase started the next mission
    FRAME_PAUSED = 3       // the game is paused: nothing moved
};
// Pace to the next 1/60 s and show the frame composed in the previous iteration.
void frame_present();
// Poll the mouse and keyboard. A driver that plays without them (tests, autopilot)
// sets mouse_x, mouse_y, mouse_z, mouse_b and key[] itself and skips this.
void frame_poll_input();
// Everything of one frame after the input is read, in the game's order.
FrameResult frame_step();

// Flight and view (flight.cpp).
void view_update();
void heli_update(); // also sets the engine sound and heli_pan
void debris_update_and_draw();
void rescue_heli_draw();
void heli_draw();
void wind_update();

// HUD and end of mission (hud.cpp).
void hud_draw();
// Runs one frame of the end-of-mission phase; true when it has started the next mission.
bool mission_end_update();

// Quit and save questions, shutdown (dialogs.cpp).
bool ask_yes_no(const char *question);
// The quit and save checks of one frame; true when the game is to end.
bool quit_checks();
// The first of them, Escape, which the pause reads too; true when the game is to end.
bool escape_check();
void shutdown_game();
