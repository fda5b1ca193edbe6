// The generated sounds and tunes as the game loads them: samples that loop without a
// click at a sensible level, short tunes that start at once on their patch set.
#include "assetgen/synth_dsp.h"
#include "support/headless.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <set>
#include <sstream>

namespace {

double percentile(std::vector<double> v, double p) {
    std::sort(v.begin(), v.end());
    return v[(size_t)(p * (double)(v.size() - 1))];
}

TEST(AudioAssets, SamplesLoopSeamlesslyAtASensibleLevelAndLength) {
    for (const char *name : {"helicopter.wav", "water.wav", "wind.wav", "fire.wav"}) {
        SCOPED_TRACE(name);
        SAMPLE *s = load_sample(data_path(name).c_str());
        ASSERT_NE(s, nullptr);
        ASSERT_TRUE(s->bits == 16 && !s->stereo);
        const size_t n = s->len, span = s->freq / 20;
        EXPECT_TRUE(n >= 1.5 * s->freq && n <= 8.0 * s->freq) << n << " samples";
        synth_buffer x(n);
        double mean = 0;
        for (size_t i = 0; i < n; i++) mean += x[i] = (((uint16_t *)s->data)[i] - 32768) / 32768.0;
        destroy_sample(s);
        double rms = synth_rms(x), peak = synth_peak(x);
        EXPECT_TRUE(rms >= 0.08 && rms <= 0.35) << rms;
        EXPECT_TRUE(peak >= 0.5 && peak < 0.99) << peak;
        EXPECT_LT(std::fabs(mean / (double)n), 0.01) << "offset from zero";
        // Across the seam it moves and bends no more than it commonly does inside.
        std::vector<double> step, bend;
        for (size_t i = 1; i + 1 < n; i++) {
            step.push_back(std::fabs(x[i + 1] - x[i]));
            bend.push_back(std::fabs(x[i + 1] - 2 * x[i] + x[i - 1]));
        }
        EXPECT_LE(std::fabs(x[0] - x[n - 1]), percentile(step, 0.995));
        EXPECT_LE(std::fabs(x[0] - 2 * x[n - 1] + x[n - 2]), percentile(bend, 0.995));
        EXPECT_LE(std::fabs(x[1] - 2 * x[0] + x[n - 1]), percentile(bend, 0.995));
        // No fade at either end, which would pump once a loop.
        EXPECT_GT(synth_rms(synth_buffer(x.begin(), x.begin() + span)), 0.3 * rms);
        EXPECT_GT(synth_rms(synth_buffer(x.end() - span, x.end())), 0.3 * rms);
    }
}

struct tune_info {
    double seconds = 0, first_note = -1;
    std::set<int> programs;
};

// Walks a tune's one track (ours are format 0, every event with its status byte).
tune_info read_tune(const MIDI *m) {
    tune_info t;
    const unsigned char *p = m->track[0].data, *end = p + m->track[0].len;
    double tick = 0.5 / m->divisions; // seconds, at 120 beats a minute until told otherwise
    auto number = [&] {
        int v = 0;
        do v = v << 7 | (*p & 0x7F);
        while (*p++ & 0x80);
        return v;
    };
    while (p < end) {
        t.seconds += number() * tick;
        int status = *p++, kind = status >> 4;
        if (status == 0xFF) {
            int type = *p++, len = number();
            if (type == 0x51) tick = (p[0] << 16 | p[1] << 8 | p[2]) / 1e6 / m->divisions;
            p += len;
        } else {
            if (kind == 0xC) t.programs.insert(*p);
            if (kind == 0x9 && p[1] > 0 && t.first_note < 0) t.first_note = t.seconds;
            p += kind == 0xC || kind == 0xD ? 1 : 2;
        }
    }
    return t;
}

TEST(AudioAssets, TunesAreShortStartAtOnceAndPlayOnTheirPatchSet) {
    // The software synthesiser's instrument index names a patch for each program it
    // holds, counted from 1.
    char index[4096] = "";
    PACKFILE *f = pack_fopen(data_path("patches.dat#default_cfg").c_str(), F_READ);
    ASSERT_TRUE(f && pack_fread(index, sizeof index - 1, f) > 0);
    pack_fclose(f);
    std::set<int> programs;
    std::istringstream lines(index);
    std::string patch;
    for (int number; lines >> number >> patch;) programs.insert(number - 1);
    EXPECT_FALSE(programs.empty());

    for (const char *name : {"points1.mid", "points2.mid"}) {
        SCOPED_TRACE(name);
        MIDI *m = load_midi(data_path(name).c_str());
        ASSERT_NE(m, nullptr);
        tune_info t = read_tune(m);
        destroy_midi(m);
        EXPECT_EQ(t.first_note, 0.0) << "silence before the first note";
        EXPECT_TRUE(t.seconds >= 0.4 && t.seconds <= 2.5) << t.seconds << " s";
        EXPECT_FALSE(t.programs.empty()) << "plays the default piano, which the set lacks";
        for (int p : t.programs) EXPECT_TRUE(programs.count(p)) << "program " << p << " missing";
    }
}

} // namespace
