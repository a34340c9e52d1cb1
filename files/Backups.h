#pragma once
// Every completed read from a radio also leaves a channel file in the user's data folder, so
// that a configuration changed or overwritten afterwards can be found again. The newest
// BackupsKept are kept; files of other names in the folder are never touched.

#include <QDateTime>
#include <QString>

#include "core/AppState.h"
#include "files/FileIo.h"
#include "widgets/Workspace.h"

namespace nv {

constexpr int BackupsKept = 100;

// $XDG_DATA_HOME/nv742-cps/backups, or ~/.local/share/nv742-cps/backups without it.
QString backupFolder();

// The port as a file name shows it: COM8; ttyUSB0 for /dev/ttyUSB0, pts-3 for /dev/pts/3.
QString portLabel(const QString& port);

// Date, time and port: 2026-12-07_23-41-05_COM8.chann.
QString backupFileName(const QDateTime& when, const QString& portLabel);
bool isBackupFileName(const QString& name);

struct BackupResult {
    bool ok = false;
    QString path;         // the file written, or the one that could not be
    QString folder;       // set alone when the folder could not be made
    FileProblem problem;  // why the file could not be written
};

// Writes rows 0 to 53 of the image as a channel file into the folder (made when missing),
// through the same safe writer as a save, then (with `prune`) removes the oldest backups
// beyond BackupsKept.
BackupResult writeBackup(const Image& image, const QString& portLabel,
                         const QString& folder = backupFolder(),
                         const QDateTime& when = QDateTime::currentDateTime(), bool prune = true);

// Before a save replaces the file at `path`, its old content goes into the folder as
// 2026-12-07_23-41-05_replaced_NAME (NAME with its suffix, .chann or .adj). Ok without a path
// when there was no file to keep.
BackupResult keepReplacedFile(const QString& path, const QString& folder = backupFolder(),
                              const QDateTime& when = QDateTime::currentDateTime());
QString replacedFileName(const QDateTime& when, const QString& fileName);

// The same for a window's save: a backup that cannot be written never stops the save; the
// status bar tells it.
void keepReplacedFile(const AppState& state, Workspace& workspace, const QString& path);

// Removes the oldest backups (by the date and time in their names) so that `keep` remain.
void pruneBackups(const QString& folder, int keep = BackupsKept);

// The status bar's words for a backup that was not written.
QString backupProblem(const BackupResult& result, bool chinese);

}  // namespace nv
