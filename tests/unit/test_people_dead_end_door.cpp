// A door with no partner in its ride direction: the person is not lost.
#include "support/people_world.h"

namespace {

int line(int r) {
    return 64 * r + 54;
}

struct DeadEndDoor : PeopleWorld {
    static constexpr int ROW = 3;
    void SetUp() override {
        PeopleWorld::SetUp();
        tile(5, ROW, BLK_DOOR_UP); // nothing above it: no partner
    }
    void expect_standing_in(int i, int c, int k) {
        const person &p = people[i];
        EXPECT_EQ(p.state, PERSON_STANDING);
        EXPECT_EQ(p.pose, POSE_STAND);
        EXPECT_EQ(p.hidden, 0);
        EXPECT_EQ(p.status, STATUS_IN_SLOT);
        EXPECT_EQ(column_of_x(p.x), c);
        EXPECT_EQ(slot_number_of(p), k);
        EXPECT_GE(p.x, slot_x(c, k));
        EXPECT_LE(p.x, slot_x(c, k) + 2);
        EXPECT_LE(p.y, slot_y(ROW, k));
        EXPECT_GE(p.y, slot_y(ROW, k) - 2);
        EXPECT_TRUE(word(c, ROW) & (1u << k));
    }
};

TEST_F(DeadEndDoor, ThePersonStandsAgainInASlotFoundFromTheDoor) {
    int i = stand(2, ROW, 4);
    word(5, ROW) = 0x1; // the door tile's first free slot is 1
    call_elevator(64 + 64 * 5, line(ROW));
    EXPECT_EQ(word(2, ROW), 0u);
    int n = frames_until_state(i, PERSON_RIDING, 400);
    // Never seen riding: the boarding frame turns it straight back.
    EXPECT_EQ(n, 400);
    expect_standing_in(i, 5, 1);
    // It can be called again like anybody on the floor.
    tile(5, ROW - 2, BLK_DOOR_DOWN);
    call_elevator(64 + 64 * 5, line(ROW));
    EXPECT_EQ(people[i].state, PERSON_TO_ELEVATOR);
    EXPECT_EQ(word(5, ROW), 0x1u);
}

TEST_F(DeadEndDoor, TheRestOfThatFramesPassIsSkipped) {
    int i = stand(5, ROW, 0);
    people[i].state = PERSON_BOARDING;
    people[i].y = line(ROW);
    people[i].x = 64 + 64 * 5 + 23;
    word(5, ROW) = 0;
    int rider = stand(9, 60, 0);
    people[rider].state = PERSON_RIDING;
    people[rider].target_y = line(58);
    people[rider].y = line(60);
    tile(9, 60, BLK_DOOR_UP);
    tile(9, 58, BLK_DOOR_UP);
    int waiting = stand(7, 60, 0);
    aim_at(9, 60); // fire held over a door with a person waiting
    update_people();
    expect_standing_in(i, 5, 0);
    EXPECT_EQ(people[rider].y, line(60));
    EXPECT_EQ(people[waiting].state, PERSON_STANDING);
    update_people();
    EXPECT_EQ(people[rider].y, line(60) - 1);
    EXPECT_EQ(people[waiting].state, PERSON_TO_ELEVATOR);
}

TEST_F(DeadEndDoor, WithTheFloorFullItGoesBackToTheSlotItLeft) {
    tile(0, ROW, BLK_DOOR_UP);
    for (int c = 0; c <= 8; c++) word(c, ROW) = FULL_SLOT_MASK;
    int i = stand(13, ROW, 7); // beyond the search's eight columns
    call_elevator(64, line(ROW));
    EXPECT_EQ(word(13, ROW), 0u);
    frames_until_state(i, PERSON_BOARDING, 2000);
    ASSERT_EQ(column_of_x(people[i].x), 0);
    frames(2);
    expect_standing_in(i, 13, 7);
    EXPECT_EQ(word(13, ROW), 1u << 7);
}

TEST_F(DeadEndDoor, WithNowhereToStandItWaitsAtTheDoorHoldingNoSlot) {
    tile(0, ROW, BLK_DOOR_UP);
    for (int c = 0; c <= 8; c++) word(c, ROW) = FULL_SLOT_MASK;
    int i = stand(13, ROW, 7);
    call_elevator(64, line(ROW));
    word(13, ROW) = 1u << 7; // somebody else has taken the slot meanwhile
    frames_until_state(i, PERSON_BOARDING, 2000);
    frames(2);
    const person &p = people[i];
    EXPECT_EQ(p.state, PERSON_STANDING);
    EXPECT_EQ(p.hidden, 0);
    EXPECT_EQ(p.status, STATUS_IN_TRANSIT);
    EXPECT_EQ(p.y, line(ROW));
    EXPECT_EQ(column_of_x(p.x), 0);
    // Called again it frees nobody's slot: it holds none.
    call_elevator(64, line(ROW));
    EXPECT_EQ(p.state, PERSON_TO_ELEVATOR);
    EXPECT_EQ(word(0, ROW), FULL_SLOT_MASK);
    EXPECT_EQ(word(13, ROW), 1u << 7);
}

TEST_F(DeadEndDoor, TheMissionCanStillEnd) {
    tile(5, ROW, BLK_DOOR_UP_BEACON);
    word(5, ROW) = BEACON_SLOT_MASK;
    int i = stand(3, ROW, 2);
    call_elevator(64 + 64 * 5, line(ROW));
    int n = 0;
    while (rescued_count < people_count && n < 3000) {
        update_and_draw_people();
        n++;
    }
    EXPECT_LT(n, 3000);
    EXPECT_EQ(rescued_count, 1);
    EXPECT_EQ(people[i].status, STATUS_RESCUED);
    EXPECT_EQ(word(5, ROW), BEACON_SLOT_MASK);
    EXPECT_EQ(score, 100);
}

} // namespace
