// Building the map: the block table, the graphics, the animations and the cells of
// the seven missions side by side.
//
// Block table: 0 the open sky, 1 a hole with no building around it (both drawn as
// the empty graphic 0, flagged transparent), 2 the burnt-out floor that replaces a
// fire put out, then the frames of the animations (fires, beacon, beacon door),
// then one block for every combination of graphic and people count the missions
// use, in the order the missions first use them.
#include "levelc/levelc.h"
#include "levelc/tile_art.h"
#include "levelc/tile_art_paint.h"

#include <cstdio>
#include <cstdlib>
#include <map>
#include <tuple>

namespace {

constexpr int MAP_COLS = MISSION_COLS * MISSION_COUNT;
constexpr uint8_t FLAG_TRANSPARENT = 0x10;
constexpr int ANIM_LOOP = 1;
// Fires: two flame sets, each in two phases, so that neighbouring fires flicker
// apart. Ticks per frame minus one.
constexpr int FIRE_ANIMS = FIRE_SETS * 2;
constexpr int FIRE_DELAY[FIRE_SETS] = {4, 5};
constexpr int BEACON_DELAY = 7;
constexpr int ANIM_BEACON_PAD = FIRE_ANIMS;
constexpr int ANIM_BEACON_DOOR = FIRE_ANIMS + 1;
constexpr int ANIM_COUNT = FIRE_ANIMS + 2;

using block_fields = std::tuple<int, int, int, int, int>; // graphic, user1, user2, user3, flags

struct builder {
    fmp::Map map;
    std::map<art_key, int> graphics;
    std::map<block_fields, int> blocks;
    BITMAP *canvas = nullptr;

    int graphic(const art_key &key) {
        auto found = graphics.find(key);
        if (found != graphics.end()) return found->second;
        tile_art_draw(canvas, key);
        tile_art_append_pixels(canvas, map.gfx);
        int n = map.gfx_count++;
        graphics[key] = n;
        return n;
    }

    int add_block(int gfx, int user1, int user2, int user3, int flags) {
        fmp::Block b;
        b.bg = gfx;
        b.user1 = user1;
        b.user2 = user2;
        b.user3 = (int16_t)user3;
        b.flags = (uint8_t)flags;
        map.blocks.push_back(b);
        int n = (int)map.blocks.size() - 1;
        blocks.emplace(block_fields{gfx, user1, user2, user3, flags}, n);
        return n;
    }

    int block(const art_key &key, int user1, int people, int user3 = 0) {
        int gfx = graphic(key);
        int flags = tile_art_masked(key) ? FLAG_TRANSPARENT : 0;
        auto found = blocks.find(block_fields{gfx, user1, people, user3, flags});
        if (found != blocks.end()) return found->second;
        return add_block(gfx, user1, people, user3, flags);
    }

    void animation(const std::vector<int> &frame_blocks, int delay) {
        fmp::Anim a;
        a.type = ANIM_LOOP;
        a.delay = (int8_t)delay;
        a.counter = (int8_t)delay;
        a.start = a.current = (int32_t)map.anim_frames.size();
        for (int f : frame_blocks) map.anim_frames.push_back(f);
        a.end = (int32_t)map.anim_frames.size();
        map.anims.push_back(a);
    }

    // The cell of an animation, counted back from the end of the table.
    static int16_t anim_cell(int anim) { return (int16_t)(anim - ANIM_COUNT); }

    void fixed_blocks() {
        art_key empty;
        graphic(empty);
        add_block(0, USER1_OPEN, 0, 0, FLAG_TRANSPARENT);
        map.blocks.push_back(map.blocks.back()); // the edgeless hole
        block({ART_BURNT}, USER1_FLOOR, 0);
        if (map.blocks.size() != BLOCK_BURNT + 1) abort();

        std::vector<int> fire[FIRE_SETS];
        for (int set = 0; set < FIRE_SETS; set++)
            for (int f = 0; f < FIRE_FRAMES; f++)
                fire[set].push_back(
                    block({ART_FIRE, 0, (uint8_t)set, 0, (uint8_t)f}, USER1_FIRE, 0));
        std::vector<int> pad, door;
        for (int f = 0; f < BEACON_FRAMES; f++) {
            pad.push_back(block({ART_BEACON_PAD, 0, 0, 0, (uint8_t)f}, USER1_FLOOR, 0, 1));
            door.push_back(block({ART_BEACON_DOOR, 0, 0, 0, (uint8_t)f}, USER1_DOOR_DOWN, 0, 1));
        }
        for (int set = 0; set < FIRE_SETS; set++)
            for (int phase = 0; phase < 2; phase++) {
                std::vector<int> frames;
                for (int f = 0; f < FIRE_FRAMES; f++)
                    frames.push_back(fire[set][(f + phase * FIRE_FRAMES / 2) % FIRE_FRAMES]);
                animation(frames, FIRE_DELAY[set]);
            }
        animation(pad, BEACON_DELAY);
        animation(door, BEACON_DELAY);
    }

