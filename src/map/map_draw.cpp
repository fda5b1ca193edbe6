// Drawing the current layer's background graphics into a rectangle of a bitmap.
#include "map/map_internal.h"

#include <climits>

namespace {

// Division rounding down, so that a view starting left of or above the map places
// its tiles where they belong (the cells there are simply not drawn).
long long floor_div(long long a, long long b) {
    return a / b - (a % b != 0 && (a < 0) != (b < 0));
}

// The clip rectangle and clipping state of a bitmap, put back exactly on leaving.
struct saved_clip {
    BITMAP *bmp;
    int x1, y1, x2, y2, state;
    explicit saved_clip(BITMAP *b) : bmp(b) {
        get_clip_rect(b, &x1, &y1, &x2, &y2);
        state = get_clip_state(b);
    }
    ~saved_clip() {
        set_clip_rect(bmp, x1, y1, x2, y2);
        set_clip_state(bmp, state);
    }
    saved_clip(const saved_clip &) = delete;
    saved_clip &operator=(const saved_clip &) = delete;
};

// One map row's cells from column `col` on, the first at screen x `px`, stepping
// right while x stays below `x_end`. Cells outside the map and tiles wholly outside
// the clip are skipped.
void draw_row(BITMAP *dest, long long row, long long col, long long px, long long x_end,
              long long py, bool all_masked) {
    if (row < 0 || row >= map_height || py + block_height <= dest->ct || py >= dest->cb) return;
    if (x_end > dest->cr) x_end = dest->cr;
    // Columns left of the map, then tiles left of the clip, are not drawn.
    long long skip = col < 0 ? -col : 0;
    long long left = floor_div(dest->cl - block_width - px, block_step_x) + 1;
    if (left > skip) skip = left;
    col += skip;
    px += skip * block_step_x;
    const int16_t *cells = map_current_layer + (size_t)row * map_width;
    const BITMAP *empty = tile_bitmaps[0];
    for (; px < x_end && col < map_width; px += block_step_x, col++) {
        int v = cells[col];
        const map_block *b =
            v >= 0 ? &map_blocks[v] : &map_blocks[anim_frames[anim_table_end[v].current]];
        if (!all_masked && !(b->flags & BLOCK_TRANSPARENT))
            blit(b->bg_gfx, dest, 0, 0, (int)px, (int)py, block_width, block_height);
        else if (b->bg_gfx != empty)
            masked_blit(b->bg_gfx, dest, 0, 0, (int)px, (int)py, block_width, block_height);
    }
}

} // namespace

void map_draw_background(BITMAP *dest, int map_x, int map_y, int screen_x, int screen_y, int width,
                         int height) {
    if (!dest || !map_current_layer || !tile_bitmaps || width <= 0 || height <= 0) return;
    const long long x_end = (long long)screen_x + width;
    const long long y_end = (long long)screen_y + height;
    // Allegro keeps at least one column and row in a clip rectangle, so a rectangle
    // wholly off the bitmap must not reach the clip at all.
    if (screen_x >= dest->w || screen_y >= dest->h || x_end <= 0 || y_end <= 0) return;
    saved_clip restore(dest);
    set_clip_rect(dest, screen_x, screen_y, (int)(x_end < dest->w ? x_end - 1 : dest->w - 1),
                  (int)(y_end < dest->h ? y_end - 1 : dest->h - 1));
    set_clip_state(dest, TRUE);
    const long long y_stop = y_end < dest->cb ? y_end : dest->cb;

    if (block_stagger_x == 0 && block_stagger_y == 0) {
        const long long col = floor_div(map_x, block_step_x);
        const long long row = floor_div(map_y, block_step_y);
        const long long px = screen_x - (map_x - col * block_step_x);
        long long py = screen_y - (map_y - row * block_step_y);
        for (long long r = row; py < y_stop && r < map_height; py += block_step_y, r++)
            draw_row(dest, r, col, px, x_end, py, false);
        return;
    }

    // Staggered: two map rows per step, the second shifted by the staggers, all masked.
    const long long mx = (long long)map_x - block_stagger_x;
    const long long my = (long long)map_y - block_stagger_y;
    const long long col = floor_div(mx, block_step_x);
    const long long px = screen_x - (mx - col * block_step_x) - block_step_x;
    const long long step_row = floor_div(my, block_step_y);
    long long py = screen_y - (my - step_row * block_step_y) - block_step_y;
    for (long long row = 2 * step_row; py < y_stop && row < map_height;
         py += block_step_y, row += 2) {
        draw_row(dest, row, col, px, x_end, py, true);
        draw_row(dest, row + 1, col, px + block_stagger_x, x_end, py + block_stagger_y, true);
    }
}
