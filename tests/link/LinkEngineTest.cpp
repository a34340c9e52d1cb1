#include <gtest/gtest.h>

#include "core/Defaults.h"
#include "core/Startup.h"
#include "link/LinkFailure.h"
#include "link/ReadLink.h"
#include "link/WriteLink.h"
#include "protocol/ReadReply.h"
#include "support/SimLine.h"

using namespace nv;
using test::SimLink;

namespace {
std::vector<int> values(const std::vector<test::LineByte>& bytes, std::size_t from,
                        std::size_t count) {
    std::vector<int> v;
    for (std::size_t i = from; i < from + count && i < bytes.size(); ++i)
        v.push_back(bytes[i].value);
    return v;
}
std::vector<int> entry() { return {0x02, 'P', 'N', 'V', '7', '4', '2', 0x03}; }

template <class E>
void startDefaults(SimLink<E>& link) {
    initialiseGlobals(link.state);
    buildTables(link.state);
    buildDefaults(link.state);
}
}  // namespace

TEST(ReadLink, ReadsTheWholeMemoryByteForByte) {
    SimLink<ReadLink> link;
    startDefaults(link);
    for (int r = 0; r < 131; ++r) link.state.RadioImage(r, 20) = 7;  // spare cells
    link.state.RadioImage(70, 3) = 9;
    link.engine.windowLoaded();
    link.engine.startButton();
    link.run(5000);

    ASSERT_EQ(link.view.messages,
              std::vector<std::string>{"Complete reading the data from transceiver."});
    EXPECT_TRUE(link.view.doneTitles[0]);
    EXPECT_TRUE(link.engine.TransferDone);
    EXPECT_FALSE(link.engine.Busy);
    EXPECT_FALSE(link.port.isOpen());
    for (int a = 0; a < 1024; ++a)
        ASSERT_EQ(link.state.RadioImage(a / 16, a % 16), link.radio.memory[a]) << "address " << a;
    for (int r = 0; r < 131; ++r) EXPECT_EQ(link.state.RadioImage(r, 20), 7);
    EXPECT_EQ(link.state.RadioImage(70, 3), 9);

    // What the host sent: entry, acknowledge, then request / acknowledge pairs, the end byte.
    const auto& sent = link.port.sent;
    EXPECT_EQ(values(sent, 0, 8), entry());
    EXPECT_EQ(values(sent, 8, 1), std::vector<int>{0x06});
    std::size_t i = 9;
    for (int n = 1; n <= 16; ++n) {
        const int address = (n - 1) * 64;
        EXPECT_EQ(values(sent, i, 5),
                  (std::vector<int>{0x52, address / 256, address % 256, 0x40, 0x06}))
            << n;
        i += 5;
    }
    EXPECT_EQ(values(sent, i, 1), std::vector<int>{0x45});
    EXPECT_EQ(sent.size(), i + 1);

    // The first reply lands at positions 1..68, later ones at 0..68, the data at 5..68.
    EXPECT_EQ(link.state.ReplyTable(1, 1), 0x58);
    EXPECT_EQ(link.state.ReplyTable(1, 0), 0);
    EXPECT_EQ(link.state.ReplyTable(2, 0), 0x06);
    EXPECT_EQ(link.state.ReplyTable(2, 1), 0x58);
    EXPECT_EQ(link.state.ReplyTable(2, 2), 0x00);
    EXPECT_EQ(link.state.ReplyTable(2, 3), 0x40);

    EXPECT_EQ(link.view.progress, (std::vector<int>{0, 11, 17, 23, 29, 35, 41, 47, 52, 58, 64, 70,
                                                    76, 82, 88, 94, 100}));
    ASSERT_EQ(link.view.labels.size(), 17u);
    EXPECT_EQ(link.view.labels[0], "Connecting with transceiver. ");
    EXPECT_EQ(link.view.labels[1], "Reading 2 Data Block");
    EXPECT_EQ(link.view.labels[15], "Reading 16 Data Block");
    EXPECT_EQ(link.view.labels[16], "Read Data in gear. ");
    EXPECT_GE(link.view.closedAt, 0);  // Timer4 of the window closes it
}

