#include <gtest/gtest.h>

#include "channels/ChannelBlock.h"
#include "core/Frequency.h"
#include "core/Models.h"
#include "core/Startup.h"

using namespace nv;

namespace {

struct Block : ::testing::Test {
    AppState s;
    Image im;
    void SetUp() override {
        initialiseGlobals(s);
        buildTables(s);
        buildDefaults(s);
        // Channel n receives 400 + n MHz and carries its number in the bits no editor uses.
        for (int n = 1; n <= ChannelCount; ++n) {
            textToFrequency(std::to_string(400 + n) + ".00000", s.RadioImage, n, ch::RxFreq);
            textToFrequency(std::to_string(400 + n) + ".00000", s.RadioImage, n, ch::TxFreq);
            s.RadioImage(n, 14) = static_cast<Int16>(n << 1);
            setScanBit(s.RadioImage, n, n % 2 == 1);
        }
        im = s.RadioImage;
    }
    int tag(const Image& image, int n) { return image(n, 14) >> 1; }
    std::vector<int> tags(const Image& image) {
        std::vector<int> v;
        for (int n = 1; n <= ChannelCount; ++n) v.push_back(isEmptyChannel(image, n) ? 0 : tag(image, n));
        return v;
    }
    // Everything outside the 16 channel rows and the two scan cells.
    static bool sameElsewhere(const Image& a, const Image& b) {
        Image x = a, y = b;
        for (Image* i : {&x, &y}) {
            for (int n = 1; n <= ChannelCount; ++n)
                for (int c = 0; c < 16; ++c) (*i)(n, c) = 0;
            (*i)(ch::ScanRow, ch::ScanCellLow) = 0;
            (*i)(ch::ScanRow, ch::ScanCellHigh) = 0;
        }
        return x == y;
    }
};

}  // namespace

TEST_F(Block, DeleteEmptiesTheChannelsAndTakesThemOffTheScanList) {
    const Image out = deleteChannels(im, {3, 5});
    EXPECT_EQ(takeChannel(out, 3), emptySlot());
    EXPECT_EQ(takeChannel(out, 5), emptySlot());
    EXPECT_FALSE(scanBit(out, 3));
    EXPECT_EQ(takeChannel(out, 4), takeChannel(im, 4));
    EXPECT_TRUE(sameElsewhere(im, out));
}

TEST_F(Block, InsertMovesTheRestDownWithTheirScanBitsAndRefusesAFullLastChannel) {
    EXPECT_FALSE(insertChannel(im, 3));  // channel 16 is in use
    putChannel(im, 16, emptySlot());
    const auto out = insertChannel(im, 3);
    ASSERT_TRUE(out);
    EXPECT_EQ(tags(*out), (std::vector<int>{1, 2, 0, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}));
    EXPECT_TRUE(scanBit(*out, 4));  // channel 3 (in the scan list) is now channel 4
    EXPECT_FALSE(scanBit(*out, 5));
    EXPECT_FALSE(scanBit(*out, 3));
    EXPECT_EQ(takeChannel(*out, 9), takeChannel(im, 8));  // channel 8 crosses into cell 15
    EXPECT_TRUE(sameElsewhere(im, *out));
}

TEST_F(Block, RemoveMovesTheRestUpAndEmptiesTheLastSlots) {
    const Image out = removeChannels(im, {2, 4});
    EXPECT_EQ(tags(out), (std::vector<int>{1, 3, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 0, 0}));
    EXPECT_EQ(takeChannel(out, 8), takeChannel(im, 10));
    EXPECT_EQ(takeChannel(out, 16), emptySlot());
    EXPECT_TRUE(sameElsewhere(im, out));
}

TEST_F(Block, MoveUpAndDownCarryTheSelectionAndStopAtTheEnds) {
    auto up = moveChannels(im, {3, 4, 7}, -1);
    ASSERT_TRUE(up);
    EXPECT_EQ(tags(*up), (std::vector<int>{1, 3, 4, 2, 5, 7, 6, 8, 9, 10, 11, 12, 13, 14, 15, 16}));
    EXPECT_EQ(movedSelection({3, 4, 7}, -1), (std::vector<int>{2, 3, 6}));
    EXPECT_TRUE(scanBit(*up, 2));  // channel 3's bit moved with it
    auto down = moveChannels(im, {8}, 1);
    ASSERT_TRUE(down);
    EXPECT_EQ(takeChannel(*down, 9), takeChannel(im, 8));
    EXPECT_EQ(takeChannel(*down, 8), takeChannel(im, 9));
    EXPECT_FALSE(moveChannels(im, {1, 5}, -1));
    EXPECT_FALSE(moveChannels(im, {16}, 1));
}

