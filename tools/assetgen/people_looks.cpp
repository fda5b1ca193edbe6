#include "assetgen/people_looks.h"

constexpr rgb BLACK_SHOE = {28, 24, 24};
constexpr rgb BLACK_SOLE = {14, 12, 12};

// Set 0's legs are shown by everybody boarding an elevator: plain dark trousers.
const leg_look LEG_LOOKS[10] = {
    {LEGS_TROUSERS, {66, 68, 78}, {}, BLACK_SHOE, BLACK_SOLE, 0, 2},            // charcoal
    {LEGS_TROUSERS, {58, 92, 156}, {}, {236, 236, 230}, {150, 150, 150}, 0, 2}, // jeans, trainers
    {LEGS_SKIRT, {36, 32, 40}, {62, 54, 60}, BLACK_SHOE, BLACK_SOLE, -9, 2},    // black skirt
    {LEGS_TROUSERS, {184, 160, 110}, {}, {104, 62, 34}, {60, 36, 20}, 0, 2},    // khaki chinos
    {LEGS_TROUSERS, {40, 46, 84}, {}, BLACK_SHOE, BLACK_SOLE, 0, 2},            // navy suit
    {LEGS_SKIRT, {176, 34, 44}, {70, 48, 50}, BLACK_SHOE, BLACK_SOLE, -10, 2},  // red skirt
    {LEGS_TROUSERS, {116, 80, 52}, {}, {54, 34, 22}, {30, 20, 14}, 0, 2},       // brown
    {LEGS_SKIRT, {104, 116, 146}, {84, 72, 70}, {72, 44, 36}, {40, 26, 22}, -6, 2}, // long skirt
    {LEGS_TROUSERS, {96, 104, 58}, {}, {36, 30, 26}, {18, 16, 14}, 0, 3},           // olive, boots
    {LEGS_TROUSERS, {172, 172, 178}, {}, BLACK_SHOE, BLACK_SOLE, 0, 2},             // light grey
};

const rgb WHITE_SHIRT = {234, 234, 230};
constexpr rgb NAVY_SUIT = {42, 50, 92};
constexpr rgb NO_TIE = MASK_RGB;

// Sets 5 and 6 walk and board in set 4's files: all three wear the same navy suit.
const body_look BODY_LOOKS[10] = {
    {BODY_SHIRT, WHITE_SHIRT, WHITE_SHIRT, NO_TIE, {70, 46, 30}},            // white shirt
    {BODY_SWEATER, {184, 42, 42}, {184, 42, 42}, NO_TIE, {0, 0, 0}},         // red jumper
    {BODY_OPEN_JACKET, {60, 116, 62}, {232, 230, 220}, NO_TIE, {0, 0, 0}},   // green jacket
    {BODY_CARDIGAN, {214, 164, 44}, {240, 240, 236}, NO_TIE, {120, 84, 20}}, // mustard cardigan
    {BODY_SUIT, NAVY_SUIT, WHITE_SHIRT, {196, 32, 32}, {20, 22, 40}},        // suit, red tie
    {BODY_SUIT, NAVY_SUIT, {176, 204, 238}, {214, 170, 48}, {20, 22, 40}},   // blue shirt
    {BODY_SUIT, NAVY_SUIT, {238, 176, 196}, NO_TIE, {20, 22, 40}},           // pink blouse
    {BODY_BLOUSE, {136, 72, 156}, {240, 236, 240}, NO_TIE, {0, 0, 0}},       // purple blouse
    {BODY_LEATHER, {106, 64, 38}, {44, 44, 48}, NO_TIE, {196, 180, 150}},    // leather jacket
    {BODY_POLO, {40, 144, 142}, {40, 144, 142}, NO_TIE, {230, 230, 224}},    // teal polo
};

const face_look FACE_LOOKS[10] = {
    {HAIR_SHORT, {238, 194, 158}, {112, 70, 40}}, {HAIR_CROP, {124, 80, 50}, {30, 24, 22}},
    {HAIR_LONG, {216, 166, 120}, {26, 20, 20}},   {HAIR_LONG, {246, 212, 182}, {236, 204, 104}},
    {HAIR_BALD, {198, 152, 106}, {86, 80, 76}},   {HAIR_CURLY, {250, 222, 198}, {192, 82, 32}},
    {HAIR_BUN, {166, 112, 70}, {42, 30, 22}},     {HAIR_GLASSES, {234, 188, 152}, {214, 214, 208}},
    {HAIR_AFRO, {96, 60, 38}, {26, 22, 20}},      {HAIR_BOB, {226, 178, 138}, {142, 82, 42}},
};

const rgb HAND_SKIN = {206, 156, 116};