TEST(ReadLink, ChineseTexts) {
    SimLink<ReadLink> link(true);
    startDefaults(link);
    link.state.LanguageChinese = true;
    link.engine.startButton();
    link.run(5000);
    EXPECT_EQ(link.view.labels[0], "正在与对讲机联络 ！");
    EXPECT_EQ(link.view.labels[1], "正在读取 2 数据块");
    EXPECT_EQ(link.view.labels.back(), "数据读出正常 ！");
    EXPECT_EQ(link.view.messages, std::vector<std::string>{"从对讲机中读取数据完毕 ！"});
}

TEST(ReadLink, LabelsKeepTheWindowsLanguageWhileMessagesFollowTheSwitch) {
    SimLink<ReadLink> link(false);
    startDefaults(link);
    link.state.LanguageChinese = true;  // switched after the window opened
    link.engine.startButton();
    link.run(5000);
    EXPECT_EQ(link.view.labels[1], "Reading 2 Data Block");
    EXPECT_EQ(link.view.messages, std::vector<std::string>{"从对讲机中读取数据完毕 ！"});
}

TEST(ReadLink, RadioStoppingAfterBlockNineRestartsFromRequestOne) {
    SimLink<ReadLink> link;
    startDefaults(link);
    link.radio.fault = VirtualRadio::Fault::StopAfterBlock;
    link.radio.faultBlock = 9;
    const Image before = link.state.RadioImage;
    link.engine.startButton();
    link.run(1500);  // the tenth request has gone unanswered
    EXPECT_EQ(link.state.RadioImage, before);
    EXPECT_EQ(link.engine.RetriesLeft, 3);
    link.run(10000);
    const auto entries = link.entryTimes();
    ASSERT_EQ(entries.size(), 2u);
    // One time-out of 1000 ms after the unanswered request and one pause of 1000 ms.
    long long tenthRequest = 0;
    int requests = 0;
    for (const auto& b : link.port.sent)
        if (b.value == 0x52 && ++requests == 10) tenthRequest = b.at;
    EXPECT_EQ(entries[1], tenthRequest + 1000 + 1000 + 15);
    EXPECT_EQ(link.view.messages,
              std::vector<std::string>{"Complete reading the data from transceiver."});
    for (int a = 0; a < 1024; ++a)
        ASSERT_EQ(link.state.RadioImage(a / 16, a % 16), link.radio.memory[a]);
    EXPECT_EQ(link.port.opens, 2);
}

namespace {
void expectMemoryRead(const SimLink<ReadLink>& link) {
    for (int a = 0; a < 1024; ++a)
        ASSERT_EQ(link.state.RadioImage(a / 16, a % 16), link.radio.memory[a]) << "address " << a;
}
// A radio whose memory differs from byte to byte, so that a shifted block shows.
void countingMemory(SimLink<ReadLink>& link) {
    for (int a = 0; a < 1024; ++a) link.radio.memory[a] = static_cast<std::uint8_t>(a * 7 + 1);
}
}  // namespace

TEST(ReadLink, AByteBeforeAHeaderLeavesTheDataWhereTheyBelong) {
    for (auto fault : {VirtualRadio::Fault::ExtraLeadingByte, VirtualRadio::Fault::StrayByte}) {
        SimLink<ReadLink> link;
        startDefaults(link);
        countingMemory(link);
        link.radio.fault = fault;
        link.radio.faultBlock = 5;
        link.engine.startButton();
        link.run(5000);
        ASSERT_EQ(link.view.messages,
                  std::vector<std::string>{"Complete reading the data from transceiver."});
        expectMemoryRead(link);
        EXPECT_EQ(link.entryTimes().size(), 1u);  // taken at once, one place later
    }
}

TEST(ReadLink, AHeaderNamingAnotherAddressIsNoReplyAndTheReadStartsAgain) {
    SimLink<ReadLink> link;
    startDefaults(link);
    countingMemory(link);
    const Image before = link.state.RadioImage;
    link.radio.fault = VirtualRadio::Fault::WrongAddress;
    link.radio.faultBlock = 5;
    link.engine.startButton();
    link.run(1200);  // the fifth reply came and was refused: neither acknowledged nor stored
    EXPECT_EQ(link.engine.BlockCounter, 5);
    EXPECT_EQ(link.state.RadioImage, before);
    int acks = 0;
    for (const auto& b : link.port.sent) acks += b.value == 0x06;
    EXPECT_EQ(acks, 1 + 4);  // the handshake and the four good replies
    link.run(10000);
    EXPECT_EQ(link.entryTimes().size(), 2u);
    ASSERT_EQ(link.view.messages,
              std::vector<std::string>{"Complete reading the data from transceiver."});
    expectMemoryRead(link);
}

