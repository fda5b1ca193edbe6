// The levelc program as the build runs it: it writes the map only when every
// mission passes, and reports faults as "file:line:column: message".
#include "test_levelc_util.h"

#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct scratch_dir {
    std::string path;
    scratch_dir() {
        char name[] = "/tmp/levelc_cli_XXXXXX";
        path = mkdtemp(name) ? name : "/tmp";
    }
    ~scratch_dir() { (void)system(("rm -rf '" + path + "'").c_str()); }
    std::string write(const std::string &name, const std::string &text) const {
        std::string file = path + "/" + name;
        std::ofstream(file) << text;
        return file;
    }
};

struct run_result {
    int status = -1;
    std::string output;
};

run_result run_levelc(const std::string &args) {
    std::string command = std::string(HIGHRISE_BUILD_DIR) + "/tools/levelc " + args + " 2>&1";
    run_result result;
    FILE *p = popen(command.c_str(), "r");
    if (!p) return result;
    char buffer[512];
    while (fgets(buffer, sizeof buffer, p)) result.output += buffer;
    int status = pclose(p);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

bool exists(const std::string &path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0;
}

std::string seven(const scratch_dir &dir, const std::string &fourth) {
    std::string args;
    for (int i = 1; i <= MISSION_COUNT; i++) {
        std::string text = i == 4 ? fourth : mission_text(small_building());
        args += " " + dir.write("m" + std::to_string(i) + ".txt", text);
    }
    return args;
}

TEST(LevelCli, WritesTheMapWhenEveryMissionPasses) {
    scratch_dir dir;
    std::string out = dir.path + "/buildings.fmp";
    run_result r = run_levelc("-o " + out + seven(dir, mission_text(small_building())));
    EXPECT_EQ(r.status, 0) << r.output;
    EXPECT_TRUE(r.output.empty()) << r.output;
    EXPECT_TRUE(exists(out));
    EXPECT_FALSE(exists(out + ".part"));
}

TEST(LevelCli, RefusesAFaultyMissionAndWritesNothing) {
    scratch_dir dir;
    std::string out = dir.path + "/buildings.fmp";
    std::map<int, std::string> rows = small_building();
    rows[116] = "..=o====......  ..4...........";
    run_result r = run_levelc("-o " + out + seven(dir, mission_text(rows)));
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.output,
              dir.path + "/m4.txt:117:19: 4 people on this floor can never reach a beacon\n");
    EXPECT_FALSE(exists(out));
}

TEST(LevelCli, NeedsSevenMissions) {
    scratch_dir dir;
    std::string one = dir.write("m1.txt", mission_text(small_building()));
    run_result r = run_levelc("-o " + dir.path + "/b.fmp " + one);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.output, "levelc: 7 mission files are needed, 1 given\n");
    r = run_levelc(seven(dir, mission_text(small_building())) + " " + dir.path + "/missing.txt");
    EXPECT_EQ(r.status, 2);
}

TEST(LevelCli, ReportsAMissingFileWithItsName) {
    scratch_dir dir;
    std::string args = seven(dir, mission_text(small_building()));
    args.replace(args.find(dir.path + "/m4.txt"), (dir.path + "/m4.txt").size(),
                 dir.path + "/nope.txt");
    run_result r = run_levelc(args);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.output, dir.path + "/nope.txt:1:1: cannot read the file\n");
}

TEST(LevelFormat, ReadsWindowsLineEndingsTabsAndZeroes) {
    std::map<int, std::string> rows = small_building();
    rows[114] = "....==U=......\t....2..0......";
    std::string text = mission_text(rows);
    std::string crlf;
    for (char ch : text) crlf += ch == '\n' ? std::string("\r\n") : std::string(1, ch);
    mission m;
    std::vector<level_error> errors;
    ASSERT_TRUE(level_parse("m.txt", crlf, m, errors));
    EXPECT_EQ(m.tiles[114][4].people, 2);
    EXPECT_EQ(m.tiles[114][7].people, 0);
    EXPECT_TRUE(level_check(m, errors));
}

TEST(LevelFormat, AFileFullOfFaultsIsReportedInPart) {
    std::map<int, std::string> rows;
    for (int r = 0; r < MISSION_ROWS; r++) rows[r] = "QQQQQQQQQQQQQQ";
    std::vector<std::string> f = faults(mission_text(rows));
    EXPECT_EQ(f.size(), 20u);
    EXPECT_EQ(f[0], "1:1: unknown tile character 'Q'");
}

} // namespace
