// Maps of the game's size take the loader's fast paths: graphics of more pixels than
// their depth has values are converted through a table, same-sized pixels are
// converted where they lie, plain files are read through stdio. Each path must give
// exactly what the plain per-pixel path gives on small graphics.
#include "test_map_util.h"

#include <allegro.h>
#include <cstring>

namespace {

using LargeGraphicsTest = MapTest;

// `tiles` graphics of size x size pixels at `depth` whose pixels count through every
// value the depth has (palette indexes, or 16-bit words high byte first).
fmp::Map counting_map(int depth, int tiles, int size = 64) {
    fmp::Map m = small_map(2, 2, tiles, tiles);
    m.block_width = m.block_height = (int16_t)size;
    m.block_depth = (int16_t)depth;
    m.gfx.clear();
    const int values = depth == 8 ? 256 : 65536;
    for (int p = 0; p < tiles * size * size; p++) {
        int v = (int)((int64_t)p * 40503 % values); // every value, in a scrambled order
        if (depth != 8) m.gfx.push_back((uint8_t)(v >> 8));
        m.gfx.push_back((uint8_t)v);
    }
    if (depth == 8)
        for (int i = 0; i < 768; i++) m.cmap.push_back((uint8_t)(i * 7 + i / 3));
    return m;
}

std::vector<int> tile_pixels(int tiles) {
    std::vector<int> out;
    for (int n = 0; n < tiles; n++)
        for (int y = 0; y < tile_bitmaps[n]->h; y++)
            for (int x = 0; x < tile_bitmaps[n]->w; x++)
                out.push_back(getpixel(tile_bitmaps[n], x, y));
    return out;
}

// Graphics of exactly as many pixels as the depth has values take the per-pixel
// path; the same graphics with more after them take the table.
void expect_paths_agree(int depth) {
    const int tiles = depth == 8 ? 1 : 16, size = depth == 8 ? 16 : 64;
    ASSERT_EQ(load_map(counting_map(depth, tiles, size)), 0);
    std::vector<int> plain = tile_pixels(tiles);
    ASSERT_EQ(load_map(counting_map(depth, tiles + 3, size)), 0);
    EXPECT_EQ(tile_pixels(tiles), plain) << depth << "-bit graphics";
}

} // namespace

TEST_F(LargeGraphicsTest, TableConversionMatchesThePerPixelOne) {
    expect_paths_agree(16);
    expect_paths_agree(15);
    for (int depth : {32, 8}) {
        use_screen_depth(depth);
        expect_paths_agree(16);
        expect_paths_agree(8);
    }
}

// Converted in place, the kept graphics hold the screen values the tiles show.
TEST_F(LargeGraphicsTest, GraphicsConvertedInPlaceMatchTheTiles) {
    ASSERT_EQ(load_map(counting_map(16, 20)), 0);
    for (int n = 0; n < 20; n++)
        for (int y = 0; y < 64; y++)
            ASSERT_EQ(memcmp(tile_bitmaps[n]->line[y], gfx_data + ((size_t)n * 64 + y) * 128, 128),
                      0);
}

// A packed file still goes through the library and loads as the plain one does.
TEST_F(LargeGraphicsTest, PackedAndPlainFilesLoadAlike) {
    fmp::Map m = counting_map(16, 18);
    ASSERT_EQ(load_map(m), 0);
    ints plain = map_state();
    std::string path = testing::TempDir() + "highrise_packed_" + std::to_string(getpid()) + ".fmp";
    bytes file = fmp::write(m);
    PACKFILE *f = pack_fopen(path.c_str(), "wp");
    ASSERT_NE(f, nullptr);
    pack_fwrite(file.data(), (long)file.size(), f);
    pack_fclose(f);
    map_free();
    ASSERT_EQ(map_load(path.c_str()), 0);
    remove(path.c_str());
    EXPECT_TRUE(map_state() == plain);
}
