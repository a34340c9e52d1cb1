#pragma once
// The adjustment table: which cells the adjustment window edits, how long each of its lists
// is, and the rules the window follows when it shows the table. Row r holds the radio's 16
// adjustment bytes at 0x0340 + 16 × r.

#include <string>

#include "core/AppState.h"

namespace nv::adj {

// A run of cells edited by a list whose position is the stored value (0 .. items − 1).
struct ListField {
    int row;
    int firstCell;
    int count;
    int items;
};

constexpr ListField SquelchOpen{0, 0, 9, 128};  // squelch levels 1 to 9
constexpr ListField VoiceDeviation{0, 9, 1, 128};
constexpr ListField CtcssDeviation{0, 10, 1, 64};
constexpr ListField DcsDeviation{0, 11, 1, 64};
constexpr ListField CoarseSensitivity{0, 13, 1, 128};  // shares its cell with the TX switches
constexpr ListField FineSensitivity{0, 14, 1, 16};     // shares its cell with the RX switches
constexpr ListField Crystal{0, 15, 1, 2};              // 0 = 26 MHz, 1 = 13 MHz
constexpr ListField HighPower{1, 0, 10, 56};           // per frequency point
constexpr ListField LowPower{2, 0, 10, 56};
constexpr ListField SquelchOffset{4, 0, 10, 32};

// The lists the display clamps and stores, in the order it sets them.
constexpr ListField DisplayedLists[] = {SquelchOpen,  VoiceDeviation,    CtcssDeviation,
                                        DcsDeviation, CoarseSensitivity, FineSensitivity,
                                        HighPower,    LowPower,          SquelchOffset};

// Audio switches: one bit each in the cell of the coarse (transmit) or fine (receive)
// sensitivity.
constexpr int TransmitSwitches = 13;
constexpr int ReceiveSwitches = 14;
constexpr int SwitchBits[4] = {1, 2, 4, 8};  // WN, PRE, V_HPF, V_LPF
constexpr int SwitchMask = 0x0F;

constexpr int VersionRow = 3;
constexpr int VersionLength = 6;
constexpr int MarkerRow = 7;
constexpr int FrequencyPoints = 10;

// Rows that travel: read (0 to 7), written (0 to 10), kept in a file (0 to 6).
constexpr int ReadRows = 8;
constexpr int WrittenRows = 11;
constexpr int FileRows = 7;
constexpr int RowCells = 16;

// The list position a stored value selects: a value beyond the list selects its last entry.
int listPosition(int value, int items);

// What showing the table stores: every list value clamped to its list, and the switch bits
// of cells 13 and 14 as they were before their sensitivity lists were clamped.
void normaliseForDisplay(AdjustTable& table);

void setSwitch(AdjustTable& table, int cell, int bit, bool on);
bool switchOn(const AdjustTable& table, int cell, int bit);

// The firmware version from row 3: digits, A to Z, "+", "-" and blanks count; blanks survive
// only at the very end.
std::string versionText(const AdjustTable& table);

// Label of frequency point 0 to 9: 400 to 490 MHz, or 100 to 190 MHz for a VHF radio.
int frequencyPointMHz(int point, bool vhf);

// Puts the fixed marker into row 7, as every write sends it.
void storeMarker(AdjustTable& table);

}  // namespace nv::adj
