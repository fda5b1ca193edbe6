#include "assetgen/people_draw.h"
#include "assetgen/people_gait.h"

#include <cmath>

// ---- front view ---------------------------------------------------------------

static void front_shoes(people_canvas &c, const leg_look &l, int inner_left, int inner_right) {
    // Two feet, toes turned a little outwards.
    for (int side = 0; side < 2; side++) {
        int x0 = side == 0 ? inner_left - 2 : inner_right;
        int x1 = x0 + 2;
        if (l.shoe_rows == 3) canvas_hline(c, x0, x1, -3, shade(l.shoe, 110));
        canvas_hline(c, x0, x1, -2, l.shoe);
        canvas_put(c, x0 + 1, -2, shade(l.shoe, 125));
        int toe = side == 0 ? x0 - 1 : x1 + 1;
        canvas_hline(c, side == 0 ? toe : x0, side == 0 ? x1 : toe, -1, l.sole);
    }
}

void draw_legs_front(people_canvas &c, const leg_look &l) {
    people_mask m;
    mask_clear(m);
    rgb light = shade(l.cloth, 112), dark = shade(l.cloth, 74);
    if (l.style == LEGS_TROUSERS) {
        int hem = l.shoe_rows == 3 ? -4 : -3;
        mask_rect(m, 6, LEGS_TOP, 12, -15);
        mask_rect(m, 6, -14, 8, hem);
        mask_rect(m, 10, -14, 12, hem);
        canvas_paint(c, m, l.cloth, light, dark);
        canvas_hline(c, 6, 12, LEGS_TOP, shade(l.cloth, 85)); // waistband
        canvas_put(c, 9, -14, shade(l.cloth, 60));            // crotch shadow
        canvas_hline(c, 6, 8, hem, shade(l.cloth, 88));       // turn-ups
        canvas_hline(c, 10, 12, hem, shade(l.cloth, 88));
        front_shoes(c, l, 8, 10);
        return;
    }
    // Skirt: slight A-line to the hem, then the legs in hose.
    for (int y = l.hem_y + 1; y <= -3; y++) {
        canvas_put(c, 7, y, shade(l.hose, 115));
        canvas_put(c, 8, y, l.hose);
        canvas_put(c, 10, y, l.hose);
        canvas_put(c, 11, y, shade(l.hose, 80));
    }
    for (int y = LEGS_TOP; y <= l.hem_y; y++) {
        int half = 3 + (y - LEGS_TOP + 1) / 4;
        if (half > 5) half = 5;
        mask_rect(m, 9 - half, y, 9 + half, y);
    }
    canvas_paint(c, m, l.cloth, light, dark);
    canvas_hline(c, 6, 12, LEGS_TOP, shade(l.cloth, 85));
    for (int x = 3; x <= 15; x++) canvas_tint(c, x, l.hem_y, shade(l.cloth, 78));
    // Pleat lines.
    for (int y = LEGS_TOP + 4; y < l.hem_y; y++) canvas_tint(c, 9, y, shade(l.cloth, 90));
    front_shoes(c, l, 8, 10);
}

// ---- side view, walking right -----------------------------------------------------

// x of the leg's centre line at row y (between hip, knee and ankle).
static double leg_x_at(int hip_y, const leg_pose &p, double y) {
    double x0 = WALK_HIP_X, y0 = hip_y, x1 = p.knee_x, y1 = p.knee_y;
    if (y > p.knee_y) {
        x0 = p.knee_x;
        y0 = p.knee_y;
        x1 = p.ankle_x;
        y1 = p.ankle_y;
    }
    if (y1 == y0) return x1;
    double t = (y - y0) / (y1 - y0);
    t = t < 0 ? 0 : t > 1 ? 1 : t;
    return x0 + t * (x1 - x0);
}

