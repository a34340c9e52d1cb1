#pragma once
// A run of the programming station on the event loop: one StationPort per chosen port, each
// with its own serial port and timers, all at once. It keeps each radio's memory in the
// backups folder before the radio is written, and appends each radio's line to the log. The
// station window and nv742-cli station both drive their radios through it and only show what
// it reports.

#include <QObject>
#include <QString>
#include <QThreadPool>
#include <initializer_list>
#include <QTimer>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

#include "core/AppState.h"
#include "station/StationLog.h"
#include "station/StationPort.h"

namespace nv {

// A port of the station as the system knows it.
struct StationTarget {
    QString name;      // what the user sees: the device path, or "virtual radio 2"
    QString device;    // the device path; empty for a built-in virtual radio
    QString location;  // the physical place (a hub socket), "" when unknown
    QString details;   // USB vendor and product, serial number, for the user
};

// The machine's serial ports, each with what the system tells of it.
std::vector<StationTarget> systemStationTargets();
// A device path given by hand or with --station-port.
StationTarget stationTargetForPath(const QString& path);
// The i-th built-in virtual radio (1 to 4).
StationTarget virtualStationTarget(int i);

// A target that leads to the same device as an earlier one (a link and its target, a device
// by two names), or nullptr: two ports of one run must never drive one radio.
const StationTarget* sameDeviceTwice(const std::vector<StationTarget>& targets);

// The first 12 hexadecimal digits of the SHA-256 of rows 0 to 48, cells 0 to 15.
std::string stationFingerprint(const Image& image);

// $XDG_DATA_HOME/nv742-cps/station-log.csv (~/.local/share/... without it).
QString defaultStationLog();
// Where the station keeps the radios' memories: a folder of the backups of its own, never
// pruned, so that every customer's old configuration of a long run can be restored.
QString stationBackupFolder();

class StationRun {
  public:
    struct Events {
        std::function<void(std::size_t port, StationPort::State, int percent)> changed;
        // A radio is done or failed; its line is in the log (`logError` says why not).
        std::function<void(std::size_t port, const StationLogLine& line, const StationRadio& radio,
                           const QString& logError)>
            finished;
        // With repeat: why a port would not open, each time the reason changes; empty words
        // once it opens again.
        std::function<void(std::size_t port, const StationWords& why)> portProblem;
        // Every port has ended (without repeat, or after Stop).
        std::function<void()> ended;
    };

    // `base` gives the language of the words. The job is fixed here: edits made during the
    // run never reach its radios.
    StationRun(const AppState& base, StationJob job, std::vector<StationTarget> targets,
               QString logPath, Events events);
    ~StationRun();

    void start();
    // Stops every port between frames; radios in programming mode get the end byte.
    void stop();
    bool running() const;
    // Whether a port is writing a radio, or checking one whose write broke off: a stop now
    // leaves a radio with part of the configuration.
    bool programming() const;
    // Whether a port is reading a radio (its backup, or the read-back that verifies it).
    bool reading() const;
    const StationJob& job() const { return job_; }
    const std::vector<StationTarget>& targets() const { return targets_; }

  private:
    bool anyPortIn(std::initializer_list<StationPort::State> states) const;
    struct Port;
    class StepTimers;
    // A port's next step (its start, or a tick of the station's own timer) waits its turn.
    void queueStep(std::size_t i);
    void dropStep(std::size_t i);
    void nextStep();
    void portChanged(std::size_t i, StationPort::State s, int percent);
    void radioFinished(std::size_t i, const StationRadio& radio);
    void keepMemory(std::size_t i, const std::string& identification, const Image& memory,
                    std::function<void(bool)> kept);
    // Runs `work` away from the event loop, one file job after the other in the order given,
    // then `done` on the event loop: a disk that takes its time to sync never stalls the
    // radios of the other ports.
    void onDisk(std::function<void()> work, std::function<void()> done);
    void tellEnded();

    AppState base_;
    StationJob job_;
    std::vector<StationTarget> targets_;
    QString logPath_;
    Events events_;
    std::vector<std::unique_ptr<Port>> ports_;
    // The ports' steps open a port or write a file to the disk, and come due together when the
    // radios keep pace with each other: they run one per pass of the event loop, so that the
    // window stays responsive however many ports there are.
    std::deque<std::size_t> steps_;
    QTimer stepTimer_;
    bool endedTold_ = false;
    int onDisk_ = 0;  // file jobs whose done step has not run yet
    QThreadPool disk_;
    QObject context_;  // the done steps of file jobs are dropped with it
};

}  // namespace nv
