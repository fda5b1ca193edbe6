// Loading the 179 body-part files into the three sprite tables: which file fills
// which slot, which slots share a bitmap, and the report of a missing file.
#include "people/people.h"
#include "support/headless.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// The file set: legs 10 x (front + 7 walk), faces 10 x (front, side, boarding),
// bodies 10 fronts, walks of sets 0-4 and 7-9, boarding of sets 2-4.
std::vector<std::string> sprite_files() {
    std::vector<std::string> names;
    char name[32];
    for (int s = 0; s < 10; s++) {
        snprintf(name, sizeof name, "leg%d-f-0.bmp", s);
        names.push_back(name);
        for (int f = 0; f < 7; f++) {
            snprintf(name, sizeof name, "leg%d-r-%d.bmp", s, f);
            names.push_back(name);
        }
        for (const char *view : {"f", "r", "a"}) {
            snprintf(name, sizeof name, "face%d-%s-0.bmp", s, view);
            names.push_back(name);
        }
        snprintf(name, sizeof name, "body%d-f-0.bmp", s);
        names.push_back(name);
        if (s != 5 && s != 6)
            for (int f = 0; f < 7; f++) {
                snprintf(name, sizeof name, "body%d-r-%d.bmp", s, f);
                names.push_back(name);
            }
        if (s >= 2 && s <= 4) {
            snprintf(name, sizeof name, "body%d-a-0.bmp", s);
            names.push_back(name);
        }
    }
    return names;
}

// Every file gets its own size, so that a loaded bitmap tells which file it was.
int file_w(int n) {
    return 1 + n % 16;
}
int file_h(int n) {
    return 1 + n / 16;
}

struct SpriteFiles : testing::Test {
    std::vector<std::string> names = sprite_files();
    char old_dir[4096] = {};
    std::string dir;

    void SetUp() override {
        headless_init();
        ASSERT_TRUE(getcwd(old_dir, sizeof old_dir));
        char pattern[] = "/tmp/people_sprites_XXXXXX";
        ASSERT_TRUE(mkdtemp(pattern));
        dir = pattern;
        ASSERT_EQ(chdir(dir.c_str()), 0);
        for (size_t n = 0; n < names.size(); n++) {
            BITMAP *bmp = create_bitmap(file_w((int)n), file_h((int)n));
            clear_to_color(bmp, makecol(255, 0, 255));
            putpixel(bmp, 0, 0, makecol(10, 200, 30));
            ASSERT_EQ(save_bmp(names[n].c_str(), bmp, nullptr), 0);
            destroy_bitmap(bmp);
        }
    }
    void TearDown() override {
        free_person_sprites();
        for (const std::string &name : names) remove(name.c_str());
        if (chdir(old_dir) != 0) ADD_FAILURE() << "cannot go back to " << old_dir;
        rmdir(dir.c_str());
    }
    // Whether a loaded bitmap has the size of the named file.
    bool is_file(BITMAP *bmp, const std::string &name) {
        for (size_t n = 0; n < names.size(); n++)
            if (names[n] == name)
                return bmp && bmp->w == file_w((int)n) && bmp->h == file_h((int)n);
        ADD_FAILURE() << "no such file in the set: " << name;
        return false;
    }
    static std::string name(const char *part, int set, char view, int frame) {
        char buf[32];
        snprintf(buf, sizeof buf, "%s%d-%c-%d.bmp", part, set, view, frame);
        return buf;
    }
};

TEST_F(SpriteFiles, TheSetHas179Files) {
    EXPECT_EQ(names.size(), 179u);
    EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), 179u);
}

