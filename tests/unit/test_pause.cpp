// The pause and the mute key, driven through frame_step() on the first mission of the
// real map: what a paused frame reads and leaves alone, the mission's clock, the looping
// samples' levels, and the P and M keys held from before.
#include "hazards/hazards.h"
#include "map/map.h"
#include "people/people.h"
#include "screens/screens.h"
#include "shell/dialogs.h"
#include "shell/game_state.h"
#include "shell/pause.h"
#include "shell/rng.h"
#include "shell/sound.h"
#include "support/headless.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

struct PauseTest : testing::Test {
    void SetUp() override {
        ASSERT_TRUE(headless_load_data_assets());
        ASSERT_EQ(map_load(data_path("buildings.fmp").c_str()), 0);
        drawing_mode(DRAW_MODE_TRANS, nullptr, 0, 0);
        set_trans_blender(0, 0, 0, 210);
        release_all();
        game_srand(99);
        mission = resumed = score = 0;
        mission_start();
        // Spraying over a door-free spot for a while: droplets fly, the helicopter sways.
        for (int f = 0; f < 40; f++) frame(600, 300, 1);
    }
    void TearDown() override {
        release_all();
        if (game_pause.on) frame(600, 300, 0, KEY_P); // leave no pause to the next test
        sound_set_muted(false);
        dialog_box_hook = nullptr;
        map_free();
        drawing_mode(DRAW_MODE_SOLID, nullptr, 0, 0);
    }
    static void release_all() {
        for (int k = 0; k < KEY_MAX; k++) key[k] = 0;
        mouse_b = prev_mouse_b = 0;
    }
    // One frame with the crosshair at (x, y), these buttons and one key down.
    static FrameResult frame(int x, int y, int buttons, int held_key = -1) {
        mouse_x = x - 16, mouse_y = y - 16, mouse_b = buttons;
        for (int k : {KEY_P, KEY_M, KEY_S, KEY_SPACE, KEY_UP, KEY_DOWN}) key[k] = k == held_key;
        return frame_step();
    }
    // Everything a frame of play moves.
    static std::string state() {
        const int v[] = {scroll_y,      scroll_target, heli_x,
                         heli_y,        heli_tilt,     wind_volume,
                         wind_freq,     score,         drop_count,
                         rescue_heli_x, rescue_heli_y, (int)game_rand_state(),
                         people_count,  prev_mouse_z,  (int)mission_start_time};
        std::string s((const char *)v, sizeof v);
        s.append((const char *)people, sizeof people).append((const char *)drop_x, sizeof drop_x);
        s.append((const char *)slot_grid, sizeof slot_grid);
        for (int y = 0; y < SCREEN_HEIGHT; y++)
            s.append((const char *)back_buffer->line[y], 2 * SCREEN_WIDTH);
        return s;
    }
    static bool loops_heard_at_their_levels() {
        for (sound_loop l : {LOOP_ENGINE, LOOP_WIND, LOOP_WATER, LOOP_FIRE})
            if (sound_loop_heard_volume(l) != sound_loop_levels(l).volume) return false;
        return true;
    }
    static bool loops_silent() {
        for (sound_loop l : {LOOP_ENGINE, LOOP_WIND, LOOP_WATER, LOOP_FIRE})
            if (sound_loop_heard_volume(l) != 0) return false;
        return true;
    }
};

TEST_F(PauseTest, APausedFrameMovesNothingAndOnlyPOrAClickEndsIt) {
    EXPECT_EQ(frame(600, 300, 1, KEY_P), FRAME_CONTINUE); // the frame runs to its end, then pauses
    ASSERT_TRUE(game_pause.on);
    // The box in the middle of the frame: translucent white over the night sky.
    int c = getpixel(back_buffer, SCREEN_WIDTH / 2, SCREEN_HEIGHT / 2 - text_h);
    EXPECT_TRUE(getr(c) > 180 && getg(c) > 180 && getb(c) > 180) << std::hex << c;
    const std::string paused = state();
    const int water = sound_loop_levels(LOOP_WATER).volume;
    EXPECT_TRUE(water > 0 && loops_silent());
    // The hand goes on: moves, right button, wheel, keys, P still held from the pause,
    // and the left button held since before it; none of it is read.
    for (int f = 0; f < 120; f++) {
        mouse_z += f % 7 == 0;
        const int keys[] = {KEY_M, KEY_S, KEY_SPACE, KEY_UP, KEY_DOWN};
        ASSERT_EQ(frame(100 + 7 * f, 50 + 5 * f, f < 60 ? 1 : 2, f < 10 ? KEY_P : keys[f % 5]),
                  FRAME_PAUSED)
            << f;
    }
    EXPECT_TRUE(game_pause.on && !sound_muted() && state() == paused);
    EXPECT_EQ(sound_loop_levels(LOOP_WATER).volume, water); // the levels are kept

    // P, after it has been up, ends the pause: the loops come back at their levels, and
    // play goes on from where it stood, without the wheel turned meanwhile.
    frame(600, 300, 0);
    EXPECT_EQ(frame(600, 300, 0, KEY_P), FRAME_PAUSED);
    EXPECT_TRUE(!game_pause.on && loops_heard_at_their_levels());
    const uint32_t before = game_rand_state();
    const int scroll = scroll_target;
    EXPECT_EQ(frame(600, 300, 0, KEY_P), FRAME_CONTINUE); // P still held: no new pause
    EXPECT_TRUE(!game_pause.on && game_rand_state() != before && scroll_target == scroll);

    // A left click ends it on its release; a press held from before the pause does not.
    frame(600, 300, 0);
    frame(600, 300, 1, KEY_P);
    ASSERT_TRUE(game_pause.on);
    const int buttons[][2] = {{1, 1}, {0, 1}, {2, 1}, {3, 1}, {0, 1}, {1, 1}, {1, 1}, {0, 0}};
    for (const auto &b : buttons) {
        frame(300, 300, b[0]);
        EXPECT_EQ(game_pause.on, b[1] == 1) << b[0];
    }
}

