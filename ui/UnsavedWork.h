#pragma once
// Leaving the program with an image that no file and no radio holds asks first: Save opens the
// save dialog and the program ends once that save has succeeded, Discard ends it, Cancel keeps
// it open.

#include <QObject>
#include <QPointer>

#include "core/AppState.h"

class QWidget;

namespace nv {

class Workspace;

class UnsavedWork : public QObject {
    Q_OBJECT
  public:
    UnsavedWork(AppState& state, Workspace& workspace, QWidget* frame);

    // True when the program may end now; otherwise the question kept it open or a save runs.
    bool mayEnd();

    // Runs a window's decoding (load, activation). What a window tidies while it shows the
    // image is no change of the user's: an image that was kept stays kept.
    template <class F>
    void decoding(F&& decode) {
        const bool kept = imageKept(state_);
        decode();
        if (kept) keepImage(state_);
    }

  private:
    void saveThenEnd();

    AppState& state_;
    Workspace& workspace_;
    QPointer<QWidget> frame_;
};

}  // namespace nv
