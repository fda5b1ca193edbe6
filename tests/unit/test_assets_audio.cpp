// The generated sounds and tunes, read back the way the game reads them: the four
// samples must loop without a click and sound like what they are, the tunes must be
// short and playable by the software synthesiser's patch set, and generation must
// give the same bytes every time.
#include "assetgen/assetgen.h"
#include "assetgen/synth_dsp.h"
#include "support/headless.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

struct sample_case {
    const char *file;
    double min_rms, max_rms;
};

constexpr sample_case SAMPLES[] = {
    {"helicopter.wav", 0.08, 0.35},
    {"water.wav", 0.08, 0.35},
    {"wind.wav", 0.08, 0.35},
    {"fire.wav", 0.08, 0.35},
};

// The sample's values in [-1, 1), as Allegro holds them (16-bit samples unsigned).
std::vector<double> sample_values(const SAMPLE *s) {
    std::vector<double> out(s->len);
    for (unsigned long i = 0; i < s->len; i++)
        out[i] = s->bits == 16 ? (((const uint16_t *)s->data)[i] - 32768) / 32768.0
                               : (((const uint8_t *)s->data)[i] - 128) / 128.0;
    return out;
}

double percentile(std::vector<double> v, double p) {
    std::sort(v.begin(), v.end());
    return v[(size_t)(p * (double)(v.size() - 1))];
}

double window_rms(const std::vector<double> &x, size_t from, size_t count) {
    double sum = 0;
    for (size_t i = 0; i < count; i++) sum += x[(from + i) % x.size()] * x[(from + i) % x.size()];
    return std::sqrt(sum / (double)count);
}

// Power-weighted mean frequency of the whole sample.
double spectral_centroid(const std::vector<double> &x, double rate) {
    size_t n = 1;
    while (n * 2 <= x.size()) n *= 2;
    std::vector<double> re(x.begin(), x.begin() + n), im(n, 0.0);
    synth_fft(re, im, false);
    double weighted = 0, total = 0;
    for (size_t k = 1; k < n / 2; k++) {
        double power = re[k] * re[k] + im[k] * im[k];
        weighted += power * (double)k * rate / (double)n;
        total += power;
    }
    return weighted / total;
}

struct sample_holder {
    SAMPLE *s;
    explicit sample_holder(const char *file) : s(load_sample(data_path(file).c_str())) {}
    ~sample_holder() {
        if (s) destroy_sample(s);
    }
};

} // namespace

TEST(AudioAssets, SamplesLoadWithSensibleFormatLengthAndLevel) {
    for (const sample_case &c : SAMPLES) {
        SCOPED_TRACE(c.file);
        sample_holder h(c.file);
        ASSERT_NE(h.s, nullptr);
        EXPECT_EQ(h.s->stereo, 0);
        EXPECT_EQ(h.s->bits, 16);
        double seconds = (double)h.s->len / h.s->freq;
        EXPECT_GE(seconds, 1.5);
        EXPECT_LE(seconds, 8.0);
        std::vector<double> x = sample_values(h.s);
        double rms = synth_rms(x), peak = synth_peak(x);
        EXPECT_GE(rms, c.min_rms);
        EXPECT_LE(rms, c.max_rms);
        EXPECT_GE(peak, 0.5);
        EXPECT_LT(peak, 0.99) << "clipped";
        double mean = 0;
        for (double v : x) mean += v;
        EXPECT_LT(std::fabs(mean / (double)x.size()), 0.01) << "offset from zero";
    }
}

TEST(AudioAssets, SamplesLoopWithoutAJumpOrADipAtTheSeam) {
    for (const sample_case &c : SAMPLES) {
        SCOPED_TRACE(c.file);
        sample_holder h(c.file);
        ASSERT_NE(h.s, nullptr);
        std::vector<double> x = sample_values(h.s);
        const size_t n = x.size();
        // Slope and curvature everywhere inside the sample.
        std::vector<double> step, bend;
        for (size_t i = 1; i + 1 < n; i++) {
            step.push_back(std::fabs(x[i + 1] - x[i]));
            bend.push_back(std::fabs(x[i + 1] - 2 * x[i] + x[i - 1]));
        }
        // Across the seam the sample must move no more than it commonly does elsewhere.
        EXPECT_LE(std::fabs(x[0] - x[n - 1]), percentile(step, 0.995));
        EXPECT_LE(std::fabs(x[0] - 2 * x[n - 1] + x[n - 2]), percentile(bend, 0.995));
        EXPECT_LE(std::fabs(x[1] - 2 * x[0] + x[n - 1]), percentile(bend, 0.995));
        // No fade at either end, which would pump once a loop.
        size_t span = h.s->freq / 20;
        double rms = synth_rms(x);
        EXPECT_GT(window_rms(x, n - span, 2 * span), 0.3 * rms);
        EXPECT_GT(window_rms(x, 0, span), 0.3 * rms);
        EXPECT_GT(window_rms(x, n - span, span), 0.3 * rms);
    }
}

