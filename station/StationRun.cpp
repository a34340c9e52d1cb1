#include "station/StationRun.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSerialPortInfo>
#include <QSet>
#include <algorithm>
#include <ctime>
#include <map>

#include "files/Backups.h"
#include "link/PortDirectory.h"
#include "link/QtLinkTimers.h"
#include "link/QtSerialPort.h"
#include "link/VirtualRadioPort.h"
#include "link/WriteLink.h"

namespace nv {

namespace {

// The hub socket a device sits in, from udev's links that survive a replug.
QString physicalLocation(const QString& device) {
    const QDir byPath("/dev/serial/by-path");
    const QString target = QFileInfo(device).canonicalFilePath();
    if (target.isEmpty()) return {};
    for (const QFileInfo& link : byPath.entryInfoList(QDir::System | QDir::Files))
        if (link.canonicalFilePath() == target) return link.fileName();
    return {};
}

QString usbDetails(const QSerialPortInfo& info) {
    QStringList parts;
    if (info.hasVendorIdentifier() && info.hasProductIdentifier())
        parts << QStringLiteral("USB %1:%2")
                     .arg(info.vendorIdentifier(), 4, 16, QChar('0'))
                     .arg(info.productIdentifier(), 4, 16, QChar('0'));
    if (!info.manufacturer().isEmpty()) parts << info.manufacturer();
    if (!info.description().isEmpty()) parts << info.description();
    if (!info.serialNumber().isEmpty()) parts << "S/N " + info.serialNumber();
    return parts.join(", ");
}

// A built-in virtual radio keeps its memory for the whole run of the program, as a radio on
// a cable would between two runs of the station.
std::shared_ptr<VirtualRadioLine> virtualLine(const QString& name) {
    static std::map<QString, std::shared_ptr<VirtualRadioLine>> lines;
    auto& line = lines[name];
    if (!line) line = std::make_shared<VirtualRadioLine>();
    return line;
}

}  // namespace

std::vector<StationTarget> systemStationTargets() {
    std::vector<StationTarget> targets;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        StationTarget t = stationTargetForPath(info.systemLocation());
        t.details = usbDetails(info);
        targets.push_back(t);
    }
    return targets;
}

// A device in a hub socket is opened by the socket's link: after a replug, when the adapter
// may come back under another ttyUSB name, the row is still that socket.
StationTarget stationTargetForPath(const QString& path) {
    StationTarget t;
    t.name = path;
    t.device = path;
    t.location = physicalLocation(path);
    if (!t.location.isEmpty()) t.device = "/dev/serial/by-path/" + t.location;
    return t;
}

StationTarget virtualStationTarget(int i) {
    StationTarget t;
    t.name = QStringLiteral("virtual radio %1").arg(i);
    t.details = QStringLiteral("built-in");
    return t;
}

const StationTarget* sameDeviceTwice(const std::vector<StationTarget>& targets) {
    QSet<QString> seen;
    for (const StationTarget& t : targets) {
        const QString real = QFileInfo(t.device).canonicalFilePath();
        const QString key = t.device.isEmpty() ? "virtual:" + t.name : real.isEmpty() ? t.device : real;
        if (seen.contains(key)) return &t;
        seen.insert(key);
    }
    return nullptr;
}

std::string stationFingerprint(const Image& image) {
    QByteArray rows;
    for (int r = 0; r <= LastWrittenRow; ++r)
        for (int c = 0; c < RadioCells; ++c) rows.append(static_cast<char>(image.byte(r, c)));
    return QCryptographicHash::hash(rows, QCryptographicHash::Sha256)
        .toHex()
        .left(12)
        .toStdString();
}

QString defaultStationLog() { return QFileInfo(backupFolder()).path() + "/station-log.csv"; }

QString stationBackupFolder() { return backupFolder() + "/station"; }

