// The compiled map as the game loads it: a round trip through the file and the
// map engine, and the seven shipped missions.
#include "test_levelc_util.h"

#include "levelc/tile_art.h"
#include "map/map.h"

#include <algorithm>
#include <allegro.h>
#include <cstdio>
#include <dirent.h>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

constexpr int MAP_COLS = MISSION_COLS * MISSION_COUNT;

struct temp_file {
    std::string path;
    temp_file() {
        char name[] = "/tmp/levelc_test_XXXXXX";
        int fd = mkstemp(name);
        if (fd >= 0) close(fd);
        path = name;
    }
    ~temp_file() { remove(path.c_str()); }
};

mission parse_or_die(const std::string &text) {
    mission m;
    std::vector<level_error> errors;
    EXPECT_TRUE(level_parse("m.txt", text, m, errors));
    EXPECT_TRUE(level_check(m, errors));
    for (const level_error &e : errors) ADD_FAILURE() << level_error_text(e);
    return m;
}

// Loads a map built from the missions through a file, as the game does.
bool load_built(const std::vector<mission> &missions) {
    temp_file file;
    if (!fmp::write_file(file.path, level_build_map(missions))) return false;
    return map_load(file.path.c_str()) == 0;
}

// Every block an animated cell can show.
std::vector<map_block *> frames_of(int cell) {
    std::vector<map_block *> out;
    const map_anim &a = anim_table_end[cell];
    for (int i = a.start; i < a.end; i++) out.push_back(&map_blocks[anim_frames[i]]);
    return out;
}

// A mission holding every tile kind, and every people count on some floor.
std::map<int, std::string> every_kind() {
    std::map<int, std::string> rows = small_building();
    rows[114] = ".=#=x=U=*=D=#.  .1234567.89...";
    rows[115] = ".====o====|==.";
    rows[116] = ".====o====|==.";
    rows[117] = ".==x======U==.";
    rows[118] = ".============.";
    rows[119] = ".============.";
    return rows;
}

TEST(LevelMap, RoundTripPutsEveryTileKindAndPeopleCountWhereTheTextSaid) {
    std::vector<level_error> errors;
    mission m = parse_or_die(mission_text(every_kind()));
    mission sky;
    std::vector<mission> missions(MISSION_COUNT, sky);
    missions[3] = m; // columns 42 to 55
    ASSERT_TRUE(load_built(missions)) << "map_error " << map_error;

    EXPECT_EQ(map_width, MAP_COLS);
    EXPECT_EQ(map_height, MISSION_ROWS);
    EXPECT_EQ(block_width, 64);
    EXPECT_EQ(block_height, 64);
    EXPECT_EQ(block_step_x, 64);
    EXPECT_EQ(block_step_y, 64);
    EXPECT_EQ(block_stagger_x, 0);
    EXPECT_EQ(block_stagger_y, 0);
    EXPECT_GE(map_type, 1);
    EXPECT_LE(map_type, 2);

    // The burnt-out block that replaces a fire put out.
    EXPECT_NE(map_blocks[BLOCK_BURNT].user1, USER1_FIRE);
    EXPECT_EQ(map_blocks[BLOCK_BURNT].user2, 0);
    EXPECT_EQ(map_blocks[BLOCK_BURNT].user3, 0);

    for (int r = 0; r < MISSION_ROWS; r++)
        for (int c = 0; c < MISSION_COLS; c++) {
            SCOPED_TRACE("row " + std::to_string(r) + " column " + std::to_string(c));
            const mission_tile &t = m.tiles[r][c];
            const tile_kind_info &info = TILE_KINDS[t.kind];
            int cell = map_get_cell(3 * MISSION_COLS + c, r);
            std::vector<map_block *> shown;
            if (cell < 0)
                shown = frames_of(cell);
            else
                shown.push_back(&map_blocks[cell]);
            // Fires and the beacon are animated, everything else is not.
            bool animated = t.kind == KIND_FIRE || kind_is_beacon(t.kind);
            EXPECT_EQ(cell < 0, animated);
            if (t.kind == KIND_FIRE) {
                EXPECT_GE(shown.size(), 4u);
            }
            if (kind_is_beacon(t.kind)) {
                EXPECT_GE(shown.size(), 2u);
            }
            for (map_block *b : shown) {
                EXPECT_EQ(b->user1, info.user1);
                EXPECT_EQ(b->user2, t.people);
                EXPECT_EQ(b->user3 != 0, info.beacon);
                bool masked = b->flags & BLOCK_TRANSPARENT;
                EXPECT_EQ(masked, kind_is_open(t.kind) || kind_is_beacon(t.kind));
                EXPECT_EQ(b->bg_gfx == tile_bitmaps[0], t.kind == KIND_SKY);
            }
            if (t.kind == KIND_BURNT && t.people == 0) {
                EXPECT_EQ(cell, BLOCK_BURNT);
            }
        }
    // The other missions' slices are sky.
    for (int r = 0; r < MISSION_ROWS; r++)
        for (int c = 0; c < MAP_COLS; c++)
            if (c < 3 * MISSION_COLS || c >= 4 * MISSION_COLS) {
                ASSERT_EQ(map_get_cell(c, r), BLOCK_SKY);
            }
    map_free();
}

