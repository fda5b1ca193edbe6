// The water sprayer: launching, flight, landing and the water sound.
#include "hazards/hazards.h"
#include "map/map.h"
#include "shell/game_state.h"
#include "shell/rng.h"
#include "support/headless.h"
#include "support/test_map.h"

#include <gtest/gtest.h>

namespace {

enum { PLAIN = 0, FIRE = 1, DOOR_UP = 3, DOOR_DOWN = 4, OPEN = 5 };

struct WaterTest : testing::Test {
    void SetUp() override {
        headless_make_resources();
        test_map_create(TEST_MAP_COLS, TEST_MAP_ROWS, {{0}, {1}, {0}, {2}, {3}, {4}});
        test_map_fill(0, 0, TEST_MAP_COLS - 1, TEST_MAP_ROWS - 1, OPEN);
        key[KEY_SPACE] = mouse_b = 0;
        mission_col_offset = mission_end_timer = score = drop_count = 0;
        scroll_y = 5000;
        heli_x = 512;
        heli_y = 384;
        aim_x = 600;
        aim_y = 200;
        game_srand(2024);
        fire_roll_strengths();
        fire_build_list();
        drawing_mode(DRAW_MODE_SOLID, nullptr, 0, 0);
    }
    void TearDown() override {
        key[KEY_SPACE] = mouse_b = drop_count = 0;
        map_free();
    }
    static int jitter(int r) { return (int)((r - 16384) / 1024.0); }
    static void put_drop(int i, double x, double y, double vx, double vy, int timer) {
        drop_x[i] = x, drop_y[i] = y, drop_vx[i] = vx, drop_vy[i] = vy, drop_timer[i] = timer;
        drop_count = std::max(drop_count, i + 1);
    }
    void put_cell_at_screen(int x, int y, int value) {
        map_set_cell((x - 64) / 64 + mission_col_offset, (y + scroll_y) / 64, value);
    }
};

TEST_F(WaterTest, WorkedValuesWithTheGeneratorsJitter) {
    // Aim point after the jitter; 488 to the right is pulled in to 200.
    const struct {
        int ax, ay;
        double vx, vy;
        int timer;
    } table[] = {{712, 384, 19.779, -4.0, 8}, {512, 584, 0.0, 15.779, 11},
                 {512, 184, 0.0, -23.779, 7}, {1000, 384, 19.779, -4.0, 8},
                 {542, 384, 2.121, -4.0, 5},  {512, 384, 0.0, -4.0, -1}};
    for (const auto &row : table) {
        drop_count = 0;
        uint32_t state = game_rand_state();
        int r[4];
        for (int &value : r) value = game_rand();
        game_srand(state);
        water_add_drop(512, 384, row.ax - jitter(r[0]), row.ay - jitter(r[1]));
        ASSERT_EQ(drop_count, 1);
        EXPECT_NEAR(drop_vx[0], row.vx, 0.0005) << row.ax << "," << row.ay;
        EXPECT_NEAR(drop_vy[0], row.vy, 0.0005) << row.ax << "," << row.ay;
        EXPECT_EQ(drop_timer[0], row.timer) << row.ax << "," << row.ay;
        EXPECT_DOUBLE_EQ(drop_x[0], r[2] * drop_vx[0] / 15700 + 512);
        EXPECT_DOUBLE_EQ(drop_y[0], r[3] * drop_vy[0] / 15700 + 384);
    }
    EXPECT_EQ(jitter(0), -16);
    EXPECT_EQ(jitter(32767), 15);
}

TEST_F(WaterTest, HoldingTheButtonLaunches48AFrameUpTo1024) {
    mouse_b = 1;
    water_spray_update();
    EXPECT_EQ(drop_count, 48);
    water_spray_update();
    EXPECT_EQ(drop_count, 96);
    for (int frame = 0; frame < 40; frame++) {
        for (int i = 0; i < drop_count; i++) drop_y[i] = 100, drop_vy[i] = -2; // keep them up
        water_spray_update();
    }
    EXPECT_EQ(drop_count, MAX_DROPS);
    uint32_t state = game_rand_state();
    water_add_drop(512, 384, 700, 300);
    EXPECT_EQ(game_rand_state(), state); // a full table draws nothing
    EXPECT_EQ(water_sound_volume(true), 50);
    EXPECT_EQ(water_sound_volume(false), 60);
}

TEST_F(WaterTest, NoLaunchOnAnElevatorDoorOrDuringTheEndPhase) {
    key[KEY_SPACE] = 1;
    EXPECT_TRUE(water_sprayer_fires());
    for (int door : {DOOR_UP, DOOR_DOWN}) {
        put_cell_at_screen(aim_x, aim_y, door);
        EXPECT_FALSE(water_sprayer_fires());
    }
    put_cell_at_screen(64, 200, DOOR_UP);
    aim_x = 1; // the strip left of the building counts as column 0
    EXPECT_FALSE(water_sprayer_fires());
    aim_x = 0;
    EXPECT_TRUE(water_sprayer_fires());
    mission_end_timer = 3;
    put_drop(0, 300, 100, 1.0, 0.0, 5);
    water_spray_update();
    EXPECT_EQ(drop_count, 1); // nothing launched, the one in the air flies on
    EXPECT_DOUBLE_EQ(drop_x[0], 301.0);
    mission_end_timer = key[KEY_SPACE] = 0;
    mouse_b = 2;
    EXPECT_FALSE(water_sprayer_fires());
}

TEST_F(WaterTest, LandsWhenItsTimerIsOutOverATileThatIsNotOpen) {
    put_cell_at_screen(300, 200, FIRE);
    fire_build_list();
    int &strength = fire_strength[((200 + scroll_y) / 64) * 14 + 3];
    int before = strength;
    put_drop(0, 300, 200, 0.0, -1.0, 2);
    for (int frame = 0; frame < 2; frame++) {
        water_update(back_buffer);
        drop_vy[0] = -1.0;
    }
    EXPECT_EQ(drop_count, 1);
    water_update(back_buffer);
    EXPECT_EQ(drop_count, 0);
    EXPECT_EQ(strength, before - 1);

    // Over open tiles, beside the building and above the roof it keeps flying.
    put_drop(0, 300.0, 100.0, 0.0, 0.0, -5);
    put_drop(1, 63.9, 100.0, 0.0, 0.0, -5);
    put_drop(2, 960.0, 100.0, 0.0, 0.0, -5);
    scroll_y = 0;
    put_drop(3, 300.0, -200.0, 0.0, 0.0, -5);
    water_update(back_buffer);
    EXPECT_EQ(drop_count, 4);
    // Until it crosses a solid tile: row 2 covers y 128 to 191.
    put_cell_at_screen(300, 130, PLAIN);
    drop_count = 1;
    drop_vy[0] = 20;
    water_update(back_buffer);
    EXPECT_EQ(drop_count, 1); // y 120
    water_update(back_buffer);
    EXPECT_EQ(drop_count, 0); // y 141
}

TEST_F(WaterTest, LandingFollowsTheViewButDropletsStayOnScreen) {
    put_cell_at_screen(300, 150, FIRE);
    put_drop(0, 300, 150, 0, -1.0, 0);
    scroll_y = 4000;
    water_update(back_buffer);
    EXPECT_EQ(drop_count, 1);
    EXPECT_DOUBLE_EQ(drop_y[0], 149.0);
    scroll_y = 5000;
    drop_vy[0] = 1.0;
    water_update(back_buffer);
    EXPECT_EQ(drop_count, 0);
    int mx, my;
    put_drop(0, 959.99, 769.0, 0, 0, 0);
    scroll_y = 6910;
    EXPECT_TRUE(water_drop_map_pos(0, &mx, &my));
    EXPECT_EQ(mx, 895);
    EXPECT_EQ(my, 7679);
}

TEST_F(WaterTest, RemovedAt768AndEveryDropletMovesOnce) {
    for (int i = 0; i < 8; i++) put_drop(i, 300, 100, i + 0.25, 0.0, 50);
    for (int i : {0, 3, 5, 7}) put_drop(i, 300, 767.0, i + 0.25, 1.0, 50); // reach 768
    drop_y[2] = 766.5;
    water_update(back_buffer);
    ASSERT_EQ(drop_count, 4);
    // Swap-with-last: 6 took slot 0, 4 took slot 3.
    const int order[4] = {6, 1, 2, 4};
    for (int i = 0; i < 4; i++) {
        EXPECT_EQ((int)drop_vx[i], order[i]);
        EXPECT_DOUBLE_EQ(drop_x[i], 300 + drop_vx[i]);
        EXPECT_DOUBLE_EQ(drop_vy[i], 1.0);
        EXPECT_EQ(drop_timer[i], 49);
    }
}

TEST_F(WaterTest, StreakIsHalfAFramesTravelInAPaleBlue) {
    clear_to_color(back_buffer, 0);
    put_drop(0, 200.7, 300.2, 20.0, -8.0, 50);
    uint32_t state = game_rand_state();
    double a = game_rand() / 217000.0 + 1, b = game_rand() / 47000.0 + 1;
    game_srand(state);
    water_update(back_buffer);
    int colour = makecol((int)(150 * b), (int)(220 * a), 255);
    EXPECT_EQ(getpixel(back_buffer, 200, 300), colour);
    EXPECT_EQ(getpixel(back_buffer, 210, 296), colour);
    EXPECT_EQ(getpixel(back_buffer, 211, 296), 0);
}

TEST_F(WaterTest, JetArcsOntoAFireAndPutsItOut) {
    put_cell_at_screen(700, 384, FIRE);
    for (int y = 0; y < 768; y += 64) put_cell_at_screen(764, y, PLAIN);
    fire_build_list();
    fire_strength[((384 + scroll_y) / 64) * 14 + 9] = 40;
    mouse_b = 1;
    aim_x = 700;
    aim_y = 384;
    int frames = 0;
    while (fire_x[0] >= 0 && frames < 200) water_spray_update(), frames++;
    EXPECT_LT(frames, 200);
    EXPECT_EQ(score, 10);
    mouse_b = 0;
    for (int frame = 0; frame < 100; frame++) water_spray_update();
    EXPECT_EQ(drop_count, 0); // gravity always wins
}

} // namespace
