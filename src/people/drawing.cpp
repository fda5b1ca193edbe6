// The per-frame pass over the people: walk, draw in depth order, then behaviour
// and the rescue helicopter.
#include "people/people_internal.h"
#include "people/person_offsets.h"

namespace {

constexpr int DEPTH_ROWS = 3;
constexpr int DRAW_BAND_BOTTOM = SCREEN_HEIGHT + 64; // feet just below the screen still show
constexpr int STAND_SLOT = 0, FIRST_WALK_SLOT = 1, BOARD_SLOT = 8, STEP_OFF_SLOT = 9;

struct part_view {
    int slot;
    bool legs_flip, body_flip, face_flip;
};

part_view view_of(const person &p) {
    switch (p.pose) {
    case POSE_WALK_LEFT: return {FIRST_WALK_SLOT + p.frame, true, true, true};
    case POSE_WALK_RIGHT: return {FIRST_WALK_SLOT + p.frame, false, false, false};
    case POSE_BOARD: return {BOARD_SLOT, p.legs_flip != 0, p.body_flip != 0, p.face_flip != 0};
    case POSE_STEP_OFF:
        return {STEP_OFF_SLOT, p.legs_flip != 0, p.body_flip != 0, p.face_flip != 0};
    default: return {STAND_SLOT, p.legs_flip != 0, p.body_flip != 0, p.face_flip != 0};
    }
}

void draw_part(BITMAP *sprite, bool flip, int x, int y) {
    if (!sprite) return;
    if (flip)
        draw_sprite_h_flip(back_buffer, sprite, x, y);
    else
        draw_sprite(back_buffer, sprite, x, y);
}

void draw_person(const person &p, const part_view &v) {
    int s = v.slot, top = p.y - scroll_y;
    int lx = v.legs_flip ? leg_dx_flipped[p.legs][s] : leg_dx[p.legs][s];
    draw_part(leg_sprites[p.legs][s], v.legs_flip, p.x + lx, top + leg_dy[p.legs][s]);
    int bx = v.body_flip ? body_dx_flipped[p.body][s] : body_dx[p.body][s];
    draw_part(body_sprites[p.body][s], v.body_flip, p.x + bx, top + body_dy[p.body][s]);
    int fx = v.face_flip ? face_dx_flipped[p.face][s] : face_dx[p.face][s];
    draw_part(face_sprites[p.face][s], v.face_flip, p.x + fx, top + face_dy[p.face][s]);
}

} // namespace

void update_and_draw_people() {
    draw_ride_cars();
    // Back row first, so that the front rows cover the people behind them; within
    // a row the lower index is drawn last.
    for (int layer = DEPTH_ROWS - 1; layer >= 0; layer--) {
        for (int i = people_count - 1; i >= 0; i--) {
            person &p = people[i];
            if (p.slot_row != layer) continue;
            person_walk_step(p);
            int sy = p.y - scroll_y;
            if (p.hidden != 0 || sy < 0 || sy >= DRAW_BAND_BOTTOM || !back_buffer) continue;
            draw_person(p, view_of(p));
        }
    }
    update_people();
    update_rescue_heli();
}
