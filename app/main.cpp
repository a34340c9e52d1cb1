// nv742-cps: programming software for the NV-742 family of hand-held FM radios.

#include <QApplication>
#include <QCommandLineParser>
#include <cstdio>

#include "app/Options.h"
#include "core/AppState.h"
#include "link/PortDirectory.h"
#include "link/QtSerialPort.h"
#include "ui/MDImain.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("nv742-cps");
    QApplication::setApplicationVersion("V13.10.25");

    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Programs the NV-742 family of hand-held FM radios over a serial cable.\n"
        "COM1 to COM8 stand for this machine's serial devices, built-in ports first and USB "
        "adapters last.");
    parser.addHelpOption();
    parser.addVersionOption();
    nv::PortOptions portOptions;
    portOptions.addTo(parser);
    parser.process(app);

    nv::PortDirectory directory;
    directory.discover();
    QString error;
    if (!portOptions.apply(parser, directory, &error)) {
        std::fprintf(stderr, "nv742-cps: %s\n", qPrintable(error));
        return 2;
    }

    nv::AppState state;
    nv::PortLayer ports;
    ports.create = [&directory] { return std::make_unique<nv::QtSerialPort>(directory); };
    ports.describe = [&directory](int n) { return directory.target(n).toStdString(); };
    nv::MDImain window(state, ports);
    window.Form_Load();
    return app.exec();
}
