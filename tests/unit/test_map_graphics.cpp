// Tile graphics: conversion from every file depth to every screen depth with the mask
// rules and the choice of graphics chunk; drawing, checked pixel by pixel.
#include "test_map_util.h"

#include <array>
#include <cstdlib>

using GraphicsTest = MapTest;

// The tile of one graphic, a row of pixels at the depth; given "AGFX", "BGFX" comes first.
static ints convert(int depth, const bytes &pixels, const bytes &cmap = {},
                    const bytes &agfx = {}) {
    fmp::Map m = small_map(1, 1, 1, 1);
    m.block_depth = (int16_t)depth, m.block_height = 1;
    m.block_width = (int16_t)(pixels.size() / ((depth + 1) / 8));
    m.gfx = pixels, m.cmap = cmap, m.agfx = agfx;
    if (!agfx.empty()) m.chunk_order = {"MPHD", "BGFX", "CMAP", "BKDT", "AGFX", "BODY"};
    ints out;
    if (load_map(m) == 0)
        for (int x = 0; x < m.block_width; x++) out.push_back(getpixel(tile_bitmaps[0], x, 0));
    return out;
}

// The game loads its map while translucent drawing is in force: tiles must not blend.
TEST_F(GraphicsTest, HighColourScreensExpandComponentsAndKeepTheMask) {
    bytes cmap(768, 0); // index 0 is forced to the mask; 5 is the mask colour all the same
    cmap[0] = 90, cmap[15] = cmap[17] = 255, cmap[18] = 10, cmap[19] = 200, cmap[20] = 30;
    set_trans_blender(0, 0, 0, 210);
    drawing_mode(DRAW_MODE_TRANS, nullptr, 0, 0);
    for (int d : {16, 15, 24, 32}) {
        use_screen_depth(d);
        SCOPED_TRACE(d);
        auto c = [d](int r, int g, int b) { return makecol_depth(d, r, g, b); };
        const int mask = c(255, 0, 255);
        EXPECT_EQ(convert(8, {0, 5, 6}, cmap), ints({mask, mask, c(10, 200, 30)}));
        // 5-bit 1 becomes 8, 6-bit 1 becomes 4, full components 255; "AGFX" is ignored.
        EXPECT_EQ(convert(16, {0xf8, 0x1f, 0x08, 0x21, 0xff, 0xff, 0x84, 0x10}, cmap, {6, 6, 6, 6}),
                  ints({mask, c(8, 4, 8), c(255, 255, 255), c(132, 130, 132)}));
        // Bit 15 of a 15-bit pixel does not count.
        EXPECT_EQ(convert(15, {0x7c, 0x1f, 0x04, 0x21, 0xfc, 0x00}),
                  ints({mask, c(8, 8, 8), c(255, 0, 0)}));
        EXPECT_EQ(convert(24, {255, 0, 255, 200, 100, 50}), ints({mask, c(200, 100, 50)}));
        EXPECT_EQ(convert(32, {9, 255, 0, 255, 0, 200, 100, 50}), ints({mask, c(200, 100, 50)}));
        EXPECT_EQ(ints({block_depth, bitmap_color_depth(tile_bitmaps[0])}), ints({d, d}));
    }
    drawing_mode(DRAW_MODE_SOLID, nullptr, 0, 0);
}

TEST_F(GraphicsTest, EightBitScreen) {
    use_screen_depth(8);
    // Palette graphics keep their indexes, 0 included, and need no colour map; "AGFX" wins.
    EXPECT_EQ(convert(8, {0, 200, 17}), ints({0, 200, 17}));
    EXPECT_EQ(convert(24, {255, 0, 255, 250, 10, 10}), ints({0, makecol8(250, 10, 10)}));
    EXPECT_EQ(convert(32, {77, 10, 120, 240, 1, 255, 0, 255}), ints({makecol8(10, 120, 240), 0}));
    EXPECT_EQ(convert(16, {0xf8, 0x1f, 0x07, 0xe0}), ints({0, makecol8(0, 255, 0)}));
    EXPECT_EQ(convert(16, {0xf8, 0x1f, 0x07, 0xe0}, bytes(768), {6, 7}), ints({6, 7}));
}

