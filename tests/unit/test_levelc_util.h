// Small missions written as text, for the level compiler's tests.
#pragma once

#include "levelc/levelc.h"

#include <map>
#include <string>
#include <vector>

using rows_t = std::map<int, std::string>;

// A mission file: every row is sky unless `rows` gives it ("tiles" or "tiles  people").
inline std::string mission_text(const rows_t &rows, const std::string &head = "") {
    std::string text = head;
    for (int r = 0; r < MISSION_ROWS; r++) {
        auto found = rows.find(r);
        text += (found == rows.end() ? std::string(MISSION_COLS, '.') : found->second) + "\n";
    }
    return text;
}

// The smallest sound mission: a beacon on row 110, a shaft in column 6, 2 people on row 114.
inline rows_t small_building() {
    rows_t rows = {{110, "....^BE^......"}, {114, "....==U=......  ....2........."}};
    for (int r : {111, 112, 113}) rows[r] = "....==|=......";
    for (int r = 115; r < MISSION_ROWS; r++) rows[r] = "....====......";
    return rows;
}

// Parses and checks a mission; its faults as "line:column: message", one a line.
inline std::string faults(const std::string &text) {
    mission m;
    std::vector<level_error> errors;
    if (level_parse("m.txt", text, m, errors)) level_check(m, errors);
    std::string out;
    for (const level_error &e : errors)
        out += (out.empty() ? "" : "\n") + level_error_text(e).substr(6); // no "m.txt:"
    return out;
}
