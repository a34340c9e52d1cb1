#pragma once
// The test-mode frequency table in image rows 40 to 47: 16 test channels, each a receive and a
// transmit frequency of 4 BCD bytes. A slot whose first byte is 0xFF is empty.

#include <string>
#include <string_view>

#include "core/AppState.h"

namespace nv {

constexpr int TestChannels = 16;
constexpr int FirstTestRow = 40;

struct TestSlot {
    int row;
    int cell;
};

// The slot of a test channel (1 to 16), receive or transmit.
TestSlot testSlot(int channel, bool transmit);

bool slotEmpty(const Image& image, TestSlot slot);
// The display text of the slot, "" for an empty one.
std::string slotText(const Image& image, TestSlot slot);
void clearSlot(Image& image, TestSlot slot);
// Stores the text's value exactly, to 10 Hz and without raster snapping.
void storeExactFrequency(Image& image, TestSlot slot, std::string_view text);

}  // namespace nv
