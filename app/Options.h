#pragma once
// Command-line options shared by the GUI and the command-line tool.

#include <QCommandLineParser>
#include <QString>
#include <memory>

#include "core/VisibleText.h"
#include "files/FileIo.h"
#include "link/PortDirectory.h"
#include "link/RoutedPort.h"
#include "link/TracingPort.h"

namespace nv {

// The trace log of --trace FILE; false (with a message) when the file cannot be created.
inline bool openTraceLog(const QString& path, std::shared_ptr<TraceLog>* log, QString* error) {
    *log = std::make_shared<TraceLog>(path.toStdString());
    if (!(*log)->ok()) {
        *error = QStringLiteral("cannot write the trace file %1: %2")
                     .arg(QString::fromStdString(visibleText(path.toStdString())),
                          systemReason((*log)->openError(), false));
        return false;
    }
    return true;
}

struct PortOptions {
    QCommandLineOption port{
        QStringList{"port"},
        "Maps COMn to a device path, e.g. --port 2=/dev/ttyUSB0, or to the built-in "
        "virtual radio with --port 2=virtual (repeatable).",
        "N=PATH"};
    QCommandLineOption trace{
        QStringList{"trace"},
        "Writes a timestamped hex trace of every byte sent and received to FILE.", "FILE"};

    void addTo(QCommandLineParser& parser) {
        parser.addOption(port);
        parser.addOption(trace);
    }
    // Applies the mappings; false (with a message) on a malformed one.
    bool apply(const QCommandLineParser& parser, PortDirectory& directory, QString* error) const {
        for (const QString& value : parser.values(port))
            if (!directory.assignFromOption(value, error)) return false;
        return true;
    }
    // The trace log the options ask for, or none; false when the file cannot be created.
    bool openTrace(const QCommandLineParser& parser, std::shared_ptr<TraceLog>* log,
                   QString* error) const {
        return !parser.isSet(trace) || openTraceLog(parser.value(trace), log, error);
    }
};

// Makes the ports of the application: routed through the port map, traced when asked.
inline PortLayer makePortLayer(const PortDirectory& directory,
                               std::shared_ptr<VirtualRadioLine> line,
                               std::shared_ptr<TraceLog> trace) {
    PortLayer layer;
    layer.create = [&directory, line, trace]() -> std::unique_ptr<SerialPort> {
        auto port = std::make_unique<RoutedPort>(directory, line);
        if (!trace) return port;
        return std::make_unique<TracingPort>(std::move(port), trace);
    };
    layer.describe = [&directory](int n) { return directory.target(n).toStdString(); };
    return layer;
}

}  // namespace nv
