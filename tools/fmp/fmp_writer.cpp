#include "fmp/fmp_writer.h"

#include <cstdint>
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

int bytes_per_pixel(int depth) {
    return (depth + 1) / 8;
}

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
    for (int32_t block : m.anim_frames)
        o.i32(m.map_type == 0 ? block * m.block_record_size : block);
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
        // Only rows present in full are coded.
        int rows = m.width > 0 ? (int)(cells.size() / (size_t)m.width) : 0;
        if (rows > m.height) rows = m.height;
        for (int r = 0; r < rows; r++) {
            const int16_t *row = &cells[(size_t)r * m.width];
            if (m.map_type == 2)
                encode_row_fill(o, row, m.width);
            else
                encode_row_copy(o, row, m.width);
        }
    }
    return o.bytes;
}

std::string layer_tag(int i) {
    return i == 0 ? "BODY" : "LYR" + std::to_string(i);
}

// The data of a standard chunk, by tag.
std::vector<uint8_t> standard_chunk(const Map &m, const std::string &tag) {
    if (tag == "MPHD") return header(m);
    if (tag == "CMAP") return m.cmap;
    if (tag == "BKDT") return blocks(m);
    if (tag == "ANDT") return animations(m);
    if (tag == "AGFX") return m.agfx;
    if (tag == "BGFX") return m.gfx;
    for (int i = 0; i < 8; i++)
        if (tag == layer_tag(i)) return layer(m, m.layers[i]);
    return {};
}

std::vector<std::string> default_order(const Map &m) {
    std::vector<std::string> order = {"MPHD"};
    if (!m.cmap.empty()) order.push_back("CMAP");
    order.push_back("BKDT");
    if (!m.anims.empty()) order.push_back("ANDT");
    if (!m.agfx.empty()) order.push_back("AGFX");
    order.push_back("BGFX");
    for (int i = 0; i < 8; i++)
        if (!m.layers[i].empty()) order.push_back(layer_tag(i));
    return order;
}

bool fits16(int64_t v) {
    return v >= INT16_MIN && v <= INT16_MAX;
}
bool fits32(int64_t v) {
    return v >= INT32_MIN && v <= INT32_MAX;
}

} // namespace

std::string check(const Map &m) {
    const int hs = m.header_size;
    if (hs != 24 && hs != 28 && hs != 36 && hs != 38) return "header size not 24, 28, 36 or 38";
    if (m.version_major > 1 || m.map_type > 3) return "version or map type not supported";
    if (m.width <= 0 || m.height <= 0 || (int64_t)m.width * m.height > 2048 * 2048)
        return "map size out of range";
    if (m.block_width <= 0 || m.block_height <= 0) return "tile size not positive";
    const int d = m.block_depth;
    if (d != 8 && d != 15 && d != 16 && d != 24 && d != 32) return "bad graphics depth";
    if (m.block_record_size < 32) return "block record size below 32";
    if (m.blocks.size() > (size_t)INT16_MAX) return "too many blocks";
    if (hs > 28 && (m.block_step_x < 0 || m.block_step_y < 0)) return "negative tile step";
    if (hs > 28 && (m.block_stagger_x < 0 || m.block_stagger_y < 0)) return "negative stagger";
    if (m.gfx_count <= 0) return "no graphics";
    if (hs > 36 && (m.pick_mask_gfx < 0 || m.pick_mask_gfx >= m.gfx_count))
        return "pick mask graphic out of range";
    const int64_t tile_bytes = (int64_t)m.block_width * m.block_height * bytes_per_pixel(d);
    if ((int64_t)m.gfx.size() < m.gfx_count * tile_bytes) return "graphics shorter than gfx_count";
    if (!m.agfx.empty() &&
        (int64_t)m.agfx.size() < (int64_t)m.gfx_count * m.block_width * m.block_height)
        return "8-bit graphics shorter than gfx_count";
    if (d == 8 && m.cmap.size() < 768) return "8-bit graphics without a colour map";
    const int blocks = (int)m.blocks.size();
    for (const Block &b : m.blocks) {
        for (int32_t g : {b.bg, b.fg1, b.fg2, b.fg3}) {
            if (g < 0 || g >= m.gfx_count) return "graphic number out of range";
            if (m.map_type == 0 && !fits32(g * tile_bytes)) return "graphic offset too large";
        }
    }
    const int frames = (int)m.anim_frames.size();
    for (int32_t f : m.anim_frames) {
        if (f < 0 || f >= blocks) return "animation frame out of range";
        if (m.map_type == 0 && !fits32((int64_t)f * m.block_record_size))
            return "animation frame offset too large";
    }
    if (!m.anims.empty() && m.anims.size() * 16 + frames * 4 + 16 > (size_t)INT32_MAX)
        return "too many animations";
    for (const Anim &a : m.anims) {
        if (a.start < 0 || a.start > a.end || a.end > frames || a.start >= frames)
            return "animation range out of the frame list";
        if ((uint8_t)a.type == 0xff) return "animation type 0xff is the marker";
    }
    if (m.layers[0].empty()) return "no layer 0";
    const int anims = (int)m.anims.size();
    for (const std::vector<int16_t> &cells : m.layers) {
        if (cells.empty()) continue;
        if (cells.size() != (size_t)m.width * m.height) return "layer size is not width x height";
        for (int16_t v : cells) {
            if (v >= 0 ? v >= blocks : -v > anims) return "cell out of range";
            if (m.map_type == 0 && !fits16(v >= 0 ? v * m.block_record_size : v * 16))
                return "cell too large for byte offsets";
        }
    }
    return "";
}

std::vector<uint8_t> write(const Map &m) {
    Out body;
    std::vector<std::string> order = m.chunk_order.empty() ? default_order(m) : m.chunk_order;
    bool has_header = false;
    for (const std::string &tag : order) has_header = has_header || tag == "MPHD";
    if (!has_header)
        for (const Chunk &c : m.extra_chunks) chunk(body, c.tag, c.data);
    for (const std::string &tag : order) {
        chunk(body, tag, standard_chunk(m, tag));
        if (tag == "MPHD")
            for (const Chunk &c : m.extra_chunks) chunk(body, c.tag, c.data);
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
