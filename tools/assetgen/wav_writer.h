// Writes PCM WAV files that Allegro's load_sample reads: 16-bit signed mono.
#pragma once

#include "assetgen/synth_bytes.h"

#include <string>
#include <vector>

synth_bytes wav_encode_pcm16(const std::vector<int16_t> &samples, int rate);
bool wav_write_pcm16(const std::string &path, const std::vector<int16_t> &samples, int rate);
