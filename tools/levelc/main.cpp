// levelc [-o buildings.fmp] [--report] mission1.txt ... mission7.txt
//
// Checks the seven missions and, when all pass and an output is named, writes the
// map. Faults go to stderr as "file:line:column: message"; nothing is written then.
#include "levelc/levelc.h"

#include <allegro.h>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

int main(int argc, char **argv) {
    std::string output;
    bool report = false;
    std::vector<std::string> files;
    for (int i = 1; i < argc; i++) {
        if (strcmp(argv[i], "-o") == 0 && i + 1 < argc)
            output = argv[++i];
        else if (strcmp(argv[i], "--report") == 0)
            report = true;
        else if (argv[i][0] == '-') {
            fprintf(stderr, "usage: levelc [-o buildings.fmp] [--report] mission files...\n");
            return 2;
        } else
            files.push_back(argv[i]);
    }
    if (files.size() != (size_t)MISSION_COUNT) {
        fprintf(stderr, "levelc: %d mission files are needed, %d given\n", MISSION_COUNT,
                (int)files.size());
        return 2;
    }

    std::vector<mission> missions(files.size());
    std::vector<route_stats> stats(files.size());
    std::vector<level_error> errors;
    for (size_t i = 0; i < files.size(); i++)
        if (level_read_file(files[i], missions[i], errors))
            level_check(missions[i], errors, &stats[i]);
    for (const level_error &e : errors) fprintf(stderr, "%s\n", level_error_text(e).c_str());
    if (!errors.empty()) return 1;

    if (report)
        for (size_t i = 0; i < files.size(); i++) {
            const route_stats &s = stats[i];
            play_estimate play = level_estimate_play(missions[i]);
            printf("mission %d (%s): %d people, %d fires, %d doors in %d shafts, roof at row %d, "
                   "beacon at row %d, longest way out %d rides over %d storeys; ",
                   (int)i + 1, missions[i].title.c_str(), s.people, s.fires, s.doors, s.shafts,
                   s.top_row, s.beacon_row, s.longest_rides, s.longest_storeys);
            if (play.finished)
                printf("played through in %d:%02d (%d calls, %d fires put out, %d rides back)\n",
                       play.frames / FRAMES_PER_SECOND / 60, play.frames / FRAMES_PER_SECOND % 60,
                       play.calls, play.fires_out, play.rides_back);
            else
                printf("NOT finished in 30 minutes by the simple player\n");
        }
    if (output.empty()) return 0;

    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) {
        fprintf(stderr, "levelc: cannot start Allegro\n");
        return 1;
    }
    set_color_depth(16);
    fmp::Map map = level_build_map(missions);
    // Written aside and renamed, so that a failed write never leaves half a map.
    std::string partial = output + ".part";
    if (!fmp::write_file(partial, map) || rename(partial.c_str(), output.c_str()) != 0) {
        remove(partial.c_str());
        fprintf(stderr, "levelc: cannot write %s\n", output.c_str());
        return 1;
    }
    if (report) {
        map_stats m = level_map_stats(map);
        printf("%s: %d blocks, %d graphics, %d animations\n", output.c_str(), m.blocks, m.graphics,
               m.animations);
    }
    return 0;
}
END_OF_MAIN()
