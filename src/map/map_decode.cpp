// Decoders of the map file's chunks into the engine state, and the checks that make
// every reference of a loaded map safe to follow without further tests.
#include "map/map_internal.h"

#include <cstdlib>
#include <cstring>

namespace {

// Which one-off chunks the current load has decoded.
struct chunks_seen {
    bool header;
    bool colours;
    bool blocks;
    bool anims;
};
chunks_seen seen;

void reject() {
    map_error = MAP_ERR_BAD_FILE;
}

int read16(const uint8_t *p) {
    uint16_t u = map_little_endian ? (uint16_t)(p[0] | p[1] << 8) : (uint16_t)(p[0] << 8 | p[1]);
    return (int16_t)u;
}

int32_t read32(const uint8_t *p) {
    uint32_t u =
        map_little_endian
            ? (uint32_t)p[0] | (uint32_t)p[1] << 8 | (uint32_t)p[2] << 16 | (uint32_t)p[3] << 24
            : (uint32_t)p[0] << 24 | (uint32_t)p[1] << 16 | (uint32_t)p[2] << 8 | (uint32_t)p[3];
    return (int32_t)u;
}

// malloc that never answers nullptr for a size of 0, so that "allocated" and "absent"
// stay distinguishable for empty tables.
void *alloc(size_t bytes) {
    return malloc(bytes ? bytes : 1);
}
void *alloc_zeroed(size_t count, size_t size) {
    return calloc(count ? count : 1, size);
}

bool valid_depth(int depth) {
    return depth == 8 || depth == 15 || depth == 16 || depth == 24 || depth == 32;
}

void decode_header(const uint8_t *d, size_t n) {
    // A second header could change the geometry under layers already decoded.
    if (seen.header || n < 24) return reject();
    seen.header = true;
    if (d[0] > 1) {
        map_error = MAP_ERR_VERSION;
        return;
    }
    map_little_endian = d[2] == 1;
    if (d[3] > 3) {
        map_error = MAP_ERR_VERSION;
        return;
    }
    map_type = d[3];
    map_width = (int16_t)read16(d + 4);
    map_height = (int16_t)read16(d + 6);
    block_width = (int16_t)read16(d + 12);
    block_height = (int16_t)read16(d + 14);
    block_depth = (int16_t)read16(d + 16);
    block_record_size = (int16_t)read16(d + 18);
    block_count = (int16_t)read16(d + 20);
    gfx_count = (int16_t)read16(d + 22);
    // The optional fields come in whole groups: steps and staggers, then the pick mask.
    if ((n > 28 && n < 36) || n == 37) return reject();
    if (n > 28) {
        block_step_x = read16(d + 28);
        block_step_y = read16(d + 30);
        block_stagger_x = read16(d + 32);
        block_stagger_y = read16(d + 34);
    } else {
        block_step_x = block_width;
        block_step_y = block_height;
        block_stagger_x = block_stagger_y = 0;
    }
    pick_mask_gfx = n > 36 ? read16(d + 36) : 0;
    gfx_depth = block_depth;

    if (map_width <= 0 || map_height <= 0 || (int64_t)map_width * map_height > MAP_MAX_CELLS)
        return reject();
    if (block_width <= 0 || block_height <= 0 || !valid_depth(block_depth)) return reject();
    if (block_record_size < 32 || block_count < 0 || gfx_count < 0) return reject();
    if (block_step_x <= 0 || block_step_y <= 0) return reject();
    if (block_stagger_x < 0 || block_stagger_y < 0) return reject();
    if (pick_mask_gfx < 0 || (pick_mask_gfx != 0 && pick_mask_gfx >= gfx_count)) return reject();
}

void decode_colours(const uint8_t *d, size_t n) {
    if (seen.colours || n < 768) return reject();
    seen.colours = true;
    colour_map = (uint8_t *)alloc(768);
    if (!colour_map) {
        map_error = MAP_ERR_MEMORY;
        return;
    }
    memcpy(colour_map, d, 768);
}

// Graphic numbers are checked here against the header's count, so that building the
// tile bitmaps can index the table directly.
void decode_blocks(const uint8_t *d, size_t n) {
    if (!seen.header || seen.blocks) return reject();
    seen.blocks = true;
    const size_t count = (size_t)block_count;
    const size_t record = (size_t)block_record_size;
    if (count > 0 && n < (count - 1) * record + 32) return reject();
    map_blocks = (map_block *)alloc_zeroed(count, sizeof(map_block));
    map_block_gfx_numbers = (int32_t *)alloc_zeroed(count * 4, sizeof(int32_t));
    if (!map_blocks || !map_block_gfx_numbers) {
        map_error = MAP_ERR_MEMORY;
        return;
    }
    const int64_t gfx_bytes =
        (int64_t)block_width * block_height * map_bytes_per_pixel(block_depth);
    for (size_t i = 0; i < count; i++) {
        const uint8_t *r = d + i * record;
        int32_t *gfx = map_block_gfx_numbers + i * 4;
        for (int g = 0; g < 4; g++) {
            int32_t v = read32(r + 4 * g);
            gfx[g] = map_type == 0 ? (int32_t)(v / gfx_bytes) : v;
        }
        // Every block shows its background; a foreground of 0 is none.
        if (gfx[0] < 0 || gfx[0] >= gfx_count) return reject();
        for (int g = 1; g < 4; g++)
            if (gfx[g] != 0 && (gfx[g] < 0 || gfx[g] >= gfx_count)) return reject();
        map_block &b = map_blocks[i];
        b.user1 = read32(r + 16);
        b.user2 = read32(r + 20);
        b.user3 = (int16_t)read16(r + 24);
        b.user4 = (int16_t)read16(r + 26);
        b.user5 = r[28];
        b.user6 = r[29];
        b.user7 = r[30];
        b.flags = r[31];
    }
}

// Frames and ranges are checked here, so the animation steps and the cell lookups
// never leave the frame list or the block table.
void decode_anims(const uint8_t *d, size_t n) {
    if (!seen.header || seen.anims || n < 16) return reject();
    seen.anims = true;
    int64_t marker = (int64_t)n - 16;
    while (marker >= 0 && d[marker] != 0xff) marker -= 16;
    if (marker < 0) return reject();
    const size_t frames = (size_t)marker / 4;
    const size_t records = (n - (size_t)marker) / 16; // the marker included
    if (frames > INT32_MAX) return reject();
    anim_frames = (int32_t *)alloc_zeroed(frames, sizeof(int32_t));
    anim_table = (map_anim *)alloc_zeroed(records, sizeof(map_anim));
    if (!anim_frames || !anim_table) {
        map_error = MAP_ERR_MEMORY;
        return;
    }
    anim_frame_count = (int)frames;
    anim_table_end = anim_table + records;
    for (size_t i = 0; i < frames; i++) {
        int32_t v = read32(d + 4 * i);
        if (map_type == 0) v /= block_record_size;
        if (v < 0 || v >= block_count) return reject();
        anim_frames[i] = v;
    }
    // Type 0 frame fields are byte offsets counted back from the end of the chunk.
    auto frame_field = [&](const uint8_t *p) -> int64_t {
        int64_t v = read32(p);
        return map_type == 0 ? (v + (int64_t)n) / 4 : v;
    };
    for (size_t i = 0; i < records; i++) {
        const uint8_t *r = d + marker + 16 * i;
        map_anim &a = anim_table[i];
        a.type = (int8_t)r[0];
        a.delay = (int8_t)r[1];
        a.counter = (int8_t)r[2];
        a.user = r[3];
        int64_t current = frame_field(r + 4);
        int64_t start = frame_field(r + 8);
        int64_t end = frame_field(r + 12);
        if (i == 0) continue; // the marker is never shown
        // The frame shown after a reset (start, or end - 1) must exist even for an
        // empty range, which never moves.
        if (start < 0 || start > end || end > (int64_t)frames || start >= (int64_t)frames)
            return reject();
        a.current = (int32_t)current;
        a.start = (int32_t)start;
        a.end = (int32_t)end;
    }
    map_reset_animations();
}

void decode_alt_gfx(const uint8_t *d, size_t n) {
    if (!seen.header) return reject();
    if (!screen || bitmap_color_depth(screen) > 8) return;
    free(gfx_data);
    gfx_data = (uint8_t *)alloc(n);
    gfx_data_size = 0;
    if (!gfx_data) {
        map_error = MAP_ERR_MEMORY;
        return;
    }
    memcpy(gfx_data, d, n);
    gfx_data_size = n;
    gfx_depth = 8;
}

void decode_gfx(const uint8_t *d, size_t n) {
    if (gfx_data) return;
    gfx_data = (uint8_t *)alloc(n);
    if (!gfx_data) {
        map_error = MAP_ERR_MEMORY;
        return;
    }
    memcpy(gfx_data, d, n);
    gfx_data_size = n;
}

// Run-length rows: positive counts copy literals, negative counts fill (type 2) or
// copy back from earlier cells (type 3). Runs may not pass the end of their row.
bool decode_runs(int16_t *cells, const uint8_t *d, size_t n) {
    size_t pos = 0;
    for (int row = 0; row < map_height; row++) {
        int col = 0;
        while (col < map_width) {
            if (n - pos < 2) return false;
            int count = read16(d + pos);
            pos += 2;
            int length = count < 0 ? -count : count;
            if (length > map_width - col) return false;
            int64_t at = (int64_t)row * map_width + col;
            if (count > 0) {
                if ((n - pos) / 2 < (size_t)length) return false;
                for (int i = 0; i < length; i++, pos += 2) cells[at + i] = (int16_t)read16(d + pos);
            } else if (count < 0) {
                if (n - pos < 2) return false;
                int value = read16(d + pos);
                pos += 2;
                if (map_type == 2) {
                    for (int i = 0; i < length; i++) cells[at + i] = (int16_t)value;
                } else {
                    // The distance must reach back into cells already decoded.
                    if (value >= 0 || at + value < 0) return false;
                    for (int i = 0; i < length; i++) cells[at + i] = cells[at + value + i];
                }
            }
            col += length;
        }
    }
    return true;
}

void decode_layer(int layer, const uint8_t *d, size_t n) {
    if (!seen.header || map_layers[layer]) return reject();
    const size_t count = (size_t)map_width * (size_t)map_height;
    int16_t *cells = (int16_t *)alloc_zeroed(count, sizeof(int16_t));
    if (!cells) {
        map_error = MAP_ERR_MEMORY;
        return;
    }
    map_layers[layer] = cells;
    if (layer == 0) map_current_layer = cells;
    if (map_type >= 2) {
        if (!decode_runs(cells, d, n)) reject();
        return;
    }
    if (n / 2 < count) return reject();
    for (size_t i = 0; i < count; i++) {
        int v = read16(d + 2 * i);
        // Type 0 cells are byte offsets: into the block records, or back into the
        // animation records of 16 bytes.
        if (map_type == 0) v = v >= 0 ? v / block_record_size : v / 16;
        cells[i] = (int16_t)v;
    }
}

bool tag_is(const char tag[4], const char *name) {
    return memcmp(tag, name, 4) == 0;
}

} // namespace

