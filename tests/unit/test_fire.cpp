// Fires and the water sprayer: strengths, the burning list, putting fires out, the
// fire sound, and the droplets' launch, flight and landing.
#include "hazards/hazards.h"
#include "shell/game_state.h"
#include "shell/rng.h"
#include "support/headless.h"
#include "support/test_map.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

enum { PLAIN, FIRE, BURNT, DOOR_UP, DOOR_DOWN, OPEN };
using ints = std::vector<int>;

struct HazardsTest : testing::Test {
    void SetUp() override {
        headless_make_resources();
        test_map_create(TEST_MAP_COLS, TEST_MAP_ROWS, {{0}, {1}, {0}, {2}, {3}, {4}});
        mission_col_offset = mission_end_timer = score = drop_count = 0, points1_midi = nullptr;
        scroll_y = 5000, heli_x = 512, heli_y = 384, aim_x = 600, aim_y = 200;
        game_srand(777), fire_roll_strengths();
    }
    void TearDown() override { map_free(), key[KEY_SPACE] = mouse_b = drop_count = 0; }
    static ints listed() { return {fire_x, fire_x + fire_count}; }
    static ints strengths() { return {fire_strength, fire_strength + BUILDING_TILES}; }
    static void drop(int i, double x, double y, double vx, double vy, int timer) {
        drop_x[i] = x, drop_y[i] = y, drop_vx[i] = vx, drop_vy[i] = vy, drop_timer[i] = timer;
        drop_count = std::max(drop_count, i + 1);
    }
};

TEST_F(HazardsTest, StrengthsListInScanOrderAndTheSthLandingPutsAFireOut) {
    game_srand(777);
    for (int i = 0; i < BUILDING_TILES; i++) ASSERT_EQ(fire_strength[i], game_rand() % 900 + 300);
    mission_col_offset = 14;
    const int cells[][2] = {{19, 2}, {15, 7}, {27, 2}, {14, 119}, {13, 2}, {28, 3}};
    for (const auto &c : cells) map_set_cell(c[0], c[1], FIRE);
    fire_build_list();
    EXPECT_EQ(listed(), (ints{416, 928, 160, 96}));
    EXPECT_EQ(ints(fire_y, fire_y + 4), (ints{160, 160, 480, 7648}));
    mission_col_offset = 0;
    test_map_fill(0, 0, 97, 119, PLAIN), test_map_fill(4, 10, 5, 10, FIRE);
    fire_build_list();
    fire_strength[10 * 14 + 4] = 300;
    midi_pos = 0; // with no tune loaded, starting the jingle sets it to -1
    for (int n = 1; n < 300; n++) fire_douse(4 * 64 + 10, 10 * 64 + 50);
    EXPECT_TRUE(map_get_cell(4, 10) == FIRE && midi_pos == 0);
    fire_douse(4 * 64 + 63, 10 * 64); // the 300th, anywhere on the tile
    EXPECT_TRUE(map_get_cell(4, 10) == BURNT && score == 10 && midi_pos != 0);
    EXPECT_EQ(listed(), (ints{-1, 416})); // the neighbour burns on
    midi_pos = 0;
    for (int n = 0; n < 50; n++) fire_douse(4 * 64, 10 * 64);
    EXPECT_TRUE(score == 10 && midi_pos == 0 && fire_strength[10 * 14 + 4] == 0);
    fire_roll_strengths(), fire_build_list(); // the next mission start lists what still burns
    EXPECT_EQ(listed(), ints{416});
}

TEST_F(HazardsTest, OverfullListAndLandingsOutsideTheBuildingWriteNothingAmiss) {
    test_map_fill(0, 0, 97, 119, FIRE), fire_build_list();
    ASSERT_EQ(fire_count, MAX_FIRES);
    EXPECT_TRUE(fire_x[1023] == 160 && fire_y[1023] == 73 * 64 + 32); // row 73, column 1
    const ints xs = listed(), before = strengths();
    const int outside[][2] = {{-1, 100},  {100, -1},    {896, 100},   {100, 7680},
                              {-64, -64}, {INT_MIN, 0}, {0, INT_MAX}, {895, 23040}};
    for (const auto &p : outside) fire_douse(p[0], p[1]);
    EXPECT_EQ(strengths(), before);
    fire_strength[BUILDING_TILES - 1] = 1, fire_douse(895, 7679); // unlisted, it still goes out
    EXPECT_TRUE(map_get_cell(13, 119) == BURNT && score == 10 && listed() == xs);
}

TEST_F(HazardsTest, FireSoundTermsSumAndVolume) {
    const int table[][2] = {{0, 2000}, {64, 66}, {100, 35}, {200, 13},
                            {500, 3},  {800, 1}, {1170, 0}, {100000, 0}};
    for (const auto &row : table) EXPECT_EQ(fire_sound_term(0, -row[0]), row[1]) << row[0];
    // Heard from (heli_x + 70, heli_y + 25 + scroll_y): one fire there, one a tile away.
    test_map_fill(3, 80, 4, 80, FIRE), fire_build_list();
    heli_x = 3 * 64 + 96 - 70, heli_y = 80 * 64 + 32 - 25 - scroll_y;
    EXPECT_EQ(fire_sound_sum(), 2066);
    for (int frame = 0; frame < 2000; frame++) {
        const uint32_t state = game_rand_state();
        const double f = game_rand() / (32768 / 1.3) - 0.15;
        game_srand(state);
        ASSERT_EQ(fire_sound_volume(), f <= 0 ? 0 : std::min(255, (int)(2066 * f)));
    }
}

