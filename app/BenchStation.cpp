#include "app/BenchStation.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include "app/BenchRadios.h"
#include "core/ChannelFile.h"
#include "core/Startup.h"
#include "station/StationRun.h"

namespace nv {

namespace {

// Seconds until every one of the first `count` radios is programmed, and the longest cycle of
// one radio; < 0 when a radio was not verified.
struct Timing {
    double all = -1, longestCycle = 0;
};

Timing runStation(const QStringList& ptys, qsizetype count, const AppState& state,
                  const QString& log) {
    std::vector<StationTarget> targets;
    for (qsizetype i = 0; i < count; ++i) targets.push_back(stationTargetForPath(ptys[i]));
    StationJob job;
    job.image = state.RadioImage;
    job.fingerprint = stationFingerprint(job.image);
    job.name = "bench";
    QEventLoop loop;
    Timing t;
    bool allVerified = true;
    StationRun::Events events;
    events.finished = [&](std::size_t, const StationLogLine& line, const StationRadio& radio,
                          const QString&) {
        const bool ok = radio.verified;
        allVerified = allVerified && ok;
        t.longestCycle = std::max(t.longestCycle, line.seconds);
        if (!ok)
            std::fprintf(stderr, "nv742-bench: %s: %s\n", line.port.c_str(), line.result.c_str());
    };
    events.ended = [&] { loop.quit(); };
    StationRun run(state, job, targets, log, events);
    QElapsedTimer clock;
    clock.start();
    run.start();
    if (run.running()) loop.exec();
    t.all = allVerified ? static_cast<double>(clock.nsecsElapsed()) / 1e9 : -1;
    return t;
}

// The same from the command line: nv742-cli station as a script runs it, its whole life timed
// (its start and its end cost the same for one radio as for many); < 0 when it did not exit 0.
double runCliStation(const QString& cli, const QString& file, const QStringList& ptys,
                     qsizetype count, const QString& log) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    QElapsedTimer clock;
    clock.start();
    process.start(cli, QStringList{"station", "--log", log, file} + ptys.mid(0, count));
    const bool finished = process.waitForFinished(120000);
    const double seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    if (finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0)
        return seconds;
    std::fprintf(stderr, "nv742-bench: %s station failed:\n%s", qPrintable(cli),
                 process.readAll().constData());
    return -1;
}

}  // namespace

int benchStation(const QString& simulator, const QString& cli, int radioCount, int rounds,
                 double cycleBoundSeconds) {
    std::vector<std::unique_ptr<QProcess>> servers;
    const QStringList ptys = startPacedRadios(simulator, radioCount, servers);
    if (ptys.isEmpty()) return 1;
    AppState state;
    initialiseGlobals(state);
    buildTables(state);
    buildDefaults(state);
    // The backups and the log of the bench stay out of the user's data folder.
    QTemporaryDir data;
    const QByteArray userData = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", data.path().toUtf8());
    const QString log = data.filePath("station-log.csv");
    const QString file = data.filePath("bench.chann");
    QFile channels(file);
    if (!channels.open(QIODevice::WriteOnly) ||
        channels.write(QByteArray::fromStdString(channelFileText(state.RadioImage))) < 0)
        return 1;
    channels.close();

    double one = 1e9, all = 1e9, cycle = 1e9, cliOne = 1e9, cliAll = 1e9;
    for (int i = 0; i < rounds; ++i) {
        const Timing single = runStation(ptys, 1, state, log);
        const Timing many = runStation(ptys, ptys.size(), state, log);
        const double cliSingle = runCliStation(cli, file, ptys, 1, log);
        const double cliMany = runCliStation(cli, file, ptys, ptys.size(), log);
        if (single.all < 0 || many.all < 0 || cliSingle < 0 || cliMany < 0) return 1;
        one = std::min(one, single.all);
        all = std::min(all, many.all);
        cycle = std::min(cycle, single.longestCycle);
        cliOne = std::min(cliOne, cliSingle);
        cliAll = std::min(cliAll, cliMany);
    }
    qputenv("XDG_DATA_HOME", userData);
    for (auto& s : servers) {
        s->terminate();
        s->waitForFinished(3000);
    }
    const double cycleRatio = cycle / cycleBoundSeconds, ratio = all / one;
    std::printf("station cycle  backup, write, verify  bound %.3f s  best of %d %.3f s  ratio %.3f "
                "(bound %.2f)\n",
                cycleBoundSeconds, rounds, cycle, cycleRatio, StationCycleBound);
    std::printf("station  %d radios at once  best of %d %.3f s  one radio %.3f s  ratio %.3f "
                "(bound %.2f)\n",
                radioCount, rounds, all, one, ratio, StationRatioBound);
    const double cliRatio = cliAll / cliOne;
    std::printf(
        "nv742-cli station  %d radios at once  best of %d %.3f s  one radio %.3f s  "
        "ratio %.3f (bound %.2f)\n",
        radioCount, rounds, cliAll, cliOne, cliRatio, StationRatioBound);
    return cycleRatio <= StationCycleBound && ratio <= StationRatioBound &&
                   cliRatio <= StationRatioBound
               ? 0
               : 1;
}

}  // namespace nv
