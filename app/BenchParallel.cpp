#include "app/BenchParallel.h"

#include <QElapsedTimer>
#include <QProcess>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include "core/Startup.h"
#include "station/ParallelTransfer.h"
#include "link/PortDirectory.h"
#include "link/QtSerialPort.h"

namespace nv {

namespace {

struct Radio {
    std::unique_ptr<QProcess> server = std::make_unique<QProcess>();
    PortDirectory directory;  // port 1 is this radio's pseudo-terminal
};

// Seconds for writing the image to the first `count` radios at the same time; < 0 on failure.
double writeAll(std::vector<Radio>& radios, std::size_t count, const AppState& state) {
    std::vector<RadioJob> jobs;
    for (std::size_t i = 0; i < count; ++i) {
        RadioJob job;
        job.name = radios[i].directory.target(1).toStdString();
        job.port = std::make_unique<QtSerialPort>(radios[i].directory);
        job.state = state;
        job.state.CommPortNumber = 1;
        jobs.push_back(std::move(job));
    }
    QElapsedTimer clock;
    clock.start();
    const auto results = writeRadios(jobs);
    const double seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    for (std::size_t i = 0; i < results.size(); ++i) {
        if (results[i].written) continue;
        std::fprintf(stderr, "nv742-bench: the write to %s failed: %s\n", jobs[i].name.c_str(),
                     results[i].message.c_str());
        return -1;
    }
    return seconds;
}

}  // namespace

int benchParallelWrites(const QString& simulator, int radioCount, int rounds) {
    std::vector<Radio> radios(static_cast<std::size_t>(radioCount));
    for (Radio& r : radios) {
        r.server->start(simulator, {"--baud", "--quiet"});
        if (!r.server->waitForReadyRead(5000)) {
            std::fprintf(stderr, "nv742-bench: %s did not start\n", qPrintable(simulator));
            return 1;
        }
        r.directory.assign(1, QString::fromLocal8Bit(r.server->readLine()).trimmed());
    }
    AppState state;
    initialiseGlobals(state);
    buildTables(state);
    buildDefaults(state);

    double one = 1e9, all = 1e9;
    for (int i = 0; i < rounds; ++i) {
        const double single = writeAll(radios, 1, state);
        const double parallel = writeAll(radios, radios.size(), state);
        if (single < 0 || parallel < 0) return 1;
        one = std::min(one, single);
        all = std::min(all, parallel);
    }
    for (Radio& r : radios) {
        r.server->terminate();
        r.server->waitForFinished(3000);
    }
    const double ratio = all / one;
    std::printf("%d writes at once  best of %d %.3f s  one write %.3f s  ratio %.3f (bound %.2f)\n",
                radioCount, rounds, all, one, ratio, ParallelRatioBound);
    return ratio <= ParallelRatioBound ? 0 : 1;
}

}  // namespace nv
