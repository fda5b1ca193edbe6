// Drawing people into the back buffer with plain coloured parts of the test's own:
// anchors and mirroring by pose, the visibility band, and depth order.
#include "people/person_offsets.h"
#include "support/people_world.h"

#include <cstring>

namespace {

constexpr int SIZE[3][2] = {{8, 18}, {12, 14}, {8, 8}}; // legs, body, face
constexpr int SCROLL = 1000;

struct Drawing : PeopleWorld {
    BITMAP *saved[3][SPRITE_SETS][SPRITE_SLOTS], *own[3][SPRITE_SETS] = {};
    BITMAP *(*tables[3])[SPRITE_SLOTS] = {leg_sprites, body_sprites, face_sprites};
    const int (*dx[3])[SPRITE_SLOTS] = {leg_dx, body_dx, face_dx};
    const int (*dx_flipped[3])[SPRITE_SLOTS] = {leg_dx_flipped, body_dx_flipped, face_dx_flipped};
    const int (*dy[3])[SPRITE_SLOTS] = {leg_dy, body_dy, face_dy};

    void SetUp() override {
        PeopleWorld::SetUp();
        for (int kind = 0; kind < 3; kind++) {
            memcpy(saved[kind], tables[kind], sizeof saved[kind]);
            memset(tables[kind], 0, sizeof saved[kind]);
        }
        scroll_y = SCROLL;
    }
    void TearDown() override {
        for (int kind = 0; kind < 3; kind++) {
            memcpy(tables[kind], saved[kind], sizeof saved[kind]);
            for (BITMAP *bmp : own[kind])
                if (bmp) destroy_bitmap(bmp);
        }
        PeopleWorld::TearDown();
    }
    int fill(int kind, int s) { return makecol(60 + 60 * kind, 40 + 20 * s, 100); }
    int marker(int kind, int s) { return makecol(255, 255 - 60 * kind, 20 * s); }
    // One part kind of set s, solid with a marker column on its left, in every slot.
    void install(int kind, int s) {
        BITMAP *&bmp = own[kind][s];
        if (!bmp) {
            bmp = create_bitmap(SIZE[kind][0], SIZE[kind][1]);
            clear_to_color(bmp, fill(kind, s));
            vline(bmp, 0, 0, SIZE[kind][1] - 1, marker(kind, s));
        }
        for (int slot = 0; slot < SPRITE_SLOTS; slot++) tables[kind][s][slot] = bmp;
    }
    int person_at(int x, int sy, int s, int row, int pose = POSE_STAND) {
        person &p = people[people_count] = person{};
        p.face = p.body = p.legs = (uint8_t)s;
        p.x = x;
        p.y = SCROLL + sy;
        p.slot_row = (uint8_t)row;
        p.pose = (uint8_t)pose;
        p.frame_delay = 3; // no walk step in the next frame
        return people_count++;
    }
    int px(int x, int y) { return getpixel(back_buffer, x, y); }
    // Draws person i with only one part kind installed; checks its rectangle.
    void check_part(int kind, int i, int slot, bool mirrored) {
        const person &p = people[i];
        int s = kind == 0 ? p.legs : kind == 1 ? p.body : p.face;
        for (int k = 0; k < 3; k++) memset(tables[k], 0, sizeof saved[k]);
        install(kind, s);
        clear_bitmap(back_buffer);
        person before = p;
        update_and_draw_people();
        people[i] = before;
        int x = p.x + (mirrored ? dx_flipped : dx)[kind][s][slot];
        int y = p.y - SCROLL + dy[kind][s][slot], w = SIZE[kind][0], h = SIZE[kind][1];
        int left = mirrored ? fill(kind, s) : marker(kind, s);
        int right = mirrored ? marker(kind, s) : fill(kind, s);
        EXPECT_EQ(px(x, y), left) << "part " << kind << " slot " << slot;
        EXPECT_EQ(px(x + w - 1, y + h - 1), right) << "part " << kind << " slot " << slot;
        EXPECT_EQ(px(x - 1, y) | px(x, y - 1) | px(x + w, y) | px(x, y + h), 0);
    }
};

TEST_F(Drawing, PartsSitAtTheirAnchorsMirroredByPose) {
    for (int s : {0, 2, 4, 7, 8, 9}) {
        people_count = 0;
        int i = person_at(300, 500, s, 0);
        people[i].body_flip = 1; // standing: each part by its own flip field
        for (int kind = 0; kind < 3; kind++) check_part(kind, i, 0, kind == 1);
        for (int frame = 0; frame < 7; frame++) {
            people[i].frame = (uint8_t)frame;
            people[i].pose = POSE_WALK_RIGHT; // walking: all three by the direction
            for (int kind = 0; kind < 3; kind++) check_part(kind, i, 1 + frame, false);
            people[i].pose = POSE_WALK_LEFT;
            for (int kind = 0; kind < 3; kind++) check_part(kind, i, 1 + frame, true);
        }
        people[i].face_flip = 1;
        people[i].pose = POSE_BOARD;
        for (int kind = 0; kind < 3; kind++) check_part(kind, i, 8, kind > 0);
        people[i].pose = POSE_STEP_OFF;
        for (int kind = 0; kind < 3; kind++) check_part(kind, i, 9, kind > 0);
    }
}

TEST_F(Drawing, FrontRowCoversBackRowAndLowerIndexIsInFront) {
    for (int kind = 0; kind < 3; kind++) install(kind, 1), install(kind, 2);
    int lx = 303, ly = 500 - 18; // legs of set 1 and 2 standing at x 300
    for (int order = 0; order < 3; order++) {
        people_count = 0;
        clear_bitmap(back_buffer);
        if (order == 0) person_at(300, 500, 1, 0), person_at(300, 500, 2, 2);
        if (order == 1) person_at(300, 500, 2, 2), person_at(300, 500, 1, 0);
        if (order == 2) person_at(300, 500, 2, 1), person_at(300, 500, 1, 1);
        update_and_draw_people();
        EXPECT_EQ(px(lx + 3, ly + 5), fill(0, order == 2 ? 2 : 1)) << order;
    }
    // Within a person the face covers the body, which covers the legs.
    people_count = 0;
    person_at(300, 500, 1, 0);
    people[0].face = 2;
    destroy_bitmap(own[1][1]);
    own[1][1] = create_bitmap(12, 40); // a body reaching down over the legs
    clear_to_color(own[1][1], fill(1, 1));
    for (int slot = 0; slot < SPRITE_SLOTS; slot++) body_sprites[1][slot] = own[1][1];
    update_and_draw_people();
    EXPECT_EQ(px(lx + 3, ly + 5), fill(1, 1));
    EXPECT_EQ(px(300 + face_dx[2][0] + 3, 500 + face_dy[2][0] + 3), fill(2, 2));
}

TEST_F(Drawing, OnlyVisiblePeopleInsideTheBandAreDrawn) {
    for (int kind = 0; kind < 3; kind++) install(kind, 5);
    BITMAP *real = back_buffer;
    back_buffer = create_bitmap(SCREEN_WIDTH, 900); // room to see below the screen
    clear_bitmap(back_buffer);
    people[person_at(100, 300, 5, 0)].hidden = 1;
    people[person_at(200, 300, 5, 0)].hidden = 0xff;
    person_at(300, 831, 5, 0);
    person_at(400, 832, 5, 0);
    update_and_draw_people();
    EXPECT_EQ(px(103, 300 - 18) | px(203, 300 - 18) | px(403, 832 - 18), 0);
    EXPECT_EQ(px(303, 831 - 18), marker(0, 5));
    destroy_bitmap(back_buffer);
    back_buffer = real;
    // A walker is stepped before it is drawn.
    people_count = 0;
    clear_bitmap(back_buffer);
    int i = person_at(400, 200, 5, 0, POSE_WALK_RIGHT);
    people[i].frame_delay = 1;
    update_and_draw_people();
    EXPECT_EQ(people[i].x, 406);
    EXPECT_EQ(px(406 + leg_dx[5][2], 200 - 18), marker(0, 5));
}

} // namespace
