#pragma once
// Open and save dialogs of the channel file.

#include <functional>

#include "files/FileDialog.h"

namespace nv {

class Form_open_chann : public FileDialog {
    Q_OBJECT
  public:
    Form_open_chann(AppState& state, Workspace& workspace);

  protected:
    void perform(const QString& path) override;
    void addPlaces() override;
};

class Form_save_chann : public FileDialog {
    Q_OBJECT
  public:
    Form_save_chann(AppState& state, Workspace& workspace);

  protected:
    void perform(const QString& path) override;
};

// Loads a channel file into the image with the open dialog's messages; true when it loaded.
// `loaded` runs after the load, before the success message.
bool loadChannelFile(AppState& state, QWidget* parent, const QString& path,
                     const std::function<void()>& loaded = {});

// A channel file named on the command line (a double click in a file manager): the open
// dialog's name check, load and messages, run after start-up has opened the channel grid.
// Sets CurrentFilePath as the open dialog does.
bool openChannelFileAtStartup(AppState& state, Workspace& workspace, const QString& argument);

}  // namespace nv
