// A small wavetable patch set for Allegro's software MIDI synthesiser (DIGMID), so
// that the jingles play on a plain sound card with no synthesiser of its own. It is
// an Allegro datafile, "patches.dat": a "default.cfg" index object naming, per General
// MIDI program, the Gravis (GF1) patch objects stored beside it.
#pragma once

#include "assetgen/synth_bytes.h"
#include "assetgen/synth_dsp.h"

#include <string>
#include <vector>

constexpr int MIDI_PATCH_RATE = 22050;

struct midi_partial {
    double ratio;     // frequency over the root
    double amplitude; // at the strike
    double decay_s;   // time to fall by 1/e
};

struct midi_instrument {
    const char *name; // patch object name, as the index refers to it
    int program;      // General MIDI program (0-based) it plays
    double root_hz;   // pitch the sample is recorded at
    double length_s;  // sample length; the last fifth fades out
    double attack_s;  // mallet contact: a raised-cosine rise
    double strike;    // level of the noise of the strike
    std::vector<midi_partial> partials;
};

// The instruments the game's tunes use: a glockenspiel and a marimba.
const std::vector<midi_instrument> &midi_instruments();

synth_buffer midi_instrument_wave(const midi_instrument &inst);

// One Gravis patch file holding a single 16-bit, unlooped sample.
synth_bytes midi_patch_encode(const midi_instrument &inst, const std::vector<int16_t> &wave);

struct midi_datafile_object {
    std::string name;
    char type[4];
    synth_bytes data;
};

// An uncompressed Allegro datafile.
synth_bytes midi_datafile_encode(const std::vector<midi_datafile_object> &objects);

synth_bytes midi_patch_set_encode();
bool midi_write_patch_set(const std::string &path);