constexpr int BACKDROP = 12345;

// Draws the map from (map_x, map_y) into the rectangle (x0, y0, w, h) over the backdrop
// and counts the pixels unlike the 64 x 64 tiles inside, or the backdrop elsewhere.
static int wrong_pixels(BITMAP *dest, const int (&view)[6]) {
    auto [map_x, map_y, x0, y0, w, h] = view;
    clear_to_color(dest, BACKDROP);
    map_draw_background(dest, map_x, map_y, x0, y0, w, h);
    int wrong = 0;
    for (int p = 0; p < dest->w * dest->h; p++) {
        int x = p % dest->w, y = p / dest->w, expected = BACKDROP;
        int mx = x - x0 + map_x, my = y - y0 + map_y;
        if (x >= x0 && x < x0 + w && y >= y0 && y < y0 + h && mx >= 0 && my >= 0 &&
            mx < map_width * 64 && my < map_height * 64) {
            const map_block *b = map_get_block(mx / 64, my / 64);
            int tile = getpixel(b->bg_gfx, mx % 64, my % 64);
            bool drawn = b->bg_gfx != tile_bitmaps[0] && tile != makecol(255, 0, 255);
            if (drawn || !(b->flags & BLOCK_TRANSPARENT)) expected = tile;
        }
        wrong += getpixel(dest, x, y) != expected;
    }
    return wrong;
}

// Graphics 0 and 2 are gradients, 1 one with mask squares; blocks 0 to 4 show 1, 2, 0, 0,
// 1, blocks 1 (no mask pixel), 3 (not drawn) and 4 flagged; cells -1 show block 4, then 0.
TEST_F(GraphicsTest, TilesDrawOpaqueMaskedOrSkippedInsideTheRectangleOnly) {
    fmp::Map m = small_map(28, 20, 3, 5);
    m.block_width = m.block_height = 64;
    m.gfx.clear();
    for (int p = 0; p < 3 * 64 * 64; p++) {
        int n = p / 4096, x = p % 64, y = p / 64 % 64, hole = n == 1 && (x / 8 + y / 8) % 2;
        fmp::put_pixel16(m.gfx, hole ? 255 : n * 90 + 10, hole ? 0 : x * 4, hole ? 255 : y * 4);
    }
    for (int i = 0; i < 5; i++)
        m.blocks[i].bg = "12001"[i] - '0',
        m.blocks[i].flags = "01011"[i] == '1' ? BLOCK_TRANSPARENT : 0;
    m.anim_frames = {4, 0};
    m.anims = {{ANIM_LOOP_FORWARD, 0, 0, 0, 0, 0, 2}};
    for (int i = 0; i < 28 * 20; i++) m.layers[0][i] = (int16_t)((i % 28 * 3 + i / 28) % 6 - 1);
    ASSERT_EQ(load_map(m), 0);
    // Past the map's edges, partial tiles, off the bitmap, empty; animations in between.
    BITMAP *dest = create_bitmap(300, 240);
    const int views[][6] = {{1700, 1200, 0, 0, 300, 240}, {100, 37, 10, 20, 150, 100},
                            {-30, -50, 5, 5, 200, 200},   {200, 150, -20, -10, 400, 300},
                            {10, 10, 300, 0, 50, 50},     {10, 10, 0, 240, 50, 50},
                            {0, 0, -50, 0, 50, 50},       {0, 0, 10, 10, 0, 50}};
    for (auto &v : views) {
        EXPECT_EQ(wrong_pixels(dest, v), 0) << v[0] << "," << v[1] << " at " << v[2] << "," << v[3];
        map_update_animations();
    }
    destroy_bitmap(dest);
    // The game's view: 14 columns, the first row of tiles cut at y = -36, 13 rows.
    dest = create_bitmap(1024, 768);
    EXPECT_EQ(wrong_pixels(dest, {14 * 64, 100, 64, 0, 896, 768}), 0);
    for (int state : {TRUE, FALSE}) { // the clip comes back exactly
        set_clip_rect(dest, 3, 4, 120, 90);
        set_clip_state(dest, state);
        map_draw_background(dest, 10, 10, 50, 40, 100, 80);
        int x1, y1, x2, y2;
        get_clip_rect(dest, &x1, &y1, &x2, &y2);
        EXPECT_EQ(ints({x1, y1, x2, y2, get_clip_state(dest)}), ints({3, 4, 120, 90, state}));
    }
    map_free();
    map_draw_background(dest, 0, 0, 0, 0, 100, 80); // without a map: nothing
    EXPECT_EQ(getpixel(dest, 5, 5), BACKDROP);
    destroy_bitmap(dest);
}

