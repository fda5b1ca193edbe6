// The saved game: its bytes, the round trip through place_people, saves that fail,
// and damaged files, which must change nothing.
#include "map/map.h"
#include "people/people.h"
#include "shell/game_state.h"
#include "shell/saved_game.h"
#include "support/headless.h"
#include "support/test_map.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
using bytes = std::vector<uint8_t>;

enum { B_FLOOR, B_FIRE, B_BURNT, B_BEACON, B_DOOR_UP, BLOCKS };

bytes read_file(const char *name) {
    std::ifstream in(name, std::ios::binary);
    return bytes(std::istreambuf_iterator<char>(in), {});
}

void write_file(const char *name, const bytes &data) {
    std::ofstream out(name, std::ios::binary | std::ios::trunc);
    out.write((const char *)data.data(), (std::streamsize)data.size());
}

int32_t le32(const bytes &b, size_t at) {
    return (int32_t)((uint32_t)b[at] | (uint32_t)b[at + 1] << 8 | (uint32_t)b[at + 2] << 16 |
                     (uint32_t)b[at + 3] << 24);
}

void set_le32(bytes &b, size_t at, int32_t value) {
    for (int i = 0; i < 4; i++) b[at + i] = (uint8_t)((uint32_t)value >> (8 * i));
}

size_t tile_at(int row, int col) {
    return 12 + (size_t)(row * 14 + col) * 8;
}
size_t record_at(int n) {
    return 13460 + (size_t)n * 40;
}

// A person walking to a door, as a call to the elevator leaves it.
person in_transit(int seed) {
    person p{};
    p.face = (uint8_t)(seed % 10);
    p.body = (uint8_t)((seed + 3) % 10);
    p.legs = (uint8_t)((seed + 7) % 10);
    p.body_flip = 1;
    p.x = 100 + seed;
    p.y = 64 * 40 + 58;
    p.slot_col = 1;
    p.slot_row = 2;
    p.target_x = 64 + 64 * 5 + 23;
    p.target_y = 64 * 40 + 54;
    p.origin_y = 64 * 12 + 54;
    p.state = PERSON_TO_ELEVATOR;
    p.pose = POSE_WALK_RIGHT;
    p.status = STATUS_IN_TRANSIT;
    p.frame = 3;
    p.frame_delay = 2;
    return p;
}

// Everything a load may change, to prove that a refused file changed none of it.
struct game_snapshot {
    int mission, score, time_bonus, resumed, rescued, count, transit;
    time_t start;
    std::vector<unsigned> grid;
    bytes table;
    std::vector<int16_t> cells;

    static game_snapshot take() {
        game_snapshot s;
        s.mission = ::mission;
        s.score = ::score;
        s.time_bonus = ::time_bonus;
        s.resumed = ::resumed;
        s.rescued = rescued_count;
        s.count = people_count;
        s.transit = loaded_transit_count;
        s.start = mission_start_time;
        s.grid.assign(slot_grid, slot_grid + 120 * 14);
        s.table.assign((const uint8_t *)people, (const uint8_t *)people + sizeof people);
        s.cells.assign(map_layers[0], map_layers[0] + map_width * map_height);
        return s;
    }
    bool operator==(const game_snapshot &o) const {
        return mission == o.mission && score == o.score && time_bonus == o.time_bonus &&
               resumed == o.resumed && rescued == o.rescued && count == o.count &&
               transit == o.transit && start == o.start && grid == o.grid && table == o.table &&
               cells == o.cells;
    }
};

struct SavedGameTest : testing::Test {
    fs::path old_dir, dir;

