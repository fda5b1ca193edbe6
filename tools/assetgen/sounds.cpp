// The four looping samples: the rotor's beat, the spray's hiss, gusting wind and a
// crackling fire. The game plays each one looping for the whole run and only changes
// its volume, pan and speed, so every buffer is built to repeat without a seam:
// continuous parts come from periodic noise and whole-cycle tones, and short events
// (blade slaps, crackles) are added round the loop, wrapping at its end.
#include "assetgen/assetgen.h"
#include "assetgen/synth_dsp.h"
#include "assetgen/wav_writer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

constexpr double PI = 3.14159265358979323846;
constexpr int RATE = 22050;
constexpr size_t LOOP = 65536;       // 2.97 s
constexpr size_t LONG_LOOP = 131072; // 5.94 s, for the wind, which is mostly played slowed

// A smooth band between two corners, falling 6 dB an octave per order outside it
// (the amplitude response of Butterworth high- and low-pass filters in series).
double band_gain(double f, double low, double high, int order) {
    return 1.0 /
           std::sqrt((1.0 + std::pow(low / f, 2 * order)) * (1.0 + std::pow(f / high, 2 * order)));
}

// One blade passing: a short, low band of air noise with a sharp front, and a
// pressure thump under it.
synth_buffer blade_slap(synth_rng &rng, const synth_buffer &air, double strength) {
    const size_t length = 1400;
    synth_buffer out(length);
    size_t from = synth_rng_next(rng) % (air.size() - length);
    const double attack = 0.0015 * RATE, decay = 0.02 * RATE, thump_decay = 0.028 * RATE;
    for (size_t i = 0; i < length; i++) {
        double t = (double)i;
        double front = 1.0 - std::exp(-t / attack);
        double noise = air[from + i] * front * std::exp(-t / decay);
        double thump = std::sin(2.0 * PI * 72.0 * t / RATE) * front * std::exp(-t / thump_decay);
        out[i] = strength * (0.55 * noise + 0.7 * thump);
    }
    return out;
}

synth_buffer make_helicopter() {
    synth_rng rng = synth_rng_make(0x4E11C0);
    const size_t n = LOOP;
    const int beats = 50; // 16.8 blade passes a second, 11.8 at the game's level-flight speed
    synth_buffer out(n, 0.0);

    // Main rotor: one slap per blade pass; the two blades differ a little.
    synth_buffer air = synth_periodic_noise(n, RATE, rng, [](double f) {
        return band_gain(f, 160.0, 1100.0, 2) *
               (1.0 + 0.8 * std::exp(-std::pow((f - 420.0) / 180.0, 2)));
    });
    synth_buffer beat_env(n, 0.0);
    for (int k = 0; k < beats; k++) {
        size_t at = (size_t)std::lround((double)k * (double)n / beats);
        double strength =
            (k % 2 ? 0.84 : 1.0) * (1.0 + 0.08 * std::sin(2.0 * PI * 3.0 * k / beats));
        synth_add_wrapped(out, blade_slap(rng, air, strength), at, 1.0);
        synth_buffer pulse(1400);
        for (size_t i = 0; i < pulse.size(); i++) {
            double t = (double)i / RATE;
            pulse[i] = (1.0 - std::exp(-t / 0.003)) * std::exp(-t / 0.02);
        }
        synth_add_wrapped(beat_env, pulse, at, strength);
    }

    // Rotor wash: low rumbling noise that swells with each pass.
    synth_buffer wash =
        synth_periodic_noise(n, RATE, rng, [](double f) { return band_gain(f, 35.0, 420.0, 2); });
    for (size_t i = 0; i < n; i++) out[i] += 0.15 * wash[i] * (0.4 + 0.6 * beat_env[i]);

    // Tail rotor: a fast buzz of band-limited pulses.
    const double tail = synth_loop_frequency(88.0, n, RATE);
    for (int h = 1; h * tail < 2600.0; h++) {
        double amp = 0.03 / std::pow((double)h, 0.75);
        double phase = 2.0 * PI * synth_rng_unit(rng);
        double step = 2.0 * PI * h * tail / RATE;
        for (size_t i = 0; i < n; i++) out[i] += amp * std::sin(step * (double)i + phase);
    }

    // Turbine whine, chopped a little by the blades.
    const double whine[2][2] = {{1870.0, 0.022}, {3740.0, 0.010}};
    for (const auto &w : whine) {
        double step = 2.0 * PI * synth_loop_frequency(w[0], n, RATE) / RATE;
        for (size_t i = 0; i < n; i++)
            out[i] += w[1] * std::sin(step * (double)i) * (0.8 + 0.35 * beat_env[i]);
    }

    synth_normalise_peak(out, 1.1);
    synth_soft_clip(out, 0.75);
    synth_remove_dc(out);
    synth_normalise_peak(out, 0.9);
    return out;
}