// Staggered maps: diamonds 8 x 4 pixels, odd rows shifted by half a tile right and down.
// Graphic 0 is the pick mask, graphics 1 to 7 are diamonds of seven colours, and the
// cells make every neighbour differ. Each pixel drawn must show the block that the
// pixel pick finds there: a row drawn without its shift, or a pick into the wrong
// neighbouring row or column, shows another colour.
TEST_F(GraphicsTest, StaggeredRowsAreDrawnWhereThePixelPickFindsThem) {
    constexpr int W = 8, H = 4, COLS = 6, ROWS = 10, BLOCKS = 7;
    fmp::Map m = small_map(COLS, ROWS, BLOCKS + 1, BLOCKS);
    m.block_width = W, m.block_height = H, m.header_size = 38;
    m.block_step_x = W, m.block_step_y = H, m.block_stagger_x = W / 2, m.block_stagger_y = H / 2;
    m.gfx.clear();
    // |x - 3.5| / 4 + |y - 1.5| / 2 < 1, in whole numbers; never exactly 1.
    auto inside = [](int x, int y) { return std::abs(2 * x - 7) + 2 * std::abs(2 * y - 3) < 8; };
    auto colour = [](int n) { return std::array<int, 3>{40 * n, 255 - 30 * n, 20 + 25 * n}; };
    for (int n = 0; n <= BLOCKS; n++)
        for (int p = 0; p < W * H; p++) {
            auto c = colour(n);
            if (inside(p % W, p / W))
                fmp::put_pixel16(m.gfx, c[0], c[1], c[2]);
            else
                fmp::put_pixel16(m.gfx, 255, 0, 255);
        }
    m.pick_mask_gfx = 1; // graphic 0 would read as an empty tile
    for (int i = 0; i < BLOCKS; i++) m.blocks[i].bg = i + 1, m.blocks[i].flags = BLOCK_TRANSPARENT;
    for (int i = 0; i < COLS * ROWS; i++)
        m.layers[0][i] = (int16_t)((i % COLS + 3 * (i / COLS)) % BLOCKS);
    ASSERT_EQ(load_map(m), 0);
    BITMAP *dest = create_bitmap(COLS * W, ROWS * H / 2);
    clear_to_color(dest, BACKDROP);
    map_draw_background(dest, 0, 0, 0, 0, dest->w, dest->h);
    int wrong = 0, checked = 0;
    // Away from the edges, where the pick holds a pixel to the map's first or last tile.
    for (int y = H; y < dest->h - H; y++)
        for (int x = W; x < dest->w - W; x++, checked++) {
            const map_block *b = map_get_block_at_pixel(x, y);
            auto c = colour((int)(b - map_blocks) + 1);
            wrong += getpixel(dest, x, y) != makecol(c[0], c[1], c[2]);
        }
    EXPECT_EQ(wrong, 0) << "of " << checked;
    destroy_bitmap(dest);
}
