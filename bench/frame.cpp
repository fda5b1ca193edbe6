// The whole frame at its worst, composed headlessly by the game's own frame code
// without pacing: mission 7 of the shipped map with the real assets, the view in the
// middle of the building, 1024 droplets in flight, every person of a floor walking,
// lit elevator cars all along every shaft in view and every fire burning. Prints the
// mean and 99th percentile per frame next to the floor of a frame (the bytes it must
// move at least, copied with memcpy in the same run), then the map load time, the
// real game's start-up to its first intro frame and the time to generate the assets.
//
//   frame [map] [frames] [startup] [assets] [--picture <file.bmp>]
// runs the parts named (all of them by default); --picture saves the last frame
// composed. `frame --launch <program>` is the start-up measure's own launcher: it
// stamps the clock and becomes the game, with first_frame_shim preloaded.
#include "hazards/hazards.h"
#include "map/map.h"
#include "people/people.h"
#include "shell/game_state.h"
#include "shell/rng.h"
#include "support/headless.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

namespace fs = std::filesystem;
using bench_clock = std::chrono::steady_clock;

constexpr int WARM_UP_FRAMES = 100;
constexpr int FRAMES = 2000;
constexpr int STARTUP_RUNS = 5;
constexpr int ASSET_RUNS = 3;

double ms_between(bench_clock::time_point a, bench_clock::time_point b) {
    return std::chrono::duration<double, std::milli>(b - a).count();
}

