#include <gtest/gtest.h>

#include <random>

#include "channels/ChannelRecord.h"
#include "channels/ImageDiff.h"
#include "core/Frequency.h"
#include "core/Startup.h"

using namespace nv;

namespace {

AppState started() {
    AppState s;
    initialiseGlobals(s);
    buildTables(s);
    buildDefaults(s);
    return s;
}

std::vector<std::string> lines(const std::vector<Difference>& diffs) {
    std::vector<std::string> out;
    for (const Difference& d : diffs)
        out.push_back(d.where + " | " + d.what + " | " + d.left + " | " + d.right);
    return out;
}

using Lines = std::vector<std::string>;

}  // namespace

TEST(ImageDiff, EqualImagesHaveNoDifferences) {
    AppState s = started();
    EXPECT_TRUE(compareImages(s, s.RadioImage, s.RadioImage, false).empty());
}

TEST(ImageDiff, ChannelFieldsAreNamedWithBothValues) {
    AppState s = started();
    Image radio = s.RadioImage;
    textToFrequency("451", radio, 3, 0);
    for (int c = 4; c < 8; ++c) radio(3, c) = 0xFF;  // receive only
    setTone(radio, 3, ch::DecodeTone, 0x13, 0x28);
    setField(radio, 3, ch::HighPower, 0);
    setField(radio, 3, ch::OptSig, 1);
    setField(radio, 3, ch::AutodialMemory, 4);
    setScanBit(radio, 3, true);
    EXPECT_EQ(
        lines(compareImages(s, s.RadioImage, radio, false)),
        (Lines{"Channel 3 | RX Frequency | 469.92500 | 451.00000",
               "Channel 3 | TX Frequency | 469.92500 | none",
               "Channel 3 | QT/DQT Decode | 203.5 | D023N", "Channel 3 | TX Power | High | Low",
               "Channel 3 | Scan Add | Off | On", "Channel 3 | Option Signalling | 0 | 1",
               "Channel 3 | Autodial Memory | 1 | 5"}));
    EXPECT_EQ(lines(compareImages(s, s.RadioImage, radio, true))[0],
              "信道 3 | 接收频率 | 469.92500 | 451.00000");
}

TEST(ImageDiff, AChannelInUseAgainstAnEmptyOneIsOneDifference) {
    AppState s = started();
    Image radio = s.RadioImage;
    ClearChannel(radio, 16);
    setScanBit(s.RadioImage, 16, true);
    EXPECT_EQ(lines(compareImages(s, s.RadioImage, radio, false)),
              (Lines{"Channel 16 | Channel | 469.97500 / 469.97500 | empty",
                     "Channel 16 | Scan Add | On | Off"}));
    // Two empty channels with different leftovers differ only by address.
    Image other = radio;
    other(16, 5) = 0x12;
    EXPECT_EQ(lines(compareImages(s, radio, other, false)),
              (Lines{"Other bytes | 0x105 | FF | 12"}));
}

TEST(ImageDiff, SameMeaningInOtherBytesShowsByAddress) {
    AppState s = started();
    Image radio = s.RadioImage;
    setTone(s.RadioImage, 6, ch::EncodeTone, 0xFF, 0xFF);
    setTone(radio, 6, ch::EncodeTone, 0x00, 0x00);  // both read as no tone
    radio(6, 13) ^= 0x01;                           // a bit no editor uses
    radio(0, 0) = 0x00;                             // row 0 has no editor
    radio(30, 4) = 0x01;
    radio(30, 5) = 0x02;
    radio(30, 7) = 0x03;
    EXPECT_EQ(lines(compareImages(s, s.RadioImage, radio, false)),
              (Lines{"Other bytes | 0x000 | FF | 00", "Other bytes | 0x06A-0x06B | FF FF | 00 00",
                     "Other bytes | 0x06D | BF | BE", "Other bytes | 0x1E4-0x1E5 | FF FF | 01 02",
                     "Other bytes | 0x1E7 | FF | 03"}));
}

TEST(ImageDiff, FeaturesKeysAndScanSettingsByName) {
    AppState s = started();
    Image radio = s.RadioImage;
    radio(19, 0) = 8;     // time-out timer 120 s
    radio(18, 15) = 2;    // English voice
    radio(20, 2) = 'D';   // begin code 12D45
    radio(21, 0) = '9';   // end code 9
    radio(17, 13) = 6;    // PF1 scan
    radio(22, 2) = 2;     // look back A 0.55 s
    radio(22, 7) = 0x2C;  // dwell time 300 s
    radio(22, 8) = 0x01;
    EXPECT_EQ(
        lines(compareImages(s, s.RadioImage, radio, false)),
        (Lines{"Key Assignment | Key PF1 | None | Scan",
               "Optional Features | Time Out Timer(TOT)[s] | 60 | 120",
               "Optional Features | Voice Annunciation | Chinese | English",
               "Optional Features | PTT ID Begin of TX | 12345 | 12D45",
               "Optional Features | PTT ID End of TX | none | 9",
               "Scan | Look Back Time A(s) | 2.00 | 0.55", "Scan | TX Dwell Time (s) | 3 | 300"}));
    EXPECT_EQ(lines(compareImages(s, s.RadioImage, radio, true))[1],
              "可选功能 | 超时定时器(TOT)[秒] | 60 | 120");
}

TEST(ImageDiff, OnlyTheRowsAWriteSendsAreCompared) {
    AppState s = started();
    Image radio = s.RadioImage;
    radio(49, 0) = 0x41;
    radio(63, 15) = 0x00;
    EXPECT_TRUE(compareImages(s, s.RadioImage, radio, false).empty());
    radio(48, 15) = 0x00;
    EXPECT_EQ(lines(compareImages(s, s.RadioImage, radio, false)),
              (Lines{"Other bytes | 0x30F | FF | 00"}));
    EXPECT_EQ(compareImages(s, s.RadioImage, radio, false, 63).size(), 3u);
}

TEST(ImageDiff, NoDifferenceListedExactlyWhenTheBytesAreEqual) {
    // Random images and random single changes: the list is empty exactly when rows 0 to 48
    // hold the same bytes, whatever the change means.
    AppState s = started();
    std::mt19937 random(11);
    for (int round = 0; round < 2000; ++round) {
        Image a = s.RadioImage;
        if (round % 2)
            for (int r = 0; r < 64; ++r)
                for (int c = 0; c < 16; ++c) a(r, c) = static_cast<Int16>(random() % 256);
        Image b = a;
        const int changes = static_cast<int>(random() % 3);
        for (int k = 0; k < changes; ++k) {
            const int r = static_cast<int>(random() % 49), c = static_cast<int>(random() % 16);
            b(r, c) = static_cast<Int16>(b(r, c) ^ (1 << (random() % 8)));
        }
        bool equal = true;
        for (int r = 0; r <= 48; ++r)
            for (int c = 0; c < 16; ++c) equal = equal && a(r, c) == b(r, c);
        ASSERT_EQ(compareImages(s, a, b, false).empty(), equal) << "round " << round;
    }
}
