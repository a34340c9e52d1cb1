#include <gtest/gtest.h>

#include <random>

#include "core/Csv.h"
#include "core/VisibleText.h"

using namespace nv;

namespace {
std::vector<std::string> fieldsOf(const CsvDocument& d, std::size_t i) {
    return i < d.records.size() ? d.records[i].fields : std::vector<std::string>{};
}
using Fields = std::vector<std::string>;
}  // namespace

TEST(CsvReading, QuotedFieldsHoldCommasQuotesAndLineBreaks) {
    const CsvDocument d = parseCsv(
        "a,b,c\r\n"
        "\"x, y\",\"say \"\"hi\"\"\",\"two\r\nlines\"\r\n"
        "last,,\r\n");
    ASSERT_FALSE(d.error);
    ASSERT_EQ(d.records.size(), 3u);
    EXPECT_EQ(fieldsOf(d, 1), (Fields{"x, y", "say \"hi\"", "two\r\nlines"}));
    EXPECT_EQ(fieldsOf(d, 2), (Fields{"last", "", ""}));
    // A record after a field with a line break starts on the line it really starts on.
    EXPECT_EQ(d.records[1].line, 2);
    EXPECT_EQ(d.records[2].line, 4);
}

TEST(CsvReading, AnyLineEndAByteOrderMarkAndNoFinalLineEnd) {
    for (const char* text : {"\xEF\xBB\xBF"
                             "a,b\r\n1,2\r\n3,4",
                             "a,b\n1,2\n3,4\n", "a,b\r1,2\r3,4"}) {
        const CsvDocument d = parseCsv(text);
        ASSERT_FALSE(d.error) << text;
        ASSERT_EQ(d.records.size(), 3u) << text;
        EXPECT_EQ(fieldsOf(d, 0), (Fields{"a", "b"}));
        EXPECT_EQ(fieldsOf(d, 2), (Fields{"3", "4"}));
        EXPECT_EQ(d.records[2].line, 3);
    }
}

TEST(CsvReading, BlankRecordsAreMarked) {
    const CsvDocument d = parseCsv("a,b\n\n,\n 1 ,\n");
    ASSERT_EQ(d.records.size(), 4u);
    EXPECT_TRUE(d.records[1].blank());
    EXPECT_TRUE(d.records[2].blank());
    EXPECT_FALSE(d.records[3].blank());
    EXPECT_TRUE(parseCsv("").records.empty());
}

TEST(CsvReading, BrokenQuotingIsReportedWithItsLine) {
    CsvDocument d = parseCsv("a,b\n1,2\n3,\"open\nstill open\n");
    ASSERT_TRUE(d.error);
    EXPECT_EQ(d.error->line, 3);
    EXPECT_EQ(d.error->text, "a quoted field is not closed");
    d = parseCsv("a,b\n\"x\"y,2\n");
    ASSERT_TRUE(d.error);
    EXPECT_EQ(d.error->line, 2);
    // A quote inside an unquoted field is taken as it stands.
    d = parseCsv("a,b\n5\"x,2\n");
    ASSERT_FALSE(d.error);
    EXPECT_EQ(fieldsOf(d, 1), (Fields{"5\"x", "2"}));
}

TEST(CsvWriting, WrittenLinesReadBackToTheSameFields) {
    EXPECT_EQ(csvLine({"a", "", "b c"}), "a,,b c\r\n");
    EXPECT_EQ(csvField("x,y"), "\"x,y\"");
    EXPECT_EQ(csvField("say \"hi\""), "\"say \"\"hi\"\"\"");
    EXPECT_EQ(csvField(" padded"), "\" padded\"");
    std::mt19937 random(7);
    const std::string alphabet = "ab ,\"\r\n;'";
    for (int round = 0; round < 500; ++round) {
        Fields fields(1 + random() % 5);
        for (std::string& f : fields)
            for (int k = random() % 6; k > 0; --k) f += alphabet[random() % alphabet.size()];
        const CsvDocument d = parseCsv(csvLine({"h"}) + csvLine(fields));
        ASSERT_FALSE(d.error);
        ASSERT_EQ(d.records.size(), 2u);
        ASSERT_EQ(d.records[1].fields, fields);
    }
}

TEST(CsvColumnsByName, NamesIgnoreCaseAndBlanksAndMissingFieldsAreEmpty) {
    const CsvDocument d = parseCsv(" Location ,FREQUENCY,Extra,frequency\n3,446.1\n");
    const CsvColumns columns(d.records[0]);
    EXPECT_EQ(columns.find("Location"), 0u);
    EXPECT_EQ(columns.find("Frequency"), 1u);  // the first of two equal names
    EXPECT_FALSE(columns.has("Duplex"));
    EXPECT_EQ(columns.value(d.records[1], "frequency"), "446.1");
    EXPECT_EQ(columns.value(d.records[1], "Extra"), "");   // the line is shorter
    EXPECT_EQ(columns.value(d.records[1], "Duplex"), "");  // no such column
}

TEST(VisibleText, ControlsAndDirectionOverridesAreEscapes) {
    const std::pair<std::string, std::string> cases[] = {
        {"Rpt \x1b[2J\x1b]0;owned\x07", "Rpt \\x1b[2J\\x1b]0;owned\\x07"},
        {std::string("a\0b\x7f", 4), "a\\0b\\x7f"},
        {"\xc2\x9b[31m", "\\u009b[31m"},                   // C1 CSI
        {"\xe2\x80\xaetxt.exe", "\\u202etxt.exe"},         // right-to-left override
        {"\xe2\x81\xa6x\xe2\x81\xa9", "\\u2066x\\u2069"},  // isolates
        {"\x9b[1m \xff", "\\x9b[1m \\xff"},                // bytes that are no UTF-8
        {"中继台 446.00625 \xe2\x80\x94 ok", "中继台 446.00625 \xe2\x80\x94 ok"},
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(visibleText(in), out) << out;
    // A message of several lines keeps its line breaks, and only those.
    EXPECT_EQ(visibleLines("a\x1b[2J\nb\r\n\n"), "a\\x1b[2J\nb\\x0d\n\n");
}
