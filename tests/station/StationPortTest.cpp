#include <gtest/gtest.h>

#include "core/Startup.h"
#include "station/StationPort.h"
#include "support/SimLine.h"

using namespace nv;

namespace {

// One port of the station on the fake clock, with the virtual radio on its cable.
struct Station {
    test::FakeClock clock;
    VirtualRadio radio;
    test::SimPort port{clock, radio};
    AppState base;
    StationJob job;
    std::vector<StationRadio> radios;
    std::vector<Image> backups;
    std::vector<StationPort::State> states;
    std::vector<std::string> portProblems;
    bool keepBackups = true;
    test::FakeTimers timers{clock, [this](TimerId id) { station->timerTick(id); }};
    std::unique_ptr<StationPort> station;  // goes before the timers it stops

    explicit Station(bool repeat = false) {
        initialiseGlobals(base);
        buildTables(base);
        buildDefaults(base);
        base.CommPortNumber = 1;
        job.image = base.RadioImage;
        for (int r = 0; r <= 48; ++r) job.image(r, 9) = 0x3C;
        job.repeat = repeat;
        radio.memory = VirtualRadio::plausibleMemory();
        StationPort::Events events;
        events.changed = [this](StationPort::State s, int) {
            if (states.empty() || states.back() != s) states.push_back(s);
        };
        events.backUp = [this](const std::string&, const Image& memory,
                               std::function<void(bool)> kept) {
            backups.push_back(memory);
            kept(keepBackups);
        };
        events.finished = [this](const StationRadio& r) { radios.push_back(r); };
        events.portProblem = [this](const StationWords& why) { portProblems.push_back(why.log); };
        station = std::make_unique<StationPort>(
            base, port, timers, [this] { return clock.now / 1000.0; }, job, events);
        port.onByteReceived = [this] { station->byteReceived(); };
    }
    void run(long long ms) { clock.runUntil(clock.now + ms); }
    bool holdsJob() const {
        for (int a = 0; a < 49 * 16; ++a)
            if (radio.memory[a] != job.image.byte(a / 16, a % 16)) return false;
        return true;
    }
};

}  // namespace

TEST(StationPort, BacksUpWritesAndVerifiesOneRadio) {
    Station s;
    const VirtualRadio::Memory before = s.radio.memory;
    s.station->start();
    s.run(20000);
    ASSERT_EQ(s.radios.size(), 1u);
    EXPECT_TRUE(s.radios[0].verified);
    EXPECT_EQ(s.radios[0].result, "verified");
    EXPECT_EQ(s.radios[0].identification.size(), 12u);
    ASSERT_EQ(s.backups.size(), 1u);
    for (int a = 0; a < 1024; ++a) ASSERT_EQ(s.backups[0].byte(a / 16, a % 16), before[a]);
    EXPECT_TRUE(s.holdsJob());
    EXPECT_EQ(s.states, (std::vector<StationPort::State>{
                            StationPort::State::Backup, StationPort::State::Write,
                            StationPort::State::Verify, StationPort::State::Ended}));
    EXPECT_EQ(s.port.sent.back().value, 0x45);
    EXPECT_FALSE(s.port.isOpen());
}

// A radio that cannot be read first, or whose memory cannot be kept, is never written. A port
// that will not open says why; a cable pulled while writing (at row 20) is a lost port.
TEST(StationPort, FailuresNameTheirCause) {
    struct Case {
        VirtualRadio::Fault fault;
        bool keepBackups;
        const char* result;
        int pulledAtRow = -1;  // 0: the port never opens
    };
    const std::string noPort = "No serial device stands behind COM1";
    for (const Case& c :
         {Case{VirtualRadio::Fault::Silent, true, "no answer (reading it first; not written)"},
          Case{VirtualRadio::Fault::None, false, "its memory could not be kept; not written"},
          Case{VirtualRadio::Fault::NoWriteAck, true, "verified"},
          Case{VirtualRadio::Fault::None, true, "port would not open: ", 0},
          Case{VirtualRadio::Fault::None, true, "port lost: ", 20}}) {
        Station s;
        s.radio.fault = c.fault;
        s.keepBackups = c.keepBackups;
        s.port.available = c.pulledAtRow != 0;
        s.station->start();
        if (c.pulledAtRow > 0) {
            while (s.radio.writesStored < c.pulledAtRow) s.run(5);
            s.port.available = false;
            s.port.lineCut = true;
        }
        s.run(30000);
        ASSERT_EQ(s.radios.size(), 1u);
        const std::string where = c.pulledAtRow ? " (writing)" : " (reading it first; not written)";
        EXPECT_EQ(s.radios[0].result, c.pulledAtRow < 0 ? c.result : c.result + noPort + where);
        EXPECT_EQ(s.radio.writesStored > 0,
                  c.fault == VirtualRadio::Fault::NoWriteAck || c.pulledAtRow > 0);
    }
}

