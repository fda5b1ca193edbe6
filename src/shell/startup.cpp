// Start-up: the library, sound, the screen, every asset that lives for the whole
// run, the off-screen bitmaps, the icon positions and the intro.
#include "shell/game_state.h"

#include "map/map.h"
#include "people/people.h"
#include "screens/screens.h"
#include "shell/asset_files.h"
#include "shell/display_loss.h"
#include "shell/file_places.h"
#include "shell/hud.h"
#include "shell/pause.h"
#include "shell/rng.h"
#include "shell/saved_game.h"
#include "shell/sound.h"

#include <cstdarg>
#include <cstdio>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <jpgalleg.h>
#include <unistd.h>

// A start-up failure: one line saying what failed, the library shut down so that
// no window or sound is left behind, and a failure status.
[[noreturn]] static void startup_fail(const char *format, ...) {
    va_list args;
    va_start(args, format);
    fputs("highrise: ", stderr);
    vfprintf(stderr, format, args);
    fputc('\n', stderr);
    va_end(args);
    map_free();
    allegro_exit();
    exit(1);
}

static SAMPLE *load_sample_or_fail(const char *name) {
    SAMPLE *sample = load_sample(name);
    if (!sample) {
        std::string why = asset_file_problem(name);
        startup_fail("cannot load sound sample \"%s\": %s", name,
                     why.empty() ? "it is not a sound the library can read" : why.c_str());
    }
    return sample;
}

static BITMAP *load_bitmap_or_fail(const char *name) {
    std::string why;
    BITMAP *bmp = asset_load_bitmap(name, &why);
    if (!bmp) startup_fail("cannot load image \"%s\": %s", name, why.c_str());
    return bmp;
}

static BITMAP *create_bitmap_or_fail(int w, int h, const char *what) {
    BITMAP *bmp = create_bitmap(w, h);
    if (!bmp) startup_fail("cannot create the %s (out of memory)", what);
    return bmp;
}

void compute_icon_positions() {
    stop_x = SCREEN_WIDTH - stop_bmp->w - 5;
    stop_y = SCREEN_HEIGHT - stop_bmp->h - (text_h - stop_bmp->h) / 2;
    save_x = SCREEN_WIDTH - stop_bmp->w - save_icon_bmp->w - 10;
    save_y = SCREEN_HEIGHT - save_icon_bmp->h - (text_h - save_icon_bmp->h) / 2;
}

static void build_cursor() {
    cursor_bmp = create_bitmap_or_fail(32, 32, "crosshair");
    clear_to_color(cursor_bmp, makecol(255, 0, 255));
    int white = makecol(255, 255, 255);
    rectfill(cursor_bmp, 0, 14, 32, 18, white);
    rectfill(cursor_bmp, 14, 0, 18, 32, white);
}

static void build_debris() {
    static const int size[DEBRIS_KINDS][2] = {{3, 5}, {4, 7}, {8, 11}, {4, 15}, {8, 15}};
    static const int colour[DEBRIS_KINDS][3] = {
        {0, 0, 0}, {153, 153, 170}, {136, 153, 136}, {204, 204, 221}, {119, 119, 136}};
    for (int i = 0; i < DEBRIS_KINDS; i++)
        debris_bmp[i] = create_bitmap_or_fail(size[i][0], size[i][1], "debris");
    for (int i = 0; i < DEBRIS_KINDS; i++)
        clear_to_color(debris_bmp[i], makecol(colour[i][0], colour[i][1], colour[i][2]));
}

static void load_font() {
    std::string why;
    font_data = asset_load_datafile("font.dat", &why);
    if (!font_data) startup_fail("cannot load font \"font.dat\": %s", why.c_str());
    if (font_data[0].type != DAT_FONT)
        startup_fail("cannot load font \"font.dat\": its first object is not a font");
    game_font = (FONT *)font_data[0].dat;
    text_h = text_height(game_font);
}

bool create_hud_panels() {
    // Sized once from these strings and never resized: longer text is clipped.
    score_panel = create_bitmap(text_length(game_font, " Score: 123456789"), text_h);
    altitude_panel = create_bitmap(text_length(game_font, " Altitude: 2000ft "), text_h);
    bonus_panel = create_bitmap(text_length(game_font, " Time Bonus: 12345 "), text_h);
    message_panel = create_bitmap(text_length(game_font, " Prepare for Mission 7 "), 2 * text_h);
    rescued_panel = create_bitmap(text_length(game_font, RESCUED_PANEL_SIZING), text_h);
    pause_panel = create_bitmap(text_length(game_font, PAUSE_LINES[1]), 3 * text_h);
    return score_panel && altitude_panel && bonus_panel && message_panel && rescued_panel &&
           pause_panel;
}

