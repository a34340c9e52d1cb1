#pragma once
// Number-list text files: each value as a space, its digits and a space (a minus sign takes
// the place of the leading space), lines ending in CR LF. The reader takes values separated
// by blanks, commas and line ends in any mix.

#include <string>
#include <string_view>
#include <vector>

namespace nv {

std::string writeNumberList(const std::vector<std::vector<int>>& rows);

struct NumberListError {
    enum Kind { None, TooShort, NotAnInteger, OutOfRange } kind = None;
    int line = 0;        // 1-based line of the offending token (TooShort: the last line)
    std::string token;   // the offending token
    int valuesRead = 0;  // values read before the error
};

struct NumberListResult {
    std::vector<int> values;
    NumberListError error;
    bool ok() const { return error.kind == NumberListError::None; }
};

// The text after a UTF-8 byte-order mark, which some editors put at the start of a text file.
std::string_view withoutByteOrderMark(std::string_view text);

// Reads exactly `count` values in 0..255 from the start of the text; what follows them is
// ignored; a byte-order mark at the start is skipped. Anything else is an error and no values
// are returned.
NumberListResult readNumberList(std::string_view text, int count, int minValue = 0,
                                int maxValue = 255);

}  // namespace nv
