#pragma once
// How the radio scans, in row 22, cells 0 to 8: priority mode and channel, two look-back times,
// the revert channel, the dropout delay and the transmit dwell time.

#include <optional>
#include <string>
#include <string_view>

#include "features/SettingField.h"

namespace nv::scan {

enum PriorityMode { NoPriority = 0, FixedChannel = 1, SelectedChannel = 2 };

constexpr ListSetting Priority{{22, 0}, 3};
constexpr SettingField PriorityChannel{22, 1};
constexpr SettingField LookBackA{22, 2};
constexpr SettingField LookBackB{22, 3};
constexpr SettingField Revert{22, 4};
constexpr SettingField DropoutLow{22, 5};
constexpr SettingField DropoutHigh{22, 6};
constexpr SettingField DwellLow{22, 7};
constexpr SettingField DwellHigh{22, 8};

constexpr int NoChannel = 255;
constexpr int LastChannel = 16;
constexpr int LookBackEntries = 91;  // 0.50 s to 5.00 s in 0.05 s steps
constexpr int LastSeconds = 300;

// Look-back: entry i is 0.50 + 0.05 i seconds; entry 0 is stored as 0, entry i as i + 1.
int lookBackIndex(int stored);
int lookBackCode(int index);
std::string lookBackText(int index);  // "0.50" ... "5.00"

// Revert channel: mode none offers codes 0 and 1, fixed 0 to 3, selected 2 and 3.
int revertEntries(int mode);
int revertIndex(int mode, int stored);
int revertCode(int mode, int index);

// Dropout delay and dwell time: a 16-bit count of seconds, low byte first, at most 300.
int secondsIndex(const Image& image, SettingField low, SettingField high);
void storeSeconds(Image& image, SettingField low, SettingField high, int seconds);

// The channel number the priority-channel box shows for a stored value: 1 to 16, else none.
std::optional<int> shownChannel(int stored);

// What the window shows for row 22 after decoding.
struct ScanView {
    int mode = 0;
    std::optional<int> channel;  // shown only in the fixed mode
    int lookBackA = 0, lookBackB = 0;
    int revert = 0;  // position in the mode's revert list
    int dropout = 0, dwell = 0;
};

// Decodes row 22 and writes back every value in its normalised form: the mode at most 2,
// look-back times and revert code as their list entries store them, the seconds at most 300,
// and in the fixed mode a priority channel outside 1 to 16 as 255.
ScanView decodeScan(Image& image);

// The code a priority-channel text (UTF-8) stores: 255 when it is empty or blank, the number
// when it is, blanks around it aside, a whole number from 1 to 16 in ASCII digits; nothing
// (the range warning) otherwise, so that no part of a longer text becomes another channel.
std::optional<int> channelCode(std::string_view text);

}  // namespace nv::scan