    void SetUp() override {
        headless_make_resources();
        old_dir = fs::current_path();
        char name[] = "/tmp/highrise-save-XXXXXX";
        ASSERT_NE(mkdtemp(name), nullptr);
        dir = name;
        fs::current_path(dir);

        std::vector<test_block> blocks(BLOCKS);
        blocks[B_FIRE].user1 = 1;
        blocks[B_BEACON].user3 = 1;
        blocks[B_DOOR_UP].user1 = 2;
        test_map_create(TEST_MAP_COLS, TEST_MAP_ROWS, blocks);
        // Cell -1 is an animation showing block 0 or 2.
        test_map_set_anims({B_FLOOR, B_BURNT}, {map_anim{ANIM_LOOP_FORWARD, 0, 0, 0, 0, 0, 2}});

        mission = 2;
        score = 4321;
        time_bonus = 9000;
        mission_start_time = 0;
        resumed = false;
        memset(people, 0, sizeof people);
        memset(slot_grid, 0, sizeof slot_grid);
        people_count = rescued_count = loaded_transit_count = pickup_count = 0;
    }
    void TearDown() override {
        fs::current_path(old_dir);
        fs::remove_all(dir);
        map_free();
        memset(people, 0, sizeof people);
        memset(slot_grid, 0, sizeof slot_grid);
        people_count = rescued_count = loaded_transit_count = pickup_count = 0;
        mission = 0;
        resumed = false;
    }
    int col(int c) { return mission * 14 + c; }
};

TEST_F(SavedGameTest, SaveWithNobodyInTransitIsTheHeaderAlone) {
    score = 0x01020304;
    time_bonus = 12345;
    map_set_cell(col(3), 5, B_FIRE);
    slot_grid[5 * 14 + 3] = 0x1ff;
    map_set_cell(col(0), 0, -1);
    map_set_cell(col(13), 119, B_BEACON);
    people_count = 4;
    rescued_count = 2;
    people[0].status = STATUS_IN_SLOT;
    people[1].status = STATUS_RESCUED;
    people[2].status = STATUS_IN_SLOT;
    people[3].status = STATUS_RESCUED;

    ASSERT_TRUE(save_game());
    bytes b = read_file(SAVED_GAME_FILE);
    ASSERT_EQ(b.size(), 13460u);
    EXPECT_EQ(bytes(b.begin(), b.begin() + 8), (bytes{2, 0, 0, 0, 4, 3, 2, 1}));
    EXPECT_EQ(le32(b, 8), 12345);
    EXPECT_EQ(le32(b, tile_at(5, 3)), B_FIRE);
    EXPECT_EQ(le32(b, tile_at(5, 3) + 4), 0x1ff);
    // An animated cell is its negative reference, sign-extended.
    EXPECT_EQ(bytes(b.begin() + 12, b.begin() + 16), (bytes{0xff, 0xff, 0xff, 0xff}));
    EXPECT_EQ(le32(b, tile_at(119, 13)), B_BEACON);
    EXPECT_EQ(le32(b, 13452), 2);
    EXPECT_EQ(le32(b, 13456), 4);
    EXPECT_FALSE(fs::exists(SAVED_GAME_TEMP_FILE));
}

TEST_F(SavedGameTest, EachPersonInTransitAddsItsRawRecordInTableOrder) {
    people_count = 6;
    for (int i = 0; i < 6; i++) people[i].status = STATUS_IN_SLOT;
    people[1] = in_transit(1);
    people[4] = in_transit(4);
    people[4].gap1[0] = 0xab; // the gaps go out as they are
    people[5] = in_transit(5);
    people[7] = in_transit(7); // beyond people_count: not part of the mission

    ASSERT_TRUE(save_game());
    bytes b = read_file(SAVED_GAME_FILE);
    ASSERT_EQ(b.size(), 13460u + 3 * 40);
    EXPECT_EQ(memcmp(&b[record_at(0)], &people[1], 40), 0);
    EXPECT_EQ(memcmp(&b[record_at(1)], &people[4], 40), 0);
    EXPECT_EQ(memcmp(&b[record_at(2)], &people[5], 40), 0);
}

