// The intro and briefing screens: the button rows, and the decisions of one pass of
// their loops.
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
        TearDown();
    }
    void TearDown() override { key[KEY_P] = key[KEY_R] = key[KEY_ESC] = 0; }
};

TEST_F(ScreensTest, IntroButtonActsOnARelease) {
    intro_build();
    EXPECT_TRUE(panel_margin_x == 122 && panel_margin_y == 84);
    EXPECT_TRUE(screen_panel->w == 780 && screen_panel->h == 600);
    const int h = text_h, t = 4 + 16 * h + (int)(1.4 * h), b = t + 2 * h;
    EXPECT_TRUE(button_top == t && button_bottom == b);
    // Buttons before and in the pass, panel point: a release over the face, edges
    // included, leaves; a press, a held button or the right button does not.
    const int cases[][5] = {{1, 0, 20, t, 1},  {1, 0, 140, b, 1},    {1, 0, 19, t, 0},
                            {1, 0, 141, t, 0}, {1, 0, 50, b + 1, 0}, {0, 1, 50, t, 0},
                            {1, 1, 50, t, 0},  {2, 0, 50, t, 0}};
    for (const auto &c : cases)
        EXPECT_EQ(intro_pass_leaves(c[0], c[1], c[2] + 122, c[3] + 84), c[4] == 1)
            << c[0] << c[1] << " at " << c[2] << "," << c[3];
    key[KEY_ESC] = 1;
    EXPECT_TRUE(intro_pass_leaves(0, 0, 0, 0));
}

TEST_F(ScreensTest, MenuHitRangesPressReleaseAndKeyPrecedence) {
    briefing_build();
    const int h = text_h, t = 4 + 12 * h + (int)(1.2 * h) + 2 * h + (int)(1.4 * h);
    EXPECT_TRUE(button_top == t && button_bottom == t + 2 * h);
    enum { P = 1, R = 2, ESC = 4, TOP = 0, BOTTOM = 1, ABOVE = 2, BELOW = 3 };
    const int rows[] = {t, t + 2 * h, t - 1, t + 2 * h + 1};
    // Keys, buttons before and in the pass, panel x and row; the choice and "Play Now".
    // Releases: the hit ranges lie one pixel right of the faces, rows inclusive. "Play
    // Now" acts on the button down, held too; the others on the release. R beats Esc,
    // and both beat P, which only sets the flag.
    const int cases[][7] = {
        {0, 1, 0, 220, TOP, MENU_NONE, 0},       {0, 1, 0, 221, TOP, MENU_RESUME, 0},
        {0, 1, 0, 341, BOTTOM, MENU_RESUME, 0},  {0, 1, 0, 342, TOP, MENU_NONE, 0},
        {0, 1, 0, 420, TOP, MENU_NONE, 0},       {0, 1, 0, 421, TOP, MENU_EXIT, 0},
        {0, 1, 0, 541, TOP, MENU_EXIT, 0},       {0, 1, 0, 542, TOP, MENU_NONE, 0},
        {0, 1, 0, 300, ABOVE, MENU_NONE, 0},     {0, 1, 0, 300, BELOW, MENU_NONE, 0},
        {0, 0, 1, 20, TOP, MENU_NONE, 0},        {0, 0, 1, 21, TOP, MENU_NONE, 1},
        {0, 1, 1, 141, BOTTOM, MENU_NONE, 1},    {0, 1, 0, 100, TOP, MENU_NONE, 0},
        {0, 0, 1, 300, TOP, MENU_NONE, 0},       {0, 0, 1, 500, TOP, MENU_NONE, 0},
        {P, 0, 0, 0, ABOVE, MENU_NONE, 1},       {P | R, 0, 0, 0, ABOVE, MENU_RESUME, 1},
        {P | ESC, 0, 0, 0, ABOVE, MENU_EXIT, 1}, {R | ESC, 0, 0, 0, ABOVE, MENU_RESUME, 0}};
    for (const auto &c : cases) {
        key[KEY_P] = c[0] & P, key[KEY_R] = (c[0] & R) != 0, key[KEY_ESC] = (c[0] & ESC) != 0;
        menu_keys keys{};
        bool play = false;
        const int choice = menu_pass(&keys, c[1], c[2], c[3] + 122, rows[c[4]] + 84, &play);
        EXPECT_TRUE(choice == c[5] && play == (c[6] == 1))
            << "keys " << c[0] << ", buttons " << c[1] << c[2] << " at " << c[3] << "," << c[4];
    }
}

TEST_F(ScreensTest, KeysHeldWhenTheMenuOpensCountOnlyAfterRelease) {
    briefing_build();
    key[KEY_ESC] = 1; // still down from dismissing the intro
    menu_keys keys;
    menu_keys_open(&keys);
    bool play = false;
    const int passes[][2] = {{1, MENU_NONE}, {1, MENU_NONE}, {0, MENU_NONE}, {1, MENU_EXIT}};
    for (const auto &p : passes) {
        key[KEY_ESC] = (char)p[0];
        EXPECT_EQ(menu_pass(&keys, 0, 0, 0, 0, &play), p[1]);
    }
}

TEST_F(ScreensTest, RepeatedBuildsDoNotAccumulateBitmaps) {
    auto in_use = [] { return mallinfo2().uordblks + mallinfo2().hblkhd; };
    for (int i = 0; i < 3; i++) briefing_build(); // let the allocator settle
    const size_t before = in_use();
    for (int i = 0; i < 50; i++) briefing_build();
    EXPECT_LT(in_use(), before + 1000000); // one build holds about 2.5 MB
}

} // namespace
