// The view, the player's helicopter, the wind and the debris.
#include "shell/flight.h"
#include "shell/game_state.h"
#include "shell/rng.h"
#include "support/headless.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

struct FlightTest : testing::Test {
    void SetUp() override {
        headless_make_resources();
        TearDown();
        aim_x = heli_x = 512, aim_y = heli_y = 384, scroll_y = scroll_target = 5000;
        scroll_step = heli_tilt = heli_drift = 0, wobble_x = wobble_y = 0.0;
        wind_volume = 70, wind_freq = 500;
    }
    void TearDown() override { key[KEY_UP] = key[KEY_DOWN] = mouse_b = mouse_z = prev_mouse_z = 0; }
};

TEST_F(FlightTest, EdgesButtonKeysAndWheelMoveTheTarget) {
    // Crosshair y, buttons, up, down, wheel, and the target after one frame from 5000:
    // edges, right button, keys (up wins), three nudges at once, the wheel.
    const int cases[][6] = {
        {704, 0, 0, 0, 0, 5040}, {703, 0, 0, 0, 0, 5000}, {63, 0, 0, 0, 0, 4960},
        {64, 0, 0, 0, 0, 5000},  {384, 2, 0, 0, 0, 5040}, {383, 2, 0, 0, 0, 4960},
        {383, 1, 0, 0, 0, 5000}, {300, 0, 0, 1, 0, 5040}, {300, 0, 1, 1, 0, 4960},
        {740, 2, 0, 1, 0, 5120}, {300, 0, 0, 0, 3, 4700}};
    for (const auto &c : cases) {
        SetUp();
        aim_y = c[0], mouse_b = c[1], key[KEY_UP] = (char)c[2], key[KEY_DOWN] = (char)c[3];
        mouse_z = c[4];
        view_update();
        EXPECT_EQ(scroll_target, c[5]) << c[0] << " " << c[1] << c[2] << c[3] << " " << c[4];
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
}

TEST_F(FlightTest, ViewStopsWithinNinePixelsAndClamps) {
    // Target, then scroll_y and the step after one frame from 5000.
    const int cases[][3] = {{5009, 5000, 0}, {5010, 5001, 1}, {4991, 5000, 0}, {4980, 4998, -2}};
    for (const auto &c : cases) {
        scroll_y = 5000, scroll_target = c[0];
        view_update();
        EXPECT_TRUE(scroll_y == c[1] && scroll_step == c[2]) << c[0];
    }
    scroll_y = scroll_target = 0, mouse_z = 1;
    view_update();
    EXPECT_TRUE(scroll_y == 0 && scroll_target == 0 && scroll_step == 0);
    scroll_y = 6905, scroll_target = 7200;
    view_update();
    EXPECT_TRUE(scroll_y == 6910 && scroll_target == 6910 && scroll_step == 0);
}

TEST_F(FlightTest, LeadTiltWindPushClimbLimitAndEngine) {
    heli_x = 500, aim_x = 139; // goal x = 140
    heli_update();
    EXPECT_EQ(heli_drift, -36);
    SetUp();
    heli_x = 500, aim_x = 140, wind_volume = 20; // the goal jumps to x = 0; a push of 0 to 3
    game_srand(12345);
    const int r = game_rand() % 4;
    game_srand(12345);
    heli_update();
    EXPECT_TRUE(heli_drift == -50 && heli_tilt == -16 && heli_x == 484 && wobble_x == r / 10.0);
    aim_x = heli_x; // crosshair on the helicopter: drift and tilt are kept
    heli_update();
    EXPECT_TRUE(heli_drift == -50 && heli_tilt == -16);
    for (int frame = 0; frame < 20; frame++) heli_x = 0, aim_x = 1000, heli_update();
    EXPECT_EQ(heli_tilt, 45);
    // Against the scrolling building the helicopter never moves faster than 15.
    scroll_step = 20, heli_y = 100, aim_y = 700;
    heli_update();
    EXPECT_TRUE(heli_climb == -5 && heli_vspeed == 15);
    scroll_step = -20, heli_y = 700, aim_y = 100;
    heli_update();
    EXPECT_TRUE(heli_climb == 5 && heli_vspeed == -15 && heli_pan == heli_engine_pan(heli_x));
    // Vertical speed, tilt, frequency: level, full tilt, climbing, sinking; never below 500.
    const int engine[][3] = {{0, 0, 700}, {0, -45, 1600}, {-15, 0, 1150}, {6, 0, 520}};
    for (const auto &e : engine) EXPECT_EQ(heli_engine_frequency(e[0], e[1]), e[2]);
    for (int v = -40; v <= 40; v++) ASSERT_GE(heli_engine_frequency(v, 0), 500);
    EXPECT_TRUE(heli_engine_pan(512) == 128 && heli_engine_pan(0) == 65 &&
                heli_engine_pan(1023) == 191);
}

TEST_F(FlightTest, WindStaysWithinItsClampsAndDrivesTheDebris) {
    for (int frame = 0; frame < 100000; frame++) {
        const int v = wind_volume, f = wind_freq;
        wind_update();
        ASSERT_TRUE(wind_volume >= 20 && wind_volume <= 150 && wind_freq >= 300 &&
                    wind_freq <= 1000);
        ASSERT_TRUE(wind_volume - v >= -5 && wind_volume - v <= 4 && abs(wind_freq - f) <= 16);
    }
    // Every piece is placed at its first frame, its five draws in order.
    for (int i = 0; i < DEBRIS_COUNT; i++) debris_x[i] = 22222;
    game_srand(99);
    int d[5 * DEBRIS_COUNT];
    for (int &value : d) value = game_rand();
    game_srand(99);
    wind_volume = 20;
    debris_update_and_draw();
    for (int i = 0; i < DEBRIS_COUNT; i++) {
        const int *r = &d[5 * i], spin = r[3] % 41 - 20;
        EXPECT_TRUE(debris_x[i] == -(r[0] % 1000) - 50 + 37 && debris_y[i] == r[1] % 768 &&
                    debris_angle[i] == r[2] % 360 + spin && debris_spin[i] == spin &&
                    debris_kind[i] == r[4] % 5)
            << i;
    }
    const int x0 = debris_x[0];
    wind_volume = 150;
    debris_update_and_draw();
    EXPECT_EQ(debris_x[0], x0 + 50);
}

} // namespace
