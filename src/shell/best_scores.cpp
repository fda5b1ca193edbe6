// The best-score table: its text, its place in order, and its file in the player's
// folder, read with care and written whole.
#include "shell/best_scores.h"

#include "shell/file_places.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <sys/stat.h>
#include <vector>

namespace {

// Far more than ten lines can take: anything longer is not a table.
constexpr std::size_t BEST_SCORES_MAX_BYTES = 64 * 1024;
constexpr const char *HEADER =
    "# Highrise Rescue best scores: score, highest mission reached, date\n";
// How many names a damaged table may be moved aside to before giving up.
constexpr int ASIDE_NAMES = 100;

bool digits(const std::string &s, std::size_t at, std::size_t n) {
    if (at + n > s.size()) return false;
    for (std::size_t i = at; i < at + n; i++)
        if (s[i] < '0' || s[i] > '9') return false;
    return true;
}

int number(const std::string &s, std::size_t at, std::size_t n) {
    int v = 0;
    for (std::size_t i = at; i < at + n; i++) v = v * 10 + (s[i] - '0');
    return v;
}

// "score mission YYYY-MM-DD": a score from 1 up, a mission from 1 to 7, a real month
// and a day of 1 to 31.
bool parse_game(const std::string &line, best_score *game) {
    std::size_t n = 0;
    while (n < line.size() && line[n] >= '0' && line[n] <= '9') n++;
    if (n == 0 || n > 10 || line[0] == '0') return false;
    long long score = 0;
    for (std::size_t i = 0; i < n; i++) score = score * 10 + (line[i] - '0');
    if (score > INT_MAX) return false;
    const std::size_t m = n + 1, d = n + 3;
    if (line.size() != d + 10 || line[n] != ' ' || line[m + 1] != ' ') return false;
    if (line[m] < '1' || line[m] > '7') return false;
    if (!digits(line, d, 4) || line[d + 4] != '-' || !digits(line, d + 5, 2) ||
        line[d + 7] != '-' || !digits(line, d + 8, 2))
        return false;
    int month = number(line, d + 5, 2), day = number(line, d + 8, 2);
    if (month < 1 || month > 12 || day < 1 || day > 31) return false;
    game->score = (int)score;
    game->mission = line[m] - '0';
    memcpy(game->date, line.c_str() + d, 10);
    game->date[10] = '\0';
    return true;
}

// A free name beside the file to keep a damaged table under, "" when there is none.
std::string aside_name(const std::string &path) {
    for (int k = 1; k <= ASIDE_NAMES; k++) {
        std::string name = path + ".damaged" + (k == 1 ? "" : "-" + std::to_string(k));
        struct stat st;
        if (lstat(name.c_str(), &st) != 0 && errno == ENOENT) return name;
    }
    return "";
}

} // namespace

bool best_scores_parse(const std::string &text, best_table *table, std::string *why) {
    std::vector<best_score> games;
    std::size_t at = 0;
    for (int line_no = 1; at < text.size(); line_no++) {
        std::size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(at, end - at);
        at = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        best_score game;
        if (!parse_game(line, &game)) {
            if (why) *why = "line " + std::to_string(line_no) + " is not \"score mission date\"";
            return false;
        }
        games.push_back(game);
    }
    // A table put in order by hand still reads: best first, equal scores as they came.
    std::stable_sort(games.begin(), games.end(),
                     [](const best_score &a, const best_score &b) { return a.score > b.score; });
    table->count = std::min((int)games.size(), BEST_SCORES_KEPT);
    std::copy(games.begin(), games.begin() + table->count, table->entry);
    return true;
}

std::string best_scores_text(const best_table &table) {
    std::string text = HEADER;
    for (int i = 0; i < table.count; i++) {
        const best_score &g = table.entry[i];
        text += std::to_string(g.score) + " " + std::to_string(g.mission) + " " + g.date + "\n";
    }
    return text;
}

bool best_scores_insert(best_table *table, const best_score &game) {
    int at = 0;
    while (at < table->count && table->entry[at].score >= game.score) at++;
    if (at >= BEST_SCORES_KEPT) return false;
    int last = std::min(table->count, BEST_SCORES_KEPT - 1);
    for (int i = last; i > at; i--) table->entry[i] = table->entry[i - 1];
    table->entry[at] = game;
    table->count = last + 1;
    return true;
}

bool best_scores_read(best_table *table, std::string *notice) {
    table->count = 0;
    notice->clear();
    std::string path = player_file(BEST_SCORES_NAME);
    if (path.empty()) return true;
    FILE *f = fopen(path.c_str(), "rb");
    if (!f) {
        if (errno == ENOENT || errno == ENOTDIR) return true; // no table yet, or no folder
        *notice = "The best scores cannot be read: " + path + ": " + strerror(errno) + ".";
        fprintf(stderr, "highrise: cannot read %s: %s\n", path.c_str(), strerror(errno));
        return false;
    }
    std::string text(BEST_SCORES_MAX_BYTES + 1, '\0');
    text.resize(fread(&text[0], 1, text.size(), f));
    bool read_ok = !ferror(f);
    int read_errno = errno;
    fclose(f);
    std::string why;
    if (!read_ok)
        why = std::string("it cannot be read (") + strerror(read_errno) + ")";
    else if (text.size() > BEST_SCORES_MAX_BYTES)
        why = "it is longer than a table can be";
    else if (best_scores_parse(text, table, &why))
        return true;
    table->count = 0;
    // Kept for the player under another name; the table starts afresh.
    std::string aside = aside_name(path);
    if (aside.empty() || rename(path.c_str(), aside.c_str()) != 0) {
        const char *reason = aside.empty() ? "no free name beside it" : strerror(errno);
        fprintf(stderr, "highrise: %s is damaged (%s) and cannot be moved aside (%s)\n",
                path.c_str(), why.c_str(), reason);
        *notice = "The best scores are damaged and cannot be moved aside: " + path + ".";
        return false;
    }
    fprintf(stderr, "highrise: %s is damaged (%s); kept as %s, the table starts afresh\n",
            path.c_str(), why.c_str(), aside.c_str());
    *notice = "The best scores were damaged; kept as " + aside.substr(aside.rfind('/') + 1) + ".";
    return true;
}

bool best_scores_add(const best_score &game, std::string *problem) {
    best_table table;
    std::string notice;
    if (!best_scores_read(&table, &notice)) {
        *problem = notice;
        return false;
    }
    if (!best_scores_insert(&table, game)) return true;
    std::string text = best_scores_text(table);
    if (player_file_write(BEST_SCORES_NAME, text.data(), text.size())) return true;
    std::string path = player_file(BEST_SCORES_NAME);
    *problem = (path.empty() ? std::string("no folder for the player's files") : path) + ": " +
               strerror(errno);
    return false;
}

void best_scores_today(char date[11]) {
    time_t now = time(nullptr);
    struct tm local;
    if (!localtime_r(&now, &local) || strftime(date, 11, "%Y-%m-%d", &local) != 10)
        strcpy(date, "2000-01-01");
}
