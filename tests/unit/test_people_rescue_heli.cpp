// The rescue helicopter: its target and steps, the pickup, and the way back.
#include "support/people_world.h"

struct RescueHeli : PeopleWorld {
    int waiter(int x, int y) {
        tile(column_of_x(x), y / 64, BLK_BEACON);
        int i = stand(column_of_x(x), y / 64, 0);
        people[i].x = x, people[i].y = y;
        return pickup_queue[pickup_count++] = i;
    }
};

// The smallest x first, the earliest queued on a tie: b, 2025 pixels below, is reached
// in hundredths of the way (20 at first, fewer as it closes in, the last 99 at one).
TEST_F(RescueHeli, TakesTheSmallestXEarliestQueuedFirstSwapsInTheLastEntryAndGoesHome) {
    int a = waiter(300, 4000), b = waiter(150, 4100), c = waiter(150, 4000), d = waiter(400, 4000);
    rescue_heli_x = 200, rescue_heli_y = 4100 - 25 - 2025;
    int last = 20, ones = 0;
    for (int n = 0; n < 3000 && rescued_count == 0; n++) {
        int y = rescue_heli_y, left = 4100 - 25 - y;
        update_rescue_heli();
        EXPECT_TRUE(n > 0 || (rescue_heli_x == 199 && rescue_heli_y == y + 20));
        ASSERT_LE(rescue_heli_y - y, last);
        last = rescue_heli_y - y, ones += left < 100 && last == 1;
    }
    EXPECT_TRUE(last == 0 && ones == 99 && rescue_heli_x == 150); // picked up without a move
    EXPECT_TRUE(people[b].hidden == 1 && people[b].status == STATUS_RESCUED && score == 100);
    EXPECT_TRUE(pickup_count == 3 && pickup_queue[0] == a && pickup_queue[1] == d); // c last
    int e = waiter(100, 4000), rescued = 1; // the target is chosen anew every frame
    for (int want : {e, c, a, d}) {
        for (int n = 0; n < 20000 && people[want].status != STATUS_RESCUED; n++)
            update_rescue_heli();
        EXPECT_EQ(rescued_count, ++rescued) << want;
    }
    // Nobody waits: home to park, at most 10 a frame from left and above, no least step.
    const int home[][4] = {
        {-5000, 0, -4990, 10}, {2000, 9900, 1978, 9850}, {-150, 4900, -150, 4900}};
    for (auto &h : home) {
        rescue_heli_x = h[0], rescue_heli_y = h[1];
        update_rescue_heli();
        EXPECT_TRUE(rescue_heli_x == h[2] && rescue_heli_y == h[3]) << h[0];
    }
}
