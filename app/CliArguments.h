#pragma once
// The command line of nv742-cli, parsed without acting on it: what to do, with which port and
// file. Opening ports, files and trace logs is left to the program.

#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <optional>

#include "link/PortDirectory.h"

namespace nv {

struct CliCommand {
    enum Kind {
        Show,      // show FILE.chann
        Read,      // read PORT FILE.chann
        Write,     // write PORT FILE.chann
        Help,      // --help: print the help text, exit 0
        Version,   // --version: print the version, exit 0
        Usage,     // arguments that make no command: the help text on stderr, exit 2
        BadOption  // an option the parser refused: `error` and the help text on stderr, exit 2
    } kind = Usage;
    QString port;                      // Read and Write: COM1..COM8 or a device path
    QString file;                      // the channel file
    QStringList portMaps;              // the --port values, N=PATH, not yet checked
    std::optional<QString> tracePath;  // --trace FILE
    QString error;                     // BadOption
};

// Adds the options and the description of nv742-cli to a parser (also for its help text).
void describeCliOptions(QCommandLineParser& parser);

// `arguments` starts with the program's name, as QCoreApplication::arguments() does.
CliCommand parseCliArguments(const QStringList& arguments);

// Why a PORT argument names no port ("COM9", "COM0"), or nothing: ports are COM1 to COM8 or
// device paths.
QString portArgumentProblem(const QString& text);

// The port number a command's PORT stands for: COMn names port n of the port map; any other
// text is a device path, which port 1 is pointed at.
int choosePort(const QString& text, PortDirectory& directory);

}  // namespace nv
