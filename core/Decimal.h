#pragma once
// The leading numeric part of a text as an exact decimal: mantissa × 10^-scale.
// Like the classic "value of a text" conversion it skips leading blanks, reads an optional
// sign, digits, a point and digits, and stops at the first other character; no number is 0.

#include <cstdint>
#include <string>
#include <string_view>

namespace nv {

struct Decimal {
    std::int64_t mantissa = 0;  // signed
    int scale = 0;              // number of decimals kept (at most MaxScale)
    bool hasDigits = false;

    static constexpr int MaxScale = 9;
    static Decimal parse(std::string_view text);

    // floor(value × 10^decimals), saturating far outside any sensible range.
    std::int64_t floorScaled(int decimals) const;
    // value × 10^decimals rounded to the nearest integer, halves to the even number.
    std::int64_t roundScaledHalfEven(int decimals) const;
    // Compare with a / 10^decimals: -1, 0, 1.
    int compare(std::int64_t a, int decimals) const;
};

// Shortest decimal text of units / 10^decimals (no trailing zeros, no point for a whole
// number), for a non-negative value.
std::string shortestDecimal(std::int64_t units, int decimals);

}  // namespace nv
