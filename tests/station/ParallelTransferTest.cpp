// Several radios written at once, each on its own link, against in-process virtual radios.

#include <QElapsedTimer>
#include <QtTest>
#include <deque>

#include "core/Startup.h"
#include "link/LinkEngine.h"
#include "station/ParallelTransfer.h"
#include "link/VirtualRadioPort.h"

using namespace nv;

namespace {

// Changes the first data byte of the write request for one row on its way to the radio, as a
// radio with a bad memory cell would store it.
class CorruptingPort : public SerialPort {
  public:
    CorruptingPort(std::unique_ptr<SerialPort> inner, int row)
        : inner_(std::move(inner)), row_(row) {
        inner_->onByteReceived = [this] {
            if (onByteReceived) onByteReceived();
        };
    }
    bool open(int port, PortProblem& problem) override { return inner_->open(port, problem); }
    bool isOpen() const override { return inner_->isOpen(); }
    int bytesWaiting() const override { return inner_->bytesWaiting(); }
    int readByte() override { return inner_->readByte(); }
    void writeByte(std::uint8_t byte) override {
        const bool dataOfRow = last_.size() == 4 && last_[0] == WriteCommand &&
                               last_[1] == row_ / 16 && last_[2] == (row_ % 16) * 16 &&
                               last_[3] == 0x10;
        last_.push_back(byte);
        if (last_.size() > 4) last_.pop_front();
        inner_->writeByte(dataOfRow ? byte ^ 0x01 : byte);
    }
    void discardInput() override { inner_->discardInput(); }
    void discardOutput() override { inner_->discardOutput(); }
    void close() override { inner_->close(); }

  private:
    std::unique_ptr<SerialPort> inner_;
    int row_;
    std::deque<int> last_;
};

AppState started() {
    AppState s;
    initialiseGlobals(s);
    buildTables(s);
    buildDefaults(s);
    s.CommPortNumber = 1;
    return s;
}

}  // namespace

class ParallelTransferTest : public QObject {
    Q_OBJECT

    std::vector<std::shared_ptr<VirtualRadioLine>> lines;
    std::vector<RadioJob> jobs;

    void addJob(const AppState& s, bool readBack = false) {
        lines.push_back(std::make_shared<VirtualRadioLine>());
        RadioJob job;
        job.name = "radio " + std::to_string(lines.size());
        job.port = std::make_unique<VirtualRadioPort>(lines.back());
        job.state = s;
        job.readBack = readBack;
        jobs.push_back(std::move(job));
    }
    static bool holdsRows0To48(const VirtualRadio& radio, const Image& im) {
        for (int a = 0; a < 49 * 16; ++a)
            if (radio.memory[a] != im.byte(a / 16, a % 16)) return false;
        return true;
    }

  private slots:
    void cleanup() {
        jobs.clear();
        lines.clear();
    }

    void everyRadioGetsItsImageAndReadsBackWhenAsked() {
        AppState s = started();
        for (int k = 0; k < 3; ++k) {
            s.RadioImage(2, 3) = static_cast<Int16>(0x40 + k);  // each radio its own image
            addJob(s, k == 1);
        }
        const VirtualRadio::Memory before = lines[0]->radio.memory;
        const auto results = writeRadios(jobs);
        QCOMPARE(results.size(), 3u);
        for (std::size_t k = 0; k < 3; ++k) {
            QVERIFY(results[k].written);
            QCOMPARE(results[k].message, std::string("Complete writing Data to the transceiver."));
            QVERIFY(holdsRows0To48(lines[k]->radio, jobs[k].state.RadioImage));
            QCOMPARE(int(lines[k]->radio.memory[2 * 16 + 3]), 0x40 + int(k));
            QCOMPARE(lines[k]->radio.memory[50 * 16], before[50 * 16]);  // above row 48: never
            QVERIFY(!lines[k]->inUse);                                   // every port closed again
        }
        QVERIFY(!results[0].readBackDone);
        QVERIFY(results[1].readBackDone);
        for (int a = 0; a < 1024; ++a)
            QCOMPARE(int(results[1].readBack.byte(a / 16, a % 16)), int(lines[1]->radio.memory[a]));
    }

    void eachLinkRetriesOnItsOwn() {
        AppState s = started();
        for (int k = 0; k < 3; ++k) addJob(s);
        lines[1]->radio.fault = VirtualRadio::Fault::NoWriteAck;  // one missing acknowledge
        lines[1]->radio.faultBlock = 5;
        const auto results = writeRadios(jobs);
        for (const auto& r : results) QVERIFY(r.written);
        QCOMPARE(lines[1]->radio.sessions, 2);  // a time-out, a pause and a second attempt
        QCOMPARE(lines[0]->radio.sessions, 1);
        QVERIFY(results[1].seconds > results[0].seconds + 1.5);
        QVERIFY(results[2].seconds < results[1].seconds - 1.5);  // nobody waited for it
    }

    void aPortThatWillNotOpenFailsAloneAndAtOnce() {
        AppState s = started();
        for (int k = 0; k < 2; ++k) addJob(s);
        lines[0]->inUse = true;  // held by someone else
        QElapsedTimer clock;
        clock.start();
        const auto results = writeRadios(jobs);
        QVERIFY(!results[0].written);
        QVERIFY(results[0].message.find("Communication port is error") == 0);
        QVERIFY(results[0].seconds < 0.5);
        QVERIFY(results[1].written);
        QCOMPARE(lines[0]->radio.sessions, 0);
    }

    void aRadioThatStoresOtherBytesIsSeenOnReadBack() {
        AppState s = started();
        addJob(s, true);
        jobs[0].port = std::make_unique<CorruptingPort>(std::move(jobs[0].port), 7);
        const auto results = writeRadios(jobs);
        QVERIFY(results[0].written);
        QVERIFY(results[0].readBackDone);
        QCOMPARE(int(results[0].readBack.byte(7, 0)), s.RadioImage.byte(7, 0) ^ 0x01);
        QCOMPARE(int(results[0].readBack.byte(7, 1)), s.RadioImage.byte(7, 1));
    }

    void fourRadiosTakeAboutAsLongAsOne() {
        AppState s = started();
        addJob(s);
        const double one = writeRadios(jobs)[0].seconds;
        cleanup();
        for (int k = 0; k < 4; ++k) addJob(s);
        QElapsedTimer clock;
        clock.start();
        const auto results = writeRadios(jobs);
        const double four = static_cast<double>(clock.nsecsElapsed()) / 1e9;
        for (const auto& r : results) QVERIFY(r.written);
        qInfo("one write %.3f s, four at once %.3f s", one, four);
        QVERIFY(four < 2 * one);  // one after the other would take four times as long
    }
};

QTEST_GUILESS_MAIN(ParallelTransferTest)
#include "ParallelTransferTest.moc"
