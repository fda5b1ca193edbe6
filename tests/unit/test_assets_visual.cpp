// The generated pictures and font as the game reads them from the build's data folder,
// and generation of every asset family, which repeats byte for byte.
#include "assetgen/assetgen.h"
#include "assetgen/image_util.h"
#include "screens/screens.h"
#include "shell/game_state.h"
#include "support/headless.h"
#include "support/temp_files.h"

#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sstream>

namespace {

// Pixels of this colour in the rectangle from (x0, y0) to (x1, y1) inclusive, or in
// the whole bitmap.
int count(BITMAP *b, int colour, int x0 = 0, int y0 = 0, int x1 = -1, int y1 = -1) {
    x1 = x1 < 0 ? b->w - 1 : x1;
    y1 = y1 < 0 ? b->h - 1 : y1;
    int n = 0;
    for (int y = y0; y <= y1; y++)
        for (int x = x0; x <= x1; x++) n += getpixel(b, x, y) == colour;
    return n;
}

TEST(VisualAssets, HelicopterIsASpriteInTheMaskColour) {
    BITMAP *heli = load_bitmap(data_path("helicopter.bmp").c_str(), nullptr);
    ASSERT_NE(heli, nullptr);
    int mask = makecol(255, 0, 255), w = heli->w, h = heli->h, opaque = w * h - count(heli, mask);
    EXPECT_TRUE(w == 140 && h == 50) << w << " x " << h;
    // A clear frame, so that no edge is cut when it turns; solid at the centre it turns
    // about; neither a speck nor a block.
    EXPECT_EQ(count(heli, mask) - count(heli, mask, 1, 1, w - 2, h - 2), 2 * (w + h) - 4);
    EXPECT_NE(getpixel(heli, w / 2, h / 2), mask);
    EXPECT_TRUE(opaque > w * h / 4 && opaque < w * h * 3 / 4) << opaque;
    destroy_bitmap(heli);
}

TEST(VisualAssets, FontIsALegibleLineThatFitsEveryIntroAndBriefingLine) {
    DATAFILE *data = load_datafile(data_path("font.dat").c_str());
    ASSERT_TRUE(data && data[0].type == DAT_FONT);
    FONT *f = (FONT *)data[0].dat;
    int h = text_height(f), white = makecol(255, 255, 255);
    EXPECT_TRUE(h >= 16 && h <= 20) << h;
    EXPECT_LT(text_length(f, "i"), text_length(f, "W"));
    // Square icons about one text line high, mostly opaque, with rounded corners.
    for (const char *name : {"stop.tga", "save.tga"}) {
        BITMAP *icon = load_bitmap(data_path(name).c_str(), nullptr);
        ASSERT_NE(icon, nullptr) << name;
        int mask = makecol(255, 0, 255), last = ICON_SIZE - 1;
        EXPECT_TRUE(icon->w == ICON_SIZE && icon->h == ICON_SIZE) << name;
        EXPECT_TRUE(ICON_SIZE <= h && ICON_SIZE >= h - 4) << name;
        EXPECT_LT(count(icon, mask), ICON_SIZE * ICON_SIZE * 3 / 10) << name;
        EXPECT_NE(getpixel(icon, last / 2, last / 2), mask) << name;
        EXPECT_TRUE(getpixel(icon, 0, 0) == mask && getpixel(icon, last, last) == mask) << name;
        destroy_bitmap(icon);
    }
    // Printable ASCII and Latin-1 are in the font, every visible ASCII character with ink.
    BITMAP *cell = create_bitmap(64, h);
    for (int ch = 32; ch <= 255; ch = ch == 126 ? 160 : ch + 1) {
        bool covered = false;
        for (int i = 0; i < get_font_ranges(f); i++)
            covered |= ch >= get_font_range_begin(f, i) && ch <= get_font_range_end(f, i);
        char s[8];
        s[usetc(s, ch)] = 0;
        clear_to_color(cell, 0);
        textout_ex(cell, f, s, 0, 0, 1, 0);
        EXPECT_TRUE(covered && (count(cell, 1) > 0 || ch == ' ' || ch > 126)) << ch;
    }
    destroy_bitmap(cell);
    // The intro and the briefing with this font: no line reaches into the panel's right
    // margin (as wide as the left one), and the buttons stay inside its 600 pixels.
    headless_make_resources();
    std::swap(game_font, f);
    std::swap(text_h, h);
    {
        fake_screen_size screen_size;
        for (void (*build)() : {intro_build, briefing_build}) {
            build();
            EXPECT_TRUE(screen_panel->w == 780 && button_bottom < screen_panel->h);
            EXPECT_EQ(count(screen_panel, white, 772, 0, 779, button_top), 8 * (button_top + 1));
        }
    }
    screens_free();
    std::swap(game_font, f);
    std::swap(text_h, h);
    unload_datafile(data);
}

TEST(AssetGeneration, EveryFamilyMakesTheBuildsBytesAgainAndReportsAnUnwritableFolder) {
    const std::pair<bool (*)(const std::string &), const char *> FAMILIES[] = {
        {gen_backdrop, "la.jpg"},
        {gen_helicopter, "helicopter.bmp"},
        {gen_icons, "stop.tga save.tga"},
        {gen_font, "font.dat"},
        {gen_sounds, "helicopter.wav water.wav wind.wav fire.wav"},
        {gen_tunes, "points1.mid points2.mid patches.dat"},
    };
    temp_dir dir;
    for (const auto &family : FAMILIES) {
        EXPECT_FALSE(family.first(dir.path + "/no/such/folder")) << family.second;
        ASSERT_TRUE(family.first(dir.path)) << family.second;
        std::istringstream files(family.second);
        for (std::string name; files >> name;) {
            std::string bytes = file_bytes(dir.path + "/" + name);
            EXPECT_FALSE(bytes.empty()) << name;
            EXPECT_TRUE(bytes == file_bytes(data_path(name)))
                << name << " differs from the build's";
        }
    }
}

} // namespace
