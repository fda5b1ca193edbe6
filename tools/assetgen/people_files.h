// Names of the people's body-part bitmaps, and which file each entry of the game's
// sprite tables [set][slot] is read from (shared and borrowed entries included).
#pragma once

#include <string>

enum people_part { PART_LEGS, PART_BODY, PART_FACE };

constexpr int PEOPLE_FILE_COUNT = 179;
constexpr int PEOPLE_SLOTS = 10; // 0 standing, 1 to 7 walking, 8 boarding, 9 stepping off

std::string people_front_file(people_part part, int set);           // "leg3-f-0.bmp"
std::string people_walk_file(people_part part, int set, int frame); // "leg3-r-2.bmp"
std::string people_board_file(people_part part, int set);           // "face3-a-0.bmp"

bool body_has_walk_files(int set); // sets 5 and 6 walk in set 4's
bool body_has_board_file(int set); // sets 2, 3 and 4

// The file the table entry is loaded from.
std::string people_slot_file(people_part part, int set, int slot);
