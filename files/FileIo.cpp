#include "files/FileIo.h"

#include "core/VisibleText.h"

#include <sys/stat.h>

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <cerrno>
#include <cstring>

namespace nv {

namespace {

// A FIFO, a device or a socket named by the user: opening a FIFO blocks until a writer
// appears, and replacing any of them with a file is not what the user meant.
bool refuseSpecialFile(const QFileInfo& info, const QString& path, FileProblem* problem) {
    if (info.isDir()) {
        *problem = {FileProblem::Folder, path, 0, {}};
        return true;
    }
    if (info.exists() && !info.isFile()) {
        *problem = {FileProblem::NotRegularFile, path, 0, {}};
        return true;
    }
    return false;
}

// errno must be taken right after the call that failed, before anything else can change it.
FileProblem systemProblem(const QString& path, int osError, const QFileDevice& file) {
    return {FileProblem::System, path, osError, file.errorString()};
}

// The system's reason for the common failures in both languages: the system's own words
// (strerror) are English only, and Qt's can be "Unknown error" for a full disk.
QString systemText(int osError, bool chinese) {
    auto pick = [chinese](const char* zh, const char* en) {
        return QString::fromUtf8(chinese ? zh : en);
    };
    switch (osError) {
        case ENOSPC:
            return pick("磁盘已满", "no space left on the device");
        case EDQUOT:
            return pick("超出磁盘配额", "the disk quota is used up");
        case EFBIG:
            return pick("文件超出允许的大小", "the file is larger than allowed");
        case EACCES:
        case EPERM:
            return pick("没有权限", "permission denied");
        case EROFS:
            return pick("文件系统只读", "the file system is read-only");
        case ENOENT:
            return pick("文件或文件夹不存在", "not found");
        case EISDIR:
            return pick("是文件夹", "is a folder");
        case ENAMETOOLONG:
            return pick("文件名太长", "the name is too long");
        case EIO:
            return pick("设备读写错误", "input/output error on the device");
        default:
            return QString();
    }
}

template <class Call>
bool withReason(QString* reason, Call call) {
    FileProblem problem;
    if (call(&problem)) return true;
    *reason = problem.text(false);
    return false;
}

}  // namespace

QString FileProblem::text(bool chinese) const {
    // A name is shown as it is, unless it holds what would drive a terminal or turn the line.
    const QString shown = QString::fromStdString(visibleText(path.toStdString()));
    switch (kind) {
        case None:
            return QString();
        case Folder:
            return chinese ? QStringLiteral("%1 是文件夹").arg(shown)
                           : QStringLiteral("%1 is a folder").arg(shown);
        case NotRegularFile:
            return chinese ? QStringLiteral("%1 不是普通文件").arg(shown)
                           : QStringLiteral("%1 is not a regular file").arg(shown);
        case Missing:
            return chinese ? QStringLiteral("%1 不存在").arg(shown)
                           : QStringLiteral("%1 does not exist").arg(shown);
        case TooLarge:
            return chinese ? QStringLiteral("%1 太大，不是这类文件").arg(shown)
                           : QStringLiteral("%1 is far too large for this kind of file").arg(shown);
        case System:
            break;
    }
    if (osError == 0)
        return chinese ? QStringLiteral("系统错误（%1）").arg(osText) : osText;
    return systemReason(osError, chinese);
}

QString systemReason(int osError, bool chinese) {
    const QString known = systemText(osError, chinese);
    if (!known.isEmpty()) return known;
    const QString system = QString::fromLocal8Bit(std::strerror(osError));
    return chinese ? QStringLiteral("系统错误（%1）").arg(system) : system;
}

bool writeFileAtomically(const QString& path, const QByteArray& data, FileProblem* problem) {
    if (refuseSpecialFile(QFileInfo(path), path, problem)) return false;
    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly)) {
        *problem = systemProblem(path, errno, file);
        return false;
    }
    // The file is buffered: a full disk or a file-size limit shows only when the data is
    // flushed, and commit() would then put the cut file in place of the old one.
    errno = 0;
    if (file.write(data) != data.size() || !file.flush()) {
        *problem = systemProblem(path, errno, file);
        file.cancelWriting();
        return false;
    }
    errno = 0;
    if (!file.commit()) {
        *problem = systemProblem(path, errno, file);
        return false;
    }
    return true;
}

bool checkWritable(const QString& path, FileProblem* problem) {
    if (refuseSpecialFile(QFileInfo(path), path, problem)) return false;
    // Opening the save file tries what the real save needs: a temporary file in the folder
    // and, for an existing file, the right to replace it. Nothing is committed.
    QSaveFile probe(path);
    errno = 0;
    if (!probe.open(QIODevice::WriteOnly)) {
        *problem = systemProblem(path, errno, probe);
        return false;
    }
    probe.cancelWriting();
    return true;
}

bool readConfigFile(const QString& path, QByteArray* data, FileProblem* problem, qint64 maxSize) {
    // A file in a folder that may not be searched cannot even be looked at: that is a lack of
    // permission, not a missing file.
    struct stat status;
    errno = 0;
    if (::stat(QFile::encodeName(path).constData(), &status) != 0) {
        const int osError = errno;
        *problem = osError == ENOENT || osError == ENOTDIR
                       ? FileProblem{FileProblem::Missing, path, 0, {}}
                       : FileProblem{FileProblem::System, path, osError, {}};
        return false;
    }
    const QFileInfo info(path);
    if (refuseSpecialFile(info, path, problem)) return false;
    if (info.size() > maxSize) {
        *problem = {FileProblem::TooLarge, path, 0, {}};
        return false;
    }
    QFile file(path);
    errno = 0;
    if (!file.open(QIODevice::ReadOnly)) {
        *problem = systemProblem(path, errno, file);
        return false;
    }
    errno = 0;
    // Room for the size it had, and one byte more to see whether it grew past the bound.
    *data = file.read(std::min(info.size(), maxSize) + 1);
    if (file.error() != QFile::NoError) {
        *problem = systemProblem(path, errno, file);
        return false;
    }
    if (data->size() > maxSize) {
        data->clear();
        *problem = {FileProblem::TooLarge, path, 0, {}};
        return false;
    }
    return true;
}

bool writeFileAtomically(const QString& path, const QByteArray& data, QString* reason) {
    return withReason(reason, [&](FileProblem* p) { return writeFileAtomically(path, data, p); });
}

bool checkWritable(const QString& path, QString* reason) {
    return withReason(reason, [&](FileProblem* p) { return checkWritable(path, p); });
}

bool readConfigFile(const QString& path, QByteArray* data, QString* reason, qint64 maxSize) {
    return withReason(reason,
                      [&](FileProblem* p) { return readConfigFile(path, data, p, maxSize); });
}

}  // namespace nv