TEST(ReadLink, GarbledAnswersInEveryAttemptFailWithWhereAndWhatToCheck) {
    for (bool chinese : {false, true}) {
        SimLink<ReadLink> link(chinese);
        startDefaults(link);
        link.state.LanguageChinese = chinese;
        const Image before = link.state.RadioImage;
        link.radio.fault = VirtualRadio::Fault::WrongAddress;
        link.radio.faultBlock = 7;
        link.radio.faultEverySession = true;
        link.engine.startButton();
        link.run(30000);
        EXPECT_EQ(link.entryTimes().size(), 4u);
        ASSERT_EQ(link.view.messages.size(), 1u);
        EXPECT_EQ(link.view.messages[0],
                  chinese ? "与对讲机联络失败 ！\n"
                            "对讲机的应答数据错乱（第 7 / 16 个数据块）：请检查编程线是否插牢、"
                            "有无破损，并让它远离干扰源，然后重试。"
                          : "Fail connect with transceiver.\n"
                            "The radio's answers were garbled (at block 7 of 16): check that the "
                            "cable is plugged in firmly, is not damaged and lies away from sources "
                            "of interference, then try again.");
        EXPECT_EQ(link.state.RadioImage, before);
    }
}

TEST(ReadLink, TwoStrayBytesOrAReplyInTheOldLayoutAreRefused) {
    for (std::vector<std::uint8_t> head : {std::vector<std::uint8_t>{0x11, 0x22, 0x58, 0, 0, 0x40},
                                           std::vector<std::uint8_t>{0x52, 0, 0, 0x40},
                                           std::vector<std::uint8_t>{0x58, 0, 0, 0x10}}) {
        SimLink<ReadLink> link;
        startDefaults(link);
        link.radio.fault = VirtualRadio::Fault::StopAfterBlock;  // the first request goes unanswered
        link.radio.faultBlock = 0;
        link.engine.startButton();
        while (!(link.engine.LinkState == 3 && link.engine.FrameSent)) link.run(1);
        std::vector<std::uint8_t> reply = head;
        while (reply.size() < 70) reply.push_back(static_cast<std::uint8_t>(reply.size()));
        link.port.arrive(reply);
        EXPECT_EQ(link.engine.LinkState, 3);
        EXPECT_EQ(link.port.sent.back().value, 0x40);  // not acknowledged
        link.run(10000);
        EXPECT_EQ(link.entryTimes().size(), 2u);
        ASSERT_EQ(link.view.messages,
                  std::vector<std::string>{"Complete reading the data from transceiver."});
        expectMemoryRead(link);
    }
}

TEST(ReadReply, TheHeaderMustNameTheRequestAtItsPlaceOrOneLater) {
    auto feed = [](ReadReply& r, std::vector<int> head, int total) {
        for (int i = 0; i < total; ++i)
            r.take(i < static_cast<int>(head.size()) ? head[i] : 100 + i % 100);
    };
    ReadReply r;
    r.reset(0, 0x0140);  // a later reply: the radio's acknowledge leads
    feed(r, {0x06, 0x58, 0x01, 0x40, 0x40}, 68);
    EXPECT_TRUE(r.waitsForMore());
    r.take(1);
    EXPECT_TRUE(r.complete());
    EXPECT_EQ(r.dataStart(), 5);

    r.reset(1, 0);  // the first reply, one stray byte ahead
    feed(r, {0xFF, 0x58, 0x00, 0x00, 0x40}, 68);
    EXPECT_FALSE(r.complete());
    EXPECT_FALSE(r.garbled());
    r.take(1);
    EXPECT_TRUE(r.complete());
    EXPECT_EQ(r.dataStart(), 6);

    r.reset(1, 0x0380);
    feed(r, {0x58, 0x03, 0xC0, 0x40}, 5);  // the next block's address
    EXPECT_TRUE(r.garbled());
    EXPECT_FALSE(r.waitsForMore());
    EXPECT_FALSE(r.complete());

    r.reset(1, 0);
    feed(r, {0x58, 0x00, 0x00, 0x40}, 4);  // a header alone is not yet a reply
    EXPECT_FALSE(r.garbled());
    EXPECT_TRUE(r.waitsForMore());

    // Without an address (the adjustment read) the first "X" up to position 5 counts.
    r.reset(1);
    feed(r, {0x52, 3, 0x40, 0x58}, 71);
    EXPECT_EQ(r.dataStart(), 8);
    EXPECT_FALSE(r.garbled());
}

