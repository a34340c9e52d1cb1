#include "station/StationRun.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSerialPortInfo>
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

StationTarget stationTargetForPath(const QString& path) {
    StationTarget t;
    t.name = path;
    t.device = path;
    t.location = physicalLocation(path);
    return t;
}

StationTarget virtualStationTarget(int i) {
    StationTarget t;
    t.name = QStringLiteral("virtual radio %1").arg(i);
    t.details = QStringLiteral("built-in");
    return t;
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

QString defaultStationLog() {
    return QFileInfo(backupFolder()).path() + "/station-log.csv";
}

QString stationBackupFolder() { return backupFolder() + "/station"; }

// One port of the run: its serial port, its timers and its sequence.
struct StationRun::Port {
    PortDirectory directory;  // port 1 is the target's device
    std::unique_ptr<SerialPort> serial;
    std::unique_ptr<QtLinkTimers> timers;
    std::unique_ptr<StationPort> sequence;
    QElapsedTimer clock;
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
    if (endedTold_ || running() || onDisk_ > 0) return;
    endedTold_ = true;
    if (events_.ended) events_.ended();
}

void StationRun::start() {
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
        port->timers = std::make_unique<QtLinkTimers>([p](TimerId id) { p->sequence->timerTick(id); });
        port->clock.start();
        StationPort::Events e;
        e.changed = [this, i](StationPort::State s, int percent) { portChanged(i, s, percent); };
        e.backUp = [this, i](const std::string& ident, const Image& memory,
                             std::function<void(bool)> kept) {
            keepMemory(i, ident, memory, std::move(kept));
        };
        e.finished = [this, i](const StationRadio& radio) { radioFinished(i, radio); };
        port->sequence = std::make_unique<StationPort>(
            base_, *port->serial, *port->timers,
            [p] { return static_cast<double>(p->clock.nsecsElapsed()) / 1e9; }, job_, e);
        port->serial->onByteReceived = [p] { p->sequence->byteReceived(); };
        ports_.push_back(std::move(port));
    }
    for (auto& p : ports_) p->sequence->start();
}

void StationRun::stop() {
    for (auto& p : ports_) p->sequence->stop();
}

bool StationRun::running() const {
    for (const auto& p : ports_)
        if (p->sequence->running()) return true;
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
    const QString folder = QFileInfo(logPath_).path();
    auto error = std::make_shared<std::string>();
    onDisk(
        [=] {
            QDir().mkpath(folder);
            appendStationLog(path, line, error.get());
        },
        [this, i, line, radio, error] {
            if (events_.finished)
                events_.finished(i, line, radio.verified, QString::fromStdString(*error));
        });
}

}  // namespace nv
