#include "app/CliCommon.h"

#include <unistd.h>

#include <QByteArray>
#include <cstdio>

#include "core/ChannelFile.h"
#include "files/Backups.h"
#include "files/ChannelFileProblem.h"
#include "files/FileIo.h"

namespace nv {

bool loadChannelFileAt(const QString& path, Image& image, QString* error) {
    QByteArray data;
    QString reason;
    if (!readConfigFile(path, &data, &reason)) {
        *error = QStringLiteral("cannot read %1: %2").arg(path, reason);
        return false;
    }
    const NumberListError e = loadChannelFileText(data.toStdString(), image);
    if (e.kind == NumberListError::None) return true;
    *error = path + ": " + channelFileProblem(e, false);
    return false;
}

void showConsoleProgress(int percent, const std::string& label) {
    if (!::isatty(STDERR_FILENO)) return;
    const int filled = percent * 30 / 100;
    std::fprintf(stderr, "\r[%s%s] %3d%%  %-28s", std::string(filled, '#').c_str(),
                 std::string(30 - filled, '.').c_str(), percent, label.c_str());
    std::fflush(stderr);
}

void showConsoleMessage(const std::string& text) {
    if (::isatty(STDERR_FILENO)) std::fprintf(stderr, "\n");
    std::fprintf(stderr, "%s\n", text.c_str());
}

int keepRead(const Image& image, const QString& port, const QString& file) {
    const BackupResult backup = writeBackup(image, portLabel(port));
    if (!backup.ok) std::fprintf(stderr, "nv742-cli: %s\n", qPrintable(backupProblem(backup, false)));
    QString reason;
    if (!writeFileAtomically(file, QByteArray::fromStdString(channelFileText(image)), &reason))
        return cliFailure(QStringLiteral("cannot write %1: %2").arg(file, reason), 1);
    return 0;
}

int cliFailure(const QString& text, int status) {
    std::fprintf(stderr, "nv742-cli: %s\n", qPrintable(text));
    return status;
}

}  // namespace nv
