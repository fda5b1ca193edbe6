// Block animation: every type's frame sequence, delays, reset, and cells in step.
#include "support/test_map.h"
#include "test_map_util.h"

using AnimTest = MapTest;

// Frame list entry i is block i, so the block shown is the frame index.
static void animate(std::vector<map_anim> anims) {
    test_map_create(2, 1, std::vector<test_block>(10));
    test_map_set_anims({0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, anims);
}

static map_anim anim(int type, int start, int end, int delay = 0) {
    map_anim a{};
    a.type = (int8_t)type;
    a.delay = (int8_t)delay;
    a.start = start;
    a.end = end;
    return a;
}

// The frames shown by the last record: after the reset, then after each tick.
static std::vector<int> frames(int ticks) {
    std::vector<int> shown = {anim_table_end[-1].current};
    for (int i = 0; i < ticks; i++) {
        map_update_animations();
        shown.push_back(anim_table_end[-1].current);
    }
    return shown;
}

using seq = std::vector<int>;

TEST_F(AnimTest, EveryTypeStepsItsFrames) {
    struct {
        int type, start, end;
        seq expected;
    } cases[] = {
        {ANIM_LOOP_FORWARD, 4, 7, {4, 5, 6, 4, 5, 6, 4}},
        {ANIM_LOOP_BACKWARD, 4, 7, {6, 5, 4, 6, 5, 4, 6}},
        {ANIM_ONCE, 0, 3, {0, 1, 2, 0, 0, 0, 0}},
        {ANIM_ONCE_HOLD, 1, 4, {1, 2, 3, 3, 3, 3, 3}},
        {ANIM_PINGPONG_UP, 0, 3, {0, 1, 2, 1, 0, 1, 2}},
        {ANIM_PINGPONG_DOWN, 0, 3, {2, 1, 0, 1, 2, 1, 0}},
        {ANIM_PINGPONG_UP_RETURN, 5, 7, {5, 6, 5, 6, 5, 6, 5}},
        {ANIM_PINGPONG_DOWN_RETURN, 5, 7, {6, 5, 6, 5, 6, 5, 6}},
        {ANIM_PINGPONG_UP, 3, 4, {3, 3, 3, 3, 3, 3, 3}},
        {ANIM_PINGPONG_DOWN, 3, 4, {3, 3, 3, 3, 3, 3, 3}},
        {ANIM_LOOP_BACKWARD, 2, 2, {2, 2, 2, 2, 2, 2, 2}},
        {ANIM_NONE, 2, 5, {2, 2, 2, 2, 2, 2, 2}},
        {ANIM_ONCE_DONE, 2, 5, {2, 3, 4, 2, 2, 2, 2}}, // reset arms it again
        {12, 2, 5, {2, 2, 2, 2, 2, 2, 2}},
    };
    for (auto &c : cases) {
        animate({anim(c.type, c.start, c.end)});
        EXPECT_EQ(frames(6), c.expected) << "type " << c.type;
    }
}

TEST_F(AnimTest, DelaysCountTicks) {
    animate({anim(ANIM_LOOP_FORWARD, 0, 3, 3)});
    EXPECT_EQ(frames(9), (seq{0, 0, 0, 0, 1, 1, 1, 1, 2, 2}));
    for (int delay : {-1, -128}) {
        animate({anim(ANIM_LOOP_FORWARD, 0, 3, delay)});
        EXPECT_EQ(frames(3), (seq{0, 1, 2, 0})) << delay;
    }
    // A stopped record does not count; a finished one does.
    animate({anim(ANIM_NONE, 0, 3, 5), anim(ANIM_ONCE, 0, 1, 5)});
    for (int i = 0; i < 8; i++) map_update_animations();
    EXPECT_EQ(anim_table[1].counter, 5);
    EXPECT_EQ(anim_table[2].type, ANIM_ONCE_DONE);
    EXPECT_EQ(anim_table[2].counter, 3);
}

TEST_F(AnimTest, CellsOfOneRecordShowTheSameBlock) {
    animate({anim(ANIM_LOOP_FORWARD, 1, 4), anim(ANIM_LOOP_BACKWARD, 1, 4)});
    map_set_cell(0, 0, -2);
    map_set_cell(1, 0, -2);
    for (int i = 0; i < 5; i++) {
        EXPECT_EQ(map_get_block(0, 0), map_get_block(1, 0));
        EXPECT_EQ(map_get_block(0, 0), &map_blocks[1 + i % 3]);
        EXPECT_EQ(map_get_cell(0, 0), -2);
        map_update_animations();
    }
}

TEST_F(AnimTest, LoadResetsRecordsAndNothingRunsWithoutATable) {
    map_reset_animations();
    map_update_animations();
    fmp::Map m = small_map(2, 1, 3, 4);
    m.anim_frames = {3, 2, 1};
    m.anims = {{ANIM_PINGPONG_DOWN_RETURN, 4, 99, 0, 1, 0, 3}};
    ASSERT_EQ(load_map(m), 0);
    EXPECT_EQ(anim_table_end[-1].type, ANIM_PINGPONG_DOWN);
    EXPECT_EQ(anim_table_end[-1].current, 2);
    EXPECT_EQ(anim_table_end[-1].counter, 4);
}
