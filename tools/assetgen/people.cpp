// The people's 179 body-part bitmaps. Every part is drawn in person space and cut
// out at the anchor offsets the game draws it with, so the parts join at the feet
// anchor. Each bitmap's width is chosen so that the game's mirrored drawing (its
// own x offset table) shows the exact mirror image: standing parts about x = 9,
// walking parts about x = 9.5 (a walker facing left mirrors one facing right).
#include "assetgen/assetgen.h"
#include "assetgen/people_draw.h"
#include "assetgen/people_files.h"
#include "assetgen/people_gait.h"
#include "people/person_offsets.h"

#include <cmath>

namespace {

people_canvas canvas; // 10 kB: kept off the stack

// Width that makes draw_sprite_h_flip at dx_flipped the mirror of draw_sprite at dx
// about x = mirror_sum / 2.
int mirrored_width(int mirror_sum, int dx, int dx_flipped) {
    return mirror_sum + 1 - dx - dx_flipped;
}

bool write(const std::string &dir, const std::string &file, int left, int top, int w) {
    return canvas_write_part(dir + "/" + file, canvas, left, top, w);
}

bool gen_legs(const std::string &dir, int s) {
    canvas_clear(canvas);
    draw_legs_front(canvas, LEG_LOOKS[s]);
    int dx = leg_dx[s][0], dxf = leg_dx_flipped[s][0];
    if (!write(dir, people_front_file(PART_LEGS, s), dx, leg_dy[s][0],
               mirrored_width(STAND_MIRROR_SUM, dx, dxf)))
        return false;
    for (int f = 0; f < WALK_FRAMES; f++) {
        canvas_clear(canvas);
        draw_legs_walk(canvas, LEG_LOOKS[s], f);
        dx = leg_dx[s][1 + f];
        dxf = leg_dx_flipped[s][1 + f];
        if (!write(dir, people_walk_file(PART_LEGS, s, f), dx, leg_dy[s][1 + f],
                   mirrored_width(WALK_MIRROR_SUM, dx, dxf)))
            return false;
    }
    return true;
}

bool gen_bodies(const std::string &dir, int s) {
    const body_look &b = BODY_LOOKS[s];
    canvas_clear(canvas);
    draw_body_front(canvas, b, body_dy[s][0]);
    int dx = body_dx[s][0], dxf = body_dx_flipped[s][0];
    if (!write(dir, people_front_file(PART_BODY, s), dx, body_dy[s][0],
               mirrored_width(STAND_MIRROR_SUM, dx, dxf)))
        return false;
    if (body_has_walk_files(s))
        for (int f = 0; f < WALK_FRAMES; f++) {
            int top = body_dy[s][1 + f];
            canvas_clear(canvas);
            draw_body_walk(canvas, b, f, top);
            dx = body_dx[s][1 + f];
            dxf = body_dx_flipped[s][1 + f];
            if (!write(dir, people_walk_file(PART_BODY, s, f), dx, top,
                       mirrored_width(WALK_MIRROR_SUM, dx, dxf)))
                return false;
        }
    if (body_has_board_file(s)) {
        canvas_clear(canvas);
        draw_body_board(canvas, b, body_dy[s][8]);
        dx = body_dx[s][8];
        dxf = body_dx_flipped[s][8];
        if (!write(dir, people_board_file(PART_BODY, s), dx, body_dy[s][8],
                   mirrored_width(STAND_MIRROR_SUM, dx, dxf)))
            return false;
    }
    return true;
}

// Where a side-view head's neck should sit, on average over the walk, for a walker
// facing right: over the shoulders.
constexpr double WALK_NECK_X = 9.8;

bool gen_faces(const std::string &dir, int s) {
    const face_look &f = FACE_LOOKS[s];
    const face_art &art = FACE_ART[f.style];
    // Front: the neck on the standing centre line.
    canvas_clear(canvas);
    draw_face(canvas, f, art.front, 9 - art.front.neck, face_dy[s][0]);
    int dx = face_dx[s][0], dxf = face_dx_flipped[s][0];
    if (!write(dir, people_front_file(PART_FACE, s), dx, face_dy[s][0],
               mirrored_width(STAND_MIRROR_SUM, dx, dxf)))
        return false;
    // Side: one bitmap for all seven walk frames, each drawn at its own offsets, so
    // the width and the head's place in it fit the offsets on average.
    int sum_dx = 0, sum_dxf = 0;
    for (int slot = 1; slot <= WALK_FRAMES; slot++) {
        sum_dx += face_dx[s][slot];
        sum_dxf += face_dx_flipped[s][slot];
    }
    double mean_dx = sum_dx / (double)WALK_FRAMES, mean_dxf = sum_dxf / (double)WALK_FRAMES;
    int w = (int)std::lround(WALK_MIRROR_SUM + 1 - mean_dx - mean_dxf);
    int neck_col = (int)std::lround(WALK_NECK_X - mean_dx);
    canvas_clear(canvas);
    draw_face(canvas, f, art.side, face_dx[s][1] + neck_col - art.side.neck, face_dy[s][1]);
    if (!write(dir, people_walk_file(PART_FACE, s, 0), face_dx[s][1], face_dy[s][1], w))
        return false;
    // Back of the head, boarding.
    canvas_clear(canvas);
    draw_face(canvas, f, art.back, 9 - art.back.neck, face_dy[s][8]);
    dx = face_dx[s][8];
    dxf = face_dx_flipped[s][8];
    return write(dir, people_board_file(PART_FACE, s), dx, face_dy[s][8],
                 mirrored_width(STAND_MIRROR_SUM, dx, dxf));
}

} // namespace

bool gen_people(const std::string &dir) {
    for (int s = 0; s < 10; s++)
        if (!gen_legs(dir, s) || !gen_bodies(dir, s) || !gen_faces(dir, s)) return false;
    return true;
}
