#pragma once
// One port of the programming station: a radio on the cable is backed up (its memory read and
// kept), written with the station's configuration, read back and compared, row for row 0 to
// 48. With repeat, the port then waits for the radio to go and for the next one to answer, and
// programs that one, until it is stopped. Qt-free: the same link engine, serial port and
// timers as every transfer, so it runs on a fake clock in tests, behind the station window and
// behind nv742-cli station alike.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/AppState.h"
#include "link/LinkEngine.h"

namespace nv {

// What every port of a run programs, fixed when the run starts: an edit made meanwhile never
// reaches a radio of the run.
struct StationJob {
    Image image;              // rows 0 to 48 are written
    std::string fingerprint;  // the first 12 hexadecimal digits of the SHA-256 of rows 0 to 48
    std::string name;         // the configuration's file name, or "not saved"
    bool backup = true;       // read and keep each radio's memory before writing it
    bool verify = true;       // read it back and compare (without: written is done)
    bool repeat = false;      // go on with the next radio until stopped
};

// A result in two forms: the log file's (English, always the same words, so that a program
// can read a log written from either language) and the one the user reads.
struct StationWords {
    std::string log;
    std::string shown;
};

inline StationWords operator+(StationWords a, const StationWords& b) {
    a.log += b.log;
    a.shown += b.shown;
    return a;
}

inline StationWords operator+(StationWords a, const std::string& b) {
    return a + StationWords{b, b};
}

// One radio, as the log tells it.
struct StationRadio {
    std::string identification;  // the six identification bytes in hexadecimal
    bool verified = false;
    std::string result;       // "verified", or why not, in the log file's words
    std::string shownResult;  // the same in the language of the station's words
    double seconds = 0;  // from the first frame to the radio to its result
    bool written = false;          // the radio acknowledged every row of the configuration
    bool readBack = false;         // and `memory` holds what reading it back agreed on
    Image memory;                  // the radio's memory as read back
    std::string linkMessage;       // the link's own last message: the write's, or the failure's
    bool linkFailed = false;       // the radio's last transfer failed (linkMessage says how)
    bool stopped = false;          // by Stop, Ctrl+C or SIGTERM, part-way
    int rowsTaken = 0;             // when stopped while writing: the rows the radio acknowledged
};

class StationPort : private LinkView {
  public:
    enum class State {
        Idle,
        Backup,    // reading the radio's memory
        Write,     // writing the configuration
        Check,     // reading the radio to tell whether it is still the one: after a failed write
                   // attempt, or when a radio answers again after a gap in its answers
        Verify,    // reading it back
        WaitGone,  // a radio is done: waiting for it to be taken off the cable
        WaitNext,  // waiting for the next radio to answer
        NoPort,    // repeat: the port would not open; it is tried again at every question
        Ended,     // done, failed or stopped, without repeat; or stopped
    };

    struct Events {
        // The state or the progress (0 to 100 within the state) changed.
        std::function<void(State, int percent)> changed;
        // Keeps a radio's memory before it is written over, and then calls `kept` (at once or
        // later, from the event loop) with whether it could; a radio whose memory could not be
        // kept is not written.
        std::function<void(const std::string& identification, const Image& memory,
                           std::function<void(bool kept)> kept)>
            backUp;
        std::function<void(const StationRadio&)> finished;
        // The link's own progress and label of the transfer running, and its messages.
        std::function<void(int percent, const std::string& label)> linkProgress;
        std::function<void(const std::string& text)> linkMessage;
        // With repeat: why the port would not open, each time the reason changes; empty words
        // once it opens again.
        std::function<void(const StationWords& why)> portProblem;
    };

    // `base` gives the port number the port object opens and the language of the words;
    // `now` the seconds of a monotonic clock.
    StationPort(const AppState& base, SerialPort& port, LinkTimers& timers,
                std::function<double()> now, StationJob job, Events events);
    ~StationPort() override;

