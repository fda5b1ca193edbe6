// The body-part sprite tables and their loading from the 179 bitmap files.
#include "people/people.h"

#include "shell/asset_files.h"

#include <cstdio>

BITMAP *leg_sprites[SPRITE_SETS][SPRITE_SLOTS];
BITMAP *body_sprites[SPRITE_SETS][SPRITE_SLOTS];
BITMAP *face_sprites[SPRITE_SETS][SPRITE_SLOTS];

namespace {

constexpr int STAND_SLOT = 0;
constexpr int FIRST_WALK_SLOT = 1;
constexpr int WALK_SLOTS = 7;
constexpr int BOARD_SLOT = 8;
constexpr int STEP_OFF_SLOT = 9;

char failed_name[32];
std::string failed_why;
bool load_failed;

// One load_bitmap per call, even for a file already loaded into another slot:
// the tables own every bitmap they hold apart from the shared slots.
BITMAP *load_part(const char *part, int set, char view, int frame) {
    char name[32];
    snprintf(name, sizeof name, "%s%d-%c-%d.bmp", part, set, view, frame);
    std::string why;
    BITMAP *bmp = asset_load_bitmap(name, &why);
    if (!bmp && !load_failed) {
        load_failed = true;
        snprintf(failed_name, sizeof failed_name, "%s", name);
        failed_why = why;
    }
    return bmp;
}

void load_legs(int set) {
    BITMAP **slot = leg_sprites[set];
    slot[STAND_SLOT] = load_part("leg", set, 'f', 0);
    for (int f = 0; f < WALK_SLOTS; f++) slot[FIRST_WALK_SLOT + f] = load_part("leg", set, 'r', f);
    // Every set boards on the first set's front legs.
    slot[BOARD_SLOT] = load_part("leg", 0, 'f', 0);
    slot[STEP_OFF_SLOT] = slot[STAND_SLOT];
}

void load_face(int set) {
    BITMAP **slot = face_sprites[set];
    slot[STAND_SLOT] = load_part("face", set, 'f', 0);
    // The face does not animate while walking: one side view for all frames.
    slot[FIRST_WALK_SLOT] = load_part("face", set, 'r', 0);
    for (int f = 1; f < WALK_SLOTS; f++) slot[FIRST_WALK_SLOT + f] = slot[FIRST_WALK_SLOT];
    slot[BOARD_SLOT] = load_part("face", set, 'a', 0);
    slot[STEP_OFF_SLOT] = slot[STAND_SLOT];
}

void load_body(int set) {
    BITMAP **slot = body_sprites[set];
    // Sets 5 and 6 have only a front view of their own and walk and board as set 4;
    // sets 2 to 4 alone have a boarding pose, the others board facing front.
    int walk_set = (set == 5 || set == 6) ? 4 : set;
    slot[STAND_SLOT] = load_part("body", set, 'f', 0);
    for (int f = 0; f < WALK_SLOTS; f++)
        slot[FIRST_WALK_SLOT + f] = load_part("body", walk_set, 'r', f);
    if (walk_set >= 2 && walk_set <= 4)
        slot[BOARD_SLOT] = load_part("body", walk_set, 'a', 0);
    else
        slot[BOARD_SLOT] = load_part("body", set, 'f', 0);
    slot[STEP_OFF_SLOT] = slot[STAND_SLOT];
}

void free_table(BITMAP *table[SPRITE_SETS][SPRITE_SLOTS]) {
    for (int set = 0; set < SPRITE_SETS; set++) {
        BITMAP **slot = table[set];
        for (int s = 0; s < SPRITE_SLOTS; s++) {
            // Shared slots point at a bitmap of an earlier slot of the same set.
            bool shared = false;
            for (int earlier = 0; earlier < s && !shared; earlier++)
                shared = slot[earlier] == slot[s];
            if (slot[s] && !shared) destroy_bitmap(slot[s]);
        }
        for (int s = 0; s < SPRITE_SLOTS; s++) slot[s] = nullptr;
    }
}

} // namespace

const char *load_person_sprites(std::string *why) {
    free_person_sprites();
    load_failed = false;
    for (int set = 0; set < SPRITE_SETS; set++) load_legs(set);
    for (int set = 0; set < SPRITE_SETS; set++) load_face(set);
    for (int set = 0; set < SPRITE_SETS; set++) load_body(set);
    if (!load_failed) return nullptr;
    // Drawing needs every entry: never leave a half-filled table behind.
    free_person_sprites();
    if (why) *why = failed_why;
    return failed_name;
}

void free_person_sprites() {
    free_table(leg_sprites);
    free_table(face_sprites);
    free_table(body_sprites);
}
