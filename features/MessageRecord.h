#pragma once
// The two message lines the radio keeps, 32 characters each: line 1 in rows 48 and 49, line 2
// in rows 50 and 51 (characters 1 to 16 in the first row, 17 to 32 in the second). A cell holds
// a character's single-byte code; 255 follows the last character.

#include <string>
#include <string_view>

#include "features/SettingField.h"

namespace nv::msg {

constexpr int Lines = 2;
constexpr int LineLength = 32;

int firstRow(int line);  // line 1 or 2

// The printable single-byte characters a line can hold: codes 32 (blank) to 126.
bool isMessageCharacter(char32_t c);

// The text of a line: its printable characters in order, outer blanks trimmed.
std::string lineText(const Image& image, int line);
// Rewrites both rows of a line from a text: outer blanks are not stored, at most 32 characters.
void storeLine(Image& image, int line, std::string_view text);

// The text a message box keeps: tabs and line breaks become blanks, every other character
// outside the printable single-byte range is dropped, and a text longer than a line is cut to
// its first 32 characters (outer blanks dropped first).
std::string cleanMessageText(std::u32string_view text);
// A box whose text holds a full line takes no further keys.
bool lineFull(std::string_view text);

}  // namespace nv::msg
