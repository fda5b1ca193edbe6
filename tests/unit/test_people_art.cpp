// The people's generated body-part bitmaps: the exact file set, the file format,
// and how legs, body and face join into one person when drawn at the anchor
// offsets, as placed, mirrored and through the walk.
#include "assetgen/assetgen.h"
#include "people/person_offsets.h"
#include "support/headless.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

enum { LEGS, BODY, FACE };
const char *const PART[] = {"leg", "body", "face"};
constexpr int WALK_STEP[7] = {6, 5, 4, 6, 6, 4, 5};

std::string file_name(int part, int set, char view, int frame) {
    char buf[32];
    snprintf(buf, sizeof buf, "%s%d-%c-%d.bmp", PART[part], set, view, frame);
    return buf;
}

bool body_walks_in_own_files(int set) {
    return set != 5 && set != 6;
}

std::vector<std::string> expected_files() {
    std::vector<std::string> files;
    for (int s = 0; s < 10; s++) {
        files.push_back(file_name(LEGS, s, 'f', 0));
        for (int f = 0; f < 7; f++) files.push_back(file_name(LEGS, s, 'r', f));
        files.push_back(file_name(FACE, s, 'f', 0));
        files.push_back(file_name(FACE, s, 'r', 0));
        files.push_back(file_name(FACE, s, 'a', 0));
        files.push_back(file_name(BODY, s, 'f', 0));
        if (body_walks_in_own_files(s))
            for (int f = 0; f < 7; f++) files.push_back(file_name(BODY, s, 'r', f));
        if (s >= 2 && s <= 4) files.push_back(file_name(BODY, s, 'a', 0));
    }
    return files;
}

// The file each sprite-table entry is loaded from, borrowed and shared entries included.
std::string slot_file(int part, int s, int slot) {
    if (slot == 0 || slot == 9) return file_name(part, s, 'f', 0);
    if (slot == 8) {
        if (part == LEGS) return file_name(LEGS, 0, 'f', 0);
        if (part == FACE) return file_name(FACE, s, 'a', 0);
        if (s >= 2 && s <= 6) return file_name(BODY, s >= 5 ? 4 : s, 'a', 0);
        return file_name(BODY, s, 'f', 0);
    }
    if (part == FACE) return file_name(FACE, s, 'r', 0);
    if (part == BODY && !body_walks_in_own_files(s)) return file_name(BODY, 4, 'r', slot - 1);
    return file_name(part, s, 'r', slot - 1);
}

// Opaque pixels of one loaded bitmap, as column, row pairs.
struct part_pixels {
    int w = 0, h = 0;
    std::vector<std::pair<int, int>> opaque;
};

std::map<std::string, part_pixels> pixels;
const part_pixels *table[3][10][10];

void load_all() {
    static bool done = false;
    if (done) return;
    done = true;
    for (const std::string &file : expected_files()) {
        BITMAP *bmp = load_bitmap(data_path(file).c_str(), nullptr);
        if (!bmp) continue;
        part_pixels &p = pixels[file];
        p.w = bmp->w;
        p.h = bmp->h;
        for (int y = 0; y < bmp->h; y++)
            for (int x = 0; x < bmp->w; x++)
                if (getpixel(bmp, x, y) != bitmap_mask_color(bmp)) p.opaque.push_back({x, y});
        destroy_bitmap(bmp);
    }
    for (int part = 0; part < 3; part++)
        for (int s = 0; s < 10; s++)
            for (int slot = 0; slot < 10; slot++) {
                auto it = pixels.find(slot_file(part, s, slot));
                table[part][s][slot] = it == pixels.end() ? nullptr : &it->second;
            }
}

const int (*const DX[3])[10] = {leg_dx, body_dx, face_dx};
const int (*const DXF[3])[10] = {leg_dx_flipped, body_dx_flipped, face_dx_flipped};
const int (*const DY[3])[10] = {leg_dy, body_dy, face_dy};

// Person-space positions (feet anchor at 0, 0) of one part's pixels as the game
// draws it: draw_sprite at dx, or draw_sprite_h_flip at the mirrored table's dx.
const std::vector<std::pair<int, int>> &placed(int part, int set, int slot, bool flip) {
    static std::vector<std::pair<int, int>> cache[3][10][10][2];
    static bool filled[3][10][10][2];
    std::vector<std::pair<int, int>> &out = cache[part][set][slot][flip];
    if (filled[part][set][slot][flip]) return out;
    filled[part][set][slot][flip] = true;
    const part_pixels &p = *table[part][set][slot];
    for (auto [x, y] : p.opaque) {
        int px = flip ? DXF[part][set][slot] + p.w - 1 - x : DX[part][set][slot] + x;
        out.push_back({px, DY[part][set][slot] + y});
    }
    return out;
}

