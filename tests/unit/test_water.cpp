// The water sprayer: launching, flight, landing and the water sound.
#include "hazards/hazards.h"
#include "map/map.h"
#include "shell/game_state.h"
#include "shell/rng.h"
#include "support/headless.h"
#include "support/test_map.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

namespace {

enum { PLAIN = 0, FIRE = 1, BURNT = 2, DOOR_UP = 3, DOOR_DOWN = 4, OPEN = 5 };

struct WaterTest : testing::Test {
    void SetUp() override {
        headless_make_resources();
        test_map_create(TEST_MAP_COLS, TEST_MAP_ROWS, {{0}, {1}, {0}, {2}, {3}, {4}});
        test_map_fill(0, 0, TEST_MAP_COLS - 1, TEST_MAP_ROWS - 1, OPEN);
        for (int k = 0; k < KEY_MAX; k++) key[k] = 0;
        mouse_b = 0;
        mission_col_offset = 0;
        mission_end_timer = 0;
        building_width = 896;
        building_height = 7680;
        scroll_y = 5000;
        heli_x = 512;
        heli_y = 384;
        aim_x = 700;
        aim_y = 384;
        score = 0;
        drop_count = 0;
        game_srand(2024);
        fire_roll_strengths();
        fire_build_list();
        drawing_mode(DRAW_MODE_SOLID, nullptr, 0, 0);
    }
    void TearDown() override {
        for (int k = 0; k < KEY_MAX; k++) key[k] = 0;
        mouse_b = 0;
        drop_count = 0;
        map_free();
    }
    std::vector<int> peek(int n) {
        uint32_t state = game_rand_state();
        std::vector<int> draws;
        for (int i = 0; i < n; i++) draws.push_back(game_rand());
        game_srand(state);
        return draws;
    }
    static int jitter(int r) { return (int)((r - 16384) / 1024.0); }
    // Places droplet i by hand.
    static void put_drop(int i, double x, double y, double vx, double vy, int timer) {
        drop_x[i] = x;
        drop_y[i] = y;
        drop_vx[i] = vx;
        drop_vy[i] = vy;
        drop_timer[i] = timer;
        if (drop_count <= i) drop_count = i + 1;
    }
    // Sets the cell under a screen point.
    void put_cell_at_screen(int x, int y, int value) {
        map_set_cell((x - 64) / 64 + mission_col_offset, (y + scroll_y) / 64, value);
    }
};

// ---- launching ------------------------------------------------------------------

TEST_F(WaterTest, WorkedValuesWithTheGeneratorsJitter) {
    struct Row {
        int ax, ay; // aim point after jitter
        double vx, vy;
        int timer;
    };
    const Row table[] = {
        {712, 384, 19.779, -4.0, 8},  // 200 px to the right
        {512, 584, 0.0, 15.779, 11},  // 200 px below
        {512, 184, 0.0, -23.779, 7},  // 200 px above
        {1000, 384, 19.779, -4.0, 8}, // 488 px to the right: pulled in
        {542, 384, 2.121, -4.0, 5},   // 30 px to the right
        {512, 384, 0.0, -4.0, -1},    // on the helicopter
    };
    for (const Row &row : table) {
        drop_count = 0;
        std::vector<int> r = peek(4);
        water_add_drop(512, 384, row.ax - jitter(r[0]), row.ay - jitter(r[1]));
        ASSERT_EQ(drop_count, 1);
        EXPECT_NEAR(drop_vx[0], row.vx, 0.0005) << row.ax << "," << row.ay;
        EXPECT_NEAR(drop_vy[0], row.vy, 0.0005) << row.ax << "," << row.ay;
        EXPECT_EQ(drop_timer[0], row.timer) << row.ax << "," << row.ay;
        EXPECT_DOUBLE_EQ(drop_x[0], r[2] * drop_vx[0] / 15700 + 512);
        EXPECT_DOUBLE_EQ(drop_y[0], r[3] * drop_vy[0] / 15700 + 384);
    }
}

TEST_F(WaterTest, JitterStaysWithinSixteenPixels) {
    EXPECT_EQ(jitter(0), -16);
    EXPECT_EQ(jitter(32767), 15);
    EXPECT_EQ(jitter(16383), 0);
    EXPECT_EQ(jitter(16384 - 1025), -1);
}

TEST_F(WaterTest, AimBeyondReachIsPulledInAlongTheLine) {
    // 400 right and 300 down: 500 away, pulled in to (672, 504).
    std::vector<int> r = peek(4);
    water_add_drop(512, 384, 912 - jitter(r[0]), 684 - jitter(r[1]));
    std::vector<int> r2 = peek(4);
    water_add_drop(512, 384, 672 - jitter(r2[0]), 504 - jitter(r2[1]));
    ASSERT_EQ(drop_count, 2);
    EXPECT_DOUBLE_EQ(drop_vx[0], drop_vx[1]);
    EXPECT_DOUBLE_EQ(drop_vy[0], drop_vy[1]);
    EXPECT_EQ(drop_timer[0], drop_timer[1]);
    double k = 200 / std::sqrt(200.0 * 200 + 900);
    EXPECT_DOUBLE_EQ(drop_vx[0], 160 * k / 10);
    EXPECT_DOUBLE_EQ(drop_vy[0], 120 * k / 10 - 4.0);
    // The truncation of the pulled-in point is toward the helicopter, on both sides.
    drop_count = 0;
    std::vector<int> r3 = peek(4);
    water_add_drop(512, 384, 512 - 301 - jitter(r3[0]), 384 - 301 - jitter(r3[1]));
    double c = 141.0 * k / 10; // 301 * 200 / sqrt(2) / 301 = 141.42 -> 141
    EXPECT_DOUBLE_EQ(drop_vx[0], -c);
    EXPECT_DOUBLE_EQ(drop_vy[0], -c - 4.0);
}

TEST_F(WaterTest, FullTableLaunchesNothingAndDrawsNothing) {
    for (int n = 0; n < MAX_DROPS + 100; n++) water_add_drop(512, 384, 700, 300);
    EXPECT_EQ(drop_count, MAX_DROPS);
    uint32_t state = game_rand_state();
    water_add_drop(512, 384, 700, 300);
    EXPECT_EQ(drop_count, MAX_DROPS);
    EXPECT_EQ(game_rand_state(), state);
}

// ---- the trigger ------------------------------------------------------------------

TEST_F(WaterTest, HoldingTheButtonLaunches48AFrameUpTo1024) {
    mouse_b = 1;
    aim_x = 600; // a flat throw over open tiles: nothing lands or falls out early
    aim_y = 200;
    water_spray_update();
    EXPECT_EQ(drop_count, 48);
    water_spray_update();
    EXPECT_EQ(drop_count, 96);
    // Keep the table full by holding the droplets still in the air.
    for (int frame = 0; frame < 40; frame++) {
        for (int i = 0; i < drop_count; i++) {
            drop_y[i] = 100;
            drop_vy[i] = -2;
        }
        water_spray_update();
        ASSERT_LE(drop_count, MAX_DROPS);
    }
    EXPECT_EQ(drop_count, MAX_DROPS);
    EXPECT_EQ(water_sound_volume(true), 50);
    EXPECT_EQ(water_sound_volume(false), 60);
}

TEST_F(WaterTest, SpaceBarFiresToo) {
    key[KEY_SPACE] = 1;
    EXPECT_TRUE(water_sprayer_fires());
    key[KEY_SPACE] = 0;
    EXPECT_FALSE(water_sprayer_fires());
    mouse_b = 2; // the right button scrolls, it does not spray
    EXPECT_FALSE(water_sprayer_fires());
}

TEST_F(WaterTest, NoLaunchOnAnElevatorDoor) {
    mouse_b = 1;
    for (int door : {DOOR_UP, DOOR_DOWN}) {
        aim_x = 64 * 5 + 100;
        aim_y = 300;
        put_cell_at_screen(aim_x, aim_y, door);
        drop_count = 0;
        water_spray_update();
        EXPECT_EQ(drop_count, 0);
        put_cell_at_screen(aim_x, aim_y, PLAIN);
        EXPECT_TRUE(water_sprayer_fires());
    }
    // The strip left of the building counts as column 0.
    put_cell_at_screen(64, 300, DOOR_UP);
    aim_x = 1;
    EXPECT_FALSE(water_sprayer_fires());
    aim_x = 0;
    EXPECT_TRUE(water_sprayer_fires());
    // Doors of the next mission's building do not count.
    map_set_cell(14, (300 + scroll_y) / 64, DOOR_UP);
    aim_x = 64 + 14 * 64 + 5;
    EXPECT_TRUE(water_sprayer_fires());
    // Rows truncate like columns: just above the roof still counts as row 0.
    scroll_y = 0;
    map_set_cell(5, 0, DOOR_DOWN);
    aim_x = 64 * 6 + 10;
    aim_y = -5;
    EXPECT_FALSE(water_sprayer_fires());
    aim_y = -64;
    EXPECT_TRUE(water_sprayer_fires());
}

TEST_F(WaterTest, NoLaunchDuringTheEndPhaseButDropletsFlyOn) {
    put_drop(0, 300, 100, 1.0, 0.0, 5);
    mouse_b = 1;
    mission_end_timer = 3;
    water_spray_update();
    EXPECT_EQ(drop_count, 1);
    EXPECT_DOUBLE_EQ(drop_x[0], 301.0);
    EXPECT_EQ(water_sound_volume(false), 0);
}

// ---- flight and landing -----------------------------------------------------------

TEST_F(WaterTest, DropletLandsOnceItsTimerRunsOutOverASolidTile) {
    // A droplet hanging over a fire tile: the gravity is undone by hand.
    put_cell_at_screen(300, 200, FIRE);
    fire_build_list();
    int &strength = fire_strength[((200 + scroll_y) / 64) * 14 + (300 - 64) / 64];
    int before = strength;
    put_drop(0, 300, 200, 0.0, -1.0, 2);
    water_update(back_buffer); // t = 2
    EXPECT_EQ(drop_count, 1);
    drop_vy[0] = -1.0;
    water_update(back_buffer); // t = 1
    EXPECT_EQ(drop_count, 1);
    drop_vy[0] = -1.0;
    water_update(back_buffer); // t = 0: lands
    EXPECT_EQ(drop_count, 0);
    EXPECT_EQ(strength, before - 1);
}

TEST_F(WaterTest, OpenTilesAndOutsideTheBuildingKeepItFlying) {
    put_drop(0, 300.0, 100.0, 0.0, 0.0, -5); // over an open tile
    put_drop(1, 30.0, 100.0, 0.0, 0.0, -5);  // left of the building
    put_drop(2, 63.9, 100.0, 0.0, 0.0, -5);  // still left: x 63 is outside
    put_drop(3, 990.0, 100.0, 0.0, 0.0, -5); // right of it
    scroll_y = 0;
    put_drop(4, 300.0, -200.0, 0.0, 0.0, -5); // above the roof
    water_update(back_buffer);
    EXPECT_EQ(drop_count, 5);
    for (int i = 0; i < 5; i++) EXPECT_EQ(drop_timer[i], -6);
    // It lands on the first solid tile it reaches: row 2 covers y 128 to 191.
    drop_count = 1;
    put_cell_at_screen(300, 130, PLAIN);
    drop_vy[0] = 20;
    water_update(back_buffer);
    EXPECT_EQ(drop_count, 1); // at y 120, still over the open tile
    water_update(back_buffer);
    EXPECT_EQ(drop_count, 0); // at y 141
}

TEST_F(WaterTest, MapPositionUsesTheCurrentView) {
    put_drop(0, 64.5, 10.7, 0, 0, 0);
    int mx, my;
    EXPECT_TRUE(water_drop_map_pos(0, &mx, &my));
    EXPECT_EQ(mx, 0);
    EXPECT_EQ(my, 5010);
    scroll_y = 6910;
    drop_x[0] = 959.99;
    drop_y[0] = 769.0;
    EXPECT_TRUE(water_drop_map_pos(0, &mx, &my));
    EXPECT_EQ(mx, 895);
    EXPECT_EQ(my, 7679);
    drop_x[0] = 960.0;
    EXPECT_FALSE(water_drop_map_pos(0, &mx, &my));
    drop_x[0] = 500;
    drop_y[0] = 770.0;
    EXPECT_FALSE(water_drop_map_pos(0, &mx, &my));
    scroll_y = 0;
    drop_y[0] = -0.5; // trunc gives 0: the roof row
    EXPECT_TRUE(water_drop_map_pos(0, &mx, &my));
    drop_y[0] = -1.0;
    EXPECT_FALSE(water_drop_map_pos(0, &mx, &my));
}

TEST_F(WaterTest, ScrollingLeavesDropletsInPlaceButMovesTheirLanding) {
    put_cell_at_screen(300, 150, FIRE); // row of map y 5150
    fire_build_list();
    put_drop(0, 300, 150, 0, -1.0, 0);
    scroll_y = 4000; // that fire is now far below
    water_update(back_buffer);
    EXPECT_EQ(drop_count, 1);
    EXPECT_DOUBLE_EQ(drop_x[0], 300.0);
    EXPECT_DOUBLE_EQ(drop_y[0], 149.0);
    scroll_y = 5000;
    drop_vy[0] = 1.0;
    int before = fire_strength[(5150 / 64) * 14 + 3];
    water_update(back_buffer);
    EXPECT_EQ(drop_count, 0);
    EXPECT_EQ(fire_strength[(5150 / 64) * 14 + 3], before - 1);
}

TEST_F(WaterTest, RemovedAtTheBottomOfTheScreen) {
    put_drop(0, 300, 760.0, 0, 6.9, 50); // 766.9: stays
    put_drop(1, 300, 760.0, 0, 7.0, 50); // 767.0 + ... reaches 768 next frame
    put_drop(2, 300, 760.0, 0, 8.0, 50); // 768: gone now
    water_update(back_buffer);
    ASSERT_EQ(drop_count, 2);
    water_update(back_buffer);
    EXPECT_EQ(drop_count, 0);
}

TEST_F(WaterTest, RemovalSwapsInTheLastAndEveryDropletMovesOnce) {
    // Droplets 0, 3 and 5 fall out at once; the others each have their own speed.
    for (int i = 0; i < 8; i++) put_drop(i, 300, 100, i + 0.25, 0.0, 50);
    // The last one leaves too, so that a swapped-in droplet can leave as well.
    for (int i : {0, 3, 5, 7}) {
        drop_y[i] = 767.5;
        drop_vy[i] = 1.0;
    }
    water_update(back_buffer);
    ASSERT_EQ(drop_count, 4);
    std::vector<int> speeds;
    for (int i = 0; i < drop_count; i++) {
        int id = (int)drop_vx[i];
        speeds.push_back(id);
        EXPECT_DOUBLE_EQ(drop_x[i], 300 + drop_vx[i]) << id;
        EXPECT_DOUBLE_EQ(drop_y[i], 100.0) << id;
        EXPECT_DOUBLE_EQ(drop_vy[i], 1.0) << id; // gravity once
        EXPECT_EQ(drop_timer[i], 49) << id;
    }
    std::sort(speeds.begin(), speeds.end());
    EXPECT_EQ(speeds, (std::vector<int>{1, 2, 4, 6}));
    // Slot order: 6 moved into 0, 4 into 3 (5 and 7 had left).
    EXPECT_EQ((int)drop_vx[0], 6);
    EXPECT_EQ((int)drop_vx[1], 1);
    EXPECT_EQ((int)drop_vx[2], 2);
    EXPECT_EQ((int)drop_vx[3], 4);

    water_remove_drop(3); // the last slot: just shortened
    EXPECT_EQ(drop_count, 3);
    water_remove_drop(0);
    EXPECT_EQ(drop_count, 2);
    EXPECT_EQ((int)drop_vx[0], 2);
}

TEST_F(WaterTest, StreakIsHalfAFramesTravelInAShimmeringPaleBlue) {
    clear_to_color(back_buffer, 0);
    put_drop(0, 200.7, 300.2, 20.0, -8.0, 50);
    std::vector<int> r = peek(2);
    water_update(back_buffer);
    double a = r[0] / 217000.0 + 1, b = r[1] / 47000.0 + 1;
    int colour = makecol((int)(150 * b), (int)(220 * a), 255);
    EXPECT_EQ(getpixel(back_buffer, 200, 300), colour);
    EXPECT_EQ(getpixel(back_buffer, 210, 296), colour);
    EXPECT_EQ(getpixel(back_buffer, 211, 296), 0);
    EXPECT_EQ(getpixel(back_buffer, 199, 300), 0);
    // Every draw stays in the pale blue range.
    for (int n = 0; n < 1000; n++) {
        int ra = game_rand(), rb = game_rand();
        int red = (int)(150 * (rb / 47000.0 + 1)), green = (int)(220 * (ra / 217000.0 + 1));
        ASSERT_GE(red, 150);
        ASSERT_LE(red, 254);
        ASSERT_GE(green, 220);
        ASSERT_LE(green, 253);
    }
}

TEST_F(WaterTest, JetFromTheHelicopterArcsDownAndPutsAFireOut) {
    // A wall of plain tiles with one fire, right of the helicopter.
    put_cell_at_screen(700, 384, FIRE);
    for (int y = 0; y < 768; y += 64) put_cell_at_screen(764, y, PLAIN);
    fire_build_list();
    ASSERT_EQ(fire_count, 1);
    fire_strength[((384 + scroll_y) / 64) * 14 + (700 - 64) / 64] = 40;
    mouse_b = 1;
    aim_x = 700;
    aim_y = 384;
    int frames = 0;
    while (fire_x[0] >= 0 && frames < 200) {
        water_spray_update();
        frames++;
    }
    EXPECT_LT(frames, 200);
    EXPECT_EQ(score, 10);
    mouse_b = 0;
    for (int frame = 0; frame < 100 && drop_count > 0; frame++) water_spray_update();
    EXPECT_EQ(drop_count, 0); // gravity always wins
}

} // namespace
