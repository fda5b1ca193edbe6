// The facade styles a mission can choose: colours of the outside of the building
// and of its rooms. Fires, burnt-out floors, holes and the beacon look the same in
// every style.
#pragma once

#include <cstdint>

struct art_rgb {
    uint8_t r, g, b;
};

enum facade_texture : uint8_t { TEXTURE_PANELS, TEXTURE_BRICK, TEXTURE_STONE };

struct tile_style {
    const char *name; // as a mission's "style:" line writes it
    art_rgb facade;   // bands between storeys and mullions between windows
    art_rgb trim;     // lit edges of the facade
    art_rgb glass;    // tint of the windows
    art_rgb walls[3]; // interior wall colours; each run of rooms takes one
    art_rgb floor;
    art_rgb ceiling;
    facade_texture texture;
};

constexpr int STYLE_COUNT = 7;

constexpr tile_style TILE_STYLES[STYLE_COUNT] = {
    {"glass",
     {64, 84, 108},
     {150, 176, 204},
     {110, 165, 225},
     {{206, 196, 172}, {168, 190, 204}, {214, 204, 150}},
     {118, 98, 80},
     {224, 224, 218},
     TEXTURE_PANELS},
    {"sandstone",
     {184, 152, 104},
     {226, 202, 152},
     {140, 168, 176},
     {{222, 212, 190}, {188, 202, 178}, {232, 190, 168}},
     {138, 88, 58},
     {232, 226, 210},
     TEXTURE_STONE},
    {"brick",
     {148, 66, 48},
     {206, 176, 146},
     {132, 158, 172},
     {{212, 202, 170}, {178, 172, 150}, {204, 182, 194}},
     {108, 78, 58},
     {222, 216, 200},
     TEXTURE_BRICK},
    {"concrete",
     {128, 128, 122},
     {184, 184, 178},
     {140, 166, 182},
     {{200, 204, 196}, {214, 196, 160}, {176, 196, 214}},
     {96, 96, 104},
     {214, 214, 210},
     TEXTURE_PANELS},
    {"night",
     {40, 42, 52},
     {96, 102, 124},
     {60, 92, 150},
     {{196, 160, 110}, {150, 140, 170}, {180, 120, 100}},
     {80, 60, 50},
     {170, 150, 120},
     TEXTURE_PANELS},
    {"copper",
     {70, 122, 102},
     {162, 196, 172},
     {120, 170, 170},
     {{220, 208, 176}, {190, 206, 196}, {226, 196, 150}},
     {120, 84, 56},
     {226, 222, 206},
     TEXTURE_STONE},
    {"marble",
     {212, 212, 206},
     {246, 246, 240},
     {136, 178, 212},
     {{200, 196, 210}, {214, 206, 186}, {186, 206, 196}},
     {150, 120, 96},
     {236, 236, 232},
     TEXTURE_STONE},
};

// The style named so, or -1.
int style_from_name(const char *name);
