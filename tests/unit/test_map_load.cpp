// Loading map files: the smallest file, the outer header and error codes, map types,
// byte orders and header sizes, type 0 offsets, run-length rows, and damaged files.
#include "test_map_util.h"

using LoadTest = MapTest;

TEST_F(LoadTest, SmallestFileLoadsAndOuterHeaderFailuresKeepIt) {
    bytes header = le16s({1, 0x101, 1, 1, 0, 0, 1, 1, 16, 32, 1, 1}); // 1.0, little-endian, type 1
    bytes file = form_of(
        {{"MPHD", header}, {"BKDT", bytes(32, 0)}, {"BGFX", {0x12, 0x34}}, {"BODY", {0, 0}}});
    ASSERT_EQ(file.size(), 104u);
    ASSERT_EQ(load_bytes(file), 0);
    EXPECT_EQ(ints({map_error, tile_slot(map_blocks[0].bg_gfx), tile_slot(nullptr), !anim_table,
                    map_current_layer == map_layers[0], getpixel(tile_bitmaps[0], 0, 0)}),
              ints({MAP_ERR_NONE, 0, 1, 1, 1, makecol(16, 69, 165)})); // 0x1234 expanded
    ints before = map_state();
    EXPECT_EQ(ints({map_load("/nonexistent/buildings.fmp"), map_error}), ints({-1, MAP_ERR_OPEN}));
    bytes not_form = file, not_fmap = file;
    not_form[0] = 'X', not_fmap[11] = 'X';
    for (const bytes &bad : {not_form, not_fmap, bytes{'F', 'O', 'R'}})
        EXPECT_EQ(ints({load_bytes(bad), map_error}), ints({-1, MAP_ERR_BAD_FILE}));
    EXPECT_EQ(map_state(), before);
    BITMAP *saved = screen; // no graphics mode
    screen = nullptr;
    EXPECT_EQ(ints({load_bytes(file), map_error}), ints({-1, MAP_ERR_NO_SCREEN}));
    screen = saved;
    EXPECT_TRUE(map_unloaded());
}

// Every kind of content, in 40-byte records; each load replaces the one before it.
TEST_F(LoadTest, EveryMapTypeByteOrderAndHeaderSizeGivesTheSameState) {
    fmp::Map m = small_map(9, 4, 3, 5);
    m.block_record_size = 40, m.blocks[1].flags = 0xff;
    m.blocks[2] = {2, 1, 0, 2, -70000, 7, -3, 4, 5, 6, 250, BLOCK_TRANSPARENT};
    m.anim_frames = {1, 2, 3, 4};
    m.anims = {{ANIM_LOOP_FORWARD, 2, 0, 0, 0, 0, 3}, {ANIM_PINGPONG_DOWN, 0, 0, 0, 0, 1, 4}};
    m.layers[0] = {0, 0, 0, 0, 1, 1, 1, 1, 1, -1, -2, -1, -2, -1, -2, 3, 4, 0,
                   2, 2, 2, 3, 4, 3, 4, 3, 4, 4,  4,  4,  -1, -1, -1, 0, 1, 2};
    m.layers[3] = std::vector<int16_t>(36, 4);
    ASSERT_EQ(load_map(m), 0);
    const map_block &b = map_blocks[2];
    EXPECT_EQ(ints({tile_slot(b.bg_gfx), tile_slot(b.fg_gfx1), tile_slot(b.fg_gfx2),
                    tile_slot(b.fg_gfx3), b.user1, b.user2, b.user3, b.user4, b.user5, b.user6,
                    b.user7, b.flags, map_blocks[1].flags, map_get_cell(0, 1), tile_slot(nullptr)}),
              ints({2, 1, 3, 2, -70000, 7, -3, 4, 5, 6, 250, BLOCK_TRANSPARENT, 0xff, -1, 3}));
    for (BITMAP **t = tile_bitmaps; t < tile_bitmaps + 3; t++) // clipping off
        EXPECT_EQ(ints({(*t)->w, (*t)->h, get_clip_state(*t)}), ints({4, 4, 0}));
    ints expected = map_state();
    // Unknown tags, the no-video list and an odd length (no pad byte) change nothing;
    // headers of 28 and 38 bytes give the same steps (the tile size) and no stagger.
    m.extra_chunks = {{"ABCD", {1, 2, 3}}, {"NOVC", {'1', '-', '3', 0}}, {"LYR8", {9}}};
    for (int i = 0; i < 16; i++) {
        m.map_type = (uint8_t)(i % 4), m.little_endian = i / 4 % 2, m.header_size = i < 8 ? 28 : 38;
        ASSERT_EQ(load_map(m), 0) << i;
        EXPECT_EQ(map_state(), expected) << "type " << i % 4 << " little " << i / 4 % 2 << " " << i;
    }
    m.block_step_x = 6, m.block_step_y = 5, m.block_stagger_x = 3, m.block_stagger_y = 2;
    m.pick_mask_gfx = 2; // the 38-byte header carries all of them
    ASSERT_EQ(load_map(m), 0);
    EXPECT_EQ(ints({block_step_x, block_step_y, block_stagger_x, block_stagger_y, pick_mask_gfx}),
              ints({6, 5, 3, 2, 2}));
}

