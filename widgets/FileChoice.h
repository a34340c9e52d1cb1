#pragma once
// The toolkit's standard file dialog, for commands that read or write a file of another
// program's format. Tests replace the modal dialog with a function that answers at once.

#include <QString>
#include <functional>

class QWidget;

namespace nv {

enum class FileChoiceKind { Open, Save };

// The chosen path, or an empty text when the user cancelled. A name chosen for saving without
// a suffix gets `suffix`.
using FileChooser =
    std::function<QString(QWidget* parent, FileChoiceKind kind, const QString& title,
                          const QString& filter, const QString& suffix)>;

// Installs a replacement for the dialog; an empty chooser restores the real one.
void setFileChooser(FileChooser chooser);
// While it lives, every file question is answered with `path` (a file dropped on the
// program); then the chooser before it answers again.
class ChosenFile {
  public:
    explicit ChosenFile(const QString& path);
    ~ChosenFile();
    ChosenFile(const ChosenFile&) = delete;
    ChosenFile& operator=(const ChosenFile&) = delete;

  private:
    FileChooser before_;
};

QString chooseFile(QWidget* parent, FileChoiceKind kind, const QString& title,
                   const QString& filter, const QString& suffix);

}  // namespace nv