synth_buffer make_water() {
    synth_rng rng = synth_rng_make(0x3A7E5);
    const size_t n = LOOP;
    // Hiss of the jet: bright noise peaking around 5 kHz.
    synth_buffer hiss = synth_periodic_noise(n, RATE, rng, [](double f) {
        return band_gain(f, 1300.0, 9000.0, 2) *
               (1.0 + 0.7 * std::exp(-std::pow((f - 5200.0) / 2200.0, 2)));
    });
    // The jet's rush: a lower band that breathes more slowly.
    synth_buffer rush =
        synth_periodic_noise(n, RATE, rng, [](double f) { return band_gain(f, 280.0, 1600.0, 2); });
    // Fast irregular flutter of the stream (3 to 25 Hz) and a slower swell.
    synth_buffer flutter = synth_periodic_noise(
        n, RATE, rng, [](double f) { return (f > 3.0 && f < 25.0) ? 1.0 : 0.0; });
    synth_buffer swell = synth_periodic_wobble(n, 5, rng);
    synth_buffer out(n);
    for (size_t i = 0; i < n; i++) {
        double level = 1.0 + 0.16 * flutter[i] + 0.08 * swell[i];
        out[i] = level * (0.8 * hiss[i] + 0.3 * rush[i] * (1.0 + 0.3 * swell[i]));
    }
    // Spatter: soft short bursts of droplets breaking up.
    synth_buffer spatter_noise = synth_periodic_noise(
        n, RATE, rng, [](double f) { return band_gain(f, 2500.0, 8000.0, 2); });
    for (int k = 0; k < 140; k++) {
        size_t at = synth_rng_next(rng) % n;
        size_t length = 40 + synth_rng_next(rng) % 120;
        double amp = 0.25 + 0.5 * synth_rng_unit(rng);
        synth_buffer burst(length);
        for (size_t i = 0; i < length; i++)
            burst[i] = spatter_noise[(at + i) % n] * std::sin(PI * (double)i / (double)length);
        synth_add_wrapped(out, burst, at, amp);
    }
    synth_normalise_peak(out, 1.0);
    synth_soft_clip(out, 0.6);
    synth_remove_dc(out);
    synth_normalise_peak(out, 0.9);
    return out;
}

synth_buffer make_wind() {
    synth_rng rng = synth_rng_make(0x77A1D);
    const size_t n = LONG_LOOP;
    // Gust strength: a slow swell with a few gusts a loop, never quite calm.
    synth_buffer gust = synth_periodic_wobble(n, 7, rng);
    synth_buffer whistle_drift = synth_periodic_wobble(n, 4, rng);
    for (double &g : gust) g = 0.66 + 0.34 * g;
    synth_buffer source = synth_periodic_noise(n, RATE, rng, [](double f) {
        return band_gain(f, 120.0, 9000.0, 1) / std::sqrt(std::max(f, 60.0) / 60.0);
    });
    // Howl: two resonances that rise with the gusts, recorded bright because the
    // game mostly plays the wind at half speed or slower.
    synth_buffer centre1(n), centre2(n);
    for (size_t i = 0; i < n; i++) {
        centre1[i] = 520.0 * std::pow(2.0, 1.4 * gust[i] + 0.25 * whistle_drift[i]);
        centre2[i] = 1350.0 * std::pow(2.0, 1.0 * gust[i] - 0.3 * whistle_drift[i]);
    }
    synth_buffer howl1 = synth_circular_bandpass(source, centre1, 7.0, RATE);
    synth_buffer howl2 = synth_circular_bandpass(source, centre2, 11.0, RATE);
    double howl1_rms = synth_rms(howl1), howl2_rms = synth_rms(howl2);
    for (size_t i = 0; i < n; i++) {
        howl1[i] /= howl1_rms;
        howl2[i] /= howl2_rms;
    }
    synth_buffer rush = synth_periodic_noise(n, RATE, rng, [](double f) {
        return band_gain(f, 200.0, 7000.0, 2) / std::pow(std::max(f, 200.0) / 200.0, 0.35);
    });
    synth_buffer out(n);
    for (size_t i = 0; i < n; i++) {
        double g = gust[i];
        out[i] = std::pow(g, 1.5) * (howl1[i] + 0.45 * howl2[i]) + 0.32 * g * g * rush[i];
    }
    synth_normalise_peak(out, 1.0);
    synth_soft_clip(out, 0.7);
    synth_remove_dc(out);
    synth_normalise_peak(out, 0.9);
    return out;
}

