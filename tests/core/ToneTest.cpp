#include <gtest/gtest.h>

#include "core/Tones.h"

using namespace nv;

class Tones : public ::testing::Test {
  protected:
    void SetUp() override { buildToneTables(s); }
    AppState s;
};

TEST_F(Tones, TableHas206EntriesInOrderWithTheirBlanks) {
    EXPECT_EQ(s.ToneNames[0], " OFF     ");
    EXPECT_EQ(s.ToneNames[1], " 67.0    ");
    EXPECT_EQ(s.ToneNames[9], " 88.5    ");
    EXPECT_EQ(s.ToneNames[10], "    91.5    ");
    EXPECT_EQ(s.ToneNames[12], "    97.4    ");
    EXPECT_EQ(s.ToneNames[13], "    100.0   ");
    EXPECT_EQ(s.ToneNames[39], "    250.3   ");
    EXPECT_EQ(s.ToneNames[40], "    D023N   ");
    EXPECT_EQ(s.ToneNames[99], "    D466N   ");
    EXPECT_EQ(s.ToneNames[100], "   D503N   ");
    EXPECT_EQ(s.ToneNames[122], "   D754N   ");
    EXPECT_EQ(s.ToneNames[123], "   D023I   ");
    EXPECT_EQ(s.ToneNames[205], "   D754I   ");
    EXPECT_EQ(s.ToneNames[206], "");
    EXPECT_EQ(s.ToneNames[260], "");
    for (int i = 0; i <= 205; ++i) EXPECT_FALSE(trimmedToneName(s, i).empty()) << i;
}

TEST_F(Tones, CodesFollowTheirClass) {
    EXPECT_EQ(toneCodeOf(s, 0), (ToneCode{0xFF, 0xFF}));
    EXPECT_EQ(toneCodeOf(s, 1), (ToneCode{0x9E, 0x02}));    // 67.0 Hz = 670
    EXPECT_EQ(toneCodeOf(s, 40), (ToneCode{0x13, 0x28}));   // D023N
    EXPECT_EQ(toneCodeOf(s, 205), (ToneCode{0xEC, 0xA9}));  // D754I
    for (int k = 0; k < 83; ++k) {
        ToneCode normal = toneCodeOf(s, 40 + k), inverted = toneCodeOf(s, 123 + k);
        EXPECT_EQ(normal.low, inverted.low);
        EXPECT_EQ(inverted.high, normal.high + 0x80);
    }
    for (int i = 1; i <= 39; ++i) EXPECT_LT(toneCodeOf(s, i).high, 10);
    for (int i = 40; i <= 205; ++i) EXPECT_GE(toneCodeOf(s, i).high, 10);
}

TEST_F(Tones, FindToneReturnsTheFirstMatchingEntry) {
    EXPECT_EQ(findTone(s, 0xFF, 0xFF), 0);
    EXPECT_EQ(findTone(s, 0xEC, 0xA9), 205);
    EXPECT_EQ(findTone(s, 0x13, 0x28), 40);
    EXPECT_EQ(findTone(s, 0xE8, 0x03), 13);  // 100.0
    EXPECT_FALSE(findTone(s, 0x00, 0x00).has_value());
    EXPECT_FALSE(findTone(s, 0x01, 0x02).has_value());
}

TEST_F(Tones, CtcssFromTextStoresOrSilentlyRefuses) {
    Image im;
    storeCtcssFromText(im, "67.0", 1, 8);
    EXPECT_EQ(im(1, 8), 0x9E);
    EXPECT_EQ(im(1, 9), 0x02);
    storeCtcssFromText(im, "250.3", 2, 8);
    EXPECT_EQ(im(2, 8), 0xC7);
    EXPECT_EQ(im(2, 9), 0x09);
    storeCtcssFromText(im, "FF", 3, 8);
    EXPECT_EQ(im(3, 8), 255);
    EXPECT_EQ(im(3, 9), 255);
    for (const char* refused : {"0", "-5", "255", "300", "abc", ""}) {
        Image before = im;
        storeCtcssFromText(im, refused, 4, 8);
        EXPECT_EQ(im, before) << refused;
    }
    storeCtcssFromText(im, "254.9", 5, 8);  // just inside
    EXPECT_EQ(im(5, 8) + 256 * im(5, 9), 2549);
}

TEST(CtcssCode, RoundsHalvesToEvenAndNeverProducesByte256) {
    EXPECT_EQ(ctcssCode(1000500), (ToneCode{232, 3}));  // 1000.5: 232.5 -> 232
    EXPECT_EQ(ctcssCode(1001500), (ToneCode{234, 3}));  // 233.5 -> 234
    EXPECT_EQ(ctcssCode(767600), (ToneCode{0, 3}));     // 255.6 carries
}
