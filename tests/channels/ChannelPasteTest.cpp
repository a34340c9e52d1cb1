#include <gtest/gtest.h>

#include <algorithm>

#include "channels/ChannelPaste.h"
#include "core/Frequency.h"
#include "core/Startup.h"

using namespace nv;

namespace {
struct Paste : ::testing::Test {
    AppState s;
    void SetUp() override {
        initialiseGlobals(s);
        buildTables(s);
        buildDefaults(s);
    }
    Image& im() { return s.RadioImage; }
    std::string rx(const Image& i, int n) { return frequencyToText(i, n, ch::RxFreq); }
    std::string tx(const Image& i, int n) { return frequencyToText(i, n, ch::TxFreq); }
};
}  // namespace

TEST_F(Paste, OwnFormIsExactWithScanBits) {
    im()(3, 12) = 0x8B;  // signalling and a bit no editor uses
    setScanBit(im(), 3, false);
    const std::string clip = channelClipText(im(), {3, 4});
    const auto slots = readChannelClip(clip);
    ASSERT_TRUE(slots);
    ASSERT_EQ(slots->size(), 2u);
    const PasteResult r = pasteSlots(im(), *slots, 9);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(takeChannel(r.image, 9), takeChannel(im(), 3));
    EXPECT_EQ(takeChannel(r.image, 10), takeChannel(im(), 4));
    EXPECT_FALSE(scanBit(r.image, 9));
    EXPECT_EQ(r.channels, (std::vector<int>{9, 10}));
    const PasteResult past = pasteSlots(im(), *slots, 16);
    EXPECT_FALSE(past.ok());
    EXPECT_EQ(past.image, im());
    EXPECT_EQ(pasteProblemText(past.problems.at(0), false),
              "2 channels do not fit from channel 16 on: there is room for 1 up to channel 16");
    EXPECT_FALSE(readChannelClip("NV-742 channels 1\n1 2 3\n"));
    EXPECT_FALSE(readChannelClip("446.00625\n"));
}

TEST_F(Paste, FrequencyLinesAreWrittenAsTheGridWritesTypedFrequencies) {
    ClearChannel(im(), 5);
    const PasteResult r = pasteText(s, im(), "446.00625\r\n438.5\t431.1\n\n450,455.0\n", 5);
    ASSERT_TRUE(r.ok()) << pasteProblemText(r.problems.at(0), false);
    EXPECT_EQ(rx(r.image, 5), "446.00625");
    EXPECT_EQ(tx(r.image, 5), "446.00625");
    EXPECT_TRUE(scanBit(r.image, 5));  // a new channel: the new-channel pattern and scan bit
    EXPECT_EQ(r.image(5, 13), 0xBF);
    EXPECT_EQ(rx(r.image, 6), "438.50000");
    EXPECT_EQ(tx(r.image, 6), "431.10000");
    EXPECT_EQ(tx(r.image, 7), "455.00000");
    EXPECT_EQ(r.image(6, 8), im()(6, 8));  // an existing channel keeps its tones
    EXPECT_EQ(r.channels, (std::vector<int>{5, 6, 7}));
}

TEST_F(Paste, FloatNoiseOfASpreadsheetColumnIsTheRasterPoint) {
    const PasteResult r =
        pasteText(s, im(), "446.00624999999998\n438.52499999999998 431.10625000000002\n", 1);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(rx(r.image, 1), "446.00625");
    EXPECT_EQ(rx(r.image, 2) + " " + tx(r.image, 2), "438.52500 431.10625");
    EXPECT_TRUE(r.snaps.empty());
    // Further off, a frequency snaps as a typed one does, and the paste tells it with its line.
    for (const char* text : {"446.00625\n\n446.008 431.1\n", "Location,Frequency\n7,446.00625\n8,446.008\n"}) {
        const PasteResult off = pasteText(s, im(), text, 1);
        ASSERT_TRUE(off.ok() && off.snaps.size() == 1) << text;
        EXPECT_EQ(csvNoteText(off.snaps[0], false),
                  "line 3: channel 2: Frequency 446.008 is off the channel raster and was stored as "
                  "446.00625")
            << text;
    }
}

TEST_F(Paste, AnythingThatDoesNotFitIsListedAndNothingIsWritten) {
    const PasteResult r = pasteText(s, im(), "446\nabc\n520 446\n1 2 3\n", 14);
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(r.image, im());
    std::vector<std::string> texts;
    for (const auto& p : r.problems) texts.push_back(pasteProblemText(p, false));
    EXPECT_EQ(texts, (std::vector<std::string>{
                         "line 2: \"abc\" is not a frequency",
                         "line 3: \"520\" MHz is outside the band",
                         "4 channels do not fit from channel 14 on: there is room for 3 up to "
                         "channel 16"}));
    EXPECT_EQ(pasteProblemText(r.problems[1], true), "第 3 行：\"520\" MHz 超出频段");
}

TEST_F(Paste, CommunityCsvAndTabTextAreReadByTheImportRulesFromTheFirstChannel) {
    const std::string csv =
        "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,Mode,Power\n"
        "71,PMR1,446.00625,,0,TSQL,88.5,88.5,NFM,Low\n"
        "72,PMR2,446.01875,-,5,,88.5,88.5,FM,High\n";
    PasteResult r = pasteText(s, im(), csv, 3);
    ASSERT_TRUE(r.ok()) << pasteProblemText(r.problems.at(0), false);
    EXPECT_EQ(r.channels, (std::vector<int>{3, 4}));
    EXPECT_EQ(rx(r.image, 3), "446.00625");
    EXPECT_EQ(r.image(3, 8), 0x75);  // 88.5 Hz decode
    EXPECT_EQ(getField(r.image, 3, ch::Wide), 0);
    EXPECT_EQ(getField(r.image, 3, ch::HighPower), 0);
    EXPECT_EQ(tx(r.image, 4), "441.01875");

    std::string tabs = csv;
    std::replace(tabs.begin(), tabs.end(), ',', '\t');
    r = pasteText(s, im(), tabs, 15);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(rx(r.image, 16), "446.01875");
    r = pasteText(s, im(), tabs, 16);
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(r.image, im());

    r = pasteText(s, im(), "Location,Frequency\n1,520\n2,x\n", 1);
    ASSERT_EQ(r.problems.size(), 2u);
    EXPECT_EQ(r.problems[0].line, 2);
    EXPECT_EQ(pasteProblemText(r.problems[1], false), "line 3: Frequency \"x\" is not a number");
    EXPECT_EQ(r.image, im());
}
