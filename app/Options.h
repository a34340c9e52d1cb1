#pragma once
// Command-line options shared by the GUI and the command-line tool.

#include <QCommandLineParser>
#include <QString>

#include "link/PortDirectory.h"

namespace nv {

struct PortOptions {
    QCommandLineOption port{QStringList{"port"},
                            "Maps COMn to a device path, e.g. --port 2=/dev/ttyUSB0 (repeatable).",
                            "N=PATH"};
    void addTo(QCommandLineParser& parser) { parser.addOption(port); }
    // Applies the mappings; false (with a message) on a malformed one.
    bool apply(const QCommandLineParser& parser, PortDirectory& directory, QString* error) const {
        for (const QString& value : parser.values(port))
            if (!directory.assignFromOption(value, error)) return false;
        return true;
    }
};

}  // namespace nv
