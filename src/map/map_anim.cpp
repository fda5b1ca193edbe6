// Block animation: the starting phase of every record and the per-tick step.
#include "map/map.h"

namespace {

// At most end - 2, but not below start: the frame before the last, turning back.
int turn_at_end(const map_anim &a) {
    return a.end - 2 < a.start ? a.start : a.end - 2;
}
// At least start + 1, but not past end - 1: the frame after the first, turning back.
int turn_at_start(const map_anim &a) {
    return a.start + 1 > a.end - 1 ? a.end - 1 : a.start + 1;
}

// One advance of the frame by the record's type. Each case changes the type at most
// once and returns, so a record is never advanced twice in a tick.
void advance(map_anim &a) {
    if (a.start == a.end) return;
    switch (a.type) {
    case ANIM_LOOP_FORWARD:
        if (++a.current == a.end) a.current = a.start;
        break;
    case ANIM_LOOP_BACKWARD:
        if (--a.current < a.start) a.current = a.end - 1;
        break;
    case ANIM_ONCE:
        if (++a.current == a.end) {
            a.current = a.start;
            a.type = ANIM_ONCE_DONE;
        }
        break;
    case ANIM_ONCE_HOLD:
        if (a.current != a.end - 1) a.current++;
        break;
    case ANIM_PINGPONG_UP:
    case ANIM_PINGPONG_DOWN_RETURN:
        if (++a.current == a.end) {
            a.current = turn_at_end(a);
            a.type = a.type == ANIM_PINGPONG_UP ? ANIM_PINGPONG_UP_RETURN : ANIM_PINGPONG_DOWN;
        }
        break;
    case ANIM_PINGPONG_DOWN:
    case ANIM_PINGPONG_UP_RETURN:
        if (--a.current < a.start) {
            a.current = turn_at_start(a);
            a.type = a.type == ANIM_PINGPONG_DOWN ? ANIM_PINGPONG_DOWN_RETURN : ANIM_PINGPONG_UP;
        }
        break;
    default: // ANIM_ONCE_DONE and unknown types stand still
        break;
    }
}

} // namespace

// Records run from the last one back to the marker, the first of type -1.
void map_reset_animations() {
    if (!anim_table) return;
    for (map_anim *a = anim_table_end - 1; a > anim_table && a->type != -1; a--) {
        if (a->type == ANIM_PINGPONG_UP_RETURN) a->type = ANIM_PINGPONG_UP;
        if (a->type == ANIM_PINGPONG_DOWN_RETURN) a->type = ANIM_PINGPONG_DOWN;
        if (a->type == ANIM_ONCE_DONE) a->type = ANIM_ONCE;
        bool backward = a->type == ANIM_LOOP_BACKWARD || a->type == ANIM_PINGPONG_DOWN;
        a->current = backward && a->start != a->end ? a->end - 1 : a->start;
        a->counter = a->delay;
    }
}

void map_update_animations() {
    if (!anim_table) return;
    for (map_anim *a = anim_table_end - 1; a > anim_table && a->type != -1; a--) {
        if (a->type == ANIM_NONE) continue;
        // Counted in int so that a delay of -128 still advances every tick.
        int counter = a->counter - 1;
        if (counter >= 0) {
            a->counter = (int8_t)counter;
            continue;
        }
        a->counter = a->delay;
        advance(*a);
    }
}
