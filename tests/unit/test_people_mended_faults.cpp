// Faults of the original behaviour that this game mends: nobody is lost at a dead-end
// door, queued twice, rescued twice, or stepped from stale data.
#include "support/people_world.h"

#include <set>

namespace {

constexpr int ROW = 3;

struct Mended : PeopleWorld {
    void expect_in_slot(int i, int c, int k) {
        const person &p = people[i];
        EXPECT_EQ(p.state, PERSON_STANDING);
        EXPECT_EQ(p.pose, POSE_STAND);
        EXPECT_EQ(p.hidden, 0);
        EXPECT_EQ(p.status, STATUS_IN_SLOT);
        EXPECT_EQ(slot_of(p), k);
        EXPECT_TRUE(p.x >= slot_x(c, k) && p.x <= slot_x(c, k) + 2) << p.x;
        EXPECT_TRUE(p.y <= slot_y(ROW, k) && p.y >= slot_y(ROW, k) - 2) << p.y;
        EXPECT_TRUE(word(c, ROW) & (1u << k));
    }
};

TEST_F(Mended, ADeadEndDoorStandsThePersonInASlotFoundFromTheDoor) {
    tile(5, ROW, BLK_DOOR_UP); // no door above: no partner
    int i = stand(2, ROW, 4), rider = stand(9, 60, 0), waiting = stand(7, 60, 0);
    word(5, ROW) = 0x1;
    call_elevator(64 + 64 * 5, line(ROW));
    frames_until(i, PERSON_BOARDING);
    frames(1); // lifted
    tile(9, 60, BLK_DOOR_UP);
    tile(9, 58, BLK_DOOR_UP);
    people[rider].state = PERSON_RIDING;
    people[rider].target_y = line(58);
    people[rider].y = line(60);
    aim_at(9, 60);
    update_people();
    expect_in_slot(i, 5, 1);
    EXPECT_EQ(word(2, ROW), 0u);
    // That frame's pass stops there, the fire input included.
    EXPECT_EQ(people[rider].y, line(60));
    EXPECT_EQ(people[waiting].state, PERSON_STANDING);
    update_people();
    EXPECT_EQ(people[rider].y, line(60) - 1);
}

TEST_F(Mended, ADeadEndDoorOnAFullFloorGivesBackTheSlotLeftOrNone) {
    tile(0, ROW, BLK_DOOR_UP);
    for (int taken_meanwhile = 0; taken_meanwhile < 2; taken_meanwhile++) {
        people_count = 0;
        for (int c = 0; c < 14; c++) word(c, ROW) = c <= 8 ? FULL_SLOT_MASK : 0;
        int i = stand(13, ROW, 7); // beyond the search's eight columns
        call_elevator(64, line(ROW));
        if (taken_meanwhile) word(13, ROW) = 1u << 7;
        frames_until(i, PERSON_BOARDING, 2000);
        frames(2);
        if (!taken_meanwhile) {
            expect_in_slot(i, 13, 7);
            continue;
        }
        // Nowhere at all: it waits, visible, at the door and holds no slot, so a
        // later call frees nobody's.
        EXPECT_EQ(people[i].state, PERSON_STANDING);
        EXPECT_EQ(people[i].hidden, 0);
        EXPECT_EQ(people[i].status, STATUS_IN_TRANSIT);
        call_elevator(64, line(ROW));
        EXPECT_EQ(people[i].state, PERSON_TO_ELEVATOR);
        EXPECT_EQ(word(13, ROW), 1u << 7);
        EXPECT_EQ(word(0, ROW), FULL_SLOT_MASK);
    }
}

TEST_F(Mended, ADeadEndDoorOnABeaconStillLetsTheMissionEnd) {
    tile(5, ROW, BLK_DOOR_UP_BEACON);
    word(5, ROW) = BEACON_SLOT_MASK;
    stand(3, ROW, 2);
    call_elevator(64 + 64 * 5, line(ROW));
    int n = 0;
    for (; rescued_count < people_count && n < 3000; n++) update_and_draw_people();
    EXPECT_LT(n, 3000);
    EXPECT_EQ(score, 100);
    EXPECT_EQ(word(5, ROW), BEACON_SLOT_MASK);
}

TEST_F(Mended, AWaiterCalledAwayAndBackIsQueuedAndRescuedOnce) {
    const int row = 20, door = 5;
    tile(door, row, BLK_DOOR_UP_BEACON);
    tile(door, row - 2, BLK_DOOR_DOWN);
    word(door, row) = BEACON_SLOT_MASK;
    for (int c = 0; c < 14; c++) word(c, row - 2) = FULL_SLOT_MASK; // it rides back
    int a = stand(door, row, 0);
    pickup_queue[pickup_count++] = a;
    rescue_heli_x = rescue_heli_y = -100000; // far off during the round trip
    call_elevator(64 + 64 * door, line(row));
    int b = stand(door, row, 1);
    pickup_queue[pickup_count++] = b;
    frames_until(a, PERSON_RIDING);
    frames_until(a, PERSON_STANDING);
    EXPECT_EQ(pickup_count, 2);
    EXPECT_EQ(std::set<int>(pickup_queue, pickup_queue + pickup_count).size(), 2u);
    for (int n = 0; pickup_count > 0 && n < 5000; n++) {
        update_and_draw_people();
        ASSERT_LE(rescued_count, people_count);
    }
    EXPECT_EQ(rescued_count, 2);
    EXPECT_EQ(word(door, row), BEACON_SLOT_MASK);
}

TEST_F(Mended, APickupFreesOnlyTheSlotThePersonHolds) {
    int walker = stand(2, 30, 5), rider = stand(3, 30, 0);
    people[walker].state = PERSON_TO_SLOT; // reserved slot 5 of tile 4
    people[walker].target_x = slot_x(4, 5);
    people[walker].target_y = slot_y(30, 5);
    word(4, 30) = 1u << 5; // tile 2's bit 5 now belongs to somebody else
    people[rider].state = PERSON_RIDING;
    people[rider].status = STATUS_IN_TRANSIT; // tile 3's bit 0 is somebody else's
    for (int i : {walker, rider}) {
        pickup_queue[pickup_count++] = i;
        rescue_heli_x = people[i].x;
        rescue_heli_y = people[i].y - 25;
        update_rescue_heli();
        EXPECT_EQ(people[i].status, STATUS_RESCUED);
    }
    EXPECT_EQ(word(4, 30), 0u);
    EXPECT_EQ(word(2, 30), 1u << 5);
    EXPECT_EQ(word(3, 30), 1u);
}

TEST_F(Mended, PlacementStopsAtNinePerTileAndAtTheTableSize) {
    tile(5, 5, BLK_FLOOR_12);
    place_people(0);
    EXPECT_EQ(people_count, 9);
    EXPECT_EQ(word(5, 5), FULL_SLOT_MASK);
    test_map_fill(0, 0, 13, 119, BLK_FLOOR_9);
    place_people(0);
    EXPECT_EQ(people_count, MAX_PEOPLE);
    EXPECT_EQ(slot_grid[113], 0x7fu); // 113 full tiles and 7 on the next
    EXPECT_EQ(slot_grid[114], 0u);
}

TEST_F(Mended, ResumeClearsVacantEntriesAndKeepsRecordsInTheTables) {
    // Saved: 30 people, 5 rescued, 3 in transit, 22 in slots.
    for (int i = 0; i < MAX_PEOPLE; i++) {
        people[i] = person{};
        people[i].state = PERSON_RIDING; // stale riders of an earlier mission
        people[i].y = 1000;
        people[i].target_y = 2000;
    }
    people[0].face = 200; // a damaged record in the file
    people[0].slot_row = 7;
    people[0].frame = 40;
    people[0].pose = 77;
    word(0, 60) = word(1, 60) = FULL_SLOT_MASK;
    word(5, 61) = 0x0f;
    people_count = 30;
    rescued_count = 5;
    loaded_transit_count = 3;
    place_people(1);
    EXPECT_EQ(people_count, 30);
    EXPECT_EQ(people[1].state, PERSON_RIDING);
    for (int i = 25; i < 30; i++) {
        EXPECT_EQ(people[i].hidden, 0xff);
        EXPECT_EQ(people[i].state, PERSON_STANDING);
        EXPECT_EQ(people[i].status, STATUS_RESCUED);
    }
    EXPECT_LT(people[0].face, 10);
    EXPECT_LE(people[0].slot_row, 2);
    EXPECT_LT(people[0].frame, 7);
    EXPECT_EQ(people[0].pose, POSE_STAND);
    frames(10);
    EXPECT_EQ(people[1].y, 1010);
    EXPECT_EQ(people[27].y, 1000); // not stepped
    // A saved count beyond the table is held to it.
    people_count = loaded_transit_count = 5000;
    place_people(1);
    EXPECT_EQ(people_count, MAX_PEOPLE);
}

} // namespace
