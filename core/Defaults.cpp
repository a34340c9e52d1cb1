#include "core/Defaults.h"

#include "core/Frequency.h"
#include "core/Tones.h"

namespace nv {

namespace {

struct Row {
    int row;
    std::array<std::uint8_t, 16> cells;
};

// clang-format off
constexpr std::array<Row, 11> SettingsRows = {{
    {17, {0x00, 0x00, 0x0A, 0x00, 0x00, 0x01, 0x00, 0x0A, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0x0A, 0xFF}},
    {18, {0x30, 0x30, 0x30, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x01, 0x01}},
    {19, {0x04, 0x00, 0x00, 0x00, 0x05, 0x01, 0x01, 0x01, 0x00, 0x00, 0x05, 0x01, 0x00, 0x00, 0x01, 0x00}},
    {20, {0x31, 0x32, 0x33, 0x34, 0x35, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
    {22, {0x00, 0xFF, 0x1F, 0x33, 0x01, 0x03, 0x00, 0x03, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
    {23, {0xFF, 0x00, 0x00, 0x90, 0x01, 0x00, 0x0A, 0x00, 0x01, 0x00, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x00}},
    {27, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, IdentificationBytes[0], IdentificationBytes[1],
          IdentificationBytes[2], IdentificationBytes[3], IdentificationBytes[4], IdentificationBytes[5],
          0xF8, 0xFF}},
    {31, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
    {40, {0x00, 0x50, 0x50, 0x15, 0x00, 0x00, 0x51, 0x15, 0x00, 0x50, 0x60, 0x13, 0x00, 0x00, 0x61, 0x13}},
    {41, {0x00, 0x50, 0x39, 0x17, 0x00, 0x00, 0x39, 0x17, 0x00, 0x00, 0x50, 0x15, 0x00, 0x00, 0x50, 0x15}},
    {42, {0x00, 0x00, 0x52, 0x15, 0x00, 0x00, 0x52, 0x15, 0x00, 0x00, 0x54, 0x15, 0x00, 0x00, 0x54, 0x15}},
}};

struct DefaultChannel {
    const char* frequency;
    const char* ctcss;  // nullptr: no CTCSS tone
};

constexpr std::array<DefaultChannel, 16> Channels = {{
    {"450.025", "67.0"}, {"460.04375", "100.0"}, {"469.925", "203.5"}, {"400.125", "250.3"},
    {"459.9", nullptr},  {"459.8", nullptr},     {"459.7", nullptr},   {"420.175", nullptr},
    {"440.225", nullptr}, {"419.975", nullptr},  {"410.025", nullptr}, {"400.175", nullptr},
    {"470.175", nullptr}, {"450.355", nullptr},  {"460.555", nullptr}, {"469.975", nullptr},
}};

// clang-format on
constexpr std::array<std::uint8_t, 16> ChannelAttributes = {
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0xBF, 0xB0, 0xF8};
constexpr int DcsChannel = 5;
constexpr std::uint8_t Dcs754InvertedLow = 0xEC, Dcs754InvertedHigh = 0xA9;

}  // namespace

void writeDefaultChannels(Image& image) {
    for (int n = 1; n <= 16; ++n) {
        for (int c = 0; c < 16; ++c) image(n, c) = ChannelAttributes[c];
        const DefaultChannel& ch = Channels[n - 1];
        textToFrequency(ch.frequency, image, n, 0);
        textToFrequency(ch.frequency, image, n, 4);
        if (ch.ctcss) {
            storeCtcssFromText(image, ch.ctcss, n, 8);
            storeCtcssFromText(image, ch.ctcss, n, 10);
        }
    }
    for (int cell : {8, 10}) {
        image(DcsChannel, cell) = Dcs754InvertedLow;
        image(DcsChannel, cell + 1) = Dcs754InvertedHigh;
    }
}

void buildDefaultImage(AppState& s) {
    s.RadioImage.fillRadioMemory(0xFF);
    for (const Row& r : SettingsRows)
        for (int c = 0; c < 16; ++c) s.RadioImage(r.row, c) = r.cells[c];
    writeDefaultChannels(s.RadioImage);
}

void buildDefaultAdjustImage(AdjustTable& a) {
    a = AdjustTable{};
    const int squelchOpen[9] = {38, 38, 38, 38, 39, 40, 41, 42, 43};
    for (int c = 0; c < 9; ++c) a(0, c) = static_cast<Int16>(squelchOpen[c]);
    a(0, 9) = 60;
    a(0, 10) = 22;
    a(0, 11) = 15;
    a(0, 13) = 18;
    a(0, 14) = 10;
    a(0, 15) = 1;
    for (int c = 0; c < 16; ++c) {
        a(1, c) = 55;
        a(2, c) = 10;
        a(4, c) = static_cast<Int16>(c);
    }
    for (int c = 0; c < 8; ++c) a(7, c) = AdjustMarker[c];
    for (int c = 0; c < 5; ++c) a(10, c) = AdjustDefaultRecordHead[c];
    a(10, 7) = AdjustDefaultRecordCell7;
}

}  // namespace nv
