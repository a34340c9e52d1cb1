#include "files/FileIo.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace nv {

bool writeFileAtomically(const QString& path, const QByteArray& data, QString* reason) {
    if (QFileInfo(path).isDir()) {
        *reason = QStringLiteral("%1 is a folder").arg(path);
        return false;
    }
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

bool readConfigFile(const QString& path, QByteArray* data, QString* reason) {
    const QFileInfo info(path);
    if (!info.exists()) {
        *reason = QStringLiteral("%1 does not exist").arg(path);
        return false;
    }
    if (info.isDir()) {
        *reason = QStringLiteral("%1 is a folder").arg(path);
        return false;
    }
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
