#include <gtest/gtest.h>

#include "core/NumberList.h"

using namespace nv;

TEST(NumberListWriter, IsByteExact) {
    std::string zeroRow = writeNumberList({std::vector<int>(22, 0)});
    EXPECT_EQ(zeroRow.size(), 68u);
    EXPECT_EQ(zeroRow.substr(0, 6), " 0  0 ");
    EXPECT_EQ(zeroRow.substr(63), " 0 \r\n");
    EXPECT_EQ(writeNumberList({{255, 7}, {-1}}), " 255  7 \r\n-1 \r\n");
}

TEST(NumberListReader, AcceptsBlanksCommasAndLineEndsInAnyMix) {
    std::vector<int> want = {1, 2, 3, 4, 5, 6};
    for (const char* text : {" 1  2  3 \r\n 4  5  6 \r\n", "1,2,3,4,5,6", "1\n2\n3\n4\n5\n6\n",
                             "1, 2,,3\r4\n\n5 ,6", "  1 2 3 4 5 6 7 8"}) {
        NumberListResult r = readNumberList(text, 6);
        ASSERT_TRUE(r.ok()) << text;
        EXPECT_EQ(r.values, want) << text;
    }
}

TEST(NumberListReader, RefusesShortFilesBadTokensAndOutOfRangeValues) {
    NumberListResult r = readNumberList("1 2 3\r\n", 4);
    EXPECT_EQ(r.error.kind, NumberListError::TooShort);
    EXPECT_TRUE(r.values.empty());
    EXPECT_EQ(r.error.valuesRead, 3);

    r = readNumberList("", 1);
    EXPECT_EQ(r.error.kind, NumberListError::TooShort);

    r = readNumberList("1 2\r\n3 x4 5", 5);
    EXPECT_EQ(r.error.kind, NumberListError::NotAnInteger);
    EXPECT_EQ(r.error.line, 2);
    EXPECT_EQ(r.error.token, "x4");
    EXPECT_TRUE(r.values.empty());

    for (const char* bad : {"1.5", "0x10", "--1", "+", "12a"})
        EXPECT_EQ(readNumberList(bad, 1).error.kind, NumberListError::NotAnInteger) << bad;

    r = readNumberList("1\n2\n300\n", 3);
    EXPECT_EQ(r.error.kind, NumberListError::OutOfRange);
    EXPECT_EQ(r.error.line, 3);
    EXPECT_EQ(r.error.token, "300");
    EXPECT_EQ(readNumberList("-1", 1).error.kind, NumberListError::OutOfRange);
    EXPECT_EQ(readNumberList("99999999999999999999", 1).error.kind, NumberListError::OutOfRange);
    EXPECT_TRUE(readNumberList("+7 0 255", 3).ok());
}
