#include "assetgen/wav_writer.h"

synth_bytes wav_encode_pcm16(const std::vector<int16_t> &samples, int rate) {
    const uint32_t data_size = (uint32_t)samples.size() * 2;
    synth_bytes b;
    b.reserve(44 + data_size);
    bytes_put_text(b, "RIFF", 4);
    bytes_put_le32(b, 36 + data_size);
    bytes_put_text(b, "WAVE", 4);
    bytes_put_text(b, "fmt ", 4);
    bytes_put_le32(b, 16);
    bytes_put_le16(b, 1); // PCM
    bytes_put_le16(b, 1); // mono
    bytes_put_le32(b, (uint32_t)rate);
    bytes_put_le32(b, (uint32_t)rate * 2); // bytes per second
    bytes_put_le16(b, 2);                  // bytes per frame
    bytes_put_le16(b, 16);                 // bits per sample
    bytes_put_text(b, "data", 4);
    bytes_put_le32(b, data_size);
    for (int16_t s : samples) bytes_put_le16(b, (uint16_t)s);
    return b;
}

bool wav_write_pcm16(const std::string &path, const std::vector<int16_t> &samples, int rate) {
    return bytes_write_file(path, wav_encode_pcm16(samples, rate));
}