TEST_F(PauseTest, EscapeStillAsksAndAYesEndsThePausedGame) {
    static std::string asked;
    static int answer;
    dialog_box_hook = [](const char *line, const char *, const char *) {
        asked += line;
        return answer;
    };
    frame(600, 300, 0, KEY_P);
    asked.clear(), answer = 2;
    key[KEY_ESC] = 1;
    EXPECT_EQ(frame_step(), FRAME_PAUSED); // "No": still paused, still silent
    EXPECT_TRUE(asked == QUESTION_QUIT && game_pause.on && loops_silent());
    answer = 1;
    EXPECT_EQ(frame_step(), FRAME_GAME_OVER);
    EXPECT_TRUE(!game_pause.on && loops_heard_at_their_levels()); // heard on the briefing
}

// The clock moves on by the time spent paused, so the bonus goes on from where it stood.
TEST_F(PauseTest, TheMissionClockMovesOnByTheSecondsSpentPaused) {
    mission_start_time = time(nullptr) - 100;
    frame(600, 300, 0);
    const int bonus = time_bonus;
    const time_t start = mission_start_time;
    ASSERT_TRUE(bonus == 17000 || bonus == 16990) << bonus; // 16990 if a second ended
    frame(600, 300, 0, KEY_P);
    game_pause.began -= 5, mission_start_time -= 5; // five seconds pass
    frame(600, 300, 0);
    frame(600, 300, 0, KEY_P);
    EXPECT_EQ(time_bonus, bonus); // the paused frames did not recompute it
    const long moved = (long)(mission_start_time - (start - 5));
    EXPECT_TRUE(moved == 5 || moved == 6) << moved; // 6 if a second ended meanwhile
    frame(600, 300, 0);
    EXPECT_TRUE(time_bonus == bonus || time_bonus == bonus - 10) << time_bonus;
    // A clock set back while paused moves nothing back.
    frame(600, 300, 0, KEY_P);
    game_pause.began += 1000;
    const time_t before = mission_start_time;
    frame(600, 300, 0);
    frame(600, 300, 0, KEY_P);
    EXPECT_EQ(mission_start_time, before);
}

// The P of "Play Now" may still be down when play starts; the window losing the focus
// pauses at the end of the frame as P does.
TEST_F(PauseTest, APHeldFromTheBriefingAndAFocusLostBeforePlayDoNotPause) {
    pause_focus_lost();
    key[KEY_P] = 1;
    mission_start();
    for (int f = 0; f < 30; f++) ASSERT_EQ(frame(600, 300, 0, KEY_P), FRAME_CONTINUE) << f;
    EXPECT_FALSE(game_pause.on);
    frame(600, 300, 0);
    EXPECT_FALSE(game_pause.on);
    pause_focus_lost();
    EXPECT_EQ(frame(600, 300, 0), FRAME_CONTINUE);
    EXPECT_TRUE(game_pause.on && loops_silent());
    EXPECT_EQ(frame(600, 300, 0), FRAME_PAUSED); // it stays until the player ends it
}

// M turns every loop and tune off for good and back on; during play and on the briefing,
// once per press, and not by an M held from before.
TEST_F(PauseTest, MuteSilencesTheLoopsAndTunesUntilMIsPressedAgain) {
    EXPECT_TRUE(loops_heard_at_their_levels() && sound_tune_play(points1_midi));
    frame(600, 300, 1, KEY_M);
    EXPECT_TRUE(sound_muted());
    for (int f = 0; f < 20; f++) frame(600, 300, 1, KEY_M); // held: once
    EXPECT_TRUE(sound_muted() && loops_silent());
    EXPECT_GT(sound_loop_levels(LOOP_WATER).volume, 0); // the game still sets its levels
    EXPECT_FALSE(sound_tune_play(points1_midi));
    // A pause and its end keep it silent.
    frame(600, 300, 0), frame(600, 300, 0, KEY_P), frame(600, 300, 0), frame(600, 300, 0, KEY_P);
    EXPECT_TRUE(!game_pause.on && loops_silent());
    // An M held into the next mission does not count until released.
    key[KEY_M] = 1;
    mission_start();
    frame(600, 300, 0, KEY_M);
    EXPECT_TRUE(sound_muted());
    frame(600, 300, 0), frame(600, 300, 0, KEY_M);
    EXPECT_TRUE(!sound_muted() && loops_heard_at_their_levels());

    // The briefing: an M held when it opens counts once released; then once per press.
    menu_keys keys;
    key[KEY_M] = 1;
    menu_keys_open(&keys);
    const int passes[][2] = {{1, 0}, {0, 0}, {1, 1}, {1, 1}, {0, 1}, {1, 0}};
    for (const auto &p : passes) {
        key[KEY_M] = (char)p[0];
        menu_mute_key(&keys);
        EXPECT_EQ(sound_muted(), p[1] == 1) << p[0];
    }
    key[KEY_M] = 0;
}

} // namespace
