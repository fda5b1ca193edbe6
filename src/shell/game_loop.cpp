// The game loop, the start of a mission and one frame of play.
#include "shell/game_state.h"

#include "hazards/hazards.h"
#include "map/map.h"
#include "people/people.h"
#include "screens/screens.h"
#include "shell/frame_pacer.h"
#include "shell/game_map.h"
#include "shell/pause.h"
#include "shell/saved_game.h"

#include <cstdio>
#include <cstdlib>

static bool mission_running() {
    return rescued_count < people_count;
}

void mission_start() {
    mission_col_offset = mission < MISSION_COUNT ? mission * BUILDING_COLS : 0;
    wobble_x = wobble_y = 0.0;
    mission_end_timer = 0;
    if (!resumed) mission_start_time = time(nullptr);
    if (mission > highest_mission) highest_mission = mission;
    fire_roll_strengths();
    place_people(resumed);
    building_width = BUILDING_COLS * TILE_SIZE;
    building_height = BUILDING_ROWS * TILE_SIZE;
    set_mouse_speed(5, 5);
    poll_mouse();
    poll_keyboard();
    aim_x = mouse_x + 16;
    aim_y = mouse_y + 16;
    prev_mouse_z = mouse_z;
    scroll_target = scroll_y = 5000;
    heli_x = 512;
    heli_y = 384;
    fire_build_list();
    play_keys_reset();
}

void frame_present() {
    frame_wait();
    blit(back_buffer, screen, 0, 0, 0, 0, SCREEN_WIDTH, SCREEN_HEIGHT);
}

void frame_poll_input() {
    poll_mouse();
    poll_keyboard();
}

FrameResult frame_step() {
    if (game_pause.on) return pause_frame(); // nothing moves until the player plays on
    // The animation tick reads no input, so running it after the poll changes nothing.
    map_update_animations();
    aim_x = mouse_x + 16;
    aim_y = mouse_y + 16;
    view_update();
    heli_update();
    if (quit_checks()) return FRAME_GAME_OVER;

    blit(backdrop_bmp, back_buffer, 0, 0, 0, 0, SCREEN_WIDTH, SCREEN_HEIGHT);
    if (mission_running()) {
        map_select_layer(0);
        map_draw_background(back_buffer, mission_col_offset * TILE_SIZE, scroll_y,
                            BUILDING_SCREEN_X, 0, building_width, SCREEN_HEIGHT);
        update_and_draw_people();
    }
    debris_update_and_draw();
    if (mission_running()) rescue_heli_draw();
    water_spray_update();
    hud_draw();
    if (mission_running()) {
        heli_draw();
        fire_sound_update();
    }
    if (mission_running()) draw_trans_sprite(back_buffer, cursor_bmp, mouse_x, mouse_y);
    wind_update();
    if (!mission_running() && mission_end_update()) {
        mission_start();
        return FRAME_NEW_MISSION;
    }
    // The player's own keys: M turns the sound off or on; P, or the window losing
    // the focus, pauses over the frame just composed.
    mute_key_check();
    if (pause_wanted()) pause_begin();
    prev_mouse_b = mouse_b;
    return FRAME_CONTINUE;
}

void game_loop() {
    for (;;) {
        mission = 0;
        resumed = false;
        highest_mission = 0;
        drawing_mode(DRAW_MODE_SOLID, nullptr, 0, 0);
        std::string map_problem = game_map_load(MAP_FILE_NAME);
        if (!map_problem.empty()) {
            fprintf(stderr, "highrise: %s\n", map_problem.c_str());
            allegro_exit();
            exit(1);
        }
        drawing_mode(DRAW_MODE_TRANS, nullptr, 0, 0);
        briefing_build();
        int choice = menu_run();
        if (choice == MENU_EXIT) {
            shutdown_game();
            return;
        }
        // "Resume" without a readable saved game is a new game, with a new score.
        if (choice != MENU_RESUME || !resume_saved_game()) score = 0;
        set_trans_blender(0, 0, 0, 210);
        mission_start();
        for (;;) {
            frame_present();
            frame_poll_input();
            if (frame_step() == FRAME_GAME_OVER) break;
        }
    }
}