TEST(LinkRetries, SilentRadioGivesFourAttemptsTwoSecondsApart) {
    SimLink<ReadLink> link;
    startDefaults(link);
    link.radio.fault = VirtualRadio::Fault::Silent;
    const Image before = link.state.RadioImage;
    link.engine.startButton();
    link.run(20000);
    const auto entries = link.entryTimes();
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[0], 15);
    for (int i = 1; i < 4; ++i) EXPECT_EQ(entries[i] - entries[i - 1], 2015) << i;
    EXPECT_EQ(link.view.messages,
              std::vector<std::string>{
                  "Fail connect with transceiver.\n"
                  "The radio did not answer at all: check that the radio is switched on, the "
                  "cable is plugged in firmly and the right port is chosen: COM3 is "
                  "/dev/ttyUSB7."});
    EXPECT_FALSE(link.view.doneTitles[0]);
    EXPECT_EQ(link.view.labels.back(), "Communication fault.");
    EXPECT_EQ(link.view.progress.back(), 0);
    EXPECT_EQ(link.port.opens, 4);
    EXPECT_EQ(link.port.closes, 4);
    EXPECT_FALSE(link.engine.Busy);
    EXPECT_EQ(link.state.RadioImage, before);
    EXPECT_LT(link.view.closedAt, 0);  // the window stays open
    EXPECT_TRUE(link.clock.idle() || link.port.sent.size() == 32u);
}

TEST(LinkRetries, WrongIdentificationIsIgnoredAndTimesOut) {
    SimLink<ReadLink> link;
    startDefaults(link);
    link.radio.fault = VirtualRadio::Fault::WrongIdent;
    link.engine.startButton();
    link.run(1000);
    EXPECT_EQ(link.engine.LinkState, 0);
    link.run(20000);
    EXPECT_EQ(link.entryTimes().size(), 4u);
    EXPECT_EQ(link.view.messages,
              std::vector<std::string>{
                  "Fail connect with transceiver.\n"
                  "An answer came, but not this radio's identification: check that the cable "
                  "leads to an NV-742 radio and that COM3 (/dev/ttyUSB7) is that cable."});
    for (const auto& b : link.port.sent) EXPECT_NE(b.value, 0x06);  // never acknowledged
}

TEST(LinkFailure, ARadioThatStopsPartWaySaysWhereItStopped) {
    SimLink<ReadLink> link;
    startDefaults(link);
    link.engine.startButton();
    while (link.engine.BlockCounter < 10) link.run(1);  // nine replies have arrived
    link.port.lineCut = true;                           // and then the radio goes quiet
    link.run(20000);
    ASSERT_EQ(link.view.messages.size(), 1u);
    EXPECT_EQ(link.view.messages[0],
              "Fail connect with transceiver.\n"
              "The radio answered, then stopped part-way (after 9 of 16 blocks): check that the "
              "cable is plugged in firmly and the radio's battery is charged, then try again.");

    SimLink<WriteLink> write(true);
    startDefaults(write);
    write.state.LanguageChinese = true;
    write.port.deviceName.clear();
    write.engine.startButton();
    while (write.engine.LinkState != 1) write.run(1);  // identified, the acknowledge is pending
    write.port.lineCut = true;
    write.run(20000);
    ASSERT_EQ(write.view.messages.size(), 1u);
    EXPECT_EQ(
        write.view.messages[0],
        "与对讲机联络失败 ！\n"
        "对讲机有应答，但中途停止了（联络过程中）：请检查编程线是否插牢、对讲机电池电量是否充足，"
        "然后重试。");
}

