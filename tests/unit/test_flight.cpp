// The view, the player's helicopter, the wind and the debris.
#include "people/people.h"
#include "shell/flight.h"
#include "shell/game_state.h"
#include "shell/rng.h"
#include "support/headless.h"

#include <gtest/gtest.h>

namespace {

constexpr uint32_t SEED = 12345;

struct FlightTest : testing::Test {
    void SetUp() override {
        headless_make_resources();
        for (int k = 0; k < KEY_MAX; k++) key[k] = 0;
        mouse_b = 0;
        mouse_z = prev_mouse_z = 0;
        aim_x = 512;
        aim_y = 384;
        scroll_y = scroll_target = 5000;
        scroll_step = 0;
        heli_x = 512;
        heli_y = 384;
        heli_tilt = heli_drift = heli_climb = heli_vspeed = 0;
        wobble_x = wobble_y = 0.0;
        wind_volume = 70;
        wind_freq = 500;
        game_srand(SEED);
    }
    void TearDown() override {
        for (int k = 0; k < KEY_MAX; k++) key[k] = 0;
        mouse_b = 0;
        mouse_z = 0;
    }
    // The next n draws of the generator, leaving it where it was.
    std::vector<int> peek(int n) {
        uint32_t state = game_rand_state();
        std::vector<int> draws;
        for (int i = 0; i < n; i++) draws.push_back(game_rand());
        game_srand(state);
        return draws;
    }
};

// ---- view ---------------------------------------------------------------------

TEST_F(FlightTest, ScreenEdgesNudgeTheTarget) {
    aim_y = 704;
    view_update();
    EXPECT_EQ(scroll_target, 5040);
    EXPECT_EQ(scroll_step, 4);
    EXPECT_EQ(scroll_y, 5004);

    scroll_y = scroll_target = 5000;
    aim_y = 703;
    view_update();
    EXPECT_EQ(scroll_target, 5000);

    aim_y = 63;
    view_update();
    EXPECT_EQ(scroll_target, 4960);
    EXPECT_EQ(scroll_y, 4996);

    scroll_y = scroll_target = 5000;
    aim_y = 64;
    view_update();
    EXPECT_EQ(scroll_target, 5000);
}

TEST_F(FlightTest, RightButtonScrollsTowardTheCrosshairsHalf) {
    mouse_b = 2;
    aim_y = 384;
    view_update();
    EXPECT_EQ(scroll_target, 5040);
    scroll_y = scroll_target = 5000;
    aim_y = 383;
    view_update();
    EXPECT_EQ(scroll_target, 4960);
    // The left button does not scroll.
    scroll_y = scroll_target = 5000;
    mouse_b = 1;
    view_update();
    EXPECT_EQ(scroll_target, 5000);
}

TEST_F(FlightTest, ArrowKeysWithUpWinning) {
    key[KEY_DOWN] = 1;
    view_update();
    EXPECT_EQ(scroll_target, 5040);
    scroll_y = scroll_target = 5000;
    key[KEY_UP] = 1;
    view_update();
    EXPECT_EQ(scroll_target, 4960);
}

TEST_F(FlightTest, InputsAddUpToThreeNudgesInOneFrame) {
    aim_y = 740; // bottom edge, and the lower half for the button
    mouse_b = 2;
    key[KEY_DOWN] = 1;
    view_update();
    EXPECT_EQ(scroll_target, 5120);
    EXPECT_EQ(scroll_step, 12);
    // Each input tests the target as the one before left it: from 170 ahead only
    // the first nudge passes.
    scroll_y = 5000;
    scroll_target = 5170;
    view_update();
    EXPECT_EQ(scroll_target, 5210);
}

TEST_F(FlightTest, WheelJumpsWithoutLookAheadLimit) {
    mouse_z = 3;
    view_update();
    EXPECT_EQ(scroll_target, 4700);
    EXPECT_EQ(prev_mouse_z, 3);
    EXPECT_EQ(scroll_step, -20);
    mouse_z = -2;
    view_update();
    EXPECT_EQ(scroll_target, 5200);
}

TEST_F(FlightTest, HeldArrowClimbsAtTwentyAndNeverRunsMoreThan239Ahead) {
    key[KEY_UP] = 1;
    int max_ahead = 0;
    for (int frame = 0; frame < 100; frame++) {
        int before = scroll_y;
        view_update();
        max_ahead = std::max(max_ahead, scroll_y - scroll_target);
        if (frame > 30) {
            EXPECT_EQ(scroll_y - before, -20);
        }
    }
    EXPECT_LE(max_ahead, 239);
    EXPECT_GE(max_ahead, 200);
    // Edges, button and key together still respect the limit.
    SetUp();
    key[KEY_DOWN] = 1;
    mouse_b = 2;
    aim_y = 760;
    for (int frame = 0; frame < 100; frame++) {
        view_update();
        ASSERT_LE(scroll_target - scroll_y, 239);
    }
}

TEST_F(FlightTest, ViewSettlesShortOfTheTargetWithinNinePixels) {
    scroll_target = 5300;
    for (int frame = 0; frame < 200; frame++) view_update();
    EXPECT_EQ(scroll_step, 0);
    EXPECT_LE(scroll_target - scroll_y, 9);
    EXPECT_GT(scroll_target - scroll_y, 0);

    scroll_y = 5000;
    scroll_target = 5009;
    view_update();
    EXPECT_EQ(scroll_step, 0);
    scroll_target = 5010;
    view_update();
    EXPECT_EQ(scroll_step, 1);
    scroll_y = 5000;
    scroll_target = 4991;
    view_update();
    EXPECT_EQ(scroll_step, 0);
}

TEST_F(FlightTest, ViewClampsAtTheRoofAndTheBottom) {
    scroll_y = scroll_target = 0;
    mouse_z = 1;
    view_update();
    EXPECT_EQ(scroll_y, 0);
    EXPECT_EQ(scroll_target, 0);
    EXPECT_EQ(scroll_step, 0);

    scroll_y = 6905;
    scroll_target = 7200;
    view_update();
    EXPECT_EQ(scroll_y, 6910);
    EXPECT_EQ(scroll_target, 6910);
    EXPECT_EQ(scroll_step, 0);
    // 6910 itself is allowed.
    scroll_y = 6900;
    scroll_target = 7000;
    view_update();
    EXPECT_EQ(scroll_y, 6910);
    EXPECT_EQ(scroll_target, 7000);
    EXPECT_EQ(scroll_step, 10);
}

// ---- helicopter -----------------------------------------------------------------

TEST_F(FlightTest, LeadJumpsWhenTheCrosshairReaches140) {
    heli_x = 500;
    aim_x = 139; // goal x = 140, right of the crosshair
    heli_update();
    EXPECT_EQ(heli_drift, (140 - 500) / 10);
    EXPECT_EQ(heli_tilt, heli_drift / 3);

    SetUp();
    heli_x = 500;
    aim_x = 140; // goal jumps to x = 0
    heli_update();
    EXPECT_EQ(heli_drift, -50);
    EXPECT_EQ(heli_tilt, -16);
}

TEST_F(FlightTest, HorizontalMoveFollowsTiltAndWindPush) {
    wind_volume = 20; // push drawn from 0 to 3
    heli_x = 300;
    aim_x = 900;
    heli_tilt = 40;
    std::vector<int> r = peek(1);
    heli_update();
    EXPECT_EQ(heli_drift, (900 - 140 - 300) / 10);
    EXPECT_EQ(heli_tilt, 40 + (46 - 40) / 3);
    EXPECT_DOUBLE_EQ(wobble_x, (r[0] % 4) / 10.0);
    EXPECT_EQ(heli_x, 300 + 42); // a push below 1 adds nothing yet

    // The tilt never passes 45, either way.
    for (int frame = 0; frame < 20; frame++) {
        heli_x = 0;
        aim_x = 1000;
        heli_update();
        ASSERT_LE(heli_tilt, 45);
    }
    EXPECT_EQ(heli_tilt, 45);
    for (int frame = 0; frame < 20; frame++) {
        heli_x = 1000;
        aim_x = 150;
        heli_update();
        ASSERT_GE(heli_tilt, -45);
    }
    EXPECT_EQ(heli_tilt, -45);
}

TEST_F(FlightTest, CrosshairOnTheHelicopterKeepsDriftAndTilt) {
    heli_drift = 7;
    heli_tilt = 12;
    heli_x = aim_x = 600;
    heli_update();
    EXPECT_EQ(heli_drift, 7);
    EXPECT_EQ(heli_tilt, 12);
}

TEST_F(FlightTest, WindPushRangeFollowsTheWindStrength) {
    for (int volume : {20, 150}) {
        wind_volume = volume;
        int top = 0;
        for (int frame = 0; frame < 3000; frame++) {
            wobble_x = 0.0;
            heli_update();
            int r = (int)(wobble_x * 10 + 0.5);
            top = std::max(top, r);
            ASSERT_GE(r, 0);
        }
        EXPECT_EQ(top, volume / 5 - 1);
    }
}

TEST_F(FlightTest, VerticalMoveBobsAndAimsAboveTheCrosshair) {
    wobble_y = -0.5;
    aim_y = 600;
    std::vector<int> r = peek(2);
    heli_update();
    double bob = -0.5 + ((r[1] % 11 - 5) - -0.5) / 10.0;
    EXPECT_DOUBLE_EQ(wobble_y, bob);
    int y = 384 + (int)bob;
    EXPECT_EQ(heli_climb, (600 - 25 - y) / 20);
    EXPECT_EQ(heli_vspeed, heli_climb);
    EXPECT_EQ(heli_y, y + heli_climb);
}

TEST_F(FlightTest, ClimbIsLimitedAgainstTheScrollingBuilding) {
    // Sinking on screen while the view scrolls down: the helicopter gives way.
    scroll_step = 20;
    heli_y = 100;
    aim_y = 700;
    heli_update();
    EXPECT_EQ(heli_climb, -5);
    EXPECT_EQ(heli_vspeed, 15);

    SetUp();
    scroll_step = -20;
    heli_y = 700;
    aim_y = 100;
    heli_update();
    EXPECT_EQ(heli_climb, 5);
    EXPECT_EQ(heli_vspeed, -15);

    SetUp();
    scroll_step = 0;
    heli_y = 384;
    aim_y = 409 + 15 * 20;
    heli_update();
    EXPECT_LE(heli_climb, 15);
}

TEST_F(FlightTest, EngineFrequencyAndPan) {
    EXPECT_EQ(heli_engine_frequency(0, 0), 700);
    EXPECT_EQ(heli_engine_frequency(0, 45), 1600);
    EXPECT_EQ(heli_engine_frequency(0, -45), 1600);
    EXPECT_EQ(heli_engine_frequency(-15, 0), 1150); // climbing raises the pitch
    EXPECT_EQ(heli_engine_frequency(6, 0), 520);
    EXPECT_EQ(heli_engine_frequency(15, 0), 500); // sinking lowers it by at most 200
    for (int v = -40; v <= 40; v++)
        for (int tilt = -45; tilt <= 45; tilt++) ASSERT_GE(heli_engine_frequency(v, tilt), 500);

    EXPECT_EQ(heli_engine_pan(512), 128);
    EXPECT_EQ(heli_engine_pan(0), 65);
    EXPECT_EQ(heli_engine_pan(1023), 191);
    EXPECT_EQ(heli_engine_pan(-100), 53);
    heli_x = aim_x = 900;
    heli_update();
    EXPECT_EQ(heli_pan, heli_engine_pan(heli_x));
}

TEST_F(FlightTest, HelicoptersAreDrawnAtTheirOffsets) {
    clear_to_color(back_buffer, 0);
    heli_x = 300;
    heli_y = 200;
    heli_tilt = 0;
    heli_draw();
    int red = getpixel(heli_bmp, 0, 0);
    EXPECT_EQ(getpixel(back_buffer, 230, 175), red);
    EXPECT_EQ(getpixel(back_buffer, 369, 224), red);
    EXPECT_EQ(getpixel(back_buffer, 229, 175), 0);
    EXPECT_EQ(getpixel(back_buffer, 230, 174), 0);

    // Tilted: the centre stays, the corners move.
    clear_to_color(back_buffer, 0);
    heli_tilt = 45;
    heli_draw();
    EXPECT_EQ(getpixel(back_buffer, 300, 200), red);
    EXPECT_EQ(getpixel(back_buffer, 232, 177), 0);

    // The rescue helicopter is a map y, shifted by the wind.
    clear_to_color(back_buffer, 0);
    rescue_heli_x = 600;
    rescue_heli_y = 5300;
    scroll_y = 5000;
    wobble_x = 3.7;
    wobble_y = -2.2;
    rescue_heli_draw();
    EXPECT_EQ(getpixel(back_buffer, 603, 298), red);
    // Leaning three units against the wind: the right end rises above the left.
    auto top_red = [&](int x) {
        for (int y = 240; y < 340; y++)
            if (getpixel(back_buffer, x, y) == red) return y;
        return -1;
    };
    EXPECT_LT(top_red(660), top_red(545));
    EXPECT_GT(top_red(660), 0);
}

TEST_F(FlightTest, DrawingMatchesTheLibrarysRotateSprite) {
    // A sprite with a distinct corner, so that any turn or shift shows.
    BITMAP *saved = heli_bmp;
    heli_bmp = create_bitmap(141, 51);
    clear_to_color(heli_bmp, makecol(255, 0, 255));
    rectfill(heli_bmp, 0, 0, 100, 30, makecol(200, 50, 50));
    rectfill(heli_bmp, 0, 0, 10, 10, makecol(50, 200, 50));
    BITMAP *expected = create_bitmap(SCREEN_WIDTH, SCREEN_HEIGHT);
    for (int tilt : {0, 1, 7, 45, -1, -20, -45}) {
        clear_to_color(back_buffer, 0);
        clear_to_color(expected, 0);
        heli_x = 400;
        heli_y = 300;
        heli_tilt = tilt;
        heli_draw();
        rotate_sprite(expected, heli_bmp, 330, 275, (fixed)(tilt * 65536));
        int differ = 0;
        for (int y = 200; y < 400; y++)
            for (int x = 300; x < 500; x++)
                differ += getpixel(back_buffer, x, y) != getpixel(expected, x, y);
        EXPECT_EQ(differ, 0) << tilt;
    }
    destroy_bitmap(expected);
    destroy_bitmap(heli_bmp);
    heli_bmp = saved;
}

// ---- wind and debris ---------------------------------------------------------------

TEST_F(FlightTest, WindWalksRandomlyWithinItsClamps) {
    std::vector<int> r = peek(2);
    wind_update();
    EXPECT_EQ(wind_volume, 70 + (int)((r[0] - 16384) / 3276.8));
    EXPECT_EQ(wind_freq, 500 + (int)((r[1] - 16384) / 1000.0));

    int low_v = 1000, high_v = 0, low_f = 10000, high_f = 0;
    for (int frame = 0; frame < 200000; frame++) {
        int v = wind_volume, f = wind_freq;
        wind_update();
        ASSERT_GE(wind_volume, 20);
        ASSERT_LE(wind_volume, 150);
        ASSERT_GE(wind_freq, 300);
        ASSERT_LE(wind_freq, 1000);
        ASSERT_GE(wind_volume - v, -5);
        ASSERT_LE(wind_volume - v, 4);
        ASSERT_LE(abs(wind_freq - f), 16);
        low_v = std::min(low_v, wind_volume);
        high_v = std::max(high_v, wind_volume);
        low_f = std::min(low_f, wind_freq);
        high_f = std::max(high_f, wind_freq);
    }
    // The walk drifts down on average, so it does reach the floors.
    EXPECT_EQ(low_v, 20);
    EXPECT_EQ(low_f, 300);
    EXPECT_GT(high_v, 20);
    EXPECT_GT(high_f, 300);
}

TEST_F(FlightTest, DebrisIsPlacedWithItsDrawsInOrderAndBlowsRight) {
    for (int i = 0; i < DEBRIS_COUNT; i++) debris_x[i] = 22222;
    std::vector<int> r = peek(5 * DEBRIS_COUNT);
    wind_volume = 20;
    clear_to_color(back_buffer, makecol(255, 255, 255));
    debris_update_and_draw();
    for (int i = 0; i < DEBRIS_COUNT; i++) {
        const int *d = &r[5 * i];
        EXPECT_EQ(debris_x[i], -(d[0] % 1000) - 50 + 37) << i;
        EXPECT_EQ(debris_y[i], d[1] % 768) << i;
        EXPECT_EQ(debris_angle[i], d[2] % 360 + d[3] % 41 - 20) << i;
        EXPECT_EQ(debris_spin[i], d[3] % 41 - 20) << i;
        EXPECT_EQ(debris_kind[i], d[4] % 5) << i;
    }
    // Speeds 37 to 50 with the wind; nothing is placed again until it leaves.
    int x0 = debris_x[0];
    wind_volume = 150;
    debris_update_and_draw();
    EXPECT_EQ(debris_x[0], x0 + 50);
    wind_volume = 99;
    debris_update_and_draw();
    EXPECT_EQ(debris_x[0], x0 + 50 + 44);

    // A piece on screen is drawn where it is, before it moves.
    debris_x[0] = 500;
    debris_y[0] = 300;
    debris_angle[0] = 0;
    debris_spin[0] = 0;
    debris_kind[0] = 4;
    clear_to_color(back_buffer, makecol(255, 255, 255));
    debris_update_and_draw();
    EXPECT_EQ(getpixel(back_buffer, 503, 307), getpixel(debris_bmp[4], 0, 0));
    // A piece just right of 1074 is placed anew; one at 1074 is not.
    debris_x[1] = 1074;
    debris_x[2] = 1075;
    wind_volume = 20;
    debris_update_and_draw();
    EXPECT_EQ(debris_x[1], 1074 + 37);
    EXPECT_LT(debris_x[2], -50 + 37 + 1);
}

} // namespace