TEST_F(Block, SortByReceiveFrequencyPutsEmptySlotsLast) {
    textToFrequency("450.00000", im, 2, ch::RxFreq);
    textToFrequency("400.50000", im, 9, ch::RxFreq);
    putChannel(im, 1, emptySlot());
    const Image out = sortChannels(im, {});
    EXPECT_EQ(tags(out), (std::vector<int>{9, 3, 4, 5, 6, 7, 8, 10, 11, 12, 13, 14, 15, 16, 2, 0}));
    EXPECT_TRUE(scanBit(out, 1));  // channel 9 keeps its bit
    const Image some = sortChannels(im, {2, 3, 9});  // only the selection, in its own places
    EXPECT_EQ(tags(some), (std::vector<int>{0, 9, 3, 4, 5, 6, 7, 8, 2, 10, 11, 12, 13, 14, 15, 16}));
}

TEST_F(Block, DragMovesABlockBeforeAChannel) {
    const Image out = dragChannels(im, {2, 3}, 6);
    EXPECT_EQ(tags(out), (std::vector<int>{1, 4, 5, 2, 3, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}));
    EXPECT_EQ(draggedSelection({2, 3}, 6), (std::vector<int>{4, 5}));
    const Image end = dragChannels(im, {1}, 17);
    EXPECT_EQ(tags(end).back(), 1);
    EXPECT_EQ(draggedSelection({1}, 17), (std::vector<int>{16}));
    EXPECT_EQ(tags(dragChannels(im, {10, 12}, 2)),
              (std::vector<int>{1, 10, 12, 2, 3, 4, 5, 6, 7, 8, 9, 11, 13, 14, 15, 16}));
}

TEST_F(Block, PutRefusesPastChannelSixteen) {
    const std::vector<ChannelSlot> two = {takeChannel(im, 1), takeChannel(im, 2)};
    EXPECT_FALSE(putChannels(im, two, 16));
    const auto out = putChannels(im, two, 15);
    ASSERT_TRUE(out);
    EXPECT_EQ(tag(*out, 16), 2);
}

TEST_F(Block, SettingsForManyLeaveEmptyChannelsAndOtherBitsAlone) {
    putChannel(im, 2, emptySlot());
    im(3, 13) = 0x8F;  // bits no editor uses, wide off, high power off
    Image out = setFieldFor(im, {2, 3}, ch::HighPower, 1);
    EXPECT_EQ(out(3, 13), 0xAF);
    EXPECT_EQ(takeChannel(out, 2), emptySlot());
    out = setScanFor(out, {2, 3, 4}, true);
    EXPECT_TRUE(scanBit(out, 4));
    EXPECT_FALSE(scanBit(out, 2));
    out = setTonesFor(out, {3}, ToneCode{0xE8, 0x03}, ToneCode{0x9E, 0x02});
    EXPECT_EQ(out(3, 8), 0xE8);
    EXPECT_EQ(out(3, 10), 0x9E);
    for (int c = 4; c < 8; ++c) out(4, c) = 0xFF;  // receive only: its encode tone stays
    const Int16 encode = out(4, 10);
    out = setTonesFor(out, {4}, ToneCode{0xE8, 0x03}, ToneCode{0x9E, 0x02});
    EXPECT_EQ(out(4, 10), encode);
    EXPECT_EQ(out(4, 8), 0xE8);
}

TEST_F(Block, OffsetSetsTransmitAndRefusesOutsideTheBand) {
    OffsetResult r = setOffsetFor(s, im, {1, 2}, "5", true);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(frequencyToText(r.image, 1, ch::TxFreq), "406.00000");
    EXPECT_EQ(frequencyToText(r.image, 2, ch::TxFreq), "407.00000");
    r = setOffsetFor(s, im, {1}, "0.6", false);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(frequencyToText(r.image, 1, ch::TxFreq), "400.40000");
    EXPECT_FALSE(setOffsetFor(s, im, {1}, "2", false).ok());  // 399 MHz
    r = setOffsetFor(s, im, {1, 16}, "70", true);
    EXPECT_EQ(r.outsideBand, (std::vector<int>{16}));
    EXPECT_EQ(r.image, im);
}
