// Map queries and block animation: pixel to tile and its guards, cell round trips,
// layer selection, and every animation type's frames.
#include "support/test_map.h"
#include "test_map_util.h"

using QueryTest = MapTest;

// 4 x 3 tiles of 4 x 4 pixels and a third layer. Animations: -3 loops over blocks 1 and
// 2, -2 stands still, -1 (a ping-pong going down) turns on frame 2, block 3, at the reset.
TEST_F(QueryTest, PixelsCellsLayersAndTheResetOfALoadedMap) {
    map_reset_animations(); // nothing to do before a map is loaded
    map_update_animations();
    fmp::Map m = small_map(4, 3, 3, 4);
    m.anim_frames = {1, 2, 3};
    m.anims = {{1, 0, 0, 0, 0, 0, 2}, {0, 0, 0, 0, 0, 2, 3}, {7, 4, 99, 0, 1, 0, 3}};
    m.layers[0][0] = -1, m.layers[0][7] = -3, m.layers[0][9] = -3, m.layers[2].assign(12, 3);
    ASSERT_EQ(load_map(m), 0);
    const map_anim &a = anim_table_end[-1];
    EXPECT_EQ(ints({a.type, a.current, a.counter}), ints({ANIM_PINGPONG_DOWN, 2, 4}));
    auto block = [](int x, int y) { return (int)(map_get_block_at_pixel(x, y) - map_blocks); };
    EXPECT_EQ(ints({block(0, 0), block(15, 0), block(3, 11), block(15, 4), block(5, 11)}),
              ints({3, 3, 0, 1, 1}));
    for (auto [x, y] : {std::pair{-1, 0}, {0, -1}, {16, 0}, {0, 12}}) {
        EXPECT_EQ(map_get_block_at_pixel(x, y), nullptr) << x << "," << y;
        map_set_cell_at_pixel(x, y, 2);
    }
    // Both cells of the first animation move together; their cells stay -3.
    map_update_animations();
    EXPECT_EQ(ints({block(15, 4), block(5, 11), map_get_cell(3, 1), map_get_cell(1, 2)}),
              ints({2, 2, -3, -3}));
    ints saved(map_current_layer, map_current_layer + 12);
    EXPECT_EQ(saved, ints(m.layers[0].begin(), m.layers[0].end())); // nothing stored off the map
    for (int i = 0; i < 12; i++) map_set_cell(i % 4, i / 4, 0);
    map_set_cell_at_pixel(11, 5, -1); // tile (2, 1)
    EXPECT_EQ(ints({map_get_cell(2, 1), block(8, 4)}), ints({-1, 3}));
    for (int i = 0; i < 12; i++) map_set_cell(i % 4, i / 4, saved[i]);
    EXPECT_EQ(ints(map_current_layer, map_current_layer + 12), saved);
    map_set_cell(0, 0, 0x10002); // only the low 16 bits are stored
    EXPECT_EQ(map_get_cell(0, 0), 2);
    for (int layer : {8, -1, 1, 7}) EXPECT_EQ(map_select_layer(layer), -1);
    EXPECT_EQ(map_current_layer, map_layers[0]);
    EXPECT_EQ(ints({map_select_layer(2), block(0, 0), map_select_layer(0)}), ints({2, 3, 0}));
    map_select_layer(2);
    ASSERT_EQ(load_map(m), 0); // a reload restores the cells and selects layer 0
    EXPECT_EQ(ints({map_current_layer == map_layers[0], map_get_cell(0, 0)}), ints({1, -1}));
}

// The last record's frame after the reset and after each tick; frame i is block i.
static std::string frames(std::vector<map_anim> anims, int ticks) {
    test_map_create(2, 1, std::vector<test_block>(10));
    test_map_set_anims({0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, anims);
    std::string shown;
    for (int i = 0; i <= ticks; i++, map_update_animations())
        shown += (char)('0' + anim_table_end[-1].current);
    return shown;
}

// Types by number, 0 to 9 and 12; a finished ANIM_ONCE (9) plays again after a reset.
TEST_F(QueryTest, EveryAnimationTypeStepsItsFramesWithItsDelay) {
    const struct {
        int type, start, end;
        const char *shown;
    } cases[] = {{1, 4, 7, "4564564"}, {2, 4, 7, "6546546"}, {3, 0, 3, "0120000"},
                 {4, 1, 4, "1233333"}, {5, 0, 3, "0121012"}, {6, 0, 3, "2101210"},
                 {8, 5, 7, "5656565"}, {7, 5, 7, "6565656"}, {5, 3, 4, "3333333"},
                 {6, 3, 4, "3333333"}, {2, 2, 2, "2222222"}, {0, 2, 5, "2222222"},
                 {9, 2, 5, "2342222"}, {12, 2, 5, "2222222"}};
    for (auto &c : cases)
        EXPECT_EQ(frames({{(int8_t)c.type, 0, 0, 0, 0, c.start, c.end}}, 6), c.shown) << c.type;
    EXPECT_EQ(frames({{ANIM_LOOP_FORWARD, 3, 0, 0, 0, 0, 3}}, 9), "0000111122");
    for (int8_t delay : {-1, -128})
        EXPECT_EQ(frames({{ANIM_LOOP_FORWARD, delay, 0, 0, 0, 0, 3}}, 3), "0120") << delay;
}
