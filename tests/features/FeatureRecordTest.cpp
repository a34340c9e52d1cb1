#include <gtest/gtest.h>

#include "core/Defaults.h"
#include "features/KeyRecord.h"
#include "features/MessageRecord.h"
#include "features/OptionRecord.h"
#include "features/ScanRecord.h"

using namespace nv;

namespace {
Image defaults() {
    AppState s;
    buildDefaultImage(s);
    return s.RadioImage;
}
std::vector<int> rowOf(const Image& im, int r) {
    std::vector<int> v;
    for (int c = 0; c < 16; ++c) v.push_back(im(r, c));
    return v;
}
std::vector<int> codes(std::initializer_list<int> leading) {
    std::vector<int> v(leading);
    v.resize(16, 255);
    return v;
}
}  // namespace

TEST(SettingFields, ReadModifyWriteKeepsTheOtherBitsAndCells) {
    Image im;
    for (int c = 0; c < ImageCells; ++c) im(19, c) = 0xA5;
    const SettingField nibble{19, 4, 0x3C};
    writeSetting(im, nibble, 0xF);
    EXPECT_EQ(im(19, 4), 0xBD);
    EXPECT_EQ(readSetting(im, nibble), 0xF);
    writeSetting(im, nibble, 0x13);  // too wide: only the field's bits are written
    EXPECT_EQ(im(19, 4), 0x8D);
    for (int c = 0; c < ImageCells; ++c)
        if (c != 4) {
            EXPECT_EQ(im(19, c), 0xA5) << c;
        }
}

TEST(SettingFields, ListsClampAndChecksStoreOneOrZero) {
    Image im;
    const ListSetting timeOut = opt::TimeOut;
    for (auto [stored, index] : {std::pair{0, 0}, {1, 0}, {4, 3}, {40, 39}, {41, 39}, {255, 39}}) {
        im(19, 0) = static_cast<Int16>(stored);
        EXPECT_EQ(listIndex(im, timeOut), index) << stored;
    }
    storeListIndex(im, timeOut, 0);
    EXPECT_EQ(im(19, 0), 1);
    im(19, 5) = 0x80;
    EXPECT_TRUE(isChecked(im, opt::BatterySave));
    storeCheck(im, opt::BatterySave, true);
    EXPECT_EQ(im(19, 5), 1);
    storeCheck(im, opt::BatterySave, false);
    EXPECT_EQ(im(19, 5), 0);
}

TEST(OptionRecord, FactoryDefaultsAreAlreadyNormal) {
    Image im = defaults();
    const Image before = im;
    opt::normaliseOptions(im);
    EXPECT_EQ(im, before);
    EXPECT_EQ(listIndex(im, opt::TimeOut), 3);  // 60 s
    EXPECT_EQ(listIndex(im, opt::VoiceAnnunciation), 1);
    EXPECT_EQ(opt::dtmfText(im, opt::BeginCodeRow), "12345");
    EXPECT_EQ(opt::dtmfText(im, opt::EndCodeRow), "");
}

TEST(OptionRecord, NormalisingTouchesOnlyTheSettingsCells) {
    Image im;
    for (int r = 17; r <= 23; ++r)
        for (int c = 0; c < ImageCells; ++c) im(r, c) = 0xEE;
    opt::normaliseOptions(im);
    EXPECT_EQ(im(19, 0), 40);  // beyond the list: the last entry, 600 s
    EXPECT_EQ(im(19, 4), 9);
    EXPECT_EQ(im(19, 9), 1);
    EXPECT_EQ(im(19, 11), 5);
    EXPECT_EQ(im(18, 15), 2);
    EXPECT_EQ(im(18, 12), 1);
    for (int r = 17; r <= 23; ++r)
        for (int c = 0; c < ImageCells; ++c) {
            const bool settings =
                (r == 19 && c <= 14) || (r == 18 && (c == 12 || c == 13 || c == 15));
            if (!settings) {
                EXPECT_EQ(im(r, c), 0xEE) << r << "," << c;
            }
        }
}

TEST(DtmfCode, RowDecodingSkipsEverythingOutsideTheAlphabet) {
    Image im;
    const int cells[] = {49, 255, 50, 42, 66, 35, 97, 69, 0, 68, 255, 255, 255, 255, 255, 48};
    for (int c = 0; c < 16; ++c) im(20, c) = static_cast<Int16>(cells[c]);
    EXPECT_EQ(opt::dtmfText(im, 20), "12BD0");  // star, hash, lower-case and E are skipped
}

TEST(DtmfCode, StoringRewritesTheWholeRow) {
    Image im;
    for (int c = 0; c < ImageCells; ++c) im(21, c) = 7;
    opt::storeDtmf(im, 21, "12C");
    EXPECT_EQ(rowOf(im, 21), codes({49, 50, 67}));
    EXPECT_EQ(im(21, 16), 7);  // beyond the radio's 16 cells nothing changes
    opt::storeDtmf(im, 21, "");
    EXPECT_EQ(rowOf(im, 21), codes({}));
}

