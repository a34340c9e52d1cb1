// The adjustment link on a fake clock against the virtual radio: the exact traffic, what
// lands in the adjustment table and when, and the time-out and retry paths.

#include <gtest/gtest.h>

#include "adjust/AdjustData.h"
#include "adjust/AdjustLink.h"
#include "core/Startup.h"
#include "support/SimLine.h"

using namespace nv;
using test::SimLink;

namespace {
using Link = SimLink<AdjustLink>;

void startDefaults(Link& link) {
    initialiseGlobals(link.state);
    buildTables(link.state);
    buildDefaults(link.state);
}
std::vector<int> sentBytes(const Link& link) {
    std::vector<int> v;
    for (const auto& b : link.port.sent) v.push_back(b.value);
    return v;
}
std::vector<int> entry() {
    return std::vector<int>(AdjustModeSequence.begin(), AdjustModeSequence.end());
}
std::vector<int> tableRow(const AdjustTable& t, int r) {
    std::vector<int> v;
    for (int c = 0; c < 16; ++c) v.push_back(t(r, c));
    return v;
}
std::vector<int> areaRow(const VirtualRadio& radio, int r) {
    std::vector<int> v;
    for (int c = 0; c < 16; ++c) v.push_back(radio.adjustArea[r * 16 + c]);
    return v;
}
void expectRowsRead(const Link& link) {
    for (int r = 0; r < adj::ReadRows; ++r)
        EXPECT_EQ(tableRow(link.state.AdjustImage, r), areaRow(link.radio, r)) << "row " << r;
}
// Runs the clock in 1 ms steps until the condition holds (at most `limit` ms).
template <class F>
void runUntil(Link& link, F condition, int limit = 5000) {
    for (int i = 0; i < limit && !condition(); ++i) link.run(1);
    ASSERT_TRUE(condition());
}
}  // namespace

TEST(AdjustWrite, ElevenAcknowledgedBlocksWithTheMarkerInTheEighth) {
    Link link;
    startDefaults(link);
    link.state.AdjustImage(7, 0) = 0;  // the marker is stored again before the write
    link.state.AdjustImage(5, 3) = 0x99;
    link.state.AdjustImage(10, 15) = 0x42;
    const VirtualRadio::Memory memory = link.radio.memory;
    link.engine.writeButton();
    EXPECT_TRUE(link.engine.AdjWriting());
    EXPECT_FALSE(link.engine.AdjReading());
    link.run(5000);

    ASSERT_EQ(link.view.messages,
              std::vector<std::string>{"Complete writing optional parameters to the transceiver."});
    EXPECT_TRUE(link.view.doneTitles[0]);
    EXPECT_FALSE(link.engine.AdjWriting());
    EXPECT_FALSE(link.port.isOpen());
    EXPECT_LT(link.view.closedAt, 0);  // the window stays open

    std::vector<int> expected = entry();
    expected.push_back(0x06);
    for (int k = 0; k < 11; ++k) {
        for (int b : {0x57, 0x03, 0x40 + 16 * k, 0x10}) expected.push_back(b);
        for (int c = 0; c < 16; ++c) expected.push_back(link.state.AdjustImage(k, c));
    }
    expected.push_back(0x45);
    EXPECT_EQ(sentBytes(link), expected);
    EXPECT_EQ(tableRow(link.state.AdjustImage, 7),
              (std::vector<int>{'N', 'V', '7', '4', '2', 'A', 'D', 'J', 0, 0, 0, 0, 0, 0, 0, 0}));

    // Each block goes out 15 ms after the acknowledge of the one before (1 ms on the line).
    const auto& sent = link.port.sent;
    for (int k = 1; k < 11; ++k) {
        const std::size_t first = 9 + 20 * k;
        EXPECT_EQ(sent[first].at, sent[first - 1].at + 1 + 15) << k;
    }
    EXPECT_EQ(link.timers.waits, std::vector<int>{EndPauseMs});  // before the port closes

    for (int r = 0; r < adj::WrittenRows; ++r)
        EXPECT_EQ(areaRow(link.radio, r), tableRow(link.state.AdjustImage, r)) << r;
    EXPECT_EQ(link.radio.memory, memory);  // the configuration memory is another area
    EXPECT_TRUE(link.radio.ended);

    EXPECT_EQ(link.view.progress,
              (std::vector<int>{0, 18, 27, 36, 45, 54, 63, 72, 81, 90, 100, 100}));
    ASSERT_EQ(link.view.labels.size(), 12u);
    EXPECT_EQ(link.view.labels[0], "Connecting with transceiver. ");
    EXPECT_EQ(link.view.labels[1], "Writing  2  Data Block");
    EXPECT_EQ(link.view.labels[10], "Writing  11  Data Block");
    EXPECT_EQ(link.view.labels[11], "Complete writing optional parameters ");
}