// The link's timers of a port; the station's own timer (its steps) goes through the run's
// queue of steps.
class StationRun::StepTimers : public LinkTimers {
  public:
    StepTimers(StationRun& run, std::size_t port, std::function<void(TimerId)> onTick)
        : run_(run), port_(port), timers_([this, onTick](TimerId id) {
              if (id == Timer5)
                  run_.queueStep(port_);
              else
                  onTick(id);
          }) {}
    void start(TimerId id, int intervalMs) override {
        if (id == Timer5 && intervalMs == 0) {
            timers_.stop(Timer5);
            run_.queueStep(port_);
        } else {
            if (id == Timer5) run_.dropStep(port_);
            timers_.start(id, intervalMs);
        }
    }
    void stop(TimerId id) override {
        if (id == Timer5) run_.dropStep(port_);
        timers_.stop(id);
    }

  private:
    StationRun& run_;
    std::size_t port_;
    QtLinkTimers timers_;
};

// One port of the run: its serial port, its timers and its sequence.
struct StationRun::Port {
    PortDirectory directory;  // port 1 is the target's device
    std::unique_ptr<SerialPort> serial;
    std::unique_ptr<StepTimers> timers;
    std::unique_ptr<StationPort> sequence;
    QElapsedTimer clock;
    bool stepDue = false;       // in the queue of steps
    bool startPending = false;  // its first step is the sequence's start
};

StationRun::StationRun(const AppState& base, StationJob job, std::vector<StationTarget> targets,
                       QString logPath, Events events)
    : base_(base),
      job_(std::move(job)),
      targets_(std::move(targets)),
      logPath_(std::move(logPath)),
      events_(std::move(events)) {
    base_.CommPortNumber = 1;
    disk_.setMaxThreadCount(1);
    stepTimer_.setInterval(0);
    QObject::connect(&stepTimer_, &QTimer::timeout, [this] { nextStep(); });
}

StationRun::~StationRun() {
    for (auto& p : ports_) p->sequence.reset();  // before the port and the timers it uses
    disk_.waitForDone();  // every finished radio's line reaches the log
}

void StationRun::onDisk(std::function<void()> work, std::function<void()> done) {
    ++onDisk_;
    auto then = [this, done = std::move(done)] {
        --onDisk_;
        done();
        tellEnded();
    };
    QObject* context = &context_;
    disk_.start([work = std::move(work), then, context] {
        work();
        QMetaObject::invokeMethod(context, then, Qt::QueuedConnection);
    });
}

// The run has ended when every port has, and every radio's line is in the log and told.
void StationRun::tellEnded() {
    if (endedTold_ || running()) return;
    endedTold_ = true;
    if (events_.ended) events_.ended();
}

void StationRun::queueStep(std::size_t i) {
    if (ports_[i]->stepDue) return;
    ports_[i]->stepDue = true;
    steps_.push_back(i);
    if (!stepTimer_.isActive()) stepTimer_.start();
}

void StationRun::dropStep(std::size_t i) {
    if (!ports_[i]->stepDue) return;
    ports_[i]->stepDue = false;
    steps_.erase(std::find(steps_.begin(), steps_.end(), i));
}

void StationRun::nextStep() {
    if (steps_.empty()) return stepTimer_.stop();
    const std::size_t i = steps_.front();
    steps_.pop_front();
    Port& p = *ports_[i];
    p.stepDue = false;
    if (p.startPending) {
        p.startPending = false;
        p.sequence->start();
    } else {
        p.sequence->timerTick(Timer5);
    }
}