TEST_F(SpriteFiles, EachSlotHoldsItsFile) {
    ASSERT_EQ(load_person_sprites(), nullptr);
    for (int s = 0; s < 10; s++) {
        EXPECT_TRUE(is_file(leg_sprites[s][0], name("leg", s, 'f', 0)));
        EXPECT_TRUE(is_file(face_sprites[s][0], name("face", s, 'f', 0)));
        EXPECT_TRUE(is_file(body_sprites[s][0], name("body", s, 'f', 0)));
        int walk = (s == 5 || s == 6) ? 4 : s;
        for (int f = 0; f < 7; f++) {
            EXPECT_TRUE(is_file(leg_sprites[s][1 + f], name("leg", s, 'r', f)));
            EXPECT_TRUE(is_file(face_sprites[s][1 + f], name("face", s, 'r', 0)));
            EXPECT_TRUE(is_file(body_sprites[s][1 + f], name("body", walk, 'r', f)));
        }
        // Boarding: everybody's legs are set 0's front legs; bodies without a
        // boarding file board facing front; 5 and 6 board as set 4.
        EXPECT_TRUE(is_file(leg_sprites[s][8], name("leg", 0, 'f', 0)));
        EXPECT_TRUE(is_file(face_sprites[s][8], name("face", s, 'a', 0)));
        if (walk >= 2 && walk <= 4)
            EXPECT_TRUE(is_file(body_sprites[s][8], name("body", walk, 'a', 0))) << s;
        else
            EXPECT_TRUE(is_file(body_sprites[s][8], name("body", s, 'f', 0))) << s;
        EXPECT_EQ(leg_sprites[s][9], leg_sprites[s][0]);
        EXPECT_EQ(face_sprites[s][9], face_sprites[s][0]);
        EXPECT_EQ(body_sprites[s][9], body_sprites[s][0]);
    }
    // Converted to the screen's depth, with the mask colour kept.
    EXPECT_EQ(bitmap_color_depth(body_sprites[3][0]), 16);
    EXPECT_EQ(getpixel(body_sprites[3][0], 0, 0), makecol(10, 200, 30));
}

TEST_F(SpriteFiles, OnlyStepOffAndFaceWalkSlotsShareABitmap) {
    ASSERT_EQ(load_person_sprites(), nullptr);
    std::set<BITMAP *> distinct;
    for (int s = 0; s < 10; s++) {
        for (int f = 2; f < 8; f++) EXPECT_EQ(face_sprites[s][f], face_sprites[s][1]);
        for (int slot = 0; slot < 9; slot++) {
            distinct.insert(leg_sprites[s][slot]);
            distinct.insert(body_sprites[s][slot]);
        }
        for (int slot : {0, 1, 8}) distinct.insert(face_sprites[s][slot]);
    }
    // 210 loads, each its own bitmap: the repeated files are loaded again, not shared.
    EXPECT_EQ(distinct.size(), 210u);
    EXPECT_NE(leg_sprites[3][8], leg_sprites[0][0]);
    EXPECT_NE(body_sprites[5][1], body_sprites[4][1]);
    EXPECT_NE(body_sprites[7][8], body_sprites[7][0]);
}

TEST_F(SpriteFiles, LoadingAgainReplacesTheTables) {
    ASSERT_EQ(load_person_sprites(), nullptr);
    ASSERT_EQ(load_person_sprites(), nullptr);
    EXPECT_TRUE(is_file(body_sprites[9][7], name("body", 9, 'r', 6)));
}

TEST_F(SpriteFiles, AMissingFileIsNamed) {
    for (const char *missing :
         {"leg0-f-0.bmp", "face7-a-0.bmp", "body4-a-0.bmp", "body9-r-6.bmp"}) {
        std::string gone = std::string(missing) + ".away";
        ASSERT_EQ(rename(missing, gone.c_str()), 0);
        const char *reported = load_person_sprites();
        ASSERT_NE(reported, nullptr);
        EXPECT_STREQ(reported, missing);
        // Nothing half-loaded is left for the drawing to trip on.
        for (int s = 0; s < 10; s++)
            for (int slot = 0; slot < 10; slot++) {
                EXPECT_EQ(leg_sprites[s][slot], nullptr);
                EXPECT_EQ(body_sprites[s][slot], nullptr);
                EXPECT_EQ(face_sprites[s][slot], nullptr);
            }
        ASSERT_EQ(rename(gone.c_str(), missing), 0);
    }
    // The first missing file in loading order is the one named: legs, faces, bodies.
    ASSERT_EQ(remove("body0-f-0.bmp"), 0);
    ASSERT_EQ(remove("face9-f-0.bmp"), 0);
    EXPECT_STREQ(load_person_sprites(), "face9-f-0.bmp");
}

TEST_F(SpriteFiles, AnEmptyFolderNamesTheFirstFile) {
    for (const std::string &n : names) remove(n.c_str());
    EXPECT_STREQ(load_person_sprites(), "leg0-f-0.bmp");
}

} // namespace
