// nv742-cli: scripted work with NV-742 radios and channel files on the same engine as the
// application.
//   nv742-cli read PORT FILE.chann    read a radio into a channel file
//   nv742-cli write PORT FILE.chann   write a channel file to a radio
//   nv742-cli show FILE.chann         print the channels as the channel grid shows them

#include <unistd.h>

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QRegularExpression>
#include <QSaveFile>
#include <cstdio>

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

// COM1..COM8 name a port of the port map; anything else is a device path, which COM1 stands for.
int choosePort(const QString& text, nv::PortDirectory& directory) {
    const auto match =
        QRegularExpression("^COM([1-8])$", QRegularExpression::CaseInsensitiveOption).match(text);
    if (match.hasMatch()) return match.captured(1).toInt();
    directory.assign(1, text);
    return 1;
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

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("nv742-cli");
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Reads and writes NV-742 radios and shows channel files.\n\n"
        "  read PORT FILE.chann    read a radio into a channel file (written only when the read "
        "completed)\n"
        "  write PORT FILE.chann   write a channel file to a radio (rows 0 to 48, as the write "
        "window does)\n"
        "  show FILE.chann         print the 16 channels as the channel grid shows them\n\n"
        "PORT is COM1 to COM8 or a device path such as /dev/ttyUSB0 or a pseudo-terminal of "
        "nv742-sim.\n"
        "Exit status 0 only on success.");
    parser.addHelpOption();
    nv::PortOptions options;
    options.addTo(parser);
    parser.addPositionalArgument("command", "read, write or show");
    parser.addPositionalArgument("arguments", "PORT FILE.chann, or FILE.chann");
    parser.process(app);
    const QStringList args = parser.positionalArguments();
    if (const QString wrong = wrongCommand(args); !wrong.isEmpty()) {
        std::fprintf(stderr, "nv742-cli: %s\n%s", qPrintable(wrong), qPrintable(parser.helpText()));
        return 2;
    }
    if (args[0] == "show") return show(args[1]);
    const bool write = args[0] == "write";
    const QString file = args[2];

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
    std::shared_ptr<nv::TraceLog> trace;
    if (!options.apply(parser, directory, &error) || !options.openTrace(parser, &trace, &error))
        return fail(error);
    state.CommPortNumber = static_cast<nv::Int16>(choosePort(args[1], directory));
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