// Processor time of this thread: on a shared machine it leaves out the time spent
// waiting for a processor, which the wall clock counts.
double cpu_ms() {
    timespec ts;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

struct figures {
    double mean, median, p99, best;
};

figures summarise(std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    double sum = 0;
    for (double s : samples) sum += s;
    size_t n = samples.size();
    return {sum / n, samples[n / 2], samples[std::min(n - 1, n * 99 / 100)], samples[0]};
}

const char *verdict(bool met) {
    return met ? "met" : "NOT met";
}

// ---- the worst-case scene ----------------------------------------------------

// The state a frame changes that would drift away from the worst case (droplets
// landing and falling away, people reaching the door, fires put out); it is put
// back before every frame, outside the timed part.
using state_parts = std::vector<std::pair<void *, size_t>>;

state_parts drop_parts() {
    return {{drop_x, sizeof drop_x},         {drop_y, sizeof drop_y},
            {drop_vx, sizeof drop_vx},       {drop_vy, sizeof drop_vy},
            {drop_timer, sizeof drop_timer}, {&drop_count, sizeof drop_count}};
}

state_parts scene_parts() {
    state_parts parts = {{people, sizeof people},
                         {&people_count, sizeof people_count},
                         {&rescued_count, sizeof rescued_count},
                         {slot_grid, sizeof slot_grid},
                         {pickup_queue, sizeof pickup_queue},
                         {&pickup_count, sizeof pickup_count},
                         {&rescue_heli_x, sizeof rescue_heli_x},
                         {&rescue_heli_y, sizeof rescue_heli_y},
                         {fire_strength, sizeof fire_strength},
                         {fire_x, sizeof fire_x},
                         {fire_y, sizeof fire_y},
                         {&fire_count, sizeof fire_count},
                         {&score, sizeof score},
                         {map_layers[0], sizeof(int16_t) * map_width * map_height}};
    state_parts drops = drop_parts();
    parts.insert(parts.end(), drops.begin(), drops.end());
    return parts;
}

std::vector<uint8_t> take(const state_parts &parts) {
    std::vector<uint8_t> copy;
    for (auto [at, n] : parts) copy.insert(copy.end(), (uint8_t *)at, (uint8_t *)at + n);
    return copy;
}

void put_back(const state_parts &parts, const std::vector<uint8_t> &copy) {
    size_t from = 0;
    for (auto [at, n] : parts) {
        memcpy(at, copy.data() + from, n);
        from += n;
    }
}

std::vector<uint8_t> scene;

int mouse_at_x, mouse_at_y;

// What the game would read after polling: the crosshair on a fire, the button held
// (spraying) or not.
void set_input(bool spraying) {
    mouse_x = mouse_at_x;
    mouse_y = mouse_at_y;
    mouse_b = spraying ? 1 : 0;
    for (int k = 0; k < KEY_MAX; k++) key[k] = 0;
}

bool is_door(const map_block *b) {
    return b->user1 == 2 || b->user1 == 3;
}

struct scene_facts {
    int walking = 0, people_drawn = 0, tiles_drawn = 0, cars = 0;
    std::vector<BITMAP *> tiles; // the tile bitmaps the view shows, for the floor
};

// The floor in view with the most people, every one of them set walking to its
// elevator door. Fires cut most floors of this mission off from their doors, so
// this is done as a call would do it, without the way check.
int set_floor_walking() {
    int first_row = scroll_y / TILE_SIZE, last_row = (scroll_y + SCREEN_HEIGHT - 1) / TILE_SIZE;
    int best_row = first_row, best = -1;
    for (int r = first_row; r <= last_row; r++) {
        int n = 0;
        for (int i = 0; i < people_count; i++) n += people[i].y / TILE_SIZE == r;
        if (n > best) best = n, best_row = r;
    }
    int door_col = BUILDING_COLS - 1;
    for (int c = 0; c < BUILDING_COLS; c++)
        if (is_door(map_get_block(mission_col_offset + c, best_row))) door_col = c;
    int target_x = BUILDING_SCREEN_X + TILE_SIZE * door_col + 23;
    int walking = 0;
    for (int i = 0; i < people_count; i++) {
        person &p = people[i];
        if (p.y / TILE_SIZE != best_row || p.state != PERSON_STANDING) continue;
        slot_grid[best_row * BUILDING_COLS + (p.x - BUILDING_SCREEN_X) / TILE_SIZE] &=
            ~(1u << (p.slot_col + 3 * p.slot_row));
        p.target_x = target_x == p.x ? target_x + 1 : target_x;
        p.target_y = TILE_SIZE * best_row + 54;
        p.state = PERSON_TO_ELEVATOR;
        p.pose = p.target_x > p.x ? POSE_WALK_RIGHT : POSE_WALK_LEFT;
        p.frame = 0;
        p.status = STATUS_IN_TRANSIT;
        walking++;
    }
    return walking;
}

// Lit elevator cars in every shaft in view, one above the other from the top of the
// screen to its bottom, as many as a frame draws (MAX_RIDE_CARS): people of floors
// out of view are put inside them, riding away from any door so that nobody arrives.
void set_riders_in_view() {
    int cols[BUILDING_COLS], shafts = 0;
    int first_row = scroll_y / TILE_SIZE, last_row = (scroll_y + SCREEN_HEIGHT - 1) / TILE_SIZE;
    for (int c = 0; c < BUILDING_COLS; c++)
        for (int r = first_row; r <= last_row; r++)
            if (is_door(map_get_block(mission_col_offset + c, r))) {
                cols[shafts++] = c;
                break;
            }
    int placed = 0, i = people_count - 1;
    for (int y = scroll_y + 60; y < scroll_y + SCREEN_HEIGHT + 30 && placed < MAX_RIDE_CARS;
         y += 45)
        for (int s = 0; s < shafts && placed < MAX_RIDE_CARS; s++) {
            while (i >= 0 && (people[i].state != PERSON_STANDING ||
                              (people[i].y >= scroll_y - 64 && people[i].y < scroll_y + 900)))
                i--;
            if (i < 0) return;
            person &p = people[i--];
            p.x = BUILDING_SCREEN_X + TILE_SIZE * cols[s] + 23;
            p.y = p.origin_y = y;
            p.target_y = y + 100000;
            p.state = PERSON_RIDING;
            p.hidden = 1;
            placed++;
        }
}

// The burning tile in view nearest the middle of the screen, as the crosshair's
// target; the middle of the screen when there is none.
void aim_at_a_fire() {
    int best = -1, best_d = 1 << 30;
    for (int k = 0; k < fire_count; k++) {
        int sy = fire_y[k] - scroll_y;
        if (fire_x[k] < 0 || sy < 80 || sy >= 690) continue;
        int d = abs(fire_x[k] - SCREEN_WIDTH / 2) + abs(sy - SCREEN_HEIGHT / 2);
        if (d < best_d) best_d = d, best = k;
    }
    int x = best < 0 ? SCREEN_WIDTH / 2 : fire_x[best],
        y = best < 0 ? 384 : fire_y[best] - scroll_y;
    mouse_at_x = x - 16;
    mouse_at_y = y - 16;
}

scene_facts describe_scene() {
    scene_facts f;
    for (int i = 0; i < people_count; i++) {
        const person &p = people[i];
        int sy = p.y - scroll_y;
        f.walking += p.state == PERSON_TO_ELEVATOR;
        f.cars += p.state == PERSON_RIDING;
        f.people_drawn += p.hidden == 0 && sy >= 0 && sy < SCREEN_HEIGHT + 64;
    }
    map_select_layer(0);
    for (int r = scroll_y / TILE_SIZE; r <= (scroll_y + SCREEN_HEIGHT - 1) / TILE_SIZE; r++)
        for (int c = 0; c < BUILDING_COLS; c++) {
            const map_block *b = map_get_block(mission_col_offset + c, r);
            if ((b->flags & BLOCK_TRANSPARENT) && b->bg_gfx == tile_bitmaps[0]) continue;
            f.tiles.push_back(b->bg_gfx);
        }
    f.tiles_drawn = (int)f.tiles.size();
    return f;
}

void fill_drop_table() {
    while (drop_count < MAX_DROPS) water_add_drop(heli_x, heli_y, aim_x, aim_y);
}

bool set_up_scene() {
    drawing_mode(DRAW_MODE_SOLID, nullptr, 0, 0);
    if (map_load(data_path("buildings.fmp").c_str()) != 0) return false;
    drawing_mode(DRAW_MODE_TRANS, nullptr, 0, 0);
    set_trans_blender(0, 0, 0, 210);
    game_srand(7);
    mission = 6;
    resumed = false;
    score = 0;
    mission_start();
    scroll_y = scroll_target = SCROLL_Y_MAX / 2;
    aim_at_a_fire();
    // Let the helicopter come to its hover beside the crosshair.
    for (int f = 0; f < 120; f++) {
        set_input(false);
        frame_step();
    }
    // A jet of every age: the table is kept full while the sprayer plays on. The
    // fires it weakens meanwhile are put back as they were.
    std::vector<uint8_t> before_jet = take(scene_parts());
    for (int f = 0; f < 40; f++) {
        fill_drop_table();
        set_input(true);
        frame_step();
    }
    fill_drop_table();
    std::vector<uint8_t> jet = take(drop_parts());
    put_back(scene_parts(), before_jet);
    put_back(drop_parts(), jet);
    set_floor_walking();
    set_riders_in_view();
    scene = take(scene_parts());
    return true;
}

// ---- the floor: the bytes a frame moves at least ------------------------------

size_t bitmap_bytes(BITMAP *b) {
    return (size_t)b->w * b->h * ((bitmap_color_depth(b) + 7) / 8);
}

std::vector<uint8_t> tile_copies;

// The backdrop into the back buffer, every tile in view, the back buffer to the
// screen: each is one memcpy, since a memory bitmap keeps its rows in one block.
void copy_floor(const scene_facts &f) {
    memcpy(back_buffer->line[0], backdrop_bmp->line[0], bitmap_bytes(backdrop_bmp));
    size_t tile = bitmap_bytes(f.tiles[0]), at = 0;
    for (BITMAP *t : f.tiles) {
        memcpy(tile_copies.data() + at, t->line[0], tile);
        at += tile;
    }
    memcpy(screen->line[0], back_buffer->line[0], bitmap_bytes(back_buffer));
}

void bench_frames(const char *picture) {
    if (!set_up_scene()) {
        printf("frame: the map %s cannot be loaded\n", data_path("buildings.fmp").c_str());
        return;
    }
    put_back(scene_parts(), scene);
    scene_facts facts = describe_scene();
    tile_copies.resize(bitmap_bytes(facts.tiles[0]) * facts.tiles.size());
    std::vector<double> frame_ms, floor_ms;
    double frame_cpu = 0, floor_cpu = 0;
    int ended = 0;
    for (int f = 0; f < WARM_UP_FRAMES + FRAMES; f++) {
        put_back(scene_parts(), scene);
        set_input(true);
        double c0 = cpu_ms();
        auto t0 = bench_clock::now();
        blit(back_buffer, screen, 0, 0, 0, 0, SCREEN_WIDTH, SCREEN_HEIGHT); // the present
        FrameResult result = frame_step();
        auto t1 = bench_clock::now();
        double c1 = cpu_ms();
        // The floor overwrites the back buffer: the picture is taken before it.
        if (picture && f == WARM_UP_FRAMES + FRAMES - 1 &&
            save_bitmap(picture, back_buffer, nullptr) != 0)
            printf("frame: cannot save the picture %s\n", picture);
        double c2 = cpu_ms();
        auto t2 = bench_clock::now();
        copy_floor(facts);
        auto t3 = bench_clock::now();
        double c3 = cpu_ms();
        ended += result != FRAME_CONTINUE;
        if (f < WARM_UP_FRAMES) continue;
        frame_ms.push_back(ms_between(t0, t1));
        floor_ms.push_back(ms_between(t2, t3));
        frame_cpu += c1 - c0;
        floor_cpu += c3 - c2;
    }
    frame_cpu /= FRAMES;
    floor_cpu /= FRAMES;
    figures fr = summarise(frame_ms), fl = summarise(floor_ms);
    const double kib = 1024.0;
    printf("worst-case frame: mission %d, view at map y %d, %d droplets, %d people of a floor "
           "walking (%d drawn), %d lit elevator cars, %d fires burning, %d tiles drawn%s\n",
           mission + 1, scroll_y, MAX_DROPS, facts.walking, facts.people_drawn, facts.cars,
           fire_count, facts.tiles_drawn, ended ? " (SOME FRAMES ENDED THE MISSION OR GAME)" : "");
    printf("  frame (present + frame_step): mean %.3f ms, median %.3f ms, p99 %.3f ms over %d "
           "frames (processor time: mean %.3f ms)\n",
           fr.mean, fr.median, fr.p99, FRAMES, frame_cpu);
    printf("  memcpy floor (backdrop %.0f KiB + %d tiles %.0f KiB + back buffer %.0f KiB): mean "
           "%.3f ms, p99 %.3f ms (processor time: mean %.3f ms)\n",
           bitmap_bytes(backdrop_bmp) / kib, facts.tiles_drawn, tile_copies.size() / kib,
           bitmap_bytes(back_buffer) / kib, fl.mean, fl.p99, floor_cpu);
    printf("  ratio frame / floor: %.2f (means; %.2f in processor time)\n", fr.mean / fl.mean,
           frame_cpu / floor_cpu);
    printf("  goals: mean under 1.5 ms: %s; within 4 times the floor: %s\n", verdict(fr.mean < 1.5),
           verdict(fr.mean < 4 * fl.mean));
}

// ---- map load -----------------------------------------------------------------

long minor_faults() {
    rusage u;
    getrusage(RUSAGE_SELF, &u);
    return u.ru_minflt;
}

// The first load of a run meets fresh memory, whose pages the system maps as they
// are first touched (page faults): it is shown apart from the loads that follow.
void bench_map_load() {
    std::string path = data_path("buildings.fmp");
    std::vector<double> ms, cpu;
    std::vector<long> faults;
    for (int i = 0; i < 21; i++) {
        long f0 = minor_faults();
        double c0 = cpu_ms();
        auto t0 = bench_clock::now();
        if (map_load(path.c_str()) != 0) {
            printf("map load: %s fails with error %d\n", path.c_str(), map_error);
            return;
        }
        ms.push_back(ms_between(t0, bench_clock::now()));
        cpu.push_back(cpu_ms() - c0);
        faults.push_back(minor_faults() - f0);
    }
    figures wall = summarise({ms.begin() + 1, ms.end()});
    figures processor = summarise({cpu.begin() + 1, cpu.end()});
    std::vector<long> later(faults.begin() + 1, faults.end());
    std::sort(later.begin(), later.end());
    printf("map load (buildings.fmp, %d x %d tiles, %d graphics):\n", map_width, map_height,
           gfx_count);
    printf("  first %.1f ms (processor time %.1f ms, %ld page faults); then median %.1f ms, "
           "best %.1f ms (processor time %.1f ms, %ld page faults)\n",
           ms[0], cpu[0], faults[0], wall.median, wall.best, processor.median,
           later[later.size() / 2]);
    printf("  goal under 30 ms: %s for the first, %s for the others (medians)\n",
           verdict(ms[0] < 30), verdict(wall.median < 30));
}

// ---- child processes ------------------------------------------------------------

// Runs argv in `dir` with its output discarded; the exit status, or -1 when it did
// not end by itself within `timeout_s` seconds.
int run(const std::vector<std::string> &argv, const std::string &dir, int timeout_s) {
    fflush(nullptr); // or the child would print this program's pending output again
    pid_t pid = fork();
    if (pid < 0) return -1;
    if (pid == 0) {
        if (chdir(dir.c_str()) != 0) _exit(127);
        if (!freopen("/dev/null", "w", stdout) || !freopen("/dev/null", "w", stderr)) _exit(127);
        setpgid(0, 0); // its own group, so that a hung run is stopped whole
        std::vector<char *> args;
        for (const std::string &a : argv) args.push_back(const_cast<char *>(a.c_str()));
        args.push_back(nullptr);
        execvp(args[0], args.data());
        _exit(127);
    }
    auto start = bench_clock::now();
    int status = 0;
    while (waitpid(pid, &status, WNOHANG) == 0) {
        if (ms_between(start, bench_clock::now()) > timeout_s * 1000.0) {
            kill(-pid, SIGKILL);
            waitpid(pid, &status, 0);
            return -1;
        }
        usleep(2000);
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string self_path() {
    char buf[4096];
    ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    return n > 0 ? std::string(buf, (size_t)n) : std::string();
}

// The real game under Xvfb, from its data folder: the launcher stamps the clock just
// before it becomes the game, and the preloaded shim stamps the intro's first blit.
void bench_startup() {
    std::string out =
        (fs::temp_directory_path() / ("highrise-first-frame-" + std::to_string(getpid()))).string();
    setenv("FIRST_FRAME_OUT", out.c_str(), 1);
    // The game finds its data beside itself; it runs from a scratch folder that is also
    // its player's folder, so that no real player's files are touched.
    std::string scratch = out + "-home";
    fs::create_directories(scratch);
    setenv("XDG_DATA_HOME", scratch.c_str(), 1);
    std::vector<double> ms;
    for (int i = 0; i < STARTUP_RUNS; i++) {
        remove(out.c_str());
        int status = run({"xvfb-run", "-a", "-s", "-screen 0 1280x1024x24", self_path(), "--launch",
                          std::string(HIGHRISE_BUILD_DIR) + "/highrise"},
                         scratch, 60);
        FILE *f = fopen(out.c_str(), "r");
        double value = 0;
        bool ok = f && fscanf(f, "%lf", &value) == 1;
        if (f) fclose(f);
        if (status != 0 || !ok) {
            printf("start-up to the intro: run %d failed (status %d; is xvfb-run installed?)\n",
                   i + 1, status);
            remove(out.c_str());
            fs::remove_all(scratch);
            return;
        }
        ms.push_back(value);
    }
    remove(out.c_str());
    fs::remove_all(scratch);
    figures f = summarise(ms);
    printf("start-up to the first intro frame: median %.1f ms, best %.1f ms over %d runs (goal "
           "under 300 ms: %s)\n",
           f.median, f.best, STARTUP_RUNS, verdict(f.median < 300));
    printf("  method: build/highrise under xvfb-run from a scratch folder; the clock starts just "
           "before exec and stops at the first blit to the screen of a picture that is not "
           "all black (an LD_PRELOAD shim, bench/first_frame_shim.c)\n");
}

int launch(const char *program) {
    auto now = std::chrono::duration_cast<std::chrono::nanoseconds>(
                   std::chrono::steady_clock::now().time_since_epoch())
                   .count();
    setenv("FIRST_FRAME_T0_NS", std::to_string((long long)now).c_str(), 1);
    setenv("LD_PRELOAD", FIRST_FRAME_SHIM, 1);
    execl(program, program, (char *)nullptr);
    perror(program);
    return 127;
}

void bench_asset_generation() {
    std::vector<std::string> levelc = {std::string(HIGHRISE_BUILD_DIR) + "/tools/levelc", "-o",
                                       "buildings.fmp"};
    std::vector<std::string> levels;
    for (const auto &e : fs::directory_iterator(std::string(HIGHRISE_SOURCE_DIR) + "/levels"))
        if (e.path().extension() == ".txt") levels.push_back(e.path().string());
    std::sort(levels.begin(), levels.end());
    levelc.insert(levelc.end(), levels.begin(), levels.end());
    std::vector<double> assetgen_ms, levelc_ms, total_ms;
    for (int i = 0; i < ASSET_RUNS; i++) {
        char name[] = "/tmp/highrise-assets-XXXXXX";
        if (!mkdtemp(name)) return;
        auto t0 = bench_clock::now();
        int a = run({std::string(HIGHRISE_BUILD_DIR) + "/tools/assetgen", name}, name, 120);
        auto t1 = bench_clock::now();
        int l = run(levelc, name, 120);
        auto t2 = bench_clock::now();
        fs::remove_all(name);
        if (a != 0 || l != 0) {
            printf("asset generation failed (assetgen %d, levelc %d)\n", a, l);
            return;
        }
        assetgen_ms.push_back(ms_between(t0, t1));
        levelc_ms.push_back(ms_between(t1, t2));
        total_ms.push_back(ms_between(t0, t2));
    }
    printf("asset generation into a temporary folder: assetgen %.0f ms, levelc %.0f ms, "
           "together %.0f ms (medians of %d runs)\n",
           summarise(assetgen_ms).median, summarise(levelc_ms).median, summarise(total_ms).median,
           ASSET_RUNS);
}

} // namespace

int main(int argc, char **argv) {
    if (argc == 3 && strcmp(argv[1], "--launch") == 0) return launch(argv[2]);
    const char *picture = nullptr;
    std::vector<std::string> parts;
    for (int i = 1; i < argc; i++) {
        if (strcmp(argv[i], "--picture") == 0 && i + 1 < argc)
            picture = argv[++i];
        else
            parts.push_back(argv[i]);
    }
    auto wanted = [&](const char *part) {
        return parts.empty() || std::find(parts.begin(), parts.end(), part) != parts.end();
    };
    // The game's own assets first, as at the game's start-up, before the map.
    if ((wanted("map") || wanted("frames")) && !headless_load_data_assets()) {
        printf("frame: the assets in %s cannot be loaded (build the project first)\n",
               HIGHRISE_DATA_DIR);
        return 1;
    }
    if (wanted("map")) bench_map_load();
    if (wanted("frames")) bench_frames(picture);
    map_free();
    if (wanted("startup")) bench_startup();
    if (wanted("assets")) bench_asset_generation();
    return 0;
}
