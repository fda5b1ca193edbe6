// The mission text format and the compiler's checks: every refusal with its place and
// message, and the route check that catches people trapped for good.
#include "test_levelc_util.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

// Rows from..to-1 all written as text.
rows_t fill(int from, int to, const std::string &text) {
    rows_t rows;
    for (int r = from; r < to; r++) rows[r] = text;
    return rows;
}

// Faults of the small building with these rows replaced.
std::string faults_of(const rows_t &edits, const std::string &head = "") {
    rows_t rows = small_building();
    for (const auto &edit : edits) rows[edit.first] = edit.second;
    return faults(mission_text(rows, head));
}

struct refusal {
    rows_t edits;
    const char *faults; // "" when the mission passes
    const char *head = "";
};

const refusal REFUSALS[] = {
    // The text. Lines count comments and blank lines too; Windows line ends, tabs and
    // zeroes are read.
    {{{116, "....=Q==......"}},
     "121:6: unknown tile character 'Q'",
     "; a comment\n\ntitle: T\nstyle: brick\n"},
    {{{114, "....==U=......\t....2..0......\r"}}, "", "style: brick\r\n"},
    {{{116, "....====......\n.............."}},
     "121:1: a mission needs 120 rows, this file has 121"},
    {{{116, "; not a row"}}, "120:1: a mission needs 120 rows, this file has 119"},
    {{{116, "....===="}}, "117:9: a row needs 14 tiles, this one has 8"},
    {{{116, "....====......."}}, "117:15: a row needs 14 tiles, this one has 15"},
    {{{116, "....====......  ..1"}},
     "117:17: the people part needs 14 digits or '.', this one has 3"},
    {{{116, "....====......  ..a..........."}},
     "117:19: unknown people character 'a' (a digit or '.')"},
    {{{116, "....====......  .............. extra"}},
     "117:32: unexpected text after the people part"},
    {{},
     "1:8: unknown style 'plaid' (known: glass, sandstone, brick, concrete, night, copper, "
     "marble)",
     "style: plaid\n"},
    {{}, "1:1: unknown setting 'colour' (known: title, style)", "colour: red\n"},
    // Doors and shafts.
    {{{117, "....==D=......"}},
     "118:7: this door rides down, but there is no door below it in its column"},
    {{{116, "..U.====......"}},
     "117:3: this door rides up, but there is no door above it in its column"},
    {{{112, "....====......"}},
     "113:7: an elevator rides through this room: mark its shaft with '|'"},
    {{{117, "....==|=......"}},
     "118:7: a shaft tile must lie between two doors that an elevator rides"},
    // No elevator runs between a door riding up and a door below it riding down.
    {{{111, "....D=|=......"},
      {112, "....|=|=......"},
      {113, "....U=|=......"},
      {114, "....|=U=......  ....2........."},
      {116, "....D===......"},
      {117, "....|===......"},
      {118, "....U===......"}},
     "115:5: a shaft tile must lie between two doors that an elevator rides"},
    // People, fires and beacons.
    {{{110, "....^BE^......  .....1........"}},
     "111:22: people on a beacon tile at the start would never be collected"},
    {{{116, "....*===......  ....3........."}}, "117:21: people cannot start on a fire tile"},
    {{{116, "....o===......  ....3........."}},
     "117:21: people cannot start on an open tile (hole)"},
    {{{114, "....==U=......"}}, "1:1: the mission has no people"},
    {{{110, "....^^D^......"}}, "1:1: the mission has no beacon ('B' or 'E')"},
    {{{110, "B...^.E^......"}},
     "111:1: this beacon is out of reach: no beacon door 'E' within 8 tiles on its row without "
     "a gap"},
    // 16 rows of 64 people, then the 1025th is one of the small building's.
    {fill(20, 36, "==============  99999991000000"),
     "115:21: more than 1024 people in the mission"},
    // 73 rows of 14 fires, then the 1025th is the 3rd of the 74th row.
    {fill(20, 94, "**************"), "94:3: more than 1024 fire tiles in the mission"},
    // Routes: cut off by an open tile, on a floor without an elevator, or carried to
    // two floors whose elevator only shuttles between them.
    {{{114, "..=o==U=......  ..3..........."}},
     "115:19: 3 people on this floor can never reach a beacon"},
    {{{117, "....====......  .....1........"}},
     "118:22: 1 person on this floor can never reach a beacon"},
    {{{114, "....==U===D...  ....2........."},
      {115, "....====..|..."},
      {116, "....====..|..."},
      {117, "....====..D..."},
      {118, "....====..|..."},
      {119, "....====..U..."}},
     "118:11: people arriving at this door can never reach a beacon"},
    // Fires count as put out; a beacon door calls across the open tiles of its row.
    {{{113, "...===|=......"}, {114, "...=*=U=......  ...2.........."}}, ""},
    {{{110, "..=.^BE^......  ..1..........."}}, ""},
    // A detour: the people left of the hole ride down in column 3 and back up the main
    // shaft.
    {{{114, "..=D=oU=......  ..3..........."},
      {115, "...|==|=......"},
      {116, "...|==|=......"},
      {117, "...U==U=......"}},
     ""},
};

TEST(LevelRules, RefusesEachBrokenRuleAtItsPlaceAndPassesSoundMissions) {
    for (const refusal &r : REFUSALS) EXPECT_EQ(faults_of(r.edits, r.head), r.faults);
    // A file full of faults is reported in part.
    std::string many = faults(mission_text(fill(0, MISSION_ROWS, "QQQQQQQQQQQQQQ")));
    EXPECT_EQ(std::count(many.begin(), many.end(), '\n'), 19);

    // One digit cannot say more than 9 people; a mission made by other means can.
    mission m;
    std::vector<level_error> errors;
    ASSERT_TRUE(level_parse("m.txt", mission_text(small_building()), m, errors));
    m.tiles[116][5].people = 12;
    m.tiles[116][5].people_at = {117, 20};
    EXPECT_TRUE(!level_check_rules(m, errors) && errors.size() == 1);
    EXPECT_EQ(level_error_text(errors.at(0)), "m.txt:117:20: 12 people on one tile, at most 9 fit");
}

} // namespace