// Repeat: a radio left in place sees only entry and end, and after a missed question one read;
// a removal and a new radio are each noticed within 3 s; each new radio is programmed once, even
// when it took the place of the last one within a second.
TEST(StationPort, RepeatProgramsEachNewRadioOnce) {
    Station s(true);
    s.port.available = false;  // a port that will not open says why, and is tried again
    s.station->start();
    s.run(3000);
    EXPECT_EQ(s.station->state(), StationPort::State::NoPort);
    s.port.available = true;
    s.run(20000);
    EXPECT_EQ(s.portProblems, (std::vector<std::string>{
                                  "port would not open: No serial device stands behind COM1", ""}));
    ASSERT_EQ(s.radios.size(), 1u);
    EXPECT_EQ(s.station->state(), StationPort::State::WaitGone);
    const int stored = s.radio.writesStored, sessions = s.radio.sessions;
    s.run(10000);  // left in place
    EXPECT_EQ(s.radio.sessions, sessions);
    s.port.lineCut = true;  // one question goes unanswered: the radio is still there
    s.run(StationPort::ProbeEveryMs + StationPort::ProbeAnswerMs);
    s.port.lineCut = false;
    s.run(10000);
    EXPECT_EQ(s.station->state(), StationPort::State::WaitGone);
    EXPECT_EQ(s.radio.writesStored, stored);
    EXPECT_EQ(s.radio.sessions, sessions + 1);
    EXPECT_EQ(s.radios.size(), 1u);

    s.port.lineCut = true;  // taken off the cable
    const long long removed = s.clock.now;
    while (s.station->state() == StationPort::State::WaitGone && s.clock.now < removed + 10000)
        s.run(10);
    EXPECT_EQ(s.station->state(), StationPort::State::WaitNext);
    EXPECT_LE(s.clock.now - removed, 3000);

    s.radio = VirtualRadio();  // the next radio
    s.port.lineCut = false;
    const long long plugged = s.clock.now;
    while (s.station->state() == StationPort::State::WaitNext && s.clock.now < plugged + 10000)
        s.run(10);
    EXPECT_LE(s.clock.now - plugged, 3000);
    s.run(20000);
    ASSERT_EQ(s.radios.size(), 2u);
    EXPECT_TRUE(s.radios[1].verified);
    EXPECT_TRUE(s.holdsJob());
    EXPECT_EQ(s.radio.writesStored, 49);

    s.port.lineCut = true;  // swapped for a third radio in 0.8 s
    s.run(800);
    s.radio = VirtualRadio();
    s.radio.memory = VirtualRadio::plausibleMemory();
    s.port.lineCut = false;
    s.run(30000);
    ASSERT_EQ(s.radios.size(), 3u);
    EXPECT_TRUE(s.radios[2].verified);
    ASSERT_EQ(s.backups.size(), 3u);
    for (int a = 0; a < 1024; ++a)
        ASSERT_EQ(s.backups[2].byte(a / 16, a % 16), VirtualRadio::plausibleMemory()[a]);
}

TEST(StationPort, StopEndsProgrammingModeWherever) {
    // In the backup read, in the write, and while waiting for the radio to go.
    for (long long after : {100LL, 400LL, 2500LL}) {
        Station s(true);
        s.station->start();
        s.run(after);
        ASSERT_TRUE(s.station->running());
        s.station->stop();
        EXPECT_EQ(s.station->state(), StationPort::State::Ended);
        EXPECT_EQ(s.port.sent.back().value, 0x45) << after;
        EXPECT_FALSE(s.port.isOpen());
        if (after < 1000) {  // a radio stopped part-way is told, with what it holds
            ASSERT_FALSE(s.radios.empty());
            EXPECT_EQ(s.radios.back().result.rfind("stopped ", 0), 0u) << s.radios.back().result;
        }
        const std::size_t sent = s.port.sent.size(), radios = s.radios.size();
        s.run(10000);
        EXPECT_EQ(s.port.sent.size(), sent);
        EXPECT_EQ(s.radios.size(), radios);
    }
}

// A write attempt that fails is tried again only on the radio that was backed up: a radio of
// the same model put on the cable meanwhile (same identification bytes) is backed up and
// programmed as a radio of its own; the first one's line says what it holds. A garbled check
// read is no other radio.
TEST(StationPort, AFailedWriteIsTriedAgainOnlyOnTheSameRadio) {
    for (bool swapped : {false, true}) {
        Station s;
        s.station->start();
        while (s.radio.writesStored < 20) s.run(5);
        VirtualRadio::Memory other = VirtualRadio::plausibleMemory();
        for (int a = 0; a < 1024; a += 16) other[a + 15] = 0x5A;
        if (swapped) {
            s.radio = VirtualRadio();
            s.radio.memory = other;
        } else {
            s.port.lineCut = true;  // a loose plug: the same radio is back a moment later
            s.run(1200);
            s.port.lineCut = false;
            s.radio.fault = VirtualRadio::Fault::FlipBit;  // and the first check read garbled
            s.radio.faultBlock = 5;
        }
        s.run(40000);
        ASSERT_EQ(s.radios.size(), swapped ? 2u : 1u) << swapped;
        EXPECT_TRUE(s.radios.back().verified);
        EXPECT_TRUE(s.holdsJob());
        ASSERT_EQ(s.backups.size(), swapped ? 2u : 1u);
        if (!swapped) continue;
        EXPECT_EQ(s.radios[0].result.rfind("replaced on the cable while writing (2", 0), 0u)
            << s.radios[0].result;
        for (int a = 0; a < 1024; ++a) ASSERT_EQ(s.backups[1].byte(a / 16, a % 16), other[a]);
    }
}
