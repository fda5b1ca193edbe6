// Placing people at a mission start, new and resumed, and the slot grid it leaves.
#include "shell/rng.h"
#include "support/people_world.h"

#include <bitset>

namespace {

using Placement = PeopleWorld;

int set_bits(unsigned w) {
    return (int)std::bitset<32>(w).count();
}

TEST_F(Placement, ColumnOfXTruncatesTowardZero) {
    EXPECT_EQ(column_of_x(100), 0);
    EXPECT_EQ(column_of_x(1), 0);
    EXPECT_EQ(column_of_x(127), 0);
    EXPECT_EQ(column_of_x(128), 1);
    EXPECT_EQ(column_of_x(0), -1);
    EXPECT_EQ(column_of_x(64 + 64 * 13 + 63), 13);
}

TEST_F(Placement, NineOnATileFillSlotsInOrder) {
    tile(4, 70, BLK_FLOOR_9);
    place_people(0);
    ASSERT_EQ(people_count, 9);
    EXPECT_EQ(word(4, 70), FULL_SLOT_MASK);
    for (int k = 0; k < 9; k++) {
        const person &p = people[k];
        EXPECT_EQ(p.slot_col + 3 * p.slot_row, k);
        EXPECT_GE(p.x, slot_x(4, k));
        EXPECT_LE(p.x, slot_x(4, k) + 2);
        EXPECT_LE(p.y, slot_y(70, k));
        EXPECT_GE(p.y, slot_y(70, k) - 2);
        EXPECT_EQ(p.state, PERSON_STANDING);
        EXPECT_EQ(p.pose, POSE_STAND);
        EXPECT_EQ(p.status, STATUS_IN_SLOT);
        EXPECT_EQ(p.hidden, 0);
        EXPECT_EQ(p.frame, 0);
        EXPECT_EQ(p.frame_delay, 1);
        EXPECT_LT(p.face, 10);
        EXPECT_LT(p.body, 10);
        EXPECT_LT(p.legs, 10);
    }
    EXPECT_EQ(rescued_count, 0);
    EXPECT_EQ(pickup_count, 0);
}

TEST_F(Placement, DrawsTheRandomNumbersInTheirOrder) {
    tile(2, 10, BLK_FLOOR_1);
    game_srand(777);
    int r[9];
    for (int &v : r) v = game_rand();
    game_srand(777);
    place_people(0);
    ASSERT_EQ(people_count, 1);
    const person &p = people[0];
    int k = r[3] % 9;
    EXPECT_EQ(p.face, r[0] % 10);
    EXPECT_EQ(p.body, r[1] % 10);
    EXPECT_EQ(p.legs, r[2] % 10);
    EXPECT_EQ(p.slot_col + 3 * p.slot_row, k);
    EXPECT_EQ(p.x, slot_x(2, k) + r[4] % 3);
    EXPECT_EQ(p.y, slot_y(10, k) - r[5] % 3);
    EXPECT_EQ(p.body_flip, r[6] % 2);
    EXPECT_EQ(p.face_flip, r[7] % 2);
    EXPECT_EQ(p.legs_flip, r[8] % 2);
    EXPECT_EQ(word(2, 10), 1u << k);
}

TEST_F(Placement, OnePersonCanStandInEverySlot) {
    tile(0, 0, BLK_FLOOR_1);
    unsigned seen = 0;
    for (int seed = 0; seed < 400; seed++) {
        game_srand((uint32_t)seed);
        place_people(0);
        ASSERT_EQ(people_count, 1);
        seen |= word(0, 0);
        ASSERT_EQ(set_bits(word(0, 0)), 1);
    }
    EXPECT_EQ(seen, FULL_SLOT_MASK);
}

TEST_F(Placement, SeveralPeopleTakeDistinctIncreasingSlots) {
    // Three people per tile: slots are distinct and in increasing order.
    for (int c = 0; c < 14; c++) tile(c, 30, BLK_FLOOR_1);
    map_blocks[BLK_FLOOR_1].user2 = 3;
    for (int seed = 0; seed < 50; seed++) {
        game_srand((uint32_t)seed);
        place_people(0);
        ASSERT_EQ(people_count, 42);
        for (int c = 0; c < 14; c++) {
            EXPECT_EQ(set_bits(word(c, 30)), 3);
            int a = slot_number_of(people[3 * c]), b = slot_number_of(people[3 * c + 1]),
                d = slot_number_of(people[3 * c + 2]);
            EXPECT_LT(a, b);
            EXPECT_LT(b, d);
        }
    }
}

TEST_F(Placement, BeaconTilesKeepOnlyTheirFrontSlots) {
    tile(6, 2, BLK_BEACON);
    tile(7, 2, BLK_BEACON_3);
    place_people(0);
    EXPECT_EQ(word(6, 2), BEACON_SLOT_MASK);
    // People placed on a beacon tile stand there, but the word is set, not combined,
    // and they are not queued until they arrive on a beacon again.
    EXPECT_EQ(people_count, 3);
    EXPECT_EQ(word(7, 2), BEACON_SLOT_MASK);
    EXPECT_EQ(pickup_count, 0);
    for (int i = 0; i < 3; i++) EXPECT_EQ(column_of_x(people[i].x), 7);
}

TEST_F(Placement, EmptyBuildingIsCompleteAtOnce) {
    rescue_heli_x = 5;
    rescue_heli_y = 6;
    rescued_count = 7;
    tile(3, 3, BLK_FLOOR_NEG); // a negative count places nobody
    place_people(0);
    EXPECT_EQ(people_count, 0);
    EXPECT_EQ(rescued_count, 0);
    EXPECT_GE(rescued_count, people_count);
    EXPECT_EQ(rescue_heli_x, RESCUE_HELI_PARK_X);
    EXPECT_EQ(rescue_heli_y, RESCUE_HELI_PARK_Y);
}

TEST_F(Placement, MoreThanNineOnATilePlacesNine) {
    tile(5, 5, BLK_FLOOR_12);
    tile(6, 5, BLK_FLOOR_1);
    place_people(0);
    EXPECT_EQ(people_count, 10);
    EXPECT_EQ(word(5, 5), FULL_SLOT_MASK);
    EXPECT_EQ(set_bits(word(6, 5)), 1);
    for (int k = 0; k < 9; k++) EXPECT_EQ(slot_number_of(people[k]), k);
}

TEST_F(Placement, StopsAtTheTableSize) {
    test_map_fill(0, 0, 13, 119, BLK_FLOOR_9);
    people[MAX_PEOPLE - 1].face = 99; // overwritten by the last placed person
    place_people(0);
    EXPECT_EQ(people_count, MAX_PEOPLE);
    int bits = 0;
    for (unsigned w : slot_grid) bits += set_bits(w);
    EXPECT_EQ(bits, MAX_PEOPLE);
    EXPECT_LT(people[MAX_PEOPLE - 1].face, 10);
    // 1024 = 113 full tiles and 7 people on the next one.
    EXPECT_EQ(slot_grid[113], 0x7fu);
    EXPECT_EQ(slot_grid[114], 0u);
}

TEST_F(Placement, RestoreRebuildsOnePersonPerSlotBit) {
    tile(1, 40, BLK_FLOOR);
    tile(2, 40, BLK_BEACON);
    word(1, 40) = FULL_SLOT_MASK;
    word(2, 40) = FULL_SLOT_MASK;
    word(3, 40) = 0x1400; // bits outside the nine slots count for nothing
    people_count = 12;
    rescued_count = 0;
    loaded_transit_count = 0;
    place_people(1);
    ASSERT_EQ(people_count, 12);
    for (int k = 0; k < 9; k++) {
        EXPECT_EQ(slot_number_of(people[k]), k);
        EXPECT_EQ(column_of_x(people[k].x), 1);
        EXPECT_LE(slot_y(40, k) - people[k].y, 2);
    }
    // Only the beacon's three front slots are people; their y is not jittered and
    // they wait for the helicopter again.
    for (int k = 0; k < 3; k++) {
        const person &p = people[9 + k];
        EXPECT_EQ(slot_number_of(p), k);
        EXPECT_EQ(column_of_x(p.x), 2);
        EXPECT_EQ(p.y, slot_y(40, k));
        EXPECT_EQ(pickup_queue[k], 9 + k);
    }
    EXPECT_EQ(pickup_count, 3);
    // The words are left as saved.
    EXPECT_EQ(word(1, 40), FULL_SLOT_MASK);
    EXPECT_EQ(word(3, 40), 0x1400u);
}

TEST_F(Placement, ResumeKeepsTransitRecordsAndClearsTheVacantEntries) {
    // 30 people saved, 5 rescued, 3 in transit and 22 standing.
    for (int i = 0; i < MAX_PEOPLE; i++) {
        people[i] = person{};
        people[i].state = PERSON_RIDING; // stale contents of an earlier mission
        people[i].pose = POSE_WALK_LEFT;
        people[i].status = STATUS_IN_TRANSIT;
        people[i].x = 300;
        people[i].y = 1000;
        people[i].target_y = 2000;
        people[i].hidden = 0xff;
    }
    for (int i = 0; i < 3; i++) {
        people[i].x = 407 + i;
        people[i].y = 64 * 50 + 54;
        people[i].target_y = 64 * 48 + 54;
        people[i].hidden = 1;
    }
    for (int c = 0; c < 2; c++) word(c, 60) = FULL_SLOT_MASK;
    word(5, 61) = 0x0f;
    people_count = 30;
    rescued_count = 5;
    loaded_transit_count = 3;
    place_people(1);
    EXPECT_EQ(people_count, 30);
    EXPECT_EQ(rescued_count, 5);
    EXPECT_EQ(people[0].state, PERSON_RIDING);
    EXPECT_EQ(people[2].x, 409);
    for (int i = 3; i < 25; i++) EXPECT_EQ(people[i].hidden, 0);
    for (int i = 25; i < 30; i++) {
        EXPECT_EQ(people[i].hidden, 0xff);
        EXPECT_EQ(people[i].state, PERSON_STANDING);
        EXPECT_EQ(people[i].status, STATUS_RESCUED);
    }
    // The vacant entries are not stepped: they stay where they are.
    frames(100);
    for (int i = 25; i < 30; i++) {
        EXPECT_EQ(people[i].x, 300);
        EXPECT_EQ(people[i].y, 1000);
    }
    EXPECT_EQ(people[0].y, 64 * 50 + 54 - 100);
}

TEST_F(Placement, ResumeKeepsDamagedRecordsInsideTheTables) {
    people[0] = person{};
    people[0].face = 200;
    people[0].body = 13;
    people[0].legs = 10;
    people[0].slot_row = 7;
    people[0].slot_col = 9;
    people[0].frame = 40;
    people[0].pose = 77;
    people[0].state = PERSON_STANDING;
    people[0].y = 64 * 5 + 60;
    people_count = 5000;
    loaded_transit_count = 5000;
    place_people(1);
    EXPECT_EQ(people_count, MAX_PEOPLE);
    EXPECT_LT(people[0].face, 10);
    EXPECT_LT(people[0].body, 10);
    EXPECT_LT(people[0].legs, 10);
    EXPECT_LE(people[0].slot_row, 2);
    EXPECT_LE(people[0].slot_col, 2);
    EXPECT_LT(people[0].frame, 7);
    EXPECT_EQ(people[0].pose, POSE_STAND);
    frames(3); // must not read outside any table
}

} // namespace
