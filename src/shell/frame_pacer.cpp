#include "shell/frame_pacer.h"

#include <cerrno>
#include <ctime>

int64_t pacer_next_wake(frame_pacer *pacer, int64_t now_ns) {
    if (!pacer->started) {
        pacer->started = true;
        pacer->next_ns = now_ns;
        return now_ns;
    }
    pacer->next_ns += FRAME_NS;
    // Late (a stall, a dialog, a slow frame): show at once and keep the rhythm
    // from here rather than rushing through the frames that were missed.
    if (pacer->next_ns < now_ns) pacer->next_ns = now_ns;
    return pacer->next_ns;
}

int64_t monotonic_now_ns() {
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return (int64_t)ts.tv_sec * 1000000000 + ts.tv_nsec;
}

static frame_pacer game_pacer;

void frame_wait() {
    int64_t wake = pacer_next_wake(&game_pacer, monotonic_now_ns());
    timespec ts;
    ts.tv_sec = (time_t)(wake / 1000000000);
    ts.tv_nsec = (long)(wake % 1000000000);
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &ts, nullptr) == EINTR) {
    }
}