TEST(AdjustRead, ThreeRequestsAndOnlyRowsZeroToSevenChangeAtTheEnd) {
    Link link;
    startDefaults(link);
    for (int r = 8; r < AdjustRows; ++r)
        for (int c = 0; c < 16; ++c) link.state.AdjustImage(r, c) = static_cast<Int16>(r);
    for (int r = 0; r < AdjustRows; ++r) link.state.AdjustImage(r, 16) = 3;
    link.state.ReplyTable(1, 5) = 0x33;  // the read window's replies stay as they are
    const AdjustTable before = link.state.AdjustImage;
    int shown = 0;
    link.engine.showTable = [&] { ++shown; };

    link.engine.readButton();
    EXPECT_TRUE(link.engine.AdjReading());
    runUntil(link, [&] { return link.engine.BlockCounter == 3; });
    EXPECT_EQ(link.state.AdjustImage, before);  // two replies in, nothing stored yet
    link.run(5000);

    ASSERT_EQ(link.view.messages,
              std::vector<std::string>{"Complete reading the data from transceiver."});
    EXPECT_TRUE(link.view.doneTitles[0]);
    EXPECT_EQ(shown, 1);
    expectRowsRead(link);
    for (int r = 8; r < AdjustRows; ++r)
        EXPECT_EQ(tableRow(link.state.AdjustImage, r), tableRow(before, r)) << r;
    for (int r = 0; r < AdjustRows; ++r) EXPECT_EQ(link.state.AdjustImage(r, 16), 3);
    EXPECT_EQ(link.state.ReplyTable(1, 5), 0x33);
    EXPECT_EQ(link.state.ReplyTable(2, 1), 0);
    EXPECT_FALSE(link.engine.AdjReading());
    EXPECT_FALSE(link.port.isOpen());

    std::vector<int> expected = entry();
    expected.push_back(0x06);
    for (int n = 0; n < 3; ++n)
        for (int b : {0x52, 0x03, 0x40 + 64 * n, 0x40, 0x06}) expected.push_back(b);
    expected.push_back(0x45);
    EXPECT_EQ(sentBytes(link), expected);

    // Each acknowledge leaves a short pause after its reply arrived (1 ms after the request).
    const auto& sent = link.port.sent;
    for (int n = 0; n < 3; ++n) {
        const std::size_t lastOfRequest = 9 + 5 * n + 3;
        EXPECT_EQ(sent[lastOfRequest + 1].at, sent[lastOfRequest].at + 1 + AckPauseMs) << n;
    }
    EXPECT_EQ(sent.back().at, sent[sent.size() - 2].at + EndPauseMs);
    EXPECT_EQ(link.timers.waits,
              (std::vector<int>{AckPauseMs, AckPauseMs, AckPauseMs, EndPauseMs, EndPauseMs}));

    EXPECT_EQ(link.view.progress, (std::vector<int>{0, 50, 75, 100}));
    EXPECT_EQ(link.view.labels, (std::vector<std::string>{
                                    "Connecting with transceiver. ", "Reading 2 Data Block",
                                    "Reading 3 Data Block", "Read optional parameters in gear. "}));
}

