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

enum { PLAIN = 0, FIRE = 1, BURNT = 2, DOOR_UP = 3, OPEN = 4 };

struct FireTest : testing::Test {
    void SetUp() override {
        headless_make_resources();
        test_map_create(TEST_MAP_COLS, TEST_MAP_ROWS,
                        {{0}, {1}, {0}, {2}, {4}}); // plain, fire, burnt out, door, open
        mission_col_offset = 0;
        score = 0;
        scroll_y = 5000;
        heli_x = 512;
        heli_y = 384;
        points1_midi = nullptr;
        game_srand(777);
        fire_roll_strengths();
    }
    void TearDown() override { map_free(); }
    // Mission tile of a mission pixel's landing.
    static int mx_of(int col) { return col * 64 + 10; }
    static int my_of(int row) { return row * 64 + 50; }
    static int &strength(int col, int row) { return fire_strength[row * 14 + col]; }
    // The jingle restarts the music; with no tune loaded that marks the position as
    // stopped, which is what the tests watch.
    static void reset_jingle() { midi_pos = 0; }
    static bool jingle_played() { return midi_pos != 0; }
};

TEST_F(FireTest, StrengthsComeFromTheGeneratorInIndexOrder) {
    game_srand(4242);
    fire_roll_strengths();
    game_srand(4242);
    int low = 100000, high = 0;
    for (int i = 0; i < BUILDING_TILES; i++) {
        ASSERT_EQ(fire_strength[i], game_rand() % 900 + 300) << i;
        low = std::min(low, fire_strength[i]);
        high = std::max(high, fire_strength[i]);
    }
    EXPECT_GE(low, 300);
    EXPECT_LE(high, 1199);
    EXPECT_LT(low, 310); // the whole range is used
    EXPECT_GT(high, 1190);
}

TEST_F(FireTest, ListIsInScanOrderForTheMissionsSlice) {
    mission_col_offset = 14;
    map_set_cell(14 + 5, 2, FIRE);
    map_set_cell(14 + 1, 7, FIRE);
    map_set_cell(14 + 13, 2, FIRE);
    map_set_cell(14 + 0, 119, FIRE);
    map_set_cell(13, 2, FIRE);      // the previous mission's building
    map_set_cell(14 + 14, 3, FIRE); // the next one
    fire_build_list();
    ASSERT_EQ(fire_count, 4);
    EXPECT_EQ(fire_x[0], 64 * 5 + 96);
    EXPECT_EQ(fire_y[0], 64 * 2 + 32);
    EXPECT_EQ(fire_x[1], 64 * 13 + 96);
    EXPECT_EQ(fire_y[1], 64 * 2 + 32);
    EXPECT_EQ(fire_x[2], 64 * 1 + 96);
    EXPECT_EQ(fire_y[2], 64 * 7 + 32);
    EXPECT_EQ(fire_x[3], 96);
    EXPECT_EQ(fire_y[3], 64 * 119 + 32);
}

TEST_F(FireTest, AnimatedFireTilesCountAtTheirCurrentFrame) {
    map_anim anim = {};
    anim.type = ANIM_LOOP_FORWARD;
    anim.start = anim.current = 0;
    anim.end = 2;
    test_map_set_anims({FIRE, PLAIN}, {anim});
    map_set_cell(3, 4, -1);
    fire_build_list();
    ASSERT_EQ(fire_count, 1);
    EXPECT_EQ(fire_x[0], 64 * 3 + 96);
}

