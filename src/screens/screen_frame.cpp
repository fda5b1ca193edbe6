#include "screens/screen_frame.h"

#include "screens/screens.h"
#include "shell/frame_pacer.h"
#include "shell/game_state.h"

#include <cstdio>
#include <cstdlib>

BITMAP *screen_image;
BITMAP *screen_panel;
int panel_margin_x, panel_margin_y;
int button_top, button_bottom;

void screens_free() {
    if (screen_image) destroy_bitmap(screen_image);
    if (screen_panel) destroy_bitmap(screen_panel);
    screen_image = screen_panel = nullptr;
}

void screen_frame_begin() {
    if (SCREEN_W < SCREEN_WIDTH) {
        panel_margin_x = 30;
        panel_margin_y = 7;
    } else {
        panel_margin_x = 122;
        panel_margin_y = 84;
    }
    int white = makecol(255, 255, 255);
    screens_free();
    screen_image = create_bitmap(SCREEN_WIDTH, SCREEN_HEIGHT);
    screen_panel =
        create_bitmap(SCREEN_WIDTH - 2 * panel_margin_x, SCREEN_HEIGHT - 2 * panel_margin_y);
    if (!screen_image || !screen_panel) {
        fprintf(stderr, "highrise: cannot create the screen bitmaps (out of memory)\n");
        allegro_exit();
        exit(1);
    }
    blit(backdrop_bmp, screen_image, 0, 0, 0, 0, SCREEN_WIDTH, SCREEN_HEIGHT);
    clear_to_color(screen_panel, white);
}

void screen_frame_button(int left, int right, int face, int label_x, const char *label) {
    rectfill(screen_panel, left, button_top, right, button_bottom, face);
    textprintf_ex(screen_panel, game_font, label_x, button_top + text_h / 2,
                  makecol(255, 255, 255), face, "%s", label);
}

void screen_frame_finish() {
    set_trans_blender(0, 0, 0, 215);
    draw_trans_sprite(screen_image, screen_panel, panel_margin_x, panel_margin_y);
}

void screen_frame_pass_begin() {
    frame_wait();
    blit(back_buffer, screen, 0, 0, 0, 0, SCREEN_WIDTH, SCREEN_HEIGHT);
    blit(screen_image, back_buffer, 0, 0, 0, 0, SCREEN_WIDTH, SCREEN_HEIGHT);
    show_mouse(back_buffer);
    poll_mouse();
    poll_keyboard();
}
