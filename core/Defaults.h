#pragma once
// The factory configuration the program starts with, and the start-up adjustment values.

#include <array>
#include <cstdint>

#include "core/AppState.h"

namespace nv {

// Six printable ASCII bytes the radio family keeps in row 27, cells 8 to 13.
constexpr std::array<std::uint8_t, 6> IdentificationBytes = {'N', 'V', '7', '4', '2', 'U'};
// The fixed marker stored in adjustment row 7 before every adjustment write.
constexpr std::array<std::uint8_t, 8> AdjustMarker = {'N', 'V', '7', '4', '2', 'A', 'D', 'J'};
// The fixed record of adjustment row 10: cells 0 to 4, then cell 7.
constexpr std::array<std::uint8_t, 5> AdjustDefaultRecordHead = {0x01, 0x02, 0x10, 0x20, 0x30};
constexpr std::uint8_t AdjustDefaultRecordCell7 = 0x5A;

// Fills the radio memory with 0xFF, writes the settings rows and the default channels.
void buildDefaultImage(AppState& s);
// Rewrites channel rows 1 to 16 only; the scan bits in row 23 are left alone.
void writeDefaultChannels(Image& image);
void buildDefaultAdjustImage(AdjustTable& adjust);

}  // namespace nv
