// Paces frame loops to 60 frames a second on the monotonic clock. The loop sleeps
// until the next 1/60 s tick; after a stall it carries on from now instead of
// bursting to catch up.
#pragma once

#include <cstdint>

constexpr int64_t FRAME_NS = 1000000000 / 60;

struct frame_pacer {
    int64_t next_ns; // when the frame that is being waited for is due
    bool started;
};

// The schedule alone, with the clock given: returns the time to wake at for the
// next frame and advances the pacer.
int64_t pacer_next_wake(frame_pacer *pacer, int64_t now_ns);

int64_t monotonic_now_ns();
// Sleeps until the next frame of the game's single pacer is due.
void frame_wait();
