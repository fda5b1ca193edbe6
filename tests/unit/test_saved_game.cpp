// The saved game and the quit and save questions: the file's bytes, the round trip through
// place_people, failed saves, damaged files that change nothing, which questions are asked.
#include "people/people.h"
#include "shell/dialogs.h"
#include "shell/file_places.h"
#include "shell/game_state.h"
#include "shell/saved_game.h"
#include "support/headless.h"
#include "support/test_map.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;
using bytes = std::vector<uint8_t>;
enum { B_FLOOR, B_FIRE, B_BURNT, B_BEACON, B_OPEN, B_DOOR, BLOCKS };

bytes read_save() {
    bytes b(1 << 16); // more than any saved game: a save gone wrong cannot hang the test
    std::ifstream in(saved_game_path(), std::ios::binary);
    return b.resize(in.read((char *)b.data(), b.size()).gcount()), b;
}
void write_save(const bytes &b) {
    ASSERT_TRUE(player_dir_make());
    std::ofstream(saved_game_path(), std::ios::binary).write((const char *)b.data(), b.size());
}
// Everything a load may change, to prove that a refused file changed none of it.
std::string snapshot() {
    const int v[] = {mission,       score,        time_bonus,           resumed,
                     rescued_count, people_count, loaded_transit_count, (int)mission_start_time};
    std::string s((const char *)v, sizeof v);
    s.append((const char *)slot_grid, sizeof slot_grid).append((const char *)people, sizeof people);
    return s.append((const char *)map_layers[0], 2 * map_width * map_height);
}
// A person walking to the door of tile (5, 40), as a call to the elevator leaves it.
person in_transit(int seed) {
    person p{};
    p.face = (uint8_t)(seed % 10), p.body = (uint8_t)((seed + 3) % 10), p.body_flip = 1;
    p.x = 100 + seed, p.y = 2618, p.target_x = 407, p.target_y = 2614, p.origin_y = 822;
    p.slot_col = 1, p.slot_row = 2, p.state = PERSON_TO_ELEVATOR, p.pose = POSE_WALK_RIGHT;
    p.status = STATUS_IN_TRANSIT, p.frame = 3;
    return p;
}

struct SavedGameTest : testing::Test {
    fs::path old_dir = fs::current_path(), dir;
    void SetUp() override {
        headless_make_resources();
        char name[] = "/tmp/highrise-save-XXXXXX";
        ASSERT_NE(mkdtemp(name), nullptr);
        fs::current_path(dir = name);
        setenv("XDG_DATA_HOME", name, 1); // the saved game goes to <dir>/highrise-rescue
        std::vector<test_block> blocks(BLOCKS);
        blocks[B_FIRE].user1 = 1, blocks[B_BEACON].user3 = 1, blocks[B_OPEN].user1 = 4;
        blocks[B_DOOR].user1 = 2;
        test_map_create(TEST_MAP_COLS, TEST_MAP_ROWS, blocks);
        for (int m = 0; m < MISSION_COUNT; m++)
            map_set_cell(m * 14 + 5, 40, B_DOOR); // see in_transit
        // Cell -1 is an animation showing block 0 or 2.
        test_map_set_anims({B_FLOOR, B_BURNT}, {map_anim{ANIM_LOOP_FORWARD, 0, 0, 0, 0, 0, 2}});
        clear();
        mission = 2, score = 4321, time_bonus = 9000;
    }
    void TearDown() override {
        fs::current_path(old_dir), fs::remove_all(dir), map_free(), clear();
        setenv("XDG_DATA_HOME", getenv("HOME"), 1); // the run's scratch home again
    }
    static void clear() {
        memset(people, 0, sizeof people), memset(slot_grid, 0, sizeof slot_grid);
        people_count = rescued_count = loaded_transit_count = pickup_count = mission = resumed = 0;
        dialog_box_hook = nullptr, key[KEY_ESC] = key[KEY_S] = 0;
        mouse_b = prev_mouse_b = mission_end_timer = 0;
    }
    static int col(int c) { return mission * 14 + c; }
    static bytes slice(const bytes &b, size_t at, size_t n) { return {&b[at], &b[at] + n}; }
};

