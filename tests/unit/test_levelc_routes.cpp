// The route check: every person needs a way to a beacon under the game's rules.
#include "test_levelc_util.h"

#include <gtest/gtest.h>

namespace {

using rows_t = std::map<int, std::string>;

TEST(LevelRoutes, FiresCountAsPutOut) {
    rows_t rows = small_building();
    rows[114] = "...=*=U=......  ...2..........";
    rows[113] = "...===|=......";
    EXPECT_TRUE(faults(mission_text(rows)).empty());
}

TEST(LevelRoutes, CatchesAPersonCutOffByAnOpenTile) {
    rows_t rows = small_building();
    rows[114] = "..=o==U=......  ..3...........";
    std::vector<std::string> f = faults(mission_text(rows));
    ASSERT_EQ(f.size(), 1u);
    EXPECT_EQ(f[0], "115:19: 3 people on this floor can never reach a beacon");
}

TEST(LevelRoutes, CatchesAFloorWithNoElevator) {
    rows_t rows = small_building();
    rows[117] = "....====......  .....1........";
    rows[118] = "..====........  ..2...........";
    std::vector<std::string> f = faults(mission_text(rows));
    ASSERT_EQ(f.size(), 2u);
    EXPECT_EQ(f[0], "118:22: 1 person on this floor can never reach a beacon");
    EXPECT_EQ(f[1], "119:19: 2 people on this floor can never reach a beacon");
}

TEST(LevelRoutes, AcceptsADetourThroughAnotherShaft) {
    // Row 114 is cut by a hole; the people left of it ride down in column 4 to row
    // 117 and come back up the main shaft in column 6.
    rows_t rows = {
        {110, "....^^BE^....."},
        {111, "....===|=....."},
        {112, "....===|=....."},
        {113, "....===|=....."},
        {114, "...=Do=U=.....  ...3.........."},
        {115, "....|==|=....."},
        {116, "....|==|=....."},
        {117, "....U==U=....."},
        {118, "....====......"},
        {119, "....====......"},
    };
    route_stats stats;
    EXPECT_TRUE(faults(mission_text(rows), &stats).empty());
    EXPECT_EQ(stats.longest_rides, 3);
    EXPECT_EQ(stats.longest_storeys, 3 + 3 + 4);
    // Without the main shaft below row 114 they only shuttle between the two floors.
    rows[115] = rows[116] = "....|====.....";
    rows[117] = "....U====.....";
    std::vector<std::string> f = faults(mission_text(rows));
    ASSERT_EQ(f.size(), 1u);
    EXPECT_EQ(f[0], "115:20: 3 people on this floor can never reach a beacon");
}

TEST(LevelRoutes, CatchesARideIntoADeadEnd) {
    // The door in column 9 takes people down to two floors whose elevator only
    // shuttles between them: whoever boards it is stranded for good.
    rows_t rows = small_building();
    rows[114] = "....==U===D...  ....2.........";
    rows[115] = "....====..|...";
    rows[116] = "....====..|...";
    rows[117] = "....====..D...";
    rows[118] = "....====..|...";
    rows[119] = "....====..U...";
    std::vector<std::string> f = faults(mission_text(rows));
    ASSERT_EQ(f.size(), 1u);
    EXPECT_EQ(f[0], "118:11: people arriving at this door can never reach a beacon");
}

TEST(LevelRoutes, ABeaconDoorCallsAcrossOpenTilesOfItsRow) {
    // The game lets people walk to a beacon door across open tiles of its row, so a
    // person on the roof beyond the parapet is not trapped.
    rows_t rows = small_building();
    rows[110] = "..=.^BE^......  ..1...........";
    EXPECT_TRUE(faults(mission_text(rows)).empty());
}

} // namespace
