#include "assetgen/people_draw.h"

int face_template_width(const face_template &t) {
    int w = 0;
    for (int r = 0; r < FACE_TEMPLATE_ROWS && t.rows[r]; r++) {
        int n = 0;
        while (t.rows[r][n]) n++;
        if (n > w) w = n;
    }
    return w;
}

void draw_face(people_canvas &c, const face_look &f, const face_template &t, int left, int top) {
    bool dark_skin = f.skin.r + f.skin.g + f.skin.b < 360;
    for (int r = 0; r < FACE_TEMPLATE_ROWS && t.rows[r]; r++)
        for (int i = 0; t.rows[r][i]; i++) {
            rgb col;
            switch (t.rows[r][i]) {
            case 's': col = f.skin; break;
            case 'd': col = shade(f.skin, 84); break;
            case 'l': col = shade(f.skin, 112); break;
            case 'e': col = dark_skin ? rgb{16, 10, 10} : rgb{40, 28, 30}; break;
            case 'm': col = mix(f.skin, {150, 40, 46}, 40); break;
            case 'h': col = f.hair; break;
            case 'H': col = shade(f.hair, 70); break;
            case 'k': col = mix(f.hair, {255, 255, 255}, 22); break;
            case 'o': col = shade(f.hair, 80); break;
            case 'g': col = {104, 104, 114}; break;
            default: continue;
            }
            canvas_put(c, left + i, top + r, col);
        }
}