TEST(LevelMap, AnimationsStepFiresAndFlashTheBeacon) {
    std::map<int, std::string> rows = small_building();
    rows[116] = "....*===......";
    mission m = parse_or_die(mission_text(rows));
    ASSERT_TRUE(load_built({m}));
    map_block *fire = map_get_block(4, 116), *beacon = map_get_block(6, 110);
    bool fire_changed = false, beacon_changed = false;
    for (int tick = 0; tick < 120; tick++) {
        map_update_animations();
        map_block *f = map_get_block(4, 116), *b = map_get_block(6, 110);
        EXPECT_EQ(f->user1, USER1_FIRE);
        EXPECT_EQ(b->user1, USER1_DOOR_DOWN);
        EXPECT_NE(b->user3, 0);
        fire_changed = fire_changed || f->bg_gfx != fire->bg_gfx;
        beacon_changed = beacon_changed || b->bg_gfx != beacon->bg_gfx;
    }
    EXPECT_TRUE(fire_changed);
    EXPECT_TRUE(beacon_changed);
    map_free();
}

TEST(LevelArt, EveryKindDrawsAndOpenTilesLetTheBackdropShow) {
    BITMAP *b = create_bitmap_ex(16, ART_SIZE, ART_SIZE);
    auto masked_pixels = [&](art_key key) {
        tile_art_draw(b, key);
        int n = 0;
        for (int y = 0; y < ART_SIZE; y++)
            for (int x = 0; x < ART_SIZE; x++) n += getpixel(b, x, y) == makecol16(255, 0, 255);
        return n;
    };
    EXPECT_EQ(masked_pixels({ART_EMPTY}), ART_SIZE * ART_SIZE);
    // Opaque floors have no hole; the masked kinds keep most of the sky.
    for (art_kind k : {ART_ROOM, ART_WALL, ART_SHAFT, ART_DOOR, ART_FIRE, ART_BURNT}) {
        EXPECT_EQ(masked_pixels({k}), 0) << "kind " << k;
        EXPECT_FALSE(tile_art_masked({k}));
    }
    for (art_kind k : {ART_ROOF, ART_BEACON_PAD, ART_BEACON_DOOR}) {
        EXPECT_GT(masked_pixels({k}), ART_SIZE * ART_SIZE / 4) << "kind " << k;
        EXPECT_TRUE(tile_art_masked({k}));
    }
    art_key hole{ART_HOLE, 0, 0, HOLE_LEFT | HOLE_DOWN};
    int open = masked_pixels(hole);
    EXPECT_GT(open, ART_SIZE * ART_SIZE / 2);
    EXPECT_LT(open, ART_SIZE * ART_SIZE);
    // The fire's frames differ, and the same key always draws the same pixels.
    std::vector<uint8_t> a, a2, c;
    tile_art_draw(b, {ART_FIRE, 0, 0, 0, 0});
    tile_art_append_pixels(b, a);
    tile_art_draw(b, {ART_FIRE, 0, 0, 0, 0});
    tile_art_append_pixels(b, a2);
    tile_art_draw(b, {ART_FIRE, 0, 0, 0, 1});
    tile_art_append_pixels(b, c);
    EXPECT_EQ(a, a2);
    EXPECT_NE(a, c);
    destroy_bitmap(b);
}

std::vector<std::string> shipped_missions() {
    std::vector<std::string> files;
    std::string dir = std::string(HIGHRISE_SOURCE_DIR) + "/levels";
    if (DIR *d = opendir(dir.c_str())) {
        while (dirent *e = readdir(d)) {
            std::string name = e->d_name;
            if (name.size() > 4 && name.substr(name.size() - 4) == ".txt")
                files.push_back(dir + "/" + name);
        }
        closedir(d);
    }
    std::sort(files.begin(), files.end());
    return files;
}

