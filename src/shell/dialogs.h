// The quit and save questions and the notice of a failed save.
#pragma once

constexpr const char *QUESTION_QUIT = "Do you want to quit?";
constexpr const char *QUESTION_QUIT_GAME = "Do you want to quit game?";
constexpr const char *QUESTION_SAVE = "Do you want to save this game for later use and quit?";
constexpr const char *NOTICE_SAVE_FAILED = "The game could not be saved.";
constexpr const char *NOTICE_SAVE_REFUSED = "The saved game could not be read. A new game starts.";
constexpr const char *NOTICE_BEST_SCORE_FAILED =
    "Your score could not be kept among the best scores.";

// Stands in for the library's message box when set (tests, drivers without a
// window): gets the line and the button labels (button2 nullptr for a notice with
// one button) and returns the button chosen, 1 or 2.
using dialog_box_fn = int (*)(const char *line, const char *button1, const char *button2);
extern dialog_box_fn dialog_box_hook;

// Shows a notice with one "OK" button.
void tell_player(const char *message);
