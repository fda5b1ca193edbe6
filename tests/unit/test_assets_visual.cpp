// The generated pictures and font: sizes, transparency, the font's reach over the
// game's texts, the datafile writer, and that generation repeats byte for byte.
#include "assetgen/assetgen.h"
#include "assetgen/font_raster.h"
#include "assetgen/image_util.h"

#include <allegro.h>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>

namespace {

struct temp_dir {
    std::string path;
    temp_dir() {
        char name[] = "/tmp/highrise-assets-XXXXXX";
        path = mkdtemp(name) ? name : "";
    }
    ~temp_dir() {
        if (!path.empty()) std::system(("rm -rf '" + path + "'").c_str());
    }
};

std::string read_file(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

bool generate_visuals(const std::string &dir) {
    return gen_backdrop(dir) && gen_helicopter(dir) && gen_icons(dir) && gen_font(dir);
}

// One set of generated files shared by the tests of this file.
class VisualAssets : public ::testing::Test {
  protected:
    static temp_dir *dir;
    static DATAFILE *data;
    static FONT *font_;

    static void SetUpTestSuite() {
        dir = new temp_dir;
        ASSERT_TRUE(generate_visuals(dir->path));
        data = load_datafile((dir->path + "/font.dat").c_str());
        font_ = data && data[0].type == DAT_FONT ? (FONT *)data[0].dat : nullptr;
    }
    static void TearDownTestSuite() {
        if (data) unload_datafile(data);
        delete dir;
    }
    static BITMAP *load(const char *name) {
        return load_bitmap((dir->path + "/" + name).c_str(), nullptr);
    }
};
temp_dir *VisualAssets::dir;
DATAFILE *VisualAssets::data;
FONT *VisualAssets::font_;

int masked_count(BITMAP *b) {
    int n = 0, mask = makecol(255, 0, 255);
    for (int y = 0; y < b->h; y++)
        for (int x = 0; x < b->w; x++) n += getpixel(b, x, y) == mask;
    return n;
}

constexpr const char *INTRO_LINES[] = {
    "This is an emergency transmission.",
    "Subject:    All assistance requested immediately!",
    "From:       Vice President of the United States, Denver, CO",
    "Earth changes have settled down.  The Tornados, Hurricanes,",
    "Earthquakes, and Volcanic activity have left cities through out the",
    "world in ruins.  Due to your cleverness and odd ability to fly the new",
    "Pulsed Plasma Jet Helicopters, you have been chosen to save thousands of",
    "people trapped in the high-rise buildings.",
    "You have been trained to guide the people to the flashing phosphor blue",
    "homing beacons while using the high-pressure liquid sprayer to",
    "extinguish any threatening fires that may block the paths of your people.",
    "The high-rise building windows have been shattered from the Tornados &",
    "Hurricanes.  Fires are blazing out of control.",
    "Your first mission should pose little resistance.  If upon your success,",
    "the coordinates to successive missions will be transmitted.",
    "May the winds be with you,",
    "End of transmission.",
};

constexpr const char *BRIEFING_LINES[] = {
    "Your Mission:",
    "   Guide all the people to the flashing homing beacon.",
    "   Tips:",
    "      Click on Elevator doors to move people up/down.",
    "      Flashing homing beacons are ususually at the top of buildings.",
    "      Put out fires so people can move.",
    "Your Tools:",
    "   High performance Pulsed Plasma Jet Helicopter:",
    "      Local Movement:",
    "         Move your Mouse.",
    "      Global Movement (moving to far places up/down):",
    "         Move the mouse pointer to the top/bottom of the screen, or",
    "         use your Mouse Scroll Wheel, or keyboard Up/Down arrow keys.",
    "   High-Pressure Liquid Sprayer:",
    "      Instructions:",
    "         Press the Left Mouse Button or use the keyboard space key.",
};

} // namespace

TEST_F(VisualAssets, HelicopterIsASideViewFacingRightInsideTheMask) {
    BITMAP *heli = load("helicopter.bmp");
    ASSERT_NE(heli, nullptr);
    EXPECT_EQ(heli->w, 140);
    EXPECT_EQ(heli->h, 50);
    int mask = makecol(255, 0, 255);
    // A clear frame of mask colour, so that no edge is cut when it turns.
    for (int x = 0; x < heli->w; x++) {
        EXPECT_EQ(getpixel(heli, x, 0), mask) << x;
        EXPECT_EQ(getpixel(heli, x, heli->h - 1), mask) << x;
    }
    for (int y = 0; y < heli->h; y++) {
        EXPECT_EQ(getpixel(heli, 0, y), mask) << y;
        EXPECT_EQ(getpixel(heli, heli->w - 1, y), mask) << y;
    }
    // Solid where it turns about, and neither a speck nor a block.
    EXPECT_NE(getpixel(heli, 70, 25), mask);
    int opaque = heli->w * heli->h - masked_count(heli);
    EXPECT_GT(opaque, heli->w * heli->h / 4);
    EXPECT_LT(opaque, heli->w * heli->h * 3 / 4);
    // The canopy glass (blue over red) is at the front: the right-hand side.
    int glass_left = 0, glass_right = 0;
    for (int y = 0; y < heli->h; y++)
        for (int x = 0; x < heli->w; x++) {
            int c = getpixel(heli, x, y);
            if (c == mask || getb(c) < getr(c) + 40) continue;
            (x < heli->w / 2 ? glass_left : glass_right)++;
        }
    EXPECT_GT(glass_right, 60);
    EXPECT_GT(glass_right, 2 * glass_left);
    destroy_bitmap(heli);
}

TEST_F(VisualAssets, IconsAreSquareAndSitWithinOneTextLine) {
    ASSERT_NE(font_, nullptr);
    int line = text_height(font_);
    for (const char *name : {"stop.tga", "save.tga"}) {
        BITMAP *icon = load(name);
        ASSERT_NE(icon, nullptr) << name;
        EXPECT_EQ(icon->w, ICON_SIZE) << name;
        EXPECT_EQ(icon->h, ICON_SIZE) << name;
        EXPECT_LE(icon->h, line) << name;
        EXPECT_GE(icon->h, line - 4) << name;
        int mask = makecol(255, 0, 255);
        EXPECT_NE(getpixel(icon, icon->w / 2, icon->h / 2), mask) << name;
        int opaque = icon->w * icon->h - masked_count(icon);
        EXPECT_GT(opaque, icon->w * icon->h * 7 / 10) << name;
        destroy_bitmap(icon);
    }
    // The stop sign is an octagon: its corners are transparent.
    BITMAP *stop = load("stop.tga");
    ASSERT_NE(stop, nullptr);
    EXPECT_EQ(getpixel(stop, 0, 0), makecol(255, 0, 255));
    EXPECT_EQ(getpixel(stop, stop->w - 1, stop->h - 1), makecol(255, 0, 255));
    destroy_bitmap(stop);
}

TEST_F(VisualAssets, BackdropIsAFullScreenNightWithFireBelow) {
    BITMAP *bd = load("la.jpg");
    ASSERT_NE(bd, nullptr);
    ASSERT_EQ(bd->w, 1024);
    ASSERT_EQ(bd->h, 768);
    long top = 0, low_red = 0, low_blue = 0, n_top = 0, n_low = 0;
    for (int y = 0; y < bd->h; y += 2)
        for (int x = 0; x < bd->w; x += 2) {
            int c = getpixel(bd, x, y);
            if (y < 150) {
                top += getr(c) + getg(c) + getb(c);
                n_top++;
            } else if (y > 500) {
                low_red += getr(c);
                low_blue += getb(c);
                n_low++;
            }
        }
    EXPECT_LT(top / n_top, 3 * 40) << "the sky is dark";
    EXPECT_GT(low_red, 2 * low_blue) << "the city burns orange";
    EXPECT_GT(low_red / n_low, 40);
    destroy_bitmap(bd);
}

TEST_F(VisualAssets, FontIsALegibleProportionalLineWithEveryPrintableCharacter) {
    ASSERT_NE(font_, nullptr);
    int h = text_height(font_);
    EXPECT_GE(h, 16);
    EXPECT_LE(h, 20);
    EXPECT_LT(text_length(font_, "i"), text_length(font_, "W"));
    // Every printable character has its own glyph: drawn, it shows ink, and not
    // the stand-in the library prints for a missing one.
    BITMAP *cell = create_bitmap(64, h), *missing = create_bitmap(64, h);
    int white = makecol(255, 255, 255), black = makecol(0, 0, 0);
    clear_to_color(missing, white);
    char stand_in[2] = {(char)allegro_404_char, 0};
    textout_ex(missing, font_, stand_in, 0, 0, black, white);
    for (int ch = 32; ch <= 126; ch++) {
        char s[2] = {(char)ch, 0};
        EXPECT_GT(text_length(font_, s), 0) << ch;
        clear_to_color(cell, white);
        textout_ex(cell, font_, s, 0, 0, black, white);
        int ink = 0, differs = 0;
        for (int y = 0; y < h; y++)
            for (int x = 0; x < cell->w; x++) {
                ink += getpixel(cell, x, y) == black;
                differs += getpixel(cell, x, y) != getpixel(missing, x, y);
            }
        EXPECT_EQ(ink > 0, ch != ' ') << ch;
        if (ch != allegro_404_char) {
            EXPECT_GT(differs, 0) << ch;
        }
    }
    EXPECT_GT(text_length(font_, "\xc3\xa9"), 0); // e acute, in UTF-8
    destroy_bitmap(cell);
    destroy_bitmap(missing);
}

TEST_F(VisualAssets, EveryScreenLineAndLabelFitsItsPlace) {
    ASSERT_NE(font_, nullptr);
    int h = text_height(font_);
    for (const char *line : INTRO_LINES) EXPECT_LE(8 + text_length(font_, line), 780) << line;
    for (const char *line : BRIEFING_LINES) EXPECT_LE(8 + text_length(font_, line), 780) << line;
    EXPECT_LE(4 + 16 * h + (int)(1.4 * h) + 2 * h, 600);
    int briefing_last = 4 + 12 * h + (int)(1.2 * h) + 2 * h;
    EXPECT_LE(briefing_last + (int)(1.4 * h) + 2 * h, 600);
    // Button labels inside their faces.
    EXPECT_LE(35 + text_length(font_, "Continue"), 140);
    EXPECT_LE(30 + text_length(font_, "Play Now"), 140);
    EXPECT_LE(240 + text_length(font_, "Resume"), 340);
    EXPECT_LE(459 + text_length(font_, "Exit"), 540);
    // The HUD line: score, altitude and bonus panels side by side without overlap,
    // the bonus panel left of the two icons.
    int score_end = 15 + text_length(font_, " Score: 123456789");
    int altitude_w = text_length(font_, " Altitude: 2000ft ");
    int bonus_w = text_length(font_, " Time Bonus: 12345 ");
    int bonus_x = 1024 - ICON_SIZE - bonus_w - ICON_SIZE - 15;
    EXPECT_LT(score_end, (1024 - altitude_w) / 2);
    EXPECT_LT((1024 - altitude_w) / 2 + altitude_w, bonus_x);
}

TEST(FontDatafile, GlyphBitsRoundTripThroughTheLibrary) {
    // Two glyphs, one wider than a byte, with a recognisable pattern each.
    font_raster raster;
    raster.height = 3;
    font_range range;
    range.first = 'A';
    font_glyph a, b;
    a.w = 9;
    a.ink = {1, 0, 0, 0, 0, 0, 0, 0, 1, //
             0, 1, 0, 0, 0, 0, 0, 1, 0, //
             0, 0, 0, 0, 1, 0, 0, 0, 0};
    b.w = 2;
    b.ink = {0, 1, 1, 0, 1, 1};
    range.glyphs = {a, b};
    raster.ranges = {range};
    temp_dir dir;
    std::string path = dir.path + "/tiny.dat";
    ASSERT_TRUE(font_write_datafile(&raster, path));
    DATAFILE *d = load_datafile(path.c_str());
    ASSERT_NE(d, nullptr);
    ASSERT_EQ(d[0].type, DAT_FONT);
    FONT *f = (FONT *)d[0].dat;
    EXPECT_EQ(text_height(f), 3);
    EXPECT_EQ(text_length(f, "AB"), 11);
    BITMAP *out = create_bitmap(11, 3);
    int on = makecol(255, 255, 255), off = makecol(0, 0, 0);
    textout_ex(out, f, "AB", 0, 0, on, off);
    for (int y = 0; y < 3; y++)
        for (int x = 0; x < 11; x++) {
            bool ink = x < 9 ? a.ink[y * 9 + x] : b.ink[y * 2 + x - 9];
            EXPECT_EQ(getpixel(out, x, y), ink ? on : off) << x << "," << y;
        }
    destroy_bitmap(out);
    unload_datafile(d);
}

TEST(VisualGeneration, RepeatsByteForByteAndReportsAnUnwritableFolder) {
    temp_dir first, second;
    ASSERT_TRUE(generate_visuals(first.path));
    ASSERT_TRUE(generate_visuals(second.path));
    for (const char *name : {"la.jpg", "helicopter.bmp", "stop.tga", "save.tga", "font.dat"}) {
        std::string a = read_file(first.path + "/" + name);
        EXPECT_FALSE(a.empty()) << name;
        EXPECT_EQ(a, read_file(second.path + "/" + name)) << name;
    }
    std::string nowhere = first.path + "/no/such/folder";
    EXPECT_FALSE(gen_helicopter(nowhere));
    EXPECT_FALSE(gen_icons(nowhere));
    EXPECT_FALSE(gen_font(nowhere));
    EXPECT_FALSE(gen_backdrop(nowhere));
}