// 30 people, 5 rescued, 22 slot bits, saved with nobody in transit, then with 3: resumed,
// those 3 are entries 0 to 2, the rebuilt standing people 3 to 24, the rest vacant.
TEST_F(SavedGameTest, SavedTwiceThenResumedOntoAFreshMap) {
    score = 0x01020304, time_bonus = 12345, people_count = 30, rescued_count = 5;
    map_set_cell(col(0), 0, -1), map_set_cell(col(4), 7, B_BURNT);
    slot_grid[10 * 14] = slot_grid[10 * 14 + 1] = 0x1ff, slot_grid[50 * 14 + 7] = 0x10e;
    for (int i = 0; i < 30; i++) people[i].status = i < 22 ? STATUS_IN_SLOT : STATUS_RESCUED;
    ASSERT_TRUE(save_game());
    bytes b = read_save();
    ASSERT_EQ(b.size(), 13460u);
    // Mission, score, bonus, then the first tile's cell: animated, so negative.
    EXPECT_EQ(slice(b, 0, 16), (bytes{2, 0, 0, 0, 4, 3, 2, 1, 57, 48, 0, 0, 255, 255, 255, 255}));
    EXPECT_EQ(slice(b, 12 + 10 * 14 * 8, 8), (bytes{0, 0, 0, 0, 255, 1, 0, 0}));
    EXPECT_EQ(slice(b, 13452, 8), (bytes{5, 0, 0, 0, 30, 0, 0, 0}));
    // 40 raw bytes per person in transit, in table order, gaps as they are.
    people[3] = in_transit(3), people[11] = in_transit(11), people[29] = in_transit(29);
    people[11].gap1[0] = 0xab, people[30] = in_transit(30); // 30 is not of the mission
    const person saved[3] = {people[3], people[11], people[29]};
    ASSERT_TRUE(save_game());
    b = read_save();
    ASSERT_EQ(b.size(), 13460u + 3 * 40);
    EXPECT_TRUE(memcmp(&b[13460], saved, 3 * 40) == 0 && !fs::exists(saved_game_path() + ".tmp"));
    test_map_fill(0, 0, TEST_MAP_COLS - 1, TEST_MAP_ROWS - 1, B_FLOOR); // loaded afresh
    clear(), memset(people, 0x5a, sizeof people);
    const time_t before = time(nullptr);
    ASSERT_EQ(load_saved_game(), SavedGameLoad::LOADED);
    EXPECT_TRUE(mission == 2 && score == 0x01020304 && resumed && loaded_transit_count == 3);
    EXPECT_TRUE(map_get_cell(col(0), 0) == -1 && map_get_cell(col(4), 7) == B_BURNT);
    set_trans_blender(0, 0, 0, 210), hud_draw(); // the blend play draws with
    EXPECT_TRUE(time_bonus == 12340 || time(nullptr) != before) << time_bonus; // second below
    place_people(1);
    EXPECT_TRUE(people_count == 30 && rescued_count == 5 && pickup_count == 0);
    EXPECT_EQ(memcmp(people, saved, 3 * 40), 0);
    for (int i = 3; i < 25; i++)
        EXPECT_TRUE(people[i].status == STATUS_IN_SLOT && !people[i].hidden);
    for (int i = 25; i < MAX_PEOPLE; i++) ASSERT_EQ(people[i].hidden, 0xff) << i;
    EXPECT_EQ(read_save().size(), 13460u + 3 * 40); // kept for another resume
}

TEST_F(SavedGameTest, FullBeaconTileRebuildsThreeQueuedPeople) {
    map_set_cell(col(6), 20, B_BEACON);
    slot_grid[20 * 14 + 6] = 0x1ff, people_count = 3;
    ASSERT_TRUE(save_game());
    slot_grid[20 * 14 + 6] = people_count = 0;
    ASSERT_EQ(load_saved_game(), SavedGameLoad::LOADED);
    place_people(1);
    ASSERT_TRUE(people_count == 3 && pickup_count == 3 && slot_grid[20 * 14 + 6] == 0x1ff);
    for (int i = 0; i < 3; i++) // a beacon tile's people stand unjittered
        EXPECT_TRUE(pickup_queue[i] == i && people[i].slot_row == 0 && people[i].slot_col == i &&
                    people[i].y == 64 * 20 + 61);
}

