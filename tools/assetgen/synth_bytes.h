// Byte buffers for the sound and music writers: little- and big-endian fields and a
// whole-file write that reports its own failure.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

using synth_bytes = std::vector<uint8_t>;

inline void bytes_put_le16(synth_bytes &b, uint32_t v) {
    b.push_back((uint8_t)v);
    b.push_back((uint8_t)(v >> 8));
}

inline void bytes_put_le32(synth_bytes &b, uint32_t v) {
    bytes_put_le16(b, v & 0xFFFF);
    bytes_put_le16(b, v >> 16);
}

inline void bytes_put_be16(synth_bytes &b, uint32_t v) {
    b.push_back((uint8_t)(v >> 8));
    b.push_back((uint8_t)v);
}

inline void bytes_put_be32(synth_bytes &b, uint32_t v) {
    bytes_put_be16(b, v >> 16);
    bytes_put_be16(b, v & 0xFFFF);
}

inline void bytes_put_text(synth_bytes &b, const char *text, size_t size) {
    for (size_t i = 0; i < size; i++) b.push_back((uint8_t)text[i]);
}

// Pads or cuts a text field to exactly `size` bytes, zero-filled.
inline void bytes_put_field(synth_bytes &b, const std::string &text, size_t size) {
    for (size_t i = 0; i < size; i++) b.push_back(i < text.size() ? (uint8_t)text[i] : 0);
}

inline bool bytes_write_file(const std::string &path, const synth_bytes &b) {
    FILE *f = fopen(path.c_str(), "wb");
    if (!f) {
        fprintf(stderr, "assetgen: cannot create %s\n", path.c_str());
        return false;
    }
    bool ok = fwrite(b.data(), 1, b.size(), f) == b.size();
    ok = (fclose(f) == 0) && ok;
    if (!ok) fprintf(stderr, "assetgen: cannot write %s\n", path.c_str());
    return ok;
}
