#include "shell/frame_pacer.h"

#include <gtest/gtest.h>

TEST(FramePacer, KeepsASixtyHertzScheduleWhenFramesAreShort) {
    frame_pacer pacer{};
    int64_t now = 5000;
    EXPECT_EQ(pacer_next_wake(&pacer, now), now); // the first frame is shown at once
    for (int i = 1; i <= 600; i++) {
        now += 3000000; // 3 ms of work per frame
        int64_t wake = pacer_next_wake(&pacer, now);
        ASSERT_EQ(wake, 5000 + i * FRAME_NS);
        now = wake;
    }
    // Ten seconds of frames take ten seconds, within a microsecond.
    EXPECT_NEAR((double)(now - 5000), 10e9, 1e3);
}

TEST(FramePacer, DoesNotBurstAfterAStall) {
    frame_pacer pacer{};
    int64_t now = 0;
    pacer_next_wake(&pacer, now);
    now += 500000000; // half a second stall (a dialog, say)
    EXPECT_EQ(pacer_next_wake(&pacer, now), now);
    // The next frames come one period apart again, not back to back.
    EXPECT_EQ(pacer_next_wake(&pacer, now), now + FRAME_NS);
    EXPECT_EQ(pacer_next_wake(&pacer, now + FRAME_NS), now + 2 * FRAME_NS);
}

TEST(FramePacer, SlightlyLateFramesKeepTheirSlot) {
    frame_pacer pacer{};
    pacer_next_wake(&pacer, 0);
    // Woken 2 ms late: the next wake is still on the grid.
    EXPECT_EQ(pacer_next_wake(&pacer, FRAME_NS / 2), FRAME_NS);
    EXPECT_EQ(pacer_next_wake(&pacer, FRAME_NS + 2000000), 2 * FRAME_NS);
}
