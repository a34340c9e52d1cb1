#pragma once
// What the file dialogs share: a drive list, a folder list, a file list with a pattern, a name
// box, and the name check before the dialog's own load or save.

#include <QString>
#include <string>

#include "widgets/MdiChild.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace nv {

class FileDialog : public MdiChild {
    Q_OBJECT
  public:
    struct Texts {
        const char* titleChinese;
        const char* titleEnglish;
        const char* nameChinese;  // Label_name
        const char* nameEnglish;
        const char* invalidChinese;
        const char* invalidEnglish;
        const char* suffixChinese;
        const char* suffixEnglish;
    };

    FileDialog(AppState& state, Workspace& workspace, const char* name, QString suffix,
               Texts texts);
    void load() override;

    // Dir1's folder; File1 follows it.
    void setDirectory(const QString& path);
    QString directory() const { return directory_; }

    void Command_enter_Click();

    // The name check with its messages, shared with files named on the command line. True
    // with the name (without surrounding spaces) when it passes.
    static bool checkName(const AppState& state, QWidget* parent, const QString& text,
                          const QString& suffix, const Texts& texts, std::string* name);
    // The path of a file named on the command line (a double click in a file manager), after
    // the open dialog's name check, whose message it shows; empty when the name is refused.
    static QString startupPath(const AppState& state, QWidget* parent, const QString& argument,
                               const QString& suffix, const Texts& texts);

    QLabel* Label_drive;
    QComboBox* Drive1;
    QListWidget* Dir1;
    QListWidget* File1;
    QLabel* Label_name;
    QLineEdit* Text1;
    QPushButton* Command_enter;
    QPushButton* Command_close;

  protected:
    // Runs after a passing name check, with CurrentFilePath already set to `path`.
    virtual void perform(const QString& path) = 0;
    void placeLikeChannelFileDialogs();
    virtual void place() { placeLikeChannelFileDialogs(); }
    // Entries of the drive list beyond the volumes and the home folder.
    virtual void addPlaces() {}
    // A drive-list entry for a folder of the program's own, made when it is chosen.
    void addOwnFolder(const QString& caption, const QString& path);

  private:
    void fillDrives();
    void driveChosen(int index);
    void fillFolders();
    void fillFiles();
    QString startFolder() const;

    QString suffix_;
    Texts texts_;
    QString directory_;
};

}  // namespace nv
