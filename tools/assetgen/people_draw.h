// Draws the body parts into a person-space canvas (feet anchor at 0, 0): standing
// parts centred on x = 9, walking parts facing right with the hips at x = 10.
#pragma once

#include "assetgen/people_canvas.h"
#include "assetgen/people_face_art.h"
#include "assetgen/people_looks.h"

constexpr int LEGS_TOP = -18; // the waist, where every leg bitmap starts

void draw_legs_front(people_canvas &c, const leg_look &l);
void draw_legs_walk(people_canvas &c, const leg_look &l, int frame);

// top: the shoulder row the anchor offsets give this bitmap.
void draw_body_front(people_canvas &c, const body_look &b, int top);
void draw_body_walk(people_canvas &c, const body_look &b, int frame, int top);
void draw_body_board(people_canvas &c, const body_look &b, int top); // from behind, arms up

int face_template_width(const face_template &t);
// Paints the template with its top-left pixel at (left, top).
void draw_face(people_canvas &c, const face_look &f, const face_template &t, int left, int top);