TEST_F(SavedGameTest, ResumeRestoresTheMissionSliceAndTheCounters) {
    map_set_cell(col(0), 0, -1);
    map_set_cell(col(4), 7, B_BURNT);
    map_set_cell(col(9), 30, B_FIRE);
    slot_grid[7 * 14 + 4] = 0x15;
    people_count = 12;
    rescued_count = 3;
    time_bonus = 9000;
    ASSERT_TRUE(save_game());

    // The map is loaded afresh before "Resume"; another mission's slice is not touched.
    test_map_fill(0, 0, TEST_MAP_COLS - 1, TEST_MAP_ROWS - 1, B_FLOOR);
    map_set_cell(col(14), 7, B_FIRE);
    memset(slot_grid, 0, sizeof slot_grid);
    mission = 0;
    score = 0;
    people_count = rescued_count = 0;
    time_t before = time(nullptr);
    ASSERT_TRUE(load_saved_game());
    time_t after = time(nullptr);

    EXPECT_EQ(mission, 2);
    EXPECT_EQ(score, 4321);
    EXPECT_EQ(time_bonus, 9000);
    EXPECT_TRUE(resumed);
    EXPECT_EQ(map_get_cell(col(0), 0), -1);
    EXPECT_EQ(map_get_cell(col(4), 7), B_BURNT);
    EXPECT_EQ(map_get_cell(col(9), 30), B_FIRE);
    EXPECT_EQ(map_get_cell(col(14), 7), B_FIRE);
    EXPECT_EQ(slot_grid[7 * 14 + 4], 0x15u);
    EXPECT_EQ(people_count, 12);
    EXPECT_EQ(rescued_count, 3);
    EXPECT_EQ(loaded_transit_count, 0);
    EXPECT_GE(mission_start_time, before + 900 - 1800);
    EXPECT_LE(mission_start_time, after + 900 - 1800);
    for (const person &p : people) ASSERT_EQ(p.hidden, 0xff);
    // Resuming leaves the file for another resume.
    EXPECT_EQ(read_file(SAVED_GAME_FILE).size(), 13460u);
    EXPECT_TRUE(load_saved_game());
}

// 30 people, 5 rescued, 3 in transit and 22 slot bits: entries 0 to 2 are the loaded
// records, 3 to 24 the rebuilt standing people, 25 to 29 vacant.
TEST_F(SavedGameTest, ResumeExampleKeepsEveryCounterAndEntry) {
    slot_grid[10 * 14 + 0] = 0x1ff;
    slot_grid[10 * 14 + 1] = 0x1ff;
    slot_grid[50 * 14 + 7] = 0x10e;
    people_count = 30;
    rescued_count = 5;
    for (int i = 0; i < 30; i++) people[i].status = i < 22 ? STATUS_IN_SLOT : STATUS_RESCUED;
    people[3] = in_transit(3);
    people[11] = in_transit(11);
    people[29] = in_transit(29);
    person saved[3] = {people[3], people[11], people[29]};
    ASSERT_TRUE(save_game());

    memset(people, 0x5a, sizeof people);
    people_count = rescued_count = 0;
    ASSERT_TRUE(load_saved_game());
    EXPECT_EQ(loaded_transit_count, 3);
    place_people(1);

    EXPECT_EQ(people_count, 30);
    EXPECT_EQ(rescued_count, 5);
    for (int i = 0; i < 3; i++) EXPECT_EQ(memcmp(&people[i], &saved[i], 40), 0) << i;
    for (int i = 3; i < 25; i++) {
        EXPECT_EQ(people[i].status, STATUS_IN_SLOT) << i;
        EXPECT_EQ(people[i].hidden, 0) << i;
    }
    // The last tile's bits 1 to 3 and 8, lowest first.
    EXPECT_EQ(people[21].slot_col + 3 * people[21].slot_row, 1);
    EXPECT_EQ(people[24].slot_col + 3 * people[24].slot_row, 8);
    for (int i = 25; i < 30; i++) EXPECT_EQ(people[i].hidden, 0xff) << i;
    EXPECT_EQ(pickup_count, 0);
}