TEST(AudioAssets, SamplesSoundLikeWhatTheyAre) {
    // The engine beats: its loudness repeats at a rotor's rate, 8 to 30 beats a second
    // at the level-flight speed of 700 per mille.
    {
        sample_holder h("helicopter.wav");
        ASSERT_NE(h.s, nullptr);
        std::vector<double> x = sample_values(h.s);
        const size_t hop = h.s->freq / 1000; // a loudness value per millisecond
        std::vector<double> env;
        for (size_t i = 0; i + 5 * hop < x.size(); i += hop)
            env.push_back(window_rms(x, i, 5 * hop));
        double mean = 0;
        for (double v : env) mean += v;
        mean /= (double)env.size();
        for (double &v : env) v -= mean;
        std::vector<double> corr(131, 0.0);
        for (int lag = 0; lag <= 130; lag++)
            for (size_t i = 0; i + lag < env.size(); i++) corr[lag] += env[i] * env[i + lag];
        // The beat period is the first strong repeat (later ones are its multiples).
        int best_lag = 0;
        for (int lag = 20; lag < 130 && !best_lag; lag++)
            if (corr[lag] > 0.5 * corr[0] && corr[lag] >= corr[lag - 1] &&
                corr[lag] >= corr[lag + 1])
                best_lag = lag;
        ASSERT_GT(best_lag, 0) << "no steady beat";
        double beats_per_second = 1000.0 / best_lag * 0.7;
        EXPECT_GE(beats_per_second, 8.0);
        EXPECT_LE(beats_per_second, 30.0);
    }
    // The spray hisses; the wind stays bright enough to be played at half speed;
    // the fire's crackles stand out of its roar.
    sample_holder water("water.wav"), wind("wind.wav"), fire("fire.wav");
    ASSERT_TRUE(water.s && wind.s && fire.s);
    EXPECT_GT(spectral_centroid(sample_values(water.s), water.s->freq), 2500.0);
    double wind_centre = spectral_centroid(sample_values(wind.s), wind.s->freq);
    EXPECT_GT(wind_centre * 0.5, 300.0);
    EXPECT_LT(wind_centre, 4000.0);
    std::vector<double> f = sample_values(fire.s);
    EXPECT_GT(synth_peak(f) / synth_rms(f), 3.5) << "no crackles";
}

namespace {

struct tune_info {
    double seconds = 0;          // to the last event
    std::vector<double> note_on; // times of the note-ons
    std::set<int> programs;      // programs selected on melodic channels
    std::set<int> drum_notes;
};

int read_var_len(const unsigned char *&p, const unsigned char *end) {
    int value = 0;
    while (p < end) {
        unsigned char b = *p++;
        value = (value << 7) | (b & 0x7F);
        if (!(b & 0x80)) break;
    }
    return value;
}

// Walks a loaded tune's track 0 (our files are format 0) with its tempo changes.
tune_info read_tune(const MIDI *m) {
    tune_info info;
    const unsigned char *p = m->track[0].data, *end = p + m->track[0].len;
    double seconds_per_tick = 0.5 / m->divisions; // 120 beats a minute until told otherwise
    double now = 0;
    int status = 0;
    while (p < end) {
        now += read_var_len(p, end) * seconds_per_tick;
        if (*p & 0x80) status = *p++;
        int kind = status >> 4, channel = status & 15;
        if (status == 0xFF) {
            int type = *p++;
            int len = read_var_len(p, end);
            if (type == 0x51 && len == 3)
                seconds_per_tick = ((p[0] << 16) | (p[1] << 8) | p[2]) / 1e6 / m->divisions;
            p += len;
        } else if (status == 0xF0 || status == 0xF7) {
            p += read_var_len(p, end);
        } else if (kind == 0xC) {
            if (channel != 9) info.programs.insert(*p);
            p += 1;
        } else if (kind == 0xD) {
            p += 1;
        } else {
            if (kind == 0x9 && p[1] > 0) {
                info.note_on.push_back(now);
                if (channel == 9) info.drum_notes.insert(p[0]);
            }
            p += 2;
        }
        info.seconds = now;
    }
    return info;
}

std::string read_packfile(const std::string &name) {
    std::string text;
    PACKFILE *f = pack_fopen(name.c_str(), F_READ);
    if (!f) return text;
    char buf[256];
    int got;
    while ((got = pack_fread(buf, sizeof buf, f)) > 0) text.append(buf, got);
    pack_fclose(f);
    return text;
}

} // namespace

