#include "link/LinkEngine.h"

namespace nv {

LinkEngine::LinkEngine(AppState& state, SerialPort& port, LinkTimers& timers, LinkView& view)
    : state_(state), port_(port), timers_(timers), view_(view), chinese_(state.LanguageChinese) {}

LinkEngine::~LinkEngine() = default;

bool LinkEngine::openPort() {
    state_.PortOpenFailed = false;
    PortProblem& problem = portProblem_;
    problem = {};
    if (port_.open(state_.CommPortNumber, problem)) {
        port_.discardInput();
        if (discardsOutput()) port_.discardOutput();
        return true;
    }
    state_.PortOpenFailed = true;
    transferOver();
    const PortMessage words = portMessage();
    std::string text = say(words.chinese, words.english);
    const std::string why =
        describePortProblem(problem, state_.CommPortNumber, state_.LanguageChinese);
    if (!why.empty()) text += "\n" + why;
    view_.message(text, words.doneTitle);
    return false;
}

LinkEngine::PortMessage LinkEngine::portMessage() const {
    return {"通讯端口打开错误，请正确设置通讯端口 ！",
            "Communication port is error, please setting right communication port . ！", false};
}

void LinkEngine::pause(int ms) {
    port_.flush();
    timers_.wait(ms);
}

void LinkEngine::closePort() {
    if (port_.isOpen()) port_.close();
}

void LinkEngine::transferOver() {
    running_ = false;
    view_.transferEnded();
}

bool LinkEngine::stop() {
    if (!running_) return false;
    timers_.stop(Timer1);
    timers_.stop(Timer2);
    timers_.stop(Timer3);
    Busy = false;
    // In a retry pause the port is closed, but the radio may still wait in programming mode.
    PortProblem problem;
    const bool reached = port_.isOpen() || port_.open(state_.CommPortNumber, problem);
    if (reached) {
        port_.writeByte(EndOfTransfer);
        port_.flush();
        closePort();
    }
    transferOver();
    return reached;
}

void LinkEngine::startButton() {
    timers_.stop(Timer1);
    timers_.stop(Timer2);
    timers_.stop(Timer3);
    Busy = false;
    closePort();
    RetriesLeft = retries_;
    seen_ = {};
    mostBlocksDone_ = 0;
    running_ = true;
    transferStarting();
    startAttempt();
    if (!state_.PortOpenFailed) {
        view_.setProgress(0);
        text("正在与对讲机联络 ！", "Connecting with transceiver. ");
    }
}

void LinkEngine::startAttempt() {
    if (!port_.isOpen() && !openPort()) return;
    bytesThisAttempt_ = 0;
    garbledBlock_ = 0;
    DataPhase = false;
    port_.discardInput();
    LinkState = 0;
    port_.discardInput();
    const EntrySequence& entry = entrySequence();
    for (std::size_t i = 0; i < entry.size(); ++i) SendBuffer[i] = entry[i];
    SendCount = static_cast<int>(entry.size());
    WriteMode = writeWindow();
    BlockCounter = 0;
    LastBlock = lastBlock();
    Busy = true;
    sendFrame();
}

void LinkEngine::sendFrame() {
    FrameSent = false;
    SendPos = 0;
    timers_.start(Timer1, FrameInterval);
}

void LinkEngine::putFrame(std::initializer_list<int> bytes) {
    SendCount = 0;
    for (int b : bytes) SendBuffer[SendCount++] = b;
}

void LinkEngine::putFrame(const std::array<int, 4>& head) {
    SendCount = 0;
    for (int b : head) SendBuffer[SendCount++] = b;
}

bool LinkEngine::cancelButton() {
    if (Busy) {
        view_.message(say("正在进行读写操作,请勿关窗口 ！,",
                          "Read-write operating，don't close the window. ,"),
                      false);
        return false;
    }
    closePort();
    return true;
}

void LinkEngine::timerTick(TimerId id) {
    switch (id) {
        case Timer1:  // the frame sender: the whole frame in one tick
            while (SendPos != SendCount) {
                port_.writeByte(static_cast<std::uint8_t>(SendBuffer[SendPos]));
                ++SendPos;
            }
            timers_.start(Timer2, ReplyTimeout);
            timers_.stop(Timer1);
            FrameSent = true;
            break;
        case Timer2:
            replyTimedOut();
            break;
        case Timer3:
            retryPauseOver();
            break;
        case Timer4:
            timer4Tick();
            break;
        case Timer5:  // not the engine's
            break;
    }
}

LinkObservation LinkEngine::observeAttempt() const {
    LinkObservation o;
    o.device = port_.device();
    o.name = port_.givenName();
    if (bytesThisAttempt_ == 0) return o;
    if (LinkState == 0) {
        o.kind = LinkObservation::NotIdentification;
        return o;
    }
    o.kind = garbledBlock_ > 0 ? LinkObservation::Garbled : LinkObservation::StoppedPartWay;
    o.dataPhase = DataPhase;
    o.blocksDone = DataPhase ? BlockCounter - 1 : 0;
    o.blocks = dataBlocks();
    return o;
}

void LinkEngine::replyTimedOut() {
    mostBlocksDone_ = mostBlocksDone();
    seen_ = LinkObservation::mostTelling(seen_, observeAttempt());
    // The time-out stops itself so that exactly one pause follows each time-out.
    timers_.stop(Timer2);
    timers_.stop(Timer1);
    timers_.start(Timer3, RetryPause);
    closePort();
    Busy = false;
}

void LinkEngine::retryPauseOver() {
    timers_.stop(Timer1);
    timers_.stop(Timer2);
    timers_.stop(Timer3);
    if (RetriesLeft <= 0) {
        Busy = false;
        closePort();
        transferOver();
        view_.message(std::string(say("与对讲机联络失败 ！", "Fail connect with transceiver.")) +
                          "\n" +
                          describeLinkFailure(seen_, state_.CommPortNumber, state_.LanguageChinese),
                      false);
        view_.setProgress(0);
        text("与对讲机通讯故障 ！", "Communication fault.");
        return;
    }
    --RetriesLeft;
    startAttempt();
}

void LinkEngine::timer4Tick() {
    if (TransferDone) view_.requestClose();
}

void LinkEngine::byteReceived() {
    if (!port_.isOpen()) return;
    ++bytesThisAttempt_;
    if (DataPhase)
        receiveData();
    else
        receiveHandshake();
}

void LinkEngine::receiveHandshake() {
    const int wanted = LinkState == 0 ? IdentLength : 1;
    if (LinkState > 1 || port_.bytesWaiting() < wanted) return;
    for (int i = 0; i < wanted; ++i) ReceiveBuffer[i] = static_cast<std::uint8_t>(port_.readByte());
    if (LinkState == 0) {
        for (int p = 0; p <= 20; ++p) {
            if (ReceiveBuffer[p] == IdentFirst && ReceiveBuffer[p + IdentLength - 1] == IdentLast) {
                if (p >= 10) return;
                for (int i = 0; i < 6; ++i) identification_[i] = ReceiveBuffer[p + 1 + i];
                LinkState = 1;
                putFrame({Ack});
                port_.discardInput();
                sendFrame();
                port_.discardInput();
                return;
            }
        }
        return;
    }
    if (ReceiveBuffer[0] == Ack) {
        LinkState = 2;
        DataPhase = true;
        timers_.stop(Timer2);
        timers_.stop(Timer3);
        startDataPhase();
        port_.discardInput();
    }
}

}  // namespace nv
