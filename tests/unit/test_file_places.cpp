// Where the game's files live: the player's folder from the environment, the saved
// game in it, the one-time move of an earlier version's save, and the data folder
// found beside the program.
#include "shell/file_places.h"
#include "shell/saved_game.h"
#include "support/temp_files.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;

// Sets (or, with nullptr, unsets) a variable for the test's lifetime.
struct env_var {
    std::string name;
    std::optional<std::string> old;
    env_var(const char *n, const char *value) : name(n) {
        if (const char *v = getenv(n)) old = v;
        value ? setenv(n, value, 1) : unsetenv(n);
    }
    ~env_var() { old ? setenv(name.c_str(), old->c_str(), 1) : unsetenv(name.c_str()); }
};

void write_file(const std::string &path, const std::string &bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

TEST(FilePlaces, PlayerFolderFollowsTheXdgRules) {
    // XDG_DATA_HOME, HOME (nullptr: unset) and the folder expected.
    const char *cases[][3] = {
        {"/x/data", "/home/p", "/x/data/highrise-rescue"},
        {nullptr, "/home/p", "/home/p/.local/share/highrise-rescue"},
        {"", "/home/p", "/home/p/.local/share/highrise-rescue"},
        {"relative/data", "/home/p", "/home/p/.local/share/highrise-rescue"},
        {"/x/data", nullptr, "/x/data/highrise-rescue"},
        {nullptr, nullptr, ""},
        {"relative", "also/relative", ""},
        {nullptr, "", ""},
    };
    for (const auto &c : cases) {
        env_var xdg("XDG_DATA_HOME", c[0]), home("HOME", c[1]);
        EXPECT_EQ(player_dir(), c[2]) << (c[0] ? c[0] : "unset") << ", " << (c[1] ? c[1] : "unset");
    }
    env_var xdg("XDG_DATA_HOME", "/x/data");
    EXPECT_EQ(saved_game_path(), "/x/data/highrise-rescue/resumed-game.bin");
}

TEST(FilePlaces, FolderIsMadeOnTheFirstSaveAndPrivateToThePlayer) {
    temp_dir scratch;
    const std::string base = scratch.path + "/deep/er";
    env_var xdg("XDG_DATA_HOME", base.c_str());
    ASSERT_TRUE(player_dir_make());
    struct stat st;
    ASSERT_EQ(stat(player_dir().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    EXPECT_TRUE(player_dir_make()); // already there
    // A file where the folder should be, and no folder at all: refused, nothing made.
    env_var blocked("XDG_DATA_HOME", (scratch.path + "/file").c_str());
    write_file(scratch.path + "/file", "x");
    EXPECT_FALSE(player_dir_make());
    env_var none("XDG_DATA_HOME", nullptr), home("HOME", nullptr);
    EXPECT_FALSE(player_dir_make());
    EXPECT_FALSE(save_game());
}

struct AdoptTest : testing::Test {
    temp_dir old_dir, data_home;
    env_var xdg{"XDG_DATA_HOME", data_home.path.c_str()};
    std::string old_save = old_dir.path + "/resumed-game.bin";
    std::string adopt(std::string *problem) {
        return player_file_adopt(old_dir.path, SAVED_GAME_NAME, problem);
    }
};

TEST_F(AdoptTest, AnEarlierSaveMovesOnceAndNeverOverAnExistingOne) {
    std::string problem;
    EXPECT_EQ(adopt(&problem), ""); // nothing to move
    EXPECT_EQ(problem, "");
    write_file(old_save, "old game");
    EXPECT_EQ(adopt(&problem), saved_game_path());
    EXPECT_EQ(file_bytes(saved_game_path()), "old game");
    EXPECT_FALSE(fs::exists(old_save));
    // The player's own save wins: a second old one is left where it is.
    write_file(old_save, "older game");
    EXPECT_EQ(adopt(&problem), "");
    EXPECT_EQ(file_bytes(saved_game_path()), "old game");
    EXPECT_EQ(file_bytes(old_save), "older game");
    EXPECT_EQ(problem, "");
}

TEST_F(AdoptTest, WithNowhereToGoTheOldSaveStays) {
    write_file(old_save, "old game");
    std::string problem;
    {
        env_var none("XDG_DATA_HOME", nullptr), home("HOME", nullptr);
        EXPECT_EQ(adopt(&problem), "");
        EXPECT_NE(problem, "");
    }
    write_file(data_home.path + "/highrise-rescue", "a file, not a folder");
    EXPECT_EQ(adopt(&problem), "");
    EXPECT_NE(problem, "");
    EXPECT_EQ(file_bytes(old_save), "old game");
}

TEST_F(AdoptTest, AcrossFileSystemsTheSaveIsCopiedWholeThenRemoved) {
    struct stat a, b;
    if (stat("/dev/shm", &a) != 0 || stat(old_dir.path.c_str(), &b) != 0 || a.st_dev == b.st_dev)
        GTEST_SKIP() << "no second file system here";
    char shm[] = "/dev/shm/highrise-adopt-XXXXXX";
    ASSERT_NE(mkdtemp(shm), nullptr);
    env_var xdg_shm("XDG_DATA_HOME", shm);
    const std::string bytes(100000, 'g');
    write_file(old_save, bytes);
    std::string problem;
    EXPECT_EQ(adopt(&problem), saved_game_path()) << problem;
    EXPECT_EQ(file_bytes(saved_game_path()), bytes);
    EXPECT_FALSE(fs::exists(old_save));
    EXPECT_FALSE(fs::exists(saved_game_path() + ".tmp"));
    fs::remove_all(shm);
}

TEST(FilePlaces, DataFolderIsFoundBesideTheProgram) {
    temp_dir root;
    const std::string r = root.path;
    const char *from_exe = "../share/games/highrise-rescue";
    fs::create_directories(r + "/usr/games");
    fs::create_directories(r + "/build/data");
    std::string looked;
    // An unpacked package, wherever it lies.
    EXPECT_EQ(data_dir_find(r + "/usr/games/highrise-rescue", from_exe, "", &looked), "");
    fs::create_directories(r + "/usr/share/games/highrise-rescue");
    EXPECT_EQ(data_dir_find(r + "/usr/games/highrise-rescue", from_exe, "", &looked),
              r + "/usr/share/games/highrise-rescue");
    // The build tree, and the installed place as the last resort.
    EXPECT_EQ(data_dir_find(r + "/build/highrise", from_exe, "", &looked), r + "/build/data");
    EXPECT_EQ(
        data_dir_find(r + "/elsewhere/highrise", from_exe, (r + "/build/data").c_str(), &looked),
        r + "/build/data");
    // Nowhere: the places tried are named.
    EXPECT_EQ(data_dir_find(r + "/elsewhere/highrise", from_exe, "/nonexistent/data", &looked), "");
    EXPECT_EQ(looked,
              r + "/share/games/highrise-rescue, " + r + "/elsewhere/data, /nonexistent/data");
}

} // namespace