    void mission_cells(const mission &m, int index) {
        auto kind_at = [&](int c, int r) {
            if (c < 0 || c >= MISSION_COLS || r < 0 || r >= MISSION_ROWS) return (int)KIND_SKY;
            return (int)m.tiles[r][c].kind;
        };
        uint8_t style = (uint8_t)m.style;
        for (int r = 0; r < MISSION_ROWS; r++) {
            int run_start = 0, last_furnishing = -1;
            for (int c = 0; c < MISSION_COLS; c++) {
                const mission_tile &t = m.tiles[r][c];
                uint32_t h = paint::hash(index, c, r);
                int wall_colour = (int)(h % WALL_COLOURS);
                // Smoke from a fire below, burning or burnt out, blackens a floor.
                int below = kind_at(c, r + 1);
                int soot = below == KIND_FIRE || below == KIND_BURNT ? ART_SOOT : 0;
                int16_t cell = BLOCK_SKY;
                if (t.kind != KIND_ROOM) last_furnishing = -1;
                switch (t.kind) {
                case KIND_SKY: break;
                case KIND_HOLE: {
                    int sides = 0;
                    if (!kind_is_open(kind_at(c, r - 1))) sides |= HOLE_UP;
                    if (!kind_is_open(kind_at(c, r + 1))) sides |= HOLE_DOWN;
                    if (!kind_is_open(kind_at(c - 1, r))) sides |= HOLE_LEFT;
                    if (!kind_is_open(kind_at(c + 1, r))) sides |= HOLE_RIGHT;
                    cell =
                        sides ? block({ART_HOLE, 0, 0, (uint8_t)sides}, USER1_OPEN, 0) : BLOCK_HOLE;
                    break;
                }
                case KIND_ROOF: {
                    // Mostly plain railing, now and then something standing on the roof.
                    int variant = (h >> 8) % 8;
                    if (variant >= ROOF_VARIANTS) variant = 0;
                    cell = block({ART_ROOF, style, (uint8_t)variant}, USER1_OPEN, 0);
                    break;
                }
                case KIND_ROOM: {
                    if (c == 0 || kind_at(c - 1, r) != KIND_ROOM) run_start = c;
                    // A run of rooms shares its wall colour, and sometimes a power cut;
                    // furnishings vary from room to room.
                    uint32_t run = paint::hash(index, r, run_start + 100);
                    int detail = (int)(run % WALL_COLOURS) | soot;
                    if ((run >> 8) % 5 == 0 || (h >> 16) % 9 == 0) detail |= ART_DARK;
                    int furnishing = (h >> 8) % ROOM_FURNISHINGS;
                    if (furnishing == last_furnishing)
                        furnishing = (furnishing + 1) % ROOM_FURNISHINGS;
                    last_furnishing = furnishing;
                    cell = block({ART_ROOM, style, (uint8_t)furnishing, (uint8_t)detail},
                                 USER1_FLOOR, t.people);
                    break;
                }
                case KIND_WALL: {
                    // Walls of a kind stack up a column (stair cores, pillars), with
                    // the odd exception.
                    uint32_t column = paint::hash(index, c, 300);
                    int variant =
                        (h >> 12) % 5 == 0 ? (h >> 8) % WALL_VARIANTS : column % WALL_VARIANTS;
                    int detail = wall_colour | soot | ((h >> 20) % 6 == 0 ? ART_DARK : 0);
                    cell = block({ART_WALL, style, (uint8_t)variant, (uint8_t)detail}, USER1_FLOOR,
                                 t.people);
                    break;
                }
                case KIND_SHAFT:
                    cell = block({ART_SHAFT, style, 0, (uint8_t)(wall_colour | soot)}, USER1_FLOOR,
                                 t.people);
                    break;
                case KIND_DOOR_UP:
                case KIND_DOOR_DOWN: {
                    int detail = wall_colour | soot;
                    if (kind_at(c, r - 1) == KIND_SHAFT) detail |= DOOR_SHAFT_ABOVE;
                    if (kind_at(c, r + 1) == KIND_SHAFT) detail |= DOOR_SHAFT_BELOW;
                    bool up = t.kind == KIND_DOOR_UP;
                    cell = block({ART_DOOR, style, (uint8_t)(up ? 0 : 1), (uint8_t)detail},
                                 up ? USER1_DOOR_UP : USER1_DOOR_DOWN, t.people);
                    break;
                }
                case KIND_FIRE: cell = anim_cell((int)(h % FIRE_ANIMS)); break;
                case KIND_BURNT: cell = (int16_t)block({ART_BURNT}, USER1_FLOOR, t.people); break;
                case KIND_BEACON_PAD: cell = anim_cell(ANIM_BEACON_PAD); break;
                case KIND_BEACON_DOOR: cell = anim_cell(ANIM_BEACON_DOOR); break;
                default: break;
                }
                map.layers[0][(size_t)r * MAP_COLS + index * MISSION_COLS + c] = cell;
            }
        }
    }
};

} // namespace

fmp::Map level_build_map(const std::vector<mission> &missions) {
    builder b;
    b.canvas = create_bitmap_ex(16, ART_SIZE, ART_SIZE);
    if (!b.canvas) {
        fprintf(stderr, "levelc: cannot create a bitmap for the tile art\n");
        exit(1);
    }
    fmp::Map &map = b.map;
    map.version_major = 1;
    map.little_endian = true;
    map.map_type = 1;
    map.width = MAP_COLS;
    map.height = MISSION_ROWS;
    map.block_width = map.block_height = ART_SIZE;
    map.block_depth = 16;
    map.block_record_size = 32;
    map.header_size = 38;
    map.block_step_x = map.block_step_y = ART_SIZE;
    map.layers[0].assign((size_t)MAP_COLS * MISSION_ROWS, (int16_t)BLOCK_SKY);

    b.fixed_blocks();
    for (size_t i = 0; i < missions.size() && i < (size_t)MISSION_COUNT; i++)
        b.mission_cells(missions[i], (int)i);
    destroy_bitmap(b.canvas);
    if (map.blocks.size() > 32767 || map.gfx_count > 32000) {
        fprintf(stderr, "levelc: the missions need more blocks or graphics than a map holds\n");
        exit(1);
    }
    return map;
}

map_stats level_map_stats(const fmp::Map &map) {
    return {(int)map.blocks.size(), map.gfx_count, (int)map.anims.size()};
}