TEST_F(HazardsTest, DropletsWorkedValuesAndTheSprayersLaunches) {
    // From (512, 384), aimed after the jitter 200 right, below, above, 488 right, 30 right, on.
    const double table[][5] = {{712, 384, 19.779, -4.0, 8}, {512, 584, 0.0, 15.779, 11},
                               {512, 184, 0.0, -23.779, 7}, {1000, 384, 19.779, -4.0, 8},
                               {542, 384, 2.121, -4.0, 5},  {512, 384, 0.0, -4.0, -1}};
    auto jitter = [](int r) { return (int)((r - 16384) / 1024.0); };
    for (const auto &row : table) {
        const uint32_t state = game_rand_state();
        const int r[4] = {game_rand(), game_rand(), game_rand(), game_rand()};
        game_srand(state), drop_count = 0;
        water_add_drop(512, 384, (int)row[0] - jitter(r[0]), (int)row[1] - jitter(r[1]));
        EXPECT_TRUE(fabs(drop_vx[0] - row[2]) < 5e-4 && fabs(drop_vy[0] - row[3]) < 5e-4 &&
                    drop_timer[0] == row[4] && drop_x[0] == r[2] * drop_vx[0] / 15700 + 512 &&
                    drop_y[0] == r[3] * drop_vy[0] / 15700 + 384)
            << row[0] << "," << row[1];
    }
    // Held, the sprayer launches 48 a frame up to 1024, but not at a door nor at the end.
    test_map_fill(0, 0, TEST_MAP_COLS - 1, TEST_MAP_ROWS - 1, OPEN);
    drop_count = 0, mouse_b = 1;
    for (int frame = 1; frame <= 30; frame++) {
        for (int i = 0; i < drop_count; i++) drop_y[i] = 100, drop_vy[i] = -2; // keep them up
        water_spray_update();
        ASSERT_EQ(drop_count, std::min(48 * frame, MAX_DROPS));
    }
    // Crosshair x, tile column (row 81), kind (3, 4 doors), fires: x 1 counts as column 0.
    const int aims[][4] = {
        {600, 8, 3, 0}, {600, 8, 4, 0}, {600, 8, 1, 1}, {1, 0, 3, 0}, {0, 0, 3, 1}};
    for (const auto &a : aims) {
        aim_x = a[0];
        map_set_cell(a[1], 81, a[2]);
        EXPECT_EQ(water_sprayer_fires(), a[3] == 1) << a[0] << " " << a[2];
    }
    mouse_b = 0, key[KEY_SPACE] = 1, mission_end_timer = 3, drop_count = 0;
    drop(0, 300, 100, 1.0, 0.0, 5), water_spray_update();
    EXPECT_TRUE(drop_count == 1 && drop_x[0] == 301.0); // the one in the air flies on
}

TEST_F(HazardsTest, DropletsLandOnTilesThatAreNotOpenOrLeaveAtTheBottom) {
    test_map_fill(0, 0, TEST_MAP_COLS - 1, TEST_MAP_ROWS - 1, OPEN);
    map_set_cell(3, 81, FIRE), fire_strength[81 * 14 + 3] = 5; // at screen (300, 200)
    drop(0, 300, 200, 0.0, -1.0, 2);
    ints counts;
    for (int frame = 0; frame < 3; frame++) water_update(back_buffer), counts.push_back(drop_count);
    EXPECT_EQ(counts, (ints{1, 1, 0}));
    EXPECT_EQ(fire_strength[81 * 14 + 3], 4);
    // Over open tiles, beside the building, above the roof it flies on; row 2 is solid.
    scroll_y = 0;
    drop(0, 300, 100, 0, 27, -5), drop(1, 63.9, 100, 0, 0, -5), drop(2, 960, 100, 0, 0, -5);
    drop(3, 300, -200, 0, 0, -5), map_set_cell(3, 2, PLAIN);
    counts.clear();
    for (int frame = 0; frame < 2; frame++) water_update(back_buffer), counts.push_back(drop_count);
    EXPECT_EQ(counts, (ints{4, 3})); // y 127, then 155
    // At the bottom of the screen droplets go; every droplet moves once a frame.
    drop_count = 0;
    for (int i = 0; i < 8; i++) drop(i, 300, 100, i + 0.25, 0.0, 50 + i);
    for (int i : {0, 3, 5, 7}) drop(i, 300, 767.0, i + 0.25, 1.0, 50 + i); // reach 768
    drop_y[2] = 766.5, water_update(back_buffer);
    ASSERT_EQ(drop_count, 4);
    const int order[4] = {6, 1, 2, 4}; // swap-with-last: 7, then 6 took slot 0; 5, then 4 slot 3
    for (int i = 0; i < 4; i++)
        EXPECT_TRUE((int)drop_vx[i] == order[i] && drop_x[i] == 300 + drop_vx[i] &&
                    drop_vy[i] == 1.0 && drop_timer[i] == 49 + order[i])
            << i;
}

} // namespace
