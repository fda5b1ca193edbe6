// The quit and save checks of a frame: which questions are asked, in which order,
// what counts as a click on an icon, and what a "Yes" leads to.
#include "map/map.h"
#include "people/people.h"
#include "shell/dialogs.h"
#include "shell/game_state.h"
#include "shell/saved_game.h"
#include "support/headless.h"
#include "support/test_map.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// What the boxes were asked, and the answers they give in turn ("No" once used up).
std::vector<std::string> asked;
std::vector<std::string> second_buttons;
std::vector<int> answers;

int scripted_box(const char *line, const char *, const char *button2) {
    asked.push_back(line);
    second_buttons.push_back(button2 ? button2 : "(none)");
    if (answers.empty()) return 2;
    int answer = answers.front();
    answers.erase(answers.begin());
    return answer;
}

const std::string QUIT = QUESTION_QUIT, QUIT_GAME = QUESTION_QUIT_GAME, SAVE = QUESTION_SAVE,
                  FAILED = NOTICE_SAVE_FAILED;

struct DialogsTest : testing::Test {
    fs::path old_dir, dir;

    void SetUp() override {
        headless_make_resources();
        dialog_box_hook = scripted_box;
        asked.clear();
        second_buttons.clear();
        answers.clear();
        key[KEY_ESC] = key[KEY_S] = 0;
        mouse_b = prev_mouse_b = 0;
        mission_end_timer = 0;
        aim(500, 300);

        old_dir = fs::current_path();
        char name[] = "/tmp/highrise-dialogs-XXXXXX";
        ASSERT_NE(mkdtemp(name), nullptr);
        dir = name;
        fs::current_path(dir);
        test_map_create(TEST_MAP_COLS, TEST_MAP_ROWS, std::vector<test_block>(3));
        mission = 0;
        people_count = rescued_count = 0;
    }
    void TearDown() override {
        dialog_box_hook = nullptr;
        key[KEY_ESC] = key[KEY_S] = 0;
        mouse_b = prev_mouse_b = 0;
        mission_end_timer = 0;
        fs::current_path(old_dir);
        fs::remove_all(dir);
        map_free();
    }
    static void aim(int x, int y) {
        aim_x = x;
        aim_y = y;
    }
    static void aim_at_stop() { aim(stop_x + 1, stop_y + 1); }
    static void aim_at_save() { aim(save_x + 1, save_y + 1); }
    static void fresh_left_press() {
        prev_mouse_b = 0;
        mouse_b = 1;
    }
    bool check() {
        asked.clear();
        second_buttons.clear();
        return quit_checks();
    }
};

TEST_F(DialogsTest, QuestionsComeInTheirOrderAndNoGoesOn) {
    EXPECT_FALSE(check());
    EXPECT_TRUE(asked.empty());

    // Escape, the stop icon and S in one frame: all three asked when all are "No".
    key[KEY_ESC] = 1;
    key[KEY_S] = 1;
    aim_at_stop();
    fresh_left_press();
    EXPECT_FALSE(check());
    EXPECT_EQ(asked, (std::vector<std::string>{QUIT, QUIT_GAME, SAVE}));
    EXPECT_EQ(second_buttons[0], "No");

    // A box closed by Escape (neither button) is a "No" too.
    answers = {3, 3, 3};
    EXPECT_FALSE(check());
    EXPECT_EQ(asked.size(), 3u);
}

TEST_F(DialogsTest, YesEndsTheGameAtOnce) {
    key[KEY_ESC] = 1;
    aim_at_stop();
    fresh_left_press();
    answers = {1};
    EXPECT_TRUE(check());
    EXPECT_EQ(asked, (std::vector<std::string>{QUIT}));

    // "No" to the Escape question leads to the stop icon's question in the same frame.
    answers = {2, 1};
    EXPECT_TRUE(check());
    EXPECT_EQ(asked, (std::vector<std::string>{QUIT, QUIT_GAME}));
    EXPECT_FALSE(fs::exists(SAVED_GAME_FILE));
}

