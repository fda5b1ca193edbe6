// What the ten sets of each body part look like: garments, colours, skin and hair.
#pragma once

#include "assetgen/people_canvas.h"

enum leg_style { LEGS_TROUSERS, LEGS_SKIRT };

struct leg_look {
    leg_style style;
    rgb cloth; // trousers or skirt
    rgb hose;  // the legs below a skirt
    rgb shoe;
    rgb sole;
    int hem_y;     // skirts: the row of the hem (person space)
    int shoe_rows; // 2 shoes, 3 boots
};

enum body_style {
    BODY_SHIRT,       // buttoned shirt tucked in, belt
    BODY_SWEATER,     // crew neck, ribbed hem and cuffs
    BODY_OPEN_JACKET, // jacket worn open over a T-shirt
    BODY_CARDIGAN,    // buttoned knit jacket over a shirt collar
    BODY_SUIT,        // suit jacket, shirt, optional tie
    BODY_BLOUSE,      // blouse with a white collar
    BODY_LEATHER,     // zipped jacket with a wide collar
    BODY_POLO         // polo shirt with collar and placket
};

struct body_look {
    body_style style;
    rgb cloth;
    rgb inner; // shirt, collar or T-shirt showing at the front
    rgb tie;   // MASK_RGB: no tie
    rgb trim;  // belt, buttons, zip
};

enum hair_style {
    HAIR_SHORT,   // short, side-swept fringe
    HAIR_CROP,    // close-cropped
    HAIR_LONG,    // long and straight, past the shoulders
    HAIR_BALD,    // bald crown, a fringe of hair round the sides, moustache
    HAIR_CURLY,   // a mop of curls
    HAIR_BUN,     // tied back in a bun
    HAIR_GLASSES, // short receding hair and spectacles
    HAIR_AFRO,
    HAIR_BOB // chin-length with a full fringe
};

struct face_look {
    hair_style style;
    rgb skin;
    rgb hair;
};

extern const leg_look LEG_LOOKS[10];
extern const body_look BODY_LOOKS[10];
extern const face_look FACE_LOOKS[10];
extern const rgb HAND_SKIN; // bodies are worn by every face: hands in a middle tone
extern const rgb WHITE_SHIRT;
