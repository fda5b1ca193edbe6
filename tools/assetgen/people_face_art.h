// Pixel templates of the heads, one per hair style and view. Each row is a string;
// the letters pick a colour from the face set's skin and hair:
//   . clear   s skin   d skin shadow   l skin highlight   e eye   m mouth
//   h hair    H hair shadow   k hair highlight   o moustache   g spectacle frame
#pragma once

#include "assetgen/people_looks.h"

constexpr int FACE_TEMPLATE_ROWS = 12;

struct face_template {
    const char *rows[FACE_TEMPLATE_ROWS]; // ends at the first null
    int neck;                             // column above the middle of the neck
};

struct face_art {
    face_template front; // facing the player, centred on its neck column
    face_template side;  // facing right
    face_template back;  // walking into the elevator
};

constexpr int HAIR_STYLES = HAIR_BOB + 1;
extern const face_art FACE_ART[HAIR_STYLES];
