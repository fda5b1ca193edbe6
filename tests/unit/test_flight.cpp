// The view, the player's helicopter, the wind and the debris.
#include "people/people.h"
#include "shell/flight.h"
#include "shell/game_state.h"
#include "shell/rng.h"
#include "support/headless.h"

#include <gtest/gtest.h>

namespace {

struct FlightTest : testing::Test {
    void SetUp() override {
        headless_make_resources();
        TearDown();
        aim_x = heli_x = 512;
        aim_y = heli_y = 384;
        scroll_y = scroll_target = 5000;
        scroll_step = heli_tilt = heli_drift = 0;
        wobble_x = wobble_y = 0.0;
        wind_volume = 70;
        wind_freq = 500;
        game_srand(12345);
    }
    void TearDown() override {
        for (int k = 0; k < KEY_MAX; k++) key[k] = 0;
        mouse_b = mouse_z = prev_mouse_z = 0;
    }
    // The target after one frame from 5000 with these inputs.
    int target_after(int y, int buttons, int up, int down, int z = 0) {
        SetUp();
        aim_y = y;
        mouse_b = buttons;
        key[KEY_UP] = up;
        key[KEY_DOWN] = down;
        mouse_z = z;
        view_update();
        return scroll_target;
    }
};

TEST_F(FlightTest, EdgesButtonKeysAndWheelMoveTheTarget) {
    EXPECT_EQ(target_after(704, 0, 0, 0), 5040);
    EXPECT_EQ(target_after(703, 0, 0, 0), 5000);
    EXPECT_EQ(target_after(63, 0, 0, 0), 4960);
    EXPECT_EQ(target_after(64, 0, 0, 0), 5000);
    EXPECT_EQ(target_after(384, 2, 0, 0), 5040);
    EXPECT_EQ(target_after(383, 2, 0, 0), 4960);
    EXPECT_EQ(target_after(383, 1, 0, 0), 5000);
    EXPECT_EQ(target_after(300, 0, 0, 1), 5040);
    EXPECT_EQ(target_after(300, 0, 1, 1), 4960); // up wins
    EXPECT_EQ(target_after(740, 2, 0, 1), 5120); // three nudges in one frame
    EXPECT_EQ(target_after(300, 0, 0, 0, 3), 4700);
    EXPECT_EQ(prev_mouse_z, 3);
    EXPECT_EQ(scroll_step, -20);
}

TEST_F(FlightTest, HeldInputsScrollAtTwentyAndStayWithin239) {
    key[KEY_UP] = 1;
    for (int frame = 0; frame < 100; frame++) {
        int before = scroll_y;
        view_update();
        ASSERT_LE(scroll_y - scroll_target, 239);
        ASSERT_TRUE(frame <= 30 || scroll_y - before == -20);
    }
    SetUp();
    key[KEY_DOWN] = 1;
    mouse_b = 2;
    aim_y = 760;
    for (int frame = 0; frame < 100; frame++) {
        view_update();
        ASSERT_LE(scroll_target - scroll_y, 239);
    }
}

TEST_F(FlightTest, ViewStopsWithinNinePixelsAndClamps) {
    const int cases[][3] = {{5009, 5000, 0}, {5010, 5001, 1}, {4991, 5000, 0}, {4980, 4998, -2}};
    for (const auto &c : cases) {
        scroll_y = 5000;
        scroll_target = c[0];
        view_update();
        EXPECT_EQ(scroll_y, c[1]);
        EXPECT_EQ(scroll_step, c[2]);
    }
    scroll_y = scroll_target = 0;
    mouse_z = 1;
    view_update();
    EXPECT_EQ(scroll_y + scroll_target + scroll_step, 0);
    scroll_y = 6905;
    scroll_target = 7200;
    view_update();
    EXPECT_EQ(scroll_y, 6910);
    EXPECT_EQ(scroll_target, 6910);
    EXPECT_EQ(scroll_step, 0);
}

TEST_F(FlightTest, LeadTiltAndWindPush) {
    heli_x = 500;
    aim_x = 139; // goal x = 140
    heli_update();
    EXPECT_EQ(heli_drift, -36);
    SetUp();
    heli_x = 500;
    aim_x = 140; // goal jumps to x = 0
    wind_volume = 20;
    uint32_t state = game_rand_state();
    int r = game_rand() % 4;
    game_srand(state);
    heli_update();
    EXPECT_EQ(heli_drift, -50);
    EXPECT_EQ(heli_tilt, -16);
    EXPECT_DOUBLE_EQ(wobble_x, r / 10.0);
    EXPECT_EQ(heli_x, 484);
    // Crosshair on the helicopter: drift and tilt are kept.
    aim_x = heli_x;
    heli_update();
    EXPECT_EQ(heli_drift, -50);
    EXPECT_EQ(heli_tilt, -16);
    for (int frame = 0; frame < 20; frame++) {
        heli_x = 0;
        aim_x = 1000;
        heli_update();
    }
    EXPECT_EQ(heli_tilt, 45);
}

TEST_F(FlightTest, ClimbLimitAndEngineSound) {
    scroll_step = 20;
    heli_y = 100;
    aim_y = 700;
    heli_update();
    EXPECT_EQ(heli_climb, -5);
    EXPECT_EQ(heli_vspeed, 15);
    EXPECT_EQ(heli_pan, heli_engine_pan(heli_x));
    scroll_step = -20;
    heli_y = 700;
    aim_y = 100;
    heli_update();
    EXPECT_EQ(heli_climb, 5);
    EXPECT_EQ(heli_vspeed, -15);

    EXPECT_EQ(heli_engine_frequency(0, 0), 700);
    EXPECT_EQ(heli_engine_frequency(0, -45), 1600);
    EXPECT_EQ(heli_engine_frequency(-15, 0), 1150);
    EXPECT_EQ(heli_engine_frequency(6, 0), 520);
    for (int v = -40; v <= 40; v++)
        for (int tilt = -45; tilt <= 45; tilt++) ASSERT_GE(heli_engine_frequency(v, tilt), 500);
    EXPECT_EQ(heli_engine_pan(512), 128);
    EXPECT_EQ(heli_engine_pan(0), 65);
    EXPECT_EQ(heli_engine_pan(1023), 191);
}

TEST_F(FlightTest, HelicoptersDrawLikeRotateSpriteAtTheirOffsets) {
    BITMAP *expected = create_bitmap(SCREEN_WIDTH, SCREEN_HEIGHT);
    for (int tilt : {0, 7, 45, -20, -45}) {
        clear_to_color(back_buffer, 0);
        clear_to_color(expected, 0);
        heli_x = 400;
        heli_y = 300;
        heli_tilt = tilt;
        heli_draw();
        // Tilted against the wind: 3.7 to the right gives -3.
        rescue_heli_x = 600;
        rescue_heli_y = 5300;
        wobble_x = 3.7;
        wobble_y = -2.2;
        rescue_heli_draw();
        rotate_sprite(expected, heli_bmp, 330, 275, (fixed)(tilt * 65536));
        rotate_sprite(expected, heli_bmp, 533, 273, (fixed)(-3 * 65536));
        int differ = 0;
        for (int y = 200; y < 400; y++)
            for (int x = 250; x < 700; x++)
                differ += getpixel(back_buffer, x, y) != getpixel(expected, x, y);
        EXPECT_EQ(differ, 0) << tilt;
    }
    destroy_bitmap(expected);
}

TEST_F(FlightTest, WindStaysWithinItsClampsAndDrivesTheDebris) {
    for (int frame = 0; frame < 100000; frame++) {
        int v = wind_volume, f = wind_freq;
        wind_update();
        ASSERT_TRUE(wind_volume >= 20 && wind_volume <= 150 && wind_freq >= 300 &&
                    wind_freq <= 1000);
        ASSERT_TRUE(wind_volume - v >= -5 && wind_volume - v <= 4 && abs(wind_freq - f) <= 16);
    }
    // Every piece is placed at its first frame, its five draws in order.
    for (int i = 0; i < DEBRIS_COUNT; i++) debris_x[i] = 22222;
    uint32_t state = game_rand_state();
    int d[5 * DEBRIS_COUNT];
    for (int &value : d) value = game_rand();
    game_srand(state);
    wind_volume = 20;
    debris_update_and_draw();
    for (int i = 0; i < DEBRIS_COUNT; i++) {
        EXPECT_EQ(debris_x[i], -(d[5 * i] % 1000) - 50 + 37);
        EXPECT_EQ(debris_y[i], d[5 * i + 1] % 768);
        EXPECT_EQ(debris_spin[i], d[5 * i + 3] % 41 - 20);
        EXPECT_EQ(debris_angle[i], d[5 * i + 2] % 360 + debris_spin[i]);
        EXPECT_EQ(debris_kind[i], d[5 * i + 4] % 5);
    }
    int x0 = debris_x[0];
    wind_volume = 150;
    debris_update_and_draw();
    EXPECT_EQ(debris_x[0], x0 + 50);
}

} // namespace
