// The best scores: the ten best finished games, each with the highest mission it
// reached and its date, kept in a small text file in the player's folder.
//
// One game a line, "score mission date" (mission as the player counts it, 1 to 7;
// the date as YYYY-MM-DD), best first; lines starting with '#' are comments. A file
// that does not read so is damaged: it is read as an empty table and moved aside
// under a name of its own, never written over.
#pragma once

#include <string>

constexpr const char *BEST_SCORES_NAME = "best-scores.txt";
constexpr int BEST_SCORES_KEPT = 10;

struct best_score {
    int score;
    int mission;   // 1 to 7
    char date[11]; // YYYY-MM-DD
};

struct best_table {
    best_score entry[BEST_SCORES_KEPT];
    int count;
};

// Reads a table from the file's text; false with the reason (and the line) when the
// text is damaged. More than ten games keep the ten best.
bool best_scores_parse(const std::string &text, best_table *table, std::string *why);
// The file's text of a table.
std::string best_scores_text(const best_table &table);
// Puts a game into the table in score order, after the games of an equal score;
// false when it does not make the ten.
bool best_scores_insert(best_table *table, const best_score &game);

// Reads the player's table: empty when there is none. A damaged file is moved aside
// and *notice tells where (it stays "" otherwise). False when the file can neither be
// read nor moved aside: it must then not be written over.
bool best_scores_read(best_table *table, std::string *notice);
// Adds a finished game to the player's table: read, insert, written whole through a
// temporary file. False with the reason when the table could not be written.
bool best_scores_add(const best_score &game, std::string *problem);
// Today's date as the table writes it.
void best_scores_today(char date[11]);
