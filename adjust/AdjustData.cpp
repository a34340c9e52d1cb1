#include "adjust/AdjustData.h"

#include "core/Defaults.h"
#include "core/Tones.h"

namespace nv::adj {

int listPosition(int value, int items) {
    if (value < 0) return 0;
    return value >= items ? items - 1 : value;
}

void normaliseForDisplay(AdjustTable& t) {
    const int transmitBits = t(0, TransmitSwitches) & SwitchMask;
    const int receiveBits = t(0, ReceiveSwitches) & SwitchMask;
    for (const ListField& f : DisplayedLists)
        for (int c = f.firstCell; c < f.firstCell + f.count; ++c)
            t(f.row, c) = static_cast<Int16>(listPosition(t(f.row, c), f.items));
    t(0, TransmitSwitches) =
        static_cast<Int16>((t(0, TransmitSwitches) & ~SwitchMask) | transmitBits);
    t(0, ReceiveSwitches) = static_cast<Int16>((t(0, ReceiveSwitches) & ~SwitchMask) | receiveBits);
}

void setSwitch(AdjustTable& t, int cell, int bit, bool on) {
    t(0, cell) = static_cast<Int16>((t(0, cell) & ~bit) | (on ? bit : 0));
}

bool switchOn(const AdjustTable& t, int cell, int bit) { return (t(0, cell) & bit) != 0; }

namespace {
bool versionCharacter(int v) {
    return (v >= '0' && v <= '9') || (v >= 'A' && v <= 'Z') || v == '+' || v == '-' || v == ' ';
}
}  // namespace

std::string versionText(const AdjustTable& t) {
    std::string text;
    for (int c = 0; c < VersionLength; ++c) {
        text = trim(text);
        if (versionCharacter(t(VersionRow, c))) text += static_cast<char>(t(VersionRow, c));
    }
    return text;
}

int frequencyPointMHz(int point, bool vhf) { return (vhf ? 100 : 400) + 10 * point; }

void storeMarker(AdjustTable& t) {
    for (int c = 0; c < static_cast<int>(AdjustMarker.size()); ++c)
        t(MarkerRow, c) = AdjustMarker[c];
}

}  // namespace nv::adj