std::string told; // the notices shown, one a line
int notice_box(const char *line, const char *button1, const char *button2) {
    told += std::string(line) + (strcmp(button1, "OK") || button2 ? " (buttons?)" : "") + "\n";
    return 1;
}

// Refused files change nothing, stay on disk as they were, and "Resume" tells the
// player so; a missing file is told nothing.
TEST_F(SavedGameTest, DamagedOrInconsistentFilesAreRefusedToldAndLeftOnDisk) {
    // 4 people: 1 rescued, 1 standing on tile (1, 1), 2 walking to the door of (5, 40).
    people_count = 4, rescued_count = 1, slot_grid[1 * 14 + 1] = 0x4;
    people[0] = in_transit(0), people[2] = in_transit(2);
    ASSERT_TRUE(save_game());
    const bytes good = read_save();
    dialog_box_hook = notice_box;
    ASSERT_TRUE(resume_saved_game());
    EXPECT_EQ(told, "");
    // Offset, width, value: a 32-bit field (4) or byte (1) set, or the file cut or padded
    // to the offset (0). Header and counters, slot word and cell, record 1, lengths;
    // then files that do not agree with themselves or the map.
    const int R = 13500, T = 132; // record 1, tile (1, 1)
    // clang-format off
    const int patches[][3] = {
        {0, 4, 7}, {0, 4, -1}, {4, 4, -5}, {8, 4, -10}, {8, 4, 18001}, {13452, 4, -1},
        {13452, 4, 5}, {13456, 4, -1}, {13456, 4, 1025}, {13456, 4, 1},
        {T + 4, 4, 0x200}, {T + 4, 4, INT32_MIN}, {T, 4, BLOCKS}, {T, 4, -2}, {T, 4, 0x10000},
        {R, 1, 10}, {R + 1, 1, 200}, {R + 2, 1, 10}, {R + 4, 1, 2}, {R + 8, 4, 63}, {R + 8, 4, 960},
        {R + 12, 4, -1}, {R + 12, 4, 7680}, {R + 16, 1, 3}, {R + 17, 1, 3}, {R + 20, 4, -200},
        {R + 24, 4, 100000}, {R + 28, 4, -64}, {R + 32, 1, 6}, {R + 33, 1, 0}, {R + 33, 1, 6},
        {R + 34, 1, 1}, {R + 34, 1, 0}, {R + 35, 1, 7}, {R + 37, 1, 255},
        {0, 0, 0}, {13459, 0, 0}, {R + 39, 0, 0}, {R + 160, 0, 0}, {13460 + 41000, 0, 0},
        // people_count one too many, one too few, 1000; a rescued person fewer; a second
        // person on tile (1, 1) that nobody counts
        {13456, 4, 5}, {13456, 4, 3}, {13456, 4, 1000}, {13452, 4, 0}, {T + 4, 4, 0x6},
        // the person of tile (1, 1) on a sky tile, in a fire; a beacon tile whose back
        // slots are free
        {T, 4, B_OPEN}, {T, 4, B_FIRE}, {T + 8, 4, B_BEACON},
        // record 1 riding in a column without doors, bound for a door that is none,
        // walking to a slot it does not hold, stepping off
        {R + 32, 1, PERSON_RIDING}, {R + 20, 4, 600}, {R + 32, 1, PERSON_TO_SLOT},
        {R + 32, 1, PERSON_STEPPING_OFF}};
    // clang-format on
    mission = 0, score = 77;
    for (const auto &p : patches) {
        bytes file = good;
        if (p[1] == 0) file.resize(p[0], 0);
        for (int i = 0; i < p[1]; i++) file[p[0] + i] = (uint8_t)((uint32_t)p[2] >> 8 * i);
        write_save(file);
        const std::string before = snapshot();
        told.clear();
        EXPECT_TRUE(!resume_saved_game() && snapshot() == before && read_save() == file)
            << "at " << p[0] << ": " << p[2];
        EXPECT_EQ(told, "The saved game could not be read. A new game starts.\n")
            << "at " << p[0] << ": " << p[2];
    }
    fs::remove(saved_game_path()); // "Resume" without a file: a new game, silently
    const std::string before = snapshot();
    told.clear();
    EXPECT_TRUE(load_saved_game() == SavedGameLoad::MISSING && !resume_saved_game() &&
                snapshot() == before && told.empty());
    fs::create_directory(saved_game_path()); // there, but unreadable
    EXPECT_TRUE(load_saved_game() == SavedGameLoad::REFUSED && snapshot() == before);
}