TEST_F(DialogsTest, OnlyAFreshLeftPressAtTheCrosshairCentreIsAClick) {
    aim_at_stop();
    fresh_left_press();
    EXPECT_FALSE(check());
    EXPECT_EQ(asked, (std::vector<std::string>{QUIT_GAME}));

    mouse_b = prev_mouse_b = 1; // held down while moving onto the icon
    EXPECT_FALSE(check());
    EXPECT_TRUE(asked.empty());
    mouse_b = 2; // the right button
    prev_mouse_b = 0;
    EXPECT_FALSE(check());
    EXPECT_TRUE(asked.empty());
    mouse_b = 1; // left, while the right was down in the last frame
    prev_mouse_b = 2;
    EXPECT_FALSE(check());
    EXPECT_TRUE(asked.empty());
    mouse_b = 3; // both pressed afresh: the left counts
    prev_mouse_b = 0;
    EXPECT_FALSE(check());
    EXPECT_EQ(asked.size(), 1u);

    // The icon's rectangle, edges included, at the crosshair's centre.
    fresh_left_press();
    const int x0 = stop_x, y0 = stop_y, x1 = stop_x + stop_bmp->w - 1,
              y1 = stop_y + stop_bmp->h - 1;
    struct spot {
        int x, y;
        bool hit;
    };
    const spot spots[] = {{x0, y0, true},      {x1, y1, true},      {x0 - 1, y0, false},
                          {x1 + 1, y0, false}, {x0, y0 - 1, false}, {x0, y1 + 1, false}};
    for (const spot &s : spots) {
        aim(s.x, s.y);
        check();
        EXPECT_EQ(asked.size(), s.hit ? 1u : 0u) << s.x << "," << s.y;
    }
}

TEST_F(DialogsTest, SaveIconRestsDuringTheEndOfAMissionButSAlwaysAsks) {
    aim_at_save();
    fresh_left_press();
    EXPECT_FALSE(check());
    EXPECT_EQ(asked, (std::vector<std::string>{SAVE}));

    mission_end_timer = 13; // counting the bonus
    EXPECT_FALSE(check());
    EXPECT_TRUE(asked.empty());
    // The stop icon still counts.
    aim_at_stop();
    EXPECT_FALSE(check());
    EXPECT_EQ(asked, (std::vector<std::string>{QUIT_GAME}));
    // S asks at any time, and only once even with a click on the icon.
    aim_at_save();
    key[KEY_S] = 1;
    mission_end_timer = 0;
    EXPECT_FALSE(check());
    EXPECT_EQ(asked, (std::vector<std::string>{SAVE}));
    mission_end_timer = 1179;
    EXPECT_FALSE(check());
    EXPECT_EQ(asked, (std::vector<std::string>{SAVE}));
}

TEST_F(DialogsTest, YesToSaveWritesTheGameAndEndsIt) {
    key[KEY_S] = 1;
    answers = {1};
    EXPECT_TRUE(check());
    EXPECT_EQ(asked, (std::vector<std::string>{SAVE}));
    EXPECT_EQ(fs::file_size(SAVED_GAME_FILE), 13460u);
    // "No" writes nothing.
    fs::remove(SAVED_GAME_FILE);
    EXPECT_FALSE(check());
    EXPECT_FALSE(fs::exists(SAVED_GAME_FILE));
}

// A save that cannot be written is told to the player, and play goes on.
TEST_F(DialogsTest, FailedSaveIsToldAndTheGameGoesOn) {
    fs::create_directory(SAVED_GAME_TEMP_FILE); // the save cannot be written
    key[KEY_S] = 1;
    answers = {1, 1};
    EXPECT_FALSE(check());
    EXPECT_EQ(asked, (std::vector<std::string>{SAVE, FAILED}));
    EXPECT_EQ(second_buttons[1], "(none)");
    EXPECT_FALSE(fs::exists(SAVED_GAME_FILE));
}

} // namespace
