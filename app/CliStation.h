#pragma once
// nv742-cli station: the programming station without windows. One line per radio as it
// finishes, totals at the end; the same run, backups and log as the station window.

#include <QString>
#include <QStringList>

namespace nv {

struct StationOptions {
    QString file;       // the configuration
    QStringList ports;  // device paths or COMn
    bool repeat = false;
    bool backup = true;
    QString log;  // the CSV log the lines are appended to
};

// 0 when every radio was verified, 1 when one failed, 130 or 143 after Ctrl+C or SIGTERM.
int runStation(const StationOptions& options, const QStringList& portMaps);

}  // namespace nv
