#include "station/StationPort.h"

#include <algorithm>
#include <deque>
#include <string_view>

#include "link/ReadLink.h"
#include "link/WriteLink.h"
#include "protocol/Frames.h"

namespace nv {

namespace {

std::string hex(const std::array<std::uint8_t, 6>& bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string s;
    for (std::uint8_t b : bytes) {
        s += digits[b >> 4];
        s += digits[b & 15];
    }
    return s;
}

// The rows of the configuration a radio took, as "12/49".
std::string rowsOfAll(int rows) {
    return std::to_string(rows) + "/" + std::to_string(LastWrittenRow + 1);
}

}  // namespace

// Asks once whether a radio is on the cable: the program-mode entry, and on an identification
// reply at once the end byte, so that a radio left in place is never programmed by it.
class StationPort::Probe {
  public:
    Probe(SerialPort& port, LinkTimers& timers, int portNumber, std::function<void(bool)> answered)
        : port_(port), timers_(timers), answered_(std::move(answered)) {
        if (!port_.open(portNumber, problem_)) {
            over_ = true;  // no port, no radio: the caller asks again later
            return;
        }
        port_.discardInput();
        for (std::uint8_t b : ProgramModeSequence) port_.writeByte(b);
        timers_.start(Timer2, ProbeAnswerMs);
    }
    bool over() const { return over_; }
    const PortProblem& problem() const { return problem_; }

    void byteReceived() {
        if (over_) return;
        while (port_.bytesWaiting() > 0) {
            seen_.push_back(static_cast<std::uint8_t>(port_.readByte()));
            if (seen_.size() > IdentLength) seen_.pop_front();
        }
        if (seen_.size() < IdentLength || seen_.front() != IdentFirst || seen_.back() != IdentLast)
            return;
        end(true);
    }
    void timedOut() { end(false); }
    // Stopped while it waits: whatever the radio made of the entry, it leaves programming mode.
    void stop() {
        if (over_) return;
        over_ = true;
        timers_.stop(Timer2);
        port_.writeByte(EndOfTransfer);
        port_.flush();
        port_.close();
    }

  private:
    void end(bool present) {
        over_ = true;
        timers_.stop(Timer2);
        if (present) {
            port_.writeByte(EndOfTransfer);
            port_.flush();
        }
        port_.close();
        answered_(present);
    }

