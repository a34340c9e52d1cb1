#pragma once
// The command-line programs as a script runs them: virtual radios on pseudo-terminals and
// nv742-cli with its exit status and both outputs.

#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

#include "core/ChannelFile.h"

namespace nv::test {

inline QString binary(const char* name) { return QStringLiteral(NV742_BIN_DIR "/") + name; }

// One nv742-sim; its pseudo-terminal is known once it has started.
class SimServer {
  public:
    bool start(const QStringList& args) {
        process_.start(binary("nv742-sim"), args);
        if (!process_.waitForReadyRead(5000)) return false;
        pty = QString::fromLocal8Bit(process_.readLine()).trimmed();
        return pty.startsWith("/dev/");
    }
    // Ends the server, which then saves its memory when it was started with --save.
    bool stop() {
        if (process_.state() == QProcess::NotRunning) return true;
        process_.terminate();
        return process_.waitForFinished(5000);
    }
    ~SimServer() { stop(); }
    // What it has logged of its sessions so far (started without --quiet).
    QString log() {
        log_ += QString::fromLocal8Bit(process_.readAllStandardError());
        return log_;
    }
    QString pty;

  private:
    QProcess process_;
    QString log_;
};

struct CliRun {
    int code = -1;
    QString out, err;
};

inline CliRun runCli(const QStringList& args) {
    QProcess p;
    p.start(binary("nv742-cli"), args);
    p.waitForFinished(60000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

inline QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline bool writeBytes(const QString& path, const QByteArray& data) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(data) == data.size();
}

// The image of a channel file, or nothing when it does not load.
inline std::unique_ptr<Image> loadImage(const QString& path) {
    auto im = std::make_unique<Image>();
    if (loadChannelFileText(fileBytes(path).toStdString(), *im).kind != NumberListError::None)
        return nullptr;
    return im;
}

inline bool saveImage(const QString& path, const Image& im) {
    return writeBytes(path, QByteArray::fromStdString(channelFileText(im)));
}

}  // namespace nv::test
