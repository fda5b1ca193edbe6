// Calling an elevator: who answers, what a dispatch sets, and the fire input.
#include "support/people_world.h"

namespace {

constexpr int ROW = 90, DOOR = 6;

struct ElevatorCall : PeopleWorld {
    void SetUp() override {
        PeopleWorld::SetUp();
        tile(DOOR, ROW, BLK_DOOR_UP);
    }
    void call() { call_elevator(64 + 64 * DOOR, line(ROW)); }
    bool called(int i) { return people[i].state == PERSON_TO_ELEVATOR; }
};

TEST_F(ElevatorCall, DispatchReleasesTheSlotAndHeadsForTheBoardingPoint) {
    int left = stand(4, ROW, 4), on_door = stand(DOOR, ROW, 2); // x 490, past the point
    word(4, ROW) |= 0x100;
    call();
    for (int i : {left, on_door}) {
        EXPECT_EQ(people[i].target_x, 64 + 64 * DOOR + 23);
        EXPECT_EQ(people[i].target_y, line(ROW));
        EXPECT_EQ(people[i].status, STATUS_IN_TRANSIT);
    }
    EXPECT_EQ(people[left].pose, POSE_WALK_RIGHT);
    EXPECT_EQ(people[on_door].pose, POSE_WALK_LEFT);
    EXPECT_EQ(word(4, ROW), 0x100u);
    EXPECT_EQ(word(DOOR, ROW), 0u);
}

TEST_F(ElevatorCall, FiresOpenTilesAndOtherStatesKeepPeopleStanding) {
    tile(3, ROW, BLK_FIRE);
    tile(9, ROW, BLK_OPEN);
    tile(11, ROW, BLK_OPEN_BEACON);
    int beyond_fire = stand(2, ROW, 0), near = stand(4, ROW, 0);
    int beyond_open = stand(10, ROW, 0), beyond_open_beacon = stand(12, ROW, 0);
    int rescued = stand(5, ROW, 0), vacant = stand(5, ROW, 1), walking = stand(7, ROW, 0);
    int above = stand(DOOR, ROW - 1, 0), waiter = stand(8, ROW, 0);
    people[rescued].hidden = 1;
    people[vacant].hidden = 0xff;
    people[walking].state = PERSON_TO_SLOT;
    pickup_queue[pickup_count++] = waiter;
    call();
    EXPECT_TRUE(called(near));
    EXPECT_TRUE(called(waiter)); // a queued beacon waiter goes, and stays queued
    EXPECT_EQ(pickup_count, 1);
    for (int i : {beyond_fire, beyond_open, beyond_open_beacon, rescued, vacant, walking, above})
        EXPECT_FALSE(called(i)) << i;
    // The open-tile exception is read from the door's tile, not the crossed one.
    tile(DOOR, ROW, BLK_DOOR_UP_BEACON);
    call();
    EXPECT_TRUE(called(beyond_open) && called(beyond_open_beacon));
    EXPECT_FALSE(called(beyond_fire));
}

TEST_F(ElevatorCall, FireInputOverADoorCallsTheFloorEveryFrameItIsHeld) {
    int a = stand(3, ROW, 0);
    for (int k : {KEY_SPACE, KEY_LCONTROL, KEY_RCONTROL}) {
        people[a].state = PERSON_STANDING;
        aim_at(DOOR, ROW);
        mouse_b = 2; // the right button scrolls, it does not call
        update_people();
        EXPECT_FALSE(called(a));
        key[k] = 1;
        update_people();
        EXPECT_TRUE(called(a));
        key[k] = 0;
    }
    aim_at(DOOR + 1, ROW); // beside the door
    people[a].state = PERSON_STANDING;
    update_people();
    EXPECT_FALSE(called(a));
    // Somebody reaching its slot during the pass is called by the held input.
    aim_at(DOOR, ROW);
    people[a].state = PERSON_TO_SLOT;
    people[a].pose = POSE_WALK_LEFT;
    people[a].target_x = people[a].x;
    update_people();
    EXPECT_TRUE(called(a));
}

} // namespace