// Layer 0 of a map of 4 x 4 tiles: header, graphics and blocks by the writer, then these.
static ints load_raw(int type, int width, int height, std::vector<fmp::Chunk> raw) {
    fmp::Map m = small_map(width, height, 3, 4);
    m.map_type = (uint8_t)type;
    m.chunk_order = {"MPHD", "BGFX", "BKDT"};
    m.extra_chunks = raw;
    return load_map(m) ? ints() : ints(map_current_layer, map_current_layer + width * height);
}

TEST_F(LoadTest, TypeZeroOffsetsAndRunLengthRows) {
    // Frames {block 3 at byte 96}, the marker, frames 0 to 1 at -36 and -32 from the end.
    bytes anims = le16s({96, 0, 0xff, 0, 0, 0, 0, 0, 0, 0, 1, 0, -36, -1, -36, -1, -32, -1});
    // Cells: offsets into 32-byte block records or 16-byte animation records.
    bytes cells = le16s({-16, -8, 64, 96, 0});
    EXPECT_EQ(load_raw(0, 5, 1, {{"ANDT", anims}, {"BODY", cells}}), ints({-1, 0, 2, 3, 0}));
    ASSERT_TRUE(anim_table);
    EXPECT_EQ(ints({anim_frames[0], anim_table[1].start, anim_table[1].end}), ints({3, 0, 1}));
    // Fill runs, back-copies repeating a pattern, zero counts, copies from the row above.
    EXPECT_EQ(load_raw(2, 5, 1, {{"BODY", le16s({3, 1, 2, 3, -2, 0})}}), ints({1, 2, 3, 0, 0}));
    EXPECT_EQ(load_raw(3, 6, 1, {{"BODY", le16s({2, 1, 2, -4, -2})}}), ints({1, 2, 1, 2, 1, 2}));
    EXPECT_EQ(load_raw(3, 2, 2, {{"BODY", le16s({0, 2, 3, 1, 0, -2, -2})}}), ints({3, 1, 3, 1}));
}

// The valid map that damaged files are patched from: little-endian, type 1, 38-byte
// header, 8-bit graphics and colour map, an animation (frames at 0, marker at 8, record at
// 24) shown by a cell, unused "AGFX", and ignored copies of chunks to be renamed, before
// the header ("x...") and after the last chunk ("y...", one of them a second layer).
static bytes base_file() {
    fmp::Map m = small_map(3, 2, 3, 4);
    m.header_size = 38, m.block_depth = 8;
    m.gfx.assign(48, 0), m.agfx.assign(48, 2), m.cmap.assign(768, 0);
    m.anim_frames = {1, 2}, m.anims = {{ANIM_LOOP_FORWARD, 0, 0, 0, 0, 0, 2}};
    m.layers[0][5] = -1, m.layers[1].assign(6, 0);
    std::vector<fmp::Chunk> chunks;
    for (std::string tag :
         {"xBKDT", "xANDT", "xAGFX", "xBODY", "MPHD", "CMAP", "BKDT", "ANDT", "AGFX", "BGFX",
          "BODY", "yMPHD", "yCMAP", "yBKDT", "yANDT", "yLYR1", "yBODY"}) {
        m.chunk_order = {tag.substr(tag.size() - 4)};
        bytes file = fmp::write(m);
        chunks.push_back(
            {tag.size() > 4 ? tag.erase(1, 1) : tag, bytes(file.begin() + 20, file.end())});
    }
    return form_of(chunks);
}

// Bytes written into the first chunk of a tag ("FORM": the file): tag at 0, length at 4.
using patch = std::tuple<const char *, int, bytes>;
struct bad_case {
    const char *name;
    std::vector<patch> patches;
    int error = MAP_ERR_BAD_FILE;
};