TEST_F(FireTest, FireGoesOutOnExactlyTheSthLanding) {
    map_set_cell(4, 10, FIRE);
    map_set_cell(5, 10, FIRE);
    fire_build_list();
    strength(4, 10) = 300;
    reset_jingle();
    for (int n = 1; n < 300; n++) fire_douse(mx_of(4), my_of(10));
    EXPECT_EQ(strength(4, 10), 1);
    EXPECT_EQ(map_get_cell(4, 10), FIRE);
    EXPECT_EQ(score, 0);
    EXPECT_FALSE(jingle_played());

    fire_douse(4 * 64 + 63, 10 * 64); // any pixel of the tile
    EXPECT_EQ(strength(4, 10), 0);
    EXPECT_EQ(map_get_cell(4, 10), BURNT);
    EXPECT_EQ(fire_x[0], -1);
    EXPECT_EQ(fire_y[0], 64 * 10 + 32);
    EXPECT_EQ(fire_x[1], 64 * 5 + 96); // the neighbour burns on
    EXPECT_EQ(score, 10);
    EXPECT_TRUE(jingle_played());

    // Once out, further landings change nothing: one score and one jingle per fire.
    reset_jingle();
    for (int n = 0; n < 50; n++) fire_douse(mx_of(4), my_of(10));
    EXPECT_EQ(score, 10);
    EXPECT_FALSE(jingle_played());
    EXPECT_EQ(strength(4, 10), 0);
    EXPECT_EQ(map_get_cell(4, 10), BURNT);
}

TEST_F(FireTest, LandingsOnOtherTilesChangeNothing) {
    map_set_cell(2, 2, DOOR_UP);
    map_set_cell(3, 2, OPEN);
    fire_build_list();
    int before[BUILDING_TILES];
    memcpy(before, fire_strength, sizeof before);
    fire_douse(mx_of(2), my_of(2));
    fire_douse(mx_of(3), my_of(2));
    fire_douse(mx_of(1), my_of(2));
    EXPECT_EQ(memcmp(before, fire_strength, sizeof before), 0);
    EXPECT_EQ(map_get_cell(2, 2), DOOR_UP);
    EXPECT_EQ(score, 0);
}

TEST_F(FireTest, DouseUsesTheMissionsColumns) {
    mission = 2;
    mission_col_offset = 28;
    map_set_cell(28 + 6, 50, FIRE);
    fire_build_list();
    strength(6, 50) = 1;
    fire_douse(mx_of(6), my_of(50));
    EXPECT_EQ(map_get_cell(28 + 6, 50), BURNT);
    EXPECT_EQ(fire_x[0], -1);
    EXPECT_EQ(score, 10);
    mission = 0;
}

TEST_F(FireTest, RebuiltListLeavesPutOutFiresOut) {
    map_set_cell(1, 1, FIRE);
    map_set_cell(2, 1, FIRE);
    fire_build_list();
    strength(1, 1) = 1;
    fire_douse(mx_of(1), my_of(1));
    ASSERT_EQ(fire_x[0], -1);
    fire_roll_strengths();
    fire_build_list();
    ASSERT_EQ(fire_count, 1);
    EXPECT_EQ(fire_x[0], 64 * 2 + 96);
}

TEST_F(FireTest, MoreFiresThanTheListHoldsStillBurnAndCanBePutOut) {
    test_map_fill(0, 0, 13, 79, FIRE); // 1120 fire tiles
    fire_build_list();
    ASSERT_EQ(fire_count, MAX_FIRES);
    // The 1024th in scan order is the last listed: row 73, column 1.
    EXPECT_EQ(fire_x[1023], 64 * 1 + 96);
    EXPECT_EQ(fire_y[1023], 64 * 73 + 32);

    // An unlisted fire goes out like any other and leaves the list alone.
    int xs[MAX_FIRES];
    memcpy(xs, fire_x, sizeof xs);
    strength(10, 79) = 2;
    fire_douse(mx_of(10), my_of(79));
    fire_douse(mx_of(10), my_of(79));
    EXPECT_EQ(map_get_cell(10, 79), BURNT);
    EXPECT_EQ(score, 10);
    EXPECT_EQ(memcmp(xs, fire_x, sizeof xs), 0);
    // The listed ones still go out through the list.
    strength(1, 73) = 1;
    fire_douse(mx_of(1), my_of(73));
    EXPECT_EQ(fire_x[1023], -1);
}