// The boxes shown, a letter each (Q, G, S the three questions, N the failed save's notice),
// and the answers they give in turn: 1 "Yes", 2 "No" once used up.
std::string boxes;
std::vector<int> answers;
int scripted_box(const char *line, const char *button1, const char *button2) {
    const char *texts[] = {"Do you want to quit?", "Do you want to quit game?",
                           "Do you want to save this game for later use and quit?",
                           "The game could not be saved."};
    int k = 0;
    while (k < 4 && strcmp(line, texts[k]) != 0) k++;
    boxes += "QGSN?"[k];
    EXPECT_STREQ(button1, k < 3 ? "Yes" : "OK");
    EXPECT_STREQ(button2 ? button2 : "", k < 3 ? "No" : "");
    const int answer = answers.empty() ? 2 : answers.front();
    if (!answers.empty()) answers.erase(answers.begin());
    return answer;
}
// The boxes of one frame's checks, "!" when the game ends; by default after a fresh click.
std::string frame(int x, int y, int b = 1, int prev_b = 0) {
    aim_x = x, aim_y = y, mouse_b = b, prev_mouse_b = prev_b, boxes.clear();
    const bool ended = quit_checks();
    return boxes + (ended ? "!" : "");
}

TEST_F(SavedGameTest, QuitChecksAskInTheirOrderOnAFreshLeftPressOverAnIcon) {
    dialog_box_hook = scripted_box;
    EXPECT_EQ(frame(500, 300), "");
    key[KEY_ESC] = key[KEY_S] = 1;
    EXPECT_EQ(frame(stop_x, stop_y), "QGS"); // every "No" lets the frame go on
    answers = {1};
    EXPECT_EQ(frame(stop_x, stop_y), "Q!");
    answers = {2, 1};
    EXPECT_EQ(frame(stop_x, stop_y), "QG!");
    key[KEY_ESC] = key[KEY_S] = 0;
    // Buttons now and in the last frame: fresh, held, right, left after right, both.
    const int clicks[][3] = {{1, 0, 1}, {1, 1, 0}, {2, 0, 0}, {1, 2, 0}, {3, 0, 1}};
    for (const auto &c : clicks)
        EXPECT_EQ(frame(stop_x + 1, stop_y + 1, c[0], c[1]), c[2] ? "G" : "") << c[0] << c[1];
    // The icon's rectangle at the crosshair's centre, edges included.
    const int x0 = stop_x, y0 = stop_y, x1 = x0 + stop_bmp->w - 1, y1 = y0 + stop_bmp->h - 1;
    const int spots[][3] = {{x0, y0, 1},     {x1, y1, 1},     {x0 - 1, y0, 0},
                            {x1 + 1, y1, 0}, {x0, y0 - 1, 0}, {x1, y1 + 1, 0}};
    for (const auto &s : spots)
        EXPECT_EQ(frame(s[0], s[1]), s[2] ? "G" : "") << s[0] << "," << s[1];
    // The save icon rests while the bonus counts, not the stop icon; S asks always, once.
    EXPECT_EQ(frame(save_x, save_y), "S");
    mission_end_timer = 13;
    EXPECT_EQ(frame(save_x, save_y) + frame(stop_x, stop_y), "G");
    key[KEY_S] = 1;
    EXPECT_EQ(frame(save_x, save_y), "S");
    mission_end_timer = 0;
    EXPECT_EQ(frame(save_x, save_y), "S");
    EXPECT_FALSE(fs::exists(saved_game_path())); // "No" writes nothing
    answers = {1};
    EXPECT_EQ(frame(500, 300, 0), "S!");
    EXPECT_EQ(read_save().size(), 13460u);
    // A save failing part-way (a full disk) is told, keeps the old save, and play goes on.
    const bytes first = read_save();
    score = 222, answers = {1, 1};
    fs::create_symlink("/dev/full", saved_game_path() + ".tmp");
    EXPECT_EQ(frame(500, 300, 0), "SN");
    EXPECT_TRUE(read_save() == first && !fs::exists(saved_game_path() + ".tmp"));
}

} // namespace
