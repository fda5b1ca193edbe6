#include "assetgen/people_gait.h"

// Far leg: lands at frame 0, planted through frame 4, swings in 5 and 6.
// Near leg: lands at frame 4, planted through frame 1, swings in 2 and 3.
const walk_pose WALK_POSES[WALK_FRAMES] = {
    {-15, {15, -9, 20, -3, FOOT_HEEL}, {6, -9, 3, -3, FOOT_FLAT}, 5, -4},
    {-15, {12, -9, 14, -3, FOOT_FLAT}, {5, -9, -2, -5, FOOT_TOE}, 3, -2},
    {-16, {10, -10, 9, -3, FOOT_FLAT}, {11, -10, 7, -6, FOOT_AIR}, 0, 0},
    {-16, {8, -10, 5, -3, FOOT_FLAT}, {14, -10, 16, -5, FOOT_AIR}, -2, 2},
    {-15, {5, -9, -1, -5, FOOT_TOE}, {14, -9, 18, -3, FOOT_HEEL}, -4, 4},
    {-15, {9, -10, 3, -6, FOOT_AIR}, {11, -9, 12, -3, FOOT_FLAT}, -3, 3},
    {-16, {14, -10, 13, -6, FOOT_AIR}, {9, -10, 8, -3, FOOT_FLAT}, 1, -1},
};

const int WALK_STEP[WALK_FRAMES] = {6, 5, 4, 6, 6, 4, 5};
