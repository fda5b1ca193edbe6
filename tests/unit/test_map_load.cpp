// Loading map files: the outer header and error codes, map types and byte orders,
// header lengths, run-length rows, graphics chunk choice, unknown chunks.
#include "test_map_util.h"

using LoadTest = MapTest;

static bytes tiny_file() {
    bytes header = le16s({0, 0, 1, 1, 0, 0, 1, 1, 16, 32, 1, 1});
    header[0] = 1, header[1] = 0, header[2] = 1, header[3] = 1;
    return form_bytes(chunk_bytes("MPHD", header) + chunk_bytes("BKDT", bytes(32, 0)) +
                      chunk_bytes("BGFX", {0x12, 0x34}) + chunk_bytes("BODY", {0, 0}));
}

TEST_F(LoadTest, SmallestFileLoads) {
    bytes file = tiny_file();
    ASSERT_EQ(file.size(), 104u);
    ASSERT_EQ(load_bytes(file), 0);
    EXPECT_EQ(map_error, MAP_ERR_NONE);
    EXPECT_EQ(block_count, 1);
    EXPECT_EQ(map_blocks[0].bg_gfx, tile_bitmaps[0]);
    EXPECT_EQ(tile_bitmaps[1], nullptr);
    EXPECT_EQ(getpixel(tile_bitmaps[0], 0, 0), makecol(16, 69, 165)); // 0x1234 expanded
    EXPECT_EQ(anim_table, nullptr);
    EXPECT_EQ(map_current_layer, map_layers[0]);
}

TEST_F(LoadTest, OuterHeaderFailuresKeepTheOldMap) {
    ASSERT_EQ(load_map(small_map()), 0);
    map_picture before = picture_of_map();
    int16_t *layer = map_current_layer;

    EXPECT_EQ(map_load("/nonexistent/buildings.fmp"), -1);
    EXPECT_EQ(map_error, MAP_ERR_OPEN);
    bytes not_form = tiny_file();
    not_form[0] = 'X';
    bytes not_fmap = tiny_file();
    not_fmap[11] = 'X';
    for (const bytes &file : {not_form, not_fmap, bytes{'F', 'O', 'R'}}) {
        EXPECT_EQ(load_bytes(file), -1);
        EXPECT_EQ(map_error, MAP_ERR_BAD_FILE);
    }
    EXPECT_EQ(map_current_layer, layer);
    EXPECT_TRUE(picture_of_map() == before);
}

TEST_F(LoadTest, FailuresInsideTheFormFreeTheOldMap) {
    bytes truncated = fmp::write(small_map());
    truncated.resize(truncated.size() - 3);
    fmp::Map new_version = small_map();
    new_version.version_major = 2;
    fmp::Map new_type = small_map();
    new_type.map_type = 4;
    struct {
        bytes file;
        int error;
    } cases[] = {{truncated, MAP_ERR_BAD_FILE},
                 {fmp::write(new_version), MAP_ERR_VERSION},
                 {fmp::write(new_type), MAP_ERR_VERSION}};
    for (auto &c : cases) {
        ASSERT_EQ(load_map(small_map()), 0);
        EXPECT_EQ(load_bytes(c.file), -1);
        EXPECT_EQ(map_error, c.error);
        EXPECT_TRUE(map_unloaded());
    }
}

// A map using every kind of content: animations, negative cells, runs, two layers.
static fmp::Map rich_map() {
    fmp::Map m = small_map(9, 4, 3, 5);
    m.blocks[1].flags = 0xff;
    m.blocks[2] = {2, 1, 0, 2, -70000, 7, -3, 4, 5, 6, 250, BLOCK_TRANSPARENT};
    m.anim_frames = {1, 2, 3, 4};
    m.anims = {{ANIM_LOOP_FORWARD, 2, 0, 0, 0, 0, 3}, {ANIM_PINGPONG_DOWN, 0, 0, 0, 0, 1, 4}};
    m.layers[0] = {0, 0, 0, 0, 1, 1, 1, 1, 1, -1, -2, -1, -2, -1, -2, 3, 4, 0,
                   2, 2, 2, 3, 4, 3, 4, 3, 4, 4,  4,  4,  -1, -1, -1, 0, 1, 2};
    m.layers[3] = std::vector<int16_t>(36, 4);
    return m;
}

// Loading again after each load also shows that a reload starts from nothing.
TEST_F(LoadTest, EveryMapTypeAndByteOrderGivesTheSameState) {
    fmp::Map m = rich_map();
    ASSERT_EQ(fmp::check(m), "");
    ASSERT_EQ(load_map(m), 0);
    map_picture expected = picture_of_map();
    EXPECT_EQ(map_get_cell(0, 1), -1);
    for (int type = 0; type <= 3; type++) {
        for (bool little : {true, false}) {
            m.map_type = (uint8_t)type;
            m.little_endian = little;
            ASSERT_EQ(load_map(m), 0) << "type " << type << " little " << little;
            EXPECT_TRUE(picture_of_map() == expected) << "type " << type << " little " << little;
        }
    }
}

TEST_F(LoadTest, HeaderLengthsDecideStepsStaggersAndPickMask) {
    fmp::Map m = small_map();
    m.header_size = 28;
    ASSERT_EQ(load_map(m), 0);
    EXPECT_EQ(block_step_x, 4);
    EXPECT_EQ(block_step_y, 4);
    EXPECT_EQ(block_stagger_x + block_stagger_y + pick_mask_gfx, 0);
    m.header_size = 38;
    m.block_step_x = 6, m.block_step_y = 5, m.block_stagger_x = 3, m.block_stagger_y = 2;
    m.pick_mask_gfx = 2;
    ASSERT_EQ(load_map(m), 0);
    EXPECT_EQ(block_step_x, 6);
    EXPECT_EQ(block_step_y, 5);
    EXPECT_EQ(block_stagger_x, 3);
    EXPECT_EQ(block_stagger_y, 2);
    EXPECT_EQ(pick_mask_gfx, 2);
}

