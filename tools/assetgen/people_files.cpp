#include "assetgen/people_files.h"

#include <cstdio>

static const char *const PART_NAMES[] = {"leg", "body", "face"};

static std::string name(people_part part, int set, char view, int frame) {
    char buf[32];
    snprintf(buf, sizeof buf, "%s%d-%c-%d.bmp", PART_NAMES[part], set, view, frame);
    return buf;
}

std::string people_front_file(people_part part, int set) {
    return name(part, set, 'f', 0);
}
std::string people_walk_file(people_part part, int set, int frame) {
    return name(part, set, 'r', frame);
}
std::string people_board_file(people_part part, int set) {
    return name(part, set, 'a', 0);
}

bool body_has_walk_files(int set) {
    return set != 5 && set != 6;
}
bool body_has_board_file(int set) {
    return set >= 2 && set <= 4;
}

std::string people_slot_file(people_part part, int set, int slot) {
    if (slot == 0 || slot == 9) return people_front_file(part, set);
    if (slot == 8) {
        if (part == PART_LEGS) return people_front_file(PART_LEGS, 0);
        if (part == PART_FACE) return people_board_file(PART_FACE, set);
        if (body_has_board_file(set)) return people_board_file(PART_BODY, set);
        if (!body_has_walk_files(set)) return people_board_file(PART_BODY, 4);
        return people_front_file(PART_BODY, set);
    }
    if (part == PART_FACE) return people_walk_file(PART_FACE, set, 0);
    if (part == PART_BODY && !body_has_walk_files(set))
        return people_walk_file(PART_BODY, 4, slot - 1);
    return people_walk_file(part, set, slot - 1);
}
