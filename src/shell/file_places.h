// Where the game's files live: the data folder its assets are read from (never
// written), and the player's own folder for the saved game and whatever else the
// player owns, following the XDG base-directory rules.
#pragma once

#include <cstddef>
#include <string>

constexpr const char *GAME_DIR_NAME = "highrise-rescue";

// ---- the data folder ----------------------------------------------------------
// The data folder for an executable at `exe_path`: the installed layout beside it
// (`from_exe`, relative to the executable's folder), the build tree's "data" folder
// beside it, then the installed location `installed`. "" when none is a folder;
// `looked` then lists the places tried, for the message.
std::string data_dir_find(const std::string &exe_path, const char *from_exe, const char *installed,
                          std::string *looked);
// The same for the running program (through /proc/self/exe).
std::string data_dir_of_this_program(std::string *looked);

// ---- the player's folder --------------------------------------------------------
// $XDG_DATA_HOME/highrise-rescue, or $HOME/.local/share/highrise-rescue when
// XDG_DATA_HOME is unset, empty or not absolute; "" when HOME gives no absolute
// path either. Read from the environment at every call.
std::string player_dir();
// A file of the player's folder, "" when there is no usable folder.
std::string player_file(const char *name);
// Makes the player's folder and any missing parents (new folders private to the
// player); false, with the reason in errno, when there is none or it cannot be made.
bool player_dir_make();

// Writes a file of the player's folder whole: first to its name plus ".tmp", which
// takes the file's name once every byte is on disk, so that the file is either as
// it was or whole. False, with the reason in errno, when it could not be written.
bool player_file_write(const char *name, const void *data, size_t size);

// Moves `name` from the folder `old_dir` (where an earlier version kept it) into the
// player's folder, unless the player's folder has one already. Nothing is lost on a
// failure: the old file stays until its copy is whole in the new place. Returns the
// new path when it moved the file, "" otherwise; `problem` gets a reason when a move
// was due and failed.
std::string player_file_adopt(const std::string &old_dir, const char *name, std::string *problem);
