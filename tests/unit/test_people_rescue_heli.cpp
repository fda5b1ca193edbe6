// The rescue helicopter: which waiting person it flies to, how it steps, the
// pickup and its accounting, and the way back to the parking point.
#include "support/people_world.h"

#include <vector>

namespace {

struct RescueHeli : PeopleWorld {
    // A person waiting on a beacon tile at feet (x, y), queued.
    int waiter(int x, int y) {
        int c = column_of_x(x), r = y / 64;
        tile(c, r, BLK_BEACON);
        int i = stand(c, r, 0);
        people[i].x = x;
        people[i].y = y;
        pickup_queue[pickup_count++] = i;
        return i;
    }
    // Steps the helicopter until somebody is picked up; who, or -1.
    int fly_to_next_pickup(int limit = 20000) {
        int before = rescued_count;
        for (int n = 0; n < limit; n++) {
            update_rescue_heli();
            if (rescued_count != before)
                for (int i = 0; i < people_count; i++)
                    if (people[i].status == STATUS_RESCUED && !picked[i]) {
                        picked[i] = true;
                        return i;
                    }
        }
        return -1;
    }
    bool picked[MAX_PEOPLE] = {};
};

TEST_F(RescueHeli, FliesToTheSmallestXEarliestQueuedFirst) {
    int a = waiter(300, 64 * 70 + 61);
    int b = waiter(150, 64 * 72 + 61);
    int c = waiter(150, 64 * 71 + 61);
    EXPECT_EQ(fly_to_next_pickup(), b);
    EXPECT_EQ(fly_to_next_pickup(), c);
    EXPECT_EQ(fly_to_next_pickup(), a);
    EXPECT_EQ(rescued_count, 3);
    EXPECT_EQ(score, 300);
    EXPECT_EQ(pickup_count, 0);
}

TEST_F(RescueHeli, StepsAHundredthOfTheWayAtLeastOnePixel) {
    rescue_heli_x = 400;
    rescue_heli_y = 1000;
    int i = waiter(350, 1000 + 25 + 2025);
    update_rescue_heli();
    EXPECT_EQ(rescue_heli_y, 1020); // 2025 / 100
    EXPECT_EQ(rescue_heli_x, 399);  // -50 / 100 is 0: one pixel towards it
    std::vector<int> dy;
    int prev = rescue_heli_y;
    while (rescued_count == 0) {
        update_rescue_heli();
        dy.push_back(rescue_heli_y - prev);
        prev = rescue_heli_y;
    }
    for (size_t n = 1; n < dy.size(); n++) ASSERT_LE(dy[n], dy[n - 1]);
    // The last 99 pixels at one pixel a frame; the pickup frame does not move.
    ASSERT_GE(dy.size(), 100u);
    EXPECT_EQ(dy.back(), 0);
    for (size_t n = dy.size() - 100; n < dy.size() - 1; n++) EXPECT_EQ(dy[n], 1);
    EXPECT_EQ(rescue_heli_x, people[i].x);
    EXPECT_EQ(rescue_heli_y + 25, people[i].y);
}

TEST_F(RescueHeli, PickupRescuesAndReordersTheQueue) {
    int a = waiter(200, 64 * 30 + 61);
    int b = waiter(400, 64 * 30 + 61);
    int c = waiter(600, 64 * 30 + 61);
    unsigned before_a = word(column_of_x(200), 30);
    rescue_heli_x = 200;
    rescue_heli_y = 64 * 30 + 61 - 25;
    score = 1000;
    update_rescue_heli();
    const person &p = people[a];
    EXPECT_EQ(p.hidden, 1);
    EXPECT_EQ(p.state, PERSON_STANDING);
    EXPECT_EQ(p.status, STATUS_RESCUED);
    EXPECT_EQ(word(column_of_x(200), 30), before_a & ~1u);
    EXPECT_EQ(rescued_count, 1);
    EXPECT_EQ(score, 1100);
    // The last entry moved into the picked one's place.
    ASSERT_EQ(pickup_count, 2);
    EXPECT_EQ(pickup_queue[0], c);
    EXPECT_EQ(pickup_queue[1], b);
    EXPECT_EQ(rescue_heli_x, 200);
}

TEST_F(RescueHeli, ANewlyQueuedSmallerXTakesOverAtOnce) {
    waiter(800, 64 * 50 + 61);
    rescue_heli_x = 500;
    rescue_heli_y = 64 * 50;
    update_rescue_heli();
    EXPECT_EQ(rescue_heli_x, 503);
    waiter(100, 64 * 50 + 61);
    update_rescue_heli();
    EXPECT_EQ(rescue_heli_x, 499);
}

TEST_F(RescueHeli, NobodyWaitingFliesBackToPark) {
    struct move {
        int x, y, dx, dy;
    };
    // From the left or above at most 10 a frame; from the other sides no limit.
    const move moves[] = {{-500, 4000, 3, 8}, {-5000, 0, 10, 10}, {2000, 9000, -22, -41},
                          {-150, 4900, 0, 0}, {-299, 4751, 0, 0}, {-99, 4951, -1, -1}};
    for (const move &m : moves) {
        rescue_heli_x = m.x;
        rescue_heli_y = m.y;
        update_rescue_heli();
        EXPECT_EQ(rescue_heli_x - m.x, m.dx) << m.x;
        EXPECT_EQ(rescue_heli_y - m.y, m.dy) << m.y;
    }
    rescue_heli_x = 1000;
    rescue_heli_y = 0;
    for (int n = 0; n < 3000; n++) update_rescue_heli();
    EXPECT_LE(rescue_heli_x - RESCUE_HELI_PARK_X, 99);
    EXPECT_GE(rescue_heli_x - RESCUE_HELI_PARK_X, 0);
    EXPECT_LE(RESCUE_HELI_PARK_Y - rescue_heli_y, 99);
    EXPECT_GE(RESCUE_HELI_PARK_Y - rescue_heli_y, 0);
}

TEST_F(RescueHeli, FollowsAWaiterCalledAwayAndPicksItUpWalking) {
    const int row = 40;
    tile(2, row, BLK_DOOR_UP);
    tile(2, row - 1, BLK_DOOR_UP);
    int i = waiter(64 + 64 * 9 + 5, 64 * row + 61);
    rescue_heli_x = 64 + 64 * 9 + 5 - 9; // meets it after its first step to the door
    rescue_heli_y = 64 * row + 61 - 25;
    call_elevator(64 + 128, 64 * row + 54);
    int n = 0;
    while (rescued_count == 0 && n < 500) {
        update_and_draw_people();
        n++;
    }
    ASSERT_EQ(rescued_count, 1);
    EXPECT_EQ(n, 4);
    person &p = people[i];
    EXPECT_EQ(p.hidden, 1);
    EXPECT_EQ(p.state, PERSON_STANDING);
    // It keeps its walking pose, unseen, and the walk step goes on moving it.
    EXPECT_EQ(p.pose, POSE_WALK_LEFT);
    int x = p.x;
    frames(8);
    EXPECT_LT(p.x, x);
    // It was in transit: nobody's slot is freed.
    EXPECT_EQ(word(9, row), 0u);
}

} // namespace