constexpr int GRID_X0 = -24, GRID_Y0 = -56, GRID_W = 72, GRID_H = 64;

struct person_grid {
    unsigned char on[GRID_H][GRID_W];
    int top, bottom, left, right;
};

void compose(person_grid &g, const int sets[3], int slot, const bool flips[3]) {
    memset(g.on, 0, sizeof g.on);
    g.top = g.left = 1000;
    g.bottom = g.right = -1000;
    for (int part = 0; part < 3; part++)
        for (auto [x, y] : placed(part, sets[part], slot, flips[part])) {
            g.on[y - GRID_Y0][x - GRID_X0] = 1;
            g.top = std::min(g.top, y);
            g.bottom = std::max(g.bottom, y);
            g.left = std::min(g.left, x);
            g.right = std::max(g.right, x);
        }
}

// Returns a description of what is wrong with the composed person, or "".
std::string check_person(person_grid &g) {
    char why[96];
    if (g.bottom < -1 || g.bottom > 0) {
        snprintf(why, sizeof why, "lowest row %d, not on the feet line", g.bottom);
        return why;
    }
    int height = g.bottom - g.top + 1;
    if (height < 39 || height > 43) {
        snprintf(why, sizeof why, "height %d", height);
        return why;
    }
    for (int y = g.top; y <= g.bottom; y++) {
        bool any = false;
        for (int x = g.left; x <= g.right && !any; x++) any = g.on[y - GRID_Y0][x - GRID_X0];
        if (!any) {
            snprintf(why, sizeof why, "empty row %d between the parts", y);
            return why;
        }
    }
    // One piece: flood from the feet over 8-neighbours must reach every pixel.
    int total = 0;
    static std::vector<std::pair<int, int>> stack;
    stack.clear();
    for (int y = g.top - GRID_Y0; y <= g.bottom - GRID_Y0; y++)
        for (int x = g.left - GRID_X0; x <= g.right - GRID_X0; x++)
            if (g.on[y][x]) {
                total++;
                if (stack.empty()) {
                    stack.push_back({x, y});
                    g.on[y][x] = 2;
                }
            }
    int reached = 0;
    while (!stack.empty()) {
        auto [x, y] = stack.back();
        stack.pop_back();
        reached++;
        for (int ny = y - 1; ny <= y + 1; ny++)
            for (int nx = x - 1; nx <= x + 1; nx++)
                if (ny >= 0 && ny < GRID_H && nx >= 0 && nx < GRID_W && g.on[ny][nx] == 1) {
                    g.on[ny][nx] = 2;
                    stack.push_back({nx, ny});
                }
    }
    if (reached != total) {
        snprintf(why, sizeof why, "%d of %d pixels float apart from the rest", total - reached,
                 total);
        return why;
    }
    return "";
}

class PeopleArt : public testing::Test {
  protected:
    static void SetUpTestSuite() { load_all(); }
    void SetUp() override {
        for (const std::string &file : expected_files())
            if (!pixels.count(file)) GTEST_SKIP() << file << " did not load; see the file-set test";
    }
};

} // namespace

// ---- the file set ---------------------------------------------------------------------