void StationRun::start() {
    for (auto& p : ports_) p->sequence.reset();  // it stops its timers, which know the run
    steps_.clear();
    ports_.clear();
    endedTold_ = false;
    for (std::size_t i = 0; i < targets_.size(); ++i) {
        auto port = std::make_unique<Port>();
        const StationTarget& t = targets_[i];
        if (t.device.isEmpty()) {
            port->serial = std::make_unique<VirtualRadioPort>(virtualLine(t.name));
        } else {
            port->directory.assign(1, t.device);
            port->serial = std::make_unique<QtSerialPort>(port->directory);
        }
        Port* p = port.get();
        port->timers =
            std::make_unique<StepTimers>(*this, i, [p](TimerId id) { p->sequence->timerTick(id); });
        port->clock.start();
        StationPort::Events e;
        e.changed = [this, i](StationPort::State s, int percent) { portChanged(i, s, percent); };
        e.backUp = [this, i](const std::string& ident, const Image& memory,
                             std::function<void(bool)> kept) {
            keepMemory(i, ident, memory, std::move(kept));
        };
        e.finished = [this, i](const StationRadio& radio) { radioFinished(i, radio); };
        e.portProblem = [this, i](const StationWords& why) {
            if (events_.portProblem) events_.portProblem(i, why);
        };
        port->sequence = std::make_unique<StationPort>(
            base_, *port->serial, *port->timers,
            [p] { return static_cast<double>(p->clock.nsecsElapsed()) / 1e9; }, job_, e);
        port->serial->onByteReceived = [p] { p->sequence->byteReceived(); };
        ports_.push_back(std::move(port));
    }
    for (std::size_t i = 0; i < ports_.size(); ++i) {
        ports_[i]->startPending = true;
        queueStep(i);
    }
}

void StationRun::stop() {
    for (std::size_t i = 0; i < ports_.size(); ++i) {
        ports_[i]->startPending = false;
        dropStep(i);
    }
    for (auto& p : ports_) p->sequence->stop();
    // Ports stopped before their start tell nothing of themselves.
    if (!ports_.empty()) tellEnded();
}

bool StationRun::anyPortIn(std::initializer_list<StationPort::State> states) const {
    return std::any_of(ports_.begin(), ports_.end(), [states](const auto& p) {
        return std::find(states.begin(), states.end(), p->sequence->state()) != states.end();
    });
}

bool StationRun::programming() const {
    return anyPortIn({StationPort::State::Write, StationPort::State::Check});
}

bool StationRun::reading() const {
    return anyPortIn({StationPort::State::Backup, StationPort::State::Verify});
}

bool StationRun::running() const {
    if (onDisk_ > 0) return true;  // a radio's backup or line is still on its way to the disk
    for (const auto& p : ports_)
        if (p->startPending || p->sequence->running()) return true;
    return false;
}

void StationRun::portChanged(std::size_t i, StationPort::State s, int percent) {
    if (events_.changed) events_.changed(i, s, percent);
    if (s == StationPort::State::Ended) tellEnded();
}

void StationRun::keepMemory(std::size_t i, const std::string& identification, const Image& memory,
                            std::function<void(bool)> kept) {
    const QString label =
        portLabel(targets_[i].name) + "_" + QString::fromStdString(identification);
    const QString folder = stationBackupFolder();
    auto ok = std::make_shared<bool>(false);
    onDisk(
        [=] { *ok = writeBackup(memory, label, folder, QDateTime::currentDateTime(), false).ok; },
        [=] { kept(*ok); });
}

void StationRun::radioFinished(std::size_t i, const StationRadio& radio) {
    StationLogLine line;
    line.time = localIsoTime(std::time(nullptr));
    line.port = targets_[i].name.toStdString();
    line.location = targets_[i].location.toStdString();
    line.identification = radio.identification;
    line.fingerprint = job_.fingerprint;
    line.configuration = job_.name;
    line.result = radio.result;
    line.seconds = radio.seconds;
    const std::string path = logPath_.toStdString();
    // The program's own data folder is made when missing; a folder the user named is not.
    const QString folder = logPath_ == defaultStationLog() ? QFileInfo(logPath_).path() : QString();
    auto error = std::make_shared<std::string>();
    onDisk(
        [=] {
            if (!folder.isEmpty()) QDir().mkpath(folder);
            appendStationLog(path, line, error.get());
        },
        [this, i, line, radio, error] {
        if (events_.finished) events_.finished(i, line, radio, QString::fromStdString(*error));
        });
}

}  // namespace nv