TEST(DtmfCode, KeysAreFilteredUpperCasedAndLimited) {
    EXPECT_EQ(opt::acceptDtmfKey("", U'7'), '7');
    EXPECT_EQ(opt::acceptDtmfKey("", U'c'), 'C');
    EXPECT_EQ(opt::acceptDtmfKey("", U'D'), 'D');
    for (char32_t refused : {U'e', U'E', U'*', U'#', U' ', U'\b', U'\x0661', U'\xFF11'})
        EXPECT_FALSE(opt::acceptDtmfKey("", refused)) << static_cast<int>(refused);
    EXPECT_FALSE(opt::acceptDtmfKey("0123456789ABCD01", U'2'));
    EXPECT_EQ(opt::acceptDtmfKey("0123456789ABCD0", U'2'), '2');
}

TEST(DtmfCode, CleaningCutsAtTheFirstForeignCharacter) {
    EXPECT_EQ(opt::cleanDtmf(U"12x45"), "12");
    EXPECT_EQ(opt::cleanDtmf(U"1a9"), "1A");  // the lower-case letter ends the text
    EXPECT_EQ(opt::cleanDtmf(U"  12B  "), "12B");
    EXPECT_EQ(opt::cleanDtmf(U"1 2"), "1");
    EXPECT_EQ(opt::cleanDtmf(U"\xFF11"
                             U"2"),
              "");  // a full-width digit is not a digit here
    EXPECT_EQ(opt::cleanDtmf(U"12345678901234567890"), "1234567890123456");
    EXPECT_EQ(opt::cleanDtmf(U"ABCD"), "ABCD");
}

TEST(ScanRecord, LookBackCodesSkipOne) {
    EXPECT_EQ(scan::lookBackCode(0), 0);
    EXPECT_EQ(scan::lookBackCode(1), 2);
    EXPECT_EQ(scan::lookBackCode(90), 91);
    for (auto [stored, index] :
         {std::pair{0, 0}, {1, 0}, {2, 1}, {31, 30}, {91, 90}, {92, 89}, {255, 89}})
        EXPECT_EQ(scan::lookBackIndex(stored), index) << stored;
    EXPECT_EQ(scan::lookBackText(0), "0.50");
    EXPECT_EQ(scan::lookBackText(1), "0.55");
    EXPECT_EQ(scan::lookBackText(10), "1.00");
    EXPECT_EQ(scan::lookBackText(89), "4.95");
    EXPECT_EQ(scan::lookBackText(90), "5.00");
}

TEST(ScanRecord, RevertListDependsOnThePriorityMode) {
    using namespace scan;
    EXPECT_EQ(revertIndex(NoPriority, 3), 1);
    EXPECT_EQ(revertCode(NoPriority, 1), 1);
    EXPECT_EQ(revertIndex(FixedChannel, 3), 3);
    EXPECT_EQ(revertIndex(FixedChannel, 200), 3);
    EXPECT_EQ(revertIndex(SelectedChannel, 0), 0);
    EXPECT_EQ(revertCode(SelectedChannel, 0), 2);
    EXPECT_EQ(revertIndex(SelectedChannel, 1), 1);  // 1 is not reduced: it shows the last entry
    EXPECT_EQ(revertIndex(SelectedChannel, 3), 1);
    EXPECT_EQ(revertIndex(SelectedChannel, 255), 1);
}

TEST(ScanRecord, DecodingStoresTheNormalisedRow) {
    Image im;
    const int cells[] = {9, 40, 1, 200, 7, 255, 255, 0x2C, 0x01};
    for (int c = 0; c < 9; ++c) im(22, c) = static_cast<Int16>(cells[c]);
    for (int c = 9; c < ImageCells; ++c) im(22, c) = 0x77;
    const scan::ScanView v = scan::decodeScan(im);
    EXPECT_EQ(v.mode, 2);
    EXPECT_FALSE(v.channel);
    EXPECT_EQ(v.lookBackA, 0);
    EXPECT_EQ(v.lookBackB, 89);
    EXPECT_EQ(v.revert, 1);
    EXPECT_EQ(v.dropout, 300);
    EXPECT_EQ(v.dwell, 300);
    EXPECT_EQ(rowOf(im, 22), (std::vector<int>{2, 40, 0, 90, 3, 44, 1, 44, 1, 0x77, 0x77, 0x77,
                                               0x77, 0x77, 0x77, 0x77}));
    for (int c = 16; c < ImageCells; ++c) EXPECT_EQ(im(22, c), 0x77);
}

TEST(ScanRecord, PriorityChannelIsNormalisedInTheFixedModeOnly) {
    Image im;
    im(22, 0) = 1;
    for (auto [stored, shown, kept] :
         {std::tuple{5, 5, 5}, {16, 16, 16}, {0, 0, 255}, {17, 0, 255}, {255, 0, 255}}) {
        im(22, 1) = static_cast<Int16>(stored);
        const scan::ScanView v = scan::decodeScan(im);
        EXPECT_EQ(v.channel.value_or(0), shown) << stored;
        EXPECT_EQ(im(22, 1), kept) << stored;
    }
    im(22, 0) = 0;
    im(22, 1) = 40;
    EXPECT_FALSE(scan::decodeScan(im).channel);
    EXPECT_EQ(im(22, 1), 40);
}

