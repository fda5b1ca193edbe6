// The shell's part of a frame: the view, the player's helicopter, the wind and the
// debris, the HUD line, and the end of a mission with the move to the next.
#include "hazards/hazards.h"
#include "people/people.h"
#include "shell/flight.h"
#include "shell/game_state.h"
#include "shell/hud.h"
#include "shell/rng.h"
#include "support/headless.h"
#include "support/test_map.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <cstring>

namespace {

const int BACKDROP = 0x000f;

struct FlightTest : testing::Test {
    void SetUp() override {
        headless_make_resources(), TearDown();
        set_trans_blender(0, 0, 0, 210);
        clear_to_color(back_buffer, BACKDROP);
        aim_x = heli_x = 512, aim_y = heli_y = 384, scroll_y = scroll_target = 5000;
        scroll_step = heli_tilt = prev_mouse_z = 0, wobble_x = wobble_y = 0.0, wind_volume = 70;
        score = mission = resumed = 0, people_count = 1, mission_start_time = time(nullptr);
    }
    void TearDown() override {
        key[KEY_UP] = key[KEY_DOWN] = mouse_b = mouse_z = 0;
        people_count = rescued_count = mission_end_timer = 0;
    }
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
        BITMAP *e = create_bitmap(message_panel->w, message_panel->h);
        clear_to_color(e, makecol(255, 255, 255));
        textprintf_ex(e, game_font, x, text_h / 2, colour, makecol(255, 255, 255), "%s", text);
        bool same = true;
        for (int y = 0; y < e->h; y++)
            same &= !memcmp(e->line[y], message_panel->line[y], 2 * e->w);
        destroy_bitmap(e);
        return same;
    }
};

TEST_F(FlightTest, ViewFollowsEdgesButtonKeysAndWheelWithinItsLimits) {
    // Crosshair y, buttons, keys (1 up, 2 down), wheel, the target before (the view at 5000)
    // and a frame on: inputs nudge it by 40 until it runs 200 ahead; the wheel has no limit.
    const int cases[][6] = {
        {704, 0, 0, 0, 5000, 5040}, {703, 0, 0, 0, 5000, 5000}, {63, 0, 0, 0, 5000, 4960},
        {64, 0, 0, 0, 5000, 5000},  {384, 2, 0, 0, 5000, 5040}, {383, 2, 0, 0, 5000, 4960},
        {383, 1, 0, 0, 5000, 5000}, {300, 0, 2, 0, 5000, 5040}, {300, 0, 3, 0, 5000, 4960},
        {740, 2, 2, 0, 5000, 5120}, {300, 0, 2, 0, 5200, 5200}, {300, 0, 2, 0, 5199, 5239},
        {300, 0, 1, 0, 4800, 4800}, {300, 0, 1, 0, 4801, 4761}, {300, 0, 0, 3, 5000, 4700}};
    for (const auto &c : cases) {
        SetUp();
        aim_y = c[0], mouse_b = c[1], key[KEY_UP] = c[2] & 1, key[KEY_DOWN] = c[2] / 2;
        mouse_z = c[3], scroll_target = c[4], view_update();
        EXPECT_EQ(scroll_target, c[5]) << c[0] << " " << c[1] << " " << c[2] << " " << c[4];
    }
    EXPECT_TRUE(prev_mouse_z == 3 && scroll_step == -20);
    // Held inputs scroll at 20 a frame, never pushing the target 239 pixels ahead.
    for (int down = 0; down < 2; down++) {
        SetUp();
        key[KEY_UP] = (char)!down, key[KEY_DOWN] = (char)down, mouse_b = 2 * down;
        aim_y = down ? 760 : 384;
        for (int frame = 0, before = scroll_y; frame < 80; frame++, before = scroll_y) {
            view_update();
            ASSERT_LE(abs(scroll_target - scroll_y), 239);
            ASSERT_TRUE(frame <= 30 || scroll_y - before == (down ? 20 : -20)) << frame;
        }
    }
    SetUp();
    // From, target, then view, target and step a frame on: the 9-pixel dead zone, clamps.
    const int settle[][5] = {{5000, 5009, 5000, 5009, 0}, {5000, 5010, 5001, 5010, 1},
                             {5000, 4991, 5000, 4991, 0}, {5000, 4980, 4998, 4980, -2},
                             {0, -100, 0, 0, 0},          {6905, 7200, 6910, 6910, 0}};
    for (const auto &s : settle) {
        scroll_y = s[0], scroll_target = s[1], mouse_z = prev_mouse_z, view_update();
        EXPECT_TRUE(scroll_y == s[2] && scroll_target == s[3] && scroll_step == s[4]) << s[1];
    }
}

