// The adjustment table's rules, its file and the test-mode frequency slots, without windows.

#include <gtest/gtest.h>

#include "adjust/AdjustData.h"
#include "adjust/AdjustFile.h"
#include "adjust/TestFrequencies.h"
#include "core/Defaults.h"

using namespace nv;

namespace {
AdjustTable startup() {
    AdjustTable t;
    buildDefaultAdjustImage(t);
    return t;
}
std::vector<int> row(const AdjustTable& t, int r, int cells = 16) {
    std::vector<int> v;
    for (int c = 0; c < cells; ++c) v.push_back(t(r, c));
    return v;
}
}  // namespace

TEST(AdjustTable, StartupValues) {
    const AdjustTable t = startup();
    EXPECT_EQ(row(t, 0),
              (std::vector<int>{38, 38, 38, 38, 39, 40, 41, 42, 43, 60, 22, 15, 0, 18, 10, 1}));
    EXPECT_EQ(row(t, 1), std::vector<int>(16, 55));
    EXPECT_EQ(row(t, 2), std::vector<int>(16, 10));
    EXPECT_EQ(row(t, 3), std::vector<int>(16, 0));
    EXPECT_EQ(row(t, 4), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}));
    EXPECT_EQ(row(t, 7, 8), (std::vector<int>{'N', 'V', '7', '4', '2', 'A', 'D', 'J'}));
    EXPECT_EQ(row(t, 10),
              (std::vector<int>{1, 2, 0x10, 0x20, 0x30, 0, 0, 0x5A, 0, 0, 0, 0, 0, 0, 0, 0}));
    for (int r = 0; r < AdjustRows; ++r) EXPECT_EQ(t(r, 16), 0);
    for (int r = 11; r < AdjustRows; ++r) EXPECT_EQ(row(t, r), std::vector<int>(16, 0));
}

TEST(AdjustTable, DisplayStoresValuesBeyondAListAsItsLastEntry) {
    AdjustTable t = startup();
    t(0, 9) = 200;   // voice deviation, 0 to 127
    t(0, 2) = 128;   // squelch level 3, 0 to 127
    t(0, 10) = 64;   // CTCSS deviation, 0 to 63
    t(1, 9) = 56;    // high power, 0 to 55
    t(2, 0) = 255;   // low power
    t(4, 9) = 32;    // squelch offset, 0 to 31
    t(4, 10) = 99;   // no list: kept
    t(0, 12) = 200;  // not edited: kept
    t(0, 15) = 7;    // the crystal is not shown, so not clamped either
    t(3, 0) = 'V';
    adj::normaliseForDisplay(t);
    EXPECT_EQ(t(0, 9), 127);
    EXPECT_EQ(t(0, 2), 127);
    EXPECT_EQ(t(0, 10), 63);
    EXPECT_EQ(t(1, 9), 55);
    EXPECT_EQ(t(2, 0), 55);
    EXPECT_EQ(t(4, 9), 31);
    EXPECT_EQ(t(4, 10), 99);
    EXPECT_EQ(t(0, 12), 200);
    EXPECT_EQ(t(0, 15), 7);
    EXPECT_EQ(t(3, 0), 'V');
    AdjustTable again = t;
    adj::normaliseForDisplay(again);
    EXPECT_EQ(again, t);  // showing twice stores nothing more
}

TEST(AdjustTable, SensitivityCellsKeepTheirSwitchBitsWhenClamped) {
    AdjustTable t = startup();
    t(0, 13) = 200;   // 0b1100'1000: beyond the coarse list, V_LPF set
    t(0, 14) = 0x35;  // beyond the fine list (0 to 15), WN and V_HPF set
    adj::normaliseForDisplay(t);
    EXPECT_EQ(t(0, 13), 120);  // 127 with its switch bits from before: 0b0111'1000
    EXPECT_EQ(t(0, 14), 5);    // 15 without switch bits, then WN and V_HPF
}

TEST(AdjustTable, ASwitchChangesOnlyItsBit) {
    AdjustTable t = startup();
    t(0, 13) = 16;
    adj::setSwitch(t, 13, 2, true);
    EXPECT_EQ(t(0, 13), 18);
    adj::setSwitch(t, 13, 2, true);
    EXPECT_EQ(t(0, 13), 18);
    adj::setSwitch(t, 13, 2, false);
    EXPECT_EQ(t(0, 13), 16);
    EXPECT_TRUE(adj::switchOn(t, 14, 2));  // start-up 10 = PRE and V_LPF
    EXPECT_TRUE(adj::switchOn(t, 14, 8));
    EXPECT_FALSE(adj::switchOn(t, 14, 1));
}

