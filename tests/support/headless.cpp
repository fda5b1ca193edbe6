#include "support/headless.h"

#include "people/people.h"
#include "shell/asset_files.h"
#include "shell/game_state.h"

#include <cstdlib>
#include <cstring>
#include <jpgalleg.h>
#include <unistd.h>

static BITMAP *memory_screen;

void headless_init() {
    static bool done = false;
    if (done) return;
    done = true;
    install_allegro(SYSTEM_NONE, &errno, atexit);
    set_color_depth(16);
    install_sound(DIGI_NONE, MIDI_NONE, nullptr);
    jpgalleg_init();
    memory_screen = create_bitmap(SCREEN_WIDTH, SCREEN_HEIGHT);
    clear_bitmap(memory_screen);
    screen = memory_screen;
}

static BITMAP *solid_bitmap(int w, int h, int colour) {
    BITMAP *bmp = create_bitmap(w, h);
    clear_to_color(bmp, colour);
    return bmp;
}

static SAMPLE *silent_sample() {
    return create_sample(8, 0, 11025, 64);
}

void headless_make_resources() {
    headless_init();
    if (!back_buffer) back_buffer = solid_bitmap(SCREEN_WIDTH, SCREEN_HEIGHT, 0);
    if (!backdrop_bmp) backdrop_bmp = solid_bitmap(SCREEN_WIDTH, SCREEN_HEIGHT, makecol(0, 0, 64));
    if (!heli_bmp) heli_bmp = solid_bitmap(140, 50, makecol(200, 50, 50));
    if (!cursor_bmp) {
        cursor_bmp = solid_bitmap(32, 32, makecol(255, 0, 255));
        rectfill(cursor_bmp, 0, 14, 32, 18, makecol(255, 255, 255));
        rectfill(cursor_bmp, 14, 0, 18, 32, makecol(255, 255, 255));
    }
    if (!stop_bmp) stop_bmp = solid_bitmap(12, 12, makecol(255, 0, 0));
    if (!save_icon_bmp) save_icon_bmp = solid_bitmap(12, 12, makecol(0, 0, 255));
    static const int size[DEBRIS_KINDS][2] = {{3, 5}, {4, 7}, {8, 11}, {4, 15}, {8, 15}};
    for (int i = 0; i < DEBRIS_KINDS; i++)
        if (!debris_bmp[i]) debris_bmp[i] = solid_bitmap(size[i][0], size[i][1], 0);
    if (!game_font) game_font = font;
    text_h = text_height(game_font);
    if (!score_panel) create_hud_panels();
    make_ride_cars();
    if (!heli_sample) heli_sample = silent_sample();
    if (!water_sample) water_sample = silent_sample();
    if (!wind_sample) wind_sample = silent_sample();
    if (!fire_sample) fire_sample = silent_sample();
    compute_icon_positions();
}

std::string data_path(const std::string &name) {
    return std::string(HIGHRISE_DATA_DIR) + "/" + name;
}

bool headless_load_data_assets() {
    headless_init();
    char old_dir[4096];
    if (!getcwd(old_dir, sizeof old_dir)) return false;
    if (chdir(HIGHRISE_DATA_DIR) != 0) return false;
    bool ok = true;
    std::string why; // the game's own checked loaders
    font_data = asset_load_datafile("font.dat", &why);
    ok = ok && font_data && font_data[0].type == DAT_FONT;
    if (ok) {
        game_font = (FONT *)font_data[0].dat;
        text_h = text_height(game_font);
    }
    auto load = [&](BITMAP **slot, const char *name) {
        BITMAP *bmp = asset_load_bitmap(name, &why);
        ok = ok && bmp;
        if (bmp) {
            if (*slot) destroy_bitmap(*slot);
            *slot = bmp;
        }
    };
    load(&heli_bmp, "helicopter.bmp");
    load(&backdrop_bmp, "la.jpg");
    load(&stop_bmp, "stop.tga");
    load(&save_icon_bmp, "save.tga");
    heli_sample = load_sample("helicopter.wav");
    water_sample = load_sample("water.wav");
    wind_sample = load_sample("wind.wav");
    fire_sample = load_sample("fire.wav");
    // The tunes stay unloaded: playing one starts the library's timer, which
    // cannot run without a system driver.
    ok = ok && exists("points1.mid") && exists("points2.mid");
    ok = ok && heli_sample && water_sample && wind_sample && fire_sample;
    ok = ok && load_person_sprites() == nullptr;
    if (chdir(old_dir) != 0) return false;
    // Panels follow the real font.
    if (ok) {
        for (BITMAP **panel : {&score_panel, &altitude_panel, &bonus_panel, &message_panel,
                               &rescued_panel, &pause_panel})
            if (*panel) {
                destroy_bitmap(*panel);
                *panel = nullptr;
            }
        headless_make_resources();
    }
    return ok;
}

fake_screen_size::fake_screen_size() {
    static GFX_DRIVER fake;
    fake.w = SCREEN_WIDTH;
    fake.h = SCREEN_HEIGHT;
    fake.name = fake.desc = fake.ascii_name = "headless";
    gfx_driver = &fake;
}

// The library's shutdown would call into the driver: never leave the fake behind.
fake_screen_size::~fake_screen_size() {
    gfx_driver = nullptr;
}
