#include "fmp/fmp_writer.h"

#include <cstdio>

namespace fmp {
namespace {

struct Out {
    std::vector<uint8_t> bytes;
    bool little = true;

    void u8(int v) { bytes.push_back((uint8_t)v); }
    void tag(const std::string &t) {
        for (int i = 0; i < 4; i++) u8(i < (int)t.size() ? t[i] : ' ');
    }
    void be32(uint32_t v) {
        for (int shift = 24; shift >= 0; shift -= 8) u8((v >> shift) & 0xff);
    }
    void i16(int v) {
        uint16_t u = (uint16_t)v;
        if (little) {
            u8(u & 0xff);
            u8(u >> 8);
        } else {
            u8(u >> 8);
            u8(u & 0xff);
        }
    }
    void i32(int32_t v) {
        uint32_t u = (uint32_t)v;
        if (little)
            for (int shift = 0; shift <= 24; shift += 8) u8((u >> shift) & 0xff);
        else
            be32(u);
    }
    void append(const std::vector<uint8_t> &data) {
        bytes.insert(bytes.end(), data.begin(), data.end());
    }
};

void chunk(Out &file, const std::string &tag, const std::vector<uint8_t> &data) {
    file.tag(tag);
    file.be32((uint32_t)data.size());
    file.append(data);
}

int bytes_per_pixel(int depth) { return (depth + 1) / 8; }

std::vector<uint8_t> header(const Map &m) {
    Out o;
    o.little = m.little_endian;
    o.u8(m.version_major);
    o.u8(m.version_minor);
    o.u8(m.little_endian ? 1 : 0);
    o.u8(m.map_type);
    o.i16(m.width);
    o.i16(m.height);
    o.i16(0);
    o.i16(0);
    o.i16(m.block_width);
    o.i16(m.block_height);
    o.i16(m.block_depth);
    o.i16(m.block_record_size);
    o.i16((int)m.blocks.size());
    o.i16(m.gfx_count);
    if (m.header_size > 24) o.i32(0);
    if (m.header_size > 28) {
        o.i16(m.block_step_x ? m.block_step_x : m.block_width);
        o.i16(m.block_step_y ? m.block_step_y : m.block_height);
        o.i16(m.block_stagger_x);
        o.i16(m.block_stagger_y);
    }
    if (m.header_size > 36) o.i16(m.pick_mask_gfx);
    return o.bytes;
}

std::vector<uint8_t> blocks(const Map &m) {
    Out o;
    o.little = m.little_endian;
    int32_t gfx_bytes = m.block_width * m.block_height * bytes_per_pixel(m.block_depth);
    auto gfx_ref = [&](int32_t n) { return m.map_type == 0 ? n * gfx_bytes : n; };
    for (const Block &b : m.blocks) {
        o.i32(gfx_ref(b.bg));
        o.i32(gfx_ref(b.fg1));
        o.i32(gfx_ref(b.fg2));
        o.i32(gfx_ref(b.fg3));
        o.i32(b.user1);
        o.i32(b.user2);
        o.i16(b.user3);
        o.i16(b.user4);
        o.u8(b.user5);
        o.u8(b.user6);
        o.u8(b.user7);
        o.u8(b.flags);
        for (int i = 32; i < m.block_record_size; i++) o.u8(0);
    }
    return o.bytes;
}

std::vector<uint8_t> animations(const Map &m) {
    Out o;
    o.little = m.little_endian;
    int32_t n = (int32_t)(m.anim_frames.size() * 4 + 16 * (m.anims.size() + 1));
    for (int32_t block : m.anim_frames) o.i32(m.map_type == 0 ? block * m.block_record_size : block);
    // The marker record.
    o.u8(0xff);
    for (int i = 1; i < 16; i++) o.u8(0);
    // Type 0 stores frame fields as byte offsets counted back from the chunk's end.
    auto frame_ref = [&](int32_t index) { return m.map_type == 0 ? index * 4 - n : index; };
    for (const Anim &a : m.anims) {
        o.u8((uint8_t)a.type);
        o.u8((uint8_t)a.delay);
        o.u8((uint8_t)a.counter);
        o.u8(a.user);
        o.i32(frame_ref(a.current));
        o.i32(frame_ref(a.start));
        o.i32(frame_ref(a.end));
    }
    return o.bytes;
}

// Type 2: literal runs and fill runs of three or more equal cells.
void encode_row_fill(Out &o, const int16_t *row, int width) {
    int c = 0;
    while (c < width) {
        int same = 1;
        while (c + same < width && row[c + same] == row[c]) same++;
        if (same >= 3) {
            o.i16(-same);
            o.i16(row[c]);
            c += same;
            continue;
        }
        int start = c;
        while (c < width) {
            int run = 1;
            while (c + run < width && row[c + run] == row[c]) run++;
            if (run >= 3) break;
            c += run;
        }
        o.i16(c - start);
        for (int i = start; i < c; i++) o.i16(row[i]);
    }
}

// Type 3: literal runs and back-copies of two or more cells from earlier in the row.
void encode_row_copy(Out &o, const int16_t *row, int width) {
    int c = 0;
    int literal_start = 0;
    auto flush = [&](int end) {
        if (end > literal_start) {
            o.i16(end - literal_start);
            for (int i = literal_start; i < end; i++) o.i16(row[i]);
        }
    };
    while (c < width) {
        int best_len = 0, best_d = 0;
        for (int d = 1; d <= c; d++) {
            int len = 0;
            while (c + len < width && row[c + len - d] == row[c + len]) len++;
            if (len > best_len) {
                best_len = len;
                best_d = d;
            }
        }
        if (best_len >= 2) {
            flush(c);
            o.i16(-best_len);
            o.i16(-best_d);
            c += best_len;
            literal_start = c;
        } else {
            c++;
        }
    }
    flush(c);
}

std::vector<uint8_t> layer(const Map &m, const std::vector<int16_t> &cells) {
    Out o;
    o.little = m.little_endian;
    if (m.map_type <= 1) {
        for (int16_t v : cells) {
            int value = v;
            if (m.map_type == 0) value = v >= 0 ? v * m.block_record_size : v * 16;
            o.i16(value);
        }
    } else {
        for (int r = 0; r < m.height; r++) {
            const int16_t *row = &cells[(size_t)r * m.width];
            if (m.map_type == 2)
                encode_row_fill(o, row, m.width);
            else
                encode_row_copy(o, row, m.width);
        }
    }
    return o.bytes;
}

} // namespace

std::vector<uint8_t> write(const Map &m) {
    Out body;
    chunk(body, "MPHD", header(m));
    for (const Chunk &c : m.extra_chunks) chunk(body, c.tag, c.data);
    if (!m.cmap.empty()) chunk(body, "CMAP", m.cmap);
    chunk(body, "BKDT", blocks(m));
    if (!m.anims.empty()) chunk(body, "ANDT", animations(m));
    if (!m.agfx.empty()) chunk(body, "AGFX", m.agfx);
    chunk(body, "BGFX", m.gfx);
    for (int i = 0; i < 8; i++) {
        if (m.layers[i].empty()) continue;
        std::string tag = i == 0 ? "BODY" : "LYR" + std::to_string(i);
        chunk(body, tag, layer(m, m.layers[i]));
    }
    Out file;
    file.tag("FORM");
    file.be32((uint32_t)(body.bytes.size() + 4));
    file.tag("FMAP");
    file.append(body.bytes);
    return file.bytes;
}

bool write_file(const std::string &path, const Map &map) {
    std::vector<uint8_t> bytes = write(map);
    FILE *f = fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    ok = (fclose(f) == 0) && ok;
    return ok;
}

void put_pixel16(std::vector<uint8_t> &gfx, int r, int g, int b) {
    unsigned v = ((unsigned)(r >> 3) << 11) | ((unsigned)(g >> 2) << 5) | (unsigned)(b >> 3);
    gfx.push_back((uint8_t)(v >> 8));
    gfx.push_back((uint8_t)(v & 0xff));
}

void put_pixel24(std::vector<uint8_t> &gfx, int r, int g, int b) {
    gfx.push_back((uint8_t)r);
    gfx.push_back((uint8_t)g);
    gfx.push_back((uint8_t)b);
}

} // namespace fmp
