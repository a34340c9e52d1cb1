#include "adjust/TestFrequencies.h"

#include "core/Decimal.h"
#include "core/Frequency.h"

namespace nv {

TestSlot testSlot(int channel, bool transmit) {
    const int k = 2 * (channel - 1) + (transmit ? 1 : 0);
    return {FirstTestRow + k / 4, 4 * (k % 4)};
}

bool slotEmpty(const Image& image, TestSlot s) { return image.byte(s.row, s.cell) == 0xFF; }

std::string slotText(const Image& image, TestSlot s) {
    return slotEmpty(image, s) ? std::string() : frequencyToText(image, s.row, s.cell);
}

void clearSlot(Image& image, TestSlot s) {
    for (int i = 0; i < 4; ++i) image(s.row, s.cell + i) = 0xFF;
}

void storeExactFrequency(Image& image, TestSlot s, std::string_view text) {
    constexpr std::int64_t Largest = 99'999'999;  // eight BCD digits of 10 Hz
    std::int64_t tensOfHz = Decimal::parse(text).floorScaled(5);
    if (tensOfHz < 0) tensOfHz = 0;
    if (tensOfHz > Largest) tensOfHz = Largest;
    for (int i = 0; i < 4; ++i) {  // least significant digit pair first
        const int pair = static_cast<int>(tensOfHz % 100);
        image(s.row, s.cell + i) = static_cast<Int16>(16 * (pair / 10) + pair % 10);
        tensOfHz /= 100;
    }
}

}  // namespace nv
