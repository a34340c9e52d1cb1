#pragma once
// The radio link: port opening, the program-mode handshake, the frame sender, the reply
// time-out, the retry pause and the closing timer, with the data phase of a read or a write
// on top. Qt-free: it talks to the world through a serial port, timers and a view.

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <string>
#include <thread>

#include "core/AppState.h"
#include "link/LinkFailure.h"
#include "link/SerialPort.h"
#include "protocol/Frames.h"

namespace nv {

constexpr int FrameInterval = 15;   // ms from queueing a frame to its first byte
constexpr int ReplyTimeout = 1000;  // ms after the last byte of a frame
constexpr int RetryPause = 1000;    // ms

// Timer5 is not the engine's: whoever drives several transfers one after another (the
// programming station) paces its own steps with it.
enum TimerId { Timer1 = 1, Timer2 = 2, Timer3 = 3, Timer4 = 4, Timer5 = 5 };

class LinkTimers {
  public:
    virtual ~LinkTimers() = default;
    // Starts (or restarts) a periodic timer.
    virtual void start(TimerId id, int intervalMs) = 0;
    virtual void stop(TimerId id) = 0;
    // A short pause inside an event, for bytes that must leave before the next one.
    virtual void wait(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
};

class LinkView {
  public:
    virtual ~LinkView() = default;
    virtual void setProgress(int value) = 0;  // also shows the bar
    virtual void setLabel(const std::string& text) = 0;
    // A message box; returns when the user has dismissed it. `done` selects the title of the
    // completion messages ("Operate Prompt").
    virtual void message(const std::string& text, bool done) = 0;
    virtual void requestClose() = 0;
    // The transfer is over (completed, failed for good, or its port would not open again),
    // before its last message is shown.
    virtual void transferEnded() {}
};

// The state record of a link window.
struct LinkRecord {
    std::array<int, 201> SendBuffer{};
    int SendCount = 0;
    int SendPos = 0;
    std::array<std::uint8_t, 2001> ReceiveBuffer{};
    int LinkState = 0;
    int BlockCounter = 0;
    int LastBlock = 0;
    bool WriteMode = false;
    bool DataPhase = false;
    bool FrameSent = false;
    int RetriesLeft = 0;
    bool Busy = false;
    bool TransferDone = false;
};

class LinkEngine : public LinkRecord {
  public:
    LinkEngine(AppState& state, SerialPort& port, LinkTimers& timers, LinkView& view);
    virtual ~LinkEngine();

    // The window has opened.
    virtual void windowLoaded() {}
    // The window's start button.
    void startButton();
    // How often a failed attempt is tried again before the transfer fails (three for a window);
    // set before the start. Whoever must look at the radio before trying again sets none.
    void setRetries(int retries) { retries_ = retries; }
    // The window's cancel button; true when the window may close.
    bool cancelButton();
    // From the start button until the transfer has completed or failed for good, the retry
    // pauses included.
    bool running() const { return running_; }
    // Whether the transfer puts data into the radio.
    bool writes() const { return writeWindow(); }
    // Ends a running transfer between two frames (every frame leaves in one timer tick, so
    // whenever this runs no frame is half-sent): the radio gets the end byte, so that it leaves
    // programming mode, and the port is closed. No message is shown. False when the end byte
    // could not be sent (the port would not open again in a retry pause).
    bool stop();
    // Data blocks the radio has taken or given in the current attempt, and in the attempt of
    // this transfer that got furthest (what a radio holds after a write was stopped).
    int blocksDone() const { return DataPhase ? BlockCounter - 1 : 0; }
    int mostBlocksDone() const { return std::max(mostBlocksDone_, blocksDone()); }
    // The six bytes between 0xAA and 0xBB of the last identification reply accepted.
    const std::array<std::uint8_t, 6>& identification() const { return identification_; }
    // What the radio showed of itself in the failed attempts of this transfer.
    const LinkObservation& observed() const { return seen_; }
    // Why the port last failed to open (kind None when it opened).
    const PortProblem& portProblem() const { return portProblem_; }
    void timerTick(TimerId id);
    // One notification per byte that arrived.
    void byteReceived();

    SerialPort& port() { return port_; }

  protected:
    using EntrySequence = std::array<std::uint8_t, 8>;
    struct PortMessage {
        const char* chinese;
        const char* english;
        bool doneTitle;  // the title of the completion messages ("Operate Prompt")
    };

    virtual bool writeWindow() const = 0;
    virtual int lastBlock() const = 0;
    virtual int dataBlocks() const = 0;  // blocks of a whole transfer, for messages
    // The bytes that start every attempt.
    virtual const EntrySequence& entrySequence() const { return ProgramModeSequence; }
    // Whether opening the port also throws away output still queued from an earlier attempt.
    virtual bool discardsOutput() const { return writeWindow(); }
    virtual PortMessage portMessage() const;
    // Runs when the start button starts a transfer, before the first attempt: a write takes
    // its copy of what it sends here, so that retries send the same bytes and an edit made
    // meanwhile never reaches the radio half-way.
    virtual void transferStarting() {}
    virtual void startDataPhase() = 0;
    virtual void receiveData() = 0;
    virtual void timer4Tick();

    void sendFrame();
    // The reply to the block awaited could not be what was asked for: it counts as no reply,
    // and the failure, if it comes to one, says so.
    void replyGarbled() { garbledBlock_ = BlockCounter; }
    void putFrame(std::initializer_list<int> bytes);
    // A request's four leading bytes; a write then adds its data.
    void putFrame(const std::array<int, 4>& head);
    void closePort();
    // The transfer is over (completed, failed for good or stopped), before its last message.
    void transferOver();
    // Lets what was written leave the port, then waits a little longer.
    void pause(int ms);
    // Labels stay in the language of the window; messages follow the language of the moment.
    const char* label(const char* chinese, const char* english) const {
        return chinese_ ? chinese : english;
    }
    void text(const char* chinese, const char* english) { view_.setLabel(label(chinese, english)); }
    const char* say(const char* chinese, const char* english) const {
        return pick(state_, chinese, english);
    }

    AppState& state_;
    SerialPort& port_;
    LinkTimers& timers_;
    LinkView& view_;
    const bool chinese_;

  private:
    bool openPort();
    void startAttempt();
    void receiveHandshake();
    void replyTimedOut();
    void retryPauseOver();
    LinkObservation observeAttempt() const;

    // What the radio showed of itself in the attempts of the current transfer.
    bool running_ = false;
    int retries_ = 3;
    int mostBlocksDone_ = 0;
    std::array<std::uint8_t, 6> identification_{};
    int bytesThisAttempt_ = 0;
    int garbledBlock_ = 0;  // the block whose reply was garbled in this attempt, 0 for none
    LinkObservation seen_;
    PortProblem portProblem_;
};

}  // namespace nv
