// The start-up images and font, checked against their own headers: the game's own
// files load as the library would load them; cut or damaged copies are refused in
// words, and a damaged backdrop never reaches the JPEG decoder unfinished.
#include "shell/asset_files.h"
#include "support/headless.h"
#include "support/temp_files.h"

#include <gtest/gtest.h>
#include <jpgalleg.h>

#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

using bytes = std::vector<uint8_t>;

bytes data_file(const std::string &name) {
    std::string s = file_bytes(data_path(name));
    return bytes(s.begin(), s.end());
}

struct AssetFilesTest : testing::Test {
    temp_dir dir;
    void SetUp() override { headless_init(); }
    // The reason a copy of `file` under `name` is refused, "" when it loads.
    std::string refusal(const std::string &name, const bytes &file) {
        std::string path = dir.path + "/" + name, why;
        std::ofstream(path, std::ios::binary).write((const char *)file.data(), (long)file.size());
        if (name == "font.dat") {
            DATAFILE *d = asset_load_datafile(path.c_str(), &why);
            if (d) unload_datafile(d);
        } else if (BITMAP *b = asset_load_bitmap(path.c_str(), &why)) {
            destroy_bitmap(b);
        }
        return why;
    }
};

// Pixels of two pictures of one size whose components lie more than `levels` apart;
// -1 when the sizes or depths differ.
long pixels_apart(BITMAP *a, BITMAP *b, int levels) {
    if (a->w != b->w || a->h != b->h || bitmap_color_depth(a) != bitmap_color_depth(b)) return -1;
    long apart = 0;
    for (int y = 0; y < a->h; y++)
        for (int x = 0; x < a->w; x++) {
            int p = getpixel(a, x, y), q = getpixel(b, x, y);
            apart += std::abs(getr(p) - getr(q)) > levels || std::abs(getg(p) - getg(q)) > levels ||
                     std::abs(getb(p) - getb(q)) > levels;
        }
    return apart;
}

TEST_F(AssetFilesTest, TheGamesOwnFilesLoadAsTheLibraryLoadsThem) {
    for (const char *name : {"helicopter.bmp", "la.jpg", "stop.tga", "save.tga", "leg3-r-2.bmp"}) {
        std::string why;
        BITMAP *checked = asset_load_bitmap(data_path(name).c_str(), &why);
        BITMAP *plain = load_bitmap(data_path(name).c_str(), nullptr);
        ASSERT_TRUE(checked && plain) << name << ": " << why;
        // The backdrop's decoder is another than the library's add-on: the two round
        // differently, mostly by one step of a 16-bit component (8 levels) at most.
        const bool backdrop = strcmp(name, "la.jpg") == 0;
        const long apart = pixels_apart(checked, plain, backdrop ? 9 : 0);
        EXPECT_TRUE(apart >= 0 && apart <= (backdrop ? 1024 * 768 / 1000 : 0)) << name << apart;
        EXPECT_EQ(bitmap_color_depth(checked), 16) << name;
        destroy_bitmap(checked), destroy_bitmap(plain);
    }
    std::string why;
    DATAFILE *font = asset_load_datafile(data_path("font.dat").c_str(), &why);
    ASSERT_TRUE(font) << why;
    EXPECT_EQ(font[0].type, DAT_FONT);
    unload_datafile(font);
    EXPECT_EQ(refusal("missing.bmp", {}), "it is not a BMP file");
    std::string path = dir.path + "/none.tga";
    EXPECT_TRUE(!asset_load_bitmap(path.c_str(), &why) && why == "the file is missing");
    EXPECT_TRUE(!asset_load_bitmap(dir.path.c_str(), &why) && why == "it is not a regular file");
}

// Each file cut to half its size, as the attack found them loading half blank.
TEST_F(AssetFilesTest, HalfFilesAreRefusedWithTheSizesTheirHeadersPromise) {
    for (const char *name : {"helicopter.bmp", "stop.tga", "save.tga", "body4-a-0.bmp"}) {
        bytes file = data_file(name);
        size_t whole = file.size();
        file.resize(whole / 2);
        EXPECT_EQ(refusal(name, file), "the file is cut short: its header promises " +
                                           std::to_string(whole) + " bytes, the file has " +
                                           std::to_string(whole / 2))
            << name;
    }
    bytes font = data_file("font.dat");
    font.resize(font.size() / 2);
    EXPECT_EQ(refusal("font.dat", font), "the file is cut short: its object 1 is not all there");
    font.resize(20);
    EXPECT_EQ(refusal("font.dat", font),
              "the file is cut short: its object 1 has a property that is not all there");
    EXPECT_EQ(refusal("font.dat", bytes(font.begin(), font.begin() + 6)),
              "it is not an Allegro datafile");
}

