#include "features/SettingField.h"

#include <algorithm>
#include <bit>

namespace nv {

namespace {
int shiftOf(int mask) { return std::countr_zero(static_cast<unsigned>(mask)); }
}  // namespace

int readSetting(const Image& image, SettingField f) {
    return (image.byte(f.row, f.cell) & f.mask) >> shiftOf(f.mask);
}

void writeSetting(Image& image, SettingField f, int value) {
    const int kept = image.byte(f.row, f.cell) & ~f.mask;
    image(f.row, f.cell) =
        static_cast<Int16>((kept | ((value << shiftOf(f.mask)) & f.mask)) & 0xFF);
}

int listIndex(const Image& image, ListSetting s) {
    return std::clamp(readSetting(image, s.at) - s.offset, 0, s.entries - 1);
}

void storeListIndex(Image& image, ListSetting s, int index) {
    writeSetting(image, s.at, std::clamp(index, 0, s.entries - 1) + s.offset);
}

bool isChecked(const Image& image, SettingField f) { return readSetting(image, f) != 0; }

void storeCheck(Image& image, SettingField f, bool on) { writeSetting(image, f, on ? 1 : 0); }

std::string_view trimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace nv