TEST(LinkFailure, LinesInBothLanguages) {
    LinkObservation none;
    EXPECT_EQ(describeLinkFailure(none, 2, true),
              "对讲机完全没有应答：请检查对讲机是否已开机、编程线是否插牢、端口是否选对：COM2。");
    none.device = "/dev/ttyUSB0";
    EXPECT_EQ(describeLinkFailure(none, 2, true),
              "对讲机完全没有应答：请检查对讲机是否已开机、编程线是否插牢、端口是否选对：COM2 对应 "
              "/dev/ttyUSB0。");
    EXPECT_EQ(describeLinkFailure({LinkObservation::NotIdentification, false, 0, 0, "", ""}, 5, false),
              "An answer came, but not this radio's identification: check that the cable leads to "
              "an NV-742 radio and that COM5 is that cable.");
    EXPECT_EQ(describeLinkFailure({LinkObservation::NotIdentification, false, 0, 0, "/dev/pts/4", ""},
                                  5, true),
              "收到了应答，但不是本对讲机的识别码：请检查编程线连接的是否为 NV-742 对讲机，以及 "
              "COM5（/dev/pts/4）是否就是这条编程线。");
    EXPECT_EQ(describeLinkFailure({LinkObservation::Garbled, true, 2, 16, "", ""}, 1, false),
              "The radio's answers were garbled (at block 3 of 16): check that the cable is plugged "
              "in firmly, is not damaged and lies away from sources of interference, then try "
              "again.");
    // A garbled answer tells more than a radio that went quiet later on.
    EXPECT_EQ(LinkObservation::mostTelling({LinkObservation::Garbled, true, 2, 16, "", ""},
                                           {LinkObservation::StoppedPartWay, true, 9, 16, "", ""})
                  .kind,
              LinkObservation::Garbled);
    EXPECT_EQ(describeLinkFailure({LinkObservation::StoppedPartWay, true, 30, 49, "", ""}, 1, true),
              "对讲机有应答，但中途停止了（已完成 30 / 49 个数据块）：请检查编程线是否插牢、"
              "对讲机电池电量是否充足，然后重试。");
    // Over the attempts of one transfer, the furthest the radio got is what is told.
    const LinkObservation early{LinkObservation::StoppedPartWay, true, 3, 16, "", ""};
    const LinkObservation late{LinkObservation::StoppedPartWay, true, 9, 16, "", ""};
    EXPECT_EQ(LinkObservation::mostTelling(late, none).blocksDone, 9);
    EXPECT_EQ(LinkObservation::mostTelling(early, late).blocksDone, 9);
    EXPECT_EQ(
        LinkObservation::mostTelling(none, {LinkObservation::NotIdentification, false, 0, 0, "", ""})
            .kind,
        LinkObservation::NotIdentification);
}

TEST(LinkRetries, NoiseBeforeTheIdentificationIsFoundInTheSearch) {
    SimLink<ReadLink> link;
    startDefaults(link);
    link.radio.fault = VirtualRadio::Fault::Garbage;  // three bytes before 0xAA
    link.engine.startButton();
    link.run(3000);
    // The first eight bytes hold 0xAA at 3 but not 0xBB at 10: no match, so a time-out.
    EXPECT_EQ(link.engine.LinkState, 0);
}

TEST(LinkRetries, StartDuringATransferRestartsWithFreshRetries) {
    SimLink<WriteLink> link;
    startDefaults(link);
    link.engine.startButton();
    link.run(200);
    EXPECT_TRUE(link.engine.DataPhase);
    link.engine.RetriesLeft = 1;
    link.engine.startButton();
    EXPECT_EQ(link.engine.RetriesLeft, 3);
    EXPECT_FALSE(link.engine.DataPhase);
    link.run(10000);
    EXPECT_EQ(link.entryTimes().size(), 2u);
    EXPECT_EQ(link.view.messages,
              std::vector<std::string>{"Complete writing Data to the transceiver."});
}

TEST(LinkPort, AFailedOpenShowsThePortMessageWithItsReason) {
    SimLink<ReadLink> link;
    startDefaults(link);
    link.port.available = false;
    link.engine.startButton();
    ASSERT_EQ(link.view.messages.size(), 1u);
    EXPECT_EQ(link.view.messages[0],
              "Communication port is error, please setting right communication port . ！\n"
              "No serial device stands behind COM3.");
    EXPECT_TRUE(link.state.PortOpenFailed);
    EXPECT_TRUE(link.view.labels.empty());
    EXPECT_FALSE(link.engine.Busy);
    link.run(5000);
    EXPECT_TRUE(link.port.sent.empty());

    link.state.LanguageChinese = true;
    link.engine.startButton();
    EXPECT_EQ(link.view.messages[1],
              "通讯端口打开错误，请正确设置通讯端口 ！\nCOM3 没有对应的串口设备。");
}

