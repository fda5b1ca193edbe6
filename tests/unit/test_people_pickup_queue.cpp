// Each person is queued and rescued once, and a pickup frees only the slot the
// person holds.
#include "support/people_world.h"

#include <set>

namespace {

int line(int r) {
    return 64 * r + 54;
}

struct PickupQueue : PeopleWorld {
    static constexpr int ROW = 20, UP = 18, DOOR = 5;
    void SetUp() override {
        PeopleWorld::SetUp();
        tile(DOOR, ROW, BLK_DOOR_UP_BEACON);
        tile(DOOR, UP, BLK_DOOR_DOWN);
        word(DOOR, ROW) = BEACON_SLOT_MASK;
        for (int c = 0; c < 14; c++) word(c, UP) = FULL_SLOT_MASK;
    }
    bool queue_is_unique() {
        std::set<int> seen(pickup_queue, pickup_queue + pickup_count);
        return (int)seen.size() == pickup_count;
    }
};

TEST_F(PickupQueue, ACalledAwayWaiterReturningIsQueuedOnce) {
    int a = stand(DOOR, ROW, 0);
    pickup_queue[pickup_count++] = a;
    rescue_heli_x = rescue_heli_y = -100000; // far away while the round trip runs
    // a goes up, finds the floor full, rides back and takes a beacon slot again.
    call_elevator(64 + 64 * DOOR, line(ROW));
    int b = stand(DOOR, ROW, 1); // b waits beside it
    pickup_queue[pickup_count++] = b;
    frames_until_state(a, PERSON_RIDING);
    frames_until_state(a, PERSON_STANDING);
    EXPECT_EQ(people[a].hidden, 0);
    EXPECT_EQ(column_of_x(people[a].x), DOOR);
    EXPECT_EQ(pickup_count, 2);
    EXPECT_TRUE(queue_is_unique());
    int n = 0;
    while (pickup_count > 0 && n < 5000) {
        update_and_draw_people();
        ASSERT_LE(rescued_count, people_count);
        n++;
    }
    EXPECT_EQ(rescued_count, 2);
    EXPECT_EQ(score, 200);
    EXPECT_EQ(word(DOOR, ROW), BEACON_SLOT_MASK);
}

TEST_F(PickupQueue, ArrivingTwiceWhileQueuedAddsNoEntry) {
    tile(8, 60, BLK_BEACON);
    int a = stand(8, 60, 0);
    for (int arrival = 0; arrival < 3; arrival++) {
        people[a].state = PERSON_TO_SLOT;
        people[a].pose = POSE_WALK_LEFT;
        people[a].target_x = people[a].x;
        update_people();
        EXPECT_EQ(people[a].state, PERSON_STANDING);
    }
    EXPECT_EQ(pickup_count, 1);
}

struct Pickup : PeopleWorld {
    // Helicopter in place over person i: the next step picks it up.
    void hover_over(int i) {
        rescue_heli_x = people[i].x;
        rescue_heli_y = people[i].y - 25;
    }
};

TEST_F(Pickup, ReleasesTheSlotAPersonWalksTo) {
    int a = stand(2, 30, 0);
    people[a].state = PERSON_TO_SLOT;
    people[a].pose = POSE_WALK_RIGHT;
    people[a].target_x = slot_x(4, 5);
    people[a].target_y = slot_y(30, 5);
    people[a].slot_col = 2;
    people[a].slot_row = 1;
    word(2, 30) = 1u << 5; // somebody else's slot where a happens to walk
    word(4, 30) = 1u << 5; // a's reservation
    pickup_queue[pickup_count++] = a;
    hover_over(a);
    update_rescue_heli();
    EXPECT_EQ(people[a].status, STATUS_RESCUED);
    EXPECT_EQ(word(4, 30), 0u);
    EXPECT_EQ(word(2, 30), 1u << 5);
}

TEST_F(Pickup, APersonInTransitHoldsNoSlot) {
    int a = stand(3, 30, 0);
    people[a].state = PERSON_RIDING;
    people[a].status = STATUS_IN_TRANSIT;
    people[a].hidden = 1;
    word(3, 30) = 1u; // another person's slot
    pickup_queue[pickup_count++] = a;
    hover_over(a);
    update_rescue_heli();
    EXPECT_EQ(people[a].status, STATUS_RESCUED);
    EXPECT_EQ(people[a].state, PERSON_STANDING);
    EXPECT_EQ(rescued_count, 1);
    EXPECT_EQ(word(3, 30), 1u);
}

} // namespace
