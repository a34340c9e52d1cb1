#pragma once
// The bench's radios: nv742-sim processes pacing their lines at 9600 baud.

#include <QProcess>
#include <QStringList>
#include <cstdio>
#include <memory>
#include <vector>

namespace nv {

// Starts `count` paced radios into `servers` and returns their pseudo-terminals; empty when one
// did not start (it says so).
inline QStringList startPacedRadios(const QString& simulator, int count,
                                    std::vector<std::unique_ptr<QProcess>>& servers) {
    QStringList ptys;
    for (int i = 0; i < count; ++i) {
        servers.push_back(std::make_unique<QProcess>());
        servers.back()->start(simulator, {"--baud", "--quiet"});
        if (!servers.back()->waitForReadyRead(5000)) {
            std::fprintf(stderr, "nv742-bench: %s did not start\n", qPrintable(simulator));
            return {};
        }
        ptys << QString::fromLocal8Bit(servers.back()->readLine()).trimmed();
    }
    return ptys;
}

}  // namespace nv