// One crackle: mostly tiny bright ticks, some resonant snaps of burning wood.
synth_buffer crackle(synth_rng &rng) {
    if (synth_rng_unit(rng) < 0.72) {
        size_t length = 18 + synth_rng_next(rng) % 70;
        double decay = (double)length / 4.0;
        double amp = 0.25 + 0.75 * std::pow(synth_rng_unit(rng), 2.5);
        synth_buffer out(length);
        double prev = 0.0;
        for (size_t i = 0; i < length; i++) {
            double v = synth_rng_signed(rng);
            out[i] = amp * (v - 0.85 * prev) * std::exp(-(double)i / decay);
            prev = v;
        }
        return out;
    }
    double f = 900.0 + 1800.0 * synth_rng_unit(rng);
    double decay = (0.0012 + 0.003 * synth_rng_unit(rng)) * RATE;
    double amp = 0.35 + 0.65 * synth_rng_unit(rng);
    size_t length = (size_t)(decay * 6.0);
    synth_buffer out(length);
    for (size_t i = 0; i < length; i++) {
        double t = (double)i;
        double ring = std::sin(2.0 * PI * f * t / RATE) * std::exp(-t / decay);
        double click = i < 12 ? synth_rng_signed(rng) * (1.0 - t / 12.0) : 0.0;
        out[i] = amp * (0.8 * ring + 0.6 * click);
    }
    return out;
}

synth_buffer make_fire() {
    synth_rng rng = synth_rng_make(0xF12E);
    const size_t n = LOOP;
    // Roar of the flames, flickering.
    synth_buffer roar =
        synth_periodic_noise(n, RATE, rng, [](double f) { return band_gain(f, 45.0, 380.0, 2); });
    synth_buffer flicker = synth_periodic_noise(
        n, RATE, rng, [](double f) { return (f > 1.0 && f < 9.0) ? 1.0 : 0.0; });
    synth_buffer hiss = synth_periodic_noise(
        n, RATE, rng, [](double f) { return band_gain(f, 2200.0, 8000.0, 2); });
    synth_buffer out(n);
    for (size_t i = 0; i < n; i++) {
        double level = std::clamp(1.0 + 0.25 * flicker[i], 0.45, 1.6);
        out[i] = level * (0.17 * roar[i] + 0.035 * hiss[i]);
    }
    // Crackles come in clusters: a Poisson stream thinned by a slowly varying rate.
    synth_buffer activity = synth_periodic_wobble(n, 11, rng);
    const double peak_rate = 70.0 / RATE; // crackles per sample at the busiest
    for (size_t t = 0; t < n;) {
        t += 1 + (size_t)(-std::log(1.0 - synth_rng_unit(rng)) / peak_rate);
        if (t >= n) break;
        double keep = 0.15 + 0.85 * (0.5 + 0.5 * activity[t]);
        if (synth_rng_unit(rng) < keep) synth_add_wrapped(out, crackle(rng), t, 0.55);
    }
    synth_normalise_peak(out, 1.15);
    synth_soft_clip(out, 0.7);
    synth_remove_dc(out);
    synth_normalise_peak(out, 0.92);
    return out;
}

struct sound_file {
    const char *name;
    synth_buffer (*make)();
};

constexpr sound_file SOUND_FILES[] = {
    {"helicopter.wav", make_helicopter},
    {"water.wav", make_water},
    {"wind.wav", make_wind},
    {"fire.wav", make_fire},
};

} // namespace

bool gen_sounds(const std::string &dir) {
    for (const sound_file &s : SOUND_FILES)
        if (!wav_write_pcm16(dir + "/" + s.name, synth_to_pcm16(s.make()), RATE)) return false;
    return true;
}