static void side_shoe(people_canvas &c, const leg_look &l, const leg_pose &p, int percent) {
    rgb shoe = shade(l.shoe, percent), sole = shade(l.sole, percent);
    rgb shine = shade(l.shoe, percent + 25);
    int ax = p.ankle_x, ay = p.ankle_y;
    switch (p.foot) {
    case FOOT_FLAT:
        if (l.shoe_rows == 3) canvas_hline(c, ax - 1, ax, -3, shoe);
        canvas_hline(c, ax - 1, ax + 1, -2, shoe);
        canvas_put(c, ax, -2, shine);
        canvas_hline(c, ax - 1, ax + 2, -1, sole);
        break;
    case FOOT_HEEL: // toe up
        if (l.shoe_rows == 3) canvas_hline(c, ax - 1, ax, -3, shoe);
        canvas_hline(c, ax - 1, ax + 2, -2, shoe);
        canvas_put(c, ax, -2, shine);
        canvas_hline(c, ax - 1, ax + 1, -1, sole);
        break;
    case FOOT_TOE: // heel up, pushing off the ball of the foot
        canvas_hline(c, ax - 1, ax, ay + 1, shoe);
        canvas_hline(c, ax - 1, ax + 1, ay + 2, shoe);
        canvas_hline(c, ax, ax + 2, ay + 3, shoe);
        canvas_put(c, ax + 1, ay + 3, shine);
        canvas_hline(c, ax + 1, ax + 3, ay + 4, sole);
        break;
    case FOOT_AIR:
        canvas_hline(c, ax - 1, ax + 1, ay + 1, shoe);
        canvas_put(c, ax, ay + 1, shine);
        canvas_hline(c, ax - 1, ax + 2, ay + 2, sole);
        break;
    }
}

static void side_leg(people_canvas &c, const leg_look &l, int hip_y, const leg_pose &p, bool near) {
    people_mask m;
    mask_clear(m);
    bool hose = l.style == LEGS_SKIRT;
    double thick = hose ? 2.1 : 3.2;
    mask_stroke(m, WALK_HIP_X, hip_y, p.knee_x, p.knee_y, thick + (hose ? 0 : 0.4));
    mask_stroke(m, p.knee_x, p.knee_y, p.ankle_x, p.ankle_y, thick);
    rgb base = hose ? l.hose : l.cloth;
    if (near)
        canvas_paint(c, m, base, shade(base, 72), shade(base, 108));
    else
        canvas_paint(c, m, shade(base, 68), shade(base, 58), shade(base, 68));
    side_shoe(c, l, p, near ? 100 : 80);
}

void draw_legs_walk(people_canvas &c, const leg_look &l, int frame) {
    const walk_pose &w = WALK_POSES[frame];
    side_leg(c, l, w.hip_y, w.far_leg, false);
    people_mask hips;
    mask_clear(hips);
    mask_rect(hips, 7, LEGS_TOP, 12, w.hip_y + 1);
    canvas_paint(c, hips, l.cloth, shade(l.cloth, 80), l.cloth);
    side_leg(c, l, w.hip_y, w.near_leg, true);
    canvas_hline(c, 7, 12, LEGS_TOP, shade(l.cloth, 85));
    if (l.style != LEGS_SKIRT) return;
    // The skirt hangs from the waist over both thighs.
    double hem_y = l.hem_y + 1;
    double a = leg_x_at(w.hip_y, w.far_leg, l.hem_y + 0.5),
           b = leg_x_at(w.hip_y, w.near_leg, l.hem_y + 0.5);
    double left = std::fmin(std::fmin(a, b) - 1.5, 6.5),
           right = std::fmax(std::fmax(a, b) + 2.5, 13.5);
    const double outline[] = {7, (double)LEGS_TOP, 13, (double)LEGS_TOP, right, hem_y, left, hem_y};
    people_mask skirt;
    mask_clear(skirt);
    mask_polygon(skirt, outline, 4);
    canvas_paint(c, skirt, l.cloth, shade(l.cloth, 80), shade(l.cloth, 110));
    for (int x = -8; x <= 28; x++)
        if (mask_at(skirt, x, l.hem_y)) canvas_put(c, x, l.hem_y, shade(l.cloth, 78));
    canvas_hline(c, 7, 12, LEGS_TOP, shade(l.cloth, 85));
}