TEST(LevelShipped, SevenMissionsPassTheChecksAndGrow) {
    std::vector<std::string> files = shipped_missions();
    ASSERT_EQ(files.size(), (size_t)MISSION_COUNT);
    int last_people = 0;
    for (size_t i = 0; i < files.size(); i++) {
        SCOPED_TRACE(files[i]);
        mission m;
        std::vector<level_error> errors;
        route_stats stats;
        ASSERT_TRUE(level_read_file(files[i], m, errors));
        EXPECT_TRUE(level_check(m, errors, &stats));
        for (const level_error &e : errors) ADD_FAILURE() << level_error_text(e);
        EXPECT_GT(stats.people, last_people);
        last_people = stats.people;
        EXPECT_GE(stats.fires, 1);
        // The start view shows rows 78 to 90: there is something to do there.
        int people_in_view = 0;
        for (int r = 78; r <= 90; r++)
            for (int c = 0; c < MISSION_COLS; c++) people_in_view += m.tiles[r][c].people;
        EXPECT_GT(people_in_view, 0);
        if (i == 0) {
            EXPECT_LE(stats.people, 8);
            EXPECT_EQ(stats.shafts, 1);
            EXPECT_EQ(stats.fires, 1);
            EXPECT_LE(stats.longest_rides, 3);
        }
        if (i + 1 == files.size()) {
            EXPECT_EQ(stats.top_row, 0);
            EXPECT_EQ(stats.beacon_row, 0);
        }
    }
}

TEST(LevelShipped, TheBuiltMapLoadsWithEveryMissionsPeopleAndFires) {
    std::string path = std::string(HIGHRISE_DATA_DIR) + "/buildings.fmp";
    ASSERT_EQ(map_load(path.c_str()), 0) << "map_error " << map_error;
    std::vector<std::string> files = shipped_missions();
    ASSERT_EQ(files.size(), (size_t)MISSION_COUNT);
    for (int i = 0; i < MISSION_COUNT; i++) {
        mission m;
        std::vector<level_error> errors;
        ASSERT_TRUE(level_read_file(files[i], m, errors));
        int people = 0, fires = 0, beacons = 0, text_people = 0, text_fires = 0;
        for (int r = 0; r < MISSION_ROWS; r++)
            for (int c = 0; c < MISSION_COLS; c++) {
                map_block *b = map_get_block(i * MISSION_COLS + c, r);
                people += b->user2;
                fires += b->user1 == USER1_FIRE;
                beacons += b->user3 != 0;
                text_people += m.tiles[r][c].people;
                text_fires += m.tiles[r][c].kind == KIND_FIRE;
                ASSERT_EQ(b->user1, TILE_KINDS[m.tiles[r][c].kind].user1);
            }
        EXPECT_EQ(people, text_people) << "mission " << i + 1;
        EXPECT_EQ(fires, text_fires) << "mission " << i + 1;
        EXPECT_LE(people, MAX_MISSION_PEOPLE);
        EXPECT_LE(fires, MAX_MISSION_FIRES);
        EXPECT_GT(beacons, 0);
    }
    map_free();
}

} // namespace

namespace {

TEST(LevelMap, TheBlockTableStartsWithSkyHoleAndBurntOut) {
    mission m = parse_or_die(mission_text(every_kind()));
    fmp::Map map = level_build_map({m, m});
    ASSERT_GE(map.blocks.size(), 3u);
    for (int b : {BLOCK_SKY, BLOCK_HOLE}) {
        EXPECT_EQ(map.blocks[b].bg, 0);
        EXPECT_EQ(map.blocks[b].user1, USER1_OPEN);
        EXPECT_EQ(map.blocks[b].flags, BLOCK_TRANSPARENT);
    }
    EXPECT_EQ(map.blocks[BLOCK_BURNT].user1, USER1_FLOOR);
    EXPECT_NE(map.blocks[BLOCK_BURNT].bg, 0);
    // One block for each graphic and people count: the same pair is never stored twice.
    for (size_t i = BLOCK_BURNT + 1; i < map.blocks.size(); i++)
        for (size_t j = i + 1; j < map.blocks.size(); j++)
            EXPECT_FALSE(map.blocks[i].bg == map.blocks[j].bg &&
                         map.blocks[i].user1 == map.blocks[j].user1 &&
                         map.blocks[i].user2 == map.blocks[j].user2 &&
                         map.blocks[i].user3 == map.blocks[j].user3)
                << i << " " << j;
    EXPECT_EQ(map.gfx.size(), (size_t)map.gfx_count * 64 * 64 * 2);
    // Fires flicker out of step: the fire animations do not all start on one frame.
    std::vector<int> first;
    for (const fmp::Anim &a : map.anims)
        if (map.blocks[map.anim_frames[a.start]].user1 == USER1_FIRE)
            first.push_back(map.anim_frames[a.start]);
    ASSERT_GE(first.size(), 2u);
    EXPECT_NE(first[0], first[1]);
}

} // namespace
