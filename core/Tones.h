#pragma once
// Squelch tone codes: 2 bytes, low byte first. 0xFFFF is off, a CTCSS tone is its frequency
// in tenths of a hertz, a DCS code is 0x2800 (normal) or 0xA800 (inverted) plus the three
// code digits read as an octal number.

#include <optional>
#include <string>
#include <string_view>

#include "core/AppState.h"

namespace nv {

constexpr int FirstCtcssTone = 1;
constexpr int LastCtcssTone = 39;
constexpr int FirstDcsTone = 40;
constexpr int LastTone = 205;

struct ToneCode {
    int low = 0xFF;
    int high = 0xFF;
    bool operator==(const ToneCode&) const = default;
};

void buildToneTables(AppState& s);

// First tone table entry whose code is (low, high), if any.
std::optional<int> findTone(const AppState& s, int low, int high);
ToneCode toneCodeOf(const AppState& s, int index);

// The display text of a tone table entry without its blanks ("OFF", "67.0", "D023N").
std::string trimmedToneName(const AppState& s, int index);

// Writes the CTCSS code named by the text into (row, cell) and (row, cell + 1); "FF" writes
// 255 twice; a value not within 0 < v < 255 writes nothing.
void storeCtcssFromText(Image& image, std::string_view text, int row, int cell);

// Low and high byte of a CTCSS code given in tenths of a hertz as an exact decimal number.
// The low byte is rounded (halves to even); a low byte that would round up to 256 carries
// into the high byte so that a byte cell never receives 256.
ToneCode ctcssCode(std::int64_t codeThousandths);

std::string trim(std::string_view text);
std::string removeBlanks(std::string_view text);

}  // namespace nv
