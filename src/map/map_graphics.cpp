// Conversion of the file's tile graphics to the screen's depth, and the tile bitmaps.
#include "map/map_internal.h"

#include <cstdlib>
#include <cstring>

namespace {

// 5-bit and 6-bit components to 8 bits, so that 31 and 63 become exactly 255.
constexpr int expand5(int c) {
    return c << 3 | c >> 2;
}
constexpr int expand6(int c) {
    return c << 2 | c >> 4;
}

// The screen value of one source pixel at the source depth, for a screen of depth d.
int screen_value(const uint8_t *p, int source_depth, int d) {
    int r, g, b;
    switch (source_depth) {
    case 8:
        if (d == 8) return p[0];
        if (p[0] == 0) return makecol_depth(d, 255, 0, 255);
        r = colour_map[3 * p[0]];
        g = colour_map[3 * p[0] + 1];
        b = colour_map[3 * p[0] + 2];
        return makecol_depth(d, r, g, b);
    case 15: {
        int v = p[0] << 8 | p[1];
        r = expand5(v >> 10 & 31);
        g = expand5(v >> 5 & 31);
        b = expand5(v & 31);
        break;
    }
    case 16: {
        int v = p[0] << 8 | p[1];
        r = expand5(v >> 11 & 31);
        g = expand6(v >> 5 & 63);
        b = expand5(v & 31);
        break;
    }
    case 24:
        r = p[0];
        g = p[1];
        b = p[2];
        break;
    default: // 32: a byte that does not count, then red, green, blue
        r = p[1];
        g = p[2];
        b = p[3];
        break;
    }
    if (d == 8 && r == 255 && g == 0 && b == 255) return 0;
    return makecol_depth(d, r, g, b);
}

// Converted pixels: 1 byte, 2 bytes in machine order, 3 bytes high first, or a zero
// byte then 3 bytes high first.
void store_value(uint8_t *out, int d, int v) {
    switch (d) {
    case 8: out[0] = (uint8_t)v; break;
    case 15:
    case 16: {
        uint16_t u = (uint16_t)v;
        memcpy(out, &u, 2);
        break;
    }
    case 24:
        out[0] = (uint8_t)(v >> 16);
        out[1] = (uint8_t)(v >> 8);
        out[2] = (uint8_t)v;
        break;
    default:
        out[0] = 0;
        out[1] = (uint8_t)(v >> 16);
        out[2] = (uint8_t)(v >> 8);
        out[3] = (uint8_t)v;
        break;
    }
}

// Writes one tile's converted pixels straight into its memory bitmap, so the result
// does not depend on the drawing mode in force.
void fill_tile(BITMAP *bmp, const uint8_t *src, int d) {
    const int bpp = map_bytes_per_pixel(d);
    for (int y = 0; y < block_height; y++) {
        if (bpp <= 2) {
            memcpy(bmp->line[y], src, (size_t)block_width * bpp);
            src += (size_t)block_width * bpp;
            continue;
        }
        for (int x = 0; x < block_width; x++, src += bpp) {
            const uint8_t *c = bpp == 4 ? src + 1 : src;
            int v = c[0] << 16 | c[1] << 8 | c[2];
            if (bpp == 4)
                _putpixel32(bmp, x, y, v);
            else
                _putpixel24(bmp, x, y, v);
        }
    }
}

// Whether a tile's converted pixels hold the mask colour of depth d anywhere.
bool has_mask_pixels(const uint8_t *src, int d) {
    const int bpp = map_bytes_per_pixel(d);
    const size_t pixels = (size_t)block_width * block_height;
    const int mask = d == 8 ? 0 : makecol_depth(d, 255, 0, 255);
    for (size_t i = 0; i < pixels; i++, src += bpp) {
        int v;
        switch (bpp) {
        case 1: v = src[0]; break;
        case 2: {
            uint16_t u;
            memcpy(&u, src, 2);
            v = u;
            break;
        }
        case 3: v = src[0] << 16 | src[1] << 8 | src[2]; break;
        default: v = src[1] << 16 | src[2] << 8 | src[3]; break;
        }
        if (v == mask) return true;
    }
    return false;
}

// Run-length sprites of the tiles with mask pixels, and each block's sprite.
bool build_tile_sprites(const int32_t *gfx_numbers, size_t tile_bytes, int d) {
    tile_sprites = (RLE_SPRITE **)calloc((size_t)gfx_count + 1, sizeof(RLE_SPRITE *));
    map_block_sprites = (RLE_SPRITE **)calloc((size_t)block_count + 1, sizeof(RLE_SPRITE *));
    if (!tile_sprites || !map_block_sprites) return false;
    tile_sprite_count = gfx_count;
    for (int n = 0; n < gfx_count; n++) {
        if (!has_mask_pixels(gfx_data + (size_t)n * tile_bytes, d)) continue;
        tile_sprites[n] = get_rle_sprite(tile_bitmaps[n]);
        if (!tile_sprites[n]) return false;
    }
    for (int i = 0; i < block_count; i++) map_block_sprites[i] = tile_sprites[gfx_numbers[i * 4]];
    return true;
}

} // namespace

