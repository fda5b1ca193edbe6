#include "assetgen/people_draw.h"
#include "assetgen/people_gait.h"

#include <cmath>

static bool boxy(const body_look &b) {
    return b.style == BODY_OPEN_JACKET || b.style == BODY_CARDIGAN || b.style == BODY_SUIT ||
           b.style == BODY_LEATHER;
}

static void hand(people_canvas &c, int x, int y, int percent) {
    canvas_rect(c, x, y, x + 1, y + 1, shade(HAND_SKIN, percent));
    canvas_put(c, x + 1, y + 1, shade(HAND_SKIN, percent - 14));
}

// ---- front view ---------------------------------------------------------------------

static void front_details(people_canvas &c, const body_look &b, int t) {
    rgb cloth = b.cloth;
    switch (b.style) {
    case BODY_SHIRT:
        canvas_put(c, 8, t + 1, shade(cloth, 84));
        canvas_put(c, 10, t + 1, shade(cloth, 84));
        for (int y = t + 2; y <= t + 14; y++) canvas_put(c, 9, y, shade(cloth, 92));
        for (int y = t + 4; y <= t + 12; y += 4) canvas_put(c, 9, y, shade(cloth, 70));
        canvas_hline(c, 6, 12, t + 15, b.trim);
        canvas_put(c, 9, t + 15, {204, 184, 96});
        break;
    case BODY_SWEATER:
        canvas_hline(c, 7, 11, t, shade(cloth, 78));
        for (int x = 6; x <= 12; x++) {
            canvas_put(c, x, t + 14, shade(cloth, x % 2 ? 80 : 88));
            canvas_put(c, x, t + 15, shade(cloth, x % 2 ? 80 : 88));
        }
        break;
    case BODY_OPEN_JACKET:
        canvas_hline(c, 7, 11, t, b.inner);
        for (int y = t + 1; y <= t + 15; y++)
            canvas_hline(c, 8, 10, y, shade(b.inner, y > t + 12 ? 86 : 96));
        for (int y = t + 1; y <= t + 6; y++) {
            canvas_put(c, 7, y, shade(cloth, 76));
            canvas_put(c, 11, y, shade(cloth, 76));
        }
        canvas_hline(c, 5, 13, t + 15, shade(cloth, 84));
        canvas_hline(c, 8, 10, t + 15, shade(b.inner, 80));
        break;
    case BODY_CARDIGAN:
        canvas_put(c, 7, t, b.inner);
        canvas_put(c, 8, t, b.inner);
        canvas_put(c, 10, t, b.inner);
        canvas_put(c, 11, t, b.inner);
        canvas_put(c, 9, t, shade(b.inner, 85));
        canvas_hline(c, 8, 10, t + 1, shade(b.inner, 92));
        canvas_put(c, 9, t + 2, shade(b.inner, 92));
        for (int y = t + 4; y <= t + 13; y += 3) canvas_put(c, 9, y, b.trim);
        for (int x = 5; x <= 13; x++) canvas_put(c, x, t + 15, shade(cloth, x % 2 ? 78 : 88));
        break;
    case BODY_SUIT: {
        canvas_hline(c, 7, 11, t, b.inner);
        for (int y = t + 1; y <= t + 4; y++) canvas_hline(c, 8, 10, y, b.inner);
        canvas_put(c, 9, t + 5, b.inner);
        if (b.tie != MASK_RGB) {
            canvas_put(c, 9, t + 1, shade(b.tie, 80));
            for (int y = t + 2; y <= t + 6; y++) canvas_put(c, 9, y, b.tie);
        }
        for (int y = t + 1; y <= t + 5; y++) {
            canvas_put(c, 7, y, shade(cloth, 70));
            canvas_put(c, 11, y, shade(cloth, 70));
        }
        canvas_put(c, 9, t + 9, b.trim);
        canvas_put(c, 9, t + 12, b.trim);
        canvas_hline(c, 5, 13, t + 15, shade(cloth, 82));
        break;
    }
    case BODY_BLOUSE:
        canvas_hline(c, 7, 11, t, b.inner);
        canvas_put(c, 7, t + 1, b.inner);
        canvas_put(c, 8, t + 1, shade(b.inner, 90));
        canvas_put(c, 10, t + 1, shade(b.inner, 90));
        canvas_put(c, 11, t + 1, b.inner);
        canvas_put(c, 9, t + 1, shade(cloth, 70));
        canvas_put(c, 9, t + 2, shade(cloth, 78));
        canvas_hline(c, 6, 12, t + 15, shade(cloth, 82));
        break;
    case BODY_LEATHER:
        canvas_hline(c, 5, 13, t, shade(cloth, 74));
        canvas_hline(c, 5, 7, t + 1, shade(cloth, 74));
        canvas_hline(c, 11, 13, t + 1, shade(cloth, 74));
        canvas_hline(c, 8, 10, t, b.inner);
        canvas_hline(c, 8, 10, t + 1, b.inner);
        for (int y = t + 2; y <= t + 14; y++) canvas_put(c, 9, y, b.trim);
        canvas_hline(c, 5, 13, t + 15, shade(cloth, 70));
        canvas_put(c, 9, t + 15, b.trim);
        break;
    case BODY_POLO:
        canvas_hline(c, 6, 8, t, b.trim);
        canvas_hline(c, 10, 12, t, b.trim);
        canvas_put(c, 8, t + 1, shade(b.trim, 85));
        canvas_put(c, 10, t + 1, shade(b.trim, 85));
        for (int y = t + 1; y <= t + 3; y++) canvas_put(c, 9, y, shade(cloth, 76));
        canvas_put(c, 9, t + 2, b.trim);
        canvas_hline(c, 6, 12, t + 15, shade(cloth, 86));
        break;
    }
}

