// One rescue road frame by frame, boarding and riding times, and the arrival search.
#include "support/people_world.h"

#include <vector>

namespace {

constexpr int WALK[7] = {6, 5, 4, 6, 6, 4, 5};
int line(int r) {
    return 64 * r + 54;
}

using Journey = PeopleWorld;

TEST_F(Journey, FromSlotToBeaconFrameByFrame) {
    const int from = 90, to = 88, door = 6;
    tile(door, from, BLK_DOOR_UP);
    tile(door, to, BLK_DOOR_DOWN);
    tile(door + 1, to, BLK_BEACON);
    word(door, to) = FULL_SLOT_MASK;
    word(door + 1, to) = BEACON_SLOT_MASK;
    int i = stand(3, from, 0);
    person &p = people[i];
    ASSERT_EQ(p.x, 256);
    call_elevator(64 + 64 * door, line(from));
    EXPECT_EQ(p.target_x, 471);

    // Walk: a step on the first frame (frame_delay starts at 1), then one every four
    // frames, following the step table, until the boarding point is passed.
    int x = 256, frame = 1, steps = 0;
    while (x < 471) {
        x += WALK[steps % 7];
        steps++;
        int until = steps == 1 ? 1 : 4;
        for (int f = 0; f < until; f++, frame++) {
            ASSERT_EQ(p.state, PERSON_TO_ELEVATOR) << frame;
            update_and_draw_people();
        }
        ASSERT_EQ(p.x, x) << "step " << steps;
        ASSERT_EQ(p.frame, steps % 7);
    }
    EXPECT_EQ(steps, 42);
    EXPECT_EQ(frame - 1, 165);
    // It boards where its last step left it, one pixel past the boarding point.
    EXPECT_EQ(p.x, 472);
    EXPECT_EQ(p.state, PERSON_BOARDING);
    EXPECT_EQ(p.pose, POSE_BOARD);

    frames(1); // lifted onto the floor line
    EXPECT_EQ(p.y, line(from));
    EXPECT_EQ(p.state, PERSON_BOARDING);
    EXPECT_EQ(p.hidden, 0);
    frames(1); // boards
    EXPECT_EQ(p.state, PERSON_RIDING);
    EXPECT_EQ(p.hidden, 1);
    EXPECT_EQ(p.origin_y, line(from));
    EXPECT_EQ(p.target_y, line(to));

    // Two floors: 128 frames at one pixel a frame, hidden all the way.
    for (int f = 1; f < 128; f++) {
        frames(1);
        ASSERT_EQ(p.y, line(from) - f);
        ASSERT_EQ(p.hidden, 1);
        ASSERT_EQ(p.state, PERSON_RIDING);
    }
    frames(1);
    EXPECT_EQ(p.y, line(to));
    EXPECT_EQ(p.state, PERSON_STEPPING_OFF);
    EXPECT_EQ(p.pose, POSE_STEP_OFF);
    EXPECT_EQ(p.hidden, 0);
    // The door's tile is full: the next candidate, the beacon on its right, gives
    // its lowest free slot, with no jitter in y.
    EXPECT_EQ(p.status, STATUS_IN_SLOT);
    EXPECT_EQ(word(door + 1, to), BEACON_SLOT_MASK | 1u);
    EXPECT_EQ(p.target_y, 64 * to + 61);
    EXPECT_GE(p.target_x, 512);
    EXPECT_LE(p.target_x, 514);

    frames(1);
    EXPECT_EQ(p.y, line(to) + 6);
    EXPECT_EQ(p.state, PERSON_STEPPING_OFF);
    frames(1);
    EXPECT_EQ(p.y, 64 * to + 61);
    EXPECT_EQ(p.state, PERSON_TO_SLOT);
    EXPECT_EQ(p.pose, POSE_WALK_RIGHT);
    EXPECT_EQ(pickup_count, 0);

    // The walk countdown goes on from where the last walk left it (4).
    frames(3);
    EXPECT_EQ(p.x, 472);
    frames(1);
    EXPECT_EQ(p.x, 478);
    int walked = frames_until_state(i, PERSON_STANDING);
    EXPECT_EQ(walked, 28);
    // A slot walker stops exactly on its target and is queued on the beacon.
    EXPECT_EQ(p.x, p.target_x);
    EXPECT_EQ(p.pose, POSE_STAND);
    ASSERT_EQ(pickup_count, 1);
    EXPECT_EQ(pickup_queue[0], i);
}

struct Arrival : PeopleWorld {
    static constexpr int ROW = 50, DOOR = 6;
    void SetUp() override {
        PeopleWorld::SetUp();
        tile(DOOR, ROW, BLK_DOOR_DOWN);
        tile(DOOR, ROW - 3, BLK_DOOR_DOWN);
    }
    // A person one pixel above row ROW's floor line, riding down from three floors up.
    int rider() {
        int i = people_count++;
        person &p = people[i];
        p = person{};
        p.x = 64 + 64 * DOOR + 25;
        p.y = line(ROW) - 1;
        p.target_y = line(ROW);
        p.origin_y = line(ROW - 3);
        p.state = PERSON_RIDING;
        p.pose = POSE_WALK_LEFT;
        p.hidden = 1;
        p.status = STATUS_IN_TRANSIT;
        return i;
    }
    void fill_row_except(int free_col) {
        for (int c = 0; c < 14; c++) word(c, ROW) = c == free_col ? 0u : FULL_SLOT_MASK;
    }
    bool rode_back(int i) {
        const person &p = people[i];
        return p.state == PERSON_RIDING && p.hidden == 1 && p.target_y == line(ROW - 3) &&
               p.origin_y == line(ROW) && p.pose == POSE_STEP_OFF;
    }
    int column_taken(int i) { return column_of_x(people[i].target_x); }
};

TEST_F(Arrival, TheDoorTileGivesItsLowestFreeSlot) {
    word(DOOR, ROW) = 0x1ff & ~(1u << 4) & ~(1u << 7);
    int i = rider();
    update_people();
    const person &p = people[i];
    EXPECT_EQ(p.state, PERSON_STEPPING_OFF);
    EXPECT_EQ(slot_number_of(p), 4);
    EXPECT_EQ(word(DOOR, ROW), 0x1ff & ~(1u << 7));
    EXPECT_GE(p.target_x, slot_x(DOOR, 4));
    EXPECT_LE(p.target_x, slot_x(DOOR, 4) + 2);
    EXPECT_LE(p.target_y, slot_y(ROW, 4));
    EXPECT_GE(p.target_y, slot_y(ROW, 4) - 2);
}

TEST_F(Arrival, CandidatesAlternateRightThenLeft) {
    const int order[] = {6, 7, 5, 8, 4, 9, 3, 10, 2, 11, 1, 12, 0, 13};
    for (int c : order) {
        fill_row_except(c);
        int i = rider();
        update_people();
        EXPECT_EQ(people[i].state, PERSON_STEPPING_OFF) << c;
        EXPECT_EQ(column_taken(i), c);
    }
}

TEST_F(Arrival, OnlyEightColumnsEachWay) {
    tile(DOOR, ROW, BLK_FLOOR);
    tile(1, ROW, BLK_DOOR_DOWN);
    tile(1, ROW - 3, BLK_DOOR_DOWN);
    fill_row_except(10); // nine columns right of the door at column 1
    int i = rider();
    people[i].x = 64 + 64 * 1 + 23;
    update_people();
    EXPECT_TRUE(rode_back(i));
    fill_row_except(9);
    i = rider();
    people[i].x = 64 + 64 * 1 + 23;
    update_people();
    EXPECT_EQ(column_taken(i), 9);
}

TEST_F(Arrival, ABlockingTileClosesItsSide) {
    fill_row_except(-1);
    word(DOOR + 2, ROW) = 0; // behind the fire
    word(DOOR - 3, ROW) = 0;
    tile(DOOR + 1, ROW, BLK_FIRE);
    int i = rider();
    update_people();
    EXPECT_EQ(column_taken(i), DOOR - 3);
    // An open tile blocks like a fire; an open beacon tile does not.
    tile(DOOR + 1, ROW, BLK_OPEN);
    word(DOOR - 3, ROW) = 0;
    i = rider();
    update_people();
    EXPECT_EQ(column_taken(i), DOOR - 3);
    tile(DOOR + 1, ROW, BLK_OPEN_BEACON);
    word(DOOR + 1, ROW) = FULL_SLOT_MASK;
    i = rider();
    update_people();
    EXPECT_EQ(column_taken(i), DOOR + 2);
}

TEST_F(Arrival, BothSidesClosedGivesUp) {
    fill_row_except(-1);
    word(DOOR + 4, ROW) = 0;
    word(DOOR - 4, ROW) = 0;
    tile(DOOR - 2, ROW, BLK_FIRE);
    tile(DOOR + 3, ROW, BLK_FIRE);
    int i = rider();
    update_people();
    EXPECT_TRUE(rode_back(i));
    EXPECT_EQ(people[i].status, STATUS_IN_TRANSIT);
    EXPECT_EQ(word(DOOR + 4, ROW), 0u);
    EXPECT_EQ(word(DOOR - 4, ROW), 0u);
    // A second blocking tile on the side already closed does not stop the search.
    tile(DOOR + 3, ROW, BLK_FLOOR);
    tile(DOOR - 3, ROW, BLK_FIRE);
    word(DOOR + 3, ROW) = FULL_SLOT_MASK;
    i = rider();
    update_people();
    EXPECT_EQ(column_taken(i), DOOR + 4);
}

TEST_F(Arrival, LowerIndexReservesFirst) {
    fill_row_except(-1);
    word(DOOR, ROW) = FULL_SLOT_MASK & ~(1u << 8);
    int first = rider(), second = rider();
    update_people();
    EXPECT_EQ(people[first].state, PERSON_STEPPING_OFF);
    EXPECT_EQ(slot_number_of(people[first]), 8);
    EXPECT_TRUE(rode_back(second));
}

struct Boarding : PeopleWorld {
    void SetUp() override {
        PeopleWorld::SetUp();
        tile(5, 60, BLK_DOOR_UP);
        tile(5, 57, BLK_DOOR_UP);
        tile(5, 63, BLK_DOOR_UP);
        tile(8, 60, BLK_DOOR_DOWN);
        tile(8, 62, BLK_DOOR_UP); // any door ends a ride, whatever its direction
    }
    int boarder(int c, int y) {
        int i = people_count++;
        people[i] = person{};
        people[i].x = 64 + 64 * c + 25;
        people[i].y = y;
        people[i].state = PERSON_BOARDING;
        people[i].pose = POSE_BOARD;
        people[i].status = STATUS_IN_TRANSIT;
        return i;
    }
    int ride_frames(int i) {
        int n = 0;
        while (people[i].state == PERSON_RIDING && n < 1000) {
            update_people();
            n++;
        }
        return n;
    }
};

TEST_F(Boarding, FeetBelowTheFloorLineAreLiftedFirst) {
    for (int y = 64 * 60 + 55; y <= 64 * 60 + 61; y++) {
        int i = boarder(5, y);
        update_people();
        EXPECT_EQ(people[i].y, line(60));
        EXPECT_EQ(people[i].state, PERSON_BOARDING);
        update_people();
        EXPECT_EQ(people[i].state, PERSON_RIDING);
    }
    for (int y : {64 * 60 + 53, 64 * 60 + 54}) {
        int i = boarder(5, y);
        update_people();
        EXPECT_EQ(people[i].state, PERSON_RIDING);
        EXPECT_EQ(people[i].origin_y, y);
    }
}

TEST_F(Boarding, RidesTakeSixtyFourFramesAFloor) {
    int up = boarder(5, line(60));
    update_people();
    EXPECT_EQ(people[up].target_y, line(57)); // the nearest door above
    EXPECT_EQ(ride_frames(up), 3 * 64);
    int down = boarder(8, line(60));
    update_people();
    EXPECT_EQ(people[down].target_y, line(62));
    EXPECT_EQ(ride_frames(down), 2 * 64);
    // From y = 64r + 53 a ride up is a frame shorter, a ride down a frame longer.
    int short_up = boarder(5, 64 * 60 + 53);
    update_people();
    EXPECT_EQ(ride_frames(short_up), 3 * 64 - 1);
    int long_down = boarder(8, 64 * 60 + 53);
    update_people();
    EXPECT_EQ(ride_frames(long_down), 2 * 64 + 1);
}

TEST_F(Boarding, StateChangesTakeEffectNextFrame) {
    tile(2, 70, BLK_DOOR_UP);
    tile(2, 69, BLK_DOOR_UP);
    int i = stand(2, 70, 1); // x 213, the boarding point is 215
    call_elevator(64 + 128, line(70));
    EXPECT_EQ(people[i].pose, POSE_WALK_RIGHT);
    std::vector<int> states;
    for (int f = 0; f < 6; f++) {
        update_and_draw_people();
        states.push_back(people[i].state);
    }
    // One change per frame: walk (first step passes the point), board, lift, ride.
    EXPECT_EQ(states, (std::vector<int>{PERSON_BOARDING, PERSON_BOARDING, PERSON_RIDING,
                                        PERSON_RIDING, PERSON_RIDING, PERSON_RIDING}));
}

} // namespace
