#include "features/ScanRecord.h"

#include <algorithm>

namespace nv::scan {

int lookBackIndex(int stored) {
    if (stored > LookBackEntries) stored = LookBackEntries - 1;
    return stored == 0 ? 0 : stored - 1;
}

int lookBackCode(int index) { return index == 0 ? 0 : index + 1; }

std::string lookBackText(int index) {
    const int hundredths = 50 + 5 * index;
    const int fraction = hundredths % 100;
    return std::to_string(hundredths / 100) + "." + (fraction < 10 ? "0" : "") +
           std::to_string(fraction);
}

int revertEntries(int mode) { return mode == FixedChannel ? 4 : 2; }

int revertIndex(int mode, int stored) {
    if (mode == SelectedChannel && stored > 1) stored -= 2;
    return std::min(stored, revertEntries(mode) - 1);
}

int revertCode(int mode, int index) { return mode == SelectedChannel ? index + 2 : index; }

int secondsIndex(const Image& image, SettingField low, SettingField high) {
    return std::min(readSetting(image, high) * 256 + readSetting(image, low), LastSeconds);
}

void storeSeconds(Image& image, SettingField low, SettingField high, int seconds) {
    writeSetting(image, high, seconds / 256);
    writeSetting(image, low, seconds % 256);
}

std::optional<int> shownChannel(int stored) {
    if (stored >= 1 && stored <= LastChannel) return stored;
    return std::nullopt;
}

ScanView decodeScan(Image& image) {
    ScanView v;
    v.mode = listIndex(image, Priority);
    storeListIndex(image, Priority, v.mode);
    if (v.mode == FixedChannel) {
        v.channel = shownChannel(readSetting(image, PriorityChannel));
        writeSetting(image, PriorityChannel, v.channel.value_or(NoChannel));
    }
    v.lookBackA = lookBackIndex(readSetting(image, LookBackA));
    v.lookBackB = lookBackIndex(readSetting(image, LookBackB));
    writeSetting(image, LookBackA, lookBackCode(v.lookBackA));
    writeSetting(image, LookBackB, lookBackCode(v.lookBackB));
    v.revert = revertIndex(v.mode, readSetting(image, Revert));
    writeSetting(image, Revert, revertCode(v.mode, v.revert));
    v.dropout = secondsIndex(image, DropoutLow, DropoutHigh);
    v.dwell = secondsIndex(image, DwellLow, DwellHigh);
    storeSeconds(image, DropoutLow, DropoutHigh, v.dropout);
    storeSeconds(image, DwellLow, DwellHigh, v.dwell);
    return v;
}

std::optional<int> channelCode(std::string_view text) {
    const std::string_view t = trimBlanks(text);
    if (t.empty()) return NoChannel;
    int n = 0;
    for (char c : t) {
        if (c < '0' || c > '9') return std::nullopt;
        n = n * 10 + (c - '0');
        if (n > LastChannel) return std::nullopt;
    }
    if (n < 1) return std::nullopt;
    return n;
}

}  // namespace nv::scan
