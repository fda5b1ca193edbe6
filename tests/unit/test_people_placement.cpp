// Placing people at a mission start, new and resumed.
#include "support/people_world.h"

namespace {

using Placement = PeopleWorld;

TEST_F(Placement, NewMissionFillsSlotsAndSetsBeaconWords) {
    place_people(0);
    EXPECT_EQ(people_count, 0); // an empty building is complete at once
    EXPECT_EQ(column_of_x(100), 0);
    EXPECT_EQ(column_of_x(0), -1);
    tile(4, 70, BLK_FLOOR_9);
    tile(6, 2, BLK_BEACON);
    tile(7, 2, BLK_BEACON_3); // placed, but the word is set, not combined
    place_people(0);
    ASSERT_EQ(people_count, 12);
    for (int k = 0; k < 9; k++) {
        const person &p = people[3 + k]; // the beacon's row comes first
        EXPECT_EQ(slot_of(p), k);
        EXPECT_TRUE(p.x >= slot_x(4, k) && p.x <= slot_x(4, k) + 2) << k;
        EXPECT_TRUE(p.y <= slot_y(70, k) && p.y >= slot_y(70, k) - 2) << k;
        EXPECT_EQ(p.status, STATUS_IN_SLOT);
        EXPECT_EQ(p.frame_delay, 1);
    }
    EXPECT_EQ(word(4, 70), FULL_SLOT_MASK);
    EXPECT_EQ(word(6, 2) & word(7, 2), BEACON_SLOT_MASK);
    EXPECT_EQ(pickup_count, 0);
}

TEST_F(Placement, RestoreRebuildsFromTheMasks) {
    tile(2, 40, BLK_BEACON);
    word(1, 40) = word(2, 40) = FULL_SLOT_MASK;
    word(3, 40) = 0x1400; // bits above the nine slots count for nothing
    people_count = 12;
    place_people(1);
    ASSERT_EQ(people_count, 12);
    for (int i = 0; i < 12; i++) {
        int k = i % 9, c = i < 9 ? 1 : 2;
        EXPECT_EQ(slot_of(people[i]), k);
        EXPECT_EQ(column_of_x(people[i].x), c);
        // Only the beacon's front slots are people: unjittered in y, queued again.
        if (c == 2) {
            EXPECT_EQ(people[i].y, slot_y(40, k));
            EXPECT_EQ(pickup_queue[k], i);
        }
    }
    EXPECT_EQ(pickup_count, 3);
}

} // namespace
