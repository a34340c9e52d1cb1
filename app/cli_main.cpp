// nv742-cli: scripted work with NV-742 radios and channel files on the same engine as the
// application.
//   nv742-cli read PORT FILE.chann    read a radio into a channel file (and a backup)
//   nv742-cli write PORT FILE.chann   write a channel file to a radio
//   nv742-cli show FILE.chann         print the channels as the channel grid shows them
//   nv742-cli print FILE.chann OUT.pdf   the channel sheet (painted, so the program starts the
//                                        toolkit's drawing part, off screen)

#include <unistd.h>

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QSaveFile>
#include <csignal>
#include <cstdio>
#include <new>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "app/CliArguments.h"
#include "app/CliCommon.h"
#include "app/CliVerbs.h"
#include "app/Options.h"
#include "channels/ChannelRecord.h"
#include "core/ChannelFile.h"
#include "core/Startup.h"
#include "files/Backups.h"
#include "files/ChannelFileProblem.h"
#include "files/FileIo.h"
#include "link/ConsoleTransfer.h"
#include "link/Interruption.h"

namespace {

int fail(const QString& text, int code = 2) { return nv::cliFailure(text, code); }

bool loadFile(const QString& path, nv::Image& image, QString* error) {
    return nv::loadChannelFileAt(path, image, error);
}

void showProgress(int percent, const std::string& label) {
    nv::showConsoleProgress(percent, label);
}

void showMessage(const std::string& text) { nv::showConsoleMessage(text); }

int show(const QString& path) {
    nv::AppState state;
    nv::initialiseGlobals(state);
    nv::buildTables(state);
    QString error;
    if (!loadFile(path, state.RadioImage, &error)) return fail(error);
    std::printf(
        "Channel\tRX Frequency\tTX Frequency\tCTCSS/DCS Dec\tCTCSS/DCS Enc\tTX "
        "Power\tW/N\tScan_Add\tOptSingal\tPTT-ID\n");
    for (int n = 1; n <= nv::ChannelCount; ++n) {
        const auto texts = nv::gridRowTexts(state, n, false);
        for (int c = 0; c < 10; ++c)
            std::printf("%s%s", c ? "\t" : "",
                        QString::fromStdString(texts[c]).trimmed().toUtf8().constData());
        std::printf("\n");
    }
    return 0;
}

// The channel sheet needs fonts, which only a graphical application has; every other command
// runs without one, also where there is no display. An argument "print" that is no command
// (a file of that name) costs only the off-screen start.
bool paints(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "print") == 0) return true;
    return false;
}

std::unique_ptr<QCoreApplication> makeApplication(int& argc, char* argv[]) {
    if (!paints(argc, argv)) return std::make_unique<QCoreApplication>(argc, argv);
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    return std::make_unique<QGuiApplication>(argc, argv);
}

// What is wrong with the command and its arguments, in words; empty when nothing is.
QString wrongCommand(const QStringList& args) {
    if (args.isEmpty()) return QStringLiteral("no command given");
    const QString& command = args[0];
    if (command == "show")
        return args.size() == 2 ? QString() : QStringLiteral("show needs FILE.chann");
    if (command == "read" || command == "write")
        return args.size() == 3 ? QString() : command + QStringLiteral(" needs PORT FILE.chann");
    return QStringLiteral("unknown command \"%1\"").arg(command);
}

// The toolkit's own warnings (a runtime folder it would like, fonts) say nothing a user of the
// command line can act on, and would mix with the program's own lines.
void quietToolkit(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type != QtFatalMsg) return;
    std::fprintf(stderr, "nv742-cli: %s\n", qPrintable(text));
    std::abort();
}

}  // namespace

int main(int argc, char* argv[]) {
    qInstallMessageHandler(quietToolkit);
    const std::unique_ptr<QCoreApplication> application = makeApplication(argc, argv);
    QCoreApplication& app = *application;
    QCoreApplication::setApplicationName("nv742-cli");
    QCoreApplication::setApplicationVersion(nv::Version);
    nv::Interruption::install();
#ifdef SIGXFSZ
    // A file-size limit then ends a write with the system's reason, the old file intact.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    // A file far larger than the memory allows ends in a message, never in an abort.
    try {
        if (const auto status = nv::runCliVerb(app.arguments())) return *status;
    } catch (const std::bad_alloc&) {
        return nv::cliFailure("not enough memory for this file; nothing was written", 1);
    }
    QCommandLineParser parser;
    nv::describeCliOptions(parser);
    const nv::CliCommand command = nv::parseCliArguments(app.arguments());
    switch (command.kind) {
        case nv::CliCommand::Help:
        case nv::CliCommand::Version:
            parser.process(app);  // prints what was asked for and ends
            return 0;
        case nv::CliCommand::BadOption:
            std::fprintf(stderr, "nv742-cli: %s\n%s", qPrintable(nv::visibleLine(command.error)),
                         qPrintable(parser.helpText()));
            return 2;
        case nv::CliCommand::Usage:
            parser.parse(app.arguments());
            std::fprintf(stderr, "nv742-cli: %s\n%s",
                         qPrintable(nv::visibleLine(wrongCommand(parser.positionalArguments()))),
                         qPrintable(parser.helpText()));
            return 2;
        case nv::CliCommand::Show:
            return show(command.file);
        case nv::CliCommand::Read:
        case nv::CliCommand::Write:
            break;
    }
    const bool write = command.kind == nv::CliCommand::Write;
    const QString file = command.file;

    nv::AppState state;
    nv::initialiseGlobals(state);
    nv::buildTables(state);
    nv::buildDefaults(state);
    if (command.tracePath)
        if (const auto refused = nv::refuseOutputOverInput({file}, *command.tracePath))
            return *refused;
    QString error;
    // A write checks the whole file before the port is opened: not a byte goes out for a bad one.
    if (write && !loadFile(file, state.RadioImage, &error)) return fail(error);
    // A read finds out that its file cannot be written before it takes the radio's time.
    if (!write && !nv::checkWritable(file, &error))
        return fail(QStringLiteral("cannot write %1: %2").arg(file, error), 1);

    nv::PortDirectory directory;
    directory.discover();
    for (const QString& map : command.portMaps)
        if (!directory.assignFromOption(map, &error)) return fail(error);
    std::shared_ptr<nv::TraceLog> trace;
    if (command.tracePath) nv::keepReplacedOutput(*command.tracePath);
    if (command.tracePath && !nv::openTraceLog(*command.tracePath, &trace, &error))
        return fail(error);
    const nv::TraceCheck traceCheck(trace, command.tracePath.value_or(QString()));
    state.CommPortNumber = static_cast<nv::Int16>(nv::choosePort(command.port, directory));
    auto line = std::make_shared<nv::VirtualRadioLine>();
    auto port = nv::makePortLayer(directory, line, trace).create();

    const nv::TransferResult result =
        nv::runTransfer(state, *port, write, {showProgress, showMessage});
    if (result.interrupted || nv::Interruption::received())
        return nv::interruptedTransfer(command.port, write, result.blocksDone, result.endByteSent,
                                       file);
    if (!result.ok) return 1;
    if (!write) return nv::keepRead(state.RadioImage, command.port, file);
    return 0;
}
