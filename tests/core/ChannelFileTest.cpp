#include <gtest/gtest.h>

#include "core/ChannelFile.h"

using namespace nv;

TEST(ChannelFile, RoundTripsRowsZeroTo53WithTheirSpareCells) {
    Image im;
    for (int r = 0; r < 131; ++r)
        for (int c = 0; c < 33; ++c) im(r, c) = static_cast<Int16>((r * 31 + c * 7) % 256);
    const std::string text = channelFileText(im);
    Image back;
    for (int r = 0; r < 131; ++r)
        for (int c = 0; c < 33; ++c) back(r, c) = 77;
    ASSERT_EQ(loadChannelFileText(text, back).kind, NumberListError::None);
    for (int r = 0; r < 131; ++r)
        for (int c = 0; c < 33; ++c) {
            const bool inFile = r < 54 && c < 22;
            ASSERT_EQ(back(r, c), inFile ? im(r, c) : 77) << r << "," << c;
        }
}

TEST(ChannelFile, ZeroImageIs54LinesOf68Bytes) {
    const std::string text = channelFileText(Image{});
    EXPECT_EQ(text.size(), 54u * 68u);
    std::string zeroRow;
    for (int i = 0; i < 22; ++i) zeroRow += " 0 ";
    EXPECT_EQ(text.substr(0, 68), zeroRow + "\r\n");
}

TEST(ChannelFile, BrokenTextLeavesTheImageUntouched) {
    Image im;
    im(5, 5) = 42;
    const Image before = im;
    std::string good = channelFileText(Image{});
    EXPECT_EQ(loadChannelFileText(good.substr(0, good.size() / 2), im).kind,
              NumberListError::TooShort);
    std::string bad = good;
    bad.replace(bad.find(" 0 ", 68 * 3), 3, " x ");
    const NumberListError e = loadChannelFileText(bad, im);
    EXPECT_EQ(e.kind, NumberListError::NotAnInteger);
    EXPECT_EQ(e.line, 4);
    std::string big = good;
    big.replace(68 * 53, 3, "300");
    EXPECT_EQ(loadChannelFileText(big, im).kind, NumberListError::OutOfRange);
    EXPECT_EQ(loadChannelFileText("", im).kind, NumberListError::TooShort);
    EXPECT_EQ(im, before);
}

TEST(FileNames, SuffixAndCharacterChecks) {
    std::string name;
    EXPECT_EQ(checkFileName("abc.chann", ".chann", &name), NameCheck::Ok);
    EXPECT_EQ(name, "abc.chann");
    EXPECT_EQ(checkFileName("ABC.CHANN", ".chann", nullptr), NameCheck::Ok);
    EXPECT_EQ(checkFileName("  spaced name.chann  ", ".chann", &name), NameCheck::Ok);
    EXPECT_EQ(name, "spaced name.chann");
    for (const char* wrong : {"abc.Chann", "abc.chann.txt", "abcdefg", "abc", "", ".chan"})
        EXPECT_EQ(checkFileName(wrong, ".chann", nullptr), NameCheck::WrongSuffix) << wrong;
    for (const char* invalid :
         {"my#file.chann", "a$b.chann", "*.chann", "a/b.chann", "a\\b.chann", "#"})
        EXPECT_EQ(checkFileName(invalid, ".chann", nullptr), NameCheck::InvalidName) << invalid;
    EXPECT_EQ(checkFileName("x.adj", ".adj", nullptr), NameCheck::Ok);
    EXPECT_EQ(checkFileName("x.Adj", ".adj", nullptr), NameCheck::WrongSuffix);
}

TEST(ChannelFile, AByteOrderMarkAtTheStartIsNotPartOfTheFirstValue) {
    Image im;
    for (int r = 0; r < 54; ++r)
        for (int c = 0; c < 22; ++c) im(r, c) = static_cast<Int16>((r + c) % 256);
    im(0, 0) = 7;
    const std::string text = channelFileText(im);
    for (const std::string& start : {std::string("\xEF\xBB\xBF"), std::string("\xEF\xBB\xBF ")}) {
        Image back;
        ASSERT_EQ(loadChannelFileText(start + text.substr(1), back).kind, NumberListError::None);
        EXPECT_EQ(back, im);
    }
    // Only at the very start: elsewhere the bytes are still no number.
    std::string inside = text;
    inside.insert(68, "\xEF\xBB\xBF");
    Image back;
    EXPECT_EQ(loadChannelFileText(inside, back).kind, NumberListError::NotAnInteger);
}
