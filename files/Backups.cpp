#include "files/Backups.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

#include "core/ChannelFile.h"
#include "files/FileIo.h"

namespace nv {

QString backupFolder() {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    // A relative XDG_DATA_HOME is invalid and is ignored, as the base directory rules say.
    QString base = qEnvironmentVariable("XDG_DATA_HOME");
    if (base.isEmpty() || QDir::isRelativePath(base)) base = QDir::homePath() + "/.local/share";
#else
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
#endif
    return base + "/nv742-cps/backups";
}

QString portLabel(const QString& port) {
    static const QRegularExpression com("^COM([1-8])$", QRegularExpression::CaseInsensitiveOption);
    if (const auto m = com.match(port); m.hasMatch()) return "COM" + m.captured(1);
    QString label = port.startsWith("/dev/") ? port.mid(5) : port;
    label.replace('/', '-');
    for (QChar& ch : label) {
        const char c = ch.toLatin1();
        const bool plain = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') ||
                           (c >= 'a' && c <= 'z') || c == '-' || c == '.';
        if (!plain) ch = '_';
    }
    while (label.startsWith('.') || label.startsWith('-')) label.remove(0, 1);
    return label.isEmpty() ? QStringLiteral("port") : label;
}

QString backupFileName(const QDateTime& when, const QString& label) {
    return when.toString("yyyy-MM-dd_HH-mm-ss") + "_" + label + ".chann";
}

bool isBackupFileName(const QString& name) {
    static const QRegularExpression pattern(
        R"(^\d{4}-\d{2}-\d{2}_\d{2}-\d{2}-\d{2}_[A-Za-z0-9._-]+\.chann$)");
    // The old content of a file the user saved over is theirs, not a read to be pruned.
    return pattern.match(name).hasMatch() && name.mid(20, 9) != QLatin1String("replaced_");
}

BackupResult writeBackup(const Image& image, const QString& label, const QString& folder,
                         const QDateTime& when, bool prune) {
    BackupResult result;
    if (!QDir().mkpath(folder)) {
        result.folder = folder;
        return result;
    }
    // Two reads within one second on the same port keep both files.
    const QString stem = QFileInfo(backupFileName(when, label)).completeBaseName();
    result.path = folder + "/" + stem + ".chann";
    for (int n = 2; QFileInfo::exists(result.path); ++n)
        result.path = QStringLiteral("%1/%2_%3.chann").arg(folder, stem).arg(n);
    const QByteArray text = QByteArray::fromStdString(channelFileText(image));
    if (!writeFileAtomically(result.path, text, &result.problem)) return result;
    result.ok = true;
    if (prune) pruneBackups(folder);
    return result;
}

QString replacedFileName(const QDateTime& when, const QString& fileName) {
    return when.toString("yyyy-MM-dd_HH-mm-ss") + "_replaced_" + fileName;
}

BackupResult keepReplacedFile(const QString& path, const QString& folder, const QDateTime& when) {
    BackupResult result;
    const QFileInfo old(path);
    if (!old.isFile()) {
        result.ok = true;  // nothing is replaced
        return result;
    }
    if (!QDir().mkpath(folder)) {
        result.folder = folder;
        return result;
    }
    const QFileInfo name(replacedFileName(when, old.fileName()));
    result.path = folder + "/" + name.fileName();
    for (int n = 2; QFileInfo::exists(result.path); ++n)
        result.path = QStringLiteral("%1/%2_%3.%4")
                          .arg(folder, name.completeBaseName())
                          .arg(n)
                          .arg(name.suffix());
    // Whatever the file is (a large PDF or CSV as well), its old content is kept whole.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.problem = {FileProblem::System, path, 0, file.errorString()};
        return result;
    }
    const QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        result.problem = {FileProblem::System, path, 0, file.errorString()};
        return result;
    }
    if (!writeFileAtomically(result.path, content, &result.problem)) return result;
    result.ok = true;
    return result;
}

void keepReplacedFile(const AppState& state, Workspace& workspace, const QString& path) {
    const BackupResult kept = keepReplacedFile(path);
    if (!kept.ok) workspace.setPanel(8, backupProblem(kept, state.LanguageChinese));
}

void pruneBackups(const QString& folder, int keep) {
    QDir dir(folder);
    QStringList backups;
    for (const QString& name : dir.entryList({"*.chann"}, QDir::Files))
        if (isBackupFileName(name)) backups << name;
    backups.sort(Qt::CaseSensitive);
    // Names begin with the date and time; a second file of the same second sorts after the
    // first ("COM8.chann" before "COM8_2.chann").
    for (qsizetype i = 0; i + keep < backups.size(); ++i) dir.remove(backups[i]);
}

QString backupProblem(const BackupResult& r, bool chinese) {
    // Short enough for the status bar: the home folder as "~", no file name.
    const auto shown = [](const QString& path) {
        const QString home = QDir::homePath();
        return path.startsWith(home + "/") ? "~" + path.mid(home.size()) : path;
    };
    if (!r.folder.isEmpty())
        return chinese ? QStringLiteral("备份未写入：无法建立文件夹 %1").arg(shown(r.folder))
                       : QStringLiteral("Backup not written: cannot make %1").arg(shown(r.folder));
    const QString folder = shown(QFileInfo(r.path).path());
    return chinese
               ? QStringLiteral("备份未写入 %1：%2").arg(folder, r.problem.text(true))
               : QStringLiteral("Backup not written to %1: %2").arg(folder, r.problem.text(false));
}

}  // namespace nv
