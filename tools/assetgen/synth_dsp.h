// Signal building blocks for the generated sounds and instruments. Everything works on
// whole loops: noise is made periodic in the frequency domain and filters are run
// round the loop twice, so a buffer played looping has no seam.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

using synth_buffer = std::vector<double>;

// A seeded generator of our own (xorshift32), so that every run makes the same bytes.
struct synth_rng {
    uint32_t state;
};

synth_rng synth_rng_make(uint32_t seed);
uint32_t synth_rng_next(synth_rng &rng);
double synth_rng_unit(synth_rng &rng);   // [0, 1)
double synth_rng_signed(synth_rng &rng); // [-1, 1)
double synth_rng_gauss(synth_rng &rng);  // mean 0, deviation 1

// In-place radix-2 FFT; the size must be a power of two. The inverse is scaled by 1/n.
void synth_fft(std::vector<double> &re, std::vector<double> &im, bool inverse);

// Gaussian noise of n samples (a power of two) that repeats exactly every n samples,
// with the amplitude spectrum shaped by gain(frequency in Hz). Scaled to RMS 1.
synth_buffer synth_periodic_noise(size_t n, double rate, synth_rng &rng,
                                  const std::function<double(double)> &gain);

// A smooth random curve in [-1, 1] with whole cycles 1 to max_cycles over the loop:
// the sum of a few sinusoids with random phases and falling weights.
synth_buffer synth_periodic_wobble(size_t n, int max_cycles, synth_rng &rng);

// The loop frequency nearest to hz that completes whole cycles in n samples.
double synth_loop_frequency(double hz, size_t n, double rate);

// A state-variable band-pass whose centre follows centre_hz[i], run round the loop
// twice so that its state at the seam is the state it settles into.
synth_buffer synth_circular_bandpass(const synth_buffer &in, const synth_buffer &centre_hz,
                                     double q, double rate);

// Adds src into dst at offset `at` (fractional start ignored), wrapping round the loop.
void synth_add_wrapped(synth_buffer &dst, const synth_buffer &src, size_t at, double gain);

double synth_rms(const synth_buffer &x);
double synth_peak(const synth_buffer &x);
// Subtracts the mean, which keeps a loop a loop and keeps volume and pan changes
// from stepping an offset up and down.
void synth_remove_dc(synth_buffer &x);
// Scales to the given peak (0..1 of full scale).
void synth_normalise_peak(synth_buffer &x, double peak);
// A soft limiter: leaves small values alone and bends large ones below 1.
void synth_soft_clip(synth_buffer &x, double knee);

// Signed 16-bit samples, rounded and clamped.
std::vector<int16_t> synth_to_pcm16(const synth_buffer &x);