TEST(LinkPort, ProblemsNameTheDeviceAndWhatToDo) {
    EXPECT_EQ(
        describePortProblem({PortProblem::PermissionDenied, "/dev/ttyUSB0", "dialout"}, 2, false),
        "/dev/ttyUSB0: permission denied; the user must be in the group that owns the device "
        "(dialout).");
    EXPECT_EQ(describePortProblem({PortProblem::Busy, "/dev/ttyUSB0", ""}, 2, false),
              "/dev/ttyUSB0: the device is busy; another program holds it.");
}

TEST(LinkCancel, CancelWhileBusyWarnsAndTheTransferGoesOn) {
    SimLink<ReadLink> link;
    startDefaults(link);
    link.engine.startButton();
    link.run(100);
    EXPECT_FALSE(link.engine.cancelButton());
    EXPECT_EQ(link.view.messages,
              std::vector<std::string>{"Read-write operating，don't close the window. ,"});
    link.run(5000);
    EXPECT_EQ(link.view.messages.back(), "Complete reading the data from transceiver.");
    EXPECT_TRUE(link.engine.cancelButton());
}

TEST(WriteLink, WritesRowsZeroTo48AndNothingAbove) {
    SimLink<WriteLink> link;
    startDefaults(link);
    for (int c = 0; c < 16; ++c) {
        link.state.RadioImage(49, c) = 0x41;  // second half of the message: never sent
        link.state.RadioImage(60, c) = 0x42;
    }
    const auto radioBefore = link.radio.memory;
    const Image imageBefore = link.state.RadioImage;
    link.engine.startButton();
    link.run(10000);

    EXPECT_EQ(link.view.messages,
              std::vector<std::string>{"Complete writing Data to the transceiver."});
    EXPECT_TRUE(link.view.doneTitles[0]);
    EXPECT_EQ(link.state.RadioImage, imageBefore);
    for (int a = 0; a < 49 * 16; ++a)
        ASSERT_EQ(link.radio.memory[a], link.state.RadioImage(a / 16, a % 16)) << a;
    for (int a = 49 * 16; a < 1024; ++a) ASSERT_EQ(link.radio.memory[a], radioBefore[a]) << a;

    const auto& sent = link.port.sent;
    EXPECT_EQ(values(sent, 0, 9),
              (std::vector<int>{0x02, 'P', 'N', 'V', '7', '4', '2', 0x03, 0x06}));
    ASSERT_EQ(sent.size(), 9u + 49 * 20 + 1);
    for (int r = 0; r <= 48; ++r) {
        const std::size_t at = 9 + static_cast<std::size_t>(r) * 20;
        EXPECT_EQ(values(sent, at, 4), (std::vector<int>{0x57, r / 16, (r % 16) * 16, 0x10})) << r;
        for (int c = 0; c < 16; ++c) EXPECT_EQ(sent[at + 4 + c].value, link.state.RadioImage(r, c));
    }
    EXPECT_EQ(sent.back().value, 0x45);
    for (int address : link.radio.writeAddresses) EXPECT_LT(address, 0x310);

    std::vector<int> progress{0};
    for (int n = 1; n <= 48; ++n) progress.push_back(n * 100 / 48);
    EXPECT_EQ(link.view.progress, progress);
    EXPECT_EQ(link.view.labels[1], "Writing  0  Data Block");
    EXPECT_EQ(link.view.labels[48], "Writing  47  Data Block");
    EXPECT_EQ(link.view.labels.back(), "Complete writing Data ");
    EXPECT_FALSE(link.port.isOpen());
}

TEST(WriteLink, TheWindowClosesHalfASecondAfterCompletion) {
    SimLink<WriteLink> link;
    startDefaults(link);
    link.engine.startButton();
    long long endAt = -1;
    while (endAt < 0 && link.clock.now < 10000) {
        link.run(1);
        if (!link.port.sent.empty() && link.port.sent.back().value == 0x45 &&
            link.engine.TransferDone)
            endAt = link.port.sent.back().at;
    }
    link.run(2000);
    EXPECT_EQ(link.view.closedAt, endAt + 500);
}

TEST(WriteLink, AnAcknowledgeBeforeTheFrameIsSentIsDropped) {
    SimLink<WriteLink> link;
    startDefaults(link);
    link.engine.startButton();
    // Run until row 3 has been queued but not yet sent.
    while (!(link.engine.BlockCounter == 4 && !link.engine.FrameSent)) link.run(1);
    link.port.arrive({0x06});
    EXPECT_EQ(link.engine.BlockCounter, 4);
    link.run(10000);
    EXPECT_EQ(link.view.messages,
              std::vector<std::string>{"Complete writing Data to the transceiver."});
    EXPECT_EQ(link.radio.writesStored, 49);
}

