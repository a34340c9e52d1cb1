#include "core/Decimal.h"

#include <string>

namespace nv {

namespace {
constexpr std::int64_t Limit = 1'000'000'000'000'000LL;  // keeps every product below 2^63

std::int64_t pow10(int n) {
    std::int64_t p = 1;
    while (n-- > 0) p *= 10;
    return p;
}

std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
    return q;
}
}  // namespace

Decimal Decimal::parse(std::string_view t) {
    Decimal d;
    std::size_t i = 0;
    while (i < t.size() && (t[i] == ' ' || t[i] == '\t')) ++i;
    bool negative = false;
    if (i < t.size() && (t[i] == '-' || t[i] == '+')) negative = t[i++] == '-';
    bool point = false;
    for (; i < t.size(); ++i) {
        char ch = t[i];
        if (ch == '.' && !point) {
            point = true;
            continue;
        }
        if (ch < '0' || ch > '9') break;
        d.hasDigits = true;
        if (point && d.scale >= MaxScale) continue;  // further decimals are dropped
        if (d.mantissa >= Limit) continue;           // absurd magnitudes saturate
        d.mantissa = d.mantissa * 10 + (ch - '0');
        if (point) ++d.scale;
    }
    if (negative) d.mantissa = -d.mantissa;
    return d;
}

std::int64_t Decimal::floorScaled(int decimals) const {
    if (decimals >= scale) {
        std::int64_t factor = pow10(decimals - scale);
        if (mantissa > Limit / factor) return Limit;
        if (mantissa < -Limit / factor) return -Limit;
        return mantissa * factor;
    }
    return floorDiv(mantissa, pow10(scale - decimals));
}

std::int64_t Decimal::roundScaledHalfEven(int decimals) const {
    if (decimals >= scale) return floorScaled(decimals);
    std::int64_t div = pow10(scale - decimals);
    std::int64_t q = floorDiv(mantissa, div);
    std::int64_t rem2 = 2 * (mantissa - q * div);
    if (rem2 > div || (rem2 == div && (q % 2 != 0))) ++q;
    return q;
}

int Decimal::compare(std::int64_t a, int decimals) const {
    int common = scale > decimals ? scale : decimals;
    __extension__ using Wide = __int128;
    Wide lhs = static_cast<Wide>(mantissa) * pow10(common - scale);
    Wide rhs = static_cast<Wide>(a) * pow10(common - decimals);
    return lhs < rhs ? -1 : (lhs > rhs ? 1 : 0);
}

std::string shortestDecimal(std::int64_t units, int decimals) {
    std::int64_t p = pow10(decimals);
    std::string text = std::to_string(units / p);
    std::int64_t frac = units % p;
    if (frac == 0) return text;
    std::string digits = std::to_string(frac);
    digits.insert(0, static_cast<std::size_t>(decimals) - digits.size(), '0');
    while (!digits.empty() && digits.back() == '0') digits.pop_back();
    return text + "." + digits;
}

}  // namespace nv