TEST_F(SavedGameTest, FullBeaconTileRebuildsThreeQueuedPeople) {
    map_set_cell(col(6), 20, B_BEACON);
    slot_grid[20 * 14 + 6] = 0x1ff;
    people_count = 3;
    ASSERT_TRUE(save_game());
    slot_grid[20 * 14 + 6] = 0;
    people_count = 0;
    ASSERT_TRUE(load_saved_game());
    place_people(1);

    ASSERT_EQ(people_count, 3);
    ASSERT_EQ(pickup_count, 3);
    for (int i = 0; i < 3; i++) {
        EXPECT_EQ(pickup_queue[i], i);
        EXPECT_EQ(people[i].slot_row, 0);
        EXPECT_EQ(people[i].slot_col, i);
        EXPECT_EQ(people[i].y, 64 * 20 + 61); // a beacon tile's people stand unjittered
    }
    EXPECT_EQ(slot_grid[20 * 14 + 6], 0x1ffu);
}

TEST_F(SavedGameTest, SavingTwiceKeepsTheSecondSave) {
    score = 111;
    ASSERT_TRUE(save_game());
    score = 222;
    people_count = 1;
    people[0] = in_transit(0);
    ASSERT_TRUE(save_game());
    EXPECT_EQ(read_file(SAVED_GAME_FILE).size(), 13460u + 40);
    score = 0;
    ASSERT_TRUE(load_saved_game());
    EXPECT_EQ(score, 222);
    EXPECT_EQ(loaded_transit_count, 1);
}

// A save that fails leaves the previous one as it was, and no temporary file.
TEST_F(SavedGameTest, FailedSaveKeepsThePreviousSave) {
    score = 111;
    ASSERT_TRUE(save_game());
    const bytes first = read_file(SAVED_GAME_FILE);
    score = 222;

    // The disk fills up part-way through the file.
    rlimit old_limit;
    getrlimit(RLIMIT_FSIZE, &old_limit);
    rlimit small = old_limit;
    small.rlim_cur = 5000;
    auto old_handler = signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    bool saved = save_game();
    setrlimit(RLIMIT_FSIZE, &old_limit);
    signal(SIGXFSZ, old_handler);
    EXPECT_FALSE(saved);
    EXPECT_EQ(read_file(SAVED_GAME_FILE), first);
    EXPECT_FALSE(fs::exists(SAVED_GAME_TEMP_FILE));

    // The temporary file cannot be created.
    fs::create_directory(SAVED_GAME_TEMP_FILE);
    EXPECT_FALSE(save_game());
    EXPECT_EQ(read_file(SAVED_GAME_FILE), first);
    fs::remove(SAVED_GAME_TEMP_FILE);

    // Nothing can be created in the folder at all.
    fs::path gone = dir / "gone";
    fs::create_directory(gone);
    fs::current_path(gone);
    fs::remove(gone);
    EXPECT_FALSE(save_game());
    fs::current_path(dir);
    EXPECT_EQ(read_file(SAVED_GAME_FILE), first);
}

TEST_F(SavedGameTest, ResumeWithoutAFileChangesNothing) {
    game_snapshot before = game_snapshot::take();
    EXPECT_FALSE(load_saved_game());
    EXPECT_TRUE(game_snapshot::take() == before);
    EXPECT_FALSE(resumed);
}