TEST(AdjustRead, AHeaderOnePlaceLaterIsDecodedFromTheRealBytes) {
    Link link;
    startDefaults(link);
    link.radio.fault = VirtualRadio::Fault::LateHeader;
    link.engine.readButton();
    link.run(5000);
    ASSERT_EQ(link.view.messages,
              std::vector<std::string>{"Complete reading the data from transceiver."});
    expectRowsRead(link);
    EXPECT_EQ(link.engine.AdjReplies[1].at(2), 0x58);
    EXPECT_EQ(link.engine.AdjReplies[1].dataStart(), 6);
    EXPECT_EQ(link.engine.AdjReplies[1].taken(), 69);  // one byte beyond the usual 68
    EXPECT_EQ(link.engine.AdjReplies[2].taken(), 70);
    EXPECT_EQ(link.entryTimes(AdjustModeSequence).size(), 1u);
}

TEST(AdjustRead, AReplyWithoutHeaderWhoseDataHoldXWaitsForTheTimeOut) {
    Link link;
    startDefaults(link);
    link.radio.fault = VirtualRadio::Fault::StopAfterBlock;  // the first request is not answered
    link.radio.faultBlock = 0;
    const AdjustTable before = link.state.AdjustImage;
    link.engine.readButton();
    runUntil(link, [&] { return link.engine.LinkState == 3 && link.engine.FrameSent; });
    // A reply in the configuration format: "R" header, the first data bytes happen to be "X".
    std::vector<std::uint8_t> reply = {0x52, 0x03, 0x40, 0x40, 0x58, 0x58};
    while (reply.size() < 68) reply.push_back(static_cast<std::uint8_t>(reply.size()));
    link.port.arrive(reply);
    EXPECT_EQ(link.engine.AdjReplies[1].taken(), 68);
    EXPECT_EQ(link.engine.LinkState, 3);  // the data would reach past the bytes received
    link.run(1100);
    EXPECT_EQ(link.state.AdjustImage, before);
    EXPECT_FALSE(link.engine.AdjReading());  // in the retry pause
    link.run(5000);
    EXPECT_EQ(link.entryTimes(AdjustModeSequence).size(), 2u);
    ASSERT_EQ(link.view.messages,
              std::vector<std::string>{"Complete reading the data from transceiver."});
    expectRowsRead(link);
}

TEST(AdjustRetries, SilentRadioGivesFourAttemptsThenTheFailureMessage) {
    Link link;
    startDefaults(link);
    link.radio.fault = VirtualRadio::Fault::Silent;
    const AdjustTable before = link.state.AdjustImage;
    link.engine.readButton();
    link.run(1016);
    EXPECT_FALSE(link.engine.AdjReading());  // the pause between attempts
    link.run(1000);
    EXPECT_TRUE(link.engine.AdjReading());
    link.run(20000);
    const auto entries = link.entryTimes(AdjustModeSequence);
    ASSERT_EQ(entries.size(), 4u);
    for (int i = 1; i < 4; ++i) EXPECT_EQ(entries[i] - entries[i - 1], 2015) << i;
    EXPECT_TRUE(link.entryTimes().empty());  // never the programming entry
    // The failure message, then what was seen of the radio (nothing at all).
    ASSERT_EQ(link.view.messages.size(), 1u);
    EXPECT_EQ(link.view.messages[0].rfind(
                  "Fail connect with transceiver.\nThe radio did not answer at all", 0),
              0u)
        << link.view.messages[0];
    EXPECT_FALSE(link.view.doneTitles[0]);
    EXPECT_EQ(link.view.labels.back(), "Communication fault.");
    EXPECT_EQ(link.view.progress.back(), 0);
    EXPECT_EQ(link.state.AdjustImage, before);
    EXPECT_FALSE(link.engine.AdjReading());
    EXPECT_FALSE(link.port.isOpen());
}

TEST(AdjustRetries, ReadDuringAWriteAbandonsItWithThreeFreshRetries) {
    Link link;
    startDefaults(link);
    link.engine.writeButton();
    link.run(100);
    ASSERT_TRUE(link.engine.DataPhase);
    ASSERT_TRUE(link.engine.AdjWriting());
    link.engine.RetriesLeft = 1;
    link.engine.readButton();
    EXPECT_EQ(link.engine.RetriesLeft, 3);
    EXPECT_FALSE(link.engine.DataPhase);
    EXPECT_FALSE(link.engine.AdjWriting());
    EXPECT_TRUE(link.engine.AdjReading());
    link.run(5000);
    EXPECT_EQ(link.entryTimes(AdjustModeSequence).size(), 2u);
    EXPECT_EQ(link.view.messages,
              std::vector<std::string>{"Complete reading the data from transceiver."});
    expectRowsRead(link);
}

