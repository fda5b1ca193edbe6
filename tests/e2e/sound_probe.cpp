// The sound check's tools: the test tones the game plays in place of its samples, and
// the measure of what it played, captured raw (unsigned 16-bit stereo, 22050 Hz).
//   sound_probe tone FILE HZ          one second of a sine of HZ (0: silence), as a WAV
//   sound_probe measure FILE FROM TO  bytes FROM to TO of a capture, in windows of 2048
//       frames: prints the engine band's loudest pitch (Hz; median and highest), the
//       median level of the engine band and of the spray band (RMS in 16-bit steps)
//   sound_probe peak FILE FROM TO     bytes FROM to TO: the largest step of either channel
//       away from silence, 0 when nothing at all was heard
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

namespace {

constexpr double PI = 3.14159265358979323846;
constexpr int RATE = 22050;
constexpr int WINDOW = 2048;
// The engine's frequency runs from 500 to 1800 (1000 = as recorded); the spray's is 1000.
constexpr double ENGINE_LOW = 300, ENGINE_HIGH = 2600, SPRAY_LOW = 3000, SPRAY_HIGH = 5000;

// One second of 16-bit mono: whole cycles in it loop without a seam.
int write_tone(const char *path, int hz) {
    // Little-endian words: "RIFF", size, "WAVE", "fmt ", 16, PCM format 1 and 1 channel,
    // rate, bytes a second, 2 bytes a frame and 16 bits, "data", size.
    const uint32_t header[] = {0x46464952, 36 + 2 * RATE, 0x45564157, 0x20746d66, 16,      0x10001,
                               RATE,       2 * RATE,      0x100002,   0x61746164, 2 * RATE};
    std::vector<int16_t> samples(RATE);
    for (int i = 0; i < RATE; i++)
        samples[i] = (int16_t)std::lround(26000 * std::sin(2 * PI * hz * i / RATE));
    FILE *f = fopen(path, "wb");
    if (!f) return 1;
    bool ok =
        fwrite(header, sizeof header, 1, f) == 1 && fwrite(samples.data(), 2, RATE, f) == RATE;
    return fclose(f) != 0 || !ok;
}

// The level (RMS) of the Hann-windowed window between low and high, bin by bin
// (Goertzel), and the pitch of its loudest bin.
double band_level(const std::vector<double> &x, double low, double high, double *peak_hz) {
    double power_sum = 0, best = -1, window_energy = 3.0 * WINDOW / 8;
    for (int k = (int)(low * WINDOW / RATE); k <= (int)(high * WINDOW / RATE); k++) {
        double c = 2 * std::cos(2 * PI * k / WINDOW), s1 = 0, s2 = 0;
        for (int n = 0; n < WINDOW; n++) {
            double s0 = x[n] + c * s1 - s2;
            s2 = s1, s1 = s0;
        }
        double power = s1 * s1 + s2 * s2 - c * s1 * s2;
        power_sum += power;
        if (power > best) best = power, *peak_hz = (double)k * RATE / WINDOW;
    }
    return std::sqrt(2 * power_sum / (WINDOW * window_energy));
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

int measure(const char *path, long from, long to) {
    FILE *f = fopen(path, "rb");
    if (!f || fseek(f, from - from % 4, SEEK_SET) != 0) return 1;
    std::vector<double> x(WINDOW), pitch, engine, spray;
    for (long frames = (to - from) / 4; frames >= WINDOW; frames -= WINDOW) {
        for (int n = 0; n < WINDOW; n++) {
            unsigned char b[4];
            if (fread(b, 1, 4, f) != 4) return 1;
            double hann = 0.5 - 0.5 * std::cos(2 * PI * n / WINDOW);
            x[n] = hann * (((b[0] | b[1] << 8) + (b[2] | b[3] << 8)) / 2.0 - 32768);
        }
        double peak_hz;
        engine.push_back(band_level(x, ENGINE_LOW, ENGINE_HIGH, &peak_hz));
        pitch.push_back(peak_hz);
        spray.push_back(band_level(x, SPRAY_LOW, SPRAY_HIGH, &peak_hz));
    }
    fclose(f);
    if (pitch.empty()) return 1;
    printf("%.0f %.0f %.0f %.0f\n", median(pitch), *std::max_element(pitch.begin(), pitch.end()),
           median(engine), median(spray));
    return 0;
}

int peak(const char *path, long from, long to) {
    FILE *f = fopen(path, "rb");
    if (!f || fseek(f, from - from % 4, SEEK_SET) != 0) return 1;
    int loudest = 0;
    unsigned char b[4];
    for (long frames = (to - from) / 4; frames > 0 && fread(b, 1, 4, f) == 4; frames--)
        loudest = std::max(
            {loudest, std::abs((b[0] | b[1] << 8) - 32768), std::abs((b[2] | b[3] << 8) - 32768)});
    fclose(f);
    printf("%d\n", loudest);
    return 0;
}

} // namespace

int main(int argc, char **argv) {
    std::string_view command = argc > 1 ? argv[1] : "";
    if (command == "tone" && argc == 4) return write_tone(argv[2], atoi(argv[3]));
    if (command == "measure" && argc == 5) return measure(argv[2], atol(argv[3]), atol(argv[4]));
    if (command == "peak" && argc == 5) return peak(argv[2], atol(argv[3]), atol(argv[4]));
    fprintf(stderr, "usage: sound_probe tone FILE HZ | measure FILE FROM TO | peak FILE FROM TO\n");
    return 2;
}
