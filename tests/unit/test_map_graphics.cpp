// Tile graphics: pixel conversion from every file depth to every screen depth with
// the mask rules, the converted data, and the tile bitmap table.
#include "test_map_util.h"

using GraphicsTest = MapTest;

// Loads one graphic, a single row of pixels at the given depth, and answers the tile
// bitmap's pixels.
static std::vector<int> convert(int depth, const bytes &pixels, const bytes &cmap = {}) {
    fmp::Map m = small_map(1, 1, 1, 1);
    m.block_depth = (int16_t)depth;
    m.block_width = (int16_t)(pixels.size() / ((depth + 1) / 8));
    m.block_height = 1;
    m.gfx = pixels;
    m.cmap = cmap;
    std::vector<int> out;
    if (load_map(m) != 0) return out;
    for (int x = 0; x < m.block_width; x++) out.push_back(getpixel(tile_bitmaps[0], x, 0));
    return out;
}

static bytes palette_with(int index, int r, int g, int b) {
    bytes cmap(768, 0);
    cmap[3 * index] = (uint8_t)r, cmap[3 * index + 1] = (uint8_t)g,
             cmap[3 * index + 2] = (uint8_t)b;
    return cmap;
}

TEST_F(GraphicsTest, SixteenBitScreen) {
    const int mask = makecol(255, 0, 255);
    bytes cmap = palette_with(5, 255, 0, 255);
    cmap[18] = 10, cmap[19] = 200, cmap[20] = 30;
    EXPECT_EQ(convert(8, {0, 5, 6}, cmap), (std::vector<int>{mask, mask, makecol(10, 200, 30)}));
    EXPECT_EQ(convert(16, {0xf8, 0x1f, 0x08, 0x21}), (std::vector<int>{mask, makecol(8, 4, 8)}));
    EXPECT_EQ(convert(15, {0x7c, 0x1f, 0x7f, 0xff}), (std::vector<int>{mask, 0xffff}));
    EXPECT_EQ(convert(24, {255, 0, 255, 1, 2, 3}), (std::vector<int>{mask, makecol(1, 2, 3)}));
    EXPECT_EQ(convert(32, {9, 255, 0, 255, 0, 200, 100, 50}),
              (std::vector<int>{mask, makecol(200, 100, 50)}));
    EXPECT_EQ(block_depth, 16);
}

TEST_F(GraphicsTest, ComponentsExpandToEightBits) {
    screen_of_depth d32(32);
    // 5-bit 1 becomes 8, 6-bit 1 becomes 4; full components become 255.
    EXPECT_EQ(
        convert(16, {0x08, 0x21, 0xff, 0xff, 0x84, 0x10}),
        (std::vector<int>{makecol32(8, 4, 8), makecol32(255, 255, 255), makecol32(132, 130, 132)}));
    EXPECT_EQ(convert(15, {0x04, 0x21, 0x7c, 0x1f, 0xfc, 0x00}),
              (std::vector<int>{makecol32(8, 8, 8), makecol32(255, 0, 255), makecol32(255, 0, 0)}));
    // Converted data: a zero byte, then the screen value high byte first.
    EXPECT_EQ(gfx_data[0], 0);
    EXPECT_EQ(gfx_data[1] << 16 | gfx_data[2] << 8 | gfx_data[3], makecol32(8, 8, 8));
    EXPECT_EQ(block_depth, 32);
}

TEST_F(GraphicsTest, TwentyFourAndFifteenBitScreens) {
    {
        screen_of_depth d24(24);
        EXPECT_EQ(convert(24, {1, 2, 3, 255, 0, 255}),
                  (std::vector<int>{makecol24(1, 2, 3), makecol24(255, 0, 255)}));
        EXPECT_EQ(gfx_data[0] << 16 | gfx_data[1] << 8 | gfx_data[2], makecol24(1, 2, 3));
        EXPECT_EQ(bitmap_color_depth(tile_bitmaps[0]), 24);
    }
    screen_of_depth d15(15);
    EXPECT_EQ(convert(16, {0x08, 0x21, 0xf8, 0x1f}),
              (std::vector<int>{makecol15(8, 4, 8), makecol15(255, 0, 255)}));
    uint16_t stored;
    memcpy(&stored, gfx_data, 2);
    EXPECT_EQ(stored, makecol15(8, 4, 8));
}

TEST_F(GraphicsTest, EightBitScreen) {
    screen_of_depth d8(8);
    // Palette graphics keep their indexes, index 0 included, with no colour map needed.
    EXPECT_EQ(convert(8, {0, 200, 17}), (std::vector<int>{0, 200, 17}));
    EXPECT_EQ(convert(24, {255, 0, 255, 250, 10, 10}),
              (std::vector<int>{0, makecol8(250, 10, 10)}));
    std::vector<int> with_zero = convert(32, {0, 10, 120, 240, 0, 255, 0, 255});
    EXPECT_EQ(convert(32, {77, 10, 120, 240, 1, 255, 0, 255}), with_zero);
    EXPECT_EQ(with_zero, (std::vector<int>{makecol8(10, 120, 240), 0}));
    EXPECT_EQ(convert(16, {0xf8, 0x1f, 0x07, 0xe0}), (std::vector<int>{0, makecol8(0, 255, 0)}));
}

TEST_F(GraphicsTest, TileTableAndBlockReferences) {
    fmp::Map m = small_map(2, 1, 10, 2);
    m.blocks[0].bg = 0;
    m.blocks[1] = {9, 0, 4, 0};
    ASSERT_EQ(load_map(m), 0);
    for (int n = 0; n < 10; n++) {
        ASSERT_NE(tile_bitmaps[n], nullptr);
        EXPECT_EQ(tile_bitmaps[n]->w, 4);
        EXPECT_EQ(tile_bitmaps[n]->h, 4);
        EXPECT_EQ(bitmap_color_depth(tile_bitmaps[n]), 16);
        EXPECT_FALSE(get_clip_state(tile_bitmaps[n]));
        EXPECT_EQ(getpixel(tile_bitmaps[n], 3, 3), makecol(8 * n, 4 * n, 8 * n));
    }
    EXPECT_EQ(tile_bitmaps[10], nullptr);
    EXPECT_EQ(map_blocks[0].bg_gfx, tile_bitmaps[0]);
    EXPECT_EQ(map_blocks[0].fg_gfx1, nullptr);
    EXPECT_EQ(map_blocks[1].bg_gfx, tile_bitmaps[9]);
    EXPECT_EQ(map_blocks[1].fg_gfx2, tile_bitmaps[4]);
    EXPECT_EQ(map_blocks[1].fg_gfx3, nullptr);
}

TEST_F(GraphicsTest, TranslucentDrawingModeDoesNotTintTiles) {
    set_trans_blender(0, 0, 0, 210);
    drawing_mode(DRAW_MODE_TRANS, nullptr, 0, 0);
    std::vector<int> pixels = convert(24, {200, 100, 50});
    drawing_mode(DRAW_MODE_SOLID, nullptr, 0, 0);
    EXPECT_EQ(pixels, std::vector<int>{makecol(200, 100, 50)});
}

TEST_F(GraphicsTest, NoScreenFailsWithNothingLoaded) {
    BITMAP *saved = screen;
    screen = nullptr;
    int result = load_map(small_map());
    screen = saved;
    EXPECT_EQ(result, -1);
    EXPECT_EQ(map_error, MAP_ERR_NO_SCREEN);
    EXPECT_TRUE(map_unloaded());
}