static const bad_case BAD_CASES[] = {
    {"major version 2", {{"MPHD", 8, {2}}}, MAP_ERR_VERSION},
    {"map type 4", {{"MPHD", 11, {4}}}, MAP_ERR_VERSION},
    {"little-endian data flagged 2, big-endian", {{"MPHD", 10, {2}}}},
    {"2 GB cut short", {{"FORM", 4, {0xff, 0xff, 0xff, 0xff}}, {"yODY", 4, {0x7f, 0xff, 0, 0}}}},
    {"form ending inside a chunk header", {{"FORM", 4, {0xff, 0xff, 0xff, 0xff}}}},
    {"chunk running past the form", {{"yODY", 7, {99}}}},
    {"second header", {{"yPHD", 0, {'M'}}}},
    {"header under 24 bytes", {{"MPHD", 7, {23}}}},
    {"header ending in the steps", {{"MPHD", 7, {30}}}},
    {"negative height", {{"MPHD", 8 + 6, {0xfe, 0xff}}}},
    {"tile height 0", {{"MPHD", 8 + 14, {0, 0}}}},
    {"depth of 12 bits", {{"MPHD", 8 + 16, {12}}}},
    {"block records under 32 bytes", {{"MPHD", 8 + 18, {31}}}},
    {"negative graphics count", {{"MPHD", 8 + 22, {0xff, 0xff}}}},
    {"graphics short of gfx_count tiles", {{"MPHD", 8 + 22, {4}}}},
    {"tile step 0", {{"MPHD", 8 + 30, {0, 0}}}},
    {"negative stagger", {{"MPHD", 8 + 32, {0xff, 0xff}}}},
    {"pick mask past the graphics", {{"MPHD", 8 + 36, {3}}}},
    {"32767 x 32767 cells", {{"MPHD", 8 + 4, {0xff, 0x7f, 0xff, 0x7f}}}},
    {"32767 tiles of 32767 x 32767 at 32 bits",
     {{"MPHD", 8 + 12, {0xff, 0x7f, 0xff, 0x7f, 32, 0, 32, 0, 4, 0, 0xff, 0x7f}}}},
    {"second colour map", {{"yMAP", 0, {'C'}}}},
    {"colour map under 768 bytes", {{"CMAP", 6, {2, 0xff}}}},
    {"palette graphics without a colour map", {{"CMAP", 0, {'X'}}}},
    {"block table before the header", {{"BKDT", 0, {'X'}}, {"xKDT", 0, {'B'}}}},
    {"second block table", {{"yKDT", 0, {'B'}}}},
    {"no block table", {{"BKDT", 0, {'X'}}}},
    {"block table short of its records", {{"MPHD", 8 + 20, {5}}}},
    {"background graphic past the table", {{"BKDT", 8 + 32, {3}}}},
    {"foreground graphic past the table", {{"BKDT", 8 + 12, {3}}}},
    {"animations before the header", {{"ANDT", 0, {'X'}}, {"xNDT", 0, {'A'}}}},
    {"second animation table", {{"yNDT", 0, {'A'}}}},
    {"animated cell without animations", {{"ANDT", 0, {'X'}}}},
    {"animation table under 16 bytes", {{"ANDT", 7, {15}}}},
    {"animation table without a marker", {{"ANDT", 8 + 8, {0}}}},
    {"frame past the block table", {{"ANDT", 8 + 4, {4}}}},
    {"start after its end", {{"ANDT", 8 + 32, {1, 0, 0, 0, 0}}}},
    {"end past the frames", {{"ANDT", 8 + 36, {3}}}},
    {"empty range past the frames", {{"ANDT", 8 + 32, {2}}}},
    {"alternative graphics before the header", {{"xGFX", 0, {'A'}}}},
    {"layer before the header", {{"BODY", 0, {'X'}}, {"xODY", 0, {'B'}}}},
    {"second layer 0", {{"yODY", 0, {'B'}}}},
    {"no layer 0", {{"BODY", 0, {'X'}}}},
    {"layer short of cells", {{"MPHD", 8 + 6, {3}}}},
    {"cell past the block table", {{"BODY", 8, {4}}}},
    {"cell past the block table in layer 1", {{"yYR1", 8 + 10, {4}}, {"yYR1", 0, {'L'}}}},
    {"runs ending inside a row", {{"MPHD", 11, {2}}, {"BODY", 8, le16s({3, 0, 0, 0, 1, 1})}}},
    {"literal run short of values", {{"MPHD", 11, {2}}, {"BODY", 8, le16s({3, 0, 0, 0, 3, 1})}}},
    {"fill run without its value", {{"MPHD", 11, {2}}, {"BODY", 8, le16s({3, 0, 0, 0, 0, -3})}}},
    {"run past its row", {{"MPHD", 11, {2}}, {"BODY", 8, le16s({1, 0, -3, 1, -3, 1})}}},
    {"back-copy before the layer", {{"MPHD", 11, {3}}, {"BODY", 8, le16s({1, 0, -2, -2, -3, -3})}}},
    {"back-copy of itself", {{"MPHD", 11, {3}}, {"BODY", 8, le16s({1, 0, -2, 0, -3, -3})}}},
};

TEST_F(LoadTest, DamagedFilesAreRefusedWithNothingLoaded) {
    const bytes base = base_file();
    for (const bad_case &c : BAD_CASES) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(load_bytes(base), 0);
        bytes file = base;
        for (auto &[tag, offset, data] : c.patches) {
            size_t at = std::search(file.begin(), file.end(), tag, tag + 4) - file.begin() + offset;
            ASSERT_LE(at + data.size(), file.size());
            std::copy(data.begin(), data.end(), file.begin() + at);
        }
        EXPECT_EQ(ints({load_bytes(file), map_error, map_unloaded()}), ints({-1, c.error, 1}));
    }
}
