// Start-up pieces: the game's random generator, the frame pacer's schedule, the icon
// positions, and the generated font against the panels and screens it must fill.
#include "shell/frame_pacer.h"
#include "shell/game_state.h"
#include "shell/rng.h"
#include "support/headless.h"

#include <gtest/gtest.h>

// seed 0 -> 2531011 = 0x269EC3, >> 16 gives 38: the classic sequence; the state wraps
// modulo 2^32.
TEST(Startup, GeneratorFollowsTheLinearCongruentialSequence) {
    game_srand(0);
    for (int value : {38, 7719, 21238, 2437, 8855, 11797, 8365, 32285, 10450, 30612})
        EXPECT_EQ(game_rand(), value);
    game_srand(0xFFFFFFFFu);
    EXPECT_TRUE(game_rand() == 0x23 && game_rand_state() == 0x235AC6u);
}

// With an injected clock: frames on a 1/60 s grid; after a stall one frame at once,
// then the grid again from there, never a burst of frames to catch up.
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
    headless_make_resources();
    BITMAP *old_stop = stop_bmp, *old_save = save_icon_bmp;
    const int old_text_h = text_h;
    stop_bmp = create_bitmap(20, 14), save_icon_bmp = create_bitmap(24, 15);
    // Line height, then stop x and y, save x and y: the icons centred on the line,
    // halving toward zero when they are taller than it.
    const int cases[][5] = {{19, 999, 752, 970, 751}, {9, 999, 756, 970, 756}};
    for (const auto &c : cases) {
        text_h = c[0];
        compute_icon_positions();
        EXPECT_TRUE(stop_x == c[1] && stop_y == c[2] && save_x == c[3] && save_y == c[4]) << c[0];
    }
    destroy_bitmap(stop_bmp);
    destroy_bitmap(save_icon_bmp);
    stop_bmp = old_stop, save_icon_bmp = old_save, text_h = old_text_h;
    compute_icon_positions();
}

TEST(Startup, GeneratedFontFitsTheScreensAndSizesThePanels) {
    ASSERT_TRUE(headless_load_data_assets()) << "assets missing from " << HIGHRISE_DATA_DIR;
    EXPECT_TRUE(text_h >= 14 && text_h <= 24) << text_h;
    EXPECT_TRUE(score_panel->w == text_length(game_font, " Score: 123456789") &&
                altitude_panel->w == text_length(game_font, " Altitude: 2000ft ") &&
                bonus_panel->w == text_length(game_font, " Time Bonus: 12345 ") &&
                message_panel->w == text_length(game_font, " Prepare for Mission 7 "));
    EXPECT_TRUE(score_panel->h == text_h && message_panel->h == 2 * text_h);
    // The widest intro and briefing lines fit the 780-pixel panel after x = 8, and the
    // seventeen intro lines with the button row its 600 pixels.
    EXPECT_LE(8 + text_length(game_font, "extinguish any threatening fires that may block "
                                         "the paths of your people."),
              780);
    EXPECT_LE(8 + text_length(game_font, "         use your Mouse Scroll Wheel, or keyboard "
                                         "Up/Down arrow keys."),
              780);
    EXPECT_LE(4 + 16 * text_h + (int)(1.4 * text_h) + 2 * text_h, 600);
    EXPECT_TRUE(backdrop_bmp->w == 1024 && backdrop_bmp->h == 768);
}