    SerialPort& port_;
    LinkTimers& timers_;
    std::function<void(bool)> answered_;
    std::deque<std::uint8_t> seen_;
    PortProblem problem_;
    bool over_ = false;
};

StationPort::StationPort(const AppState& base, SerialPort& port, LinkTimers& timers,
                         std::function<double()> now, StationJob job, Events events)
    : radio_(base),
      port_(port),
      timers_(timers),
      now_(std::move(now)),
      job_(std::move(job)),
      events_(std::move(events)) {}

StationPort::~StationPort() {
    for (TimerId id : {Timer1, Timer2, Timer3, Timer4, Timer5}) timers_.stop(id);
}

StationWords StationPort::word(const std::string& chinese, const std::string& english) const {
    return {english, radio_.LanguageChinese ? chinese : english};
}

void StationPort::enter(State s, int percent) {
    state_ = s;
    if (events_.changed) events_.changed(s, percent);
}

// With repeat a port first asks whether a radio is there, so that an empty cable waits for
// one instead of failing.
void StationPort::start() {
    if (running()) return;
    if (!job_.repeat) return beginRadio();
    enter(State::WaitNext);
    nextProbe();
}

void StationPort::beginRadio() {
    freshRadio(now_());
    runTransfer(job_.backup ? State::Backup : State::Write);
}

void StationPort::freshRadio(double startedAt) {
    startedAt_ = startedAt;
    reads_.clear();
    written_ = readBack_ = false;
    writeMessage_.clear();
    identification_.clear();
    rowsTaken_ = 0;
    writeTriesLeft_ = WriteRetries;
}

void StationPort::runTransfer(State s) {
    enter(s);
    transferStartedAt_ = now_();
    if (s == State::Write) radio_.RadioImage = job_.image;
    transferOver_ = false;
    LinkView& view = *this;
    if (s == State::Write)
        engine_ = std::make_unique<WriteLink>(radio_, port_, timers_, view);
    else
        engine_ = std::make_unique<ReadLink>(radio_, port_, timers_, view);
    // After a backup the station itself tries a failed write again, once it has seen the radio.
    if (s == State::Write && job_.backup) engine_->setRetries(0);
    engine_->startButton();
}

void StationPort::setProgress(int value) {
    percent_ = value;
    if (events_.changed) events_.changed(state_, value);
}

void StationPort::setLabel(const std::string& text) {
    if (events_.linkProgress) events_.linkProgress(percent_, text);
}

// The last message of a transfer comes from inside the engine: what follows runs on the next
// tick of the station's own timer, when the engine has returned.
void StationPort::message(const std::string& text, bool done) {
    if (events_.linkMessage) events_.linkMessage(text);
    linkMessage_ = text;
    transferOver_ = true;
    transferOk_ = done;
    timers_.start(Timer5, 0);
}

void StationPort::timerTick(TimerId id) {
    if (id == Timer5) {
        timers_.stop(Timer5);
        if (transferOver_) {
            transferOver_ = false;
            transferCompleted();
        } else if (radioArrived_) {
            radioArrived_ = false;
            radioAnswered();
        } else if (state_ == State::WaitGone || state_ == State::WaitNext ||
                   state_ == State::NoPort) {
            nextProbe();
        }
        return;
    }
    if (probe_ && !probe_->over()) {
        if (id == Timer2) probe_->timedOut();
        return;
    }
    if (engine_) engine_->timerTick(id);
}

void StationPort::byteReceived() {
    if (probe_ && !probe_->over())
        probe_->byteReceived();
    else if (engine_)
        engine_->byteReceived();
    else
        port_.discardInput();
}

void StationPort::transferCompleted() {
    for (TimerId id : {Timer1, Timer2, Timer3, Timer4}) timers_.stop(id);
    // Whose identification a check read after a failed write gave is only known once its
    // memory is compared.
    if (engine_->identification() != std::array<std::uint8_t, 6>{} &&
        (state_ != State::Check || checkingReturn_))
        identification_ = hex(engine_->identification());
    retired_ = std::move(engine_);
    switch (state_) {
        case State::Backup:
            return afterBackup();
        case State::Write:
            return afterWrite();
        case State::Verify:
            return afterVerify();
        case State::Check:
            return afterCheck();
        default:
            return;
    }
}

// "port lost: /dev/ttyUSB3: the device does not exist", with the system's reason in the words
// the link windows use for it.
StationWords StationPort::portWords(const std::string& chinese, const std::string& english,
                                    const PortProblem& problem) const {
    auto reason = [&](bool inChinese) {
        std::string why = describePortProblem(problem, radio_.CommPortNumber, inChinese);
        for (std::string_view stop : {".", "。"})
            if (why.ends_with(stop)) why.resize(why.size() - stop.size());
        return why;
    };
    const StationWords head = word(chinese, english);
    return {head.log + ": " + reason(false),
            head.shown + (radio_.LanguageChinese ? "：" : ": ") + reason(radio_.LanguageChinese)};
}

StationWords StationPort::failureCause() const {
    // A port that opened for this radio once and no longer does has lost its cable.
    if (radio_.PortOpenFailed)
        return identification_.empty() &&
                       retired_->identification() == std::array<std::uint8_t, 6>{}
                   ? portWords("端口无法打开", "port would not open", retired_->portProblem())
                   : portWords("端口已断开", "port lost", retired_->portProblem());
    const LinkObservation& seen = retired_->observed();
    switch (seen.kind) {
        case LinkObservation::NoAnswer:
            return word("无应答", "no answer");
        case LinkObservation::NotIdentification:
            return word("识别码不符", "not this radio's identification");
        case LinkObservation::StoppedPartWay:
            return word("中途停止应答", "stopped answering part-way");
        case LinkObservation::Garbled:
            return word("应答错乱", "garbled answer");
    }
    return {};
}

void StationPort::afterBackup() {
    if (!transferOk_)
        return finishRadio(false, failureCause() + word("（读取原数据时；未写入）",
                                                        " (reading it first; not written)"));
    backup_ = radio_.RadioImage;
    if (!events_.backUp) return runTransfer(State::Write);
    const int asked = ++backupsAsked_;
    events_.backUp(identification_, radio_.RadioImage, [this, asked](bool kept) {
        if (asked == backupsAsked_ && state_ == State::Backup) memoryKept(kept);
    });
}

void StationPort::memoryKept(bool kept) {
    if (!kept)
        return finishRadio(false, word("原数据无法保存；未写入",
                                       "its memory could not be kept; not written"));
    runTransfer(State::Write);
}

void StationPort::afterWrite() {
    if (!transferOk_) {
        rowsTaken_ = std::max(rowsTaken_, retired_->mostBlocksDone());
        writeFailure_ = failureCause() + word("（写入时）", " (writing)");
        writeFailureMessage_ = linkMessage_;
        if (!job_.backup || writeTriesLeft_ == 0 || radio_.PortOpenFailed)
            return finishRadio(false, writeFailure_);
        --writeTriesLeft_;
        checkRead_.reset();
        checkReads_ = 0;
        return runTransfer(State::Check);
    }
    written_ = true;
    writeMessage_ = linkMessage_;
    if (!job_.verify) return finishRadio(false, word("已写入", "written"));
    runTransfer(State::Verify);
}

namespace {

// The rows 0 to 48 where two images differ, as "3, 17"; empty when they agree.
std::string differentRows(const Image& a, const Image& b) {
    std::string rows;
    for (int r = 0; r <= LastWrittenRow; ++r)
        for (int c = 0; c < RadioCells; ++c)
            if (a.byte(r, c) != b.byte(r, c)) {
                rows += (rows.empty() ? "" : ", ") + std::to_string(r);
                break;
            }
    return rows;
}

bool sameMemory(const Image& a, const Image& b) {
    for (int r = 0; r < RadioRows; ++r)
        for (int c = 0; c < RadioCells; ++c)
            if (a.byte(r, c) != b.byte(r, c)) return false;
    return true;
}

}  // namespace

// The radio on the cable is the one being programmed when every row holds either the
// configuration (written already) or what its backup kept (not reached yet, or never written).
bool StationPort::sameRadio(const Image& memory) const {
    auto rowIs = [&memory](const Image& other, int r) {
        for (int c = 0; c < RadioCells; ++c)
            if (memory.byte(r, c) != other.byte(r, c)) return false;
        return true;
    };
    for (int r = 0; r < RadioRows; ++r)
        if (!rowIs(backup_, r) && !(r <= LastWrittenRow && rowIs(job_.image, r))) return false;
    return true;
}

void StationPort::afterCheck() {
    if (checkingReturn_) return afterReturnCheck();
    // A port that no longer opens lost its cable: that, not the write's time-out, is the cause.
    if (!transferOk_ && radio_.PortOpenFailed)
        return finishRadio(false, failureCause() + word("（写入时）", " (writing)"));
    if (!transferOk_) {
        linkMessage_ = writeFailureMessage_;  // the write's failure is the radio's
        return finishRadio(false, writeFailure_);
    }
    if (sameRadio(radio_.RadioImage)) return runTransfer(State::Write);
    // Another radio only when two reads agree: a data bit garbled on the line is no stranger.
    const bool confirmed = checkRead_ && sameMemory(*checkRead_, radio_.RadioImage);
    if (confirmed) return tookItsPlace();
    if (++checkReads_ < 3) {
        checkRead_ = radio_.RadioImage;
        return runTransfer(State::Check);
    }
    // Three reads, no two alike: nothing is written to a radio that was not backed up.
    linkMessage_ = writeFailureMessage_;
    finishRadio(false, writeFailure_ + word("；线路使数据错乱，请检查数据线",
                                            "; the line garbles data, check the cable"));
}

// Another radio answers on the cable: the first one's line says what it holds, and the one that
// took its place is a radio of its own, with the memory just read as its backup.
void StationPort::tookItsPlace() {
    StationRadio first;
    first.identification = identification_;
    first.seconds = now_() - startedAt_;
    first.rowsTaken = rowsTaken_;
    first.linkMessage = writeFailureMessage_;
    first.linkFailed = true;
    const std::string taken = rowsOfAll(rowsTaken_);
    const StationWords result =
        word("写入中途被换下（已写 " + taken + " 行），必须重新写入",
             "replaced on the cable while writing (" + taken + " rows taken): write it again");
    first.result = result.log;
    first.shownResult = result.shown;
    if (events_.finished) events_.finished(first);

    freshRadio(transferStartedAt_);
    identification_ = hex(retired_->identification());
    enter(State::Backup);
    afterBackup();
}

// A radio answered again after a gap: the one verified here last, still on the cable, goes back
// to waiting untouched and unlogged; another radio counts only when two reads of it agree (a
// data bit garbled on the line is no stranger), and the memory they agree on is its backup.
void StationPort::afterReturnCheck() {
    if (transferOk_ && sameMemory(radio_.RadioImage, *lastVerified_)) {
        checkingReturn_ = false;
        retired_.reset();
        enter(State::WaitGone);
        return timers_.start(Timer5, ProbeEveryMs);
    }
    if (transferOk_ && checkRead_ && sameMemory(*checkRead_, radio_.RadioImage)) {
        checkingReturn_ = false;
        if (!job_.backup) return runTransfer(State::Write);
        enter(State::Backup);
        return afterBackup();
    }
    if (transferOk_ && ++checkReads_ < 3) {
        checkRead_ = radio_.RadioImage;
        return runTransfer(State::Check);
    }
    checkingReturn_ = false;
    if (!transferOk_)
        return finishRadio(false, failureCause() + word("（读取原数据时；未写入）",
                                                        " (reading it first; not written)"));
    finishRadio(false, word("三次读取各不相同：线路使数据出错，请检查编程线；未写入",
                            "no two of three reads of the radio agreed: the line garbles data "
                            "bytes; check the cable; not written"));
}

// A read-back that shows the configuration stands alone; any other counts only when a second
// read agrees with it, so that a data bit garbled on the line is never told as a difference.
void StationPort::afterVerify() {
    if (!transferOk_)
        return finishRadio(false, failureCause() + word("（读回时）", " (reading it back)"));
    const Image& got = radio_.RadioImage;
    bool agreed = reads_.empty() && differentRows(got, job_.image).empty();
    for (const Image& earlier : reads_) agreed = agreed || sameMemory(earlier, got);
    if (agreed) {
        readBack_ = true;
        const std::string rows = differentRows(got, job_.image);
        return rows.empty()
                   ? finishRadio(true, word("已校验", "verified"))
                   : finishRadio(false, word("读回不同，行 ", "read back different at rows ") + rows);
    }
    reads_.push_back(got);
    if (reads_.size() < 3) return runTransfer(State::Verify);
    finishRadio(false, word("三次读回各不相同：线路使数据出错，请检查编程线",
                            "no two of three reads of the radio agreed: the line garbles data "
                            "bytes; check the cable."));
}

void StationPort::finishRadio(bool verified, const StationWords& result) {
    retired_.reset();
    StationRadio radio;
    radio.identification = identification_;
    radio.verified = verified;
    radio.result = result.log;
    radio.shownResult = result.shown;
    radio.seconds = now_() - startedAt_;
    radio.written = written_;
    radio.readBack = readBack_;
    if (readBack_) radio.memory = radio_.RadioImage;
    radio.linkMessage = transferOk_ ? writeMessage_ : linkMessage_;
    radio.linkFailed = !transferOk_;
    if (events_.finished) events_.finished(radio);
    lastVerified_.reset();
    if (verified) lastVerified_ = radio_.RadioImage;
    if (!job_.repeat) return enter(State::Ended);
    enter(State::WaitGone);
    timers_.start(Timer5, ProbeEveryMs);
}

void StationPort::nextProbe() {
    probe_ = std::make_unique<Probe>(port_, timers_, radio_.CommPortNumber,
                                     [this](bool present) { probeAnswered(present); });
    if (probe_->over()) portWillNotOpen(probe_->problem());
}

// The row says why the port waits; it is asked again like an empty cable.
void StationPort::portWillNotOpen(const PortProblem& problem) {
    const StationWords why = portWords("端口无法打开", "port would not open", problem);
    if (state_ != State::NoPort) enter(State::NoPort);
    if (why.log != portProblem_ && events_.portProblem) events_.portProblem(why);
    portProblem_ = why.log;
    timers_.start(Timer5, ProbeEveryMs);
}

void StationPort::probeAnswered(bool present) {
    if (state_ == State::NoPort) {
        portProblem_.clear();
        if (events_.portProblem) events_.portProblem({});
        enter(State::WaitNext);
    }
    // One question unanswered and the radio may be gone: whatever answers next is read before
    // it is written.
    if (!present && state_ == State::WaitGone) enter(State::WaitNext);
    if (state_ == State::WaitNext && present) {
        // The probe's own end byte has just gone; the radio is read or programmed from a fresh
        // entry, once the probe has returned.
        radioArrived_ = true;
        timers_.start(Timer5, 0);
        return;
    }
    timers_.start(Timer5, ProbeEveryMs);
}

void StationPort::radioAnswered() {
    probe_.reset();
    if (!lastVerified_) return beginRadio();
    freshRadio(now_());
    checkingReturn_ = true;
    checkRead_.reset();
    checkReads_ = 0;
    runTransfer(State::Check);
}

void StationPort::stop() {
    if (!running()) return;
    const State stoppedIn = state_;
    int rows = engine_ ? engine_->mostBlocksDone() : 0;
    if (stoppedIn == State::Check) rows = rowsTaken_;
    if (stoppedIn == State::Write) rows = std::max(rows, rowsTaken_);
    if (engine_) engine_->stop();
    if (probe_) probe_->stop();
    for (TimerId id : {Timer1, Timer2, Timer3, Timer4, Timer5}) timers_.stop(id);
    transferOver_ = false;
    radioArrived_ = false;
    ++backupsAsked_;
    // A radio stopped part-way is one of the run's radios too: the log says what it holds. A
    // radio read only to tell whom it is was not touched, and may be one already logged.
    const bool touched = !(stoppedIn == State::Check && checkingReturn_);
    checkingReturn_ = false;
    if (touched && (stoppedIn == State::Backup || stoppedIn == State::Write ||
                    stoppedIn == State::Check || stoppedIn == State::Verify))
        tellStopped(stoppedIn, rows);
    enter(State::Ended);
}

void StationPort::tellStopped(State in, int rows) {
    StationRadio radio;
    radio.identification = identification_;
    radio.seconds = now_() - startedAt_;
    const std::string taken = rowsOfAll(rows);
    radio.stopped = true;
    radio.rowsTaken = rows;
    radio.written = in == State::Verify;
    const StationWords result =
        in == State::Backup ? word("已停止，未写入", "stopped before it was written")
        : in == State::Write || in == State::Check
            ? word("写入中途停止（已写 " + taken + " 行），必须重新写入",
                   "stopped while writing (" + taken + " rows taken): write it again")
            : word("读回校验时停止：已写入，未校验",
                   "stopped while reading it back: written, not verified");
    radio.result = result.log;
    radio.shownResult = result.shown;
    retired_.reset();
    engine_.reset();
    if (events_.finished) events_.finished(radio);
}

std::string stationStateText(StationPort::State s, bool chinese) {
    using S = StationPort::State;
    switch (s) {
        case S::Idle:
            return chinese ? "就绪" : "ready";
        case S::Backup:
            return chinese ? "读取原数据" : "backing up";
        case S::Write:
            return chinese ? "写入" : "writing";
        case S::Check:
            return chinese ? "核对是否同一台" : "checking the radio";
        case S::Verify:
            return chinese ? "读回校验" : "verifying";
        case S::WaitGone:
            return chinese ? "请取下对讲机" : "remove the radio";
        case S::WaitNext:
            return chinese ? "请接上下一台对讲机" : "plug in the next radio";
        case S::NoPort:
            return chinese ? "端口无法打开，重试中" : "port would not open; trying again";
        case S::Ended:
            return chinese ? "已结束" : "ended";
    }
    return {};
}

}  // namespace nv
