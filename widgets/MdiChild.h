#pragma once
// Base of every child window of the main window: it knows the shared state and the workspace,
// places itself relative to the main window and hears when it becomes the active child.

#include <QPointer>
#include <QWidget>

#include "core/AppState.h"
#include "widgets/Workspace.h"

class QMdiSubWindow;

namespace nv {

class MdiChild : public QWidget {
    Q_OBJECT
  public:
    MdiChild(AppState& state, Workspace& workspace);

    // Sizes, places, captions and decodes the window; runs once, right after it is added to
    // the work area.
    virtual void load() = 0;

    QMdiSubWindow* subWindow() const;
    // Closes the child together with its frame.
    void closeWindow();
    // After a change of the image made outside any window's decoding: the other open
    // windows show it at once.
    void refreshOtherWindows();
    // Runs each time the window becomes the active child window.
    virtual void activated() {}
    // Shows the image as it stands after it changed under the window (an undo or a redo);
    // by default what activation does.
    virtual void refresh() { activated(); }
    // A transfer with the radio that runs in this window (a read, a write, a comparison, the
    // adjustment link), from its start button until it has completed or failed for good.
    virtual bool transferInProgress() const { return false; }
    // Whether that transfer puts data into the radio.
    virtual bool transferWritesRadio() const { return false; }
    // Stops it between two frames, sends the radio the end byte and closes the port.
    virtual void stopTransfer() {}
    // What stopping a transfer that writes no radio now would cost, when the window knows
    // better than "nothing of this transfer is kept"; empty for that.
    virtual QString stopConsequence(bool /*chinese*/) const { return {}; }
    // The width the window needs to show all its columns without scrolling sideways; 0 when
    // any width will do. Tiling gives it this width when there is room.
    virtual int neededWidth() const { return 0; }
    // Opens this window's page of the user guide, in the language of the moment (what the
    // Help buttons and F1 do).
    void showHelp();

    // The language of the window: the one active when it was opened. Its captions, lists
    // and cell texts stay in it; message boxes follow the language of the moment.
    const bool chinese;
    QString text(const char* chineseText, const char* englishText) const {
        return QString::fromUtf8(chinese ? chineseText : englishText);
    }

    // Set when the program closes the window (a new instance replaces it, the main window
    // ends), as opposed to the user.
    bool closingByProgram = false;

  protected:
    // Sizes and places the frame in the main window's work area.
    void placeWindow(int left, int top, int width, int height);
    // Shows an editor with Tab in the order of its layout and the focus in its first field
    // (not on a button that Enter or Space would press).
    void showAtFirstField();
    int mainWidth() const;
    int mainHeight() const;
    int innerWidth() const;
    int innerHeight() const;
    static int twips(int t) { return t / 15; }
    // Enables or disables a text or list box; a disabled one takes the button-face colour.
    void setEnabledLook(QWidget* w, bool enabled);

    AppState& state;
    Workspace& workspace;
};

}  // namespace nv