// The assets are read from the data folder found beside the program, whatever the
// working folder; the player's files never go there. An earlier version kept the
// saved game in the working folder: it moves to the player's folder once.
static void enter_data_dir() {
    std::string looked;
    std::string data_dir = data_dir_of_this_program(&looked);
    if (data_dir.empty()) {
        fprintf(stderr, "highrise: cannot find the game's data folder (looked in %s)\n",
                looked.c_str());
        exit(1);
    }
    char work_dir[4096];
    if (getcwd(work_dir, sizeof work_dir)) {
        std::string problem;
        std::string moved = player_file_adopt(work_dir, SAVED_GAME_NAME, &problem);
        if (!moved.empty()) {
            printf("highrise: the saved game now lives in %s\n", moved.c_str());
            fflush(stdout);
        } else if (!problem.empty())
            fprintf(stderr,
                    "highrise: cannot move the saved game from %s to the player's folder "
                    "(%s); it stays where it was\n",
                    work_dir, problem.c_str());
    }
    if (chdir(data_dir.c_str()) != 0) {
        fprintf(stderr, "highrise: cannot enter the data folder %s: %s\n", data_dir.c_str(),
                strerror(errno));
        exit(1);
    }
}

int game_main() {
    game_srand((uint32_t)time(nullptr));
    enter_data_dir();

    if (allegro_init() != 0) {
        fprintf(stderr, "highrise: cannot open a display (no X server reachable; is DISPLAY "
                        "set?)\n");
        return 1;
    }
    display_loss_watch();
    install_timer();
    install_keyboard();

    // The tunes play through Allegro's software synthesiser, whose instruments
    // ("patches.dat") lie with the other assets in the working directory.
    set_allegro_resource_path(0, "./");
    // That synthesiser borrows its voices from the sample driver, so without a sound
    // card it makes the whole start fail: then go on without music, as the library
    // would without the instruments.
    if (install_sound(DIGI_AUTODETECT, MIDI_AUTODETECT, nullptr) != 0 &&
        install_sound(DIGI_AUTODETECT, MIDI_NONE, nullptr) != 0)
        startup_fail("cannot start sound: %s", allegro_error);
    heli_sample = load_sample_or_fail("helicopter.wav");
    water_sample = load_sample_or_fail("water.wav");
    wind_sample = load_sample_or_fail("wind.wav");
    fire_sample = load_sample_or_fail("fire.wav");
    // A missing tune only silences the moments it would play.
    points1_midi = load_midi("points1.mid");
    points2_midi = load_midi("points2.mid");

    wind_volume = 70;
    wind_freq = 500;
    sound_loops_start();

    jpgalleg_init();

    set_color_depth(16);
    if (set_gfx_mode(GFX_AUTODETECT, SCREEN_WIDTH, SCREEN_HEIGHT, 0, 0) < 0)
        startup_fail("cannot set the 1024 x 768 x 16 graphics mode: %s", allegro_error);
    set_window_title("Highrise Rescue");
    pause_watch_focus();

    heli_bmp = load_bitmap_or_fail("helicopter.bmp");
    backdrop_bmp = load_bitmap_or_fail("la.jpg");
    std::string why;
    if (const char *failed = load_person_sprites(&why))
        startup_fail("cannot load image \"%s\": %s", failed, why.c_str());

    if (!make_ride_cars()) startup_fail("cannot create the elevator cars (out of memory)");

    back_buffer = create_bitmap_or_fail(SCREEN_WIDTH, SCREEN_HEIGHT, "back buffer");
    clear_bitmap(back_buffer);

    if (install_mouse() < 0) startup_fail("cannot find a mouse");

    build_cursor();
    stop_bmp = load_bitmap_or_fail("stop.tga");
    save_icon_bmp = load_bitmap_or_fail("save.tga");
    build_debris();
    load_font();
    if (!create_hud_panels()) startup_fail("cannot create the HUD panels (out of memory)");
    compute_icon_positions();
    map_reset_animations(); // nothing is loaded yet: a no-op, kept for symmetry with loads

    intro_build();
    intro_run();

    game_loop();
    return 0;
}
