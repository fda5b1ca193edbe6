// Fires: strengths, the burning list, putting fires out and the fire sound.
#include "hazards/hazards.h"
#include "map/map.h"
#include "shell/game_state.h"
#include "shell/rng.h"
#include "support/headless.h"
#include "support/test_map.h"

#include <cstring>
#include <gtest/gtest.h>

namespace {

enum { PLAIN = 0, FIRE = 1, BURNT = 2, DOOR = 3 };

struct FireTest : testing::Test {
    void SetUp() override {
        headless_make_resources();
        test_map_create(TEST_MAP_COLS, TEST_MAP_ROWS, {{0}, {1}, {0}, {2}});
        mission_col_offset = score = 0;
        scroll_y = 5000;
        points1_midi = nullptr;
        game_srand(777);
        fire_roll_strengths();
    }
    void TearDown() override { map_free(); }
    static void land_on(int col, int row) { fire_douse(col * 64 + 10, row * 64 + 50); }
    static int &strength(int col, int row) { return fire_strength[row * 14 + col]; }
    // With no tune loaded, starting the jingle marks the music position as stopped.
    static bool jingle_played() {
        bool played = midi_pos != 0;
        midi_pos = 0;
        return played;
    }
};

TEST_F(FireTest, StrengthsComeFromTheGeneratorInIndexOrder) {
    game_srand(777);
    for (int i = 0; i < BUILDING_TILES; i++) {
        ASSERT_EQ(fire_strength[i], game_rand() % 900 + 300) << i;
        ASSERT_TRUE(fire_strength[i] >= 300 && fire_strength[i] <= 1199);
    }
}

TEST_F(FireTest, ListIsTheMissionsSliceInScanOrder) {
    mission_col_offset = 14;
    const int cells[][2] = {{19, 2}, {15, 7}, {27, 2}, {14, 119}, {13, 2}, {28, 3}};
    for (const auto &c : cells) map_set_cell(c[0], c[1], FIRE);
    fire_build_list();
    ASSERT_EQ(fire_count, 4);
    const int expected[4][2] = {{416, 160}, {928, 160}, {160, 480}, {96, 7648}};
    for (int k = 0; k < 4; k++) {
        EXPECT_EQ(fire_x[k], expected[k][0]);
        EXPECT_EQ(fire_y[k], expected[k][1]);
    }
}

TEST_F(FireTest, FireGoesOutOnTheSthLandingWithOneScoreAndOneJingle) {
    map_set_cell(4, 10, FIRE);
    map_set_cell(5, 10, FIRE);
    map_set_cell(6, 10, DOOR);
    fire_build_list();
    strength(4, 10) = 300;
    int door = strength(6, 10);
    midi_pos = 0;
    for (int n = 1; n < 300; n++) land_on(4, 10);
    EXPECT_EQ(map_get_cell(4, 10), FIRE);
    EXPECT_FALSE(jingle_played());
    fire_douse(4 * 64 + 63, 10 * 64); // any pixel of the tile
    EXPECT_EQ(map_get_cell(4, 10), BURNT);
    EXPECT_EQ(fire_x[0], -1);
    EXPECT_EQ(fire_x[1], 416); // the neighbour burns on
    EXPECT_EQ(score, 10);
    EXPECT_TRUE(jingle_played());
    for (int n = 0; n < 50; n++) land_on(4, 10);
    land_on(6, 10);
    EXPECT_EQ(score, 10);
    EXPECT_FALSE(jingle_played());
    EXPECT_EQ(strength(4, 10), 0);
    EXPECT_EQ(strength(6, 10), door); // not a fire: untouched
    // The next mission start lists only what still burns.
    fire_roll_strengths();
    fire_build_list();
    ASSERT_EQ(fire_count, 1);
    EXPECT_EQ(fire_x[0], 416);
}

TEST_F(FireTest, MoreFiresThanTheListHoldsStillBurnAndCanBePutOut) {
    test_map_fill(0, 0, 13, 79, FIRE); // 1120 fire tiles
    fire_build_list();
    ASSERT_EQ(fire_count, MAX_FIRES);
    EXPECT_EQ(fire_x[1023], 160); // the 1024th: row 73, column 1
    EXPECT_EQ(fire_y[1023], 73 * 64 + 32);
    int xs[MAX_FIRES];
    memcpy(xs, fire_x, sizeof xs);
    strength(10, 79) = 1;
    land_on(10, 79);
    EXPECT_EQ(map_get_cell(10, 79), BURNT);
    EXPECT_EQ(score, 10);
    EXPECT_EQ(memcmp(xs, fire_x, sizeof xs), 0);
}

TEST_F(FireTest, DouseOutsideTheBuildingTouchesNothing) {
    test_map_fill(0, 0, 97, 119, FIRE);
    int before[BUILDING_TILES];
    memcpy(before, fire_strength, sizeof before);
    const int outside[][2] = {{-1, 100},  {100, -1},      {896, 100},     {100, 7680},
                              {-64, -64}, {INT32_MIN, 0}, {0, INT32_MAX}, {895, 3 * 7680}};
    for (const auto &p : outside) fire_douse(p[0], p[1]);
    EXPECT_EQ(memcmp(before, fire_strength, sizeof before), 0);
    fire_douse(895, 7679);
    EXPECT_EQ(fire_strength[BUILDING_TILES - 1], before[BUILDING_TILES - 1] - 1);
}

TEST_F(FireTest, SoundTermsSumAndVolume) {
    const int table[][2] = {{0, 2000}, {64, 66}, {100, 35}, {200, 13},
                            {500, 3},  {800, 1}, {1170, 0}};
    for (const auto &row : table) EXPECT_EQ(fire_sound_term(0, -row[0]), row[1]) << row[0];
    EXPECT_EQ(fire_sound_term(100000, 100000), 0);

    fire_build_list();
    EXPECT_EQ(fire_sound_volume(), 0); // no fire: silence
    // Listening from (heli_x + 70, heli_y + 25 + scroll_y): one fire on the point,
    // one a tile away.
    map_set_cell(3, 80, FIRE);
    map_set_cell(4, 80, FIRE);
    fire_build_list();
    heli_x = 3 * 64 + 96 - 70;
    heli_y = 80 * 64 + 32 - 25 - scroll_y;
    EXPECT_EQ(fire_sound_sum(), 2066);
    for (int frame = 0; frame < 2000; frame++) {
        uint32_t state = game_rand_state();
        double f = game_rand() / (32768 / 1.3) - 0.15;
        game_srand(state);
        int expected = f <= 0 ? 0 : std::min(255, (int)(2066 * f));
        ASSERT_EQ(fire_sound_volume(), expected);
    }
}

} // namespace
