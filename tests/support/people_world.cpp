#include "support/people_world.h"

#include "shell/rng.h"
#include "support/headless.h"

#include <cstring>

void PeopleWorld::SetUp() {
    headless_make_resources();
    std::vector<test_block> blocks(13);
    blocks[BLK_FIRE].user1 = 1;
    blocks[BLK_DOOR_UP].user1 = 2;
    blocks[BLK_DOOR_DOWN].user1 = 3;
    blocks[BLK_OPEN].user1 = 4;
    blocks[BLK_BEACON].user3 = 1;
    blocks[BLK_OPEN_BEACON].user1 = 4;
    blocks[BLK_OPEN_BEACON].user3 = 1;
    blocks[BLK_DOOR_UP_BEACON].user1 = 2;
    blocks[BLK_DOOR_UP_BEACON].user3 = 1;
    blocks[BLK_FLOOR_1].user2 = 1;
    blocks[BLK_FLOOR_9].user2 = 9;
    blocks[BLK_FLOOR_12].user2 = 12;
    blocks[BLK_BEACON_3].user2 = 3;
    blocks[BLK_BEACON_3].user3 = 1;
    blocks[BLK_FLOOR_NEG].user2 = -1;
    test_map_create(TEST_MAP_COLS, TEST_MAP_ROWS, blocks);
    mission = 0;
    mission_col_offset = 0;
    memset(people, 0, sizeof people);
    memset(slot_grid, 0, sizeof slot_grid);
    people_count = rescued_count = pickup_count = loaded_transit_count = 0;
    place_people(0); // resets the helicopter and the per-mission tables
    score = 0;
    scroll_y = 5000;
    aim_x = aim_y = 0;
    release_fire();
    game_srand(12345);
}

void PeopleWorld::TearDown() {
    release_fire();
    map_free();
}

void PeopleWorld::tile(int c, int r, int block) {
    map_set_cell(c, r, block);
}

int slot_x(int c, int k) {
    static const int row_dx[3] = {0, 3, 5};
    return 64 + 64 * c + 21 * (k % 3) + row_dx[k / 3];
}
int slot_y(int r, int k) {
    return 64 * r + 61 - 3 * (k / 3);
}

int PeopleWorld::stand(int c, int r, int k) {
    int i = people_count++;
    person &p = people[i];
    p = person{};
    p.slot_col = (uint8_t)(k % 3);
    p.slot_row = (uint8_t)(k / 3);
    p.x = slot_x(c, k);
    p.y = slot_y(r, k);
    p.state = PERSON_STANDING;
    p.pose = POSE_STAND;
    p.status = STATUS_IN_SLOT;
    p.frame_delay = 1;
    word(c, r) |= 1u << k;
    return i;
}

void PeopleWorld::aim_at(int c, int r) {
    aim_x = 64 + 64 * c + 32;
    aim_y = 64 * r + 32 - scroll_y;
    mouse_b = 1;
}

void PeopleWorld::release_fire() {
    mouse_b = 0;
    for (int k = 0; k < KEY_MAX; k++) key[k] = 0;
}

int PeopleWorld::frames_until_state(int i, int state, int limit) {
    int n = 0;
    while (people[i].state != state && n < limit) {
        update_and_draw_people();
        n++;
    }
    return n;
}
