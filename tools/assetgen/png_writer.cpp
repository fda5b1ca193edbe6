#include "assetgen/png_writer.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <zlib.h>

namespace {

void put_u32(std::vector<uint8_t> *out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out->push_back((uint8_t)(v >> shift));
}

// A chunk: length, type, data, and the CRC of type and data.
void put_chunk(std::vector<uint8_t> *out, const char type[4], const std::vector<uint8_t> &data) {
    put_u32(out, (uint32_t)data.size());
    size_t typed = out->size();
    out->insert(out->end(), type, type + 4);
    out->insert(out->end(), data.begin(), data.end());
    put_u32(out, (uint32_t)crc32(0, out->data() + typed, (uInt)(out->size() - typed)));
}

} // namespace

bool png_write_rgba(const std::string &path, int w, int h, const std::vector<uint8_t> &rgba) {
    if (w <= 0 || h <= 0 || rgba.size() != (size_t)w * h * 4) {
        fprintf(stderr, "assetgen: %s: %d x %d pixels do not match their %zu bytes\n", path.c_str(),
                w, h, rgba.size());
        return false;
    }
    // Each row starts with its filter type, 0: the bytes as they are.
    size_t row = (size_t)w * 4;
    std::vector<uint8_t> raw;
    raw.reserve((row + 1) * h);
    for (int y = 0; y < h; y++) {
        raw.push_back(0);
        raw.insert(raw.end(), rgba.begin() + y * row, rgba.begin() + (y + 1) * row);
    }
    uLongf packed_size = compressBound((uLong)raw.size());
    std::vector<uint8_t> packed(packed_size);
    if (compress2(packed.data(), &packed_size, raw.data(), (uLong)raw.size(), 9) != Z_OK) {
        fprintf(stderr, "assetgen: %s: cannot compress the pixels\n", path.c_str());
        return false;
    }
    packed.resize(packed_size);

    std::vector<uint8_t> header;
    put_u32(&header, (uint32_t)w);
    put_u32(&header, (uint32_t)h);
    // 8 bits a channel, colour type 6 (RGBA), deflate, filters of type 0..4, no interlace.
    header.insert(header.end(), {8, 6, 0, 0, 0});
    std::vector<uint8_t> file = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    put_chunk(&file, "IHDR", header);
    put_chunk(&file, "IDAT", packed);
    put_chunk(&file, "IEND", {});

    FILE *f = fopen(path.c_str(), "wb");
    bool ok = f && fwrite(file.data(), 1, file.size(), f) == file.size();
    if (f) ok = fclose(f) == 0 && ok;
    if (!ok) fprintf(stderr, "assetgen: cannot write %s: %s\n", path.c_str(), strerror(errno));
    return ok;
}