TEST(WriteLink, ARestartAfterATimeOutSendsFromRowZero) {
    SimLink<WriteLink> link;
    startDefaults(link);
    link.radio.fault = VirtualRadio::Fault::NoWriteAck;
    link.radio.faultBlock = 6;
    link.engine.startButton();
    link.run(15000);
    EXPECT_EQ(link.entryTimes().size(), 2u);
    const auto& w = link.radio.writeAddresses;
    ASSERT_EQ(w.size(), 5u + 49u);
    EXPECT_EQ(w[4], 0x40);
    EXPECT_EQ(w[5], 0x00);  // the second session starts again at row 0
    EXPECT_EQ(link.view.messages,
              std::vector<std::string>{"Complete writing Data to the transceiver."});
}

TEST(WriteLink, AWrongAcknowledgeIsDroppedAndEndsInATimeOut) {
    SimLink<WriteLink> link;
    startDefaults(link);
    link.radio.fault = VirtualRadio::Fault::WrongWriteAck;
    link.radio.faultBlock = 2;
    link.engine.startButton();
    link.run(15000);
    EXPECT_EQ(link.entryTimes().size(), 2u);
    EXPECT_EQ(link.view.messages,
              std::vector<std::string>{"Complete writing Data to the transceiver."});
}

// Stopping a transfer: wherever it stands, the radio gets the end byte as the last byte, the
// port closes, nothing follows, and no message is shown.
TEST(LinkStop, EndsProgrammingModeBetweenFramesWherever) {
    struct Case {
        const char* where;
        VirtualRadio::Fault fault;
        long long after;  // ms from the start button
        int blocksDone;
    };
    for (const Case& c : {Case{"handshake", VirtualRadio::Fault::Silent, 500, 0},
                          Case{"retry pause", VirtualRadio::Fault::Silent, 1500, 0},
                          Case{"data phase", VirtualRadio::Fault::None, 200, -1}}) {
        SimLink<WriteLink> link;
        startDefaults(link);
        link.radio.fault = c.fault;
        link.engine.startButton();
        link.run(c.after);
        ASSERT_TRUE(link.engine.running()) << c.where;
        const int done = link.engine.blocksDone();
        link.engine.stop();
        EXPECT_FALSE(link.engine.running()) << c.where;
        EXPECT_FALSE(link.port.isOpen()) << c.where;
        ASSERT_FALSE(link.port.sent.empty());
        EXPECT_EQ(link.port.sent.back().value, 0x45) << c.where;
        const std::size_t sent = link.port.sent.size();
        link.run(5000);
        EXPECT_EQ(link.port.sent.size(), sent) << c.where;
        EXPECT_TRUE(link.view.messages.empty()) << c.where;
        if (c.blocksDone >= 0) {
            EXPECT_EQ(done, c.blocksDone) << c.where;
        }
        if (c.fault == VirtualRadio::Fault::None) {
            EXPECT_GT(done, 0);
            EXPECT_EQ(link.radio.writesStored, done);
            EXPECT_TRUE(link.radio.ended);
        }
    }
}

// A write sends the image as it was at the start button, the retries after a time-out too.
TEST(WriteLink, SendsTheImageAsItWasWhenStarted) {
    SimLink<WriteLink> link;
    startDefaults(link);
    link.radio.fault = VirtualRadio::Fault::NoWriteAck;
    link.radio.faultBlock = 30;  // one time-out half-way: the retry sends every row again
    for (int r = 0; r <= 48; ++r) link.state.RadioImage(r, 7) = 0x33;
    const Image started = link.state.RadioImage;
    link.engine.startButton();
    link.run(200);
    for (int r = 0; r <= 48; ++r) link.state.RadioImage(r, 7) = 0x44;  // edits meanwhile
    link.run(10000);
    ASSERT_EQ(link.view.messages.size(), 1u);
    EXPECT_EQ(link.radio.sessions, 2);
    for (int a = 0; a < 49 * 16; ++a)
        ASSERT_EQ(link.radio.memory[a], started.byte(a / 16, a % 16)) << "address " << a;
    EXPECT_EQ(link.engine.sentImage(), started);
}