TEST(AdjustTable, VersionTextKeepsItsCharacterSetAndOnlyATrailingBlank) {
    AdjustTable t;
    auto version = [&t](std::initializer_list<int> bytes) {
        int c = 0;
        for (int b : bytes) t(3, c++) = static_cast<Int16>(b);
        return adj::versionText(t);
    };
    EXPECT_EQ(version({'V', '1', '.', '0', 'A', ' '}), "V10A ");
    EXPECT_EQ(version({' ', ' ', 'V', '2', '+', '-'}), "V2+-");
    EXPECT_EQ(version({'A', ' ', 'B', ' ', ' ', 'C'}), "ABC");
    EXPECT_EQ(version({'v', 'x', 0xFF, 0, '9', 'Z'}), "9Z");  // lower case and codes dropped
    EXPECT_EQ(version({0, 0, 0, 0, 0, 0}), "");
}

TEST(AdjustTable, FrequencyPointsAndMarker) {
    EXPECT_EQ(adj::frequencyPointMHz(0, false), 400);
    EXPECT_EQ(adj::frequencyPointMHz(9, false), 490);
    EXPECT_EQ(adj::frequencyPointMHz(0, true), 100);
    EXPECT_EQ(adj::frequencyPointMHz(9, true), 190);
    AdjustTable t;
    t(7, 8) = 5;
    adj::storeMarker(t);
    EXPECT_EQ(row(t, 7, 9), (std::vector<int>{'N', 'V', '7', '4', '2', 'A', 'D', 'J', 5}));
}

TEST(AdjustFile, StartupFileHasSevenLinesOfSixteenValues) {
    const std::string text = adjustFileText(startup());
    std::vector<std::string> lines;
    std::size_t from = 0;
    for (std::size_t end; (end = text.find("\r\n", from)) != std::string::npos; from = end + 2)
        lines.push_back(text.substr(from, end - from));
    EXPECT_EQ(from, text.size());  // every line ends in CR LF
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[0], " 38  38  38  38  39  40  41  42  43  60  22  15  0  18  10  1 ");
    std::string zeros;
    for (int i = 0; i < 16; ++i) zeros += " 0 ";
    EXPECT_EQ(lines[3], zeros);
    AdjustTable all38;
    for (int c = 0; c < 16; ++c) all38(0, c) = 38;
    EXPECT_EQ(adjustFileText(all38).find("\r\n"), 64u);  // 66 bytes with CR LF
}

TEST(AdjustFile, LoadBackChangesNothingAndLeavesRowsSevenUpAlone) {
    AdjustTable saved = startup();
    saved(5, 3) = 200;
    saved(6, 15) = 255;
    const std::string text = adjustFileText(saved);
    AdjustTable t = startup();
    for (int c = 0; c < 16; ++c) {
        t(0, c) = 0;
        t(7, c) = 0x11;  // rows 7 to 10 and cell 16 are not in the file
        t(10, c) = 0x22;
    }
    t(2, 16) = 9;
    EXPECT_EQ(loadAdjustFileText(text, t).kind, NumberListError::None);
    for (int r = 0; r < 7; ++r) EXPECT_EQ(row(t, r), row(saved, r)) << r;
    EXPECT_EQ(row(t, 7), std::vector<int>(16, 0x11));
    EXPECT_EQ(row(t, 10), std::vector<int>(16, 0x22));
    EXPECT_EQ(t(2, 16), 9);
}

TEST(AdjustFile, OtherLayoutsLoadTheSame) {
    std::string oneAPerLine, commas;
    for (int i = 0; i < AdjustFileValues; ++i) {
        oneAPerLine += std::to_string(i % 200) + "\n";
        commas += std::to_string(i % 200) + (i + 1 < AdjustFileValues ? "," : "");
    }
    AdjustTable a, b, c;
    ASSERT_EQ(loadAdjustFileText(oneAPerLine, a).kind, NumberListError::None);
    ASSERT_EQ(loadAdjustFileText(commas, b).kind, NumberListError::None);
    // A file saved by an editor that starts it with a UTF-8 byte-order mark.
    ASSERT_EQ(loadAdjustFileText("\xEF\xBB\xBF" + commas, c).kind, NumberListError::None);
    EXPECT_EQ(a, b);
    EXPECT_EQ(a, c);
    EXPECT_EQ(a(6, 15), 111);
}

