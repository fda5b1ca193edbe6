// Scoring constants shared by the HUD, the end of a mission and the saved game.
#pragma once

constexpr int MISSION_SECONDS = 30 * 60; // the time allowance of one mission
constexpr int BONUS_PER_SECOND = 10;     // time bonus per second left
constexpr int TIME_BONUS_MAX = MISSION_SECONDS * BONUS_PER_SECOND; // 18000
constexpr int BONUS_STEP = 100;         // counted into the score per frame
constexpr int TUNE_RESTART_FRAMES = 13; // the bonus tune restarts this often
constexpr int ANNOUNCE_START = 1180;    // " Prepare for Mission" runs from here
constexpr int ANNOUNCE_END = 1000;      // ... down to here: the next mission starts

// The people rescued of all the mission's, in a panel sized for the most people a
// mission can hold.
constexpr const char *RESCUED_FORMAT = " Rescued %d of %d ";
constexpr const char *RESCUED_PANEL_SIZING = " Rescued 1024 of 1024 ";
// Its left edge: centred in the gap between the score and altitude panels.
int rescued_panel_x();
