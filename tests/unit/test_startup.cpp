// Start-up and the screens it shows: the game's random generator, the frame pacer's
// schedule, the icon positions, and the passes of the intro and briefing loops.
#include "screens/screens.h"
#include "shell/frame_pacer.h"
#include "shell/game_state.h"
#include "shell/rng.h"
#include "support/headless.h"

#include <gtest/gtest.h>
#include <malloc.h>
#include <utility>

TEST(Startup, GeneratorFollowsTheLinearCongruentialSequence) {
    game_srand(0);
    for (int value : {38, 7719, 21238, 2437, 8855, 11797, 8365, 32285, 10450, 30612})
        EXPECT_EQ(game_rand(), value);
    game_srand(0xFFFFFFFFu);
    EXPECT_TRUE(game_rand() == 0x23 && game_rand_state() == 0x235AC6u);
}

// On an injected clock: a 1/60 s grid; after a stall one frame at once, then no burst.
TEST(Startup, PacerKeepsTheSixtyHertzGridAndDoesNotBurstAfterAStall) {
    frame_pacer pacer{};
    int64_t now = 5000;
    EXPECT_EQ(pacer_next_wake(&pacer, now), now);
    for (int i = 0; i < 600; i++) now = pacer_next_wake(&pacer, now + 3000000); // 3 ms of work
    EXPECT_NEAR((double)(now - 5000), 10e9, 1e3); // ten seconds within a microsecond
    EXPECT_EQ(pacer_next_wake(&pacer, now + FRAME_NS - 1000), now + FRAME_NS); // a long frame
    now += FRAME_NS + 500000000; // half a second stall (a dialog, say)
    EXPECT_EQ(pacer_next_wake(&pacer, now), now);
    EXPECT_EQ(pacer_next_wake(&pacer, now), now + FRAME_NS);
    EXPECT_EQ(pacer_next_wake(&pacer, now + FRAME_NS + 2000000), now + 2 * FRAME_NS);
}

TEST(Startup, IconsSitOnTheBottomLineFiveApart) {
    BITMAP *icons[] = {stop_bmp, save_icon_bmp};
    stop_bmp = create_bitmap(20, 14), save_icon_bmp = create_bitmap(24, 15);
    // Line height, stop x, y, save x, y: centred on the line, halving toward zero.
    const int cases[][5] = {{19, 999, 752, 970, 751}, {9, 999, 756, 970, 756}};
    for (const auto &c : cases) {
        text_h = c[0];
        compute_icon_positions();
        EXPECT_TRUE(stop_x == c[1] && stop_y == c[2] && save_x == c[3] && save_y == c[4]) << c[0];
    }
    destroy_bitmap(stop_bmp), destroy_bitmap(save_icon_bmp);
    stop_bmp = icons[0], save_icon_bmp = icons[1];
    headless_make_resources(); // the line height and the positions back
}

TEST(Startup, HudPanelsTakeTheSizeOfTheirStringsInTheGameFont) {
    ASSERT_TRUE(headless_load_data_assets());
    EXPECT_EQ(score_panel->w, text_length(game_font, " Score: 123456789"));
    EXPECT_EQ(altitude_panel->w, text_length(game_font, " Altitude: 2000ft "));
    EXPECT_EQ(bonus_panel->w, text_length(game_font, " Time Bonus: 12345 "));
    EXPECT_EQ(message_panel->w, text_length(game_font, " Prepare for Mission 7 "));
    EXPECT_TRUE(score_panel->h == text_h && message_panel->h == 2 * text_h);
    // The people counter is sized for the most people a mission holds; the pause box
    // for its longer line, with half a line above and below the two.
    EXPECT_EQ(rescued_panel->w, text_length(game_font, " Rescued 1024 of 1024 "));
    EXPECT_EQ(rescued_panel->h, text_h);
    EXPECT_EQ(pause_panel->w, text_length(game_font, " P or click to play on "));
    EXPECT_EQ(pause_panel->h, 3 * text_h);
}

namespace {

struct ScreensTest : testing::Test {
    fake_screen_size size;
    void SetUp() override { headless_make_resources(), TearDown(); }
    void TearDown() override { key[KEY_P] = key[KEY_R] = key[KEY_ESC] = 0; }
};

TEST_F(ScreensTest, IntroButtonActsOnARelease) {
    intro_build();
    const int h = text_h, t = 4 + 16 * h + (int)(1.4 * h), b = t + 2 * h;
    // Buttons before and now, panel point: only a left release over the face leaves.
    const int cases[][5] = {{1, 0, 20, t, 1},  {1, 0, 140, b, 1},    {1, 0, 19, t, 0},
                            {1, 0, 141, t, 0}, {1, 0, 50, b + 1, 0}, {0, 1, 50, t, 0},
                            {1, 1, 50, t, 0},  {2, 0, 50, t, 0}};
    for (const auto &c : cases)
        EXPECT_EQ(intro_pass_leaves(c[0], c[1], c[2] + 122, c[3] + 84), c[4] == 1)
            << c[0] << c[1] << " at " << c[2] << "," << c[3];
    key[KEY_ESC] = 1;
    EXPECT_TRUE(intro_pass_leaves(0, 0, 0, 0));
}

TEST_F(ScreensTest, BriefingRebuildsWithoutLeaksAndItsMenuDecides) {
    auto in_use = [] { return mallinfo2().uordblks + mallinfo2().hblkhd; };
    for (int i = 0; i < 3; i++) briefing_build(); // let the allocator settle
    const size_t before = in_use();
    for (int i = 0; i < 50; i++) briefing_build();
    EXPECT_LT(in_use(), before + 1000000); // one build holds about 2.5 MB
    const int h = text_h, t = 4 + 12 * h + (int)(1.2 * h) + 2 * h + (int)(1.4 * h);
    enum { P = 1, R = 2, ESC = 4, TOP = 0, BOTTOM = 1, ABOVE = 2, BELOW = 3 };
    const int rows[] = {t, t + 2 * h, t - 1, t + 2 * h + 1};
    // Keys, buttons before and now, panel x and row; choice, "Play Now". Hit ranges lie a
    // pixel right of the faces; "Play Now" acts on a press, R beats Esc, both beat P.
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
    menu_keys keys{};
    bool play = false;
    for (const auto &c : cases) {
        key[KEY_P] = c[0] & P, key[KEY_R] = (c[0] & R) != 0, key[KEY_ESC] = (c[0] & ESC) != 0;
        const int choice = menu_pass(&keys, c[1], c[2], c[3] + 122, rows[c[4]] + 84, &play);
        EXPECT_TRUE(choice == c[5] && std::exchange(play, false) == (c[6] == 1))
            << "keys " << c[0] << ", buttons " << c[1] << c[2] << " at " << c[3] << "," << c[4];
    }
    // A key held when the menu opens (the Esc that left the intro) counts once released.
    key[KEY_ESC] = 1;
    menu_keys_open(&keys);
    const int passes[][2] = {{1, MENU_NONE}, {1, MENU_NONE}, {0, MENU_NONE}, {1, MENU_EXIT}};
    for (const auto &p : passes)
        EXPECT_EQ((key[KEY_ESC] = (char)p[0], menu_pass(&keys, 0, 0, 0, 0, &play)), p[1]);
}

} // namespace