TEST(AdjustFile, BrokenFilesLeaveTheTableAlone) {
    const AdjustTable before = startup();
    const std::string good = adjustFileText(before);
    struct Case {
        std::string text;
        NumberListError::Kind kind;
    };
    std::string outOfRange = good, negative = good, word = good;
    outOfRange.replace(outOfRange.find(" 60 "), 4, " 256 ");
    negative.replace(negative.find(" 60 "), 4, " -1 ");
    word.replace(word.find(" 60 "), 4, " 6O ");
    const Case cases[] = {
        {"", NumberListError::TooShort},
        {good.substr(0, good.size() / 2), NumberListError::TooShort},
        {outOfRange, NumberListError::OutOfRange},
        {negative, NumberListError::OutOfRange},
        {word, NumberListError::NotAnInteger},
    };
    for (const Case& c : cases) {
        AdjustTable t = before;
        for (int i = 0; i < 7; ++i) t(i, 0) = 77;
        const AdjustTable changed = t;
        EXPECT_EQ(loadAdjustFileText(c.text, t).kind, c.kind) << c.text.size();
        EXPECT_EQ(t, changed);
    }
}

// ---- test-mode frequency slots ---------------------------------------------------------------

namespace {
std::vector<int> slotBytes(const Image& im, TestSlot s) {
    return {im(s.row, s.cell), im(s.row, s.cell + 1), im(s.row, s.cell + 2), im(s.row, s.cell + 3)};
}
}  // namespace

TEST(TestFrequencySlots, ChannelsAndDirectionsMapOntoRowsFortyToFortySeven) {
    auto at = [](int channel, bool transmit) {
        const TestSlot s = testSlot(channel, transmit);
        return std::pair{s.row, s.cell};
    };
    EXPECT_EQ(at(1, false), std::pair(40, 0));
    EXPECT_EQ(at(1, true), std::pair(40, 4));
    EXPECT_EQ(at(2, false), std::pair(40, 8));
    EXPECT_EQ(at(2, true), std::pair(40, 12));
    EXPECT_EQ(at(3, false), std::pair(41, 0));
    EXPECT_EQ(at(16, true), std::pair(47, 12));
}

TEST(TestFrequencySlots, TheTypedNumberIsStoredExactlyToTenHertz) {
    Image im;
    const TestSlot s = testSlot(4, false);
    auto stored = [&](const char* text) {
        storeExactFrequency(im, s, text);
        return slotBytes(im, s);
    };
    EXPECT_EQ(stored("145"), (std::vector<int>{0x00, 0x00, 0x50, 0x14}));
    EXPECT_EQ(stored("145.1234"), (std::vector<int>{0x40, 0x23, 0x51, 0x14}));  // not snapped
    EXPECT_EQ(stored("0145.5"), (std::vector<int>{0x00, 0x00, 0x55, 0x14}));
    EXPECT_EQ(stored("145..5"), (std::vector<int>{0x00, 0x00, 0x50, 0x14}));
    EXPECT_EQ(stored("145.123456"), (std::vector<int>{0x45, 0x23, 0x51, 0x14}));  // below 10 Hz
    EXPECT_EQ(stored("470.00625"), (std::vector<int>{0x25, 0x06, 0x00, 0x47}));
    EXPECT_EQ(stored("66.5"), (std::vector<int>{0x00, 0x00, 0x65, 0x06}));
    EXPECT_EQ(slotText(im, s), "66.50000");
    EXPECT_EQ(stored("1234.5"), (std::vector<int>{0x99, 0x99, 0x99, 0x99}));  // 8 digits at most
    for (int r = 40; r < 48; ++r)
        for (int c = 0; c < 16; ++c) {
            const bool inSlot = r == s.row && c >= s.cell && c < s.cell + 4;
            EXPECT_EQ(im(r, c), inSlot ? im(r, c) : 0);
        }
}

TEST(TestFrequencySlots, EmptySlotsShowNoText) {
    Image im;
    const TestSlot s = testSlot(7, true);
    storeExactFrequency(im, s, "145.1234");
    EXPECT_FALSE(slotEmpty(im, s));
    EXPECT_EQ(slotText(im, s), "145.12340");
    clearSlot(im, s);
    EXPECT_EQ(slotBytes(im, s), std::vector<int>(4, 0xFF));
    EXPECT_TRUE(slotEmpty(im, s));
    EXPECT_EQ(slotText(im, s), "");
}
