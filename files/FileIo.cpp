#include "files/FileIo.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace nv {

namespace {
// A FIFO, a device or a socket named by the user: opening a FIFO blocks until a writer
// appears, and replacing any of them with a file is not what the user meant.
bool refuseSpecialFile(const QFileInfo& info, const QString& path, QString* reason) {
    if (info.isDir()) {
        *reason = QStringLiteral("%1 is a folder").arg(path);
        return true;
    }
    if (info.exists() && !info.isFile()) {
        *reason = QStringLiteral("%1 is not a regular file").arg(path);
        return true;
    }
    return false;
}
}  // namespace

bool writeFileAtomically(const QString& path, const QByteArray& data, QString* reason) {
    if (refuseSpecialFile(QFileInfo(path), path, reason)) return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *reason = file.errorString();
        return false;
    }
    // The file is buffered: a full disk or a file-size limit shows only when the data is
    // flushed, and commit() would then put the cut file in place of the old one.
    if (file.write(data) != data.size() || !file.flush()) {
        *reason = file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        *reason = file.errorString();
        return false;
    }
    return true;
}

bool checkWritable(const QString& path, QString* reason) {
    if (refuseSpecialFile(QFileInfo(path), path, reason)) return false;
    // Opening the save file tries what the real save needs: a temporary file in the folder
    // and, for an existing file, the right to replace it. Nothing is committed.
    QSaveFile probe(path);
    if (!probe.open(QIODevice::WriteOnly)) {
        *reason = probe.errorString();
        return false;
    }
    probe.cancelWriting();
    return true;
}

bool readConfigFile(const QString& path, QByteArray* data, QString* reason) {
    const QFileInfo info(path);
    if (!info.exists()) {
        *reason = QStringLiteral("%1 does not exist").arg(path);
        return false;
    }
    if (refuseSpecialFile(info, path, reason)) return false;
    if (info.size() > MaxConfigFileSize) {
        *reason = QStringLiteral("%1 is far too large for this kind of file").arg(path);
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *reason = file.errorString();
        return false;
    }
    *data = file.read(MaxConfigFileSize + 1);
    if (file.error() != QFile::NoError) {
        *reason = file.errorString();
        return false;
    }
    return true;
}

}  // namespace nv
