// The rescue helicopter's paint, shared by its game sprite and the program's icon so
// that the two are plainly the same machine.
#pragma once

#include "assetgen/image_util.h"

constexpr img_colour HELI_RED = {200, 34, 36};
constexpr img_colour HELI_WHITE = {238, 240, 244};
constexpr img_colour HELI_DARK = {46, 48, 56};
constexpr img_colour HELI_METAL = {150, 156, 166};
constexpr img_colour HELI_COWL = {206, 210, 216};
constexpr img_colour HELI_GLASS_TOP = {22, 46, 92};
constexpr img_colour HELI_GLASS_LOW = {104, 176, 222};

// Light from above: paint is brighter on top, darker toward the belly (from y `top`
// to `bottom`), with a glint along the upper curve.
img_shader heli_lit(img_colour base, float top, float bottom);

// The fuselage's shape: a rounded box centred at (cx, cy) with half-sides rx and ry,
// fuller than an ellipse so that the belly is flat-ish.
bool heli_in_cabin(float x, float y, float cx, float cy, float rx, float ry);
