// Where each body part sits relative to a person's feet, per sprite set and frame
// slot: constant data read by the drawing and by the art generator's line-ups.
#pragma once

#include "people/people.h"

extern const int leg_dx[SPRITE_SETS][SPRITE_SLOTS];
extern const int leg_dx_flipped[SPRITE_SETS][SPRITE_SLOTS];
extern const int leg_dy[SPRITE_SETS][SPRITE_SLOTS];
extern const int body_dx[SPRITE_SETS][SPRITE_SLOTS];
extern const int body_dx_flipped[SPRITE_SETS][SPRITE_SLOTS];
extern const int body_dy[SPRITE_SETS][SPRITE_SLOTS];
extern const int face_dx[SPRITE_SETS][SPRITE_SLOTS];
extern const int face_dx_flipped[SPRITE_SETS][SPRITE_SLOTS];
extern const int face_dy[SPRITE_SETS][SPRITE_SLOTS];
