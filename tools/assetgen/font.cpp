// The game's text font: DejaVu Sans (Debian's fonts-dejavu-core) rasterised with
// FreeType's hinted monochrome renderer into an Allegro datafile whose single
// object is a proportional mono FONT. The game prints in one colour on an opaque
// background, so crisp one-bit glyphs read best.
#include "assetgen/assetgen.h"
#include "assetgen/font_raster.h"

#include <allegro.h>
#include <cstdio>
#include <vector>

#ifdef HIGHRISE_HAVE_FREETYPE
#include <ft2build.h>
#include FT_FREETYPE_H
#endif

namespace {

void put16(std::vector<unsigned char> *out, int v) {
    out->push_back((unsigned char)(v >> 8));
    out->push_back((unsigned char)v);
}

void put32(std::vector<unsigned char> *out, long v) {
    for (int shift = 24; shift >= 0; shift -= 8) out->push_back((unsigned char)(v >> shift));
}

} // namespace

void font_encode_object(const font_raster *raster, std::vector<unsigned char> *out) {
    put16(out, 0); // the format with character ranges
    put16(out, (int)raster->ranges.size());
    for (const font_range &range : raster->ranges) {
        out->push_back(1); // one bit per pixel
        put32(out, range.first);
        put32(out, range.first + (long)range.glyphs.size() - 1);
        for (const font_glyph &g : range.glyphs) {
            put16(out, g.w);
            put16(out, raster->height);
            int stride = (g.w + 7) / 8;
            for (int y = 0; y < raster->height; y++)
                for (int b = 0; b < stride; b++) {
                    unsigned char byte = 0;
                    for (int bit = 0; bit < 8; bit++) {
                        int x = b * 8 + bit;
                        if (x < g.w && g.ink[(size_t)y * g.w + x])
                            byte |= (unsigned char)(0x80 >> bit);
                    }
                    out->push_back(byte);
                }
        }
    }
}

bool font_write_datafile(const font_raster *raster, const std::string &path) {
    std::vector<unsigned char> object, file;
    font_encode_object(raster, &object);
    const char name[] = "GAME_FONT";
    put32(&file, F_NOPACK_MAGIC);
    put32(&file, DAT_MAGIC);
    put32(&file, 1);
    put32(&file, DAT_PROPERTY);
    put32(&file, DAT_NAME);
    put32(&file, (long)sizeof name - 1);
    file.insert(file.end(), name, name + sizeof name - 1);
    put32(&file, DAT_FONT);
    put32(&file, (long)object.size());
    put32(&file, (long)object.size());
    file.insert(file.end(), object.begin(), object.end());
    FILE *f = fopen(path.c_str(), "wb");
    bool ok = f && fwrite(file.data(), 1, file.size(), f) == file.size();
    if (f && fclose(f) != 0) ok = false;
    if (!ok) fprintf(stderr, "assetgen: cannot write %s\n", path.c_str());
    return ok;
}

#ifdef HIGHRISE_HAVE_FREETYPE

namespace {

// One character into a cell of the line's height and the character's advance; ink
// that hangs past the advance (a j's hook, an f's arm) widens the cell instead of
// being cut, and ink left of the origin shifts the glyph right.
bool render_glyph(FT_Face face, int ch, int ascent, int height, font_glyph *g) {
    FT_UInt index = FT_Get_Char_Index(face, (FT_ULong)ch);
    if (FT_Load_Glyph(face, index, FT_LOAD_TARGET_MONO) != 0) return false;
    if (FT_Render_Glyph(face->glyph, FT_RENDER_MODE_MONO) != 0) return false;
    const FT_Bitmap &bm = face->glyph->bitmap;
    int advance = (int)((face->glyph->advance.x + 32) >> 6);
    int left = face->glyph->bitmap_left;
    int shift = left < 0 ? -left : 0;
    int w = advance + shift;
    if (left + shift + (int)bm.width > w) w = left + shift + (int)bm.width;
    if (w < 1) w = 1;
    g->w = w;
    g->ink.assign((size_t)w * height, 0);
    int top = ascent - face->glyph->bitmap_top;
    for (int y = 0; y < (int)bm.rows; y++) {
        int cy = top + y;
        if (cy < 0 || cy >= height) continue;
        const unsigned char *row = bm.buffer + (long)y * bm.pitch;
        for (int x = 0; x < (int)bm.width; x++)
            if (row[x >> 3] & (0x80 >> (x & 7))) g->ink[(size_t)cy * w + left + shift + x] = 1;
    }
    return true;
}

} // namespace

bool font_rasterise(const char *ttf_path, int pixel_size, font_raster *out) {
    FT_Library lib;
    if (FT_Init_FreeType(&lib) != 0) return false;
    FT_Face face;
    bool ok = FT_New_Face(lib, ttf_path, 0, &face) == 0;
    if (ok) {
        ok = FT_Set_Pixel_Sizes(face, 0, (FT_UInt)pixel_size) == 0;
        int ascent = (int)(face->size->metrics.ascender >> 6);
        int descent = (int)(-face->size->metrics.descender >> 6);
        out->height = ascent + descent;
        out->ranges.clear();
        for (const int *span : FONT_RANGES) {
            font_range range;
            range.first = span[0];
            for (int ch = span[0]; ok && ch <= span[1]; ch++) {
                font_glyph g;
                ok = render_glyph(face, ch, ascent, out->height, &g);
                range.glyphs.push_back(g);
            }
            out->ranges.push_back(range);
        }
        FT_Done_Face(face);
    }
    FT_Done_FreeType(lib);
    return ok;
}

bool gen_font(const std::string &dir) {
    font_raster raster;
    if (!font_rasterise(FONT_TTF_PATH, FONT_PIXEL_SIZE, &raster)) {
        fprintf(stderr, "assetgen: cannot rasterise %s (install fonts-dejavu-core)\n",
                FONT_TTF_PATH);
        return false;
    }
    return font_write_datafile(&raster, dir + "/font.dat");
}

#else

bool font_rasterise(const char *, int, font_raster *) {
    return false;
}

bool gen_font(const std::string &) {
    fprintf(stderr, "assetgen: the font needs FreeType (install libfreetype-dev)\n");
    return false;
}

#endif
