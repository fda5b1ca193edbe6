// Missions played through under the game's rules by the compiler's simple player.
#include "test_levelc_util.h"

#include <algorithm>
#include <dirent.h>
#include <gtest/gtest.h>

namespace {

mission parsed(const std::map<int, std::string> &rows) {
    mission m;
    std::vector<level_error> errors;
    EXPECT_TRUE(level_parse("m.txt", mission_text(rows), m, errors));
    return m;
}

TEST(LevelPlay, TheSmallBuildingTakesOneRideAndTwoPickups) {
    play_estimate e = level_estimate_play(parsed(small_building()));
    ASSERT_TRUE(e.finished);
    EXPECT_EQ(e.calls, 1);
    EXPECT_EQ(e.fires_out, 0);
    // Four storeys ride at a pixel a frame, then the helicopter's flight from its
    // parking place: more than 256 frames, well under a minute.
    EXPECT_GT(e.frames, 4 * 64);
    EXPECT_LT(e.frames, 60 * FRAMES_PER_SECOND);
}

TEST(LevelPlay, PeopleBehindAFireWaitUntilItIsOut) {
    std::map<int, std::string> rows = small_building();
    rows[114] = "..=*==U=......  ..5...........";
    rows[113] = "..====|=......";
    play_estimate e = level_estimate_play(parsed(rows));
    ASSERT_TRUE(e.finished);
    EXPECT_EQ(e.fires_out, 1);
}

TEST(LevelPlay, ACrowdLargerThanTheBeaconRidesBackAndComesAgain) {
    // Nine people and a beacon door with no pads beside it: three places.
    std::map<int, std::string> rows = small_building();
    rows[110] = "....^^E^......";
    rows[114] = "....==U=......  ....9.........";
    play_estimate e = level_estimate_play(parsed(rows));
    ASSERT_TRUE(e.finished);
    EXPECT_GT(e.rides_back, 0);
    EXPECT_GT(e.calls, 1);
}

TEST(LevelPlay, EveryShippedMissionIsFinishedWellWithinItsTime) {
    std::string dir = std::string(HIGHRISE_SOURCE_DIR) + "/levels";
    std::vector<std::string> files;
    if (DIR *d = opendir(dir.c_str())) {
        while (dirent *e = readdir(d)) {
            std::string name = e->d_name;
            if (name.size() > 4 && name.substr(name.size() - 4) == ".txt")
                files.push_back(dir + "/" + name);
        }
        closedir(d);
    }
    ASSERT_EQ(files.size(), (size_t)MISSION_COUNT);
    for (const std::string &file : files) {
        mission m;
        std::vector<level_error> errors;
        ASSERT_TRUE(level_read_file(file, m, errors)) << file;
        for (unsigned seed : {1u, 2u, 3u}) {
            play_estimate e = level_estimate_play(m, seed);
            EXPECT_TRUE(e.finished) << file;
            // A third of the 30 minutes leaves room for a slower player.
            EXPECT_LT(e.frames, MISSION_FRAMES / 3) << file;
        }
    }
}

} // namespace
