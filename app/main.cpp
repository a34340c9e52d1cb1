// nv742-cps: programming software for the NV-742 family of hand-held FM radios.

#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QTimer>
#include <cstdio>
#include <string_view>

#include "app/Options.h"
#include "core/AppState.h"
#include "ui/MDImain.h"

namespace {

struct Options {
    QCommandLineParser parser;
    nv::PortOptions ports;
    QCommandLineOption virtualRadio{
        QStringList{"virtual-radio"},
        "Maps COM8 to the built-in virtual radio, so that reading and writing work "
        "without a radio (the start-up port probe picks COM8 first)."};
    QCommandLineOption measureStartup{
        QStringList{"measure-startup"},
        "Prints the milliseconds from the program's start to the shown channel grid, "
        "then ends."};

    Options() {
        parser.setApplicationDescription(
            "Programs the NV-742 family of hand-held FM radios over a serial cable.\n"
            "COM1 to COM8 stand for this machine's serial devices, built-in ports first and USB "
            "adapters last; \"Communication\" shows which device each one is.");
        parser.addHelpOption();
        parser.addVersionOption();
        ports.addTo(parser);
        parser.addOption(virtualRadio);
        parser.addOption(measureStartup);
    }
};

// --help and --version only print: they must work where no display is available (a
// terminal over ssh, a build machine).
bool onlyPrints(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view a = argv[i];
        if (a == "--") break;
        if (a == "-h" || a == "-?" || a == "--help" || a == "--help-all" || a == "-v" ||
            a == "--version")
            return true;
    }
    return false;
}

void nameApplication() {
    QCoreApplication::setApplicationName("nv742-cps");
    QCoreApplication::setApplicationVersion("V13.10.25");
}

}  // namespace

int main(int argc, char* argv[]) {
    QElapsedTimer started;
    started.start();
    if (onlyPrints(argc, argv)) {
        QCoreApplication app(argc, argv);
        nameApplication();
        Options options;
        options.parser.process(app);  // prints and ends the program
        return 0;
    }
    QApplication app(argc, argv);
    nameApplication();
    Options options;
    QCommandLineParser& parser = options.parser;
    parser.process(app);

    nv::PortDirectory directory;
    directory.discover();
    if (parser.isSet(options.virtualRadio)) directory.assign(8, nv::PortDirectory::VirtualRadio);
    QString error;
    std::shared_ptr<nv::TraceLog> trace;
    if (!options.ports.apply(parser, directory, &error) ||
        !options.ports.openTrace(parser, &trace, &error)) {
        std::fprintf(stderr, "nv742-cps: %s\n", qPrintable(error));
        return 2;
    }

    nv::AppState state;
    auto line = std::make_shared<nv::VirtualRadioLine>();
    nv::MDImain window(state, nv::makePortLayer(directory, line, trace));
    window.Form_Load();
    if (parser.isSet(options.measureStartup)) {
        // The first pass of the event loop paints what start-up has shown.
        QTimer::singleShot(0, &app, [&] {
            std::printf("start-up to shown window: %lld ms\n", started.elapsed());
            app.quit();
        });
    }
    return app.exec();
}
