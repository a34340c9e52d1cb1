#pragma once
// What differs between two radio images, said the way a user thinks of it: per channel
// (frequencies, tones, power, ...), the key assignment, the optional features, the scan
// settings, and any other byte by its radio address. Every differing bit of the compared rows
// is part of exactly one listed difference, so an empty list means equal bytes.

#include <string>
#include <vector>

#include "core/AppState.h"

namespace nv {

// The rows a write sends, which is what a comparison with the radio looks at.
constexpr int LastComparedRow = 48;

struct Difference {
    std::string where;  // "Channel 3", "Optional Features", "Other bytes", ...
    std::string what;   // the setting, or the address range of other bytes
    std::string left;   // the first image's value
    std::string right;  // the second image's value
};

// Compares rows 0 to lastRow, cells 0 to 15, in the given language.
std::vector<Difference> compareImages(const AppState& s, const Image& left, const Image& right,
                                      bool chinese, int lastRow = LastComparedRow);

}  // namespace nv
