#include "features/MessageRecord.h"

#include <algorithm>

namespace nv::msg {

namespace {
// Character n (from 0) of a line: the first row holds 0 to 15, the next row 16 to 31.
Int16& cellOf(Image& image, int line, int n) { return image(firstRow(line) + n / 16, n % 16); }
int byteOf(const Image& image, int line, int n) {
    return image.byte(firstRow(line) + n / 16, n % 16);
}
}  // namespace

int firstRow(int line) { return line == 1 ? 48 : 50; }

bool isMessageCharacter(char32_t c) { return c >= 32 && c <= 126; }

std::string lineText(const Image& image, int line) {
    std::string text;
    for (int n = 0; n < LineLength; ++n) {
        const int v = byteOf(image, line, n);
        if (isMessageCharacter(static_cast<char32_t>(v))) text += static_cast<char>(v);
    }
    return std::string(trimBlanks(text));
}

void storeLine(Image& image, int line, std::string_view text) {
    for (int n = 0; n < LineLength; ++n) cellOf(image, line, n) = 0xFF;
    const std::string_view t = trimBlanks(text);
    const int length = std::min<int>(static_cast<int>(t.size()), LineLength);
    for (int n = 0; n < length; ++n) cellOf(image, line, n) = static_cast<unsigned char>(t[n]);
}

std::string cleanMessageText(std::u32string_view text) {
    std::string kept;
    for (char32_t c : text) {
        if (c == U'\t' || c == U'\n' || c == U'\r')
            kept += ' ';
        else if (isMessageCharacter(c))
            kept += static_cast<char>(c);
    }
    if (trimBlanks(kept).size() > LineLength)
        kept = std::string(trimBlanks(kept).substr(0, LineLength));
    return kept;
}

bool lineFull(std::string_view text) { return trimBlanks(text).size() >= LineLength; }

}  // namespace nv::msg