TEST_F(FlightTest, LeadTiltWindPushClimbLimitAndEngine) {
    heli_x = 500, aim_x = 139, heli_update(); // goal x = 140
    EXPECT_EQ(heli_drift, -36);
    SetUp();
    heli_x = 500, aim_x = 140, wind_volume = 20; // the goal jumps to x = 0; a push of 0 to 3
    const int r = (game_srand(12345), game_rand() % 4);
    game_srand(12345), heli_update();
    EXPECT_TRUE(heli_drift == -50 && heli_tilt == -16 && heli_x == 484 && wobble_x == r / 10.0);
    for (int frame = 0; frame < 20; frame++) heli_x = 0, aim_x = 1000, heli_update();
    EXPECT_EQ(heli_tilt, 45);
    scroll_step = 20, heli_y = 100, aim_y = 700, heli_update(); // 15 against the building
    EXPECT_TRUE(heli_climb == -5 && heli_vspeed == 15);
    scroll_step = -20, heli_y = 700, aim_y = 100, heli_update();
    EXPECT_TRUE(heli_climb == 5 && heli_vspeed == -15 && heli_pan == heli_engine_pan(heli_x));
    // Vertical speed, tilt, frequency: level, full tilt, climbing, sinking; never below 500.
    const int engine[][3] = {{0, 0, 700}, {0, -45, 1600}, {-15, 0, 1150}, {6, 0, 520}};
    for (const auto &e : engine) EXPECT_EQ(heli_engine_frequency(e[0], e[1]), e[2]);
    for (int v = -40; v <= 40; v++) ASSERT_GE(heli_engine_frequency(v, 0), 500);
    EXPECT_TRUE(heli_engine_pan(0) == 65 && heli_engine_pan(1023) == 191);
}

TEST_F(FlightTest, WindStaysWithinItsClampsAndDrivesTheDebris) {
    wind_freq = 500;
    for (int frame = 0, v = wind_volume, f = wind_freq; frame < 100000; frame++) {
        wind_update();
        ASSERT_TRUE(wind_volume >= 20 && wind_volume <= 150 && wind_freq >= 300 &&
                    wind_freq <= 1000 && wind_volume - v >= -5 && wind_volume - v <= 4 &&
                    abs(wind_freq - f) <= 16);
        v = wind_volume, f = wind_freq;
    }
    // Placed left of the screen at its first frame, a piece blows at 35 + wind_volume / 10.
    for (int i = 0; i < DEBRIS_COUNT; i++) debris_x[i] = 22222;
    wind_volume = 20, debris_update_and_draw();
    const int x0 = debris_x[0];
    wind_volume = 150, debris_update_and_draw();
    EXPECT_EQ(debris_x[0], x0 + 50);
}

TEST_F(FlightTest, PanelsShowTheirTextsAtTheirPlacesAndTheTimeBonus) {
    score = 1234, hud_draw();
    EXPECT_EQ(covered(score_panel), width(" Score: 1234 "));
    EXPECT_EQ(covered(bonus_panel), width(" Time Bonus: " + std::to_string(time_bonus) + " "));
    // Left edges of the three boxes: the bonus ends 5 pixels left of the save icon.
    for (int x : {15, (SCREEN_WIDTH - altitude_panel->w) / 2, save_x - 5 - bonus_panel->w})
        EXPECT_TRUE(drawn_at(x) && !drawn_at(x - 1)) << x;
    // The altitude in feet, truncated toward zero: the mission's start reads 573.
    const int altitudes[][3] = {{5000, 384, 573}, {6910, 771, 0}, {6910, 800, -8}};
    for (const auto &a : altitudes) {
        scroll_y = a[0], heli_y = a[1], hud_draw();
        EXPECT_EQ(covered(altitude_panel), width(" Altitude: " + std::to_string(a[2]) + "ft "));
    }
    // A score wider than its panel is clipped; the panel keeps its size.
    const int w = score_panel->w;
    score = INT_MAX, hud_draw();
    EXPECT_TRUE(score_panel->w == w && covered(score_panel) == w);
    EXPECT_TRUE(drawn_at(15 + w - 1) && !drawn_at(15 + w));
    // Seconds since the start, and the bonus: 0 to 18000 (16990 if a second passes here).
    const int bonuses[][2] = {{1800, 0}, {100000, 0}, {-500, 18000}, {100, 17000}};
    for (const auto &c : bonuses) {
        mission_start_time = time(nullptr) - c[0], hud_draw();
        EXPECT_TRUE(time_bonus == c[1] || (c[0] == 100 && time_bonus == 16990)) << time_bonus;
    }
    rescued_count = people_count, time_bonus = 777, hud_draw(); // now only the end phase sets it
    EXPECT_EQ(time_bonus, 777);
}