TEST(PeopleArtFiles, ExactlyTheGameFilesAreWrittenAndEachLoads) {
    std::vector<std::string> expected = expected_files();
    ASSERT_EQ(expected.size(), 179u);
    for (const std::string &file : expected) {
        BITMAP *bmp = load_bitmap(data_path(file).c_str(), nullptr);
        EXPECT_NE(bmp, nullptr) << file;
        if (!bmp) continue;
        EXPECT_EQ(bitmap_color_depth(bmp), 16) << file;
        // The transparent pink survives the conversion as the sprite mask colour.
        EXPECT_EQ(getpixel(bmp, 0, 0), bitmap_mask_color(bmp)) << file;
        destroy_bitmap(bmp);
    }
    // Nothing else that looks like a body part: no stray walk faces, no walk or
    // boarding bodies for the sets that borrow them.
    std::set<std::string> wanted(expected.begin(), expected.end());
    int found = 0;
    for (const auto &entry : fs::directory_iterator(HIGHRISE_DATA_DIR)) {
        std::string name = entry.path().filename().string();
        bool part_like = (name.rfind("leg", 0) == 0 || name.rfind("body", 0) == 0 ||
                          name.rfind("face", 0) == 0) &&
                         entry.path().extension() == ".bmp";
        if (!part_like) continue;
        found++;
        EXPECT_TRUE(wanted.count(name)) << "unexpected file " << name;
    }
    EXPECT_EQ(found, 179);
    for (const char *name :
         {"body5-r-0.bmp", "body6-r-6.bmp", "body5-a-0.bmp", "body6-a-0.bmp", "body0-a-0.bmp",
          "body1-a-0.bmp", "body7-a-0.bmp", "body8-a-0.bmp", "body9-a-0.bmp", "face3-r-1.bmp"})
        EXPECT_FALSE(fs::exists(data_path(name))) << name;
}

TEST(PeopleArtFiles, FilesAre24BitBmpsWithAnExactMaskColour) {
    for (const std::string &file : expected_files()) {
        std::ifstream in(data_path(file), std::ios::binary);
        std::vector<unsigned char> b((std::istreambuf_iterator<char>(in)),
                                     std::istreambuf_iterator<char>());
        ASSERT_GE(b.size(), 54u) << file;
        auto le32 = [&](int at) {
            return (int)((uint32_t)b[at] | (uint32_t)b[at + 1] << 8 | (uint32_t)b[at + 2] << 16 |
                         (uint32_t)b[at + 3] << 24);
        };
        ASSERT_EQ(b[0], 'B');
        ASSERT_EQ(b[1], 'M');
        int offset = le32(10), w = le32(18), h = le32(22), bpp = b[28] | b[29] << 8;
        ASSERT_EQ(bpp, 24) << file;
        ASSERT_GT(w, 0);
        ASSERT_GT(h, 0);
        int stride = (w * 3 + 3) & ~3;
        ASSERT_EQ(b.size(), (size_t)(offset + stride * h)) << file;
        int mask = 0, opaque = 0, pinkish = 0;
        for (int y = 0; y < h; y++)
            for (int x = 0; x < w; x++) {
                const unsigned char *p = &b[offset + y * stride + 3 * x]; // blue, green, red
                if (p[2] == 255 && p[1] == 0 && p[0] == 255)
                    mask++;
                else if (p[2] >= 240 && p[1] <= 16 && p[0] >= 240)
                    pinkish++; // would show as a pink speck round the person
                else
                    opaque++;
            }
        EXPECT_GT(mask, 0) << file;
        EXPECT_GT(opaque, 0) << file;
        EXPECT_EQ(pinkish, 0) << file;
    }
}

TEST_F(PeopleArt, PartsAreSizedForTheirPlaceInThePerson) {
    for (int s = 0; s < 10; s++)
        for (int slot = 0; slot < 10; slot++) {
            const part_pixels &legs = *table[LEGS][s][slot];
            EXPECT_EQ(legs.h, -leg_dy[s][slot])
                << "legs end on the feet line, set " << s << " slot " << slot;
            for (int part = 0; part < 3; part++) {
                const part_pixels &p = *table[part][s][slot];
                EXPECT_LE(p.w, 26) << PART[part] << s << " slot " << slot;
                EXPECT_LE(p.h, 20) << PART[part] << s << " slot " << slot;
            }
        }
}

// ---- composition at the anchor offsets ------------------------------------------------

TEST_F(PeopleArt, EveryMixOfSetsJoinsIntoOnePersonOnTheFeetLine) {
    static person_grid g;
    int failures = 0;
    for (int legs = 0; legs < 10; legs++)
        for (int body = 0; body < 10; body++)
            for (int face = 0; face < 10; face++)
                for (int slot = 0; slot < 10; slot++) {
                    bool walking = slot >= 1 && slot <= 7;
                    // Walkers mirror all three parts together; the others each by its own flag.
                    for (int flips = 0; flips < 8; flips++) {
                        if (walking && flips != 0 && flips != 7) continue;
                        const int sets[3] = {legs, body, face};
                        const bool flip[3] = {(flips & 1) != 0, (flips & 2) != 0, (flips & 4) != 0};
                        compose(g, sets, slot, flip);
                        std::string why = check_person(g);
                        if (why.empty() || ++failures > 10) continue;
                        ADD_FAILURE() << "legs " << legs << " body " << body << " face " << face
                                      << " slot " << slot << " mirrored " << flips << ": " << why;
                    }
                }
    EXPECT_EQ(failures, 0);
}