TEST(ScanRecord, OnlyAWholeChannelNumberStoresIt) {
    EXPECT_FALSE(scan::channelCode("123"));  // not channel 12
    EXPECT_FALSE(scan::channelCode(" 7x"));
    EXPECT_FALSE(scan::channelCode("3.7"));
    EXPECT_FALSE(scan::channelCode("x7"));
    EXPECT_FALSE(scan::channelCode("\xEF\xBC\x91"));  // a full-width 1
    EXPECT_FALSE(scan::channelCode("99999999999999999999"));
    EXPECT_FALSE(scan::channelCode("1 2"));
    EXPECT_EQ(scan::channelCode(" 12 "), 12);
    EXPECT_EQ(scan::channelCode("   "), 255);
    EXPECT_EQ(scan::channelCode(""), 255);
    EXPECT_EQ(scan::channelCode("1"), 1);
    EXPECT_EQ(scan::channelCode("05"), 5);
    EXPECT_EQ(scan::channelCode("16"), 16);
    EXPECT_FALSE(scan::channelCode("17"));
    EXPECT_FALSE(scan::channelCode("0"));
    EXPECT_FALSE(scan::channelCode("99"));
}

TEST(KeyRecord, CodesMapToListPositions) {
    EXPECT_EQ(keys::functionIndex(0), 1);
    EXPECT_EQ(keys::functionIndex(1), 1);
    EXPECT_EQ(keys::functionIndex(2), 2);
    EXPECT_EQ(keys::functionIndex(11), 11);
    EXPECT_EQ(keys::functionIndex(12), 0);
    EXPECT_EQ(keys::functionIndex(255), 0);
    EXPECT_EQ(keys::functionCode(0), 255);
    EXPECT_EQ(keys::functionCode(1), 0);
    EXPECT_EQ(keys::functionCode(4), 4);
    for (int i = 0; i < keys::Functions; ++i)
        EXPECT_EQ(keys::functionIndex(keys::functionCode(i)), i);
}

TEST(MessageRecord, LinesSpanTwoRows) {
    Image im;
    for (int r = 47; r <= 52; ++r)
        for (int c = 0; c < ImageCells; ++c) im(r, c) = 1;
    msg::storeLine(im, 1, "ABCDEFGHIJKLMNOPQRST");
    EXPECT_EQ(rowOf(im, 48),
              (std::vector<int>{65, 66, 67, 68, 69, 70, 71, 72, 73, 74, 75, 76, 77, 78, 79, 80}));
    EXPECT_EQ(rowOf(im, 49), codes({81, 82, 83, 84}));
    msg::storeLine(im, 2, "  HI THERE  ");
    EXPECT_EQ(rowOf(im, 50), codes({72, 73, 32, 84, 72, 69, 82, 69}));
    EXPECT_EQ(rowOf(im, 51), codes({}));
    for (int r : {47, 52})
        for (int c = 0; c < ImageCells; ++c) EXPECT_EQ(im(r, c), 1);
    for (int r = 48; r <= 51; ++r) EXPECT_EQ(im(r, 16), 1);
    EXPECT_EQ(msg::lineText(im, 1), "ABCDEFGHIJKLMNOPQRST");
    EXPECT_EQ(msg::lineText(im, 2), "HI THERE");
}

TEST(MessageRecord, DecodingKeepsInnerBlanksAndSkipsTheUnprintable) {
    Image im;
    msg::storeLine(im, 1, "");
    const int cells[] = {32, 65, 32, 66, 0, 127, 200, 126, 32};
    for (int c = 0; c < 9; ++c) im(48, c) = static_cast<Int16>(cells[c]);
    EXPECT_EQ(msg::lineText(im, 1), "A B~");
}

TEST(MessageRecord, CleaningKeepsPrintableSingleBytesAndCutsLongTexts) {
    EXPECT_EQ(msg::cleanMessageText(U"HELLO WORLD"), "HELLO WORLD");
    EXPECT_EQ(msg::cleanMessageText(U"  typed blanks  "), "  typed blanks  ");
    EXPECT_EQ(msg::cleanMessageText(U"A\tB\nC"), "A B C");
    EXPECT_EQ(msg::cleanMessageText(U"Gr\u00FC\u00DFe \u4E2D!"), "Gre !");
    const std::u32string forty(40, U'x');
    EXPECT_EQ(msg::cleanMessageText(forty), std::string(32, 'x'));
    EXPECT_EQ(msg::cleanMessageText(U"   " + forty), std::string(32, 'x'));
    EXPECT_TRUE(msg::lineFull(std::string(32, 'x')));
    EXPECT_FALSE(msg::lineFull(" " + std::string(31, 'x') + " "));
}
