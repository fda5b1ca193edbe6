// Checked loading of the start-up images and the font datafile.
//
// The library's BMP and TGA readers take a file that ends early as one whose pixels
// happen to be blank, and its datafile reader does the same with a font. So each
// file is measured against its own header first. The JPEG add-on reads on past the
// end of a damaged backdrop and corrupts its own memory on damaged tables, whatever
// room it is given: the backdrop is decoded from memory with libjpeg instead, whose
// memory source never reads past the data and which reports damage as an error.
#include "shell/asset_files.h"

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <jpeglib.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr size_t IMAGE_MAX_BYTES = 64u << 20; // far beyond any picture of the game
constexpr int IMAGE_MAX_SIDE = 4096;          // the backdrop is 1024 x 768

using bytes = std::vector<uint8_t>;

unsigned le16(const uint8_t *p) {
    return p[0] | (unsigned)p[1] << 8;
}
uint32_t le32(const uint8_t *p) {
    return le16(p) | (uint32_t)le16(p + 2) << 16;
}
unsigned be16(const uint8_t *p) {
    return (unsigned)p[0] << 8 | p[1];
}

std::string cut_short(unsigned long long needed, size_t size) {
    return "the file is cut short: its header promises " + std::to_string(needed) +
           " bytes, the file has " + std::to_string(size);
}

std::string bad_size(long long w, long long h) {
    return "its header gives a size of " + std::to_string(w) + " x " + std::to_string(h) +
           " pixels";
}

} // namespace

// Why a file cannot be taken as it stands on disk, or "".
std::string file_problem(const char *name, struct stat *st) {
    if (stat(name, st) != 0)
        return errno == ENOENT ? "the file is missing"
                               : std::string("the file cannot be opened (") + strerror(errno) + ")";
    if (!S_ISREG(st->st_mode)) return "it is not a regular file";
    return "";
}

std::string asset_file_problem(const char *name) {
    struct stat st;
    return file_problem(name, &st);
}

