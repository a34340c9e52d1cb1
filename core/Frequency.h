#pragma once
// BCD frequencies: 4 bytes, least significant digit pair first, 8 digits in units of 10 Hz.
// All arithmetic is on whole hertz, so snapping never suffers from binary fractions.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/AppState.h"

namespace nv {

using BcdBytes = std::array<int, 4>;

// Display text of the 4 stored bytes (cell k first): 450.02500, "00000000" for four zeros.
std::string frequencyToText(const BcdBytes& bytes);
std::string frequencyToText(const Image& image, int row, int cell);

// Hertz moved down onto the 5 kHz or the 6.25 kHz raster, whichever point lies nearer
// below; a tie goes to the 5 kHz raster.
std::int64_t snapToRasterHz(std::int64_t hz);

// A frequency (in millihertz) within 1 Hz of a point of the 5 kHz or the 6.25 kHz raster is
// that point: spreadsheets and other programs write numbers through binary floating point, so
// 446.00625 reaches us as 446.00624999999998. Anything further off, or below zero, is returned
// as it is, for the caller to snap and report.
std::int64_t withoutFloatNoiseMilliHz(std::int64_t milli);
// The same for a text in MHz read as a paste reads it: the text of the raster point, or the text
// unchanged.
std::string withoutFloatNoise(std::string_view mhz);

// Leading numeric value of a text in whole hertz (the text is in MHz; digits below 1 Hz
// are dropped, which cannot change a snap onto a whole-hertz raster).
std::int64_t textToHz(std::string_view text);

// Snaps the text's frequency, returns the normalised 9-character text and its BCD bytes.
struct EncodedFrequency {
    std::string text;
    BcdBytes bytes{};
};
EncodedFrequency encodeFrequency(std::string_view text);

// Encodes the text into (row, cell) .. (row, cell + 3) and returns the normalised text.
std::string textToFrequency(std::string_view text, Image& image, int row, int cell);

}  // namespace nv
