#pragma once
// Open and save dialogs of the adjustment file. A passing name closes the dialog and hands the
// path it chose to the adjustment window, which loads or saves and reports.

#include "files/FileDialog.h"

namespace nv {

class frm_Adj_Txp;

class AdjustFileDialog : public FileDialog {
    Q_OBJECT
  public:
    using FileDialog::FileDialog;

  protected:
    void place() override;
    // The adjustment window that opened the dialog, if it is still open.
    frm_Adj_Txp* adjustWindow() const;
};

class Form_open_adj : public AdjustFileDialog {
    Q_OBJECT
  public:
    Form_open_adj(AppState& state, Workspace& workspace);

  protected:
    void perform(const QString& path) override;
};

class Form_save_adj : public AdjustFileDialog {
    Q_OBJECT
  public:
    Form_save_adj(AppState& state, Workspace& workspace);

  protected:
    void perform(const QString& path) override;
};

// Whether a file named on the command line is an adjustment file (by its suffix, in any case).
bool isAdjustFileName(const QString& argument);

// An adjustment file named on the command line (a double click in a file manager): the
// adjustment window opens and loads it, with the open dialog's name check and the window's
// messages. Sets CurrentFilePath as the open dialog does.
bool openAdjustFileAtStartup(AppState& state, Workspace& workspace, const QString& argument);

}  // namespace nv