TEST_F(AssetFilesTest, DamagedImageHeadersAreRefused) {
    bytes bmp = data_file("helicopter.bmp"), tga = data_file("stop.tga");
    auto patched = [](bytes b, size_t at, std::initializer_list<uint8_t> v) {
        std::copy(v.begin(), v.end(), b.begin() + (long)at);
        return b;
    };
    EXPECT_EQ(refusal("h.bmp", patched(bmp, 18, {0, 0, 1, 0})),
              "its header gives a size of 65536 x " + std::to_string(bmp[22] | bmp[23] << 8) +
                  " pixels");
    EXPECT_EQ(refusal("h.bmp", patched(bmp, 28, {7, 0})), "its header gives 7 bits per pixel");
    EXPECT_EQ(refusal("h.bmp", patched(bmp, 30, {4, 0, 0, 0})),
              "it is compressed in a way the game cannot read");
    EXPECT_EQ(refusal("h.bmp", patched(bmp, 30, {1, 0, 0, 0})),
              "it is a run-length compressed BMP, which the game does not read");
    EXPECT_EQ(refusal("h.bmp", patched(bmp, 14, {20, 0, 0, 0})), "its header is damaged");
    EXPECT_EQ(refusal("s.tga", patched(tga, 2, {5})), "it is not a TGA image the game can read");
    EXPECT_EQ(refusal("s.tga", patched(tga, 12, {0, 0})),
              "its header gives a size of 0 x 16 pixels");
    // A run-length TGA of 3 x 2 pixels: a run of 3, then 1 and 2 pixels as they are.
    const bytes head = {0, 0, 10, 0, 0, 0, 0, 0, 0, 0, 0, 0, 3, 0, 2, 0, 24, 0};
    bytes rle = head, across = head;
    for (int v : {0x82, 1, 2, 3, 0x00, 4, 5, 6, 0x01, 7, 8, 9, 10, 11, 12}) rle.push_back(v);
    EXPECT_EQ(refusal("r.tga", rle), "");
    EXPECT_EQ(refusal("r.tga", bytes(rle.begin(), rle.end() - 1)),
              "the file is cut short: its header promises 33 bytes, the file has 32");
    EXPECT_EQ(refusal("r.tga", bytes(rle.begin(), rle.begin() + 22)),
              "the file is cut short: its header promises 23 bytes, the file has 22");
    // The same as a run of 4 and 2 as they are: the run goes on into the second row,
    // which the library would write past the end of the first.
    for (int v : {0x83, 1, 2, 3, 0x01, 4, 5, 6, 7, 8, 9}) across.push_back(v);
    EXPECT_EQ(refusal("r.tga", across), "its run-length packets run across rows");
}

// Cut anywhere, the backdrop is refused before the decoder sees it; cut and closed
// again with an end marker (so that the check passes), the decoder finds the data
// short and it is refused all the same. (Run under the sanitizers, this also shows
// that nothing reads past the file's bytes.)
// The decoder takes what the game's add-on writes: grey, and colour at every sampling.
TEST_F(AssetFilesTest, JpegsOfEveryKindTheAddOnWritesAreDecoded) {
    BITMAP *picture = create_bitmap(40, 24);
    for (int y = 0; y < 24; y++)
        for (int x = 0; x < 40; x++) putpixel(picture, x, y, makecol(x * 6, y * 10, 120));
    static char buffer[65536];
    for (int flags : {JPG_SAMPLING_444, JPG_SAMPLING_422, JPG_SAMPLING_411, JPG_GREYSCALE}) {
        int size = sizeof buffer;
        ASSERT_EQ(save_memory_jpg_ex(buffer, &size, picture, nullptr, 90, flags, nullptr), 0);
        std::string why = refusal("x.jpg", bytes(buffer, buffer + size));
        EXPECT_EQ(why, "") << flags;
    }
    destroy_bitmap(picture);
}

TEST_F(AssetFilesTest, ABackdropCutAnywhereIsRefused) {
    const bytes jpeg = data_file("la.jpg");
    EXPECT_EQ(asset_jpeg_problem(jpeg.data(), jpeg.size()), "");
    int refused = 0, cuts = 0;
    for (size_t cut = 0; cut < jpeg.size(); cut += 997, cuts++) {
        std::string why = asset_jpeg_problem(jpeg.data(), cut);
        refused += why == "its JPEG data ends without an end-of-image marker" ||
                   why == "it is not a JPEG file";
    }
    EXPECT_EQ(refused, cuts);
    for (size_t cut = 3000; cut < jpeg.size(); cut += 9973) {
        bytes closed(jpeg.begin(), jpeg.begin() + (long)cut);
        closed.push_back(0xff), closed.push_back(0xd9);
        EXPECT_EQ(refusal("la.jpg", closed),
                  "its JPEG data is damaged (Corrupt JPEG data: premature end of data segment)")
            << cut;
    }
    // A frame too wide, a frame header calling the data progressive, a segment longer
    // than the file, no scan, no marker.
    size_t sof = 2;
    while (!(jpeg[sof] == 0xff && jpeg[sof + 1] == 0xc0)) sof++;
    bytes wide = jpeg, progressive = jpeg;
    wide[sof + 7] = 0x20, wide[sof + 8] = 0;
    EXPECT_EQ(refusal("la.jpg", wide), "its header gives a size of 8192 x 768 pixels");
    progressive[sof + 1] = 0xc2;
    EXPECT_EQ(refusal("la.jpg", progressive).rfind("its JPEG data is damaged (", 0), 0u);
    EXPECT_EQ(refusal("la.jpg", {0xff, 0xd8, 0xff, 0xe0, 0x40, 0, 1, 2, 0xff, 0xd9}),
              "its JPEG data ends without an end-of-image marker");
    EXPECT_EQ(refusal("la.jpg", {0xff, 0xd8, 0xff, 0xd9}), "it holds no image data");
    EXPECT_EQ(refusal("la.jpg", {0xff, 0xd8, 0x12, 0xd9}), "its JPEG markers are damaged");
}

} // namespace