    void start();
    // Stops between two frames; a radio in programming mode gets the end byte.
    void stop();
    State state() const { return state_; }
    bool running() const { return state_ != State::Idle && state_ != State::Ended; }

    // Wire these to the port's receive notification and to the timers' ticks.
    void byteReceived();
    void timerTick(TimerId id);

    // How often a waiting port asks whether a radio is there, and how long it waits for the
    // answer: a removal (one question unanswered) and a new radio are each noticed within 3 s.
    static constexpr int ProbeEveryMs = 400;
    static constexpr int ProbeAnswerMs = 1000;  // the link's reply time-out
    // A write is tried as often as the link tries a transfer: once and three times again.
    static constexpr int WriteRetries = 3;

  private:
    class Probe;

    // LinkView: the end of each transfer comes as its last message.
    void setProgress(int value) override;
    void setLabel(const std::string& text) override;
    void message(const std::string& text, bool done) override;
    void requestClose() override {}

    void enter(State s, int percent = 0);
    void beginRadio();
    void freshRadio(double startedAt);
    void runTransfer(State s);
    void transferCompleted();
    void afterBackup();
    void memoryKept(bool kept);
    void afterWrite();
    void afterCheck();
    bool sameRadio(const Image& memory) const;
    void tookItsPlace();
    void afterVerify();
    void finishRadio(bool verified, const StationWords& result);
    void nextProbe();
    void probeAnswered(bool present);
    void portWillNotOpen(const PortProblem& problem);
    void radioAnswered();
    void afterReturnCheck();
    StationWords failureCause() const;
    StationWords portWords(const std::string& chinese, const std::string& english,
                           const PortProblem& problem) const;
    StationWords word(const std::string& chinese, const std::string& english) const;
    void tellStopped(State in, int rows);

    AppState radio_;  // the engines' state: port number, language, the image they move
    SerialPort& port_;
    LinkTimers& timers_;
    std::function<double()> now_;
    const StationJob job_;
    Events events_;

    State state_ = State::Idle;
    std::unique_ptr<LinkEngine> engine_;
    std::unique_ptr<LinkEngine> retired_;  // the engine whose last message is being handled
    std::unique_ptr<Probe> probe_;
    bool transferOver_ = false;
    bool radioArrived_ = false;
    std::string portProblem_;  // the reason last told with portProblem, in the log's words
    // Every radio on a cable misses a question now and then, and any radio can take its place
    // in the gap: all of them answer with the same identification. A radio that answers again
    // after a gap is read before anything is written to it; when it holds what the radio
    // verified here last held, it is that radio, left in place.
    std::optional<Image> lastVerified_;
    bool checkingReturn_ = false;  // the Check reads are of a radio that answered after a gap
    int backupsAsked_ = 0;  // a late answer about a radio that is no longer on the port is not heard
    bool transferOk_ = false;
    std::vector<Image> reads_;  // read-backs of this radio that no other has agreed with yet
    std::string linkMessage_, writeMessage_;
    int percent_ = 0;
    bool written_ = false, readBack_ = false;
    double startedAt_ = 0, transferStartedAt_ = 0;
    // With a backup, a failed write attempt is tried again only after a read has shown that the
    // radio on the cable is still the one backed up: another radio of the same model plugged in
    // meanwhile answers with the same identification, and must not be written unsaved.
    Image backup_;  // the memory of the radio being programmed, as it was read first
    int writeTriesLeft_ = 0;
    // The check reads after a failed write attempt: what the first of them showed, and how
    // many reads there were.
    std::optional<Image> checkRead_;
    int checkReads_ = 0;
    int rowsTaken_ = 0;  // the most rows of the configuration the radio acknowledged
    StationWords writeFailure_;
    std::string writeFailureMessage_;
    std::string identification_;
};

// "verified" and the other words of the log, for a state's name in a window or a terminal.
std::string stationStateText(StationPort::State s, bool chinese);

}  // namespace nv
