#pragma once
// Whole-file reads and writes for the configuration files. A write goes to a temporary file
// that replaces the old one only when every byte is on disk. Only regular files are read or
// replaced.

#include <QByteArray>
#include <QString>
#include <string_view>

#include "core/Csv.h"  // MaxCsvFileSize

namespace nv {

// Channel and adjustment files are a few kilobytes; anything far larger is not one of them.
constexpr qint64 MaxConfigFileSize = 1 << 20;

// Why a file could not be read or written, told in either language. The system's own words
// (from strerror) are English only, so the common system errors have Chinese texts of their
// own.
struct FileProblem {
    enum Kind { None, Folder, NotRegularFile, Missing, TooLarge, System } kind = None;
    QString path;
    int osError = 0;  // errno of the failing call, for System
    QString osText;   // the system's words for it
    QString text(bool chinese) const;
};

// The system's reason for errno `osError` in either language (the system's own words where no
// translation is known).
QString systemReason(int osError, bool chinese);

bool writeFileAtomically(const QString& path, const QByteArray& data, FileProblem* problem);
// Whether a later writeFileAtomically() could create or replace the file (room on the disk
// aside).
bool checkWritable(const QString& path, FileProblem* problem);
bool readConfigFile(const QString& path, QByteArray* data, FileProblem* problem,
                    qint64 maxSize = MaxConfigFileSize);

// The bytes read, for the readers that take a view of them (no copy of a large file).
inline std::string_view asView(const QByteArray& data) {
    return {data.constData(), static_cast<std::size_t>(data.size())};
}

// The same, with the reason in English (the command-line tools).
bool writeFileAtomically(const QString& path, const QByteArray& data, QString* reason);
bool checkWritable(const QString& path, QString* reason);
bool readConfigFile(const QString& path, QByteArray* data, QString* reason,
                    qint64 maxSize = MaxConfigFileSize);

}  // namespace nv
