// Loading the 179 body-part files: which file fills which slot, which slots share
// a bitmap, and the name reported for a missing file.
#include "people/people.h"
#include "support/headless.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <unistd.h>

namespace {

std::string file(const char *part, int set, char view, int frame) {
    char name[32];
    snprintf(name, sizeof name, "%s%d-%c-%d.bmp", part, set, view, frame);
    return name;
}

struct SpriteFiles : testing::Test {
    std::map<std::string, int> files; // name -> its number, which sets its size
    char old_dir[4096] = {};
    std::string dir = "/tmp/people_sprites_XXXXXX";

    void SetUp() override {
        headless_init();
        for (int s = 0; s < 10; s++) {
            for (const char *part : {"leg", "face", "body"}) files[file(part, s, 'f', 0)];
            for (int f = 0; f < 7; f++) files[file("leg", s, 'r', f)];
            files[file("face", s, 'r', 0)];
            files[file("face", s, 'a', 0)];
            for (int f = 0; f < 7 && s != 5 && s != 6; f++) files[file("body", s, 'r', f)];
            if (s >= 2 && s <= 4) files[file("body", s, 'a', 0)];
        }
        ASSERT_TRUE(getcwd(old_dir, sizeof old_dir) && mkdtemp(&dir[0]));
        ASSERT_EQ(chdir(dir.c_str()), 0);
        int n = 0;
        for (auto &entry : files) {
            entry.second = n++;
            BITMAP *bmp = create_bitmap(1 + entry.second % 16, 1 + entry.second / 16);
            clear_to_color(bmp, makecol(255, 0, 255));
            putpixel(bmp, 0, 0, makecol(10, 200, 30));
            ASSERT_EQ(save_bmp(entry.first.c_str(), bmp, nullptr), 0);
            destroy_bitmap(bmp);
        }
    }
    void TearDown() override {
        free_person_sprites();
        for (auto &entry : files) remove(entry.first.c_str());
        EXPECT_EQ(chdir(old_dir), 0);
        rmdir(dir.c_str());
    }
    bool is(BITMAP *bmp, const std::string &name) {
        int n = files.at(name);
        return bmp && bmp->w == 1 + n % 16 && bmp->h == 1 + n / 16;
    }
};

TEST_F(SpriteFiles, EachSlotHoldsItsFileAndOnlySomeSlotsShare) {
    ASSERT_EQ(files.size(), 179u);
    ASSERT_EQ(load_person_sprites(), nullptr);
    std::set<BITMAP *> distinct;
    for (int s = 0; s < 10; s++) {
        int walk = (s == 5 || s == 6) ? 4 : s; // 5 and 6 walk and board as set 4
        EXPECT_TRUE(is(leg_sprites[s][0], file("leg", s, 'f', 0)));
        EXPECT_TRUE(is(face_sprites[s][0], file("face", s, 'f', 0)));
        EXPECT_TRUE(is(body_sprites[s][0], file("body", s, 'f', 0)));
        for (int f = 0; f < 7; f++) {
            EXPECT_TRUE(is(leg_sprites[s][1 + f], file("leg", s, 'r', f)));
            EXPECT_TRUE(is(body_sprites[s][1 + f], file("body", walk, 'r', f)));
            EXPECT_EQ(face_sprites[s][1 + f], face_sprites[s][1]); // one side face
        }
        EXPECT_TRUE(is(face_sprites[s][1], file("face", s, 'r', 0)));
        EXPECT_TRUE(is(leg_sprites[s][8], file("leg", 0, 'f', 0)));
        EXPECT_TRUE(is(face_sprites[s][8], file("face", s, 'a', 0)));
        bool boards = walk >= 2 && walk <= 4;
        EXPECT_TRUE(
            is(body_sprites[s][8], boards ? file("body", walk, 'a', 0) : file("body", s, 'f', 0)));
        for (BITMAP *(*table)[SPRITE_SLOTS] : {leg_sprites, body_sprites, face_sprites}) {
            EXPECT_EQ(table[s][9], table[s][0]);
            for (int slot = 0; slot < 9; slot++) distinct.insert(table[s][slot]);
        }
    }
    // 210 loads, each its own bitmap: a file used again is loaded again.
    EXPECT_EQ(distinct.size(), 210u);
    EXPECT_EQ(bitmap_color_depth(body_sprites[3][0]), 16);
    EXPECT_EQ(getpixel(body_sprites[3][0], 0, 0), makecol(10, 200, 30));
    ASSERT_EQ(load_person_sprites(), nullptr); // a second load replaces the tables
    EXPECT_TRUE(is(body_sprites[9][7], file("body", 9, 'r', 6)));
}

TEST_F(SpriteFiles, TheFirstMissingFileInLoadingOrderIsNamed) {
    for (const char *missing :
         {"leg0-f-0.bmp", "face7-a-0.bmp", "body4-a-0.bmp", "body9-r-6.bmp"}) {
        std::string away = std::string(missing) + ".away";
        ASSERT_EQ(rename(missing, away.c_str()), 0);
        EXPECT_STREQ(load_person_sprites(), missing);
        int left = 0; // nothing half loaded is left behind
        for (int s = 0; s < 10; s++)
            for (int slot = 0; slot < 10; slot++)
                left += !!leg_sprites[s][slot] + !!body_sprites[s][slot] + !!face_sprites[s][slot];
        EXPECT_EQ(left, 0);
        ASSERT_EQ(rename(away.c_str(), missing), 0);
    }
    // Legs, then faces, then bodies.
    remove("body0-f-0.bmp");
    remove("face9-f-0.bmp");
    EXPECT_STREQ(load_person_sprites(), "face9-f-0.bmp");
}

} // namespace