int map_convert_graphics() {
    if (!screen) {
        map_free();
        map_error = MAP_ERR_NO_SCREEN;
        return -1;
    }
    const int d = bitmap_color_depth(screen);
    const size_t pixels = (size_t)gfx_count * (size_t)block_width * (size_t)block_height;
    const int in_bpp = map_bytes_per_pixel(gfx_depth);
    const int out_bpp = map_bytes_per_pixel(d);
    // Pixels of the same size are converted where they lie, each read before it is
    // overwritten: a map's graphics are megabytes.
    const bool in_place = in_bpp == out_bpp && gfx_data;
    uint8_t *out = in_place ? gfx_data : (uint8_t *)malloc(pixels ? pixels * out_bpp : 1);
    if (!out) {
        map_free();
        map_error = MAP_ERR_MEMORY;
        return -1;
    }
    const uint8_t *in = gfx_data;
    const size_t values = in_bpp == 1 ? 256 : 65536;
    if (in_bpp <= 2 && pixels > values) {
        // A source pixel of one or two bytes has at most 65536 values: in graphics
        // of more pixels than that, each value is converted once, when first met.
        static int32_t converted[65536];
        memset(converted, -1, values * sizeof converted[0]);
        for (size_t i = 0; i < pixels; i++, in += in_bpp) {
            int32_t &v = converted[in_bpp == 1 ? in[0] : in[0] << 8 | in[1]];
            if (v < 0) v = screen_value(in, gfx_depth, d);
            store_value(out + i * out_bpp, d, v);
        }
    } else {
        for (size_t i = 0; i < pixels; i++, in += in_bpp)
            store_value(out + i * out_bpp, d, screen_value(in, gfx_depth, d));
    }
    if (!in_place) free(gfx_data);
    gfx_data = out;
    gfx_data_size = pixels * out_bpp;
    gfx_depth = d;
    block_depth = (int16_t)d;
    return map_build_tile_bitmaps();
}

int map_build_tile_bitmaps() {
    if (!tile_bitmaps) {
        tile_bitmaps = (BITMAP **)calloc((size_t)gfx_count + 2, sizeof(BITMAP *));
        if (!tile_bitmaps) {
            map_free();
            map_error = MAP_ERR_MEMORY;
            return -1;
        }
    }
    tile_bitmaps[0] = nullptr;
    const int d = block_depth;
    const size_t tile_bytes = (size_t)block_width * block_height * map_bytes_per_pixel(d);
    for (int n = 0; n < gfx_count; n++) {
        tile_bitmaps[n + 1] = nullptr;
        BITMAP *bmp = create_bitmap_ex(d, block_width, block_height);
        if (!bmp) {
            map_free();
            map_error = MAP_ERR_BITMAP;
            return -1;
        }
        tile_bitmaps[n] = bmp;
        set_clip_state(bmp, FALSE);
        fill_tile(bmp, gfx_data + (size_t)n * tile_bytes, d);
    }
    for (int i = 0; i < block_count; i++) {
        const int32_t *gfx = map_block_gfx_numbers + (size_t)i * 4;
        map_block &b = map_blocks[i];
        b.bg_gfx = tile_bitmaps[gfx[0]];
        b.fg_gfx1 = gfx[1] ? tile_bitmaps[gfx[1]] : nullptr;
        b.fg_gfx2 = gfx[2] ? tile_bitmaps[gfx[2]] : nullptr;
        b.fg_gfx3 = gfx[3] ? tile_bitmaps[gfx[3]] : nullptr;
    }
    if (!build_tile_sprites(map_block_gfx_numbers, tile_bytes, d)) {
        map_free();
        map_error = MAP_ERR_MEMORY;
        return -1;
    }
    free(map_block_gfx_numbers);
    map_block_gfx_numbers = nullptr;
    return 0;
}
