// Calling an elevator: who is eligible, what a dispatch sets, and the fire input.
#include "support/people_world.h"

namespace {

constexpr int ROW = 90, DOOR = 6;

struct ElevatorCall : PeopleWorld {
    void SetUp() override {
        PeopleWorld::SetUp();
        tile(DOOR, ROW, BLK_DOOR_UP);
        tile(DOOR, ROW - 2, BLK_DOOR_DOWN);
    }
    void call() { call_elevator(64 + 64 * DOOR, 64 * ROW + 54); }
    bool called(int i) { return people[i].state == PERSON_TO_ELEVATOR; }
};

TEST_F(ElevatorCall, DispatchSendsPeopleToTheBoardingPoint) {
    int left = stand(2, ROW, 4);
    int on_door = stand(DOOR, ROW, 2); // x 490: right of the boarding point
    int right = stand(11, ROW, 0);
    unsigned neighbour = word(2, ROW) |= 0x100;
    call();
    for (int i : {left, on_door, right}) {
        EXPECT_TRUE(called(i));
        EXPECT_EQ(people[i].target_x, 64 + 64 * DOOR + 23);
        EXPECT_EQ(people[i].target_y, 64 * ROW + 54);
        EXPECT_EQ(people[i].status, STATUS_IN_TRANSIT);
        EXPECT_EQ(people[i].frame, 0);
    }
    EXPECT_EQ(people[left].pose, POSE_WALK_RIGHT);
    EXPECT_EQ(people[on_door].pose, POSE_WALK_LEFT);
    EXPECT_EQ(people[right].pose, POSE_WALK_LEFT);
    // Each gives up exactly its own slot.
    EXPECT_EQ(word(2, ROW), neighbour & ~(1u << 4));
    EXPECT_EQ(word(DOOR, ROW), 0u);
    EXPECT_EQ(word(11, ROW), 0u);
}

TEST_F(ElevatorCall, FireCutsOffTheFarSideOnly) {
    tile(3, ROW, BLK_FIRE);
    int beyond = stand(2, ROW, 0);
    int near = stand(4, ROW, 0);
    int other_side = stand(9, ROW, 0);
    call();
    EXPECT_FALSE(called(beyond));
    EXPECT_EQ(people[beyond].status, STATUS_IN_SLOT);
    EXPECT_EQ(word(2, ROW), 1u);
    EXPECT_TRUE(called(near));
    EXPECT_TRUE(called(other_side));
    // Once the fire is out the way is free.
    tile(3, ROW, BLK_FLOOR);
    call();
    EXPECT_TRUE(called(beyond));
}

TEST_F(ElevatorCall, OpenTilesBlockUnlessTheDoorIsOnABeacon) {
    tile(8, ROW, BLK_OPEN);
    tile(4, ROW, BLK_OPEN_BEACON);
    int past_open = stand(10, ROW, 0);
    int past_open_beacon = stand(3, ROW, 0);
    int on_open_beacon = stand(4, ROW, 1);
    call();
    // The call reads the beacon exception from the door's tile: an open beacon
    // tile on the way blocks it too, and so does standing on one.
    EXPECT_FALSE(called(past_open));
    EXPECT_FALSE(called(past_open_beacon));
    EXPECT_FALSE(called(on_open_beacon));
    tile(DOOR, ROW, BLK_DOOR_UP_BEACON);
    call();
    EXPECT_TRUE(called(past_open));
    EXPECT_TRUE(called(past_open_beacon));
    EXPECT_TRUE(called(on_open_beacon));
}

TEST_F(ElevatorCall, OnlyVisibleStandingPeopleOfTheFloorAnswer) {
    int rescued = stand(5, ROW, 0);
    people[rescued].hidden = 1;
    int vacant = stand(5, ROW, 1);
    people[vacant].hidden = 0xff;
    int walking = stand(7, ROW, 0);
    people[walking].state = PERSON_TO_SLOT;
    people[walking].pose = POSE_WALK_LEFT;
    int above = stand(DOOR, ROW - 1, 0);
    int below = stand(DOOR, ROW + 1, 0);
    int back_row = stand(5, ROW, 8); // y 64r + 55: still the door's row
    call();
    for (int i : {rescued, vacant, walking, above, below}) EXPECT_FALSE(called(i)) << i;
    EXPECT_TRUE(called(back_row));
    EXPECT_EQ(word(5, ROW), 0x3u);
}

TEST_F(ElevatorCall, ABeaconWaiterIsCalledAndStaysQueued) {
    tile(8, ROW, BLK_BEACON);
    word(8, ROW) = BEACON_SLOT_MASK;
    int waiter = stand(8, ROW, 0);
    pickup_queue[pickup_count++] = waiter;
    call();
    EXPECT_TRUE(called(waiter));
    EXPECT_EQ(pickup_count, 1);
    EXPECT_EQ(word(8, ROW), BEACON_SLOT_MASK);
}

TEST_F(ElevatorCall, FireInputOverADoorCallsTheFloor) {
    int a = stand(3, ROW, 0);
    struct input {
        int mouse;
        int key;
        bool calls;
    };
    const input inputs[] = {
        {1, 0, true},  {0, KEY_SPACE, true}, {0, KEY_LCONTROL, true}, {0, KEY_RCONTROL, true},
        {2, 0, false}, {0, KEY_ALT, false}};
    for (const input &in : inputs) {
        people[a].state = PERSON_STANDING;
        aim_at(DOOR, ROW);
        mouse_b = in.mouse;
        if (in.key) key[in.key] = 1;
        update_people();
        EXPECT_EQ(called(a), in.calls) << in.mouse << " " << in.key;
        release_fire();
    }
}

TEST_F(ElevatorCall, TheCrosshairMustBeOnADoorOfTheBuilding) {
    int a = stand(3, ROW, 0);
    aim_at(DOOR + 1, ROW); // the tile beside the door
    update_people();
    EXPECT_FALSE(called(a));
    aim_at(DOOR, ROW);
    aim_x += 14 * 64; // same row, right of the building
    update_people();
    EXPECT_FALSE(called(a));
    // The row follows the view: scrolled one row down, the same screen point is
    // the row below the door.
    aim_at(DOOR, ROW);
    scroll_y += 64;
    update_people();
    EXPECT_FALSE(called(a));
    scroll_y -= 64;
    update_people();
    EXPECT_TRUE(called(a));
}

TEST_F(ElevatorCall, HeldInputCallsThoseWhoArriveMeanwhile) {
    int arriving = stand(4, ROW, 0);
    people[arriving].state = PERSON_TO_SLOT;
    people[arriving].pose = POSE_WALK_RIGHT;
    people[arriving].target_x = people[arriving].x;
    people[arriving].target_y = people[arriving].y;
    aim_at(DOOR, ROW);
    // The pass stands the person in its slot, then the held input calls it.
    update_people();
    EXPECT_TRUE(called(arriving));
    EXPECT_EQ(word(4, ROW), 0u);
}

} // namespace
