#pragma once
// What every verb of nv742-cli shares: loading a channel file with a reason on failure, and
// the progress and messages of a transfer on the terminal.

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <string>

#include "core/AppState.h"
#include "files/FileIo.h"
#include "link/TracingPort.h"

namespace nv {

// Loads a channel file into the image; on failure the image is unchanged and `error` says why.
bool loadChannelFileAt(const QString& path, Image& image, QString* error);

// Reads an input file whole; on failure `error` says why, naming the file once.
bool readInputFile(const QString& path, QByteArray* data, QString* error,
                   qint64 maxSize = MaxConfigFileSize);

// A progress bar on stderr, when stderr is a terminal.
void showConsoleProgress(int percent, const std::string& label);
// A link message on stderr.
void showConsoleMessage(const std::string& text);

// Keeps an image read from the radio on PORT: a backup first, which keeps the read even when
// FILE cannot be written (its own failure is only told), then FILE. Returns the exit status.
int keepRead(const Image& image, const QString& port, const QString& file);

// Before an output file replaces an existing one, the old content goes into the backups folder
// (..._replaced_NAME), as in the application; a copy that cannot be made is told on stderr and
// never stops the command.
void keepReplacedOutput(const QString& path);

// An output file that is one of the inputs, by the same name, another path or a link, would
// destroy the input before it was read whole: the usage status with a message, or nothing.
std::optional<int> refuseOutputOverInput(const QStringList& inputs, const QString& output);

// A transfer stopped by Ctrl+C or SIGTERM: what the radio holds now, and 130 or 143. A write
// says how many of its rows the radio took; a read, that FILE was not written.
int interruptedTransfer(const QString& port, bool write, int rowsWritten, bool endByteSent,
                        const QString& file = {});

// When it goes, says on stderr if the trace file could not be written whole (a full disk): the
// transfer's own result and exit status stand, but nobody should trust a cut trace.
class TraceCheck {
  public:
    TraceCheck(std::shared_ptr<TraceLog> log, QString path)
        : log_(std::move(log)), path_(std::move(path)) {}
    ~TraceCheck();
    TraceCheck(const TraceCheck&) = delete;
    TraceCheck& operator=(const TraceCheck&) = delete;

  private:
    std::shared_ptr<TraceLog> log_;
    QString path_;
};

// Text for the terminal: each line with what could drive the terminal or turn the line around
// (a file or port name from the command line, a value from a file) written as escapes.
QString visibleLines(const QString& text);
// The same for one line: a line break is an escape too.
QString visibleLine(const QString& text);

// "nv742-cli: TEXT" on stderr as one line, shown with visibleLine(); returns the exit status.
int cliFailure(const QString& text, int status = 2);

}  // namespace nv
