// The game font as rasterised glyphs, and their encoding as an Allegro datafile.
#pragma once

#include <string>
#include <vector>

constexpr const char *FONT_TTF_PATH = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
// 16 pixels to the em gives DejaVu Sans a line of 19 pixels: room for the longest
// briefing line in the 780-pixel panel, and large enough to read at 1024 x 768.
constexpr int FONT_PIXEL_SIZE = 16;

// Printable ASCII and the printable Latin-1 letters.
constexpr int FONT_RANGES[][2] = {{32, 126}, {160, 255}};

struct font_glyph {
    int w = 0;
    std::vector<unsigned char> ink; // w x height, 1 where the pixel is drawn
};

struct font_range {
    int first = 0;
    std::vector<font_glyph> glyphs;
};

struct font_raster {
    int height = 0; // every glyph's cell height: the line height
    std::vector<font_range> ranges;
};

// Rasterises the character ranges above; false when the font cannot be read.
bool font_rasterise(const char *ttf_path, int pixel_size, font_raster *out);
// The FONT object's data, as a datafile stores it.
void font_encode_object(const font_raster *raster, std::vector<unsigned char> *out);
// A datafile holding the font as its one object.
bool font_write_datafile(const font_raster *raster, const std::string &path);