void draw_body_front(people_canvas &c, const body_look &b, int t) {
    people_mask torso, arms;
    mask_clear(torso);
    mask_clear(arms);
    int waist = boxy(b) ? 5 : 6;
    mask_rect(torso, 6, t, 12, t);
    mask_rect(torso, 5, t + 1, 13, t + 8);
    mask_rect(torso, waist, t + 9, 18 - waist, t + 15);
    mask_set(arms, 4, t + 1);
    mask_set(arms, 14, t + 1);
    mask_rect(arms, 3, t + 2, 4, t + 13);
    mask_rect(arms, 14, t + 2, 15, t + 13);
    canvas_paint(c, arms, shade(b.cloth, 86), shade(b.cloth, 94), shade(b.cloth, 66));
    canvas_paint(c, torso, b.cloth, shade(b.cloth, 106), shade(b.cloth, 80));
    // Cuffs: the shirt shows under a jacket sleeve.
    rgb cuff = b.style == BODY_SUIT ? b.inner : shade(b.cloth, 76);
    canvas_hline(c, 3, 4, t + 13, cuff);
    canvas_hline(c, 14, 15, t + 13, cuff);
    front_details(c, b, t);
    hand(c, 3, t + 14, 100);
    hand(c, 14, t + 14, 92);
}

// ---- side view, walking right ---------------------------------------------------------

static void arm_mask(people_mask &m, double shoulder_x, int t, int hand_dx, double thick) {
    double hx = shoulder_x + hand_dx, ex = shoulder_x + hand_dx * 0.45;
    mask_stroke(m, shoulder_x, t + 2, ex, t + 8, thick);
    mask_stroke(m, ex, t + 8, hx, t + 13, thick * 0.92);
}

static void side_details(people_canvas &c, const body_look &b, int t) {
    rgb cloth = b.cloth;
    switch (b.style) {
    case BODY_SHIRT:
        canvas_put(c, 11, t, shade(cloth, 84));
        canvas_put(c, 11, t + 1, shade(cloth, 84));
        for (int y = t + 4; y <= t + 12; y += 4) canvas_put(c, 12, y, shade(cloth, 76));
        canvas_hline(c, 7, 12, t + 16, b.trim);
        canvas_put(c, 12, t + 16, {204, 184, 96});
        break;
    case BODY_SWEATER:
        canvas_hline(c, 8, 11, t, shade(cloth, 78));
        for (int x = 7; x <= 12; x++) {
            canvas_put(c, x, t + 15, shade(cloth, x % 2 ? 80 : 88));
            canvas_put(c, x, t + 16, shade(cloth, x % 2 ? 80 : 88));
        }
        break;
    case BODY_OPEN_JACKET:
        canvas_put(c, 11, t, b.inner);
        for (int y = t; y <= t + 14; y++) canvas_put(c, 12, y, shade(b.inner, 94));
        canvas_hline(c, 7, 11, t + 16, shade(cloth, 84));
        break;
    case BODY_CARDIGAN:
        canvas_put(c, 10, t, b.inner);
        canvas_put(c, 11, t, b.inner);
        canvas_put(c, 12, t + 1, b.inner);
        for (int y = t + 4; y <= t + 13; y += 3) canvas_put(c, 12, y, b.trim);
        for (int x = 7; x <= 12; x++) canvas_put(c, x, t + 16, shade(cloth, x % 2 ? 78 : 88));
        break;
    case BODY_SUIT:
        // Sets 5 and 6 walk in set 4's profile: show only a white shirt front, which
        // goes with every shirt and tie of the family.
        canvas_put(c, 11, t, WHITE_SHIRT);
        for (int y = t; y <= t + 5; y++) canvas_put(c, 12, y, WHITE_SHIRT);
        for (int y = t + 2; y <= t + 4; y++) canvas_put(c, 13, y, shade(WHITE_SHIRT, 90));
        canvas_put(c, 11, t + 1, shade(cloth, 70));
        canvas_put(c, 12, t + 9, b.trim);
        canvas_hline(c, 7, 12, t + 16, shade(cloth, 82));
        break;
    case BODY_BLOUSE:
        canvas_put(c, 10, t, b.inner);
        canvas_put(c, 11, t, b.inner);
        canvas_put(c, 12, t + 1, b.inner);
        canvas_hline(c, 7, 12, t + 16, shade(cloth, 82));
        break;
    case BODY_LEATHER:
        canvas_hline(c, 8, 10, t, shade(cloth, 70));
        canvas_put(c, 7, t + 1, shade(cloth, 70));
        canvas_put(c, 11, t, b.inner);
        for (int y = t + 2; y <= t + 15; y++) canvas_put(c, 12, y, b.trim);
        canvas_hline(c, 7, 12, t + 16, shade(cloth, 70));
        break;
    case BODY_POLO:
        canvas_hline(c, 9, 11, t, b.trim);
        canvas_put(c, 12, t + 1, shade(cloth, 76));
        canvas_put(c, 12, t + 2, b.trim);
        canvas_hline(c, 7, 12, t + 16, shade(cloth, 86));
        break;
    }
}