void map_decode_begin() {
    seen = chunks_seen{};
}

void map_decode_chunk(const char tag[4], const uint8_t *data, size_t size) {
    if (tag_is(tag, "MPHD"))
        decode_header(data, size);
    else if (tag_is(tag, "CMAP"))
        decode_colours(data, size);
    else if (tag_is(tag, "BKDT"))
        decode_blocks(data, size);
    else if (tag_is(tag, "ANDT"))
        decode_anims(data, size);
    else if (tag_is(tag, "AGFX"))
        decode_alt_gfx(data, size);
    else if (tag_is(tag, "BGFX"))
        decode_gfx(data, size);
    else if (tag_is(tag, "NOVC"))
        return; // the no-video list: every tile is a memory bitmap anyway
    else if (tag_is(tag, "BODY"))
        decode_layer(0, data, size);
    else if (memcmp(tag, "LYR", 3) == 0 && tag[3] >= '1' && tag[3] <= '7')
        decode_layer(tag[3] - '0', data, size);
}

bool map_decode_keep_gfx(const char tag[4], uint8_t *data, size_t size) {
    if (!tag_is(tag, "BGFX") || gfx_data || size == 0) return false;
    gfx_data = data;
    gfx_data_size = size;
    return true;
}

void map_decode_finish() {
    if (!seen.header || !seen.blocks || !map_layers[0]) return reject();
    const int64_t needed =
        (int64_t)gfx_count * block_width * block_height * map_bytes_per_pixel(gfx_depth);
    if (gfx_count > 0 && (!gfx_data || (int64_t)gfx_data_size < needed)) return reject();
    // Palette graphics on a high-colour screen take their colours from the colour map.
    if (gfx_depth == 8 && gfx_count > 0 && screen && bitmap_color_depth(screen) > 8 && !colour_map)
        return reject();
    const size_t count = (size_t)map_width * (size_t)map_height;
    const int anims = map_anim_count();
    for (int layer = 0; layer < MAP_LAYER_COUNT; layer++) {
        const int16_t *cells = map_layers[layer];
        if (!cells) continue;
        for (size_t i = 0; i < count; i++)
            if (!map_cell_in_tables(cells[i], block_count, anims)) return reject();
    }
}
