// The HUD line and the end of a mission: texts, places, the time bonus, the bonus
// count-up, the announcement and the move to the next mission.
#include "map/map.h"
#include "people/people.h"
#include "shell/game_state.h"
#include "support/headless.h"
#include "support/test_map.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>

namespace {

struct HudTest : testing::Test {
    int backdrop = 0;
    void SetUp() override {
        headless_make_resources();
        set_trans_blender(0, 0, 0, 210);
        backdrop = makecol(0, 0, 64);
        clear_to_color(back_buffer, backdrop);
        score = 0;
        scroll_y = 5000;
        heli_y = 384;
        mission = 0;
        resumed = false;
        mission_end_timer = 0;
        mission_start_time = time(nullptr);
        people_count = 1;
        rescued_count = 0;
    }
    void TearDown() override {
        people_count = rescued_count = 0;
        mission = mission_end_timer = time_bonus = score = 0;
    }
    // How far from the left the text box covers the panel: the rest is mask colour.
    static int covered_width(BITMAP *panel) {
        int mask = makecol(255, 0, 255), x = 0;
        while (x < panel->w && getpixel(panel, x, panel->h / 2) != mask) x++;
        return x;
    }
    static bool has_colour(BITMAP *bmp, int colour) {
        for (int y = 0; y < bmp->h; y++)
            for (int x = 0; x < bmp->w; x++)
                if (getpixel(bmp, x, y) == colour) return true;
        return false;
    }
    // Every pixel of the icon that is not the mask colour shows unblended.
    static bool icon_drawn_at(BITMAP *icon, int x0, int y0) {
        int mask = makecol(255, 0, 255), shown = 0;
        for (int y = 0; y < icon->h && y0 + y < SCREEN_HEIGHT; y++)
            for (int x = 0; x < icon->w; x++) {
                int colour = getpixel(icon, x, y);
                if (colour == mask) continue;
                if (getpixel(back_buffer, x0 + x, y0 + y) != colour) return false;
                shown++;
            }
        return shown > 0;
    }
    int hud_y() const { return SCREEN_HEIGHT - text_h + text_h / 2; }
    bool drawn_at(int x, int y) const { return getpixel(back_buffer, x, y) != backdrop; }
    // The message panel as it should read.
    static bool message_reads(int x, int colour, const char *text) {
        BITMAP *expect = create_bitmap(message_panel->w, message_panel->h);
        int white = makecol(255, 255, 255);
        clear_to_color(expect, white);
        textprintf_ex(expect, game_font, x, text_h / 2, colour, white, "%s", text);
        bool same = true;
        for (int y = 0; y < expect->h && same; y++)
            for (int px = 0; px < expect->w && same; px++)
                same = getpixel(expect, px, y) == getpixel(message_panel, px, y);
        destroy_bitmap(expect);
        return same;
    }
    void finish_mission(int bonus) {
        people_count = rescued_count = 5;
        time_bonus = bonus;
        mission_end_timer = 0;
    }
};

TEST_F(HudTest, PanelsShowTheirTextsAtTheirPlaces) {
    score = 1234;
    hud_draw();
    EXPECT_EQ(covered_width(score_panel), text_length(game_font, " Score: 1234 "));
    EXPECT_TRUE(has_colour(score_panel, makecol(119, 204, 255)));
    // The mission's starting view reads 573 feet.
    EXPECT_EQ(covered_width(altitude_panel), text_length(game_font, " Altitude: 573ft "));
    EXPECT_TRUE(has_colour(altitude_panel, makecol(136, 204, 136)));
    char bonus_text[40];
    snprintf(bonus_text, sizeof bonus_text, " Time Bonus: %d ", time_bonus);
    EXPECT_EQ(covered_width(bonus_panel), text_length(game_font, bonus_text));
    EXPECT_TRUE(has_colour(bonus_panel, makecol(255, 170, 0)));

    // Left edges of the three panels on the bottom line, translucent white boxes.
    EXPECT_TRUE(drawn_at(15, hud_y()));
    EXPECT_FALSE(drawn_at(14, hud_y()));
    EXPECT_FALSE(drawn_at(15, SCREEN_HEIGHT - text_h - 1));
    int alt_x = (SCREEN_WIDTH - altitude_panel->w) / 2;
    EXPECT_TRUE(drawn_at(alt_x, hud_y()));
    EXPECT_FALSE(drawn_at(alt_x - 1, hud_y()));
    int bonus_x = SCREEN_WIDTH - save_icon_bmp->w - bonus_panel->w - stop_bmp->w - 15;
    EXPECT_EQ(bonus_x + bonus_panel->w, save_x - 5);
    EXPECT_TRUE(drawn_at(bonus_x, hud_y()));
    EXPECT_FALSE(drawn_at(bonus_x - 1, hud_y()));
    // The icons are drawn opaque over everything else of the line.
    EXPECT_TRUE(icon_drawn_at(save_icon_bmp, save_x, save_y));
    EXPECT_TRUE(icon_drawn_at(stop_bmp, stop_x, stop_y));
}

TEST_F(HudTest, TextsWiderThanTheirPanelsAreClipped) {
    int width = score_panel->w;
    score = INT_MAX;
    hud_draw();
    EXPECT_EQ(score_panel->w, width);
    EXPECT_EQ(covered_width(score_panel), width);
    EXPECT_TRUE(drawn_at(15 + width - 1, hud_y()));
    EXPECT_FALSE(drawn_at(15 + width, hud_y()));
}

TEST_F(HudTest, AltitudeTruncatesTowardZero) {
    scroll_y = 6910;
    heli_y = 771; // (7678 - 7681) / 4 is 0, not -1
    hud_draw();
    EXPECT_EQ(covered_width(altitude_panel), text_length(game_font, " Altitude: 0ft "));
    heli_y = 800;
    hud_draw();
    EXPECT_EQ(covered_width(altitude_panel), text_length(game_font, " Altitude: -8ft "));
}

TEST_F(HudTest, TimeBonusFollowsTheClockOnlyWhileTheMissionRuns) {
    time_t now = time(nullptr);
    mission_start_time = now - 100;
    hud_draw();
    EXPECT_LE(time_bonus, 17000);
    EXPECT_GE(time_bonus, 16990);
    EXPECT_EQ(time_bonus % 10, 0);
    mission_start_time = now - 1800;
    hud_draw();
    EXPECT_EQ(time_bonus, 0);
    mission_start_time = now - 100000;
    hud_draw();
    EXPECT_EQ(time_bonus, 0);
    // A clock set back never gives more than the whole allowance.
    mission_start_time = now + 500;
    hud_draw();
    EXPECT_EQ(time_bonus, 18000);
    // Once every person is rescued only the end of the mission changes it.
    rescued_count = people_count;
    time_bonus = 777;
    mission_start_time = now;
    hud_draw();
    EXPECT_EQ(time_bonus, 777);
}

TEST_F(HudTest, BonusOf250AddsThreeStepsThenAnnounces) {
    finish_mission(250);
    score = 1000;
    EXPECT_FALSE(mission_end_update());
    EXPECT_EQ(score, 1100);
    EXPECT_EQ(time_bonus, 150);
    EXPECT_TRUE(message_reads(5, makecol(0, 136, 0), " Adding Bonus Score"));
    EXPECT_NE(mission_end_timer, 0); // the sprayer and the save icon rest from here
    EXPECT_FALSE(mission_end_update());
    EXPECT_EQ(score, 1200);
    EXPECT_FALSE(mission_end_update());
    EXPECT_EQ(score, 1250);
    EXPECT_EQ(time_bonus, 0);
    EXPECT_FALSE(mission_end_update());
    EXPECT_EQ(score, 1250);
    EXPECT_TRUE(message_reads(0, makecol(170, 0, 0), " Prepare for Mission 2"));
    // The message box sits in the middle of the screen.
    EXPECT_TRUE(drawn_at(SCREEN_WIDTH / 2, SCREEN_HEIGHT / 2));
}

TEST_F(HudTest, BonusTuneRestartsEvery13Frames) {
    finish_mission(5000);
    int restarts[3], found = 0;
    for (int frame = 1; frame <= 30 && found < 3; frame++) {
        int before = mission_end_timer;
        mission_end_update();
        if (before <= 1) restarts[found++] = frame;
    }
    ASSERT_EQ(found, 3);
    EXPECT_EQ(restarts[0], 1);
    EXPECT_EQ(restarts[1], 14);
    EXPECT_EQ(restarts[2], 27);
}

TEST_F(HudTest, AnnouncementLasts180FramesThenTheNextMissionStarts) {
    finish_mission(0);
    mission = 3;
    resumed = true;
    score = 500;
    for (int frame = 1; frame <= 180; frame++) {
        clear_to_color(back_buffer, backdrop);
        ASSERT_FALSE(mission_end_update()) << frame;
        ASSERT_TRUE(drawn_at(SCREEN_WIDTH / 2, SCREEN_HEIGHT / 2)) << frame;
        ASSERT_EQ(mission, 3);
    }
    EXPECT_TRUE(message_reads(0, makecol(170, 0, 0), " Prepare for Mission 5"));
    clear_to_color(back_buffer, backdrop);
    EXPECT_TRUE(mission_end_update());
    EXPECT_EQ(mission, 4);
    EXPECT_FALSE(resumed);
    EXPECT_EQ(score, 500);
    // Nothing more of that frame is drawn.
    EXPECT_FALSE(drawn_at(SCREEN_WIDTH / 2, SCREEN_HEIGHT / 2));
}

// After the seventh mission the first comes again, on the map as it was left.
TEST_F(HudTest, SeventhMissionWrapsToTheFirstOnTheSameMap) {
    std::vector<test_block> blocks(3);
    blocks[1].user1 = 1;
    test_map_create(TEST_MAP_COLS, TEST_MAP_ROWS, blocks);
    map_set_cell(3, 4, 2); // a fire of mission 1 put out earlier
    map_set_cell(5, 6, 1); // one left burning
    mission = 6;
    finish_mission(0);
    bool started = false;
    for (int frame = 0; frame < 200 && !started; frame++) {
        started = mission_end_update();
        if (frame == 0) {
            EXPECT_TRUE(message_reads(0, makecol(170, 0, 0), " Prepare for Mission 1"));
        }
    }
    ASSERT_TRUE(started);
    EXPECT_EQ(mission, 0);
    mission_start();
    EXPECT_EQ(mission_col_offset, 0);
    EXPECT_EQ(mission_end_timer, 0);
    EXPECT_EQ(map_get_cell(3, 4), 2);
    EXPECT_EQ(map_get_cell(5, 6), 1);
    map_free();
}

} // namespace
