// The compiled map as the game loads it, the seven shipped missions, and the levelc
// program, which writes the map only when every mission passes.
#include "test_levelc_util.h"

#include "map/map.h"
#include "support/temp_files.h"

#include <allegro.h>
#include <cstring>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sys/wait.h>
#include <unistd.h>

namespace {

TEST(LevelMap, RoundTripPutsEveryTileKindAndPeopleCountWhereTheTextSaid) {
    rows_t rows = small_building();
    rows[114] = ".=#=x=U=*=D=#.  .1234567.89...";
    rows[115] = rows[116] = ".====o====|==.";
    rows[117] = ".==x======U==.";
    rows[118] = rows[119] = ".============.";
    std::vector<mission> missions(MISSION_COUNT); // all sky but the fourth
    std::vector<level_error> errors;
    ASSERT_TRUE(level_parse("m.txt", mission_text(rows), missions[3], errors));
    ASSERT_TRUE(level_check(missions[3], errors));
    temp_dir dir;
    ASSERT_TRUE(fmp::write_file(dir.path + "/b.fmp", level_build_map(missions)));
    ASSERT_EQ(map_load((dir.path + "/b.fmp").c_str()), 0) << "map_error " << map_error;

    EXPECT_EQ(std::vector<int>({map_type == 1 || map_type == 2, map_width, map_height, block_width,
                                block_height, block_step_x, block_step_y, block_stagger_x,
                                block_stagger_y}),
              std::vector<int>({true, 98, 120, 64, 64, 64, 64, 0, 0}));
    // Block 2 replaces a fire put out: a plain floor.
    EXPECT_TRUE(map_blocks[2].user1 == 0 && map_blocks[2].user2 == 0 && map_blocks[2].user3 == 0);
    for (int c = 0; c < map_width; c++)
        for (int r = 0; r < MISSION_ROWS; r++) {
            SCOPED_TRACE("column " + std::to_string(c) + " row " + std::to_string(r));
            std::string text = c / MISSION_COLS == 3 && rows.count(r) ? rows[r] : "";
            text.resize(16 + MISSION_COLS, '.');
            char ch = text[c % MISSION_COLS], digit = text[16 + c % MISSION_COLS];
            int cell = map_get_cell(c, r);
            std::vector<map_block *> shown;
            if (cell >= 0) shown.push_back(&map_blocks[cell]);
            for (int i = cell < 0 ? anim_table_end[cell].start : 0;
                 cell < 0 && i < anim_table_end[cell].end; i++)
                shown.push_back(&map_blocks[anim_frames[i]]);
            // Fires flicker over four frames or more, the beacon flashes, nothing else moves.
            size_t frames = ch == '*' ? 4 : strchr("BE", ch) ? 2 : 1;
            EXPECT_TRUE((cell < 0) == (frames > 1));
            ASSERT_GE(shown.size(), frames);
            EXPECT_TRUE(frames == 1 || shown[0]->bg_gfx != shown[1]->bg_gfx);
            bool masked = strchr(".o^BE", ch);
            size_t kind = std::string("*UDE.o^").find(ch); // user1 1 to 4, else a floor
            int user1 = kind == std::string::npos ? 0 : "1233444"[kind] - '0';
            for (map_block *b : shown) {
                EXPECT_EQ(b->user1, user1);
                EXPECT_EQ(b->user2, digit == '.' ? 0 : digit - '0');
                EXPECT_EQ(b->user3 != 0, ch == 'B' || ch == 'E');
                EXPECT_EQ((b->flags & BLOCK_TRANSPARENT) != 0, masked);
                EXPECT_EQ(b->bg_gfx == tile_bitmaps[0], ch == '.');
            }
        }
    map_free();
}

TEST(LevelShipped, SevenMissionsPassTheChecksAndMakeTheBuiltMap) {
    std::vector<mission> missions(MISSION_COUNT);
    for (int i = 0; i < MISSION_COUNT; i++) {
        std::string file = HIGHRISE_SOURCE_DIR "/levels/mission" + std::to_string(i + 1) + ".txt";
        SCOPED_TRACE(file);
        std::vector<level_error> errors;
        EXPECT_TRUE(level_read_file(file, missions[i], errors) && level_check(missions[i], errors));
        for (const level_error &e : errors) ADD_FAILURE() << level_error_text(e);
        // The view starts on rows 78 to 90: there is something to do there.
        int in_view = 0;
        for (int r = 78; r <= 90; r++)
            for (const mission_tile &t : missions[i].tiles[r]) in_view += t.people;
        EXPECT_GT(in_view, 0);
    }
    temp_dir dir;
    std::string built = HIGHRISE_DATA_DIR "/buildings.fmp";
    ASSERT_TRUE(fmp::write_file(dir.path + "/b.fmp", level_build_map(missions)));
    EXPECT_TRUE(file_bytes(dir.path + "/b.fmp") == file_bytes(built)) << "the build's map differs";
    ASSERT_EQ(map_load(built.c_str()), 0) << "map_error " << map_error;
    map_free();
}

TEST(LevelCli, ReportsEveryFaultAndWritesNothing) {
    temp_dir dir;
    rows_t rows = small_building();
    rows[116] = "..=o====......  ..4...........";
    std::string good = dir.path + "/good.txt", bad = dir.path + "/bad.txt";
    std::ofstream(good) << mission_text(small_building());
    std::ofstream(bad) << mission_text(rows);
    std::string missing = dir.path + "/nope.txt", out = dir.path + "/buildings.fmp";
    std::string args = " " + good + " " + good + " " + good + " " + bad + " " + missing + " " +
                       good + " " + good + " > " + dir.path + "/log 2>&1";
    int status = system((HIGHRISE_BUILD_DIR "/tools/levelc -o " + out + args).c_str());
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << status;
    EXPECT_EQ(file_bytes(dir.path + "/log"),
              bad + ":117:19: 4 people on this floor can never reach a beacon\n" + missing +
                  ": cannot read the file (No such file or directory)\n");
    EXPECT_TRUE(access(out.c_str(), F_OK) && access((out + ".part").c_str(), F_OK));
}

// A folder, an endless device and a file far larger than any mission are refused
// before they are read (the device would otherwise be read until memory runs out).
TEST(LevelCli, RefusesWhatIsNoLevelFileBeforeReadingIt) {
    temp_dir dir;
    std::string good = dir.path + "/good.txt", big = dir.path + "/big.txt";
    std::ofstream(good) << mission_text(small_building());
    std::ofstream(big) << std::string(LEVEL_FILE_MAX_BYTES + 1, '.');
    std::string args = " " + good + " " + dir.path + " /dev/zero " + big + " " + good + " " + good +
                       " " + good + " > " + dir.path + "/log 2>&1";
    int status =
        system((HIGHRISE_BUILD_DIR "/tools/levelc -o " + dir.path + "/b.fmp" + args).c_str());
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << status;
    EXPECT_EQ(file_bytes(dir.path + "/log"),
              dir.path + ": is a folder, not a level file\n/dev/zero: is not a regular file\n" +
                  big + ": is 65537 bytes; a level file has at most 65536\n");
}

} // namespace
