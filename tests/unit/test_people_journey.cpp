// A rescue road frame by frame, boarding and ride times, the arrival search and
// riding back from a full floor.
#include "support/people_world.h"

namespace {

using Journey = PeopleWorld;

TEST_F(Journey, FromSlotToBeaconFrameByFrame) {
    const int from = 90, to = 88, door = 6, WALK[7] = {6, 5, 4, 6, 6, 4, 5};
    tile(door, from, BLK_DOOR_UP);
    tile(door, to, BLK_DOOR_DOWN);
    tile(door + 1, to, BLK_BEACON);
    word(door, to) = FULL_SLOT_MASK;
    word(door + 1, to) = BEACON_SLOT_MASK;
    int i = stand(3, from, 0);
    person &p = people[i];
    call_elevator(64 + 64 * door, line(from));
    // A step on the first frame (frame_delay starts at 1), then one every 4 frames.
    for (int step = 0, x = 256; step < 42; step++) {
        frames(step == 0 ? 1 : 4);
        x += WALK[step % 7];
        ASSERT_EQ(p.x, x) << step;
        ASSERT_EQ(p.state, step < 41 ? PERSON_TO_ELEVATOR : PERSON_BOARDING);
    }
    EXPECT_EQ(p.x, 472); // boards where its last step left it, past 471
    frames(1);
    EXPECT_EQ(p.y, line(from)); // lifted onto the floor line
    frames(1);
    EXPECT_EQ(p.state, PERSON_RIDING);
    EXPECT_EQ(p.hidden, 1);
    EXPECT_EQ(p.target_y, line(to));
    frames(127);
    EXPECT_EQ(p.y, line(to) + 1);
    frames(1); // two floors in 128 frames; the beacon right of the full door tile
    EXPECT_EQ(p.state, PERSON_STEPPING_OFF);
    EXPECT_EQ(p.hidden, 0);
    EXPECT_EQ(word(door + 1, to), BEACON_SLOT_MASK | 1u);
    EXPECT_EQ(p.target_y, 64 * to + 61);
    frames(2); // 6 pixels a frame down to the slot's y
    EXPECT_EQ(p.y, 64 * to + 61);
    EXPECT_EQ(p.pose, POSE_WALK_RIGHT);
    frames(3); // the walk countdown goes on from where it stopped
    EXPECT_EQ(p.x, 472);
    EXPECT_EQ(frames_until(i, PERSON_STANDING), 29);
    EXPECT_EQ(p.x, p.target_x); // stops exactly on its slot
    ASSERT_EQ(pickup_count, 1);
    EXPECT_EQ(pickup_queue[0], i);
}

TEST_F(Journey, BoardingLiftsTheFeetAndRidesTake64FramesAFloor) {
    tile(5, 60, BLK_DOOR_UP);
    tile(5, 57, BLK_DOOR_UP);
    tile(5, 62, BLK_DOOR_UP); // any door ends a ride, whatever its direction
    tile(8, 60, BLK_DOOR_DOWN);
    tile(8, 62, BLK_DOOR_UP);
    struct ride {
        int c, y, lift_frames, ride_frames;
    };
    const ride rides[] = {{5, line(60), 0, 192},     {5, 64 * 60 + 61, 1, 192},
                          {5, 64 * 60 + 53, 0, 191}, {8, line(60), 0, 128},
                          {8, 64 * 60 + 55, 1, 128}, {8, 64 * 60 + 53, 0, 129}};
    for (const ride &r : rides) {
        int i = stand(r.c, 60, 0);
        people[i].y = r.y;
        people[i].state = PERSON_BOARDING;
        int lift = 0, n = 0;
        for (; people[i].state == PERSON_BOARDING; lift++) update_people();
        for (; people[i].state == PERSON_RIDING; n++) update_people();
        EXPECT_EQ(lift - 1, r.lift_frames) << r.y;
        EXPECT_EQ(n, r.ride_frames) << r.c << " " << r.y;
    }
}

struct Arrival : PeopleWorld {
    static constexpr int ROW = 50, DOOR = 6;
    // A person one pixel above ROW's floor line, riding down from three floors up.
    int rider(int door = DOOR) {
        int i = stand(door, ROW - 3, 0);
        people[i].x = 64 + 64 * door + 25;
        people[i].y = line(ROW) - 1;
        people[i].target_y = line(ROW);
        people[i].origin_y = line(ROW - 3);
        people[i].state = PERSON_RIDING;
        people[i].hidden = 1;
        people[i].status = STATUS_IN_TRANSIT;
        update_people();
        return i;
    }
    void full_row_except(int a, int b = -1) {
        for (int c = 0; c < 14; c++) word(c, ROW) = (c == a || c == b) ? 0u : FULL_SLOT_MASK;
    }
    int taken(int i) {
        if (people[i].state != PERSON_STEPPING_OFF) return -1;
        return column_of_x(people[i].target_x);
    }
};

TEST_F(Arrival, SearchesRightThenLeftUpToEightColumns) {
    word(DOOR, ROW) = FULL_SLOT_MASK & ~0x90u;
    int first = rider();
    EXPECT_EQ(slot_of(people[first]), 4); // the door tile's lowest free slot
    EXPECT_EQ(word(DOOR, ROW), FULL_SLOT_MASK & ~0x80u);
    EXPECT_EQ(people[first].status, STATUS_IN_SLOT);
    for (int c : {7, 5, 8, 4, 9, 3, 10, 2, 11, 1, 12, 0, 13}) {
        full_row_except(c);
        EXPECT_EQ(taken(rider()), c);
    }
    full_row_except(10);
    EXPECT_EQ(taken(rider(1)), -1); // nine columns away
}

TEST_F(Arrival, BlockingTilesCloseASideAndBothSidesEndTheSearch) {
    full_row_except(DOOR + 2, DOOR - 3);
    tile(DOOR + 1, ROW, BLK_FIRE);
    EXPECT_EQ(taken(rider()), DOOR - 3);
    full_row_except(DOOR + 2, DOOR - 3);
    tile(DOOR + 1, ROW, BLK_OPEN);
    EXPECT_EQ(taken(rider()), DOOR - 3);
    full_row_except(DOOR + 2, DOOR - 3);
    tile(DOOR + 1, ROW, BLK_OPEN_BEACON); // walkable: not a block
    EXPECT_EQ(taken(rider()), DOOR + 2);
    // Closed right, then a second block on the right: the left stays open.
    tile(DOOR + 1, ROW, BLK_FIRE);
    tile(DOOR + 3, ROW, BLK_FIRE);
    full_row_except(DOOR - 4);
    EXPECT_EQ(taken(rider()), DOOR - 4);
    // Closed on both sides: it rides back, inside, to where it came from.
    tile(DOOR - 2, ROW, BLK_FIRE);
    full_row_except(DOOR - 4);
    int i = rider();
    EXPECT_EQ(people[i].state, PERSON_RIDING);
    EXPECT_EQ(people[i].hidden, 1);
    EXPECT_EQ(people[i].pose, POSE_STEP_OFF);
    EXPECT_EQ(people[i].target_y, line(ROW - 3));
    EXPECT_EQ(people[i].origin_y, line(ROW));
    EXPECT_EQ(word(DOOR - 4, ROW), 0u);
}

TEST_F(Journey, RidesBackAndForthUntilASlotFreesUp) {
    const int low = 40, high = 38, door = 4;
    tile(door, low, BLK_DOOR_UP);
    tile(door, high, BLK_DOOR_DOWN);
    int i = stand(door, low, 0);
    for (int c = 0; c < 14; c++) word(c, high) = FULL_SLOT_MASK;
    call_elevator(64 + 64 * door, line(low));
    for (int c = 0; c < 14; c++) word(c, low) = FULL_SLOT_MASK; // its own slot is taken
    frames_until(i, PERSON_RIDING);
    for (int trip = 0; trip < 3; trip++) {
        frames(128);
        ASSERT_EQ(people[i].state, PERSON_RIDING);
        ASSERT_EQ(people[i].y, line(trip % 2 ? low : high));
    }
    word(door, low) = 0; // free at home: it comes out there on the next arrival
    frames(128);
    EXPECT_EQ(people[i].state, PERSON_STEPPING_OFF);
    EXPECT_EQ(people[i].y, line(low));
    EXPECT_EQ(word(door, low), 1u);
}

} // namespace
