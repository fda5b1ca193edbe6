// The HUD line and the end of a mission: texts, places, the time bonus, the bonus
// count-up, the announcement and the move to the next mission.
#include "hazards/hazards.h"
#include "people/people.h"
#include "shell/game_state.h"
#include "support/headless.h"
#include "support/test_map.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

const int BACKDROP = 0x000f;

struct HudTest : testing::Test {
    void SetUp() override {
        headless_make_resources();
        set_trans_blender(0, 0, 0, 210);
        clear_to_color(back_buffer, BACKDROP);
        score = mission = resumed = mission_end_timer = rescued_count = 0, people_count = 1;
        scroll_y = 5000, heli_y = 384, mission_start_time = time(nullptr);
    }
    void TearDown() override { people_count = rescued_count = mission_end_timer = 0; }
    // How far the text box covers the panel from the left: the rest is mask colour.
    static int covered(BITMAP *panel) {
        int x = 0;
        while (x < panel->w && getpixel(panel, x, panel->h / 2) != makecol(255, 0, 255)) x++;
        return x;
    }
    static int width(const std::string &text) { return text_length(game_font, text.c_str()); }
    static bool drawn_at(int x, int y) { return getpixel(back_buffer, x, y) != BACKDROP; }
    static bool drawn_at(int x) { return drawn_at(x, SCREEN_HEIGHT - text_h / 2); }
    static bool centre_drawn() { return drawn_at(SCREEN_WIDTH / 2, SCREEN_HEIGHT / 2); }
    // The message panel shows exactly this text in this colour at x, on white.
    static bool message_reads(int x, int colour, const char *text) {
        BITMAP *expect = create_bitmap(message_panel->w, message_panel->h);
        clear_to_color(expect, makecol(255, 255, 255));
        textprintf_ex(expect, game_font, x, text_h / 2, colour, makecol(255, 255, 255), "%s", text);
        int differ = 0;
        for (int y = 0; y < expect->h; y++)
            for (int px = 0; px < expect->w; px++)
                differ += getpixel(expect, px, y) != getpixel(message_panel, px, y);
        destroy_bitmap(expect);
        return differ == 0;
    }
    static void finish_mission(int bonus) { people_count = rescued_count = 5, time_bonus = bonus; }
};

TEST_F(HudTest, PanelsShowTheirTextsAtTheirPlacesAndClip) {
    score = 1234;
    hud_draw();
    EXPECT_EQ(covered(score_panel), width(" Score: 1234 "));
    EXPECT_EQ(covered(bonus_panel), width(" Time Bonus: " + std::to_string(time_bonus) + " "));
    EXPECT_EQ(getpixel(score_panel, 1, 1), makecol(255, 255, 255)); // the text's background
    // Left edges of the three boxes: the bonus ends 5 pixels left of the save icon.
    for (int x : {15, (SCREEN_WIDTH - altitude_panel->w) / 2, save_x - 5 - bonus_panel->w})
        EXPECT_TRUE(drawn_at(x) && !drawn_at(x - 1)) << x;
    EXPECT_FALSE(drawn_at(15, SCREEN_HEIGHT - text_h - 1));
    EXPECT_EQ(getpixel(back_buffer, stop_x + 5, stop_y + 5), getpixel(stop_bmp, 5, 5)); // opaque
    // The altitude in feet, truncated toward zero: the mission's start reads 573.
    const int altitudes[][3] = {{5000, 384, 573}, {6910, 771, 0}, {6910, 800, -8}};
    for (const auto &a : altitudes) {
        scroll_y = a[0], heli_y = a[1];
        hud_draw();
        EXPECT_EQ(covered(altitude_panel), width(" Altitude: " + std::to_string(a[2]) + "ft "));
    }
    // A score wider than its panel is clipped; the panel keeps its size.
    const int w = score_panel->w;
    score = INT_MAX;
    hud_draw();
    EXPECT_TRUE(score_panel->w == w && covered(score_panel) == w);
    EXPECT_TRUE(drawn_at(15 + w - 1) && !drawn_at(15 + w));
}

TEST_F(HudTest, TimeBonusFollowsTheClockOnlyWhileTheMissionRuns) {
    // Seconds since the start, and the bonus: never below 0, nor above 18000 should the
    // clock be set back; 100 seconds in, 17000 (16990 if a second passes meanwhile).
    const int cases[][2] = {{1800, 0}, {100000, 0}, {-500, 18000}, {100, 17000}};
    for (const auto &c : cases) {
        mission_start_time = time(nullptr) - c[0];
        hud_draw();
        EXPECT_TRUE(time_bonus == c[1] || (c[0] == 100 && time_bonus == 16990)) << time_bonus;
    }
    finish_mission(777); // from here only the end of the mission changes it
    hud_draw();
    EXPECT_EQ(time_bonus, 777);
}

TEST_F(HudTest, BonusOf250AddsThreeStepsThenAnnounces) {
    finish_mission(250);
    score = 1000;
    for (int expected : {1100, 1200, 1250}) {
        EXPECT_FALSE(mission_end_update());
        EXPECT_TRUE(score == expected && mission_end_timer != 0); // sprayer and save icon rest
        EXPECT_TRUE(message_reads(5, makecol(0, 136, 0), " Adding Bonus Score"));
    }
    EXPECT_FALSE(mission_end_update());
    EXPECT_TRUE(score == 1250 && time_bonus == 0 && centre_drawn());
    EXPECT_TRUE(message_reads(0, makecol(170, 0, 0), " Prepare for Mission 2"));
}

// The announcement lasts 180 frames; after the seventh mission the first comes again,
// on the map as it was left.
TEST_F(HudTest, AnnouncementLasts180FramesThenTheNextMissionStarts) {
    std::vector<test_block> blocks(3);
    blocks[1].user1 = 1;
    test_map_create(TEST_MAP_COLS, TEST_MAP_ROWS, blocks);
    map_set_cell(3, 4, 2); // a fire of the first mission put out earlier
    map_set_cell(5, 6, 1); // one left burning
    const int red = makecol(170, 0, 0);
    finish_mission(0);
    mission = 5;
    mission_end_update();
    EXPECT_TRUE(message_reads(0, red, " Prepare for Mission 7"));
    mission = 6, resumed = true, score = 500, mission_end_timer = 0;
    for (int frame = 1; frame <= 180; frame++) {
        clear_to_color(back_buffer, BACKDROP);
        ASSERT_TRUE(!mission_end_update() && centre_drawn() && mission == 6) << frame;
    }
    EXPECT_TRUE(message_reads(0, red, " Prepare for Mission 1"));
    clear_to_color(back_buffer, BACKDROP);
    EXPECT_TRUE(mission_end_update() && mission == 0 && !resumed && score == 500);
    EXPECT_FALSE(centre_drawn()); // nothing more of that frame
    mission_start();
    EXPECT_TRUE(mission_col_offset == 0 && mission_end_timer == 0);
    EXPECT_TRUE(map_get_cell(3, 4) == 2 && map_get_cell(5, 6) == 1);
    EXPECT_TRUE(fire_count == 1 && fire_x[0] == 5 * 64 + 96);
    map_free();
}

} // namespace
