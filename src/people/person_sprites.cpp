// Body-part sprite tables (loading to be written).
#include "people/people.h"

BITMAP *leg_sprites[SPRITE_SETS][SPRITE_SLOTS];
BITMAP *body_sprites[SPRITE_SETS][SPRITE_SLOTS];
BITMAP *face_sprites[SPRITE_SETS][SPRITE_SLOTS];

const char *load_person_sprites() {
    return nullptr;
}
void free_person_sprites() {}
