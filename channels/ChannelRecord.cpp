#include "channels/ChannelRecord.h"

#include <bit>
#include <stdexcept>

#include "core/Decimal.h"
#include "core/Frequency.h"
#include "core/Tones.h"

namespace nv {

namespace {
void checkChannel(int channel) {
    if (channel < 1 || channel > ChannelCount) throw std::out_of_range("channel number");
}
int shiftOf(int mask) { return std::countr_zero(static_cast<unsigned>(mask)); }

struct ScanPosition {
    int cell;
    int bit;
};
ScanPosition scanPosition(int channel) {
    checkChannel(channel);
    return channel <= 8 ? ScanPosition{ch::ScanCellLow, channel - 1}
                        : ScanPosition{ch::ScanCellHigh, channel - 9};
}
}  // namespace

int getField(const Image& image, int channel, Field f) {
    checkChannel(channel);
    return (image(channel, f.cell) & f.mask) >> shiftOf(f.mask);
}

void setField(Image& image, int channel, Field f, int value) {
    checkChannel(channel);
    int cell = image(channel, f.cell);
    cell = (cell & ~f.mask) | ((value << shiftOf(f.mask)) & f.mask);
    image(channel, f.cell) = static_cast<Int16>(cell);
}

bool isEmptyChannel(const Image& image, int channel) {
    checkChannel(channel);
    return image(channel, ch::RxFreq) == 0xFF;
}

bool hasTxFrequency(const Image& image, int channel) {
    checkChannel(channel);
    return image(channel, ch::TxFreq) != 0xFF;
}

bool scanBit(const Image& image, int channel) {
    ScanPosition p = scanPosition(channel);
    return (image(ch::ScanRow, p.cell) >> p.bit) & 1;
}

void setScanBit(Image& image, int channel, bool on) {
    ScanPosition p = scanPosition(channel);
    int cell = image(ch::ScanRow, p.cell);
    cell = on ? (cell | (1 << p.bit)) : (cell & ~(1 << p.bit));
    image(ch::ScanRow, p.cell) = static_cast<Int16>(cell);
}

void ClearChannel(Image& image, int channel) {
    checkChannel(channel);
    for (int c = 0; c < 16; ++c) image(channel, c) = 0xFF;
    setScanBit(image, channel, false);
}

void InitNewChannel(Image& image, int channel) {
    checkChannel(channel);
    for (int i = 0; i < 8; ++i) image(channel, 8 + i) = ch::NewChannelPattern[i];
    setScanBit(image, channel, true);
}

void setTone(Image& image, int channel, int cell, int low, int high) {
    checkChannel(channel);
    image(channel, cell) = static_cast<Int16>(low);
    image(channel, cell + 1) = static_cast<Int16>(high);
}

std::string gridToneText(const AppState& s, int low, int high, bool chinese) {
    if ((low == 0 && high == 0) || (low == 0xFF && high == 0xFF)) return (chinese ? "无" : "None");
    if (high < 10) {
        int tenths = low + 256 * high;
        std::string text = shortestDecimal(tenths, 1);
        if (tenths % 10 == 0) text += ".0";
        return text;
    }
    if (auto i = findTone(s, low, high)) return s.ToneNames[*i];
    return {};
}

std::string channelToneText(const AppState& s, int channel, int cell, bool chinese) {
    return gridToneText(s, s.RadioImage(channel, cell), s.RadioImage(channel, cell + 1), chinese);
}

const char* gridHeaderFormat(bool chinese) {
    return chinese ? "^ 信道号 |^接收频率(MHZ)|^发射频率(MHZ)|^QT/DQT 解码|^QT/DQT "
                     "编码|^发射功率|^信道带宽|^扫描添加|^ 可选信令 |^ PTT-ID"
                   : "^ Channel |^RX Frequency|^TX Frequency|^CTCSS/DCS Dec|^CTCSS/DCS "
                     "Enc|^TX Power|^  W/N  |^Scan_Add|^ OptSingal |^ PTT-ID";
}

std::array<std::string, 10> gridColumnTitles(bool chinese) {
    std::array<std::string, 10> titles;
    std::size_t column = 0;
    for (const char* c = gridHeaderFormat(chinese); *c && column < titles.size(); ++c) {
        if (*c == '|')
            ++column;
        else if (*c != '^' || !titles[column].empty())
            titles[column] += *c;
    }
    return titles;
}

std::array<std::string, 10> gridRowTexts(const AppState& s, int n, bool chinese) {
    const Image& im = s.RadioImage;
    std::array<std::string, 10> t;
    t[0] = std::to_string(n);
    if (isEmptyChannel(im, n)) return t;
    t[1] = frequencyToText(im, n, ch::RxFreq);
    t[3] = channelToneText(s, n, ch::DecodeTone, chinese);
    if (hasTxFrequency(im, n)) {
        t[2] = frequencyToText(im, n, ch::TxFreq);
        t[4] = channelToneText(s, n, ch::EncodeTone, chinese);
    }
    t[5] = getField(im, n, ch::HighPower) ? (chinese ? "高" : "High") : (chinese ? "低" : "Low");
    t[6] = getField(im, n, ch::Wide) ? (chinese ? "宽带" : "Wide") : (chinese ? "窄带" : "Narrow");
    t[7] = scanBit(im, n) ? (chinese ? "有" : "Yes") : (chinese ? "无" : "None");
    switch (getField(im, n, ch::OptSig)) {
        case 1:
            t[8] = "DTMF";
            break;
        case 2:
            t[8] = "FleetSync";
            break;
        default:
            t[8] = (chinese ? "无" : "None");
    }
    t[9] = getField(im, n, ch::PttId) ? (chinese ? "开" : "ON") : (chinese ? "关" : "OFF");
    return t;
}

}  // namespace nv
