#pragma once

#include <QString>

#include <cstdint>

// A colour: red in the lowest byte, then green, then blue.
using TColor = uint32_t;

TColor RGBColor(int r, int g, int b); // each channel taken modulo 256
TColor GrayColor(int v);
inline int RedOf(TColor c) { return int(c & 0xFF); }
inline int GreenOf(TColor c) { return int((c >> 8) & 0xFF); }
inline int BlueOf(TColor c) { return int((c >> 16) & 0xFF); }

// Each channel c becomes c +/- c * percent / 100 (integer division), clamped to 0..255.
TColor ShiftColor(TColor colour, int percent, bool lighter);

// Reads "$0000FF", "0xFF", "FF0000", "#F00", "#FF0000", "rgb(255, 0, 0)", "(255,0,0)",
// "255 0 0", "128" (a bare number is hex). False (colour untouched) when unreadable.
bool ParseColor(const QString& text, TColor& colour);