TEST(AdjustRetries, APortThatWillNotOpenGivesThePortMessage) {
    for (bool chinese : {false, true}) {
        Link link(chinese);
        startDefaults(link);
        link.state.LanguageChinese = chinese;
        link.port.available = false;
        link.engine.readButton();
        ASSERT_EQ(link.view.messages.size(), 1u);
        EXPECT_EQ(link.view.messages[0],
                  chinese
                      ? "通讯端口打开错误，请正确设置通讯端口 ！\nCOM3 没有对应的串口设备。"
                      : "Communication Port Open Error ！\nNo serial device stands behind COM3.");
        EXPECT_TRUE(link.view.doneTitles[0]);  // "Operate Prompt"
        EXPECT_TRUE(link.state.PortOpenFailed);
        EXPECT_TRUE(link.view.labels.empty());
        EXPECT_FALSE(link.engine.AdjReading());
        link.run(5000);
        EXPECT_TRUE(link.port.sent.empty());  // no retry
        EXPECT_EQ(link.view.messages.size(), 1u);
    }
}

TEST(AdjustLink, ChineseTexts) {
    Link link(true);
    startDefaults(link);
    link.state.LanguageChinese = true;
    link.engine.writeButton();
    link.run(5000);
    link.engine.readButton();
    link.run(5000);
    EXPECT_EQ(link.view.messages,
              (std::vector<std::string>{"调整参数写入完毕 ！", "从对讲机中读取调整数据完毕 ！"}));
    EXPECT_EQ(link.view.labels[0], "正在与对讲机联络 ！");
    EXPECT_EQ(link.view.labels[1], "正在写入  2  数据块");
    EXPECT_EQ(link.view.labels[11], "调整参数写入完毕 ！");
    EXPECT_EQ(link.view.labels[13], "正在读取 2 数据块");
    EXPECT_EQ(link.view.labels.back(), "调整参数读出正常 ！");
}

TEST(AdjustReply, TakenOnlyWhenAllSixtyFourDataBytesAreThere) {
    auto feed = [](AdjustReply& r, std::vector<int> head, int total) {
        for (int i = 0; i < total; ++i)
            r.take(i < static_cast<int>(head.size()) ? head[i] : 100 + i);
    };
    AdjustReply r;
    r.reset(1);  // first reply: 68 bytes at positions 1 to 68
    feed(r, {0x58, 3, 0x40, 0x40}, 67);
    EXPECT_FALSE(r.complete());
    r.take(0);
    EXPECT_TRUE(r.complete());
    EXPECT_EQ(r.dataStart(), 5);

    r.reset(1);
    feed(r, {0x00, 0x58, 3, 0x40, 0x40}, 68);  // "X" one place later
    EXPECT_FALSE(r.complete());
    r.take(7);
    EXPECT_TRUE(r.complete());
    EXPECT_EQ(r.data(0), 105);
    EXPECT_EQ(r.data(63), 7);  // the byte that came last

    r.reset(1);
    feed(r, {0x52, 3, 0x40, 0x40}, 68);  // no "X": the data start at position 5
    EXPECT_TRUE(r.complete());
    EXPECT_EQ(r.dataStart(), 5);

    r.reset(1);
    feed(r, {0x52, 3, 0x40, 0x58, 0x58}, 68);  // "X" only at positions 4 and 5
    EXPECT_EQ(r.dataStart(), 8);
    EXPECT_FALSE(r.complete());
    feed(r, {}, 200);  // a flood of bytes never writes past the reply
    EXPECT_TRUE(r.complete());

    r.reset(0);  // later replies: 69 bytes at positions 0 to 68
    feed(r, {0x06, 0x58, 3, 0x80, 0x40}, 68);
    EXPECT_FALSE(r.complete());
    r.take(0);
    EXPECT_TRUE(r.complete());
    EXPECT_EQ(r.dataStart(), 5);
}
