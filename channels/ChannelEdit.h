#pragma once
// Rules the two channel editors share: band checks, the texts they put into a frequency
// field, and the codes of typed or picked tones.

#include <optional>
#include <string>
#include <string_view>

#include "core/AppState.h"
#include "core/Tones.h"

namespace nv {

// True when the text's value lies below BandLowMHz or above BandHighMHz.
bool outsideBand(const AppState& s, std::string_view text);

// The grid's padding of a typed frequency: "0"s up to 9 characters from 100 MHz on,
// up to 8 below.
std::string padFrequencyText(std::string_view text);

// Code of a CTCSS value in hertz given as text (its numeric part times ten, the low byte
// rounded halves to even).
ToneCode ctcssCodeOfText(std::string_view text);

// A typed tone text taken as a CTCSS frequency when its value lies from 60 to 259.9 Hz.
bool isTypedCtcss(std::string_view text);

}  // namespace nv
