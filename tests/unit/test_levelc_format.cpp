// The mission text format and the compiler's refusals, each with its message.
#include "test_levelc_util.h"

#include <gtest/gtest.h>

namespace {

using rows_t = std::map<int, std::string>;

rows_t with(rows_t rows, int row, const std::string &text) {
    rows[row] = text;
    return rows;
}

// The first fault, or "" when the mission passes.
std::string first_fault(const rows_t &rows, const std::string &head = "") {
    std::vector<std::string> f = faults(mission_text(rows, head));
    return f.empty() ? "" : f[0];
}

TEST(LevelFormat, ReadsTilesPeopleSettingsAndComments) {
    std::string head = "; a comment line\n\ntitle: Test Tower\nstyle: brick\n";
    rows_t rows = small_building();
    rows[114] = "....==U=......  ....2...9.....  ; two here, nine there";
    rows[116] = "....=#*o.....x";
    mission m;
    std::vector<level_error> errors;
    ASSERT_TRUE(level_parse("m.txt", mission_text(rows, head), m, errors));
    EXPECT_EQ(m.title, "Test Tower");
    EXPECT_EQ(m.style, 2);
    EXPECT_EQ(m.first_row_line, 5);
    EXPECT_EQ(m.tiles[110][5].kind, KIND_BEACON_PAD);
    EXPECT_EQ(m.tiles[110][6].kind, KIND_BEACON_DOOR);
    EXPECT_EQ(m.tiles[110][4].kind, KIND_ROOF);
    EXPECT_EQ(m.tiles[112][6].kind, KIND_SHAFT);
    EXPECT_EQ(m.tiles[114][6].kind, KIND_DOOR_UP);
    EXPECT_EQ(m.tiles[116][5].kind, KIND_WALL);
    EXPECT_EQ(m.tiles[116][6].kind, KIND_FIRE);
    EXPECT_EQ(m.tiles[116][7].kind, KIND_HOLE);
    EXPECT_EQ(m.tiles[116][13].kind, KIND_BURNT);
    EXPECT_EQ(m.tiles[0][0].kind, KIND_SKY);
    EXPECT_EQ(m.tiles[114][4].people, 2);
    EXPECT_EQ(m.tiles[114][8].people, 9);
    EXPECT_EQ(m.tiles[114][6].people, 0);
    // Positions count the file's own lines, comments and blank lines included.
    EXPECT_EQ(m.tiles[114][4].at.line, 5 + 114);
    EXPECT_EQ(m.tiles[114][4].at.column, 5);
    EXPECT_EQ(m.tiles[114][4].people_at.column, 21);
}

TEST(LevelFormat, RefusesMalformedText) {
    rows_t rows = small_building();
    EXPECT_EQ(first_fault(with(rows, 116, "....=Q==......")), "117:6: unknown tile character 'Q'");
    EXPECT_EQ(first_fault(with(rows, 116, "....====")),
              "117:9: a row needs 14 tiles, this one has 8");
    EXPECT_EQ(first_fault(with(rows, 116, "....====.......")),
              "117:15: a row needs 14 tiles, this one has 15");
    EXPECT_EQ(first_fault(with(rows, 116, "....====......  ..1")),
              "117:17: the people part needs 14 digits or '.', this one has 3");
    EXPECT_EQ(first_fault(with(rows, 116, "....====......  ..a...........")),
              "117:19: unknown people character 'a' (a digit or '.')");
    EXPECT_EQ(first_fault(with(rows, 116, "....====......  .............. extra")),
              "117:32: unexpected text after the people part");
    EXPECT_EQ(first_fault(rows, "style: plaid\n"),
              "1:8: unknown style 'plaid' (known: glass, sandstone, brick, concrete, night, "
              "copper, marble)");
    EXPECT_EQ(first_fault(rows, "colour: red\n"),
              "1:1: unknown setting 'colour' (known: title, style)");

    std::string text = mission_text(rows);
    EXPECT_EQ(faults(text + "..............\n")[0],
              "121:1: a mission needs 120 rows, this file has 121");
    std::string short_text = text.substr(0, text.size() - 15);
    EXPECT_EQ(faults(short_text)[0], "119:1: a mission needs 120 rows, this file has 119");
}

TEST(LevelRules, RefusesDoorsWithoutPartners) {
    rows_t rows = small_building();
    rows[117] = "....==D=......";
    EXPECT_EQ(first_fault(rows),
              "118:7: this door rides down, but there is no door below it in its column");
    rows = small_building();
    rows[116] = "..U.====......";
    EXPECT_EQ(first_fault(rows),
              "117:3: this door rides up, but there is no door above it in its column");
}

TEST(LevelRules, RefusesShaftsThatDoNotJoinTheirDoors) {
    rows_t rows = small_building();
    rows[112] = "....====......";
    EXPECT_EQ(first_fault(rows),
              "113:7: an elevator rides through this room: mark its shaft with '|'");
    rows = small_building();
    rows[117] = "....==|=......";
    EXPECT_EQ(first_fault(rows),
              "118:7: a shaft tile must lie between two doors that an elevator rides");
    // Between a door riding up and a door below it riding down no elevator runs.
    rows = small_building();
    rows[111] = "....D=|=......";
    rows[112] = "....|=|=......";
    rows[113] = "....U=|=......";
    rows[114] = "....|=U=......  ....2.........";
    rows[116] = "....D===......";
    rows[117] = "....|===......";
    rows[118] = "....U===......";
    EXPECT_EQ(first_fault(rows),
              "115:5: a shaft tile must lie between two doors that an elevator rides");
}

TEST(LevelRules, RefusesPeopleWhereTheyCannotStart) {
    rows_t rows = small_building();
    rows[110] = "....^BE^......  .....1........";
    EXPECT_EQ(first_fault(rows),
              "111:22: people on a beacon tile at the start would never be collected");
    rows = small_building();
    rows[116] = "....*===......  ....3.........";
    EXPECT_EQ(first_fault(rows), "117:21: people cannot start on a fire tile");
    rows = small_building();
    rows[116] = "....o===......  ....3.........";
    EXPECT_EQ(first_fault(rows), "117:21: people cannot start on an open tile (hole)");
    rows = small_building();
    rows[116] = "....====......  ...1..........";
    EXPECT_EQ(first_fault(rows), "117:20: people cannot start on an open tile (sky)");
}

TEST(LevelRules, RefusesMissionsWithoutPeopleOrBeacon) {
    rows_t rows = small_building();
    rows[114] = "....==U=......";
    EXPECT_EQ(first_fault(rows), "1:1: the mission has no people");
    rows = small_building();
    rows[110] = "....^^D^......";
    EXPECT_EQ(first_fault(rows), "1:1: the mission has no beacon ('B' or 'E')");
    rows = small_building();
    rows[110] = "B...^.E^......";
    EXPECT_EQ(first_fault(rows),
              "111:1: this beacon is out of reach: no beacon door 'E' within 8 tiles on its row "
              "without a gap");
}

TEST(LevelRules, RefusesTooManyPeopleOrFires) {
    // 9 rows of 126 people: the 1025th person stands on the 9th row.
    rows_t rows = small_building();
    for (int r = 100; r < 109; r++) rows[r] = "==============  99999999999999";
    EXPECT_EQ(first_fault(rows), "109:18: more than 1024 people in the mission");

    rows = small_building();
    for (int r = 20; r < 94; r++) rows[r] = "**************";
    // 74 rows of 14 fires: the 1025th is the 3rd fire of the 74th row.
    EXPECT_EQ(first_fault(rows), "94:3: more than 1024 fire tiles in the mission");
}

TEST(LevelRules, RefusesMoreThanNinePeopleOnATile) {
    // One digit a tile cannot say more than 9; a mission made by other means can.
    mission m;
    std::vector<level_error> errors;
    ASSERT_TRUE(level_parse("m.txt", mission_text(small_building()), m, errors));
    m.tiles[116][5].people = 12;
    m.tiles[116][5].people_at = {117, 20};
    EXPECT_FALSE(level_check_rules(m, errors));
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(level_error_text(errors[0]), "m.txt:117:20: 12 people on one tile, at most 9 fit");
}

TEST(LevelRules, AcceptsTheSmallBuildingAndReportsItsFigures) {
    route_stats stats;
    EXPECT_TRUE(faults(mission_text(small_building()), &stats).empty());
    EXPECT_EQ(stats.people, 2);
    EXPECT_EQ(stats.doors, 2);
    EXPECT_EQ(stats.shafts, 1);
    EXPECT_EQ(stats.beacon_row, 110);
    EXPECT_EQ(stats.top_row, 110);
    EXPECT_EQ(stats.longest_rides, 1);
    EXPECT_EQ(stats.longest_storeys, 4);
}

TEST(LevelRules, FindsThePartnerInTheRideDirection) {
    mission m;
    std::vector<level_error> errors;
    rows_t rows = small_building();
    rows[118] = "....==U=......";
    rows[117] = "....==|=......";
    rows[116] = "....==|=......";
    rows[115] = "....==|=......";
    ASSERT_TRUE(level_parse("m.txt", mission_text(rows), m, errors));
    EXPECT_EQ(level_partner_row(m, 6, 118), 114);
    EXPECT_EQ(level_partner_row(m, 6, 114), 110);
    EXPECT_EQ(level_partner_row(m, 6, 110), 114);
    EXPECT_EQ(level_partner_row(m, 6, 116), -1);
}

} // namespace
