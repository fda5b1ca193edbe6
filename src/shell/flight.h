// The arithmetic behind the engine sound, kept apart so that it can be checked
// without a sound card.
#pragma once

// Pan of a sound coming from screen x: 0 (left) to 255 (right), 128 at the centre.
int heli_engine_pan(int x);
// Engine frequency for a vertical speed and a tilt: 700 in level flight, higher
// while climbing or tilted, never below 500.
int heli_engine_frequency(int vspeed, int tilt);
