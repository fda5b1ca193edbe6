// The game's check of its building map: maps the engine loads but the game cannot
// play are refused with a line that names the file and says what is wrong, before
// the start of play could read them; a playable map starts all seven missions.
#include "hazards/hazards.h"
#include "map/map.h"
#include "people/people.h"
#include "shell/game_map.h"
#include "shell/game_state.h"
#include "support/headless.h"
#include "support/temp_files.h"
#include "support/test_map.h"

#include "fmp/fmp_writer.h"

#include <fstream>
#include <gtest/gtest.h>

namespace {

struct GameMapTest : testing::Test {
    temp_dir dir;
    std::string path = dir.path + "/buildings.fmp";
    void SetUp() override { headless_make_resources(); }
    void TearDown() override { map_free(); }
    std::string load(const fmp::Map &m) {
        EXPECT_TRUE(fmp::write_file(path, m));
        return game_map_load(path.c_str());
    }
    std::string refusal(const std::string &problem) {
        return "cannot play the map \"" + path + "\": " + problem;
    }
};

TEST_F(GameMapTest, APlayableMapStartsEveryMission) {
    ASSERT_EQ(load(test_building()), "");
    for (mission = 0; mission < MISSION_COUNT; mission++) {
        resumed = 0;
        mission_start();
        EXPECT_TRUE(people_count == 2 && rescued_count == 0 && fire_count == 1) << mission;
    }
    mission = 0;
    EXPECT_EQ(load(test_building(112, 130)), "");                     // larger is fine
    EXPECT_EQ(game_map_load(data_path("buildings.fmp").c_str()), ""); // the game's own
}

TEST_F(GameMapTest, SmallNarrowAndWrongTileMapsAreRefusedAndUnloaded) {
    const std::string size_needed = " tiles; the game needs at least 98 x 120";
    const struct {
        fmp::Map map;
        std::string problem;
    } cases[] = {
        {test_building(98, 60), "the map is 98 x 60" + size_needed},
        {test_building(98, 119), "the map is 98 x 119" + size_needed},
        {test_building(14, 10), "the map is 14 x 10" + size_needed},
        {test_building(20, 120), "the map is 20 x 120" + size_needed},
        {test_building(1, 1), "the map is 1 x 1" + size_needed},
        {test_building(98, 120, 32, 32), "its tiles are 32 x 32 pixels; the game needs 64 x 64"},
        {test_building(98, 120, 64, 32), "its tiles are 64 x 32 pixels; the game needs 64 x 64"},
        {test_building(98, 120, 96, 96), "its tiles are 96 x 96 pixels; the game needs 64 x 64"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(load(c.map), refusal(c.problem));
        EXPECT_FALSE(map_layers[0] || map_blocks) << c.problem; // nothing left to read
    }
}

TEST_F(GameMapTest, StaggeredSpacedAndIncompleteMapsAreRefused) {
    fmp::Map spaced = test_building(), staggered = test_building(), few = test_building(),
             fire = test_building();
    spaced.header_size = staggered.header_size = 38;
    spaced.block_step_x = 72, spaced.block_step_y = 64;
    staggered.block_stagger_x = staggered.block_stagger_y = 32;
    few.blocks.resize(2);
    for (int16_t &cell : few.layers[0]) cell = (int16_t)(cell % 2);
    fire.blocks[TB_BURNT].user1 = 1;
    EXPECT_EQ(load(spaced),
              refusal("its tiles are spaced 72 x 64 pixels apart; the game needs 64 x 64"));
    EXPECT_EQ(load(staggered),
              refusal("its rows of tiles are staggered; the game needs straight rows"));
    EXPECT_EQ(load(few),
              refusal("it has 2 blocks; the game needs block 2, which replaces a fire put out"));
    EXPECT_EQ(load(fire), refusal("its block 2 is a fire; the game needs it to be the block that "
                                  "replaces a fire put out"));
    // Mission 4 without its beacon, then without its door.
    fmp::Map no_beacon = test_building(), no_door = test_building();
    no_beacon.layers[0][100 * 98 + 3 * 14 + 5] = TB_FLOOR;
    EXPECT_EQ(load(no_beacon),
              refusal("mission 4 has people but no beacon tile to rescue them from"));
    for (int r : {100, 101}) no_door.layers[0][r * 98 + 3 * 14 + 6] = TB_FLOOR;
    EXPECT_EQ(load(no_door), refusal("mission 4 has people but no elevator door to call them to"));
    fmp::Map in_fire = test_building(), in_the_sky = test_building();
    in_fire.blocks[TB_FIRE].user2 = 1;
    in_the_sky.blocks[TB_PEOPLE].user1 = 4;
    for (const fmp::Map &m : {in_fire, in_the_sky})
        EXPECT_EQ(load(m), refusal("mission 1 places people on a fire or an open tile, where "
                                   "nobody can stand"));
    // A mission without people needs neither.
    for (int r : {100, 101}) no_door.layers[0][r * 98 + 3 * 14 + 7] = TB_FLOOR;
    EXPECT_EQ(load(no_door), "");
}

TEST_F(GameMapTest, LoadFailuresSayWhatIsWrongWithTheCode) {
    const std::string name = "cannot load the map \"" + path + "\": ";
    EXPECT_EQ(game_map_load(path.c_str()),
              name + "the file cannot be opened (No such file or directory) (error 3)");
    std::vector<uint8_t> file = fmp::write(test_building());
    file.resize(file.size() / 2);
    std::ofstream(path, std::ios::binary).write((const char *)file.data(), (long)file.size());
    EXPECT_EQ(game_map_load(path.c_str()),
              name + "the file is damaged: not a map file, cut short, or with a part that does "
                     "not fit its size (error 2)");
}

} // namespace
