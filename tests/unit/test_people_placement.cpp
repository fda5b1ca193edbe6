// Placing people at a mission start, new and resumed from the saved game.
#include "support/people_world.h"

using Placement = PeopleWorld;

TEST_F(Placement, NewMissionFillsSlotsSetsBeaconWordsAndStopsAtTheLimits) {
    rescued_count = pickup_count = rescue_heli_x = 7;
    place_people(0);
    EXPECT_EQ(people_count + rescued_count + pickup_count, 0); // an empty building ends at once
    EXPECT_TRUE(rescue_heli_x == RESCUE_HELI_PARK_X && column_of_x(1) == 0 && column_of_x(0) == -1);
    tile(6, 2, BLK_BEACON);
    tile(7, 2, BLK_BEACON_9); // placed, but the word is set, not combined
    tile(5, 5, BLK_FLOOR_12); // nine at most
    tile(4, 70, BLK_FLOOR_9);
    place_people(0);
    ASSERT_EQ(people_count, 27);
    for (int k = 0; k < 9; k++) {
        const person &p = people[18 + k];
        EXPECT_TRUE(slot_of(p) == k && p.status == STATUS_IN_SLOT && p.frame_delay == 1) << k;
        EXPECT_TRUE(unsigned(p.x - slot_x(4, k)) <= 2 && unsigned(slot_y(70, k) - p.y) <= 2);
    }
    EXPECT_TRUE(word(4, 70) == FULL_SLOT_MASK && word(5, 5) == FULL_SLOT_MASK);
    EXPECT_TRUE(word(6, 2) == BEACON_SLOT_MASK && word(7, 2) == BEACON_SLOT_MASK && !pickup_count);
    test_map_fill(0, 0, 13, 119, BLK_FLOOR_9);
    place_people(0);
    EXPECT_EQ(people_count, MAX_PEOPLE);
    EXPECT_TRUE(slot_grid[113] == 0x7f && slot_grid[114] == 0); // 113 full tiles and 7 more
}

// Saved: 30 people, 5 rescued, 3 in transit, 12 rebuilt from the masks.
TEST_F(Placement, RestoreRebuildsFromTheMasksAndClearsVacantEntries) {
    for (person &p : people) p.state = PERSON_RIDING, p.y = 1000, p.target_y = 2000; // stale
    people[0].face = people[0].slot_row = people[0].pose = 77; // a damaged record in the file
    tile(2, 40, BLK_BEACON);
    word(1, 40) = word(2, 40) = FULL_SLOT_MASK;
    word(3, 40) = 0x1400; // bits above the nine slots count for nothing
    people_count = 30, rescued_count = 5, loaded_transit_count = 3;
    place_people(1);
    ASSERT_TRUE(people_count == 30 && rescued_count == 5 && pickup_count == 3);
    for (int i = 3; i < 15; i++) {
        int k = (i - 3) % 9, c = i < 12 ? 1 : 2;
        EXPECT_TRUE(slot_of(people[i]) == k && column_of_x(people[i].x) == c) << i;
        // Only the beacon's front slots are people: unjittered in y, queued again.
        EXPECT_TRUE(c != 2 || (people[i].y == slot_y(40, k) && pickup_queue[k] == i)) << i;
    }
    for (int i = 15; i < 30; i++)
        EXPECT_TRUE(people[i].hidden == 0xff && people[i].status == STATUS_RESCUED);
    EXPECT_TRUE(people[0].face < 10 && people[0].slot_row <= 2 && people[0].pose == POSE_STAND);
    frames(10); // the loaded riders go on, the vacant entries are not stepped
    EXPECT_TRUE(people[1].y == 1010 && people[27].y == 1000);
    people_count = loaded_transit_count = 5000; // a saved count beyond the table
    place_people(1);
    EXPECT_EQ(people_count, MAX_PEOPLE);
}