TEST_F(PeopleArt, StandingPeopleFitTheirSlotAndMirrorInPlace) {
    static person_grid g;
    for (int s = 0; s < 10; s++) {
        const int sets[3] = {s, s, s};
        const bool none[3] = {false, false, false};
        compose(g, sets, 0, none);
        int width = g.right - g.left + 1;
        EXPECT_GE(width, 10) << "set " << s;
        EXPECT_LE(width, 15) << "set " << s; // slots are 21 pixels apart
        // A part mirrored by its placement flag covers the same columns.
        for (int part = 0; part < 3; part++) {
            int lo[2] = {1000, 1000}, hi[2] = {-1000, -1000};
            for (int flip = 0; flip < 2; flip++)
                for (auto [x, y] : placed(part, s, 0, flip)) {
                    lo[flip] = std::min(lo[flip], x);
                    hi[flip] = std::max(hi[flip], x);
                }
            EXPECT_EQ(lo[0], lo[1]) << PART[part] << s;
            EXPECT_EQ(hi[0], hi[1]) << PART[part] << s;
        }
    }
}

TEST_F(PeopleArt, WalkingLeftIsTheMirrorImageOfWalkingRight) {
    for (int s = 0; s < 10; s++)
        for (int slot = 1; slot <= 7; slot++) {
            // Legs and body exactly, about x = 9.5.
            for (int part : {LEGS, BODY}) {
                std::set<std::pair<int, int>> right, left;
                for (auto [x, y] : placed(part, s, slot, false)) right.insert({19 - x, y});
                for (auto p : placed(part, s, slot, true)) left.insert(p);
                EXPECT_EQ(right, left) << PART[part] << s << " slot " << slot;
            }
            // The single side face is drawn at per-frame offsets: within a pixel.
            int right_lo = 1000, left_lo = 1000;
            for (auto [x, y] : placed(FACE, s, slot, false)) right_lo = std::min(right_lo, x);
            for (auto [x, y] : placed(FACE, s, slot, true)) left_lo = std::min(left_lo, 19 - x);
            EXPECT_LE(std::abs(right_lo - left_lo), 1) << "face " << s << " slot " << slot;
        }
}

TEST_F(PeopleArt, APlantedFootStaysOnItsFloorPixelBetweenWalkFrames) {
    for (int s = 0; s < 10; s++)
        for (int f = 0; f < 7; f++) {
            // A walker facing right moves by the step before its next frame shows.
            std::set<int> now, next;
            for (auto [x, y] : placed(LEGS, s, 1 + f, false))
                if (y == -1) now.insert(x);
            for (auto [x, y] : placed(LEGS, s, 1 + (f + 1) % 7, false))
                if (y == -1) next.insert(x + WALK_STEP[f]);
            bool shared = false;
            for (int x : now) shared = shared || next.count(x);
            EXPECT_TRUE(shared) << "legs " << s << ": the feet slide between frames " << f
                                << " and " << (f + 1) % 7;
        }
}

// ---- generation -----------------------------------------------------------------------------

TEST(PeopleArtGeneration, TwoRunsWriteTheSameBytes) {
    char a[] = "/tmp/people_art_a_XXXXXX", b[] = "/tmp/people_art_b_XXXXXX";
    ASSERT_NE(mkdtemp(a), nullptr);
    ASSERT_NE(mkdtemp(b), nullptr);
    ASSERT_TRUE(gen_people(a));
    ASSERT_TRUE(gen_people(b));
    for (const std::string &file : expected_files()) {
        std::ifstream fa(std::string(a) + "/" + file, std::ios::binary),
            fb(std::string(b) + "/" + file, std::ios::binary);
        std::string da((std::istreambuf_iterator<char>(fa)), {}),
            db((std::istreambuf_iterator<char>(fb)), {});
        EXPECT_FALSE(da.empty()) << file;
        EXPECT_EQ(da, db) << file;
    }
    fs::remove_all(a);
    fs::remove_all(b);
}

TEST(PeopleArtGeneration, AnUnwritableFolderIsReportedAsAFailure) {
    EXPECT_FALSE(gen_people("/nonexistent-folder/for/people"));
}
