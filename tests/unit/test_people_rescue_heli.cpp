// The rescue helicopter: its target, its steps, the pickup and the way back.
#include "support/people_world.h"

#include <vector>

namespace {

struct RescueHeli : PeopleWorld {
    int waiter(int x, int y) {
        tile(column_of_x(x), y / 64, BLK_BEACON);
        int i = stand(column_of_x(x), y / 64, 0);
        people[i].x = x;
        people[i].y = y;
        pickup_queue[pickup_count++] = i;
        return i;
    }
    int next_pickup() {
        for (int before = rescued_count, n = 0; n < 20000; n++) {
            int target = pickup_count ? pickup_queue[0] : -1;
            for (int e = 1; e < pickup_count; e++)
                if (people[pickup_queue[e]].x < people[target].x) target = pickup_queue[e];
            update_rescue_heli();
            if (rescued_count != before) return target;
        }
        return -1;
    }
};

TEST_F(RescueHeli, FliesToTheSmallestXEarliestQueuedFirst) {
    int a = waiter(300, 64 * 70 + 61), b = waiter(150, 64 * 72 + 61), c = waiter(150, 4000);
    EXPECT_EQ(next_pickup(), b);
    EXPECT_EQ(people[b].hidden, 1);
    EXPECT_EQ(next_pickup(), c);
    EXPECT_EQ(next_pickup(), a);
    EXPECT_EQ(rescued_count, 3);
    EXPECT_EQ(score, 300);
}

TEST_F(RescueHeli, StepsAHundredthOfTheWayAtLeastOnePixelAndArrivesExactly) {
    rescue_heli_x = 400;
    rescue_heli_y = 1000;
    int i = waiter(350, 1000 + 25 + 2025);
    update_rescue_heli();
    EXPECT_EQ(rescue_heli_x, 399);
    EXPECT_EQ(rescue_heli_y, 1020);
    std::vector<int> dy;
    for (int prev = rescue_heli_y; rescued_count == 0; prev = rescue_heli_y) {
        update_rescue_heli();
        dy.push_back(rescue_heli_y - prev);
    }
    for (size_t n = 1; n < dy.size(); n++) ASSERT_LE(dy[n], dy[n - 1]);
    ASSERT_GE(dy.size(), 100u);
    EXPECT_EQ(dy.back(), 0); // the pickup frame does not move
    for (size_t n = dy.size() - 100; n + 1 < dy.size(); n++) EXPECT_EQ(dy[n], 1);
    EXPECT_EQ(rescue_heli_y + 25, people[i].y);
}

TEST_F(RescueHeli, PickupRescuesAndMovesTheLastEntryIntoItsPlace) {
    int a = waiter(200, 1981), b = waiter(400, 1981), c = waiter(600, 1981);
    word(column_of_x(200), 30) |= 0x2;
    rescue_heli_x = 200;
    rescue_heli_y = 1981 - 25;
    score = 1000;
    update_rescue_heli();
    EXPECT_EQ(people[a].hidden, 1);
    EXPECT_EQ(people[a].status, STATUS_RESCUED);
    EXPECT_EQ(word(column_of_x(200), 30), 0x2u);
    EXPECT_EQ(rescued_count, 1);
    EXPECT_EQ(score, 1100);
    ASSERT_EQ(pickup_count, 2);
    EXPECT_EQ(pickup_queue[0], c);
    EXPECT_EQ(pickup_queue[1], b);
    // The target is chosen anew each frame.
    waiter(100, 1981);
    update_rescue_heli();
    EXPECT_EQ(rescue_heli_x, 199);
}

TEST_F(RescueHeli, NobodyWaitingFliesBackToPark) {
    const int moves[][4] = {{-500, 4000, 3, 8},
                            {-5000, 0, 10, 10},
                            {2000, 9000, -22, -41},
                            {-150, 4900, 0, 0},
                            {-99, 4951, -1, -1}};
    for (const auto &m : moves) {
        rescue_heli_x = m[0];
        rescue_heli_y = m[1];
        update_rescue_heli();
        EXPECT_EQ(rescue_heli_x - m[0], m[2]);
        EXPECT_EQ(rescue_heli_y - m[1], m[3]);
    }
}

TEST_F(RescueHeli, PicksUpAWaiterCalledAwayWhileItWalks) {
    tile(2, 40, BLK_DOOR_UP);
    tile(2, 39, BLK_DOOR_UP);
    int i = waiter(645, 64 * 40 + 61);
    rescue_heli_x = 636; // meets it after its first step towards the door
    rescue_heli_y = 64 * 40 + 61 - 25;
    call_elevator(64 + 128, line(40));
    frames(4);
    ASSERT_EQ(rescued_count, 1);
    EXPECT_EQ(people[i].pose, POSE_WALK_LEFT); // unseen, still walking
    int x = people[i].x;
    frames(8);
    EXPECT_LT(people[i].x, x);
}

} // namespace
