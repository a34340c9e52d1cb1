// nv742-cli: scripted work with NV-742 radios and channel files on the same engine as the
// application.
//   nv742-cli read PORT FILE.chann    read a radio into a channel file
//   nv742-cli write PORT FILE.chann   write a channel file to a radio
//   nv742-cli show FILE.chann         print the channels as the channel grid shows them

#include <unistd.h>

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QSaveFile>
#include <cstdio>

#include "app/CliArguments.h"
#include "app/Options.h"
#include "channels/ChannelRecord.h"
#include "core/ChannelFile.h"
#include "core/Startup.h"
#include "files/ChannelFileProblem.h"
#include "files/FileIo.h"
#include "link/ConsoleTransfer.h"

namespace {

int fail(const QString& text, int code = 2) {
    std::fprintf(stderr, "nv742-cli: %s\n", qPrintable(text));
    return code;
}

bool loadFile(const QString& path, nv::Image& image, QString* error) {
    QByteArray data;
    QString reason;
    if (!nv::readConfigFile(path, &data, &reason)) {
        *error = QStringLiteral("cannot read %1: %2").arg(path, reason);
        return false;
    }
    const nv::NumberListError e = nv::loadChannelFileText(data.toStdString(), image);
    if (e.kind == nv::NumberListError::None) return true;
    *error = path + ": " + nv::channelFileProblem(e, false);
    return false;
}

void showProgress(int percent, const std::string& label) {
    if (!::isatty(STDERR_FILENO)) return;
    const int filled = percent * 30 / 100;
    std::fprintf(stderr, "\r[%s%s] %3d%%  %-28s", std::string(filled, '#').c_str(),
                 std::string(30 - filled, '.').c_str(), percent, label.c_str());
    std::fflush(stderr);
}

void showMessage(const std::string& text) {
    if (::isatty(STDERR_FILENO)) std::fprintf(stderr, "\n");
    std::fprintf(stderr, "%s\n", text.c_str());
}

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

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("nv742-cli");
    QCoreApplication::setApplicationVersion(nv::Version);
    QCommandLineParser parser;
    nv::describeCliOptions(parser);
    const nv::CliCommand command = nv::parseCliArguments(app.arguments());
    switch (command.kind) {
        case nv::CliCommand::Help:
        case nv::CliCommand::Version:
        case nv::CliCommand::BadOption:
            parser.process(app);  // prints what was asked for, or what is wrong, and ends
            return 1;
        case nv::CliCommand::Usage:
            std::fprintf(stderr, "%s", qPrintable(parser.helpText()));
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
    QString error;
    // A write checks the whole file before the port is opened: not a byte goes out for a bad one.
    if (write && !loadFile(file, state.RadioImage, &error)) return fail(error);
    // A read finds out that its file cannot be written before it takes the radio's time.
    if (!write && !nv::checkWritable(file, &error))
        return fail(QStringLiteral("cannot write %1: %2").arg(file, error));

    nv::PortDirectory directory;
    directory.discover();
    for (const QString& map : command.portMaps)
        if (!directory.assignFromOption(map, &error)) return fail(error);
    std::shared_ptr<nv::TraceLog> trace;
    if (command.tracePath && !nv::openTraceLog(*command.tracePath, &trace, &error))
        return fail(error);
    state.CommPortNumber = static_cast<nv::Int16>(nv::choosePort(command.port, directory));
    auto line = std::make_shared<nv::VirtualRadioLine>();
    auto port = nv::makePortLayer(directory, line, trace).create();

    const nv::TransferResult result =
        nv::runTransfer(state, *port, write, {showProgress, showMessage});
    if (!result.ok) return 1;
    if (!write) {
        QString reason;
        if (!nv::writeFileAtomically(
                file, QByteArray::fromStdString(nv::channelFileText(state.RadioImage)), &reason))
            return fail(QStringLiteral("cannot write %1: %2").arg(file, reason), 1);
    }
    return 0;
}