namespace {

// The whole file; "" or the reason it could not be read.
std::string read_file(const char *name, bytes *out) {
    struct stat st;
    std::string problem = file_problem(name, &st);
    if (!problem.empty()) return problem;
    if ((unsigned long long)st.st_size > IMAGE_MAX_BYTES)
        return "the file is " + std::to_string((long long)st.st_size) +
               " bytes, more than any image of the game";
    int fd = open(name, O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::string("the file cannot be opened (") + strerror(errno) + ")";
    out->resize((size_t)st.st_size);
    size_t got = 0;
    ssize_t n = 1;
    while (n > 0 && got < out->size())
        if ((n = read(fd, out->data() + got, out->size() - got)) > 0) got += (size_t)n;
    int read_errno = errno;
    close(fd);
    if (n < 0) return std::string("the file cannot be read (") + strerror(read_errno) + ")";
    out->resize(got);
    return "";
}

const char *extension(const char *name) {
    const char *dot = strrchr(name, '.');
    return dot ? dot + 1 : "";
}

// libjpeg's errors, and its warnings about damaged data, end the decode here.
struct jpeg_failure {
    jpeg_error_mgr manager;
    jmp_buf back;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void jpeg_fail(j_common_ptr info) {
    jpeg_failure *failure = (jpeg_failure *)info->err;
    (*info->err->format_message)(info, failure->message);
    longjmp(failure->back, 1);
}

void jpeg_message(j_common_ptr info, int level) {
    if (level < 0) jpeg_fail(info); // a warning: the data is damaged
}

// Decodes whole or not at all; nullptr with the reason in *why.
BITMAP *decode_jpeg(const bytes &file, std::string *why) {
    jpeg_decompress_struct info;
    jpeg_failure failure;
    info.err = jpeg_std_error(&failure.manager);
    failure.manager.error_exit = jpeg_fail;
    failure.manager.emit_message = jpeg_message;
    BITMAP *volatile bmp = nullptr;
    if (setjmp(failure.back)) {
        jpeg_destroy_decompress(&info);
        if (bmp) destroy_bitmap(bmp);
        *why = std::string("its JPEG data is damaged (") + failure.message + ")";
        return nullptr;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, file.data(), (unsigned long)file.size());
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    bmp = create_bitmap((int)info.output_width, (int)info.output_height);
    if (!bmp) {
        jpeg_destroy_decompress(&info);
        *why = "there is not enough memory for its picture";
        return nullptr;
    }
    JSAMPARRAY row =
        (*info.mem->alloc_sarray)((j_common_ptr)&info, JPOOL_IMAGE, info.output_width * 3, 1);
    while (info.output_scanline < info.output_height) {
        int y = (int)info.output_scanline;
        jpeg_read_scanlines(&info, row, 1);
        const JSAMPLE *rgb = row[0];
        if (bitmap_color_depth(bmp) == 16) { // the game's depth: straight into the row
            uint16_t *line = (uint16_t *)bmp->line[y];
            for (int x = 0; x < bmp->w; x++, rgb += 3)
                line[x] = (uint16_t)makecol16(rgb[0], rgb[1], rgb[2]);
        } else {
            for (int x = 0; x < bmp->w; x++, rgb += 3)
                putpixel(bmp, x, y, makecol(rgb[0], rgb[1], rgb[2]));
        }
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return bmp;
}

// A datafile's next big-endian 32-bit number; false at the end of the file.
bool next32(PACKFILE *f, long *value) {
    uint8_t b[4];
    if (pack_fread(b, 4, f) != 4) return false;
    *value =
        (long)(int32_t)((uint32_t)b[0] << 24 | (uint32_t)b[1] << 16 | (uint32_t)b[2] << 8 | b[3]);
    return true;
}

bool skip(PACKFILE *f, long count) {
    static char scrap[4096];
    while (count > 0) {
        long n = count < (long)sizeof scrap ? count : (long)sizeof scrap;
        if (pack_fread(scrap, n, f) != n) return false;
        count -= n;
    }
    return true;
}

// Walks the objects of an open datafile: every property and every object's data
// must be there, as long as its header says.
std::string datafile_objects_problem(PACKFILE *f) {
    long magic, count;
    if (!next32(f, &magic) || magic != DAT_MAGIC) return "it is not an Allegro datafile";
    if (!next32(f, &count) || count < 0) return "its header is damaged";
    for (long i = 1; i <= count; i++) {
        const std::string object = "the file is cut short: its object " + std::to_string(i);
        long type, size, unpacked;
        for (;;) {
            if (!next32(f, &type)) return object + " is missing";
            if (type != DAT_PROPERTY) break;
            long property;
            if (!next32(f, &property) || !next32(f, &size) || size < 0 || !skip(f, size))
                return object + " has a property that is not all there";
        }
        // The data's length on disk, negative when it is compressed, then unpacked.
        if (!next32(f, &size) || !next32(f, &unpacked) || !skip(f, size < 0 ? -size : size))
            return object + " is not all there";
    }
    return "";
}

} // namespace

std::string asset_bmp_problem(const uint8_t *d, size_t size) {
    if (size < 18 || d[0] != 'B' || d[1] != 'M') return "it is not a BMP file";
    const uint32_t data_at = le32(d + 10), header = le32(d + 14);
    if (header != 12 && header < 40) return "its header is damaged";
    if (size < 14 + (size_t)header) return cut_short(14ull + header, size);
    long long w, h;
    unsigned bpp;
    uint32_t compression = 0;
    if (header == 12) {
        w = le16(d + 18), h = le16(d + 20), bpp = le16(d + 24);
    } else {
        w = (int32_t)le32(d + 18), h = (int32_t)le32(d + 22), bpp = le16(d + 28);
        compression = le32(d + 30);
    }
    if (h < 0) h = -h; // stored top row first
    if (w <= 0 || h == 0 || w > IMAGE_MAX_SIDE || h > IMAGE_MAX_SIDE) return bad_size(w, h);
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32)
        return "its header gives " + std::to_string(bpp) + " bits per pixel";
    if (data_at < 14 + header) return "its header is damaged";
    // The library's run-length decoder writes runs longer than a row past the row.
    if (compression == 1 || compression == 2)
        return "it is a run-length compressed BMP, which the game does not read";
    if (compression != 0 && compression != 3) // plain rows, or with colour masks
        return "it is compressed in a way the game cannot read";
    const unsigned long long pixels =
        (unsigned long long)((w * bpp + 31) / 32 * 4) * (unsigned long long)h;
    if (size < data_at + pixels) return cut_short(data_at + pixels, size);
    return "";
}

std::string asset_tga_problem(const uint8_t *d, size_t size) {
    if (size < 18) return "it is too short to be a TGA file";
    const unsigned type = d[2], w = le16(d + 12), h = le16(d + 14), pixel_bytes = (d[16] + 7u) / 8;
    if (type != 1 && type != 2 && type != 3 && type != 9 && type != 10 && type != 11)
        return "it is not a TGA image the game can read";
    if (w == 0 || h == 0 || w > IMAGE_MAX_SIDE || h > IMAGE_MAX_SIDE) return bad_size(w, h);
    if (pixel_bytes == 0 || pixel_bytes > 4)
        return "its header gives " + std::to_string(d[16]) + " bits per pixel";
    unsigned long long at = 18ull + d[0] + (d[1] ? le16(d + 5) * ((d[7] + 7ull) / 8) : 0);
    const unsigned long long pixels = (unsigned long long)w * h;
    if (type < 9) {
        const unsigned long long needed = at + pixels * pixel_bytes;
        return size < needed ? cut_short(needed, size) : "";
    }
    // Run-length packets: a count byte, then one pixel repeated or that many pixels.
    // The library decodes row by row and writes a packet that runs on into the
    // next row past the end of its row.
    for (unsigned long long done = 0; done < pixels;) {
        if (at >= size) return cut_short(at + 1, size);
        const unsigned count = (d[at] & 0x7f) + 1u;
        at += 1 + (d[at] & 0x80 ? pixel_bytes : (unsigned long long)count * pixel_bytes);
        if (at > size) return cut_short(at, size);
        if (done / w != (done + count - 1) / w) return "its run-length packets run across rows";
        done += count;
    }
    return "";
}

std::string asset_jpeg_problem(const uint8_t *d, size_t size) {
    if (size < 4 || d[0] != 0xff || d[1] != 0xd8) return "it is not a JPEG file";
    const std::string unfinished = "its JPEG data ends without an end-of-image marker";
    bool frame = false, scan = false;
    size_t at = 2;
    for (;;) {
        if (at >= size) return unfinished;
        if (d[at] != 0xff) return "its JPEG markers are damaged";
        while (at < size && d[at] == 0xff) at++; // fill bytes
        if (at >= size) return unfinished;
        const uint8_t marker = d[at++];
        if (marker == 0xd9) return scan ? "" : "it holds no image data";
        if (marker == 0x01 || (marker >= 0xd0 && marker <= 0xd7)) continue; // no length
        if (at + 2 > size) return unfinished;
        const size_t length = be16(d + at);
        if (length < 2) return "its JPEG markers are damaged";
        if (at + length > size) return unfinished;
        // A frame header: the picture's size, which the decoder allocates at once.
        if (marker >= 0xc0 && marker <= 0xcf && marker != 0xc4 && marker != 0xc8 &&
            marker != 0xcc) {
            if (length < 8) return "its JPEG markers are damaged";
            const unsigned h = be16(d + at + 3), w = be16(d + at + 5);
            if (w == 0 || h == 0 || w > IMAGE_MAX_SIDE || h > IMAGE_MAX_SIDE) return bad_size(w, h);
            frame = true;
        }
        at += length;
        if (marker != 0xda) continue;
        if (!frame) return "its JPEG markers are damaged";
        scan = true;
        // The coded data runs to the next marker: FF 00 is a data byte, FF D0 to
        // FF D7 restart the coding, FF FF is fill.
        for (;;) {
            if (at + 1 >= size) return unfinished;
            if (d[at] != 0xff) {
                at++;
                continue;
            }
            const uint8_t next = d[at + 1];
            if (next == 0x00 || (next >= 0xd0 && next <= 0xd7))
                at += 2;
            else if (next == 0xff)
                at++;
            else
                break;
        }
    }
}

BITMAP *asset_load_bitmap(const char *name, std::string *why) {
    bytes file;
    *why = read_file(name, &file);
    if (!why->empty()) return nullptr;
    const char *ext = extension(name);
    bool jpeg = !strcasecmp(ext, "jpg") || !strcasecmp(ext, "jpeg");
    if (jpeg)
        *why = asset_jpeg_problem(file.data(), file.size());
    else if (!strcasecmp(ext, "bmp"))
        *why = asset_bmp_problem(file.data(), file.size());
    else if (!strcasecmp(ext, "tga"))
        *why = asset_tga_problem(file.data(), file.size());
    else
        *why = "it is not a BMP, TGA or JPEG file";
    if (!why->empty()) return nullptr;
    if (jpeg) return decode_jpeg(file, why);
    BITMAP *bmp = load_bitmap(name, nullptr);
    if (!bmp) *why = "the picture in it cannot be decoded";
    return bmp;
}

DATAFILE *asset_load_datafile(const char *name, std::string *why) {
    struct stat st;
    *why = file_problem(name, &st);
    if (!why->empty()) return nullptr;
    PACKFILE *f = pack_fopen(name, F_READ_PACKED);
    if (!f) {
        *why = "it is not an Allegro datafile";
        return nullptr;
    }
    *why = datafile_objects_problem(f);
    pack_fclose(f);
    if (!why->empty()) return nullptr;
    DATAFILE *data = load_datafile(name);
    if (!data) *why = "the objects in it cannot be read";
    return data;
}
