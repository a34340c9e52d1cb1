#include "app/CliCommon.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QByteArray>
#include <QFile>
#include <cstdio>

#include "core/ChannelFile.h"
#include "files/Backups.h"
#include "files/ChannelFileProblem.h"
#include "files/FileIo.h"
#include "link/Interruption.h"
#include "core/VisibleText.h"
#include "link/WriteLink.h"

namespace nv {

bool loadChannelFileAt(const QString& path, Image& image, QString* error) {
    QByteArray data;
    if (!readInputFile(path, &data, error)) return false;
    const NumberListError e = loadChannelFileText(data.toStdString(), image);
    if (e.kind == NumberListError::None) return true;
    *error = path + ": " + channelFileProblem(e, false);
    return false;
}

bool readInputFile(const QString& path, QByteArray* data, QString* error, qint64 maxSize) {
    FileProblem problem;
    if (readConfigFile(path, data, &problem, maxSize)) return true;
    // Most reasons name the file already ("X does not exist"); the system's do not.
    *error = problem.kind == FileProblem::System
                 ? QStringLiteral("cannot read %1: %2").arg(path, problem.text(false))
                 : problem.text(false);
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
    std::fprintf(stderr, "%s\n", qPrintable(visibleLines(QString::fromStdString(text))));
}

int keepRead(const Image& image, const QString& port, const QString& file) {
    const BackupResult backup = writeBackup(image, portLabel(port));
    if (!backup.ok) cliFailure(backupProblem(backup, false));
    keepReplacedOutput(file);
    QString reason;
    if (!writeFileAtomically(file, QByteArray::fromStdString(channelFileText(image)), &reason))
        return cliFailure(QStringLiteral("cannot write %1: %2").arg(file, reason), 1);
    return 0;
}

void keepReplacedOutput(const QString& path) {
    const BackupResult kept = keepReplacedFile(path);
    if (!kept.ok)
        cliFailure(QStringLiteral("the old %1 is replaced without a copy: %2")
                       .arg(path, backupProblem(kept, false)));
}

namespace {

// The same file whatever the path: a second name, a symbolic or a hard link.
bool sameFile(const QString& a, const QString& b) {
    struct stat sa {}, sb {};
    if (::stat(QFile::encodeName(a).constData(), &sa) != 0 ||
        ::stat(QFile::encodeName(b).constData(), &sb) != 0)
        return false;  // a file that does not exist yet is no input
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

}  // namespace

std::optional<int> refuseOutputOverInput(const QStringList& inputs, const QString& output) {
    for (const QString& input : inputs)
        if (!input.isEmpty() && sameFile(input, output))
            return cliFailure(QStringLiteral("%1 is the input %2: give the output another name; "
                                             "nothing was written")
                                  .arg(output, input));
    return std::nullopt;
}

int interruptedTransfer(const QString& port, bool write, int rowsWritten, bool endByteSent,
                        const QString& file) {
    if (::isatty(STDERR_FILENO)) std::fprintf(stderr, "\n");  // below the progress bar
    const QString left = endByteSent ? QStringLiteral(" and left programming mode")
                                     : QStringLiteral("; it could not be told to leave "
                                                      "programming mode (switch it off and on)");
    if (write)
        cliFailure(QStringLiteral("interrupted: the radio on %1 acknowledged %2 of %3 rows%4; it "
                                  "holds only part of the new configuration and must be written "
                                  "again")
                       .arg(port)
                       .arg(rowsWritten)
                       .arg(LastWrittenRow + 1)
                       .arg(left));
    else
        cliFailure(QStringLiteral("interrupted: the read from the radio on %1 was stopped%2%3")
                       .arg(port, endByteSent ? QString() : left,
                            file.isEmpty() ? QString() : "; " + file + " was not written"));
    return Interruption::exitStatus();
}

int cliFailure(const QString& text, int status) {
    // One line: a line break in a name given on the command line cannot forge a line of ours.
    std::fprintf(stderr, "nv742-cli: %s\n", qPrintable(visibleLine(text)));
    return status;
}

TraceCheck::~TraceCheck() {
    if (!log_) return;
    if (const int error = log_->finish())
        cliFailure(QStringLiteral("the trace file %1 is incomplete: %2")
                       .arg(path_, systemReason(error, false)));
}

QString visibleLine(const QString& text) {
    return QString::fromStdString(visibleText(text.toStdString()));
}

QString visibleLines(const QString& text) {
    return QString::fromStdString(nv::visibleLines(text.toStdString()));
}

}  // namespace nv
