#include "assetgen/midi_patches.h"

#include <cmath>
#include <cstring>

namespace {

constexpr double PI = 3.14159265358979323846;

// Bars struck by a hard mallet: the glockenspiel's steel overtones are inharmonic
// (free bar modes); the marimba's wooden bars are tuned to the fourth and tenth
// harmonic and die away faster.
const std::vector<midi_instrument> INSTRUMENTS = {
    {"glock",
     9,
     1046.502,
     1.5,
     0.0008,
     0.22,
     {{1.0, 1.0, 0.95}, {2.756, 0.34, 0.28}, {5.404, 0.14, 0.09}}},
    {"marimba",
     12,
     523.251,
     1.0,
     0.003,
     0.08,
     {{1.0, 1.0, 0.42}, {3.99, 0.24, 0.08}, {9.85, 0.05, 0.025}}},
};

// Gravis envelope: full level at once, held while the key is down, then a release of
// about 60 ms when it is let go (rate byte 0x42 in the GF1 2.6 floating format).
constexpr uint8_t ENV_RATES[6] = {0x3F, 0x3F, 0x3F, 0x42, 0x3F, 0x3F};
constexpr uint8_t ENV_OFFSETS[6] = {250, 250, 250, 0, 0, 0};
constexpr uint8_t MODE_16BIT = 1, MODE_SUSTAIN = 32, MODE_ENVELOPE = 64;

uint32_t millihertz(double hz) {
    return (uint32_t)std::lround(hz * 1000.0);
}

} // namespace

const std::vector<midi_instrument> &midi_instruments() {
    return INSTRUMENTS;
}

synth_buffer midi_instrument_wave(const midi_instrument &inst) {
    const size_t n = (size_t)(inst.length_s * MIDI_PATCH_RATE);
    const size_t fade_from = n - n / 5;
    synth_rng rng = synth_rng_make(millihertz(inst.root_hz));
    synth_buffer out(n, 0.0);
    for (size_t i = 0; i < n; i++) {
        double t = (double)i / MIDI_PATCH_RATE;
        double v = 0.0;
        for (const midi_partial &p : inst.partials)
            v += p.amplitude * std::exp(-t / p.decay_s) *
                 std::sin(2.0 * PI * p.ratio * inst.root_hz * t);
        v += inst.strike * synth_rng_signed(rng) * std::exp(-t / 0.0007);
        double rise = t < inst.attack_s ? 0.5 - 0.5 * std::cos(PI * t / inst.attack_s) : 1.0;
        double fall = 1.0;
        if (i >= fade_from)
            fall = 0.5 + 0.5 * std::cos(PI * (double)(i - fade_from) / (double)(n - fade_from));
        out[i] = v * rise * fall;
    }
    out[n - 1] = 0.0;
    synth_normalise_peak(out, 0.9);
    return out;
}

synth_bytes midi_patch_encode(const midi_instrument &inst, const std::vector<int16_t> &wave) {
    const uint32_t data_size = (uint32_t)wave.size() * 2;
    synth_bytes b;
    bytes_put_text(b, "GF1PATCH110\0ID#000002\0", 22);
    bytes_put_field(b, std::string("Highrise Rescue ") + inst.name, 60);
    b.push_back(1);         // instruments
    b.push_back(14);        // voices
    b.push_back(0);         // channels
    bytes_put_le16(b, 1);   // waveforms
    bytes_put_le16(b, 127); // master volume
    bytes_put_le32(b, data_size);
    bytes_put_field(b, "", 36);
    // Instrument header.
    bytes_put_le16(b, 0);
    bytes_put_field(b, inst.name, 16);
    bytes_put_le32(b, 96 + data_size);
    b.push_back(1); // layers
    bytes_put_field(b, "", 40);
    // Layer header.
    b.push_back(0); // duplicate
    b.push_back(0); // layer
    bytes_put_le32(b, 96 + data_size);
    b.push_back(1); // samples
    bytes_put_field(b, "", 40);
    // Sample header.
    bytes_put_field(b, inst.name, 7);
    b.push_back(0); // fractions
    bytes_put_le32(b, data_size);
    bytes_put_le32(b, 0);         // loop start
    bytes_put_le32(b, data_size); // loop end (not looped)
    bytes_put_le16(b, MIDI_PATCH_RATE);
    bytes_put_le32(b, millihertz(8.176));     // lowest key, C-1
    bytes_put_le32(b, millihertz(12543.854)); // highest key, G9
    bytes_put_le32(b, millihertz(inst.root_hz));
    bytes_put_le16(b, 0); // tune
    b.push_back(7);       // balance: centre
    for (uint8_t r : ENV_RATES) b.push_back(r);
    for (uint8_t o : ENV_OFFSETS) b.push_back(o);
    bytes_put_field(b, "", 6); // no tremolo or vibrato
    b.push_back(MODE_16BIT | MODE_SUSTAIN | MODE_ENVELOPE);
    bytes_put_le16(b, 60);   // scale frequency
    bytes_put_le16(b, 1024); // scale factor: one semitone a key
    bytes_put_field(b, "", 36);
    for (int16_t s : wave) bytes_put_le16(b, (uint16_t)s);
    return b;
}

synth_bytes midi_datafile_encode(const std::vector<midi_datafile_object> &objects) {
    synth_bytes b;
    bytes_put_text(b, "slh.", 4); // an unpacked packfile
    bytes_put_text(b, "ALL.", 4);
    bytes_put_be32(b, (uint32_t)objects.size());
    for (const midi_datafile_object &o : objects) {
        bytes_put_text(b, "prop", 4);
        bytes_put_text(b, "NAME", 4);
        bytes_put_be32(b, (uint32_t)o.name.size());
        bytes_put_text(b, o.name.data(), o.name.size());
        bytes_put_text(b, o.type, 4);
        bytes_put_be32(b, (uint32_t)o.data.size()); // stored size
        bytes_put_be32(b, (uint32_t)o.data.size()); // unpacked size
        b.insert(b.end(), o.data.begin(), o.data.end());
    }
    return b;
}

synth_bytes midi_patch_set_encode() {
    // The index numbers programs from 1, as Gravis' own index did.
    std::string index;
    for (const midi_instrument &inst : INSTRUMENTS)
        index += std::to_string(inst.program + 1) + " " + inst.name + "\n";
    std::vector<midi_datafile_object> objects;
    midi_datafile_object cfg{"DEFAULT_CFG", {'D', 'A', 'T', 'A'}, {}};
    bytes_put_text(cfg.data, index.data(), index.size());
    objects.push_back(cfg);
    for (const midi_instrument &inst : INSTRUMENTS)
        objects.push_back({inst.name,
                           {'P', 'A', 'T', ' '},
                           midi_patch_encode(inst, synth_to_pcm16(midi_instrument_wave(inst)))});
    return midi_datafile_encode(objects);
}

bool midi_write_patch_set(const std::string &path) {
    return bytes_write_file(path, midi_patch_set_encode());
}
