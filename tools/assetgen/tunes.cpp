// The two jingles and the patch set that lets Allegro's software synthesiser play them.
//
// "points1.mid" sounds when a fire goes out, and is restarted every 13 frames (about
// 217 ms) while the end-of-mission bonus is counted: its first 216 ms are a three-note
// arpeggio on an even 72 ms grid, so that the cut-short repeats run on as one steady
// sparkle, and its closing high note comes only after the cut.
// "points2.mid" sounds when a person is rescued: a short rising fanfare.
#include "assetgen/assetgen.h"
#include "assetgen/midi_file.h"
#include "assetgen/midi_patches.h"

namespace {

constexpr int GLOCK = 0, MARIMBA = 1; // channels
constexpr int PROGRAM_GLOCKENSPIEL = 9, PROGRAM_MARIMBA = 12;

// Key numbers.
constexpr int G4 = 67, C5 = 72, E5 = 76, C6 = 84, E6 = 88, GS6 = 92, G6 = 91, B6 = 95, C7 = 96,
              E7 = 100;

const std::vector<midi_channel_setup> CHANNELS = {
    {GLOCK, PROGRAM_GLOCKENSPIEL, 100},
    {MARIMBA, PROGRAM_MARIMBA, 90},
};

const midi_tune POINTS1 = {CHANNELS,
                           {
                               {GLOCK, 0, 420, E6, 100},
                               {MARIMBA, 0, 200, E5, 64},
                               {GLOCK, 72, 420, GS6, 96},
                               {GLOCK, 144, 500, B6, 104},
                               {GLOCK, 288, 700, E7, 112},
                               {MARIMBA, 288, 600, E5, 72},
                           }};

const midi_tune POINTS2 = {CHANNELS,
                           {
                               {GLOCK, 0, 300, C6, 96},
                               {MARIMBA, 0, 380, C5, 84},
                               {GLOCK, 90, 300, E6, 96},
                               {GLOCK, 180, 300, G6, 100},
                               {GLOCK, 270, 220, C7, 110},
                               {MARIMBA, 270, 230, G4, 80},
                               {GLOCK, 400, 160, G6, 92},
                               {GLOCK, 520, 820, C7, 116},
                               {GLOCK, 520, 820, E7, 84},
                               {MARIMBA, 520, 700, C5, 90},
                               {MARIMBA, 520, 700, E5, 80},
                           }};

} // namespace

bool gen_tunes(const std::string &dir) {
    return midi_write(dir + "/points1.mid", POINTS1) && midi_write(dir + "/points2.mid", POINTS2) &&
           midi_write_patch_set(dir + "/patches.dat");
}
