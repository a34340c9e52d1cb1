// nv742-cps: programming software for the NV-742 family of hand-held FM radios.

#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QIcon>
#include <QTimer>
#include <cstdio>

#include "adjust/AdjustFileDialogs.h"
#include "app/HelpWithoutDisplay.h"
#include "app/Options.h"
#include "core/AppState.h"
#include "files/ChannelFileDialogs.h"
#include "ui/AppIcon.h"
#include "ui/MDImain.h"

namespace {

// 0 when the arguments are good (the ports then mapped and the trace open); otherwise the
// problem is told and the exit status returned.
int checkArguments(const QCommandLineParser& parser, const nv::PortOptions& portOptions,
                   const QCommandLineOption& virtualRadio, nv::PortDirectory& directory,
                   std::shared_ptr<nv::TraceLog>& trace) {
    if (parser.positionalArguments().size() > 1) {
        std::fprintf(stderr, "nv742-cps: one channel file at most\n");
        return 2;
    }
    directory.discover();
    if (parser.isSet(virtualRadio)) directory.assign(8, nv::PortDirectory::VirtualRadio);
    QString error;
    if (!portOptions.apply(parser, directory, &error) ||
        !portOptions.openTrace(parser, &trace, &error)) {
        std::fprintf(stderr, "nv742-cps: %s\n", qPrintable(error));
        return 2;
    }
    return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    QElapsedTimer started;
    started.start();
    QApplication::setApplicationName("nv742-cps");
    QApplication::setApplicationVersion("V13.10.25");

    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Programs the NV-742 family of hand-held FM radios over a serial cable.\n"
        "COM1 to COM8 stand for this machine's serial devices, built-in ports first and USB "
        "adapters last; \"Communication\" shows which device each one is.");
    parser.addHelpOption();
    parser.addVersionOption();
    nv::PortOptions portOptions;
    portOptions.addTo(parser);
    QCommandLineOption virtualRadio(
        QStringList{"virtual-radio"},
        "Maps COM8 to the built-in virtual radio, so that reading and writing work "
        "without a radio (the start-up port probe picks COM8 first).");
    parser.addOption(virtualRadio);
    QCommandLineOption measureStartup(
        QStringList{"measure-startup"},
        "Prints the milliseconds from the program's start to the shown channel grid, "
        "then ends.");
    parser.addOption(measureStartup);
    QCommandLineOption service(
        QStringList{"service"},
        "Service mode for dealers and technicians: shows the commands the normal menus hide "
        "(model selection, key assignment, embedded message, test frequencies, adjustment).");
    parser.addOption(service);
    QCommandLineOption stationPort(
        QStringList{"station-port"},
        "Lists PATH among the ports of \"Program several radios\" (repeatable), for cables the "
        "system does not list; with --virtual-radio the window also lists four built-in virtual "
        "radios.",
        "PATH");
    parser.addOption(stationPort);
    parser.addPositionalArgument(
        "file",
        "A channel file to load once the channel grid is open, as \"Open\" would; an "
        "adjustment file (.adj) opens the adjustment window and loads there.",
        "[FILE.chann|FILE.adj]");
    // --help and --version need no display: they are answered before the QApplication exists.
    nv::answerHelpOrVersion(argc, argv, parser);
    nv::PortDirectory directory;
    std::shared_ptr<nv::TraceLog> trace;
    // Without a display the toolkit would end the program with a message of its own before a
    // wrong argument is told: the arguments are checked first, and the missing display said.
    if (!nv::displayReachable(argc, argv)) {
        QCoreApplication noDisplay(argc, argv);
        parser.process(noDisplay);
        if (const int status = checkArguments(parser, portOptions, virtualRadio, directory, trace))
            return status;
        std::fprintf(stderr,
                     "nv742-cps: no display to show the windows on (DISPLAY and "
                     "WAYLAND_DISPLAY are not set)\n");
        return 1;
    }
    QApplication app(argc, argv);
    // The desktop entry and the installed icon theme give the windows their icon.
    QGuiApplication::setDesktopFileName("org.nv742.cps");
    QApplication::setWindowIcon(nv::applicationIcon());
    parser.process(app);
    if (const int status = checkArguments(parser, portOptions, virtualRadio, directory, trace))
        return status;

    nv::AppState state;
    auto line = std::make_shared<nv::VirtualRadioLine>();
    nv::PortLayer ports = nv::makePortLayer(directory, line, trace);
    for (const QString& path : parser.values(stationPort))
        ports.stationPorts.push_back(path.toStdString());
    ports.stationVirtualRadios = parser.isSet(virtualRadio);
    nv::MDImain window(state, std::move(ports));
    if (parser.isSet(service)) window.showServiceCommands();
    window.Form_Load();
    if (!parser.positionalArguments().isEmpty()) {
        const QString file = parser.positionalArguments().first();
        if (nv::isAdjustFileName(file))
            nv::openAdjustFileAtStartup(state, window, file);
        else
            nv::openChannelFileAtStartup(state, window, file);
    }
    if (parser.isSet(measureStartup)) {
        // The first pass of the event loop paints what start-up has shown.
        QTimer::singleShot(0, &app, [&] {
            std::printf("start-up to shown window: %lld ms\n", started.elapsed());
            app.quit();
        });
    }
    return app.exec();
}
