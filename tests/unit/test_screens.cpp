// The intro and briefing screens: layout, and the decisions of one pass of their loops.
#include "screens/screens.h"
#include "shell/game_state.h"
#include "support/headless.h"

#include <gtest/gtest.h>
#include <malloc.h>

namespace {

struct ScreensTest : testing::Test {
    fake_screen_size size;
    void SetUp() override {
        headless_make_resources();
        for (int k = 0; k < KEY_MAX; k++) key[k] = 0;
    }
    void TearDown() override {
        for (int k = 0; k < KEY_MAX; k++) key[k] = 0;
    }
    // Screen position of a panel point.
    int sx(int px) { return px + panel_margin_x; }
    int sy(int py) { return py + panel_margin_y; }
};

TEST_F(ScreensTest, IntroPanelAndButtonRow) {
    intro_build();
    EXPECT_EQ(panel_margin_x, 122);
    EXPECT_EQ(panel_margin_y, 84);
    EXPECT_EQ(screen_panel->w, 780);
    EXPECT_EQ(screen_panel->h, 600);
    EXPECT_EQ(button_top, 4 + 16 * text_h + (int)(1.4 * text_h));
    EXPECT_EQ(button_bottom, button_top + 2 * text_h);
    int green = makecol(85, 187, 85);
    EXPECT_EQ(getpixel(screen_panel, 20, button_top), green);
    EXPECT_EQ(getpixel(screen_panel, 140, button_bottom), green);
    EXPECT_NE(getpixel(screen_panel, 141, button_top), green);
    EXPECT_EQ(getpixel(screen_panel, 700, 300), makecol(255, 255, 255));
    // The headline is drawn in its colour on the first line.
    int headline = makecol(255, 119, 119), found = 0;
    for (int y = 4; y < 4 + text_h; y++)
        for (int x = 8; x < 300; x++) found += getpixel(screen_panel, x, y) == headline;
    EXPECT_GT(found, 10);
}

TEST_F(ScreensTest, IntroLeavesOnReleaseOverContinueOrEsc) {
    intro_build();
    int top = sy(button_top), bottom = sy(button_bottom);
    // A release over the face, edges included.
    EXPECT_TRUE(intro_pass_leaves(1, 0, sx(20), top));
    EXPECT_TRUE(intro_pass_leaves(1, 0, sx(140), bottom));
    EXPECT_FALSE(intro_pass_leaves(1, 0, sx(19), top));
    EXPECT_FALSE(intro_pass_leaves(1, 0, sx(141), top));
    EXPECT_FALSE(intro_pass_leaves(1, 0, sx(50), bottom + 1));
    // A press, or a held button, does nothing.
    EXPECT_FALSE(intro_pass_leaves(0, 1, sx(50), top));
    EXPECT_FALSE(intro_pass_leaves(1, 1, sx(50), top));
    // Only the left button counts.
    EXPECT_FALSE(intro_pass_leaves(2, 0, sx(50), top));
    key[KEY_ESC] = 1;
    EXPECT_TRUE(intro_pass_leaves(0, 0, 0, 0));
}

TEST_F(ScreensTest, BriefingLayout) {
    briefing_build();
    int row13 = 4 + 12 * text_h + (int)(1.2 * text_h);
    EXPECT_EQ(button_top, row13 + 2 * text_h + (int)(1.4 * text_h));
    EXPECT_EQ(getpixel(screen_panel, 20, button_top), makecol(85, 187, 85));
    EXPECT_EQ(getpixel(screen_panel, 220, button_top), makecol(204, 204, 68));
    EXPECT_EQ(getpixel(screen_panel, 540, button_bottom), makecol(255, 68, 68));
    EXPECT_EQ(getpixel(screen_panel, 541, button_bottom), makecol(255, 255, 255));
    // The red star sits in the first blank of row 10.
    int red = makecol(255, 0, 0), found = 0;
    for (int y = 4 + 10 * text_h; y < 4 + 11 * text_h; y++)
        for (int x = 8; x < 8 + text_length(game_font, "*"); x++)
            found += getpixel(screen_panel, x, y) == red;
    EXPECT_GT(found, 0);
}

TEST_F(ScreensTest, MenuHitRangesLieOnePixelRightOfTheFaces) {
    briefing_build();
    menu_keys keys{};
    int y = sy(button_top);
    auto release_at = [&](int px) {
        bool play = false;
        return menu_pass(&keys, 1, 0, sx(px), y, &play);
    };
    EXPECT_EQ(release_at(220), MENU_NONE);
    EXPECT_EQ(release_at(221), MENU_RESUME);
    EXPECT_EQ(release_at(341), MENU_RESUME);
    EXPECT_EQ(release_at(342), MENU_NONE);
    EXPECT_EQ(release_at(420), MENU_NONE);
    EXPECT_EQ(release_at(421), MENU_EXIT);
    EXPECT_EQ(release_at(541), MENU_EXIT);
    EXPECT_EQ(release_at(542), MENU_NONE);
    // Rows: both edges of the button row count.
    bool play = false;
    EXPECT_EQ(menu_pass(&keys, 1, 0, sx(300), sy(button_bottom), &play), MENU_RESUME);
    EXPECT_EQ(menu_pass(&keys, 1, 0, sx(300), sy(button_bottom + 1), &play), MENU_NONE);
    EXPECT_EQ(menu_pass(&keys, 1, 0, sx(300), sy(button_top - 1), &play), MENU_NONE);
}

TEST_F(ScreensTest, PlayNowActsOnPressTheOthersOnRelease) {
    briefing_build();
    menu_keys keys{};
    int y = sy(button_top + 1);
    bool play = false;
    EXPECT_EQ(menu_pass(&keys, 0, 1, sx(20), y, &play), MENU_NONE);
    EXPECT_FALSE(play); // panel x 20 is left of the hit range
    EXPECT_EQ(menu_pass(&keys, 0, 1, sx(21), y, &play), MENU_NONE);
    EXPECT_TRUE(play);
    play = false;
    EXPECT_EQ(menu_pass(&keys, 1, 1, sx(141), y, &play), MENU_NONE); // held counts too
    EXPECT_TRUE(play);
    play = false;
    EXPECT_EQ(menu_pass(&keys, 1, 0, sx(100), y, &play), MENU_NONE); // a release does not
    EXPECT_FALSE(play);
    // Pressing over Resume or Exit does nothing until the release.
    EXPECT_EQ(menu_pass(&keys, 0, 1, sx(300), y, &play), MENU_NONE);
    EXPECT_EQ(menu_pass(&keys, 0, 1, sx(500), y, &play), MENU_NONE);
    EXPECT_FALSE(play);
}

TEST_F(ScreensTest, MenuKeysAndTheirPrecedence) {
    briefing_build();
    menu_keys keys{};
    bool play = false;
    key[KEY_P] = 1;
    EXPECT_EQ(menu_pass(&keys, 0, 0, 0, 0, &play), MENU_NONE);
    EXPECT_TRUE(play);
    key[KEY_R] = 1;
    EXPECT_EQ(menu_pass(&keys, 0, 0, 0, 0, &play), MENU_RESUME); // R beats P
    key[KEY_R] = 0;
    key[KEY_ESC] = 1;
    EXPECT_EQ(menu_pass(&keys, 0, 0, 0, 0, &play), MENU_EXIT); // Esc beats P
    key[KEY_R] = 1;
    EXPECT_EQ(menu_pass(&keys, 0, 0, 0, 0, &play), MENU_RESUME); // R beats Esc
}

TEST_F(ScreensTest, KeysHeldWhenTheMenuOpensCountOnlyAfterRelease) {
    briefing_build();
    key[KEY_ESC] = 1; // still down from dismissing the intro
    menu_keys keys;
    menu_keys_open(&keys);
    bool play = false;
    EXPECT_EQ(menu_pass(&keys, 0, 0, 0, 0, &play), MENU_NONE);
    EXPECT_EQ(menu_pass(&keys, 0, 0, 0, 0, &play), MENU_NONE);
    key[KEY_ESC] = 0;
    EXPECT_EQ(menu_pass(&keys, 0, 0, 0, 0, &play), MENU_NONE);
    key[KEY_ESC] = 1;
    EXPECT_EQ(menu_pass(&keys, 0, 0, 0, 0, &play), MENU_EXIT);
}

TEST_F(ScreensTest, RepeatedBuildsDoNotAccumulateBitmaps) {
    auto in_use = [] {
        struct mallinfo2 info = mallinfo2();
        return info.uordblks + info.hblkhd; // heap and mmapped blocks
    };
    for (int i = 0; i < 3; i++) briefing_build(); // let the allocator settle
    size_t before = in_use();
    for (int i = 0; i < 50; i++) briefing_build();
    size_t after = in_use();
    // One build holds about 2.5 MB; fifty leaked builds would hold 125 MB.
    EXPECT_LT(after, before + 1000000);
}

} // namespace
