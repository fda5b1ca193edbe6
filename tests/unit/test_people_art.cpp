// The body-part bitmaps: which file fills which slot, and the art: files, mask, shape.
#include "support/people_world.h"

#include <array>
#include <filesystem>
#include <map>
#include <regex>
#include <set>
#include <unistd.h>

TEST(PeopleSprites, EachSlotHoldsItsFileAndAMissingFileIsNamed) {
    char old_dir[4096], dir[] = "/tmp/people_sprites_XXXXXX";
    ASSERT_TRUE(getcwd(old_dir, sizeof old_dir) && mkdtemp(dir) && chdir(dir) == 0);
    std::map<std::string, int> files; // each written with a size of its own
    for (int n = 0; n < 300; n++) files[slot_file(n / 100, n / 10 % 10, n % 10)];
    int size = 0;
    for (auto &file : files) {
        BITMAP *bmp = create_bitmap(1 + size % 16, 1 + size / 16);
        clear_bitmap(bmp);
        EXPECT_EQ(save_bmp(file.first.c_str(), bmp, nullptr), 0);
        destroy_bitmap(bmp);
        file.second = size++;
    }
    EXPECT_EQ(load_person_sprites(), nullptr);
    std::set<BITMAP *> loaded;
    for (int n = 0; n < 300; n++) {
        int kind = n / 100, s = n / 10 % 10, slot = n % 10, k = files.at(slot_file(kind, s, slot));
        BITMAP *bmp = PART_SPRITES[kind][s][slot];
        EXPECT_TRUE(bmp && (bmp->h - 1) * 16 + bmp->w - 1 == k) << slot_file(kind, s, slot);
        if (slot == 9 || (kind == 2 && slot >= 2 && slot <= 7)) // one bitmap shown twice
            EXPECT_EQ(bmp, PART_SPRITES[kind][s][slot == 9 ? 0 : 1]) << n;
        else
            loaded.insert(bmp);
    }
    EXPECT_EQ(loaded.size(), 210u); // a file used twice is loaded twice
    // The first missing file is named, and nothing is left loaded.
    for (const char *missing :
         {"body9-r-6.bmp", "body4-a-0.bmp", "face7-a-0.bmp", "leg0-f-0.bmp"}) {
        EXPECT_EQ(remove(missing), 0); // each an earlier load than those already gone
        EXPECT_STREQ(load_person_sprites(), missing);
        for (int n = 0; n < 300; n++) EXPECT_FALSE(PART_SPRITES[n / 100][n / 10 % 10][n % 10]);
    }
    for (auto &file : files) remove(file.first.c_str());
    EXPECT_TRUE(chdir(old_dir) == 0 && rmdir(dir) == 0);
}

// A figure as drawn around the feet: bit x + 32 of row y + 56 set where opaque.
using figure = std::array<uint64_t, 64>;

static bool one_piece(const figure &on) { // a flood from the feet over 8-neighbours
    figure seen{}, last{};
    seen[55] = on[55] & (~on[55] + 1);
    while (last != seen) {
        last = seen;
        for (int n = 1; n < 125; n++) { // down the rows and back up, each row filled
            int y = n < 63 ? n : 125 - n;
            uint64_t v = seen[y - 1] | seen[y] | seen[y + 1];
            while ((v = (v | v << 1 | v >> 1) & on[y]) != seen[y]) seen[y] = v;
        }
    }
    return seen == on;
}

TEST(PeopleArt, ExactlyTheGameFilesMaskedAndJoiningIntoOnePersonOnTheFeetLine) {
    std::set<std::string> wanted, found;
    for (int n = 0; n < 300; n++) wanted.insert(slot_file(n / 100, n / 10 % 10, n % 10));
    for (const auto &entry : std::filesystem::directory_iterator(HIGHRISE_DATA_DIR)) {
        std::string name = entry.path().filename().string();
        if (std::regex_match(name, std::regex("(leg|body|face).*\\.bmp"))) found.insert(name);
    }
    EXPECT_EQ(wanted.size(), 179u);
    EXPECT_EQ(found, wanted);
    ASSERT_TRUE(headless_load_data_assets()); // the people's sprites among them
    static figure part[3][10][10][2];         // kind, set, slot, mirrored
    for (int n = 0; n < 300; n++) {
        int kind = n / 100, s = n / 10 % 10, slot = n % 10, opaque = 0;
        BITMAP *bmp = PART_SPRITES[kind][s][slot];
        ASSERT_TRUE(bmp && bitmap_color_depth(bmp) == 16);
        for (int p = 0, x, y; p < bmp->w * bmp->h; p++) {
            int c = getpixel(bmp, x = p % bmp->w, y = p / bmp->w);
            if (c == bitmap_mask_color(bmp)) continue;
            opaque++; // and not a near pink, which would show as a speck round the person
            EXPECT_FALSE(getr16(c) > 230 && getg16(c) < 24 && getb16(c) > 230) << n;
            for (int m = 0; m < 2; m++) {
                int px = PART_DX[m][kind][s][slot] + (m ? bmp->w - 1 - x : x) + 32;
                int py = PART_DY[kind][s][slot] + y + 56;
                ASSERT_TRUE(px >= 0 && px < 64 && py > 0 && py < 63) << n;
                part[kind][s][slot][m][py] |= 1ull << px;
            }
        }
        EXPECT_TRUE(opaque > 0 && opaque < bmp->w * bmp->h) << slot_file(kind, s, slot);
    }
    free_person_sprites();
    for (int n = 0; n < 1000 * 10 * 8; n++) { // sets of legs, body and face; slot; mirroring
        int sets[3] = {n / 8000, n / 800 % 10, n / 80 % 10}, slot = n / 8 % 10, m = n % 8;
        if (slot >= 1 && slot <= 7 && m != 0 && m != 7) continue; // walkers mirror all or none
        figure on{};
        for (int y = 0; y < 64; y++)
            for (int k = 0; k < 3; k++) on[y] |= part[k][sets[k]][slot][m >> k & 1][y];
        int top = 0, bottom = 63;
        while (!on[top]) top++;
        while (!on[bottom]) bottom--;
        ASSERT_TRUE(bottom == 55 && bottom - top >= 38 && bottom - top <= 42 && one_piece(on))
            << "sets " << n / 80 << " slot " << slot << " mirrored " << m;
    }
}
