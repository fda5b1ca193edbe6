// Mended faults: nobody is lost at a dead end, queued or rescued twice, or robbed of a slot.
#include "support/people_world.h"

constexpr int ROW = 3;
using Mended = PeopleWorld;

// A door with no partner: the person comes back out in a slot found from the door
// (case 0, on a beacon), else in the slot it left (1), else at the door, slotless (2).
TEST_F(Mended, ADeadEndDoorLosesNobody) {
    for (int n = 0; n < 3; n++) {
        people_count = pickup_count = rescued_count = 0;
        tile(0, ROW, n ? BLK_DOOR_UP : (int)BLK_DOOR_UP_BEACON);
        for (int c = 0; c < 14; c++) word(c, ROW) = c > 8 ? 0 : n == 0 && c == 0 ? 1 : 0x1ff;
        const person &p = people[stand(13, ROW, 7)];
        call_elevator(64, line(ROW));
        if (n == 2) word(13, ROW) = 1u << 7; // somebody took its slot meanwhile
        frames(5000, 0, PERSON_BOARDING);
        frames(2); // lifted, then boarding
        EXPECT_TRUE(p.state == PERSON_STANDING && p.pose == POSE_STAND && p.hidden == 0) << n;
        if (n == 2) { // a later call then frees nobody's slot
            EXPECT_EQ(p.status, STATUS_IN_TRANSIT);
            call_elevator(64, line(ROW));
            EXPECT_TRUE(p.state == PERSON_TO_ELEVATOR && word(13, ROW) == 0x80 &&
                        word(0, ROW) == 0x1ff);
            continue;
        }
        int c = n == 0 ? 0 : 13, k = n == 0 ? 1 : 7;
        EXPECT_TRUE(p.status == STATUS_IN_SLOT && slot_of(p) == k && (word(c, ROW) >> k & 1));
        EXPECT_TRUE(unsigned(p.x - slot_x(c, k)) <= 2 && unsigned(slot_y(ROW, k) - p.y) <= 2);
        // On the beacon it is queued and rescued, so that the mission can end; back in
        // its own slot it waits there, neither queued nor rescued.
        for (int f = 0; f < 3000 && p.status != STATUS_RESCUED; f++) update_rescue_heli();
        EXPECT_EQ(rescued_count, n == 0 ? 1 : 0) << n;
        EXPECT_EQ(p.status, n == 0 ? STATUS_RESCUED : STATUS_IN_SLOT) << n;
    }
}

TEST_F(Mended, AWaiterBackOnItsBeaconIsQueuedAndRescuedOnce) {
    tile(5, ROW, BLK_BEACON);
    person &p = people[stand(5, ROW, 0)];
    pickup_queue[pickup_count++] = 0; // queued, called away, and now back
    p.state = PERSON_TO_SLOT, p.pose = POSE_WALK_LEFT, p.target_x = p.x;
    update_people();
    for (int f = 0; f < 5000; f++) update_rescue_heli();
    EXPECT_TRUE(rescued_count == 1 && score == 100 && word(5, ROW) == 0);
}

// A walker bound for slot 5 of tile 4, and a rider: the slots they left are others'.
TEST_F(Mended, APickupFreesOnlyTheSlotThePersonHolds) {
    int walker = stand(2, 30, 5), rider = stand(3, 30, 0);
    people[walker].state = PERSON_TO_SLOT, people[walker].target_x = slot_x(4, 5);
    people[walker].target_y = slot_y(30, 5), word(4, 30) = 1u << 5;
    people[rider].state = PERSON_RIDING, people[rider].status = STATUS_IN_TRANSIT;
    for (int i : {walker, rider}) {
        pickup_queue[pickup_count++] = i;
        rescue_heli_x = people[i].x, rescue_heli_y = people[i].y - 25;
        update_rescue_heli();
    }
    EXPECT_TRUE(word(4, 30) == 0 && word(2, 30) == 0x20 && word(3, 30) == 1 && rescued_count == 2);
}
