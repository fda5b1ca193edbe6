// A PNG writer for the pictures that leave the game for the desktop (its icons):
// 8-bit RGBA, one deflate stream, no ancillary chunks.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes w x h pixels, four bytes each (red, green, blue, opacity), rows from the top;
// prints why and returns false on failure.
bool png_write_rgba(const std::string &path, int w, int h, const std::vector<uint8_t> &rgba);
