#include "people/person_offsets.h"

// Slot order: 0 standing, 1 to 7 walking frames, 8 boarding, 9 stepping off.
#define LEGS_DX                                                                                    \
    { 3, 0, -4, 4, 2, -4, 0, 5, 3, 3 }
#define LEGS_DX_FLIPPED                                                                            \
    { 3, -4, 0, 4, -2, -1, 3, 3, 3, 3 }
#define LEGS_DY                                                                                    \
    { -18, -18, -18, -18, -18, -18, -18, -18, -18, -18 }
#define BODY_DX_A                                                                                  \
    { 0, 4, 4, 5, 5, 4, 5, 5, 0, 0 }
#define BODY_DX_B                                                                                  \
    { 1, 4, 4, 5, 5, 4, 5, 5, 0, 0 }
#define BODY_DXF_A                                                                                 \
    { 0, 0, 4, 5, 2, 3, 5, 5, 0, 0 }
#define BODY_DXF_B                                                                                 \
    { -1, 0, 4, 5, 2, 3, 5, 5, 0, 0 }
#define BODY_DY                                                                                    \
    { -32, -34, -33, -35, -34, -33, -33, -34, -34, -33 }
#define FACE_DX_0                                                                                  \
    { 6, 5, 5, 6, 6, 6, 5, 6, 6, 6 }
#define FACE_DX_1                                                                                  \
    { 4, 5, 5, 6, 6, 6, 5, 6, 6, 6 }
#define FACE_DX_2                                                                                  \
    { 5, 6, 6, 7, 7, 7, 6, 7, 6, 6 }
#define FACE_DX_8                                                                                  \
    { 4, 4, 4, 5, 5, 5, 4, 5, 6, 6 }
#define FACE_DX_9                                                                                  \
    { 3, 4, 4, 5, 5, 5, 4, 5, 6, 6 }
#define FACE_DXF_A                                                                                 \
    { 4, 5, 5, 6, 6, 6, 5, 6, 6, 6 }
#define FACE_DXF_B                                                                                 \
    { 3, 5, 5, 6, 6, 6, 5, 6, 6, 6 }
#define FACE_DY_0                                                                                  \
    { -40, -39, -39, -40, -40, -39, -39, -40, -40, -41 }
#define FACE_DY_1                                                                                  \
    { -40, -41, -41, -42, -42, -41, -41, -42, -41, -42 }
#define FACE_DY_7                                                                                  \
    { -40, -41, -41, -42, -42, -41, -41, -42, -40, -41 }

const int leg_dx[SPRITE_SETS][SPRITE_SLOTS] = {LEGS_DX, LEGS_DX, LEGS_DX, LEGS_DX, LEGS_DX,
                                               LEGS_DX, LEGS_DX, LEGS_DX, LEGS_DX, LEGS_DX};
const int leg_dx_flipped[SPRITE_SETS][SPRITE_SLOTS] = {
    LEGS_DX_FLIPPED, LEGS_DX_FLIPPED, LEGS_DX_FLIPPED, LEGS_DX_FLIPPED, LEGS_DX_FLIPPED,
    LEGS_DX_FLIPPED, LEGS_DX_FLIPPED, LEGS_DX_FLIPPED, LEGS_DX_FLIPPED, LEGS_DX_FLIPPED};
const int leg_dy[SPRITE_SETS][SPRITE_SLOTS] = {LEGS_DY, LEGS_DY, LEGS_DY, LEGS_DY, LEGS_DY,
                                               LEGS_DY, LEGS_DY, LEGS_DY, LEGS_DY, LEGS_DY};
const int body_dx[SPRITE_SETS][SPRITE_SLOTS] = {BODY_DX_A, BODY_DX_B, BODY_DX_B, BODY_DX_B,
                                                BODY_DX_A, BODY_DX_A, BODY_DX_A, BODY_DX_B,
                                                BODY_DX_B, BODY_DX_B};
const int body_dx_flipped[SPRITE_SETS][SPRITE_SLOTS] = {
    BODY_DXF_A, BODY_DXF_A, BODY_DXF_A, BODY_DXF_A, BODY_DXF_B,
    BODY_DXF_B, BODY_DXF_B, BODY_DXF_A, BODY_DXF_A, BODY_DXF_A};
const int body_dy[SPRITE_SETS][SPRITE_SLOTS] = {BODY_DY, BODY_DY, BODY_DY, BODY_DY, BODY_DY,
                                                BODY_DY, BODY_DY, BODY_DY, BODY_DY, BODY_DY};
const int face_dx[SPRITE_SETS][SPRITE_SLOTS] = {FACE_DX_0, FACE_DX_1, FACE_DX_2, FACE_DX_1,
                                                FACE_DX_1, FACE_DX_1, FACE_DX_1, FACE_DX_1,
                                                FACE_DX_8, FACE_DX_9};
const int face_dx_flipped[SPRITE_SETS][SPRITE_SLOTS] = {
    FACE_DXF_A, FACE_DXF_A, FACE_DXF_A, FACE_DXF_A, FACE_DXF_A,
    FACE_DXF_A, FACE_DXF_A, FACE_DXF_B, FACE_DXF_B, FACE_DXF_A};
const int face_dy[SPRITE_SETS][SPRITE_SLOTS] = {FACE_DY_0, FACE_DY_1, FACE_DY_1, FACE_DY_1,
                                                FACE_DY_1, FACE_DY_1, FACE_DY_1, FACE_DY_7,
                                                FACE_DY_1, FACE_DY_1};
