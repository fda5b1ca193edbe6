// The desktop icons: valid PNG files a desktop can read, the helicopter on a
// transparent ground at every size, drawn sharp, and the same bytes on every run.
#include "assetgen/assetgen.h"
#include "assetgen/png_writer.h"
#include "support/temp_files.h"

#include <cstring>
#include <gtest/gtest.h>
#include <zlib.h>

namespace {

struct png_image {
    int w = 0, h = 0;
    std::vector<uint8_t> rgba;
};

uint32_t be32(const std::string &s, size_t at) {
    return (uint32_t)(uint8_t)s[at] << 24 | (uint32_t)(uint8_t)s[at + 1] << 16 |
           (uint32_t)(uint8_t)s[at + 2] << 8 | (uint8_t)s[at + 3];
}

// Reads the files the writer makes (8-bit RGBA, rows of filter type 0) and checks
// what any reader checks; a failure says what is wrong.
png_image png_read(const std::string &bytes) {
    png_image img;
    EXPECT_EQ(bytes.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8)) << "signature";
    std::string packed;
    bool ended = false;
    for (size_t at = 8; at + 12 <= bytes.size() && !ended;) {
        uint32_t length = be32(bytes, at);
        std::string type = bytes.substr(at + 4, 4), data = bytes.substr(at + 8, length);
        uint32_t crc = (uint32_t)crc32(0, (const Bytef *)bytes.data() + at + 4, length + 4);
        EXPECT_EQ(crc, be32(bytes, at + 8 + length)) << type << " chunk's CRC";
        if (type == "IHDR") {
            img.w = (int)be32(data, 0);
            img.h = (int)be32(data, 4);
            EXPECT_EQ(data.substr(8), std::string("\x08\x06\x00\x00\x00", 5)) << "RGBA, 8 bits";
        }
        if (type == "IDAT") packed += data;
        ended = type == "IEND";
        at += 12 + length;
    }
    EXPECT_TRUE(ended) << "no IEND chunk";
    size_t row = (size_t)img.w * 4;
    std::vector<uint8_t> raw((row + 1) * img.h);
    uLongf raw_size = raw.size();
    EXPECT_EQ(uncompress(raw.data(), &raw_size, (const Bytef *)packed.data(), packed.size()), Z_OK);
    EXPECT_EQ(raw_size, raw.size()) << "bytes of pixels";
    for (int y = 0; y < img.h; y++) {
        EXPECT_EQ(raw[y * (row + 1)], 0) << "filter of row " << y;
        img.rgba.insert(img.rgba.end(), raw.begin() + y * (row + 1) + 1,
                        raw.begin() + (y + 1) * (row + 1));
    }
    return img;
}

uint8_t alpha(const png_image &img, int x, int y) {
    return img.rgba[((size_t)y * img.w + x) * 4 + 3];
}

TEST(PngWriter, WritesPixelsAReaderGetsBackAndRefusesAMismatchOrAnUnwritableFile) {
    temp_dir dir;
    std::vector<uint8_t> pixels;
    for (int i = 0; i < 3 * 2; i++) pixels.insert(pixels.end(), {(uint8_t)(40 * i), 7, 200, 128});
    ASSERT_TRUE(png_write_rgba(dir.path + "/p.png", 3, 2, pixels));
    png_image img = png_read(file_bytes(dir.path + "/p.png"));
    EXPECT_TRUE(img.w == 3 && img.h == 2) << img.w << " x " << img.h;
    EXPECT_TRUE(img.rgba == pixels);

    EXPECT_FALSE(png_write_rgba(dir.path + "/short.png", 3, 3, pixels));
    EXPECT_FALSE(png_write_rgba(dir.path + "/no/such/folder/p.png", 3, 2, pixels));
}

TEST(DesktopIcons, EverySizeIsTheHelicopterOnATransparentGroundWithASharpRotor) {
    temp_dir dir;
    EXPECT_FALSE(gen_app_icons("/proc/no/such/folder"));
    ASSERT_TRUE(gen_app_icons(dir.path));
    for (int n : APP_ICON_SIZES) {
        std::string name = std::to_string(n) + "x" + std::to_string(n) + "/apps/" + APP_ICON_NAME;
        std::string bytes = file_bytes(dir.path + "/" + name);
        EXPECT_TRUE(bytes == file_bytes(std::string(HIGHRISE_BUILD_DIR) + "/icons/" + name))
            << name << " differs from the build's";
        png_image img = png_read(bytes);
        ASSERT_TRUE(img.w == n && img.h == n) << name << ": " << img.w << " x " << img.h;
        int opaque = 0, faint = 0, red = 0;
        for (int y = 0; y < n; y++)
            for (int x = 0; x < n; x++) {
                const uint8_t *p = &img.rgba[((size_t)y * n + x) * 4];
                opaque += p[3] == 255;
                faint += p[3] > 0 && p[3] < 255;
                red += p[3] == 255 && p[0] > 120 && p[1] < 60 && p[2] < 60;
            }
        // Clear corners and a machine that fills the square without filling it up.
        EXPECT_EQ(alpha(img, 0, 0) + alpha(img, n - 1, 0) + alpha(img, n - 1, n - 1), 0) << name;
        EXPECT_TRUE(opaque > n * n / 4 && opaque < n * n * 3 / 5) << name << ": " << opaque;
        EXPECT_GT(red, opaque / 3) << name << ": a red machine";
        // Soft edges only where a shape's edge crosses a pixel, a fringe whose share
        // halves as the size doubles: a copy scaled down from a larger picture has a
        // fringe several pixels wide, and three times as many soft pixels.
        EXPECT_LT(faint, opaque * 20 / n) << name << ": blurred";
        // The rotor: one row of whole pixels across most of the width, nothing
        // of it in the rows about it at the blades' tips.
        int best = 0, best_row = 0;
        for (int y = 0; y < n / 4; y++) {
            int run = 0;
            for (int x = 0; x < n; x++) run += alpha(img, x, y) == 255;
            if (run > best) best = run, best_row = y;
        }
        EXPECT_GT(best, n * 4 / 5) << name << ": rotor";
        EXPECT_EQ(alpha(img, n / 10, best_row - 1), 0) << name << ": rotor's top edge";
    }
}

} // namespace
