// Map drawing, checked pixel by pixel: opaque, masked and skipped tiles, the clip
// rectangle, the map's edges, animated cells and staggered rows.
#include "support/test_map.h"
#include "map/map_internal.h"
#include "test_map_util.h"

namespace {

constexpr int BACKDROP = 12345;

// Blocks: 0..2 opaque on graphics 1, 2 and 0; 3 flagged on the empty graphic 0;
// 4 flagged on graphic 3, whose left half is the mask colour.
void make_drawing_map(int cols, int rows) {
    test_map_create(cols, rows,
                    {{0, 0, 0, 0, 1},
                     {0, 0, 0, 0, 2},
                     {0, 0, 0, 0, 0},
                     {0, 0, 0, BLOCK_TRANSPARENT, 0},
                     {0, 0, 0, BLOCK_TRANSPARENT, 3}},
                    4);
    rectfill(tile_bitmaps[3], 0, 0, 31, 63, makecol(255, 0, 255));
    for (int r = 0; r < rows; r++)
        for (int c = 0; c < cols; c++) map_set_cell(c, r, (c * 3 + r) % 5);
}

// What a pixel of a block's tile should look like over the backdrop.
int block_pixel(const map_block *b, int x, int y) {
    int p = getpixel(b->bg_gfx, x, y);
    if (!(b->flags & BLOCK_TRANSPARENT)) return p;
    if (b->bg_gfx == tile_bitmaps[0] || p == makecol(255, 0, 255)) return BACKDROP;
    return p;
}

struct view {
    int map_x, map_y, screen_x, screen_y, width, height;
};

// Draws the view into a backdrop-filled bitmap and counts the pixels that differ
// from the expected picture.
int wrong_pixels(BITMAP *dest, const view &v) {
    clear_to_color(dest, BACKDROP);
    map_draw_background(dest, v.map_x, v.map_y, v.screen_x, v.screen_y, v.width, v.height);
    int wrong = 0;
    for (int y = 0; y < dest->h; y++) {
        for (int x = 0; x < dest->w; x++) {
            int expected = BACKDROP;
            int mx = x - v.screen_x + v.map_x, my = y - v.screen_y + v.map_y;
            bool inside = x >= v.screen_x && x < v.screen_x + v.width && y >= v.screen_y &&
                          y < v.screen_y + v.height;
            if (inside && mx >= 0 && my >= 0 && mx < map_width * 64 && my < map_height * 64)
                expected = block_pixel(map_get_block(mx / 64, my / 64), mx % 64, my % 64);
            wrong += getpixel(dest, x, y) != expected;
        }
    }
    return wrong;
}

class DrawTest : public MapTest {
  protected:
    BITMAP *dest = nullptr;
    void TearDown() override {
        if (dest) destroy_bitmap(dest);
        MapTest::TearDown();
    }
};

TEST_F(DrawTest, TilesAreOpaqueMaskedOrSkipped) {
    make_drawing_map(4, 3);
    dest = create_bitmap(300, 240);
    const view views[] = {
        {0, 0, 0, 0, 300, 240},         // past the map's right and bottom edges
        {100, 37, 10, 20, 150, 100},    // partial tiles on every side
        {-30, -50, 5, 5, 200, 200},     // starting above and left of the map
        {200, 150, -20, -10, 400, 300}, // rectangle larger than the bitmap
    };
    for (const view &v : views)
        EXPECT_EQ(wrong_pixels(dest, v), 0)
            << v.map_x << "," << v.map_y << " at " << v.screen_x << "," << v.screen_y;
}

// The same blocks from a file: graphic 1 a checkerboard with mask squares, graphic 2
// without any mask pixel, graphic 3 a gradient.
TEST_F(DrawTest, LoadedTilesDrawLikeBlitAndMaskedBlit) {
    fmp::Map m = small_map(4, 3, 4, 5);
    m.block_width = m.block_height = 64;
    m.gfx.clear();
    for (int n = 0; n < 4; n++)
        for (int p = 0; p < 64 * 64; p++) {
            int x = p % 64, y = p / 64;
            if (n == 1 && (x / 8 + y / 8) % 2)
                fmp::put_pixel16(m.gfx, 255, 0, 255);
            else
                fmp::put_pixel16(m.gfx, n * 60, x * 4, y * 4);
        }
    const int gfx[] = {1, 2, 0, 0, 1};
    for (int i = 0; i < 5; i++) {
        m.blocks[i].bg = gfx[i];
        m.blocks[i].flags = i == 1 || i == 3 || i == 4 ? BLOCK_TRANSPARENT : 0;
    }
    for (int i = 0; i < 12; i++) m.layers[0][i] = (int16_t)((i % 4 * 3 + i / 4) % 5);
    ASSERT_EQ(load_map(m), 0);
    ASSERT_EQ(tile_sprites[2], nullptr); // drawn with blit
    ASSERT_NE(tile_sprites[1], nullptr);
    dest = create_bitmap(300, 240);
    for (const view &v : {view{0, 0, 0, 0, 300, 240}, view{100, 37, 10, 20, 150, 100},
                          view{-30, -50, 5, 5, 200, 200}})
        EXPECT_EQ(wrong_pixels(dest, v), 0) << v.map_x << "," << v.map_y;
}

TEST_F(DrawTest, TheGamesViewShowsFourteenColumns) {
    make_drawing_map(28, 20);
    dest = create_bitmap(1024, 768);
    // The first row of tiles starts at y = -36 and 13 rows reach the bottom.
    EXPECT_EQ(wrong_pixels(dest, {14 * 64, 100, 64, 0, 896, 768}), 0);
    EXPECT_EQ(getpixel(dest, 63, 300), BACKDROP);
    EXPECT_EQ(getpixel(dest, 960, 300), BACKDROP);
}

TEST_F(DrawTest, ClipRectangleAndStateComeBackExactly) {
    make_drawing_map(4, 3);
    dest = create_bitmap(200, 150);
    for (int state : {TRUE, FALSE}) {
        set_clip_rect(dest, 3, 4, 120, 90);
        set_clip_state(dest, state);
        map_draw_background(dest, 10, 10, 50, 40, 100, 80);
        int x1, y1, x2, y2;
        get_clip_rect(dest, &x1, &y1, &x2, &y2);
        EXPECT_EQ(std::vector<int>({x1, y1, x2, y2, get_clip_state(dest)}),
                  std::vector<int>({3, 4, 120, 90, state}));
    }
}

TEST_F(DrawTest, NothingDrawnOffTheBitmapOrWithoutAMap) {
    make_drawing_map(4, 3);
    dest = create_bitmap(100, 80);
    for (const view &v : {view{0, 0, 100, 0, 50, 50}, view{0, 0, 0, 80, 50, 50},
                          view{0, 0, -50, 0, 50, 50}, view{0, 0, 10, 10, 0, 50}})
        EXPECT_EQ(wrong_pixels(dest, v), 0);
    map_free();
    clear_to_color(dest, BACKDROP);
    map_draw_background(dest, 0, 0, 0, 0, 100, 80);
    EXPECT_EQ(getpixel(dest, 5, 5), BACKDROP);
}

TEST_F(DrawTest, AnimatedCellsShowTheirCurrentFrame) {
    make_drawing_map(2, 1);
    map_anim loop{};
    loop.type = ANIM_LOOP_FORWARD;
    loop.end = 2;
    test_map_set_anims({0, 1}, {loop});
    map_set_cell(1, 0, -1);
    dest = create_bitmap(128, 64);
    EXPECT_EQ(wrong_pixels(dest, {0, 0, 0, 0, 128, 64}), 0);
    EXPECT_EQ(getpixel(dest, 100, 10), 1000);
    map_update_animations();
    EXPECT_EQ(wrong_pixels(dest, {0, 0, 0, 0, 128, 64}), 0);
    EXPECT_EQ(getpixel(dest, 100, 10), 2000);
}

// Staggered: 4 x 4 tiles every 4 pixels, odd rows shifted by 2 x 2; only the cell
// given shows a tile, the rest is the empty graphic.
std::vector<std::pair<int, int>> staggered_square(int col, int row) {
    fmp::Map m = small_map(3, 4, 2, 2);
    m.header_size = 36;
    m.block_stagger_x = m.block_stagger_y = 2;
    m.layers[0].assign(12, 0);
    m.layers[0][row * 3 + col] = 1;
    std::vector<std::pair<int, int>> drawn;
    if (load_map(m) != 0) return drawn;
    BITMAP *dest = create_bitmap(20, 20);
    clear_to_color(dest, BACKDROP);
    map_draw_background(dest, 0, 0, 5, 5, 10, 10);
    for (int y = 0; y < 20; y++)
        for (int x = 0; x < 20; x++)
            if (getpixel(dest, x, y) != BACKDROP) drawn.push_back({x, y});
    destroy_bitmap(dest);
    return drawn;
}

std::vector<std::pair<int, int>> square(int x0, int y0, int x1, int y1) {
    std::vector<std::pair<int, int>> s;
    for (int y = y0; y <= y1; y++)
        for (int x = x0; x <= x1; x++) s.push_back({x, y});
    return s;
}

TEST_F(DrawTest, StaggeredRowsAreShifted) {
    EXPECT_EQ(staggered_square(0, 1), square(5, 5, 8, 8));
    EXPECT_EQ(staggered_square(0, 0), square(5, 5, 6, 6)); // at (3, 3), cut by the clip
    EXPECT_EQ(staggered_square(1, 0), square(7, 5, 10, 6));
    EXPECT_EQ(staggered_square(1, 3), square(9, 9, 12, 12));
}

} // namespace
