#include "core/Frequency.h"

#include "core/Decimal.h"

namespace nv {

namespace {
constexpr std::int64_t Raster5 = 5000;    // Hz
constexpr std::int64_t Raster625 = 6250;  // Hz

int digitAt(const std::string& t, int position) {  // 1-based; a non-digit counts as 0
    if (position < 1 || position > static_cast<int>(t.size())) return 0;
    char ch = t[position - 1];
    return (ch >= '0' && ch <= '9') ? ch - '0' : 0;
}
}  // namespace

std::string frequencyToText(const BcdBytes& b) {
    auto hi = [](int v) { return (v & 0xFF) / 16; };
    auto lo = [](int v) { return (v & 0xFF) % 16; };
    // Nibbles above 9 keep their face value, exactly as the digit weights add up.
    std::int64_t tensOfHz = 10000000LL * hi(b[3]) + 1000000LL * lo(b[3]) + 100000LL * hi(b[2]) +
                            10000LL * lo(b[2]) + 1000LL * hi(b[1]) + 100LL * lo(b[1]) +
                            10LL * hi(b[0]) + lo(b[0]);
    std::string text = shortestDecimal(tensOfHz, 5);
    if (text.size() < 9) {
        if (text.size() == 2 || text.size() == 3) text += ".";
        std::size_t width = tensOfHz < 100LL * 100000 ? 8 : 9;
        if (text.size() < width) text.append(width - text.size(), '0');
    }
    return text;
}

std::string frequencyToText(const Image& image, int row, int cell) {
    return frequencyToText(BcdBytes{image(row, cell), image(row, cell + 1), image(row, cell + 2),
                                    image(row, cell + 3)});
}

std::int64_t snapToRasterHz(std::int64_t hz) {
    if (hz < 0) hz = 0;
    std::int64_t r5 = hz % Raster5;
    std::int64_t r6 = hz % Raster625;
    return r6 >= r5 ? hz - r5 : hz - r6;
}

std::int64_t withoutFloatNoiseMilliHz(std::int64_t milli) {
    constexpr std::int64_t Tolerance = 1000;  // 1 Hz
    if (milli < 0) return milli;
    for (const std::int64_t step : {Raster5 * 1000, Raster625 * 1000}) {
        const std::int64_t nearest = (milli + step / 2) / step * step;
        if (nearest - milli <= Tolerance && milli - nearest <= Tolerance) return nearest;
    }
    return milli;
}

std::string withoutFloatNoise(std::string_view mhz) {
    const std::int64_t milli = Decimal::parse(mhz).floorScaled(9);
    const std::int64_t clean = withoutFloatNoiseMilliHz(milli);
    return clean == milli ? std::string(mhz) : shortestDecimal(clean, 9);
}

std::int64_t textToHz(std::string_view text) { return Decimal::parse(text).floorScaled(6); }

EncodedFrequency encodeFrequency(std::string_view input) {
    std::int64_t hz = snapToRasterHz(textToHz(input));
    std::string t = shortestDecimal(hz, 6);
    if (t.size() == 3) t += ".";
    if (t.size() == 2) t += ".";
    if (t.size() == 1) t += ".";
    if (t.size() < 9) t.append(9 - t.size(), '0');
    EncodedFrequency out;
    out.text = t;
    out.bytes[0] = 16 * digitAt(t, 8) + digitAt(t, 9);
    out.bytes[1] = 16 * digitAt(t, 6) + digitAt(t, 7);
    out.bytes[2] = 16 * digitAt(t, 3) + digitAt(t, 5);
    out.bytes[3] = 16 * digitAt(t, 1) + digitAt(t, 2);
    return out;
}

std::string textToFrequency(std::string_view text, Image& image, int row, int cell) {
    EncodedFrequency e = encodeFrequency(text);
    for (int i = 0; i < 4; ++i) image(row, cell + i) = static_cast<Int16>(e.bytes[i]);
    return e.text;
}

}  // namespace nv