TEST_F(FireTest, DouseOutsideTheBuildingTouchesNothing) {
    test_map_fill(0, 0, 97, 119, FIRE);
    fire_build_list();
    int before[BUILDING_TILES];
    memcpy(before, fire_strength, sizeof before);
    const int positions[][2] = {{-1, 100},       {-64, 100},     {100, -1},      {100, -64},
                                {896, 100},      {100, 7680},    {5000, 5000},   {-30000, 7679},
                                {INT32_MIN, 0},  {0, INT32_MIN}, {INT32_MAX, 0}, {0, INT32_MAX},
                                {895, 7680 * 3}, {-895, -7679}};
    for (const auto &p : positions) fire_douse(p[0], p[1]);
    EXPECT_EQ(memcmp(before, fire_strength, sizeof before), 0);
    EXPECT_EQ(score, 0);
    // The corners themselves are inside.
    fire_douse(0, 0);
    fire_douse(895, 7679);
    EXPECT_EQ(fire_strength[0], before[0] - 1);
    EXPECT_EQ(fire_strength[BUILDING_TILES - 1], before[BUILDING_TILES - 1] - 1);
}

TEST_F(FireTest, SoundTermFallsSteeplyWithDistance) {
    const int table[][2] = {{0, 2000}, {64, 66}, {100, 35}, {200, 13},
                            {500, 3},  {800, 1}, {1170, 0}};
    for (const auto &row : table) {
        EXPECT_EQ(fire_sound_term(row[0], 0), row[1]) << row[0];
        EXPECT_EQ(fire_sound_term(0, -row[0]), row[1]) << row[0];
    }
    EXPECT_EQ(fire_sound_term(60, 80), fire_sound_term(100, 0));
    EXPECT_EQ(fire_sound_term(1162, 0), 1);
    EXPECT_EQ(fire_sound_term(1164, 0), 0);
    EXPECT_EQ(fire_sound_term(100000, 100000), 0); // far off: no overflow
}

TEST_F(FireTest, SoundSumListensFromTheHelicopter) {
    // Listening point: (heli_x + 70, heli_y + 25 + scroll_y).
    heli_x = 64 * 3 + 96 - 70;
    heli_y = 64 * 80 + 32 - 25 - scroll_y;
    map_set_cell(3, 80, FIRE);
    map_set_cell(4, 80, FIRE);
    map_set_cell(3, 90, FIRE);
    fire_build_list();
    EXPECT_EQ(fire_sound_sum(), 2000 + 66 + fire_sound_term(0, 640));
    strength(4, 80) = 1;
    fire_douse(mx_of(4), my_of(80));
    EXPECT_EQ(fire_sound_sum(), 2000 + fire_sound_term(0, 640));
}

TEST_F(FireTest, SoundVolumeCrackleAndClamp) {
    // No fire: silence whatever the draw.
    fire_build_list();
    EXPECT_EQ(fire_sound_volume(), 0);

    map_set_cell(6, 20, FIRE);
    fire_build_list();
    heli_x = 6 * 64 + 96 - 70 + 64; // one tile away: 66
    heli_y = 20 * 64 + 32 - 25 - scroll_y;
    int zero = 0, top = 0;
    for (int frame = 0; frame < 2000; frame++) {
        uint32_t state = game_rand_state();
        double f = game_rand() / (32768 / 1.3) - 0.15;
        game_srand(state);
        int expected = f < 0 ? 0 : (int)(66 * f);
        int volume = fire_sound_volume();
        ASSERT_EQ(volume, expected);
        zero += volume == 0;
        top = std::max(top, volume);
    }
    EXPECT_LE(top, 75);
    EXPECT_GT(zero, 100); // silent on about one frame in nine
    EXPECT_LT(zero, 400);

    // On the fire's centre the volume is clamped at 255 once f reaches 0.1275.
    heli_x -= 64;
    int full = 0;
    for (int frame = 0; frame < 2000; frame++) {
        uint32_t state = game_rand_state();
        double f = game_rand() / (32768 / 1.3) - 0.15;
        game_srand(state);
        int volume = fire_sound_volume();
        ASSERT_LE(volume, 255);
        if (f >= 0.1275) {
            ASSERT_EQ(volume, 255);
        }
        if (f < 0) {
            ASSERT_EQ(volume, 0);
        }
        full += volume == 255;
    }
    EXPECT_GT(full, 1500);
}

} // namespace
