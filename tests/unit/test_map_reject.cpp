// Files a user may have damaged or forged: each is refused as a bad file, the map
// loaded before is gone, and nothing is read or written outside its chunk or table.
#include "test_map_util.h"

#include <functional>

namespace {

// A valid map with a colour map, an animation and an animated cell.
fmp::Map base_map() {
    fmp::Map m = small_map(3, 2, 3, 4);
    m.cmap.assign(768, 9);
    m.anim_frames = {1, 2};
    m.anims = {{ANIM_LOOP_FORWARD, 0, 0, 0, 0, 0, 2}};
    m.layers[0][5] = -1;
    return m;
}

// The map with one standard chunk left out, and chunks added after the header.
bytes without(fmp::Map m, const std::string &tag, std::vector<fmp::Chunk> extra = {}) {
    m.chunk_order = {"MPHD", "CMAP", "BKDT", "ANDT", "BGFX", "BODY"};
    m.chunk_order.erase(std::find(m.chunk_order.begin(), m.chunk_order.end(), tag));
    m.extra_chunks = extra;
    return fmp::write(m);
}

bytes with(std::function<void(fmp::Map &)> change) {
    fmp::Map m = base_map();
    change(m);
    return fmp::write(m);
}

// The header's data with a 16-bit field (offset in the header) changed.
bytes header_patched(int offset, int value, int header_size = 38) {
    fmp::Map m = base_map();
    m.header_size = header_size;
    bytes file = fmp::write(m);
    file[20 + offset] = (uint8_t)value;
    file[21 + offset] = (uint8_t)(value >> 8);
    return file;
}

bytes header_cut(size_t length) {
    fmp::Map m = base_map();
    m.header_size = 38;
    bytes file = fmp::write(m);
    bytes header(file.begin() + 20, file.begin() + 20 + length);
    return without(base_map(), "MPHD", {{"MPHD", header}});
}

bytes body(int type, const bytes &cells) {
    fmp::Map m = base_map();
    m.map_type = (uint8_t)type;
    return without(m, "BODY", {{"BODY", cells}});
}

void set_form_length(bytes &file, uint32_t length) {
    for (int i = 0; i < 4; i++) file[4 + i] = (uint8_t)(length >> (24 - 8 * i));
}

struct bad_case {
    const char *name;
    std::function<bytes()> file;
};

const bad_case BAD_CASES[] = {
    {"colour map shorter than 768", [] { return with([](fmp::Map &m) { m.cmap.resize(767); }); }},
    {"header shorter than 24 bytes", [] { return header_cut(23); }},
    {"header ending in the steps", [] { return header_cut(30); }},
    {"header ending in the pick mask", [] { return header_cut(37); }},
    {"layer with too few cells",
     [] {
         return body(1, le16s({0, 1, 2, 3, 0}));
     }},
    {"fill run past its row",
     [] {
         return body(2, le16s({2, 0, 0, -2, 1, 3, 0, 0, 0}));
     }},
    {"literal run past its row",
     [] {
         return body(3, le16s({4, 0, 0, 0, 0, 3, 0, 0, 0}));
     }},
    {"runs ending inside a row",
     [] {
         return body(2, le16s({3, 0, 0, 0, 2, 1, 1}));
     }},
    {"back-copy before the layer",
     [] {
         return body(3, le16s({1, 0, -2, -2, 3, 0, 0, 0}));
     }},
    {"back-copy of itself",
     [] {
         return body(3, le16s({1, 0, -2, 0, 3, 0, 0, 0}));
     }},
    {"second layer 0",
     [] {
         return without(base_map(), "CMAP", {{"BODY", bytes(12, 0)}});
     }},
    {"second layer 1",
     [] {
         return with([](fmp::Map &m) {
             m.layers[1].assign(6, 0);
             m.extra_chunks = {{"LYR1", bytes(12, 0)}};
         });
     }},
    {"second header",
     [] {
         return without(base_map(), "CMAP", {{"MPHD", bytes(24, 0)}});
     }},
    {"second block table",
     [] {
         return without(base_map(), "CMAP", {{"BKDT", bytes(128, 0)}});
     }},
    {"second animation table",
     [] {
         return without(base_map(), "CMAP", {{"ANDT", bytes(16, 255)}});
     }},
    {"second colour map",
     [] { return with([](fmp::Map &m) {
              m.extra_chunks = {{"CMAP", bytes(768, 0)}};
          }); }},
    {"no layer 0", [] { return without(base_map(), "BODY"); }},
    {"no block table", [] { return without(base_map(), "BKDT"); }},
    {"no graphics", [] { return without(base_map(), "BGFX"); }},
    {"block table before the header",
     [] { return with([](fmp::Map &m) {
              m.chunk_order = {"BKDT", "MPHD", "BGFX", "BODY"};
          }); }},
    {"alternative graphics before the header",
     [] {
         return with([](fmp::Map &m) { m.chunk_order = {"AGFX", "MPHD", "BKDT", "BGFX", "BODY"}; });
     }},
    {"graphics shorter than gfx_count", [] { return with([](fmp::Map &m) { m.gfx.pop_back(); }); }},
    {"background graphic past the table",
     [] { return with([](fmp::Map &m) { m.blocks[1].bg = 3; }); }},
    {"negative background graphic", [] { return with([](fmp::Map &m) { m.blocks[1].bg = -1; }); }},
    {"foreground graphic past the table",
     [] { return with([](fmp::Map &m) { m.blocks[0].fg3 = 3; }); }},
    {"frame past the block table", [] { return with([](fmp::Map &m) { m.anim_frames[1] = 4; }); }},
    {"negative frame", [] { return with([](fmp::Map &m) { m.anim_frames[0] = -1; }); }},
    {"range ending past the frames", [] { return with([](fmp::Map &m) { m.anims[0].end = 3; }); }},
    {"range starting after its end",
     [] { return with([](fmp::Map &m) { m.anims[0].start = 2, m.anims[0].end = 1; }); }},
    {"empty range past the frames",
     [] { return with([](fmp::Map &m) { m.anims[0].start = m.anims[0].end = 2; }); }},
    {"cell past the block table", [] { return with([](fmp::Map &m) { m.layers[0][0] = 4; }); }},
    {"cell before the animations", [] { return with([](fmp::Map &m) { m.layers[0][0] = -2; }); }},
    {"animated cell without animations", [] { return without(base_map(), "ANDT"); }},
    {"cell past the block table in layer 7",
     [] { return with([](fmp::Map &m) { m.layers[7].assign(6, 9); }); }},
    {"animation table without a marker",
     [] {
         return without(base_map(), "ANDT", {{"ANDT", bytes(32, 0)}});
     }},
    {"animation table shorter than a record",
     [] {
         return without(base_map(), "ANDT", {{"ANDT", bytes(15, 255)}});
     }},
    {"palette graphics without a colour map",
     [] {
         fmp::Map m = base_map();
         m.block_depth = 8;
         m.gfx.resize(48);
         return without(m, "CMAP");
     }},
    {"width 0", [] { return header_patched(4, 0); }},
    {"negative height", [] { return header_patched(6, -2); }},
    {"tile width 0", [] { return header_patched(12, 0); }},
    {"depth of 12 bits", [] { return header_patched(16, 12); }},
    {"block record under 32 bytes", [] { return header_patched(18, 31); }},
    {"negative block count", [] { return header_patched(20, -1); }},
    {"negative graphics count", [] { return header_patched(22, -1); }},
    {"tile step 0", [] { return header_patched(28, 0); }},
    {"negative stagger", [] { return header_patched(34, -1); }},
    {"pick mask past the graphics", [] { return header_patched(36, 3); }},
    {"map of 32767 x 32767 cells",
     [] {
         bytes file = header_patched(4, 32767);
         file[26] = 0xff, file[27] = 0x7f;
         return file;
     }},
    {"graphics of 32767 tiles of 32767 x 32767 x 32 bits",
     [] {
         bytes file = header_patched(22, 32767);
         for (int offset : {12, 14}) file[20 + offset] = 0xff, file[21 + offset] = 0x7f;
         file[36] = 32;
         return file;
     }},
    {"chunk running past the form",
     [] {
         bytes file = fmp::write(base_map());
         set_form_length(file, (uint32_t)file.size() - 9);
         return file;
     }},
    {"form ending inside a chunk header",
     [] {
         bytes file = fmp::write(base_map()) + bytes{'A', 'B', 'C', 'D'};
         set_form_length(file, (uint32_t)file.size() - 8);
         return file;
     }},
    {"chunk claiming 4 GB",
     [] {
         bytes file = fmp::write(base_map()) + bytes{'A', 'B', 'C', 'D', 0xff, 0xff, 0xff, 0xf0, 1};
         set_form_length(file, 0xffffffff);
         return file;
     }},
};

class RejectTest : public MapTest, public testing::WithParamInterface<bad_case> {};

TEST_P(RejectTest, RefusedAsBadFileWithNothingLoaded) {
    ASSERT_EQ(load_map(base_map()), 0);
    EXPECT_EQ(load_bytes(GetParam().file()), -1);
    EXPECT_EQ(map_error, MAP_ERR_BAD_FILE);
    EXPECT_TRUE(map_unloaded());
}

std::string case_name(const testing::TestParamInfo<bad_case> &info) {
    std::string name;
    for (const char *c = info.param.name; *c; c++) name += isalnum((unsigned char)*c) ? *c : '_';
    return name;
}

INSTANTIATE_TEST_SUITE_P(BadFiles, RejectTest, testing::ValuesIn(BAD_CASES), case_name);

// The cases above are mutations of this map: it must load as it is.
TEST_F(MapTest, RejectionBaseMapLoads) {
    EXPECT_EQ(fmp::check(base_map()), "");
    EXPECT_EQ(load_map(base_map()), 0);
    EXPECT_EQ(load_bytes(without(base_map(), "CMAP")), 0);
}

} // namespace
