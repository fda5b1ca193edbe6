#include "support/test_map.h"

#include <cstdlib>
#include <cstring>
#include <tuple>

void test_map_create(int width, int height, const std::vector<test_block> &blocks, int gfx) {
    map_free();
    map_error = MAP_ERR_NONE;
    map_width = (int16_t)width;
    map_height = (int16_t)height;
    block_width = block_height = 64;
    block_step_x = block_step_y = 64;
    block_stagger_x = block_stagger_y = 0;
    pick_mask_gfx = 0;
    block_depth = 16;
    gfx_depth = 16;
    block_record_size = 32;
    map_type = 1;
    map_little_endian = 1;
    gfx_count = (int16_t)gfx;
    block_count = (int16_t)blocks.size();

    tile_bitmaps = (BITMAP **)calloc((size_t)gfx + 2, sizeof(BITMAP *));
    for (int n = 0; n < gfx; n++) {
        tile_bitmaps[n] = create_bitmap(64, 64);
        clear_to_color(tile_bitmaps[n], n * 1000);
        set_clip_state(tile_bitmaps[n], FALSE);
    }
    map_blocks = (map_block *)calloc(blocks.size() + 1, sizeof(map_block));
    for (size_t i = 0; i < blocks.size(); i++) {
        map_block &b = map_blocks[i];
        b.bg_gfx = tile_bitmaps[blocks[i].gfx < gfx ? blocks[i].gfx : 0];
        b.user1 = blocks[i].user1;
        b.user2 = blocks[i].user2;
        b.user3 = (int16_t)blocks[i].user3;
        b.flags = (uint8_t)blocks[i].flags;
    }
    map_layers[0] = (int16_t *)calloc((size_t)width * height, sizeof(int16_t));
    map_current_layer = map_layers[0];
}

void test_map_fill(int c0, int r0, int c1, int r1, int value) {
    for (int r = r0; r <= r1; r++)
        for (int c = c0; c <= c1; c++) map_set_cell(c, r, value);
}

void test_map_set_anims(const std::vector<int> &frames, const std::vector<map_anim> &anims) {
    free(anim_frames);
    free(anim_table);
    anim_frame_count = (int)frames.size();
    anim_frames = (int32_t *)calloc(frames.size() + 1, sizeof(int32_t));
    for (size_t i = 0; i < frames.size(); i++) anim_frames[i] = frames[i];
    anim_table = (map_anim *)calloc(anims.size() + 1, sizeof(map_anim));
    anim_table[0].type = -1;
    for (size_t i = 0; i < anims.size(); i++) anim_table[i + 1] = anims[i];
    anim_table_end = anim_table + anims.size() + 1;
    map_reset_animations();
}

fmp::Map test_building(int cols, int rows, int tile_w, int tile_h) {
    fmp::Map m;
    m.width = (int16_t)cols, m.height = (int16_t)rows, m.gfx_count = 1;
    m.block_width = (int16_t)tile_w, m.block_height = (int16_t)tile_h;
    m.gfx.assign((size_t)tile_w * tile_h * 2, 0x42);
    m.blocks.resize(TB_BLOCKS);
    m.blocks[TB_FIRE].user1 = 1, m.blocks[TB_DOOR_UP].user1 = 2, m.blocks[TB_DOOR_DOWN].user1 = 3;
    m.blocks[TB_BEACON].user3 = 1, m.blocks[TB_PEOPLE].user2 = 2;
    m.layers[0].assign((size_t)cols * rows, TB_FLOOR);
    for (int c = 0; c + 14 <= cols; c += 14)
        for (auto [dc, r, block] : {std::tuple{6, 101, TB_DOOR_UP},
                                    {6, 100, TB_DOOR_DOWN},
                                    {5, 100, TB_BEACON},
                                    {7, 101, TB_PEOPLE},
                                    {9, 90, TB_FIRE}})
            if (r < rows) m.layers[0][(size_t)r * cols + c + dc] = (int16_t)block;
    return m;
}
