#include "app/CliStation.h"

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QSet>
#include <cstdio>

#include "app/CliArguments.h"
#include "app/CliCommon.h"
#include "core/VisibleText.h"
#include "core/Startup.h"
#include "link/Interruption.h"
#include "link/PortDirectory.h"
#include "station/StationLog.h"
#include "station/StationRun.h"

namespace nv {

namespace {

// A port as the user named it: a device path, COMn of the port map, or the virtual radio.
StationTarget targetFor(const QString& name, const PortDirectory& discovered) {
    PortDirectory directory = discovered;
    const int n = choosePort(name, directory);
    if (directory.isVirtual(n)) {
        StationTarget t = virtualStationTarget(n);
        t.name = name;
        return t;
    }
    // COMn with no device behind it is a port that will not open, never the virtual radio.
    const QString device = directory.target(n);
    StationTarget t = stationTargetForPath(device.isEmpty() ? name : device);
    t.name = name;
    return t;
}

void printRadio(const StationLogLine& line, bool verified) {
    const std::string radio = line.identification.empty() ? "" : line.identification + " ";
    std::printf("%s %s: %s%s%s, %.1f s\n", line.time.c_str(), visibleText(line.port).c_str(),
                radio.c_str(), verified ? "" : "failed: ", line.result.c_str(), line.seconds);
    std::fflush(stdout);
}

}  // namespace

int runStation(const StationOptions& o, const QStringList& portMaps) {
    if (QSet<QString>(o.ports.begin(), o.ports.end()).size() != o.ports.size())
        return cliFailure("a port is listed twice");
    if (const auto refused = refuseOutputOverInput({o.file}, o.log)) return *refused;
    AppState state;
    initialiseGlobals(state);
    buildTables(state);
    buildDefaults(state);
    QString error;
    // The whole file is checked before any port is opened: not a byte goes out for a bad one.
    if (!loadChannelFileAt(o.file, state.RadioImage, &error)) return cliFailure(error);
    PortDirectory discovered;
    discovered.discover();
    for (const QString& map : portMaps)
        if (!discovered.assignFromOption(map, &error)) return cliFailure(error);

    // A log that cannot be written would lose the record of every radio programmed.
    if (o.log == defaultStationLog()) QDir().mkpath(QFileInfo(o.log).path());
    if (std::string reason; !stationLogWritable(o.log.toStdString(), &reason))
        return cliFailure(QStringLiteral("cannot write the log %1: %2; no radio was programmed")
                              .arg(o.log, QString::fromStdString(reason)));

    StationJob job;
    job.image = state.RadioImage;
    job.fingerprint = stationFingerprint(job.image);
    job.name = QFileInfo(o.file).fileName().toStdString();
    job.backup = o.backup;
    job.repeat = o.repeat;
    std::vector<StationTarget> targets;
    for (const QString& name : o.ports) targets.push_back(targetFor(name, discovered));
    if (const StationTarget* twice = sameDeviceTwice(targets))
        return cliFailure(twice->name + " leads to the same device as another port listed");

    int verified = 0, failed = 0;
    bool logLost = false;
    QEventLoop loop;
    StationRun::Events events;
    events.finished = [&](std::size_t, const StationLogLine& line, const StationRadio& radio,
                          const QString& logError) {
        const bool ok = radio.verified;
        printRadio(line, ok);
        ++(ok ? verified : failed);
        logLost = logLost || !logError.isEmpty();
        if (!logError.isEmpty())
            cliFailure(QStringLiteral("the log %1 was not written: %2").arg(o.log, logError));
    };
    // With --repeat a port that will not open is tried again: its reason is told once, so that
    // a mistyped port does not wait in silence.
    std::vector<bool> problemTold(targets.size());
    events.portProblem = [&](std::size_t i, const StationWords& why) {
        if (why.log.empty() || i >= problemTold.size() || problemTold[i]) return;
        problemTold[i] = true;
        cliFailure(QStringLiteral("%1: %2; trying again until Ctrl+C")
                       .arg(targets[i].name, QString::fromStdString(why.log)));
    };
    events.ended = [&] { loop.quit(); };
    StationRun run(state, job, targets, o.log, events);
    InterruptGuard interrupt([&] { run.stop(); });
    std::fprintf(stderr, "Programming %s (%s) on %lld port(s)%s.\n", qPrintable(visibleLine(o.file)),
                 job.fingerprint.c_str(), static_cast<long long>(targets.size()),
                 o.repeat ? ", radio after radio until Ctrl+C" : "");
    QElapsedTimer clock;
    clock.start();
    run.start();
    if (run.running()) loop.exec();
    const double hours = static_cast<double>(clock.elapsed()) / 3.6e6;
    // Radios per hour counts the radios done, as the window's totals do.
    std::printf("%d verified, %d failed, %.0f radios per hour\n", verified, failed,
                hours > 0 ? verified / hours : 0.0);
    if (Interruption::received()) return Interruption::exitStatus();
    return failed == 0 && !logLost ? 0 : 1;
}

}  // namespace nv
