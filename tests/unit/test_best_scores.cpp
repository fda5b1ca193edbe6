// The best scores: the table's order and its ten, its text, its file in the player's
// folder (damaged, in the way, unwritable), and which endings of a game count.
#include "shell/best_scores.h"
#include "shell/dialogs.h"
#include "shell/file_places.h"
#include "shell/game_state.h"
#include "support/headless.h"
#include "support/temp_files.h"
#include "support/test_map.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

best_score game(int score, int mission = 1, const char *date = "2025-03-04") {
    best_score g = {score, mission, ""};
    strcpy(g.date, date);
    return g;
}

std::string scores_of(const best_table &t) {
    std::string s;
    for (int i = 0; i < t.count; i++) s += std::to_string(t.entry[i].score) + " ";
    return s;
}

struct BestScoresTest : testing::Test {
    temp_dir home;
    std::string path = home.path + "/highrise-rescue/best-scores.txt";
    void SetUp() override { setenv("XDG_DATA_HOME", home.path.c_str(), 1); }
    void TearDown() override { setenv("XDG_DATA_HOME", getenv("HOME"), 1); }
    void write(const std::string &text) {
        fs::create_directories(home.path + "/highrise-rescue");
        std::ofstream(path, std::ios::binary) << text;
    }
    static best_table read_back() {
        best_table t;
        std::string notice;
        EXPECT_TRUE(best_scores_read(&t, &notice));
        EXPECT_EQ(notice, "");
        return t;
    }
};

// Best first, a tie after the older game, ten kept; a game below the tenth is left out.
TEST_F(BestScoresTest, TheTableKeepsTheTenBestInOrder) {
    best_table t{};
    for (int s : {500, 900, 100, 900, 700, 300, 800, 200, 600, 400})
        EXPECT_TRUE(best_scores_insert(&t, game(s, s / 100 % 7 + 1)));
    EXPECT_EQ(scores_of(t), "900 900 800 700 600 500 400 300 200 100 ");
    EXPECT_FALSE(best_scores_insert(&t, game(100)));
    EXPECT_FALSE(best_scores_insert(&t, game(50)));
    EXPECT_TRUE(best_scores_insert(&t, game(900, 7, "2025-12-31")));
    EXPECT_EQ(scores_of(t), "900 900 900 800 700 600 500 400 300 200 ");
    EXPECT_EQ(std::string(t.entry[2].date), "2025-12-31"); // after the older 900s
    EXPECT_EQ(t.entry[2].mission, 7);
}

// The text a table is written as reads back the same; a hand-edited file out of order
// or longer than ten still reads; anything else names its line.
TEST_F(BestScoresTest, TheTextReadsBackAndADamagedLineIsNamed) {
    best_table t{};
    for (int s : {2147483647, 27150, 10})
        best_scores_insert(&t, game(s, s % 7 + 1, s == 10 ? "1999-01-31" : "2025-10-09"));
    best_table back{};
    std::string why;
    ASSERT_TRUE(best_scores_parse(best_scores_text(t), &back, &why)) << why;
    EXPECT_EQ(best_scores_text(back), best_scores_text(t));
    EXPECT_EQ(best_scores_text(t).substr(0, 1), "#");
    std::string edited = "\n# mine\r\n";
    for (int s = 1; s <= 12; s++) edited += std::to_string(s * 10) + " 2 2024-02-29\r\n";
    ASSERT_TRUE(best_scores_parse(edited, &back, &why)) << why;
    EXPECT_EQ(scores_of(back), "120 110 100 90 80 70 60 50 40 30 ");
    const char *damaged[] = {"x",
                             "0 1 2025-01-01",
                             "012 1 2025-01-01",
                             "-12 1 2025-01-01",
                             "2147483648 1 2025-01-01",
                             "12 0 2025-01-01",
                             "12 8 2025-01-01",
                             "12  1 2025-01-01",
                             "12 1 2025-1-01",
                             "12 1 2025-13-01",
                             "12 1 2025-00-01",
                             "12 1 2025-01-32",
                             "12 1 2025-01-00",
                             "12 1 2025/01/01",
                             "12 1 2025-01-01 x",
                             " 12 1 2025-01-01",
                             "12 1"};
    for (const char *line : damaged) {
        EXPECT_FALSE(
            best_scores_parse("# ok\n5 1 2025-01-01\n" + std::string(line) + "\n", &back, &why))
            << line;
        EXPECT_EQ(why, "line 3 is not \"score mission date\"") << line;
    }
}

// Written whole in the player's folder; a game that does not make the ten changes nothing.
TEST_F(BestScoresTest, TheFileKeepsTheTenBestGames) {
    EXPECT_EQ(read_back().count, 0); // no file yet: an empty table
    std::string problem;
    for (int s = 1; s <= 10; s++)
        ASSERT_TRUE(best_scores_add(game(s * 100, 3), &problem)) << problem;
    ASSERT_TRUE(best_scores_add(game(550, 4, "2026-01-02"), &problem)) << problem;
    best_table t = read_back();
    EXPECT_EQ(scores_of(t), "1000 900 800 700 600 550 500 400 300 200 ");
    EXPECT_TRUE(t.entry[5].mission == 4 && std::string(t.entry[5].date) == "2026-01-02");
    const std::string text = file_bytes(path);
    EXPECT_NE(text.find("\n550 4 2026-01-02\n"), std::string::npos);
    ASSERT_TRUE(best_scores_add(game(150), &problem)); // not among the ten
    EXPECT_EQ(file_bytes(path), text);
    EXPECT_FALSE(fs::exists(path + ".tmp"));
}

