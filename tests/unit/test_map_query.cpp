// Map queries: layer selection, cells, pixel to tile with its guards, staggered
// picking, and the cell check used by readers of stored cells.
#include "support/test_map.h"
#include "test_map_util.h"

using QueryTest = MapTest;

static std::vector<test_block> numbered_blocks(int count) {
    std::vector<test_block> blocks(count);
    for (int i = 0; i < count; i++) blocks[i].user1 = i;
    return blocks;
}

TEST_F(QueryTest, PixelsOutsideTheMapAnswerNothing) {
    test_map_create(5, 3, numbered_blocks(4));
    map_set_cell(4, 0, 3);
    map_set_cell(0, 2, 1);
    EXPECT_EQ(map_get_block_at_pixel(-1, 0), nullptr);
    EXPECT_EQ(map_get_block_at_pixel(0, -1), nullptr);
    EXPECT_EQ(map_get_block_at_pixel(5 * 64, 0), nullptr);
    EXPECT_EQ(map_get_block_at_pixel(0, 3 * 64), nullptr);
    EXPECT_EQ(map_get_block_at_pixel(5 * 64 - 1, 0), &map_blocks[3]);
    EXPECT_EQ(map_get_block_at_pixel(63, 3 * 64 - 1), &map_blocks[1]);
    map_set_cell_at_pixel(-1, 10, 2);
    map_set_cell_at_pixel(10, 3 * 64, 2);
    for (int r = 0; r < 3; r++)
        for (int c = 0; c < 5; c++) EXPECT_NE(map_get_cell(c, r), 2);
    map_free();
    EXPECT_EQ(map_get_block_at_pixel(0, 0), nullptr);
    map_set_cell_at_pixel(0, 0, 2); // no map: nothing happens
}

TEST_F(QueryTest, StoringAtAPixelLastsUntilTheNextLoad) {
    fmp::Map m = small_map(3, 2, 3, 4);
    ASSERT_EQ(load_map(m), 0);
    map_set_cell_at_pixel(4 * 2 + 3, 4 + 1, 2);
    EXPECT_EQ(map_get_block_at_pixel(8, 4), &map_blocks[2]);
    EXPECT_EQ(map_get_cell(2, 1), 2);
    ASSERT_EQ(load_map(m), 0);
    EXPECT_EQ(map_get_cell(2, 1), m.layers[0][5]);
}

TEST_F(QueryTest, CellsRoundTripAnimatedCellsIncluded) {
    fmp::Map m = small_map(4, 3, 3, 4);
    m.anim_frames = {1, 3};
    m.anims = {{ANIM_LOOP_FORWARD, 0, 0, 0, 0, 0, 2}, {ANIM_NONE, 0, 0, 0, 0, 1, 2}};
    m.layers[0][0] = -1;
    m.layers[0][7] = -2;
    ASSERT_EQ(load_map(m), 0);
    std::vector<int> saved;
    for (int r = 0; r < 3; r++)
        for (int c = 0; c < 4; c++) saved.push_back(map_get_cell(c, r));
    EXPECT_EQ(saved[0], -1);
    EXPECT_EQ(map_get_block(0, 0), &map_blocks[3]); // the last record shows frame 1
    EXPECT_EQ(map_get_block(3, 1), &map_blocks[1]);
    for (int r = 0; r < 3; r++)
        for (int c = 0; c < 4; c++) map_set_cell(c, r, 0);
    map_set_cell(1, 1, -1);
    EXPECT_EQ(map_get_block(1, 1), &map_blocks[3]);
    for (int i = 0; i < 12; i++) map_set_cell(i % 4, i / 4, saved[i]);
    EXPECT_EQ(std::vector<int>(map_current_layer, map_current_layer + 12),
              std::vector<int>(m.layers[0].begin(), m.layers[0].end()));
    // Only the low 16 bits are stored.
    map_set_cell(0, 0, 0x10002);
    EXPECT_EQ(map_get_cell(0, 0), 2);
}

