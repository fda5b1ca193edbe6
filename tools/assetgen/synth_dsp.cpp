#include "assetgen/synth_dsp.h"

#include <algorithm>
#include <cmath>

constexpr double PI = 3.14159265358979323846;

synth_rng synth_rng_make(uint32_t seed) {
    synth_rng rng{seed ? seed : 0x9E3779B9u};
    // Stir the seed so that neighbouring seeds give unrelated streams.
    for (int i = 0; i < 8; i++) synth_rng_next(rng);
    return rng;
}

uint32_t synth_rng_next(synth_rng &rng) {
    uint32_t x = rng.state;
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    rng.state = x;
    return x;
}

double synth_rng_unit(synth_rng &rng) {
    return (synth_rng_next(rng) >> 8) * (1.0 / 16777216.0);
}

double synth_rng_signed(synth_rng &rng) {
    return 2.0 * synth_rng_unit(rng) - 1.0;
}

double synth_rng_gauss(synth_rng &rng) {
    // Box-Muller; 1 - unit keeps the logarithm away from zero.
    double u = 1.0 - synth_rng_unit(rng);
    double v = synth_rng_unit(rng);
    return std::sqrt(-2.0 * std::log(u)) * std::cos(2.0 * PI * v);
}

void synth_fft(std::vector<double> &re, std::vector<double> &im, bool inverse) {
    const size_t n = re.size();
    for (size_t i = 1, j = 0; i < n; i++) {
        size_t bit = n >> 1;
        for (; j & bit; bit >>= 1) j ^= bit;
        j ^= bit;
        if (i < j) {
            std::swap(re[i], re[j]);
            std::swap(im[i], im[j]);
        }
    }
    for (size_t len = 2; len <= n; len <<= 1) {
        double angle = 2.0 * PI / (double)len * (inverse ? 1.0 : -1.0);
        double wr = std::cos(angle), wi = std::sin(angle);
        for (size_t start = 0; start < n; start += len) {
            double cr = 1.0, ci = 0.0;
            for (size_t k = 0; k < len / 2; k++) {
                size_t a = start + k, b = a + len / 2;
                double tr = re[b] * cr - im[b] * ci;
                double ti = re[b] * ci + im[b] * cr;
                re[b] = re[a] - tr;
                im[b] = im[a] - ti;
                re[a] += tr;
                im[a] += ti;
                double next = cr * wr - ci * wi;
                ci = cr * wi + ci * wr;
                cr = next;
            }
        }
    }
    if (inverse)
        for (size_t i = 0; i < n; i++) {
            re[i] /= (double)n;
            im[i] /= (double)n;
        }
}

synth_buffer synth_periodic_noise(size_t n, double rate, synth_rng &rng,
                                  const std::function<double(double)> &gain) {
    std::vector<double> re(n, 0.0), im(n, 0.0);
    // Random complex coefficients on every whole-loop harmonic: the inverse transform
    // is noise made only of frequencies that repeat exactly every n samples.
    for (size_t k = 1; k < n / 2; k++) {
        double g = gain((double)k * rate / (double)n);
        double a = synth_rng_gauss(rng) * g, b = synth_rng_gauss(rng) * g;
        re[k] = a;
        im[k] = b;
        re[n - k] = a;
        im[n - k] = -b;
    }
    synth_fft(re, im, true);
    double rms = synth_rms(re);
    if (rms > 0)
        for (double &v : re) v /= rms;
    return re;
}

synth_buffer synth_periodic_wobble(size_t n, int max_cycles, synth_rng &rng) {
    synth_buffer out(n, 0.0);
    for (int c = 1; c <= max_cycles; c++) {
        double weight = (0.5 + 0.5 * synth_rng_unit(rng)) / std::pow((double)c, 0.7);
        double phase = 2.0 * PI * synth_rng_unit(rng);
        double step = 2.0 * PI * c / (double)n;
        for (size_t i = 0; i < n; i++) out[i] += weight * std::sin(step * (double)i + phase);
    }
    double peak = synth_peak(out);
    if (peak > 0)
        for (double &v : out) v /= peak;
    return out;
}

double synth_loop_frequency(double hz, size_t n, double rate) {
    double cycles = std::max(1.0, std::round(hz * (double)n / rate));
    return cycles * rate / (double)n;
}

synth_buffer synth_circular_bandpass(const synth_buffer &in, const synth_buffer &centre_hz,
                                     double q, double rate) {
    const size_t n = in.size();
    synth_buffer out(n, 0.0);
    const double k = 1.0 / q;
    double ic1 = 0.0, ic2 = 0.0;
    // The first pass only warms the filter up; the second, starting from the state
    // the loop ends in, is the output.
    for (int pass = 0; pass < 2; pass++)
        for (size_t i = 0; i < n; i++) {
            double g = std::tan(PI * std::min(centre_hz[i], 0.45 * rate) / rate);
            double a1 = 1.0 / (1.0 + g * (g + k));
            double a2 = g * a1, a3 = g * a2;
            double v3 = in[i] - ic2;
            double v1 = a1 * ic1 + a2 * v3;
            double v2 = ic2 + a2 * ic1 + a3 * v3;
            ic1 = 2.0 * v1 - ic1;
            ic2 = 2.0 * v2 - ic2;
            out[i] = k * v1; // unity gain at the centre
        }
    return out;
}

void synth_add_wrapped(synth_buffer &dst, const synth_buffer &src, size_t at, double gain) {
    const size_t n = dst.size();
    for (size_t i = 0; i < src.size(); i++) dst[(at + i) % n] += gain * src[i];
}

double synth_rms(const synth_buffer &x) {
    double sum = 0.0;
    for (double v : x) sum += v * v;
    return x.empty() ? 0.0 : std::sqrt(sum / (double)x.size());
}

double synth_peak(const synth_buffer &x) {
    double peak = 0.0;
    for (double v : x) peak = std::max(peak, std::fabs(v));
    return peak;
}

void synth_remove_dc(synth_buffer &x) {
    double mean = 0.0;
    for (double v : x) mean += v;
    mean /= (double)x.size();
    for (double &v : x) v -= mean;
}

void synth_normalise_peak(synth_buffer &x, double peak) {
    double now = synth_peak(x);
    if (now <= 0) return;
    for (double &v : x) v *= peak / now;
}

void synth_soft_clip(synth_buffer &x, double knee) {
    for (double &v : x) {
        double a = std::fabs(v);
        if (a <= knee) continue;
        // Above the knee the curve bends smoothly towards 1 (tanh), keeping slope 1 at the knee.
        double bent = knee + (1.0 - knee) * std::tanh((a - knee) / (1.0 - knee));
        v = v < 0 ? -bent : bent;
    }
}

std::vector<int16_t> synth_to_pcm16(const synth_buffer &x) {
    std::vector<int16_t> out(x.size());
    for (size_t i = 0; i < x.size(); i++) {
        double v = std::round(x[i] * 32767.0);
        out[i] = (int16_t)std::clamp(v, -32768.0, 32767.0);
    }
    return out;
}
