// libFuzzer target for the best-score table's reader. Every input is read as the file's
// text: a refused text must say which line, an accepted one give at most ten games, best
// first, each as the table writes it, and read back the same from the text it writes.
// With FUZZ_SEED_DIR set, tables as the game writes them are put there first.
#include "shell/best_scores.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

bool game_in_range(const best_score &g) {
    if (g.score < 1 || g.mission < 1 || g.mission > 7 || strlen(g.date) != 10) return false;
    for (int i = 0; i < 10; i++)
        if (i == 4 || i == 7 ? g.date[i] != '-' : g.date[i] < '0' || g.date[i] > '9') return false;
    return true;
}

void write_seed(const char *dir, int n, const std::string &text) {
    std::string name = std::string(dir) + "/table_" + std::to_string(n) + ".txt";
    FILE *f = fopen(name.c_str(), "wb");
    if (!f || fwrite(text.data(), 1, text.size(), f) != text.size() || fclose(f) != 0) abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    const char *seeds = getenv("FUZZ_SEED_DIR");
    if (!seeds) return 0;
    best_table table{};
    for (int n = 0; n < 12; n++) { // from an empty table to a full one
        write_seed(seeds, n, best_scores_text(table));
        best_score game = {n * 977 % 5000 + 1, n % 7 + 1, ""};
        snprintf(game.date, sizeof game.date, "20%02d-%02d-%02d", 20 + n, n % 12 + 1,
                 n * 3 % 31 + 1);
        best_scores_insert(&table, game);
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const std::string text((const char *)data, size);
    best_table table;
    std::string why;
    if (!best_scores_parse(text, &table, &why)) {
        if (why.compare(0, 5, "line ") != 0) abort();
        return 0;
    }
    if (table.count < 0 || table.count > BEST_SCORES_KEPT) abort();
    for (int i = 0; i < table.count; i++)
        if (!game_in_range(table.entry[i]) ||
            (i && table.entry[i].score > table.entry[i - 1].score))
            abort();
    best_table back;
    if (!best_scores_parse(best_scores_text(table), &back, &why)) abort();
    if (best_scores_text(back) != best_scores_text(table)) abort();
    return 0;
}