// Every damaged file is refused whole: the state and the file stay as they were.
TEST_F(SavedGameTest, DamagedFilesAreRefusedAndLeftOnDisk) {
    map_set_cell(col(2), 2, B_BURNT);
    people_count = 4;
    rescued_count = 1;
    people[0] = in_transit(0);
    people[2] = in_transit(2);
    ASSERT_TRUE(save_game());
    const bytes good = read_file(SAVED_GAME_FILE);
    ASSERT_EQ(good.size(), 13460u + 80);

    auto field = [](size_t at, int32_t value) { return [=](bytes &b) { set_le32(b, at, value); }; };
    auto byte = [](size_t at, uint8_t value) { return [=](bytes &b) { b[at] = value; }; };
    auto resize = [](size_t size) { return [=](bytes &b) { b.resize(size, 0); }; };
    const size_t rec = record_at(1);
    struct damage {
        const char *what;
        std::function<void(bytes &)> apply;
    };
    const damage cases[] = {
        {"mission 7", field(0, 7)},
        {"mission -1", field(0, -1)},
        {"negative score", field(4, -5)},
        {"negative time bonus", field(8, -10)},
        {"time bonus above 30 minutes", field(8, 18001)},
        {"slot word with bit 9", field(tile_at(3, 3) + 4, 0x200)},
        {"slot word with the top bit", field(tile_at(119, 13) + 4, (int32_t)0x80000000u)},
        {"cell past the block table", field(tile_at(1, 1), BLOCKS)},
        {"cell past the animation table", field(tile_at(1, 1), -2)},
        {"cell beyond 16 bits", field(tile_at(1, 1), 0x10000)},
        {"rescued_count -1", field(13452, -1)},
        {"rescued_count above people_count", field(13452, 5)},
        {"people_count -1", field(13456, -1)},
        {"people_count 1025", field(13456, 1025)},
        {"more records than people", field(13456, 1)},
        {"face 10", byte(rec + 0, 10)},
        {"body 200", byte(rec + 1, 200)},
        {"legs 10", byte(rec + 2, 10)},
        {"flip 2", byte(rec + 4, 2)},
        {"x left of the building", field(rec + 8, 63)},
        {"x right of the building", field(rec + 8, 960)},
        {"y above the building", field(rec + 12, -1)},
        {"y below the building", field(rec + 12, 7680)},
        {"slot column 3", byte(rec + 16, 3)},
        {"slot row 3", byte(rec + 17, 3)},
        {"target x outside", field(rec + 20, -200)},
        {"target y outside", field(rec + 24, 100000)},
        {"origin y outside", field(rec + 28, -64)},
        {"state 6", byte(rec + 32, 6)},
        {"pose 0", byte(rec + 33, 0)},
        {"pose 6", byte(rec + 33, 6)},
        {"status in a slot", byte(rec + 34, STATUS_IN_SLOT)},
        {"status 0", byte(rec + 34, 0)},
        {"walk frame 7", byte(rec + 35, 7)},
        {"hidden 0xff", byte(rec + 37, 0xff)},
        {"empty file", resize(0)},
        {"shorter than the header", resize(13459)},
        {"a partial record", resize(13460 + 40 + 39)},
        {"longer than its records allow", resize(13460 + 40 * 5)},
        {"longer than any saved game", resize(13460 + 40 * 1025)},
    };
    mission = 0;
    score = 77;
    for (const damage &d : cases) {
        bytes file = good;
        d.apply(file);
        write_file(SAVED_GAME_FILE, file);
        game_snapshot before = game_snapshot::take();
        EXPECT_FALSE(load_saved_game()) << d.what;
        EXPECT_TRUE(game_snapshot::take() == before) << d.what;
        EXPECT_EQ(read_file(SAVED_GAME_FILE), file) << d.what;
    }
    // The gaps are not looked at.
    bytes file = good;
    file[rec + 6] = 0x77;
    file[rec + 38] = 0x99;
    write_file(SAVED_GAME_FILE, file);
    EXPECT_TRUE(load_saved_game());
}

// A map too narrow for the saved mission's slice cannot take the file.
TEST_F(SavedGameTest, SaveForAMissionTheMapLacksIsRefused) {
    ASSERT_TRUE(save_game()); // mission 2: columns 28 to 41
    const bytes good = read_file(SAVED_GAME_FILE);
    std::vector<test_block> blocks(BLOCKS);
    test_map_create(40, TEST_MAP_ROWS, blocks);
    game_snapshot before = game_snapshot::take();
    EXPECT_FALSE(load_saved_game());
    EXPECT_TRUE(game_snapshot::take() == before);
    EXPECT_FALSE(save_game());
    EXPECT_EQ(read_file(SAVED_GAME_FILE), good);
}

} // namespace
