// Opening a map file, its outer header and the chunk-by-chunk read.
#include "map/map_internal.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// Chunk data is read in pieces and the buffer grows as data arrives, so a length
// field promising gigabytes costs no more memory than the bytes the file really has.
constexpr size_t READ_PIECE = 64 * 1024;

struct chunk_buffer {
    uint8_t *data = nullptr;
    size_t capacity = 0;
    ~chunk_buffer() { free(data); }
};

// Reads `size` bytes into the buffer: 0 when they all arrived, otherwise the error.
int read_chunk_data(PACKFILE *f, chunk_buffer &buf, size_t size) {
    size_t have = 0;
    while (have < size) {
        size_t want = size - have < READ_PIECE ? size - have : READ_PIECE;
        if (buf.capacity < have + want) {
            size_t capacity = buf.capacity ? buf.capacity : READ_PIECE;
            while (capacity < have + want) capacity *= 2;
            if (capacity > size) capacity = size;
            uint8_t *grown = (uint8_t *)realloc(buf.data, capacity);
            if (!grown) return MAP_ERR_MEMORY;
            map_prefault(grown + have, capacity - have);
            buf.data = grown;
            buf.capacity = capacity;
        }
        long got = pack_fread(buf.data + have, (long)want, f);
        if (got != (long)want) return MAP_ERR_BAD_FILE;
        have += want;
    }
    return MAP_ERR_NONE;
}

// Decodes the chunks of the form into a fresh engine state: 0, or -1 with no map
// loaded and the reason in map_error.
int decode_chunks(PACKFILE *f, int64_t budget) {
    map_free();
    map_decode_begin();
    chunk_buffer buf;
    while (budget > 0) {
        uint8_t header[8];
        if (pack_fread(header, 8, f) != 8) {
            map_error = MAP_ERR_BAD_FILE;
            break;
        }
        uint32_t size = (uint32_t)header[4] << 24 | (uint32_t)header[5] << 16 |
                        (uint32_t)header[6] << 8 | (uint32_t)header[7];
        // A chunk may not run past the end of the form.
        if ((int64_t)size + 8 > budget) {
            map_error = MAP_ERR_BAD_FILE;
            break;
        }
        map_error = read_chunk_data(f, buf, size);
        if (map_error != MAP_ERR_NONE) break;
        static const uint8_t no_data = 0;
        if (map_decode_keep_gfx((const char *)header, buf.data, size)) {
            buf.data = nullptr; // the graphics own it now
            buf.capacity = 0;
        } else {
            map_decode_chunk((const char *)header, size ? buf.data : &no_data, size);
        }
        if (map_error != MAP_ERR_NONE) break;
        budget -= 8 + (int64_t)size;
    }
    if (map_error == MAP_ERR_NONE) map_decode_finish();
    if (map_error != MAP_ERR_NONE) {
        map_free();
        return -1;
    }
    block_depth = (int16_t)gfx_depth;
    return map_convert_graphics();
}

// A plain (not packed) file read through stdio: the library's own plain packfiles
// copy byte by byte, and a map is megabytes of tile graphics.
FILE *stdio_of(void *userdata) {
    return (FILE *)userdata;
}
const PACKFILE_VTABLE STDIO_PACKFILE = {
    [](void *f) { return fclose(stdio_of(f)); },
    [](void *f) { return fgetc(stdio_of(f)); },
    [](int c, void *f) { return ungetc(c, stdio_of(f)); },
    [](void *p, long n, void *f) { return (long)fread(p, 1, (size_t)n, stdio_of(f)); },
    [](int c, void *f) { return fputc(c, stdio_of(f)); },
    [](const void *p, long n, void *f) { return (long)fwrite(p, 1, (size_t)n, stdio_of(f)); },
    [](void *f, int offset) { return fseek(stdio_of(f), offset, SEEK_CUR); },
    [](void *f) { return feof(stdio_of(f)); },
    [](void *f) { return ferror(stdio_of(f)); },
};

PACKFILE *open_plain(const char *filename) {
    FILE *raw = fopen(filename, "rb");
    if (!raw) return nullptr;
    PACKFILE *f = pack_fopen_vtable(&STDIO_PACKFILE, raw);
    if (!f) fclose(raw);
    return f;
}

} // namespace

int map_load(const char *filename) {
    map_error = MAP_ERR_NONE;
    PACKFILE *f = pack_fopen(filename, "rp");
    if (!f) f = open_plain(filename);
    if (!f) f = pack_fopen(filename, "r"); // names only the library knows (datafile objects)
    if (!f) {
        map_error = MAP_ERR_OPEN;
        return -1;
    }
    // The old map stays loaded until the outer header has proved the file is a map.
    map_error = MAP_ERR_BAD_FILE;
    uint8_t outer[12];
    bool read_all = true;
    for (int i = 0; i < 12 && read_all; i++) read_all = pack_fread(&outer[i], 1, f) == 1;
    if (read_all && memcmp(outer, "FORM", 4) == 0 && memcmp(outer + 8, "FMAP", 4) == 0)
        map_error = MAP_ERR_NONE;
    if (map_error != MAP_ERR_NONE) {
        pack_fclose(f);
        return -1;
    }
    uint32_t form_length = (uint32_t)outer[4] << 24 | (uint32_t)outer[5] << 16 |
                           (uint32_t)outer[6] << 8 | (uint32_t)outer[7];
    int result = decode_chunks(f, (int64_t)form_length - 4);
    pack_fclose(f);
    return result;
}
