// The command line of nv742-cli: arguments separated by NUL bytes, as a script might pass them.
#include <QStringList>

#include "FuzzTarget.h"
#include "Require.h"
#include "app/CliArguments.h"

using namespace nv;

NV742_FUZZ_TARGET(cli_arguments) {
    QStringList arguments{"nv742-cli"};
    const QByteArray all(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    for (const QByteArray& part : all.split('\0')) arguments << QString::fromLocal8Bit(part);

    const CliCommand command = parseCliArguments(arguments);
    PortDirectory directory;
    for (const QString& map : command.portMaps) {
        QString error;
        if (!directory.assignFromOption(map, &error))
            fuzz::require(!error.isEmpty(), "a refused --port value without a message");
    }
    if (command.kind == CliCommand::Read || command.kind == CliCommand::Write) {
        const int port = choosePort(command.port, directory);
        fuzz::require(port >= 1 && port <= PortDirectory::Ports, "a port outside COM1 to COM8");
    }
    fuzz::require(command.kind != CliCommand::BadOption || !command.error.isEmpty(),
                  "a refused option without a message");
    return 0;
}
