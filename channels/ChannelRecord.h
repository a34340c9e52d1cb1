#pragma once
// The 16 channel records (row n is channel n) and the scan-membership bitmap in row 23.
// Every field is described once as (cell, mask); accessors change only the field's bits.

#include <array>
#include <cstdint>
#include <string>

#include "core/AppState.h"

namespace nv {

constexpr int ChannelCount = 16;

struct Field {
    int cell;
    int mask;
};

namespace ch {
constexpr Field Compander{12, 0x01};
constexpr Field OptSig{12, 0x06};
constexpr Field BusyLockout{12, 0x18};
constexpr Field SpUnmute{12, 0x60};
constexpr Field Wide{13, 0x10};
constexpr Field HighPower{13, 0x20};
constexpr Field BeatShift{13, 0x40};
constexpr Field PttId{14, 0x01};
constexpr Field AutodialMemory{15, 0x07};

constexpr int RxFreq = 0;
constexpr int TxFreq = 4;
constexpr int DecodeTone = 8;
constexpr int EncodeTone = 10;
constexpr int ScanRow = 23;
constexpr int ScanCellLow = 14;   // channels 1..8
constexpr int ScanCellHigh = 15;  // channels 9..16

constexpr std::array<std::uint8_t, 8> NewChannelPattern = {0xFF, 0xFF, 0xFF, 0xFF,
                                                           0x00, 0xBF, 0xB0, 0xF8};
}  // namespace ch

int getField(const Image& image, int channel, Field f);
void setField(Image& image, int channel, Field f, int value);

bool isEmptyChannel(const Image& image, int channel);
bool hasTxFrequency(const Image& image, int channel);
bool scanBit(const Image& image, int channel);
void setScanBit(Image& image, int channel, bool on);

void ClearChannel(Image& image, int channel);
void InitNewChannel(Image& image, int channel);

void setTone(Image& image, int channel, int cell, int low, int high);

// Text of a tone pair as the channel grid shows it, in Chinese or English.
std::string gridToneText(const AppState& s, int low, int high, bool chinese);
std::string channelToneText(const AppState& s, int channel, int cell, bool chinese);

// The grid's title row as one format text: "|" separates the columns, "^" centres one.
const char* gridHeaderFormat(bool chinese);
// The titles of the grid's ten columns, without the format marks (blanks kept).
std::array<std::string, 10> gridColumnTitles(bool chinese);

// One channel as the grid's columns 1 to 9 show it (column 0 is the number); an empty
// channel gives nine empty texts.
std::array<std::string, 10> gridRowTexts(const AppState& s, int channel, bool chinese);

}  // namespace nv