// A damaged file is read as empty and kept under a free name beside it, byte for byte;
// the next game starts a fresh table.
TEST_F(BestScoresTest, ADamagedFileIsKeptAsideAndTheTableStartsAfresh) {
    const std::string damaged[] = {"700 1 2025-01-01\nnot a score\n",
                                   std::string(64 * 1024 + 1, '#')}; // longer than a table
    for (int n = 0; n < 2; n++) {
        write(damaged[n]);
        best_table t{};
        t.count = 3;
        std::string notice;
        EXPECT_TRUE(best_scores_read(&t, &notice));
        const std::string aside = path + (n ? ".damaged-2" : ".damaged");
        EXPECT_EQ(t.count, 0);
        EXPECT_NE(notice.find(fs::path(aside).filename().string()), std::string::npos) << notice;
        EXPECT_TRUE(!fs::exists(path) && file_bytes(aside) == damaged[n]);
    }
    std::string problem;
    ASSERT_TRUE(best_scores_add(game(40), &problem)) << problem;
    EXPECT_EQ(scores_of(read_back()), "40 ");
    EXPECT_EQ(file_bytes(path + ".damaged"), damaged[0]);
}

// With no free name to keep a damaged file under, it stays, unread and unwritten.
TEST_F(BestScoresTest, ADamagedFileThatCannotBeMovedIsNeverWrittenOver) {
    write("garbage\n");
    for (int k = 1; k <= 100; k++)
        std::ofstream(path + ".damaged" + (k == 1 ? "" : "-" + std::to_string(k))) << k;
    best_table t{};
    std::string notice, problem;
    EXPECT_FALSE(best_scores_read(&t, &notice));
    EXPECT_TRUE(t.count == 0 && notice.find("cannot be moved aside") != std::string::npos);
    EXPECT_FALSE(best_scores_add(game(900), &problem));
    EXPECT_EQ(problem, notice);
    EXPECT_EQ(file_bytes(path), "garbage\n");
}

// A player's folder that cannot be made: the table reads empty and a game cannot be kept.
TEST_F(BestScoresTest, AnUnwritableFolderIsReported) {
    std::ofstream(home.path + "/file") << "in the way";
    setenv("XDG_DATA_HOME", (home.path + "/file").c_str(), 1);
    EXPECT_EQ(read_back().count, 0);
    std::string problem;
    EXPECT_FALSE(best_scores_add(game(900), &problem));
    EXPECT_EQ(problem, home.path + "/file/highrise-rescue/best-scores.txt: Not a directory");
}

// A "Yes" to a quit question with a score above 0 finishes the game for the table, with
// the highest mission reached; a score of 0, a "No" and a save do not. A table that
// cannot be written is told, and the game ends all the same.
TEST_F(BestScoresTest, AGameQuitWithAScoreCountsAndASavedOneDoesNot) {
    static std::string shown;
    static int answer;
    headless_make_resources();
    test_map_create(TEST_MAP_COLS, TEST_MAP_ROWS, {{}});
    dialog_box_hook = [](const char *line, const char *, const char *) {
        shown += line, shown += "|";
        return answer;
    };
    auto quit = [](int escape, int save, int yes) {
        key[KEY_ESC] = (char)escape, key[KEY_S] = (char)save, answer = yes ? 1 : 2;
        mouse_b = prev_mouse_b = 0, shown.clear();
        return quit_checks();
    };
    mission = 3, highest_mission = 5, score = 0;
    EXPECT_TRUE(quit(1, 0, 1));
    score = 4321;
    EXPECT_FALSE(quit(1, 0, 0));
    EXPECT_TRUE(quit(0, 1, 1) && shown == std::string(QUESTION_SAVE) + "|");
    EXPECT_FALSE(fs::exists(path));
    EXPECT_TRUE(quit(1, 0, 1));
    best_table t = read_back();
    ASSERT_EQ(t.count, 1);
    EXPECT_TRUE(t.entry[0].score == 4321 && t.entry[0].mission == 6);
    char today[11];
    best_scores_today(today);
    EXPECT_EQ(std::string(t.entry[0].date), today);
    setenv("XDG_DATA_HOME", (path + "/no-such-folder").c_str(), 1); // under a file
    EXPECT_TRUE(quit(1, 0, 1));
    EXPECT_EQ(shown, std::string(QUESTION_QUIT) + "|" + NOTICE_BEST_SCORE_FAILED + "|");
    key[KEY_ESC] = key[KEY_S] = 0, dialog_box_hook = nullptr, score = mission = 0;
    map_free();
}

} // namespace
