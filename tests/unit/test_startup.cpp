// Start-up layout: the icon positions and the HUD panels sized from their strings.
#include "shell/game_state.h"
#include "support/headless.h"

#include <gtest/gtest.h>

TEST(Startup, IconPositionsCentreTheIconsOnTheBottomLine) {
    headless_make_resources();
    BITMAP *old_stop = stop_bmp, *old_save = save_icon_bmp;
    int old_text_h = text_h;
    stop_bmp = create_bitmap(20, 14);
    save_icon_bmp = create_bitmap(24, 15);
    text_h = 19;
    compute_icon_positions();
    EXPECT_EQ(stop_x, 1024 - 20 - 5);
    EXPECT_EQ(stop_y, 768 - 14 - (19 - 14) / 2);
    EXPECT_EQ(save_x, 1024 - 20 - 24 - 10);
    EXPECT_EQ(save_y, 768 - 15 - (19 - 15) / 2);
    // An icon taller than the line: the division truncates toward zero.
    text_h = 10;
    compute_icon_positions();
    EXPECT_EQ(stop_y, 768 - 14 - (10 - 14) / 2);
    EXPECT_EQ(stop_y, 768 - 14 + 2);
    destroy_bitmap(stop_bmp);
    destroy_bitmap(save_icon_bmp);
    stop_bmp = old_stop;
    save_icon_bmp = old_save;
    text_h = old_text_h;
    compute_icon_positions();
}

TEST(Startup, GeneratedAssetsLoadAndSizeThePanels) {
    ASSERT_TRUE(headless_load_data_assets()) << "assets missing from " << HIGHRISE_DATA_DIR;
    EXPECT_GE(text_h, 14);
    EXPECT_LE(text_h, 24);
    EXPECT_EQ(score_panel->w, text_length(game_font, " Score: 123456789"));
    EXPECT_EQ(altitude_panel->w, text_length(game_font, " Altitude: 2000ft "));
    EXPECT_EQ(bonus_panel->w, text_length(game_font, " Time Bonus: 12345 "));
    EXPECT_EQ(message_panel->w, text_length(game_font, " Prepare for Mission 7 "));
    EXPECT_EQ(message_panel->h, 2 * text_h);
    EXPECT_EQ(score_panel->h, text_h);
    // The widest intro and briefing lines fit the 780-pixel panel after x = 8.
    EXPECT_LE(8 + text_length(game_font, "extinguish any threatening fires that may block the "
                                         "paths of your people."),
              780);
    EXPECT_LE(8 + text_length(game_font, "         use your Mouse Scroll Wheel, or keyboard "
                                         "Up/Down arrow keys."),
              780);
    // Seventeen intro lines and the button row fit its 600-pixel height.
    EXPECT_LE(4 + 16 * text_h + (int)(1.4 * text_h) + 2 * text_h, 600);
    EXPECT_EQ(backdrop_bmp->w, 1024);
    EXPECT_EQ(backdrop_bmp->h, 768);
}
