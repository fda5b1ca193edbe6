// Standard MIDI files (format 0, one track) from a list of notes. Times are in
// milliseconds: the file runs at 480 ticks a quarter note and 480 000 microseconds a
// quarter, so one tick is one millisecond.
#pragma once

#include "assetgen/synth_bytes.h"

#include <string>
#include <vector>

constexpr int MIDI_TICKS_PER_QUARTER = 480;
constexpr int MIDI_MICROSECONDS_PER_QUARTER = 480000;

struct midi_note {
    int channel; // 0..15
    int start_ms;
    int length_ms;
    int key;      // MIDI key number, 60 = middle C
    int velocity; // 1..127
};

struct midi_channel_setup {
    int channel;
    int program; // General MIDI program, 0-based
    int volume;  // controller 7
};

struct midi_tune {
    std::vector<midi_channel_setup> channels;
    std::vector<midi_note> notes;
};

synth_bytes midi_encode(const midi_tune &tune);
bool midi_write(const std::string &path, const midi_tune &tune);
