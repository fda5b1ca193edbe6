// The people's road: the elevator call, a journey frame by frame, the arrival search.
#include "support/people_world.h"

constexpr int ROW = 90, DOOR = 6; // of the elevator call and the arrival search

using Journey = PeopleWorld;

TEST_F(Journey, TheFloorsStandingPeopleWithAClearWayAnswerTheCall) {
    auto called = [](int i) { return people[i].state == PERSON_TO_ELEVATOR; };
    tile(DOOR, ROW, BLK_DOOR_UP);
    tile(3, ROW, BLK_FIRE);
    tile(8, ROW, BLK_OPEN_BEACON);
    tile(9, ROW, BLK_OPEN);
    int near = stand(4, ROW, 4), on_door = stand(DOOR, ROW, 2); // x 490, past the point
    int beyond_fire = stand(2, ROW, 0), on_open = stand(8, ROW, 0), beyond_open = stand(10, ROW, 0);
    int above = stand(DOOR, ROW - 1, 0), hidden = stand(5, ROW, 0), walking = stand(7, ROW, 0);
    people[hidden].hidden = 1, people[walking].state = PERSON_TO_SLOT;
    word(4, ROW) |= 0x100;
    call_elevator(64 + 64 * DOOR, line(ROW));
    EXPECT_TRUE(called(near) && called(on_door) && people[on_door].pose == POSE_WALK_LEFT);
    EXPECT_EQ(word(4, ROW), 0x100u); // only the called person's bit is released
    for (int i : {beyond_fire, on_open, beyond_open, above, hidden, walking})
        EXPECT_FALSE(called(i)) << i;
    // The open-tile exception is read from the door's tile, not the crossed one.
    tile(DOOR, ROW, BLK_DOOR_UP_BEACON);
    call_elevator(64 + 64 * DOOR, line(ROW));
    EXPECT_TRUE(called(on_open) && called(beyond_open) && !called(beyond_fire));
}

// Fire calls (left button, Space, either Control; not the right button, not beside the
// door) whoever reaches its slot in the same pass.
TEST_F(Journey, FireInputOverADoorCallsTheFloorEveryFrameItIsHeld) {
    tile(DOOR, ROW, BLK_DOOR_UP);
    person &p = people[stand(3, ROW, 0)];
    for (int input = 0; input < 6; input++) {
        p.state = PERSON_TO_SLOT, p.pose = POSE_WALK_LEFT + input % 2, p.target_x = p.x;
        aim_x = 64 + 64 * (input == 5 ? DOOR + 1 : DOOR) + 32, aim_y = 64 * ROW + 32 - scroll_y;
        mouse_b = input == 0 || input == 5 ? 1 : 2;
        key[KEY_SPACE] = input == 1, key[KEY_LCONTROL] = input == 2, key[KEY_RCONTROL] = input == 3;
        update_people();
        EXPECT_EQ(p.state, input < 4 ? PERSON_TO_ELEVATOR : PERSON_STANDING) << input;
    }
}

TEST_F(Journey, FromSlotToBeaconFrameByFrame) {
    const int from = 90, to = 88, door = 6, WALK[7] = {6, 5, 4, 6, 6, 4, 5};
    tile(door, from, BLK_DOOR_UP);
    tile(door, from + 1, BLK_DOOR_DOWN); // an up door never rides down
    tile(door, to, BLK_DOOR_DOWN);       // the nearest door above, whatever its direction
    tile(door + 1, to, BLK_BEACON);
    word(door, to) = FULL_SLOT_MASK;
    word(door + 1, to) = BEACON_SLOT_MASK;
    int i = stand(3, from, 0);
    person &p = people[i];
    call_elevator(64 + 64 * door, line(from));
    EXPECT_TRUE(p.target_x == 471 && p.target_y == line(from) && p.pose == POSE_WALK_RIGHT);
    EXPECT_TRUE(p.status == STATUS_IN_TRANSIT && word(3, from) == 0);
    // Steps at once (frame_delay 1), then every 4th frame; boards at 472, past the point.
    for (int step = 0, x = 256; step < 42; step++) {
        frames(step == 0 ? 1 : 4);
        ASSERT_EQ(p.x, x += WALK[step % 7]) << step;
        ASSERT_EQ(p.state, step < 41 ? PERSON_TO_ELEVATOR : PERSON_BOARDING);
    }
    EXPECT_EQ(frames(5000, i, PERSON_RIDING), 2); // lifted onto the floor line, then in
    EXPECT_TRUE(p.origin_y == line(from) && p.hidden == 1 && p.target_y == line(to));
    EXPECT_EQ(frames(5000, i, PERSON_STEPPING_OFF), 128); // two floors; beside the full door
    EXPECT_TRUE(p.hidden == 0 && p.status == STATUS_IN_SLOT && word(door + 1, to) == 0x1f9);
    frames(1); // 6 pixels a frame down to the slot's y, not jittered on a beacon
    EXPECT_EQ(p.y, line(to) + 6);
    frames(1);
    EXPECT_TRUE(p.y == 64 * to + 61 && p.pose == POSE_WALK_RIGHT);
    EXPECT_EQ(frames(5000, i, PERSON_STANDING), 32); // the countdown goes on where it stopped
    EXPECT_TRUE(p.x == p.target_x && pickup_count == 1 && pickup_queue[0] == i);
}

TEST_F(Journey, ArrivalSearchesRightThenLeftABlockClosesASideAndAFullFloorSendsBack) {
    // Riding down onto ROW, full but for one or two tiles: the column taken, or -1.
    auto arrive = [&](int free_a, int free_b = -1, int at = DOOR) {
        for (int c = 0; c < 14; c++) word(c, ROW) = c == free_a || c == free_b ? 0 : 0x1ff;
        int i = stand(at, ROW - 3, 0);
        people[i].x = 64 + 64 * at + 25, people[i].y = line(ROW) - 1;
        people[i].target_y = line(ROW), people[i].origin_y = line(ROW - 3);
        people[i].state = PERSON_RIDING;
        update_people();
        return people[i].state == PERSON_STEPPING_OFF ? column_of_x(people[i].target_x) : -1;
    };
    for (int c : {6, 7, 5, 8, 4, 9, 3, 10, 2, 11, 1, 12, 0, 13}) EXPECT_EQ(arrive(c), c);
    EXPECT_EQ(arrive(10, -1, 1), -1);                         // nine columns away
    for (int block : {BLK_FIRE, BLK_OPEN, BLK_OPEN_BEACON}) { // the last one is walkable
        tile(DOOR + 1, ROW, block);
        EXPECT_EQ(arrive(DOOR + 2, DOOR - 3), block == BLK_OPEN_BEACON ? DOOR + 2 : DOOR - 3);
    }
    tile(DOOR + 1, ROW, BLK_FIRE); // a second block on a closed side changes nothing
    tile(DOOR + 3, ROW, BLK_FIRE);
    EXPECT_EQ(arrive(DOOR - 4), DOOR - 4);
    tile(DOOR - 2, ROW, BLK_FIRE); // both sides closed: the search gives up
    EXPECT_EQ(arrive(DOOR - 4), -1);
    // A full floor: it rides back, unseen, and comes out on the floor it came from.
    person &p = people[people_count];
    EXPECT_EQ(arrive(-1), -1);
    EXPECT_TRUE(p.state == PERSON_RIDING && p.hidden == 1 && p.pose == POSE_STEP_OFF);
    for (int f = 0; f < 192; f++) update_people();
    EXPECT_TRUE(p.state == PERSON_STEPPING_OFF && p.y == line(ROW - 3) && p.origin_y == line(ROW));
}
