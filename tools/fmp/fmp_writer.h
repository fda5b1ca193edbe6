// Writes FMP map files: the level compiler uses it for buildings.fmp and the tests
// for maps of every shape the loader reads.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace fmp {

// A block record with graphic numbers (converted to byte offsets for map type 0).
struct Block {
    int32_t bg = 0, fg1 = 0, fg2 = 0, fg3 = 0;
    int32_t user1 = 0, user2 = 0;
    int16_t user3 = 0, user4 = 0;
    uint8_t user5 = 0, user6 = 0, user7 = 0;
    uint8_t flags = 0;
};

// An animation record with frame-list indexes.
struct Anim {
    int8_t type = 1, delay = 0, counter = 0;
    uint8_t user = 0;
    int32_t current = 0, start = 0, end = 0;
};

struct Chunk {
    std::string tag; // four characters
    std::vector<uint8_t> data;
};

struct Map {
    uint8_t version_major = 1, version_minor = 0;
    bool little_endian = true;
    uint8_t map_type = 1; // 0 to 3
    int16_t width = 0, height = 0;
    int16_t block_width = 64, block_height = 64;
    int16_t block_depth = 16;
    int16_t block_record_size = 32; // at least 32; bytes past 32 are written as zero
    // Header length: 24 (no optional fields), 28, 36 or 38 bytes.
    int header_size = 24;
    int16_t block_step_x = 0, block_step_y = 0; // 0: the tile size
    int16_t block_stagger_x = 0, block_stagger_y = 0;
    int16_t pick_mask_gfx = 0;

    std::vector<Block> blocks;
    std::vector<int32_t> anim_frames; // block numbers
    std::vector<Anim> anims;          // without the marker; written when non-empty
    // Raw pixels of gfx_count graphics at block_depth, exactly as stored in "BGFX".
    int16_t gfx_count = 0;
    std::vector<uint8_t> gfx;
    std::vector<uint8_t> agfx;       // "AGFX" when non-empty
    std::vector<uint8_t> cmap;       // "CMAP" when non-empty
    std::vector<int16_t> layers[8];  // layer 0 is "BODY"; empty layers are not written
    std::vector<Chunk> extra_chunks; // written right after "MPHD" (unknown tags, tests)
    // When not empty: the standard chunks to write, in this order ("MPHD", "CMAP",
    // "BKDT", "ANDT", "AGFX", "BGFX", "BODY", "LYR1" to "LYR7"); chunks not named are
    // left out. Extra chunks still follow "MPHD" (or lead when it is left out).
    std::vector<std::string> chunk_order;
};

// Why the engine's loader would reject the map, or "" when it loads. write() writes
// what it is given all the same (tests use it for bad files), but never reads past
// the vectors it is given.
std::string check(const Map &map);

// The whole file, "FORM" to the last chunk.
std::vector<uint8_t> write(const Map &map);
// false when the file cannot be written whole (it is written even if check() objects).
bool write_file(const std::string &path, const Map &map);

// Pixel helpers for graphics data.
void put_pixel16(std::vector<uint8_t> &gfx, int r, int g, int b); // 5-6-5, high byte first
void put_pixel24(std::vector<uint8_t> &gfx, int r, int g, int b);

} // namespace fmp
