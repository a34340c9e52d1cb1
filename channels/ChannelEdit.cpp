#include "channels/ChannelEdit.h"

#include <cmath>

#include "core/Decimal.h"

namespace nv {

namespace {
std::int64_t milliMHz(double mhz) { return std::llround(mhz * 1000); }
}  // namespace

bool outsideBand(const AppState& s, std::string_view text) {
    Decimal v = Decimal::parse(text);
    return v.compare(milliMHz(s.BandLowMHz), 3) < 0 || v.compare(milliMHz(s.BandHighMHz), 3) > 0;
}

std::string padFrequencyText(std::string_view text) {
    std::string t(text);
    std::size_t width = Decimal::parse(text).compare(100, 0) >= 0 ? 9 : 8;
    if (t.size() < width) t.append(width - t.size(), '0');
    return t;
}

ToneCode ctcssCodeOfText(std::string_view text) {
    return ctcssCode(Decimal::parse(text).floorScaled(4));
}

bool isTypedCtcss(std::string_view text) {
    Decimal v = Decimal::parse(text);
    return v.compare(60, 0) >= 0 && v.compare(2599, 1) <= 0;
}

}  // namespace nv
