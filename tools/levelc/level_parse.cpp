// Reading the mission text format: directives, comments and 120 rows of 14 tiles,
// each row optionally followed by 14 people counts.
#include "levelc/levelc.h"
#include "levelc/tile_styles.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A file full of faults is reported in part: the first few say enough.
constexpr size_t MAX_ERRORS_PER_FILE = 20;

struct parser {
    const std::string &file;
    mission &m;
    std::vector<level_error> &errors;
    size_t first_error;
    int rows = 0;
    int extra_row_line = 0; // the first row past the 120th

    void fail(int line, int column, const std::string &message) {
        if (errors.size() - first_error < MAX_ERRORS_PER_FILE)
            errors.push_back({file, {line, column}, message});
    }
    bool failed() const { return errors.size() > first_error; }

    void directive(int line, const std::string &key, const std::string &value) {
        if (key == "title") {
            m.title = value;
        } else if (key == "style") {
            int style = style_from_name(value.c_str());
            if (style < 0) {
                std::string known;
                for (int s = 0; s < STYLE_COUNT; s++)
                    known += std::string(s ? ", " : "") + TILE_STYLES[s].name;
                fail(line, (int)key.size() + 3,
                     "unknown style '" + value + "' (known: " + known + ")");
            } else {
                m.style = style;
            }
        } else {
            fail(line, 1, "unknown setting '" + key + "' (known: title, style)");
        }
    }

    void row(int line, const std::string &text) {
        if (rows >= MISSION_ROWS) {
            if (!extra_row_line) extra_row_line = line;
            rows++;
            return;
        }
        if (rows == 0) m.first_row_line = line;
        mission_tile *tiles = m.tiles[rows];
        rows++;

        size_t tiles_end = text.find_first_of(" \t");
        if (tiles_end == std::string::npos) tiles_end = text.size();
        int count = (int)tiles_end;
        if (count != MISSION_COLS) {
            fail(line, count > MISSION_COLS ? MISSION_COLS + 1 : count + 1,
                 "a row needs " + std::to_string(MISSION_COLS) + " tiles, this one has " +
                     std::to_string(count));
            return;
        }
        for (int c = 0; c < MISSION_COLS; c++) {
            int kind = kind_from_symbol(text[c]);
            tiles[c].at = {line, c + 1};
            tiles[c].people_at = tiles[c].at;
            tiles[c].people = 0;
            if (kind < 0) {
                char hex[8];
                snprintf(hex, sizeof hex, "\\x%02x", (unsigned char)text[c]);
                std::string shown =
                    std::isprint((unsigned char)text[c]) ? std::string(1, text[c]) : hex;
                fail(line, c + 1, "unknown tile character '" + shown + "'");
                tiles[c].kind = KIND_SKY;
            } else {
                tiles[c].kind = (tile_kind)kind;
            }
        }

        size_t start = text.find_first_not_of(" \t", tiles_end);
        if (start == std::string::npos) return;
        size_t end = text.find_first_of(" \t", start);
        if (end == std::string::npos) end = text.size();
        int people_count = (int)(end - start);
        if (people_count != MISSION_COLS) {
            fail(line, (int)start + 1,
                 "the people part needs " + std::to_string(MISSION_COLS) +
                     " digits or '.', this one has " + std::to_string(people_count));
            return;
        }
        for (int c = 0; c < MISSION_COLS; c++) {
            char ch = text[start + c];
            tiles[c].people_at = {line, (int)start + c + 1};
            if (ch == '.') {
                tiles[c].people = 0;
            } else if (ch >= '0' && ch <= '9') {
                tiles[c].people = ch - '0';
            } else {
                fail(line, (int)start + c + 1,
                     std::string("unknown people character '") + ch + "' (a digit or '.')");
            }
        }
        size_t rest = text.find_first_not_of(" \t", end);
        if (rest != std::string::npos)
            fail(line, (int)rest + 1, "unexpected text after the people part");
    }
};

bool is_directive(const std::string &text, std::string &key, std::string &value) {
    size_t colon = text.find(':');
    if (colon == std::string::npos || colon == 0) return false;
    for (size_t i = 0; i < colon; i++)
        if (!std::islower((unsigned char)text[i])) return false;
    key = text.substr(0, colon);
    size_t v = text.find_first_not_of(" \t", colon + 1);
    value = v == std::string::npos ? "" : text.substr(v);
    return true;
}

} // namespace

bool level_parse(const std::string &file, const std::string &text, mission &out,
                 std::vector<level_error> &errors) {
    out = mission();
    out.file = file;
    parser p{file, out, errors, errors.size()};
    std::istringstream in(text);
    std::string line_text;
    int line = 0;
    while (std::getline(in, line_text)) {
        line++;
        // A ';' starts a comment, on a line of its own or after a row.
        size_t comment = line_text.find(';');
        if (comment != std::string::npos) line_text.erase(comment);
        size_t last = line_text.find_last_not_of(" \t\r");
        line_text.erase(last == std::string::npos ? 0 : last + 1);
        if (line_text.empty()) continue;
        std::string key, value;
        if (is_directive(line_text, key, value))
            p.directive(line, key, value);
        else
            p.row(line, line_text);
    }
    if (p.rows > MISSION_ROWS)
        p.fail(p.extra_row_line, 1,
               "a mission needs " + std::to_string(MISSION_ROWS) + " rows, this file has " +
                   std::to_string(p.rows));
    else if (p.rows < MISSION_ROWS)
        p.fail(line > 0 ? line : 1, 1,
               "a mission needs " + std::to_string(MISSION_ROWS) + " rows, this file has " +
                   std::to_string(p.rows));
    return !p.failed();
}

bool level_read_file(const std::string &path, mission &out, std::vector<level_error> &errors) {
    auto refuse = [&](const std::string &message) {
        errors.push_back({path, {}, message});
        return false;
    };
    // Not blocking on a pipe, and looked at before anything is read: a folder, a
    // device or a huge file is refused as it stands.
    int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return refuse(std::string("cannot read the file (") + strerror(errno) + ")");
    struct stat st;
    std::string text, problem;
    if (fstat(fd, &st) != 0)
        problem = std::string("cannot read the file (") + strerror(errno) + ")";
    else if (S_ISDIR(st.st_mode))
        problem = "is a folder, not a level file";
    else if (!S_ISREG(st.st_mode))
        problem = "is not a regular file";
    else if (st.st_size > LEVEL_FILE_MAX_BYTES)
        problem = "is " + std::to_string((long long)st.st_size) +
                  " bytes; a level file has at most " + std::to_string(LEVEL_FILE_MAX_BYTES);
    else {
        // One byte more than allowed shows a file that grew since it was looked at.
        text.resize(LEVEL_FILE_MAX_BYTES + 1);
        size_t got = 0;
        ssize_t n = 1;
        while (n > 0 && got < text.size())
            if ((n = read(fd, &text[got], text.size() - got)) > 0) got += (size_t)n;
        if (n < 0)
            problem = std::string("cannot read the file (") + strerror(errno) + ")";
        else if (got > LEVEL_FILE_MAX_BYTES)
            problem = "has more than " + std::to_string(LEVEL_FILE_MAX_BYTES) +
                      " bytes; a level file has at most that";
        text.resize(got);
    }
    close(fd);
    if (!problem.empty()) return refuse(problem);
    return level_parse(path, text, out, errors);
}
