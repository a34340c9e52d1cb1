#pragma once
// Whole-file reads and writes for the configuration files. A write goes to a temporary file
// that replaces the old one only when every byte is on disk. Only regular files are read or
// replaced.

#include <QByteArray>
#include <QString>

namespace nv {

// Channel and adjustment files are a few kilobytes; anything far larger is not one of them.
constexpr qint64 MaxConfigFileSize = 1 << 20;

bool writeFileAtomically(const QString& path, const QByteArray& data, QString* reason);
// Whether a later writeFileAtomically() could create or replace the file (room on the disk
// aside).
bool checkWritable(const QString& path, QString* reason);
bool readConfigFile(const QString& path, QByteArray* data, QString* reason);

}  // namespace nv
