// The people's per-frame pass at the table's full size: 1024 people, most of them
// walking and riding, drawn into the back buffer. Prints the time per frame.
#include "people/people.h"
#include "shell/game_state.h"
#include "support/headless.h"
#include "support/test_map.h"

#include <chrono>
#include <cstdio>

namespace {

constexpr int FRAMES = 3000;

BITMAP *solid(int w, int h, int colour) {
    BITMAP *bmp = create_bitmap(w, h);
    clear_to_color(bmp, colour);
    return bmp;
}

} // namespace

int main() {
    headless_make_resources();
    // Every tile holds nine people; every fourth column is a shaft of doors.
    std::vector<test_block> blocks(3);
    blocks[0].user2 = 9;
    blocks[1].user1 = 2;
    blocks[1].user2 = 9;
    blocks[2].user1 = 3;
    blocks[2].user2 = 9;
    test_map_create(TEST_MAP_COLS, TEST_MAP_ROWS, blocks);
    for (int r = 0; r < 120; r++)
        for (int c = 3; c < 14; c += 4) map_set_cell(c, r, r % 2 ? 2 : 1);
    for (int s = 0; s < SPRITE_SETS; s++)
        for (int slot = 0; slot < SPRITE_SLOTS; slot++) {
            leg_sprites[s][slot] = solid(9, 18, makecol(40, 40, 160));
            body_sprites[s][slot] = solid(13, 16, makecol(200, 60, 60));
            face_sprites[s][slot] = solid(9, 10, makecol(230, 190, 150));
        }
    mission = mission_col_offset = 0;
    place_people(0);
    printf("people placed: %d (table %zu bytes)\n", people_count, sizeof people);
    // All of them are on the first floors, in view; their floors are called again
    // and again so that they keep walking and riding.
    scroll_y = 0;

    double total = 0, worst = 0;
    for (int f = 0; f < FRAMES; f++) {
        if (f % 100 == 0)
            for (int r = 0; r < 12; r++)
                for (int c = 3; c < 14; c += 4) call_elevator(64 + 64 * c, 64 * r + 54);
        auto start = std::chrono::steady_clock::now();
        update_and_draw_people();
        double us =
            std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
                .count();
        total += us;
        if (us > worst) worst = us;
    }
    int visible = 0, moving = 0;
    for (int i = 0; i < people_count; i++) {
        int sy = people[i].y - scroll_y;
        visible += people[i].hidden == 0 && sy >= 0 && sy < 832;
        moving += people[i].state != PERSON_STANDING;
    }
    printf("frames: %d, mean %.1f us, worst %.1f us per update_and_draw_people\n", FRAMES,
           total / FRAMES, worst);
    printf("at the end: %d visible, %d not standing, %d queued\n", visible, moving, pickup_count);
    return 0;
}
