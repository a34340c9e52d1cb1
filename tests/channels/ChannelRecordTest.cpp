#include <gtest/gtest.h>

#include <bit>

#include "channels/ChannelRecord.h"
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
}  // namespace

TEST(ChannelFields, ReadModifyWriteTouchesOnlyTheFieldsBits) {
    const Field fields[] = {ch::Compander, ch::OptSig, ch::BusyLockout,
                            ch::SpUnmute,  ch::Wide,   ch::HighPower,
                            ch::BeatShift, ch::PttId,  ch::AutodialMemory};
    for (const Field& f : fields) {
        for (int background : {0x00, 0xFF, 0xA5, 0x5A}) {
            Image im;
            for (int c = 0; c < 33; ++c) im(7, c) = static_cast<Int16>(background);
            int maxValue = f.mask >> std::countr_zero(static_cast<unsigned>(f.mask));
            for (int v = 0; v <= maxValue; ++v) {
                setField(im, 7, f, v);
                ASSERT_EQ(getField(im, 7, f), v);
                for (int c = 0; c < 33; ++c) {
                    int keep = c == f.cell ? ~f.mask & 0xFF : 0xFF;
                    ASSERT_EQ(im(7, c) & keep, background & keep) << "cell " << c;
                }
            }
        }
    }
}

TEST(ChannelFields, DecodeTheDefaultAttributeBytes) {
    AppState s = started();
    // 0x00 0xBF 0xB0 0xF8: nothing in cell 12, wide, high power, beat shift off, PTT ID off
    EXPECT_EQ(getField(s.RadioImage, 1, ch::OptSig), 0);
    EXPECT_EQ(getField(s.RadioImage, 1, ch::Wide), 1);
    EXPECT_EQ(getField(s.RadioImage, 1, ch::HighPower), 1);
    EXPECT_EQ(getField(s.RadioImage, 1, ch::BeatShift), 0);
    EXPECT_EQ(getField(s.RadioImage, 1, ch::PttId), 0);
    EXPECT_EQ(getField(s.RadioImage, 1, ch::AutodialMemory), 0);
}

TEST(ScanBits, ChannelsMapOntoCells14And15) {
    Image im;
    setScanBit(im, 8, true);
    EXPECT_EQ(im(23, 14), 0x80);
    setScanBit(im, 9, true);
    EXPECT_EQ(im(23, 15), 0x01);
    setScanBit(im, 16, true);
    EXPECT_EQ(im(23, 15), 0x81);
    setScanBit(im, 1, true);
    EXPECT_EQ(im(23, 14), 0x81);
    setScanBit(im, 8, false);
    EXPECT_EQ(im(23, 14), 0x01);
    EXPECT_TRUE(scanBit(im, 16));
    EXPECT_FALSE(scanBit(im, 8));
    for (int c = 0; c < 14; ++c) EXPECT_EQ(im(23, c), 0);
}

TEST(ChannelLifecycle, ClearAndInitNewChannel) {
    AppState s = started();
    Image& im = s.RadioImage;
    im(23, 14) = 0xFF;
    ClearChannel(im, 3);
    for (int c = 0; c < 16; ++c) EXPECT_EQ(im(3, c), 0xFF);
    EXPECT_EQ(im(23, 14), 0xFB);
    EXPECT_TRUE(isEmptyChannel(im, 3));

    im(3, 0) = 0x12;
    im(3, 1) = 0x34;
    InitNewChannel(im, 3);
    const int pattern[8] = {0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0xBF, 0xB0, 0xF8};
    for (int c = 0; c < 8; ++c) EXPECT_EQ(im(3, 8 + c), pattern[c]);
    EXPECT_EQ(im(3, 0), 0x12);  // frequencies are the caller's
    EXPECT_EQ(im(3, 4), 0xFF);
    EXPECT_TRUE(scanBit(im, 3));
    EXPECT_FALSE(isEmptyChannel(im, 3));
    EXPECT_FALSE(hasTxFrequency(im, 3));
}

TEST(GridToneText, FollowsTheDisplayRule) {
    AppState s = started();
    EXPECT_EQ(gridToneText(s, 0x00, 0x00, false), "None");
    EXPECT_EQ(gridToneText(s, 0xFF, 0xFF, false), "None");
    EXPECT_EQ(gridToneText(s, 0x9E, 0x02, false), "67.0");
    EXPECT_EQ(gridToneText(s, 0x75, 0x03, false), "88.5");
    EXPECT_EQ(gridToneText(s, 0xE8, 0x03, false), "100.0");
    EXPECT_EQ(gridToneText(s, 0x01, 0x00, false), "0.1");  // any high byte below 10 is CTCSS
    EXPECT_EQ(gridToneText(s, 0xEC, 0xA9, false), "   D754I   ");  // table text as stored
    EXPECT_EQ(gridToneText(s, 0x00, 0x0A, false), "");             // no match
    EXPECT_EQ(gridToneText(s, 0xFF, 0xFF, true), "无");
}

TEST(GridRowTexts, ShowsEveryColumnAndBlanksAnEmptyOrReceiveOnlyChannel) {
    AppState s = started();
    auto t = gridRowTexts(s, 1, false);
    EXPECT_EQ(t[0], "1");
    EXPECT_EQ(t[1], "450.02500");
    EXPECT_EQ(t[2], "450.02500");
    EXPECT_EQ(t[3], "67.0");
    EXPECT_EQ(t[4], "67.0");
    EXPECT_EQ(t[5], "High");
    EXPECT_EQ(t[6], "Wide");
    EXPECT_EQ(t[7], "None");
    EXPECT_EQ(t[8], "None");
    EXPECT_EQ(t[9], "OFF");

    s.RadioImage(2, 4) = 0xFF;
    setField(s.RadioImage, 2, ch::OptSig, 3);
    t = gridRowTexts(s, 2, false);
    EXPECT_EQ(t[2], "");
    EXPECT_EQ(t[4], "");
    EXPECT_EQ(t[8], "None");

    s.RadioImage(4, 0) = 0xFF;
    t = gridRowTexts(s, 4, false);
    for (int c = 1; c < 10; ++c) EXPECT_EQ(t[c], "");
}
