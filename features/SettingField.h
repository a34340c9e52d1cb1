#pragma once
// A setting of the feature editors is described once as (row, cell, mask) of the image; the
// accessors read and change only the setting's bits, so bits no editor knows keep their value.
// A list setting adds the number of entries of its list and the value stored for entry 0.

#include <string>
#include <string_view>

#include "core/AppState.h"

namespace nv {

struct SettingField {
    int row;
    int cell;
    int mask = 0xFF;
};

int readSetting(const Image& image, SettingField f);
void writeSetting(Image& image, SettingField f, int value);

// A list box stores the position of its entry plus a fixed offset (the time-out timer stores
// position + 1); a stored value beyond the list shows the last entry.
struct ListSetting {
    SettingField at;
    int entries;
    int offset = 0;
};

int listIndex(const Image& image, ListSetting s);
void storeListIndex(Image& image, ListSetting s, int index);

// A check box: any nonzero value shows as checked; storing writes exactly 1 or 0.
bool isChecked(const Image& image, SettingField f);
void storeCheck(Image& image, SettingField f, bool on);

// Leading and trailing blanks removed (blanks only; other white space is kept).
std::string_view trimBlanks(std::string_view text);

}  // namespace nv
