#include "core/Tones.h"

#include <array>
#include <cstdio>

#include "core/Decimal.h"

namespace nv {

namespace {

constexpr std::array<int, 39> CtcssTenths = {
    670,  693,  719,  744,  770,  797,  825,  854,  885,  915,  948,  974,  1000,
    1035, 1072, 1109, 1148, 1188, 1230, 1273, 1318, 1365, 1413, 1462, 1514, 1567,
    1622, 1679, 1738, 1799, 1862, 1928, 2035, 2107, 2181, 2257, 2336, 2418, 2503};

constexpr std::array<int, 83> DcsCodes = {
    023,  025,  026,  031,  032,  043,  047,  051,  054,  065,  071,  072,  073,  074,
    0114, 0115, 0116, 0125, 0131, 0132, 0134, 0143, 0152, 0155, 0156, 0162, 0165, 0172,
    0174, 0205, 0223, 0226, 0243, 0244, 0245, 0251, 0261, 0263, 0265, 0271, 0306, 0311,
    0315, 0331, 0343, 0346, 0351, 0364, 0365, 0371, 0411, 0412, 0413, 0423, 0431, 0432,
    0445, 0464, 0465, 0466, 0503, 0506, 0516, 0532, 0546, 0565, 0606, 0612, 0624, 0627,
    0631, 0632, 0654, 0662, 0664, 0703, 0712, 0723, 0731, 0732, 0734, 0743, 0754};

std::string padded(const std::string& core, int before, int after) {
    return std::string(before, ' ') + core + std::string(after, ' ');
}

std::string ctcssText(int tenths) {
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}

std::string dcsText(int octal, char polarity) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "D%03o%c", octal, polarity);
    return buf;
}

void setEntry(AppState& s, int i, const std::string& name, int code) {
    s.ToneNames[i] = name;
    s.ToneCodeHigh[i] = static_cast<Int16>(code / 256);
    s.ToneCodeLow[i] = static_cast<Int16>(code % 256);
}

}  // namespace

void buildToneTables(AppState& s) {
    s.ToneNames.fill("");
    s.ToneCodeHigh.fill(0);
    s.ToneCodeLow.fill(0);
    setEntry(s, 0, padded("OFF", 1, 5), 0xFFFF);
    for (int k = 0; k < 39; ++k) {
        int i = FirstCtcssTone + k;
        int before = i <= 9 ? 1 : 4;
        int after = i <= 12 ? 4 : 3;
        setEntry(s, i, padded(ctcssText(CtcssTenths[k]), before, after), CtcssTenths[k]);
    }
    for (int k = 0; k < 83; ++k) {
        int normal = FirstDcsTone + k;
        int inverted = normal + 83;
        setEntry(s, normal, padded(dcsText(DcsCodes[k], 'N'), normal <= 99 ? 4 : 3, 3),
                 0x2800 + DcsCodes[k]);
        setEntry(s, inverted, padded(dcsText(DcsCodes[k], 'I'), 3, 3), 0xA800 + DcsCodes[k]);
    }
}

std::optional<int> findTone(const AppState& s, int low, int high) {
    for (int i = 0; i <= LastTone; ++i)
        if (s.ToneCodeLow[i] == low && s.ToneCodeHigh[i] == high) return i;
    return std::nullopt;
}

ToneCode toneCodeOf(const AppState& s, int index) {
    return {s.ToneCodeLow.at(index), s.ToneCodeHigh.at(index)};
}

std::string trim(std::string_view t) {
    std::size_t b = t.find_first_not_of(' ');
    if (b == std::string_view::npos) return {};
    std::size_t e = t.find_last_not_of(' ');
    return std::string(t.substr(b, e - b + 1));
}

std::string removeBlanks(std::string_view t) {
    std::string out;
    for (char ch : t)
        if (ch != ' ') out += ch;
    return out;
}

std::string trimmedToneName(const AppState& s, int index) {
    return removeBlanks(s.ToneNames.at(index));
}

ToneCode ctcssCode(std::int64_t thousandths) {
    // thousandths of a tenth of a hertz: code = thousandths / 1000
    std::int64_t high = thousandths / (256 * 1000);
    std::int64_t rest = thousandths - high * 256 * 1000;
    std::int64_t low = rest / 1000;
    std::int64_t frac = rest % 1000;
    if (frac > 500 || (frac == 500 && low % 2 != 0)) ++low;
    if (low == 256) {
        low = 0;
        ++high;
    }
    return {static_cast<int>(low), static_cast<int>(high)};
}

void storeCtcssFromText(Image& image, std::string_view text, int row, int cell) {
    if (text == "FF") {
        image(row, cell) = 255;
        image(row, cell + 1) = 255;
        return;
    }
    Decimal v = Decimal::parse(text);
    if (v.compare(0, 0) <= 0 || v.compare(255, 0) >= 0) return;
    ToneCode code = ctcssCode(v.floorScaled(4));
    image(row, cell) = static_cast<Int16>(code.low);
    image(row, cell + 1) = static_cast<Int16>(code.high);
}

}  // namespace nv
