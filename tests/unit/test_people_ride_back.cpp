// A full arrival floor: riding back, and back and forth until a slot frees up.
#include "support/people_world.h"

namespace {

int line(int r) {
    return 64 * r + 54;
}

struct RideBack : PeopleWorld {
    static constexpr int LOW = 40, HIGH = 38, DOOR = 4;
    void SetUp() override {
        PeopleWorld::SetUp();
        tile(DOOR, LOW, BLK_DOOR_UP);
        tile(DOOR, HIGH, BLK_DOOR_DOWN);
        for (int c = 0; c < 14; c++) word(c, HIGH) = FULL_SLOT_MASK;
    }
};

TEST_F(RideBack, FullFloorSendsThePersonBackDown) {
    int i = stand(DOOR, LOW, 5);
    call_elevator(64 + 64 * DOOR, line(LOW));
    // Five steps left to the boarding point (17 frames), the lift, then the ride.
    ASSERT_EQ(frames_until_state(i, PERSON_RIDING), 19);
    person &p = people[i];
    frames(128);
    // Upstairs: no slot, so it stays inside and turns round.
    EXPECT_EQ(p.y, line(HIGH));
    EXPECT_EQ(p.state, PERSON_RIDING);
    EXPECT_EQ(p.hidden, 1);
    EXPECT_EQ(p.pose, POSE_STEP_OFF);
    EXPECT_EQ(p.target_y, line(LOW));
    EXPECT_EQ(p.origin_y, line(HIGH));
    EXPECT_EQ(p.status, STATUS_IN_TRANSIT);
    frames(128);
    // Back home: the search there finds the door tile's lowest free slot.
    EXPECT_EQ(p.state, PERSON_STEPPING_OFF);
    EXPECT_EQ(p.hidden, 0);
    EXPECT_EQ(slot_number_of(p), 0);
    EXPECT_EQ(word(DOOR, LOW), 1u);
    frames_until_state(i, PERSON_STANDING);
    EXPECT_EQ(p.y / 64, LOW);
    EXPECT_EQ(column_of_x(p.x), DOOR);
    EXPECT_EQ(p.status, STATUS_IN_SLOT);
}

TEST_F(RideBack, BackAndForthUntilASlotFreesUp) {
    int i = stand(DOOR, LOW, 0);
    for (int c = 0; c < 14; c++) word(c, LOW) = FULL_SLOT_MASK;
    call_elevator(64 + 64 * DOOR, line(LOW));
    // The caller's own slot was released; take it so both floors are full.
    word(DOOR, LOW) = FULL_SLOT_MASK;
    frames_until_state(i, PERSON_RIDING);
    person &p = people[i];
    for (int trip = 0; trip < 4; trip++) {
        frames(128);
        ASSERT_EQ(p.state, PERSON_RIDING) << trip;
        ASSERT_EQ(p.y, line(trip % 2 ? LOW : HIGH));
    }
    // It is now on its way up again: free a slot up there.
    word(7, HIGH) &= ~(1u << 3);
    frames(128);
    EXPECT_EQ(p.state, PERSON_STEPPING_OFF);
    EXPECT_EQ(column_of_x(p.target_x), 7);
    EXPECT_EQ(slot_number_of(p), 3);
    EXPECT_EQ(word(7, HIGH), FULL_SLOT_MASK);
}

} // namespace