TEST_F(QueryTest, CellCheckFollowsTheTables) {
    fmp::Map m = small_map(2, 1, 3, 4);
    m.anim_frames = {1};
    m.anims = {{ANIM_NONE, 0, 0, 0, 0, 0, 1}};
    ASSERT_EQ(load_map(m), 0);
    for (int v : {0, 3, -1}) EXPECT_TRUE(map_cell_valid(v)) << v;
    for (int v : {4, -2, 32767, -32768, 70000, -70000}) EXPECT_FALSE(map_cell_valid(v)) << v;
    map_free();
    EXPECT_FALSE(map_cell_valid(0));
}

TEST_F(QueryTest, LayerSelectionGuards) {
    fmp::Map m = small_map(2, 2, 3, 4);
    m.layers[2] = {3, 3, 3, 3};
    ASSERT_EQ(load_map(m), 0);
    for (int layer : {8, -1, 1, 7}) {
        EXPECT_EQ(map_select_layer(layer), -1);
        EXPECT_EQ(map_current_layer, map_layers[0]);
    }
    EXPECT_EQ(map_select_layer(2), 2);
    EXPECT_EQ(map_get_block(1, 1), &map_blocks[3]);
    EXPECT_EQ(map_select_layer(0), 0);
    EXPECT_EQ(map_get_cell(1, 0), 1);
    map_select_layer(2);
    ASSERT_EQ(load_map(m), 0);
    EXPECT_EQ(map_current_layer, map_layers[0]);
}

// Staggered map: 4 x 4 tiles every 6 x 6 pixels, rows shifted by 2 x 2, graphic 1 the
// pick mask with its left half empty.
static fmp::Map staggered_map(int pick) {
    fmp::Map m = small_map(5, 8, 2, 2);
    m.header_size = 38;
    m.block_step_x = m.block_step_y = 6;
    m.block_stagger_x = m.block_stagger_y = 2;
    m.pick_mask_gfx = (int16_t)pick;
    m.gfx.clear();
    for (int p = 0; p < 16; p++) fmp::put_pixel16(m.gfx, 0, 0, 0);
    for (int p = 0; p < 16; p++)
        fmp::put_pixel16(m.gfx, p % 4 < 2 ? 255 : 9, p % 4 < 2 ? 0 : 9, p % 4 < 2 ? 255 : 9);
    for (int i = 0; i < 40; i++) m.layers[0][i] = (int16_t)(i % 2);
    return m;
}

static std::pair<int, int> cell_at(int x, int y) {
    const map_block *b = map_get_block_at_pixel(x, y);
    map_set_cell_at_pixel(x, y, 1 - (int)(b - map_blocks));
    for (int i = 0; i < 40; i++)
        if (map_current_layer[i] != i % 2) {
            map_current_layer[i] = (int16_t)(i % 2);
            return {i % 5, i / 5};
        }
    return {-1, -1};
}

TEST_F(QueryTest, StaggeredPixelsPickTheirTile) {
    ASSERT_EQ(load_map(staggered_map(1)), 0);
    // (x + 2, y + 2) = (4, 4): col 0, row 0; the mask at (4 mod 6 = 4) is past the
    // tile's width, so the pixel is in the next row down.
    EXPECT_EQ(cell_at(2, 2), std::make_pair(0, 1));
    // (7, 9): remainders (1, 3) fall on the mask's empty left half, upper half no:
    // col 1 - 1, row 1 * 2 + 1.
    EXPECT_EQ(cell_at(5, 7), std::make_pair(0, 3));
    // (9, 8): remainders (3, 2) on the mask's solid half: col 1, row 2.
    EXPECT_EQ(cell_at(7, 6), std::make_pair(1, 2));
    // (8, 10): remainders (2, 4), below the tile: row 1 * 2 + 1; x 2 >= stagger 2: col 1.
    EXPECT_EQ(cell_at(6, 8), std::make_pair(1, 3));
    // Rows past the bottom clamp to the last row.
    EXPECT_EQ(cell_at(19, 31), std::make_pair(3, 7));
    // Without a pick mask a staggered map keeps one row per step.
    ASSERT_EQ(load_map(staggered_map(0)), 0);
    EXPECT_EQ(cell_at(5, 7), std::make_pair(1, 1));
}
