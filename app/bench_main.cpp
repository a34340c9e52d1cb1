// nv742-bench: a full read and a full write against nv742-sim pacing its line at 9600 baud.
// Each time is printed as a ratio to its bound: the bytes on the wire at 960 bytes per second
// plus 15 ms for every frame that goes through the frame sender. Then eight writes to eight
// radios at once, as a ratio to the time of one; the station's cycle and 32 radios at once, in
// the program and from nv742-cli station; the CSV import of a 10,000-row list and the import
// dialog over an 11 MiB file (alone with --csv). Last, the station window programming 16
// radios at once.

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <cstdio>

#include "app/BenchCsv.h"
#include "app/BenchParallel.h"
#include "app/BenchStation.h"
#include "app/BenchStationWindow.h"
#include "core/Startup.h"
#include "link/ConsoleTransfer.h"
#include "link/PortDirectory.h"
#include "link/QtSerialPort.h"

namespace {
double boundSeconds(const nv::TransferResult& r) {
    return static_cast<double>(r.bytesSent + r.bytesReceived) / 960.0 + 0.015 * r.framesSent;
}
}  // namespace

int main(int argc, char* argv[]) {
    // The station window's case drives the real window; it needs no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName("nv742-bench");
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Times a full read and a full write against nv742-sim pacing its line at 9600 baud, and "
        "prints each time as a ratio to its bound: the bytes on the wire at 960 bytes per "
        "second plus 15 ms for every frame that goes through the frame sender.");
    parser.addHelpOption();
    QCommandLineOption stationWindowOnly(
        QStringList{"station-window"},
        "Runs only the station window's case: 16 radios at once against one, and the longest "
        "stall of the event loop.");
    parser.addOption(stationWindowOnly);
    QCommandLineOption csvOnly(QStringList{"csv"},
                               "Runs only the CSV cases: the import in memory, from a file, and "
                               "the import dialog over an 11 MiB file.");
    parser.addOption(csvOnly);
    parser.addPositionalArgument("rounds", "Transfers of each kind; the best one counts (3).",
                                 "[rounds]");
    parser.process(app);
    int rounds = 3;
    if (!parser.positionalArguments().isEmpty()) {
        bool ok = false;
        rounds = parser.positionalArguments().first().toInt(&ok);
        if (!ok || rounds < 1 || parser.positionalArguments().size() > 1) {
            std::fprintf(stderr, "nv742-bench: rounds must be one number from 1 on, not \"%s\"\n%s",
                         qPrintable(parser.positionalArguments().join(' ')),
                         qPrintable(parser.helpText()));
            return 2;
        }
    }
    const QString sim =
        QFileInfo(QCoreApplication::applicationFilePath()).dir().filePath("nv742-sim");
    if (parser.isSet(stationWindowOnly)) return nv::benchStationWindow(sim, 16);
    if (parser.isSet(csvOnly)) return nv::benchCsvImport(rounds);
    QProcess server;
    server.start(sim, {"--baud", "--quiet"});
    if (!server.waitForReadyRead(5000)) {
        std::fprintf(stderr, "nv742-bench: %s did not start\n", qPrintable(sim));
        return 1;
    }
    const QString pty = QString::fromLocal8Bit(server.readLine()).trimmed();

    nv::PortDirectory directory;
    directory.assign(1, pty);
    nv::AppState state;
    nv::initialiseGlobals(state);
    nv::buildTables(state);
    nv::buildDefaults(state);
    state.CommPortNumber = 1;

    int status = 0;
    double cycleBound = 0;  // a station's backup read, write and verifying read
    for (bool write : {false, true}) {
        double best = 1e9;
        nv::TransferResult last;
        for (int i = 0; i < rounds; ++i) {
            nv::QtSerialPort port(directory);
            last = nv::runTransfer(state, port, write, {});
            if (!last.ok) {
                std::fprintf(stderr, "nv742-bench: the %s failed\n", write ? "write" : "read");
                status = 1;
                break;
            }
            best = std::min(best, last.seconds);
        }
        if (!last.ok) continue;
        const double bound = boundSeconds(last);
        cycleBound += write ? bound : 2 * bound;
        std::printf(
            "%-5s  %4lld bytes out  %4lld bytes in  %2d frames  bound %.3f s  best of %d %.3f s  "
            "ratio %.3f\n",
            write ? "write" : "read", last.bytesSent, last.bytesReceived, last.framesSent, bound,
            rounds, best, best / bound);
    }
    server.terminate();
    server.waitForFinished(3000);
    if (nv::benchParallelWrites(sim, 8, rounds) != 0) status = 1;
    const QString cli =
        QFileInfo(QCoreApplication::applicationFilePath()).dir().filePath("nv742-cli");
    if (status == 0 && nv::benchStation(sim, cli, 32, rounds, cycleBound) != 0) status = 1;
    if (nv::benchCsvImport(rounds) != 0) status = 1;
    if (nv::benchStationWindow(sim, 16) != 0) status = 1;
    return status;
}