void draw_body_walk(people_canvas &c, const body_look &b, int frame, int t) {
    const walk_pose &w = WALK_POSES[frame];
    double shoulder = WALK_HIP_X - 0.5;
    // Far arm, behind the body.
    people_mask far_arm;
    mask_clear(far_arm);
    arm_mask(far_arm, shoulder, t, w.far_hand, 2.2);
    canvas_paint(c, far_arm, shade(b.cloth, 62), shade(b.cloth, 56), shade(b.cloth, 62));
    hand(c, (int)std::lround(shoulder + w.far_hand) - 1, t + 13, 74);
    // Torso.
    people_mask torso;
    mask_clear(torso);
    mask_rect(torso, 8, t, 11, t);
    mask_rect(torso, 7, t + 1, 12, t + 16);
    if (b.style == BODY_BLOUSE || b.style == BODY_SUIT) mask_rect(torso, 13, t + 2, 13, t + 5);
    canvas_paint(c, torso, b.cloth, shade(b.cloth, 80), shade(b.cloth, 104));
    side_details(c, b, t);
    // Near arm, in front: a shadow line on the body where it crosses.
    people_mask near_arm;
    mask_clear(near_arm);
    arm_mask(near_arm, shoulder + 0.5, t, w.near_hand, 2.6);
    for (int y = t; y <= t + 17; y++)
        for (int x = 4; x <= 16; x++)
            if (!mask_at(near_arm, x, y) && mask_at(torso, x, y) &&
                (mask_at(near_arm, x - 1, y) || mask_at(near_arm, x + 1, y)))
                canvas_put(c, x, y, shade(b.cloth, 70));
    canvas_paint(c, near_arm, shade(b.cloth, 110), shade(b.cloth, 92), shade(b.cloth, 110));
    int hand_x = (int)std::lround(shoulder + 0.5 + w.near_hand) - 1;
    if (b.style == BODY_SUIT) canvas_hline(c, hand_x, hand_x + 1, t + 12, WHITE_SHIRT);
    hand(c, hand_x, t + 13, 100);
}

// ---- boarding: seen from behind, arms raised --------------------------------------------

void draw_body_board(people_canvas &c, const body_look &b, int t) {
    int s = t + 2; // shoulders at the standing height
    people_mask torso, arms;
    mask_clear(torso);
    mask_clear(arms);
    int waist = boxy(b) ? 5 : 6;
    mask_rect(torso, 6, s, 12, s);
    mask_rect(torso, 5, s + 1, 13, s + 8);
    mask_rect(torso, waist, s + 9, 18 - waist, s + 15);
    for (int side = -1; side <= 1; side += 2) {
        double sx = 9 + side * 4.5, ex = 9 + side * 6.5;
        mask_stroke(arms, sx, s + 1.5, ex, s + 2.0, 2.0);
        mask_stroke(arms, ex, s + 2.0, ex, t + 1.0, 2.0);
    }
    canvas_paint(c, arms, shade(b.cloth, 86), shade(b.cloth, 96), shade(b.cloth, 68));
    canvas_paint(c, torso, shade(b.cloth, 94), shade(b.cloth, 100), shade(b.cloth, 76));
    canvas_hline(c, 7, 11, s, shade(b.cloth, 74)); // collar from behind
    if (boxy(b))
        for (int y = s + 8; y <= s + 15; y++) canvas_put(c, 9, y, shade(b.cloth, 80)); // back seam
    canvas_hline(c, waist, 18 - waist, s + 15, shade(b.cloth, 80));
    hand(c, 2, t, 96);
    hand(c, 15, t, 88);
}