TEST(AudioAssets, TunesAreShortAndStartAtOnce) {
    MIDI *points1 = load_midi(data_path("points1.mid").c_str());
    MIDI *points2 = load_midi(data_path("points2.mid").c_str());
    ASSERT_NE(points1, nullptr);
    ASSERT_NE(points2, nullptr);
    for (MIDI *m : {points1, points2}) {
        tune_info t = read_tune(m);
        ASSERT_FALSE(t.note_on.empty());
        EXPECT_EQ(t.note_on.front(), 0.0) << "silence before the first note";
        EXPECT_GE(t.seconds, 0.4);
        EXPECT_LE(t.seconds, 2.5);
    }
    // Restarted every 13 frames during the bonus count-up: the part that is heard then
    // holds a few notes, and no note starts just before the cut, where it would only
    // blip.
    tune_info t = read_tune(points1);
    const double cut = 13.0 / 60.0;
    int heard = 0;
    for (double at : t.note_on) {
        if (at < cut - 0.03) heard++;
        EXPECT_FALSE(at >= cut - 0.03 && at < cut + 0.03) << "a note starts at " << at << " s";
    }
    EXPECT_GE(heard, 3);
    destroy_midi(points1);
    destroy_midi(points2);
}

TEST(AudioAssets, PatchSetHoldsEveryInstrumentTheTunesUse) {
    const std::string set = data_path("patches.dat");
    std::string index = read_packfile(set + "#default_cfg");
    ASSERT_FALSE(index.empty()) << "no instrument index in patches.dat";
    std::set<int> programs;
    std::istringstream lines(index);
    int number;
    std::string name;
    while (lines >> number >> name) {
        SCOPED_TRACE(name);
        programs.insert(number - 1); // the index counts programs from 1
        std::string patch = read_packfile(set + "#" + name);
        ASSERT_GT(patch.size(), 335u);
        EXPECT_EQ(patch.compare(0, 22, std::string("GF1PATCH110\0ID#000002\0", 22)), 0);
        // One 16-bit sample that ends in silence, so a note never clicks off.
        EXPECT_EQ(patch[198], 1);
        uint32_t bytes = (uint8_t)patch[247] | (uint8_t)patch[248] << 8 | (uint8_t)patch[249] << 16;
        ASSERT_EQ(patch.size(), 335u + bytes);
        int16_t last =
            (int16_t)((uint8_t)patch[patch.size() - 2] | (uint8_t)patch[patch.size() - 1] << 8);
        EXPECT_LT(std::abs(last), 64);
    }
    for (const char *file : {"points1.mid", "points2.mid"}) {
        SCOPED_TRACE(file);
        MIDI *m = load_midi(data_path(file).c_str());
        ASSERT_NE(m, nullptr);
        tune_info t = read_tune(m);
        EXPECT_FALSE(t.programs.empty()) << "plays the default piano, which the set lacks";
        for (int p : t.programs) EXPECT_TRUE(programs.count(p)) << "program " << p << " missing";
        EXPECT_TRUE(t.drum_notes.empty()) << "the set has no drums";
        destroy_midi(m);
    }
}

TEST(AudioAssets, SoftwareSynthesiserFindsThePatchSetInTheWorkingDirectory) {
    char old_dir[4096];
    ASSERT_NE(getcwd(old_dir, sizeof old_dir), nullptr);
    ASSERT_EQ(chdir(HIGHRISE_DATA_DIR), 0);
    // The game adds its working directory to the library's search before starting
    // sound; the synthesiser then looks for its index exactly like this.
    set_allegro_resource_path(0, "./");
    char found[1024] = "";
    int result = find_allegro_resource(found, nullptr, nullptr, "patches.dat", "default.cfg",
                                       "ULTRADIR", "midi", sizeof found);
    set_allegro_resource_path(0, nullptr);
    EXPECT_EQ(chdir(old_dir), 0);
    EXPECT_EQ(result, 0);
    EXPECT_STREQ(found, "./patches.dat#default_cfg");
}

namespace {

std::string file_bytes(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string make_temp_dir() {
    char templ[] = "/tmp/highrise-audio-XXXXXX";
    const char *dir = mkdtemp(templ);
    return dir ? dir : "";
}

} // namespace

TEST(AudioAssets, GenerationGivesTheSameBytesEveryTime) {
    std::string a = make_temp_dir(), b = make_temp_dir();
    ASSERT_FALSE(a.empty() || b.empty());
    ASSERT_TRUE(gen_sounds(a) && gen_tunes(a));
    ASSERT_TRUE(gen_sounds(b) && gen_tunes(b));
    for (const char *file : {"helicopter.wav", "water.wav", "wind.wav", "fire.wav", "points1.mid",
                             "points2.mid", "patches.dat"}) {
        SCOPED_TRACE(file);
        std::string first = file_bytes(a + "/" + file);
        EXPECT_FALSE(first.empty());
        EXPECT_EQ(first, file_bytes(b + "/" + file));
        EXPECT_EQ(first, file_bytes(data_path(file))) << "the build's copy differs";
        std::remove((a + "/" + file).c_str());
        std::remove((b + "/" + file).c_str());
    }
    std::remove(a.c_str());
    std::remove(b.c_str());
}
