#include "app/CliArguments.h"

#include <QRegularExpression>

#include "app/CliVerbOptions.h"
#include "app/Options.h"

namespace nv {

void describeCliOptions(QCommandLineParser& parser) {
    parser.setApplicationDescription(
        "Reads and writes NV-742 radios and shows channel files.\n\n"
        "  read PORT FILE.chann    read a radio into a channel file (written only when the read "
        "completed);\n"
        "                          --verify reads until two reads agree (at most three);\n"
        "                          a copy also goes to the backups in $XDG_DATA_HOME (or "
        "~/.local/share)/nv742-cps/backups\n"
        "  write PORT FILE.chann   write a channel file to a radio (rows 0 to 48, as the write "
        "window does)\n"
        "  show FILE.chann         print the 16 channels as the channel grid shows them\n"
        "  compare PORT FILE.chann     read a radio and list what differs from the file (the rows "
        "a\n"
        "                              write sends); exit 0 same, 1 different, 2 no comparison\n"
        "  write PORT... FILE.chann    write the file to several radios at once, one result line\n"
        "                              per port; --verify reads each radio back and compares\n"
        "  export FILE.chann OUT.csv   the channels as comma-separated values\n"
        "  import IN.csv FILE.chann    channels from comma-separated values into a new channel\n"
        "                              file; --into BASE.chann starts from BASE instead of the\n"
        "                              factory settings with no channels; --locations 71-78,81-88\n"
        "                              takes only those rows; --in-order fills channels N, N+1,\n"
        "                              ... (N = --first, default 1) in file order instead of by\n"
        "                              location; --skip-bad leaves out rows with a bad value\n"
        "                              instead of refusing the file\n"
        "  print FILE.chann OUT.pdf    the channel sheet as a PDF on A4: the 16 channels, the\n"
        "                              optional features and the scan settings; in English, or\n"
        "                              in Chinese with --chinese\n"
        "  station FILE.chann PORT...  the programming station: every radio backed up, written,\n"
        "                              read back and compared, a line each; --repeat goes on\n"
        "                              with the next radio on each port until Ctrl+C;\n"
        "                              --no-backup skips the first read; --log LOG.csv instead\n"
        "                              of $XDG_DATA_HOME/nv742-cps/station-log.csv\n\n"
        "PORT is COM1 to COM8 or a device path such as /dev/ttyUSB0 or a pseudo-terminal of "
        "nv742-sim.\n\n"
        "Exit status: 0 success; 1 the operation failed (the port, the radio, writing the output,\n"
        "errors in an imported file; compare: the radio and the file differ); 2 the command could\n"
        "not start (a wrong, unknown or out-of-range argument or option, an input file that\n"
        "cannot be read or is not of its kind, an output over an input; compare: no comparison);\n"
        "130 or 143 after Ctrl+C or SIGTERM.");
    parser.addHelpOption();
    parser.addVersionOption();
    PortOptions().addTo(parser);
    parser.addPositionalArgument("command", "read, write, show, compare, export, import, print or station");
    parser.addPositionalArgument("arguments", "the command's ports, files and options, as above");
}

CliCommand parseCliArguments(const QStringList& arguments) {
    QCommandLineParser parser;
    describeCliOptions(parser);
    CliCommand command;
    if (!parser.parse(arguments)) {
        command.kind = CliCommand::BadOption;
        command.error = parser.errorText();
        return command;
    }
    if (parser.isSet("help") || parser.isSet("help-all")) {
        command.kind = CliCommand::Help;
        return command;
    }
    if (parser.isSet("version")) {
        command.kind = CliCommand::Version;
        return command;
    }
    const PortOptions options;
    command.portMaps = parser.values(options.port);
    if (parser.isSet(options.trace)) command.tracePath = parser.value(options.trace);

    const QStringList args = parser.positionalArguments();
    if (args.size() == 2 && args[0] == "show") {
        command.kind = CliCommand::Show;
        command.file = args[1];
    } else if (args.size() == 3 && (args[0] == "read" || args[0] == "write")) {
        command.kind = args[0] == "read" ? CliCommand::Read : CliCommand::Write;
        command.port = args[1];
        command.file = args[2];
        command.error = portArgumentProblem(command.port);
        if (!command.error.isEmpty()) command.kind = CliCommand::BadOption;
    }
    return command;
}

QString portArgumentProblem(const QString& text) {
    const auto match =
        QRegularExpression("^COM(\\d+)$", QRegularExpression::CaseInsensitiveOption).match(text);
    if (!match.hasMatch()) return {};
    const int n = match.captured(1).toInt();
    if (n >= 1 && n <= 8) return {};
    return QStringLiteral("%1 is no port: the ports are COM1 to COM8, or give a device path such "
                          "as /dev/ttyUSB0")
        .arg(shownArgument(text));
}

int choosePort(const QString& text, PortDirectory& directory) {
    const auto match =
        QRegularExpression("^COM([1-8])$", QRegularExpression::CaseInsensitiveOption).match(text);
    if (match.hasMatch()) return match.captured(1).toInt();
    directory.nameByPath(1, text);
    return 1;
}

}  // namespace nv
