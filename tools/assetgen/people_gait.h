// The seven-frame walk, seen from the side facing right, in person space (feet
// anchor at 0, 0). Between frames the game moves a walker by WALK_STEP pixels; the
// poses are drawn so that a planted foot stays on the same floor pixel while the
// body moves over it.
#pragma once

constexpr int WALK_FRAMES = 7;
constexpr int WALK_HIP_X = 10;       // hips and shoulders of a walker facing right
constexpr int WALK_MIRROR_SUM = 19;  // a walker facing left is the mirror image: x -> 19 - x
constexpr int STAND_MIRROR_SUM = 18; // standing parts mirror about x = 9

enum foot_kind {
    FOOT_FLAT, // sole on the floor
    FOOT_HEEL, // heel strike, toe raised
    FOOT_TOE,  // pushing off, heel raised
    FOOT_AIR   // swinging forward
};

struct leg_pose {
    int knee_x, knee_y;
    int ankle_x, ankle_y;
    foot_kind foot;
};

struct walk_pose {
    int hip_y;
    leg_pose far_leg, near_leg; // far: drawn first, in shadow
    int near_hand, far_hand;    // hand x relative to the shoulder: arms swing against the legs
};

extern const walk_pose WALK_POSES[WALK_FRAMES];
// Pixels a walker moves when it leaves frame f for frame f + 1.
extern const int WALK_STEP[WALK_FRAMES];
