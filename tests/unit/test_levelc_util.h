// Small missions written as text, for the level compiler's tests.
#pragma once

#include "levelc/levelc.h"

#include <map>
#include <string>
#include <vector>

// A mission file: every row is sky unless `rows` gives it ("tiles" or
// "tiles people"). `head` goes first (settings, comments).
inline std::string mission_text(const std::map<int, std::string> &rows,
                                const std::string &head = "") {
    std::string text = head;
    for (int r = 0; r < MISSION_ROWS; r++) {
        auto found = rows.find(r);
        text += (found == rows.end() ? std::string(MISSION_COLS, '.') : found->second) + "\n";
    }
    return text;
}

// The smallest sound mission: a roof with a beacon at row 110, one shaft in
// column 6 and two people on row 114.
inline std::map<int, std::string> small_building() {
    return {
        {110, "....^BE^......"},
        {111, "....==|=......"},
        {112, "....==|=......"},
        {113, "....==|=......"},
        {114, "....==U=......  ....2........."},
        {115, "....====......"},
        {116, "....====......"},
        {117, "....====......"},
        {118, "....====......"},
        {119, "....====......"},
    };
}

// Parses and checks a mission; the messages of every fault, "line:column: message".
inline std::vector<std::string> faults(const std::string &text, route_stats *stats = nullptr) {
    mission m;
    std::vector<level_error> errors;
    if (level_parse("m.txt", text, m, errors)) level_check(m, errors, stats);
    std::vector<std::string> out;
    for (const level_error &e : errors) {
        std::string t = level_error_text(e);
        out.push_back(t.substr(6)); // without "m.txt:"
    }
    return out;
}
