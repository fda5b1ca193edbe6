// The asset generator: every start-up asset of the game, drawn and synthesised by
// our own code. Each family writes its files into the given folder and returns
// false (after printing why) when it cannot.
#pragma once

#include <string>

bool gen_backdrop(const std::string &dir);   // la.jpg
bool gen_helicopter(const std::string &dir); // helicopter.bmp
bool gen_icons(const std::string &dir);      // stop.tga, save.tga
bool gen_font(const std::string &dir);       // font.dat
bool gen_sounds(const std::string &dir);     // helicopter.wav, water.wav, wind.wav, fire.wav
bool gen_tunes(const std::string &dir);      // points1.mid, points2.mid
bool gen_people(const std::string &dir);     // the 179 body-part bitmaps

// Not an asset of the game: its icon for the desktop, written as <dir>/<n>x<n>/apps/
// highrise-rescue.png for every size n, the folders of an icon theme.
constexpr int APP_ICON_SIZES[] = {16, 32, 48, 64, 128, 256};
constexpr const char *APP_ICON_NAME = "highrise-rescue.png";
bool gen_app_icons(const std::string &dir);
