#include "assetgen/midi_file.h"

#include <algorithm>

namespace {

struct midi_event {
    int time;
    int order; // at equal times: set-up first, then note-offs, then note-ons
    uint8_t bytes[3];
    int size;
};

void put_var_len(synth_bytes &b, uint32_t value) {
    uint8_t groups[5];
    int count = 0;
    do {
        groups[count++] = value & 0x7F;
        value >>= 7;
    } while (value);
    while (count > 1) b.push_back(groups[--count] | 0x80);
    b.push_back(groups[0]);
}

} // namespace

synth_bytes midi_encode(const midi_tune &tune) {
    std::vector<midi_event> events;
    for (const midi_channel_setup &c : tune.channels) {
        events.push_back({0, 0, {(uint8_t)(0xC0 | c.channel), (uint8_t)c.program, 0}, 2});
        events.push_back({0, 0, {(uint8_t)(0xB0 | c.channel), 7, (uint8_t)c.volume}, 3});
    }
    for (const midi_note &n : tune.notes) {
        uint8_t ch = (uint8_t)n.channel, key = (uint8_t)n.key;
        events.push_back({n.start_ms, 2, {(uint8_t)(0x90 | ch), key, (uint8_t)n.velocity}, 3});
        events.push_back({n.start_ms + n.length_ms, 1, {(uint8_t)(0x80 | ch), key, 64}, 3});
    }
    std::stable_sort(events.begin(), events.end(), [](const midi_event &a, const midi_event &b) {
        return a.time != b.time ? a.time < b.time : a.order < b.order;
    });

    synth_bytes track;
    // Tempo: one tick per millisecond.
    const uint32_t tempo = MIDI_MICROSECONDS_PER_QUARTER;
    const uint8_t tempo_event[] = {
        0x00, 0xFF, 0x51, 0x03, (uint8_t)(tempo >> 16), (uint8_t)(tempo >> 8), (uint8_t)tempo};
    track.insert(track.end(), std::begin(tempo_event), std::end(tempo_event));
    int now = 0;
    for (const midi_event &e : events) {
        put_var_len(track, (uint32_t)(e.time - now));
        now = e.time;
        for (int i = 0; i < e.size; i++) track.push_back(e.bytes[i]);
    }
    const uint8_t end_of_track[] = {0x00, 0xFF, 0x2F, 0x00};
    track.insert(track.end(), std::begin(end_of_track), std::end(end_of_track));

    synth_bytes file;
    bytes_put_text(file, "MThd", 4);
    bytes_put_be32(file, 6);
    bytes_put_be16(file, 0); // format 0
    bytes_put_be16(file, 1); // one track
    bytes_put_be16(file, MIDI_TICKS_PER_QUARTER);
    bytes_put_text(file, "MTrk", 4);
    bytes_put_be32(file, (uint32_t)track.size());
    file.insert(file.end(), track.begin(), track.end());
    return file;
}

bool midi_write(const std::string &path, const midi_tune &tune) {
    return bytes_write_file(path, midi_encode(tune));
}
