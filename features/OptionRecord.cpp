#include "features/OptionRecord.h"

#include <algorithm>

namespace nv::opt {

void normaliseOptions(Image& image) {
    for (const ListSetting& s : Lists) storeListIndex(image, s, listIndex(image, s));
    for (const SettingField& f : Checks) storeCheck(image, f, isChecked(image, f));
}

bool isDtmfCharacter(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'D'); }

namespace {
bool isLowerDtmfLetter(char32_t c) { return c >= U'a' && c <= U'd'; }
char upper(char32_t c) { return static_cast<char>(c - U'a' + U'A'); }
}  // namespace

std::string dtmfText(const Image& image, int row) {
    std::string text;
    for (int c = 0; c < CodeLength; ++c) {
        const int v = image.byte(row, c);
        if (isDtmfCharacter(static_cast<char>(v))) text += static_cast<char>(v);
    }
    return text;
}

void storeDtmf(Image& image, int row, std::string_view code) {
    for (int c = 0; c < CodeLength; ++c) image(row, c) = 0xFF;
    const int n = std::min<int>(static_cast<int>(code.size()), CodeLength);
    for (int c = 0; c < n; ++c) image(row, c) = static_cast<Int16>(code[c]);
}

std::optional<char> acceptDtmfKey(std::string_view current, char32_t key) {
    if (trimBlanks(current).size() >= CodeLength) return std::nullopt;
    if (isLowerDtmfLetter(key)) return upper(key);
    if (key < 128 && isDtmfCharacter(static_cast<char>(key))) return static_cast<char>(key);
    return std::nullopt;
}

std::string cleanDtmf(std::u32string_view text) {
    const auto first = text.find_first_not_of(U' ');
    const std::u32string_view t = first == std::u32string_view::npos
                                      ? std::u32string_view{}
                                      : text.substr(first, text.find_last_not_of(U' ') - first + 1);
    std::string code;
    for (char32_t c : t) {
        if (isLowerDtmfLetter(c)) {
            code += upper(c);
            break;
        }
        if (c >= 128 || !isDtmfCharacter(static_cast<char>(c))) break;
        code += static_cast<char>(c);
    }
    if (code.size() > CodeLength) code.resize(CodeLength);
    return code;
}

}  // namespace nv::opt