// " Rescued %d of %d " in its own box, centred between the score and the altitude, in
// play and while the mission ends alike.
TEST_F(FlightTest, RescuedPanelCountsThePeopleBetweenScoreAndAltitude) {
    const int counts[][2] = {{0, 14}, {9, 14}, {14, 14}, {1024, 1024}};
    for (const auto &c : counts) {
        rescued_count = c[0], people_count = c[1], hud_draw();
        const std::string text =
            " Rescued " + std::to_string(c[0]) + " of " + std::to_string(c[1]) + " ";
        EXPECT_EQ(covered(rescued_panel), width(text)) << text;
        BITMAP *e = create_bitmap(rescued_panel->w, rescued_panel->h);
        clear_to_color(e, makecol(255, 0, 255));
        textprintf_ex(e, game_font, 0, 0, makecol(221, 102, 153), makecol(255, 255, 255), "%s",
                      text.c_str());
        for (int y = 0; y < e->h; y++)
            EXPECT_EQ(memcmp(e->line[y], rescued_panel->line[y], 2 * e->w), 0) << text << y;
        destroy_bitmap(e);
    }
    const int score_end = 15 + score_panel->w, altitude_x = (SCREEN_WIDTH - altitude_panel->w) / 2;
    const int x = rescued_panel_x();
    EXPECT_LE(abs((x - score_end) - (altitude_x - (x + rescued_panel->w))), 1); // centred
    EXPECT_TRUE(drawn_at(x) && !drawn_at(x - 1) && x > score_end);
    EXPECT_TRUE(drawn_at(x + rescued_panel->w - 1) && !drawn_at(x + rescued_panel->w));
}

// A bonus of 250 counts in 3 frames, the announcement lasts 180, then mission 7 wraps to 1.
TEST_F(FlightTest, EndOfMissionCountsTheBonusAnnouncesAndStartsTheNext) {
    std::vector<test_block> blocks(3);
    blocks[1].user1 = 1;
    test_map_create(TEST_MAP_COLS, TEST_MAP_ROWS, blocks);
    map_set_cell(3, 4, 2); // a fire of the first mission put out earlier
    map_set_cell(5, 6, 1); // one left burning
    const int red = makecol(170, 0, 0);
    people_count = rescued_count = 5, time_bonus = 0, mission = 5, mission_end_update();
    EXPECT_TRUE(message_reads(0, red, " Prepare for Mission 7"));
    time_bonus = 250, mission = 6, resumed = true, score = 1000, mission_end_timer = 0;
    for (int expected : {1100, 1200, 1250}) {
        EXPECT_FALSE(mission_end_update());
        EXPECT_TRUE(score == expected && mission_end_timer != 0); // sprayer and save icon rest
        EXPECT_TRUE(message_reads(5, makecol(0, 136, 0), " Adding Bonus Score"));
    }
    for (int frame = 1; frame <= 180; frame++) {
        clear_to_color(back_buffer, BACKDROP);
        ASSERT_TRUE(!mission_end_update() && centre_drawn() && mission == 6) << frame;
    }
    EXPECT_TRUE(score == 1250 && message_reads(0, red, " Prepare for Mission 1"));
    clear_to_color(back_buffer, BACKDROP);
    EXPECT_TRUE(mission_end_update() && mission == 0 && !resumed && !centre_drawn());
    mission_start();
    EXPECT_TRUE(map_get_cell(3, 4) == 2 && map_get_cell(5, 6) == 1);
    EXPECT_TRUE(fire_count == 1 && fire_x[0] == 5 * 64 + 96);
    map_free();
}

} // namespace
