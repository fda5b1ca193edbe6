#include "support/people_world.h"

#include "shell/rng.h"
#include "support/headless.h"

#include <cstring>

void PeopleWorld::SetUp() {
    headless_make_resources();
    std::vector<test_block> b(BLK_COUNT);
    b[BLK_FIRE].user1 = 1;
    b[BLK_DOOR_UP].user1 = b[BLK_DOOR_UP_BEACON].user1 = 2;
    b[BLK_DOOR_DOWN].user1 = 3;
    b[BLK_OPEN].user1 = b[BLK_OPEN_BEACON].user1 = 4;
    b[BLK_BEACON].user3 = b[BLK_OPEN_BEACON].user3 = b[BLK_DOOR_UP_BEACON].user3 = 1;
    b[BLK_BEACON_3].user3 = 1;
    b[BLK_BEACON_3].user2 = 3;
    b[BLK_FLOOR_9].user2 = 9;
    b[BLK_FLOOR_12].user2 = 12;
    test_map_create(TEST_MAP_COLS, TEST_MAP_ROWS, b);
    mission = mission_col_offset = loaded_transit_count = 0;
    memset(people, 0, sizeof people);
    place_people(0); // nobody: clears the counters, the grid and the helicopter
    score = mouse_b = 0;
    scroll_y = 5000;
    game_srand(12345);
}

void PeopleWorld::TearDown() {
    mouse_b = 0;
    for (int k = 0; k < KEY_MAX; k++) key[k] = 0;
    map_free();
}

int PeopleWorld::stand(int c, int r, int k) {
    person &p = people[people_count] = person{};
    p.slot_col = (uint8_t)(k % 3);
    p.slot_row = (uint8_t)(k / 3);
    p.x = slot_x(c, k);
    p.y = slot_y(r, k);
    p.pose = POSE_STAND;
    p.status = STATUS_IN_SLOT;
    p.frame_delay = 1;
    word(c, r) |= 1u << k;
    return people_count++;
}
