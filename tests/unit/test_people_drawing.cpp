// Drawing people with parts of the test's own: anchors, mirroring and depth order.
#include "support/people_world.h"

constexpr int SCROLL = 1000, SETS[3] = {1, 4, 8}; // of legs, body and face

// Parts of 4 x 3 pixels, one per kind and slot, marked on the left, for SETS only; a
// back buffer with room to see below the screen.
struct Drawing : PeopleWorld {
    BITMAP *screen_buffer = back_buffer;
    static int fill(int k, int slot) { return makecol(40 + 80 * k, 20 * slot, 200); }
    static int mark(int k, int slot) { return makecol(250, 20 * slot, 60 * k); }
    void SetUp() override {
        PeopleWorld::SetUp();
        free_person_sprites();
        scroll_y = SCROLL;
        clear_bitmap(back_buffer = create_bitmap(SCREEN_WIDTH, 900));
        for (int n = 0; n < 30; n++) {
            BITMAP *&bmp = PART_SPRITES[n / 10][SETS[n / 10]][n % 10] = create_bitmap(4, 3);
            clear_to_color(bmp, fill(n / 10, n % 10));
            vline(bmp, 0, 0, 2, mark(n / 10, n % 10));
        }
    }
    void TearDown() override {
        free_person_sprites(), destroy_bitmap(back_buffer), back_buffer = screen_buffer;
        PeopleWorld::TearDown();
    }
    person &person_at(int x, int sy, int row) {
        person &p = people[people_count++] = person{};
        p.legs = SETS[0], p.body = SETS[1], p.face = SETS[2], p.slot_row = (uint8_t)row;
        p.x = x, p.y = SCROLL + sy, p.pose = POSE_STAND;
        return p;
    }
    int px(int x, int y) { return getpixel(back_buffer, x, y); }
};

// On the last row of the band; the hidden, and those below the band, are not drawn.
TEST_F(Drawing, PartsSitAtTheirAnchorsMirroredByPoseAndTheFrontRowCoversTheBack) {
    person &p = person_at(300, 831, 0);
    person_at(100, 831, 0).hidden = 1;
    person_at(200, 832, 0);
    p.legs_flip = p.face_flip = 1; // not walking: each part by its own flip field
    for (int pose = POSE_STAND; pose <= POSE_STEP_OFF; pose++)
        for (int frame = 0; frame < 7; frame++) {
            p.pose = (uint8_t)pose, p.frame = (uint8_t)frame, p.frame_delay = 1;
            clear_bitmap(back_buffer);
            update_and_draw_people();
            bool walk = pose == POSE_WALK_LEFT || pose == POSE_WALK_RIGHT;
            int slot = walk ? 1 + p.frame : pose == POSE_BOARD ? 8 : pose == POSE_STEP_OFF ? 9 : 0;
            EXPECT_TRUE(walk || pose == POSE_STAND || p.frame == 0); // held while boarding
            for (int k = 0; k < 3; k++) {
                bool m = walk ? pose == POSE_WALK_LEFT : k != 1;
                int x = p.x + PART_DX[m][k][SETS[k]][slot], y = 831 + PART_DY[k][SETS[k]][slot];
                EXPECT_EQ(px(x, y), m ? fill(k, slot) : mark(k, slot)) << pose << frame << k;
                EXPECT_EQ(px(x + 3, y + 2), m ? mark(k, slot) : fill(k, slot)) << pose << frame;
            }
        }
    EXPECT_EQ(px(103, 813) | px(203, 814), 0);
    // Two people on one spot, with big parts told apart by pose: the front row covers
    // the back row, the lower index is in front, and the face covers body and legs.
    for (int n = 0; n < 6; n++) {
        BITMAP *&bmp = PART_SPRITES[n / 2][SETS[n / 2]][n % 2 * 9];
        destroy_bitmap(bmp);
        clear_to_color(bmp = create_bitmap(30, 60), fill(n / 2, n % 2 * 9));
    }
    const int rows[3][2] = {{0, 2}, {2, 0}, {1, 1}};
    for (auto &r : rows) {
        people_count = 0;
        person_at(300, 500, r[0]);
        person_at(300, 500, r[1]).pose = POSE_STEP_OFF;
        update_and_draw_people();
        int front = r[0] <= r[1] ? 0 : 9;
        EXPECT_TRUE(px(303, 490) == fill(1, front) && px(310, 490) == fill(2, front)) << r[0];
    }
}
