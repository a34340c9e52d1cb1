#pragma once
// Undo and redo of the radio image, whatever changed it: an edit in any window, Clear,
// Default, a file load, a completed read. No window reports its changes; instead the image is
// compared with the last recorded state whenever the program is about to wait for the user
// (the event loop goes idle) and before each key press, click or wheel turn is handled, but
// never while a modal box waits. So everything one user action does to the image, a grid
// commit that writes receive and transmit frequency or a read with its sixteen blocks, becomes
// one step.

#include <QObject>
#include <QPointer>

#include "core/ImageHistory.h"

class QAction;
class QKeyEvent;
class QMdiArea;
class QWidget;

namespace nv {

struct AppState;

class ImageUndo : public QObject {
    Q_OBJECT
  public:
    // The two menu items get their shortcuts here: Ctrl+Z, and Ctrl+Y or Ctrl+Shift+Z.
    // `frame` is the main window, `area` the work area whose windows show the image.
    ImageUndo(AppState& state, QWidget* frame, QMdiArea* area, QAction* undoItem,
              QAction* redoItem);
    ~ImageUndo() override;

    // From now on changes are steps; the image as it stands is where undo stops.
    void begin();
    // Makes a change not recorded yet a step of its own, or part of the last step when it only
    // tidies channels that were empty already.
    void settle();
    void undo();
    void redo();
    // The image is back at a state it had a few steps ago because an edit was taken back: the
    // steps since are dropped, with nothing to redo.
    void takeBack(const Image& image);

    // Runs a window's decoding (load, activation). What a window writes while it shows the
    // image (tidying an empty channel, say) belongs to the step before, not to a new one.
    template <class F>
    void decoding(F&& decode) {
        const bool settled = isSettled();
        decode();
        if (settled) amendIfChanged();
    }

    const ImageHistory& history() const { return history_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void restore(bool back);
    bool isSettled() const;
    void amendIfChanged();
    void idle();
    void updateItems();
    bool writingToRadio() const;
    bool isOurs(QObject* watched) const;
    bool textBoxKey(QObject* watched, QKeyEvent* key);

    AppState& state_;
    QPointer<QWidget> frame_;
    QPointer<QMdiArea> area_;
    QAction* undoItem_;
    QAction* redoItem_;
    ImageHistory history_;
};

}  // namespace nv