// A map whose "BODY" is the given raw bytes, with three animations to point at.
static int load_with_body(int type, const bytes &body, int width) {
    fmp::Map m = small_map(width, 1, 3, 4);
    m.map_type = (uint8_t)type;
    m.anim_frames = {0};
    m.anims.assign(3, fmp::Anim{ANIM_NONE, 0, 0, 0, 0, 0, 1});
    m.chunk_order = {"MPHD", "BKDT", "ANDT", "BGFX"};
    m.extra_chunks = {{"BODY", body}};
    return load_map(m);
}

static std::vector<int> cells() {
    return std::vector<int>(map_current_layer, map_current_layer + map_width * map_height);
}

TEST_F(LoadTest, TypeZeroCellsAreByteOffsets) {
    ASSERT_EQ(load_with_body(0, le16s({-16, -8, 64, 96, -48}), 5), 0);
    EXPECT_EQ(cells(), (std::vector<int>{-1, 0, 2, 3, -3}));
}

TEST_F(LoadTest, RunLengthRows) {
    ASSERT_EQ(load_with_body(2, le16s({3, 1, 2, 3, -2, -1}), 5), 0);
    EXPECT_EQ(cells(), (std::vector<int>{1, 2, 3, -1, -1}));
    ASSERT_EQ(load_with_body(3, le16s({2, 1, -2, -4, -2}), 6), 0);
    EXPECT_EQ(cells(), (std::vector<int>{1, -2, 1, -2, 1, -2}));
    // Zero counts write nothing; a back-copy may reach into the row above.
    fmp::Map m = small_map(2, 2, 3, 4);
    m.map_type = 3;
    m.chunk_order = {"MPHD", "BKDT", "BGFX"};
    m.extra_chunks = {{"BODY", le16s({0, 2, 3, 1, 0, -2, -2})}};
    ASSERT_EQ(load_map(m), 0);
    EXPECT_EQ(cells(), (std::vector<int>{3, 1, 3, 1}));
}

TEST_F(LoadTest, UnknownAndOddChunksChangeNothing) {
    fmp::Map m = rich_map();
    ASSERT_EQ(load_map(m), 0);
    map_picture plain = picture_of_map();
    m.extra_chunks = {{"ABCD", {1, 2, 3}}, {"NOVC", {'1', '-', '3', 0}}, {"LYR8", {9}}};
    bytes file = fmp::write(m);
    ASSERT_EQ(load_bytes(file), 0);
    EXPECT_TRUE(picture_of_map() == plain);
    // The odd chunk is followed directly by the next tag.
    std::string text(file.begin(), file.end());
    EXPECT_NE(text.find(std::string("ABCD\0\0\0\3\1\2\3NOVC", 15)), std::string::npos);
}

TEST_F(LoadTest, AlternativeGraphicsOnlyOnAnEightBitScreen) {
    fmp::Map m = small_map(1, 1, 1, 1);
    m.agfx.assign(16, 7);
    m.cmap.assign(768, 0);
    m.cmap[21] = 255; // index 7 is red
    ASSERT_EQ(load_map(m), 0);
    EXPECT_EQ(getpixel(tile_bitmaps[0], 0, 0), 0);
    screen_of_depth eight(8);
    m.chunk_order = {"MPHD", "BGFX", "CMAP", "BKDT", "AGFX", "BODY"};
    ASSERT_EQ(load_map(m), 0);
    EXPECT_EQ(getpixel(tile_bitmaps[0], 3, 3), 7);
}

TEST_F(LoadTest, BlockRecordsKeepEveryField) {
    fmp::Map m = rich_map();
    m.block_record_size = 40;
    ASSERT_EQ(load_map(m), 0);
    const map_block &b = map_blocks[2];
    EXPECT_EQ(b.bg_gfx, tile_bitmaps[2]);
    EXPECT_EQ(b.fg_gfx1, tile_bitmaps[1]);
    EXPECT_EQ(b.fg_gfx2, nullptr);
    EXPECT_EQ(b.fg_gfx3, tile_bitmaps[2]);
    EXPECT_EQ(b.user1, -70000);
    EXPECT_EQ(b.user2, 7);
    EXPECT_EQ(b.user3, -3);
    EXPECT_EQ(b.user4, 4);
    EXPECT_EQ(b.user5 + b.user6, 11);
    EXPECT_EQ(b.user7, 250);
    EXPECT_EQ(b.flags, BLOCK_TRANSPARENT);
    EXPECT_EQ(map_blocks[1].flags, 0xff);
    EXPECT_EQ(map_select_layer(3), 3);
    EXPECT_EQ(map_get_cell(8, 3), 4);
}

TEST(FmpWriterCheck, NamesWhatTheLoaderWouldRefuse) {
    fmp::Map m = rich_map();
    m.map_type = 0;
    EXPECT_EQ(fmp::check(m), "");
    m.layers[0][0] = 1024; // 1024 x 32 bytes does not fit a 16-bit offset
    m.blocks.resize(1100);
    EXPECT_NE(fmp::check(m), "");
    m = rich_map();
    m.layers[0].pop_back();
    EXPECT_NE(fmp::check(m), "");
    m = rich_map();
    m.anims[0].end = 5;
    EXPECT_NE(fmp::check(m), "");
}
