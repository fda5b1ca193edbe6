// Headless Allegro for tests, benchmarks and the autopilot: no display, 16-bit
// memory bitmaps, no sound driver, and `screen` pointed at a memory bitmap.
#pragma once

#include <allegro.h>
#include <string>

// Once per process: the library, colour depth 16, silent sound, a memory screen.
void headless_init();

// The run-long resources of the game made without files: back buffer, crosshair,
// debris, Allegro's built-in font as game_font, small icons, panels sized from
// the font, silent samples and the icon positions. Safe to call again.
void headless_make_resources();

// Loads the generated assets from the build's data folder instead (font, icons,
// helicopter, backdrop, samples, people; the tunes are only checked, since playing
// one needs the timer, which cannot run headless). False when one is missing.
bool headless_load_data_assets();

// While alive, SCREEN_W and SCREEN_H read as 1024 x 768, as in the game's real mode.
struct fake_screen_size {
    fake_screen_size();
    ~fake_screen_size();
    fake_screen_size(const fake_screen_size &) = delete;
    fake_screen_size &operator=(const fake_screen_size &) = delete;
};

// Absolute path of a file in the build's data folder.
std::string data_path(const std::string &name);
