#include "widgets/FileChoice.h"

#include <QDir>
#include <QFileDialog>

#include "widgets/Messages.h"

namespace nv {

namespace {
FileChooser& chooser() {
    static FileChooser c;
    return c;
}
}  // namespace

void setFileChooser(FileChooser c) { chooser() = std::move(c); }

ChosenFile::ChosenFile(const QString& path) : before_(chooser()) {
    chooser() = [path](QWidget*, FileChoiceKind, const QString&, const QString&, const QString&) {
        return path;
    };
}
ChosenFile::~ChosenFile() { chooser() = std::move(before_); }

QString chooseFile(QWidget* parent, FileChoiceKind kind, const QString& title,
                   const QString& filter, const QString& suffix) {
    if (chooser()) return chooser()(parent, kind, title, filter, suffix);
    QFileDialog dialog(parent, title, QDir::homePath(), filter);
    if (kind == FileChoiceKind::Save) {
        // The dialog adds the suffix itself, so that it asks before replacing the file that
        // will really be written.
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setDefaultSuffix(suffix);
    } else {
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    return execKeepingFocus(dialog) == QDialog::Accepted ? dialog.selectedFiles().value(0)
                                                         : QString();
}

}  // namespace nv
