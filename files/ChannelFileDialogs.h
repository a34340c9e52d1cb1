#pragma once
// Open and save dialogs of the channel file.

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

}  // namespace nv
