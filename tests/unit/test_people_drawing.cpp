// Drawing people into the back buffer: where each part goes, mirroring by pose,
// the visibility band, and depth order. Uses plain coloured parts of its own.
#include "people/person_offsets.h"
#include "support/people_world.h"

#include <cstring>

namespace {

constexpr int W_LEGS = 8, H_LEGS = 18, W_BODY = 12, H_BODY = 14, W_FACE = 8, H_FACE = 8;
constexpr int SCROLL = 1000;

struct Drawing : PeopleWorld {
    BITMAP *saved[3][SPRITE_SETS][SPRITE_SLOTS];
    BITMAP *own[64] = {};
    int own_count = 0;
    int fill[3][SPRITE_SETS], marker[3][SPRITE_SETS];

    void SetUp() override {
        PeopleWorld::SetUp();
        memcpy(saved[0], leg_sprites, sizeof leg_sprites);
        memcpy(saved[1], body_sprites, sizeof body_sprites);
        memcpy(saved[2], face_sprites, sizeof face_sprites);
        memset(leg_sprites, 0, sizeof leg_sprites);
        memset(body_sprites, 0, sizeof body_sprites);
        memset(face_sprites, 0, sizeof face_sprites);
        scroll_y = SCROLL;
        clear_bitmap(back_buffer);
    }
    void TearDown() override {
        memcpy(leg_sprites, saved[0], sizeof leg_sprites);
        memcpy(body_sprites, saved[1], sizeof body_sprites);
        memcpy(face_sprites, saved[2], sizeof face_sprites);
        for (int n = 0; n < own_count; n++) destroy_bitmap(own[n]);
        PeopleWorld::TearDown();
    }
    // A solid part whose left column is a marker colour, so mirroring shows.
    BITMAP *part(int w, int h, int colour, int mark) {
        BITMAP *bmp = create_bitmap(w, h);
        clear_to_color(bmp, colour);
        vline(bmp, 0, 0, h - 1, mark);
        own[own_count++] = bmp;
        return bmp;
    }
    // Gives set s of one part kind (0 legs, 1 body, 2 face) one bitmap in every slot.
    void install(int kind, int s) {
        static const int size[3][2] = {{W_LEGS, H_LEGS}, {W_BODY, H_BODY}, {W_FACE, H_FACE}};
        fill[kind][s] = makecol(60 + 60 * kind, 40 + 20 * s, 200 - 60 * kind);
        marker[kind][s] = makecol(255, 255, 20 * s);
        BITMAP *bmp = part(size[kind][0], size[kind][1], fill[kind][s], marker[kind][s]);
        BITMAP *(*table)[SPRITE_SLOTS] = kind == 0   ? leg_sprites
                                         : kind == 1 ? body_sprites
                                                     : face_sprites;
        for (int slot = 0; slot < SPRITE_SLOTS; slot++) table[s][slot] = bmp;
    }
    void install_all(int s) {
        for (int kind = 0; kind < 3; kind++) install(kind, s);
    }
    int person_at(int x, int y, int set, int slot_row) {
        int i = people_count++;
        people[i] = person{};
        people[i].face = people[i].body = people[i].legs = (uint8_t)set;
        people[i].x = x;
        people[i].y = y;
        people[i].slot_row = (uint8_t)slot_row;
        people[i].pose = POSE_STAND;
        people[i].frame_delay = 3; // no walk step in the next frame
        return i;
    }
    int px(int x, int y) { return getpixel(back_buffer, x, y); }
    // The part's rectangle starts at (x, y), its marker column on the left unless
    // mirrored, and nothing of it lies left of or above it.
    void expect_part(int kind, int s, int x, int y, int w, int h, bool mirrored) {
        int left = mirrored ? fill[kind][s] : marker[kind][s];
        int right = mirrored ? marker[kind][s] : fill[kind][s];
        EXPECT_EQ(px(x, y), left) << "kind " << kind << " at " << x << "," << y;
        EXPECT_EQ(px(x, y + h - 1), left);
        EXPECT_EQ(px(x + w - 1, y), right);
        EXPECT_EQ(px(x + w - 1, y + h - 1), right);
        EXPECT_EQ(px(x - 1, y), 0);
        EXPECT_EQ(px(x, y - 1), 0);
        EXPECT_EQ(px(x + w, y + h - 1), 0);
        EXPECT_EQ(px(x + w - 1, y + h), 0);
    }
    // Draws one frame with only one part kind installed for set s and checks it.
    void check_alone(int kind, int s, int i, int slot, bool mirrored) {
        memset(leg_sprites, 0, sizeof leg_sprites);
        memset(body_sprites, 0, sizeof body_sprites);
        memset(face_sprites, 0, sizeof face_sprites);
        install(kind, s);
        clear_bitmap(back_buffer);
        person before = people[i];
        update_and_draw_people();
        people[i] = before;
        const person &p = people[i];
        int sx = p.x, sy = p.y - SCROLL;
        if (kind == 0)
            expect_part(0, s, sx + (mirrored ? leg_dx_flipped : leg_dx)[s][slot],
                        sy + leg_dy[s][slot], W_LEGS, H_LEGS, mirrored);
        else if (kind == 1)
            expect_part(1, s, sx + (mirrored ? body_dx_flipped : body_dx)[s][slot],
                        sy + body_dy[s][slot], W_BODY, H_BODY, mirrored);
        else
            expect_part(2, s, sx + (mirrored ? face_dx_flipped : face_dx)[s][slot],
                        sy + face_dy[s][slot], W_FACE, H_FACE, mirrored);
    }
};

TEST_F(Drawing, StandingPartsSitAtTheirAnchorsMirroredByTheFlipFields) {
    for (int s : {0, 4, 7, 9}) {
        people_count = 0;
        int i = person_at(300, SCROLL + 500, s, 0);
        check_alone(0, s, i, 0, false);
        check_alone(1, s, i, 0, false);
        check_alone(2, s, i, 0, false);
        people[i].legs_flip = 1;
        check_alone(0, s, i, 0, true);
        check_alone(1, s, i, 0, false);
        people[i].body_flip = 1;
        people[i].legs_flip = 0;
        check_alone(1, s, i, 0, true);
        check_alone(2, s, i, 0, false);
        people[i].face_flip = 1;
        check_alone(2, s, i, 0, true);
    }
}

TEST_F(Drawing, WalkersFaceTheirWayWithTheFrameSlot) {
    for (int frame = 0; frame < 7; frame++) {
        people_count = 0;
        int i = person_at(500, SCROLL + 300, 2, 1);
        people[i].frame = (uint8_t)frame;
        people[i].legs_flip = people[i].body_flip = people[i].face_flip = 1; // ignored
        people[i].pose = POSE_WALK_RIGHT;
        for (int kind = 0; kind < 3; kind++) check_alone(kind, 2, i, 1 + frame, false);
        people[i].legs_flip = people[i].body_flip = people[i].face_flip = 0;
        people[i].pose = POSE_WALK_LEFT;
        for (int kind = 0; kind < 3; kind++) check_alone(kind, 2, i, 1 + frame, true);
    }
}

TEST_F(Drawing, BoardingAndSteppingOffUseTheirSlots) {
    int i = person_at(200, SCROLL + 400, 8, 2);
    people[i].frame = 3; // held at 0 in these poses
    people[i].pose = POSE_BOARD;
    people[i].body_flip = 1;
    check_alone(0, 8, i, 8, false);
    check_alone(1, 8, i, 8, true);
    check_alone(2, 8, i, 8, false);
    people[i].pose = POSE_STEP_OFF;
    check_alone(0, 8, i, 9, false);
    check_alone(1, 8, i, 9, true);
    check_alone(2, 8, i, 9, false);
    update_and_draw_people();
    EXPECT_EQ(people[i].frame, 0);
}

TEST_F(Drawing, TheWalkStepComesBeforeTheDrawing) {
    install_all(3);
    int i = person_at(400, SCROLL + 200, 3, 0);
    people[i].pose = POSE_WALK_RIGHT;
    people[i].frame_delay = 1;
    people[i].state = PERSON_TO_SLOT;
    people[i].target_x = 900;
    update_and_draw_people();
    EXPECT_EQ(people[i].x, 406);
    EXPECT_EQ(people[i].frame, 1);
    EXPECT_EQ(px(406 + leg_dx[3][2], 200 + leg_dy[3][2]), marker[0][3]);
}

TEST_F(Drawing, FacesCoverBodiesWhichCoverLegs) {
    // Overlapping parts: a tall body reaching into the legs, a face into the body.
    install_all(1);
    BITMAP *tall = part(W_BODY, 30, fill[1][1], marker[1][1]);
    for (int slot = 0; slot < SPRITE_SLOTS; slot++) body_sprites[1][slot] = tall;
    person_at(300, SCROLL + 500, 1, 0);
    update_and_draw_people();
    int lx = 300 + leg_dx[1][0], ly = 500 + leg_dy[1][0];
    EXPECT_EQ(px(lx + 2, ly + 1), fill[1][1]);                   // body over legs
    EXPECT_EQ(px(lx + 2, 500 + body_dy[1][0] + 30), fill[0][1]); // legs below it
    int fx = 300 + face_dx[1][0], fy = 500 + face_dy[1][0];
    EXPECT_EQ(px(fx + 3, fy + H_FACE - 1), fill[2][1]); // face over body
}

TEST_F(Drawing, FrontRowCoversBackRowAndLowerIndexIsInFront) {
    install_all(1);
    install_all(2);
    for (int order = 0; order < 2; order++) {
        people_count = 0;
        clear_bitmap(back_buffer);
        // The same feet point; only the depth row differs: set 1 in front, set 2 behind.
        if (order == 0) {
            person_at(300, SCROLL + 500, 1, 0);
            person_at(300, SCROLL + 500, 2, 2);
        } else {
            person_at(300, SCROLL + 500, 2, 2);
            person_at(300, SCROLL + 500, 1, 0);
        }
        update_and_draw_people();
        int lx = 300 + leg_dx[1][0], ly = 500 + leg_dy[1][0];
        EXPECT_EQ(px(lx + 3, ly + 5), fill[0][1]) << order;
    }
    // Within one depth row the lower index is drawn last.
    people_count = 0;
    clear_bitmap(back_buffer);
    person_at(300, SCROLL + 500, 2, 1);
    person_at(300, SCROLL + 500, 1, 1);
    update_and_draw_people();
    EXPECT_EQ(px(300 + leg_dx[2][0] + 3, 500 + leg_dy[2][0] + 5), fill[0][2]);
}

TEST_F(Drawing, HiddenPeopleAndThoseOutsideTheBandAreNotDrawn) {
    install_all(5);
    BITMAP *tall_buffer = create_bitmap(SCREEN_WIDTH, 900);
    BITMAP *real = back_buffer;
    back_buffer = tall_buffer;
    clear_bitmap(back_buffer);
    int hidden = person_at(100, SCROLL + 300, 5, 0);
    people[hidden].hidden = 1;
    int vacant = person_at(200, SCROLL + 300, 5, 0);
    people[vacant].hidden = 0xff;
    person_at(300, SCROLL + 831, 5, 0);
    person_at(400, SCROLL + 832, 5, 0);
    person_at(500, SCROLL + 0, 5, 0);
    update_and_draw_people();
    EXPECT_EQ(px(100 + leg_dx[5][0], 300 + leg_dy[5][0]), 0);
    EXPECT_EQ(px(200 + leg_dx[5][0], 300 + leg_dy[5][0]), 0);
    EXPECT_EQ(px(300 + leg_dx[5][0], 831 + leg_dy[5][0]), marker[0][5]);
    EXPECT_EQ(px(400 + leg_dx[5][0], 832 + leg_dy[5][0]), 0);
    back_buffer = real;
    destroy_bitmap(tall_buffer);
    // Feet 10 pixels below the screen's bottom edge: the upper body shows.
    clear_bitmap(back_buffer);
    people_count = 0;
    person_at(300, SCROLL + 778, 5, 0);
    update_and_draw_people();
    EXPECT_EQ(px(300 + body_dx[5][0], 778 + body_dy[5][0]), marker[1][5]);
}

} // namespace
