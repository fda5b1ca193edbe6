// Start-up images and the font, read with care: each file is checked against its
// own header before the library decodes it, and the JPEG backdrop is decoded from
// memory, so that a damaged file is refused in words instead of loading half blank
// or making the decoder read past its bytes.
#pragma once

#include <allegro.h>
#include <cstddef>
#include <cstdint>
#include <string>

// Loads a BMP, TGA or JPEG image (chosen by the name's extension) at the current
// colour depth. nullptr when it cannot, with the reason in words in *why.
BITMAP *asset_load_bitmap(const char *name, std::string *why);

// Loads an Allegro datafile whose objects are all there, as their headers say.
// nullptr when it cannot, with the reason in *why.
DATAFILE *asset_load_datafile(const char *name, std::string *why);

// Why a file cannot be read at all (missing, not a regular file), or "".
std::string asset_file_problem(const char *name);

// The checks on a file's bytes, by kind: "" when they hold every byte their header
// promises (and, for a JPEG, complete markers up to the end of the image).
std::string asset_bmp_problem(const uint8_t *data, size_t size);
std::string asset_tga_problem(const uint8_t *data, size_t size);
std::string asset_jpeg_problem(const uint8_t *data, size_t size);
