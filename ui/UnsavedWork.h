#pragma once
// Leaving the program. While a transfer with the radio runs, the user first chooses between
// waiting for it and stopping it. Then, with channels or adjustment values that no file and no
// radio holds, a question: Save opens the save dialogs of what changed and the program ends once
// every save has succeeded, Discard ends it, Cancel keeps it open.

#include <QObject>
#include <QPointer>

#include "core/AppState.h"

class QWidget;

namespace nv {

class MdiChild;
class Workspace;

class UnsavedWork : public QObject {
    Q_OBJECT
  public:
    UnsavedWork(AppState& state, Workspace& workspace, QWidget* frame);

    // True when no transfer runs any more: none ran, or the user chose to stop them.
    bool transfersMayStop();
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
    QList<MdiChild*> runningTransfers() const;
    QString stopConsequence(const QList<MdiChild*>& running) const;
    // The transfer question went away by itself: the next question comes up under the pointer.
    bool questionWentAway_ = false;
    void saveThenEnd(bool channels, bool adjustment);
    // Opens a save dialog; once it has closed, `next` runs if `saved` says the save succeeded.
    void saveIn(const QString& dialog, bool (*saved)(const AppState&), std::function<void()> next);

    AppState& state_;
    Workspace& workspace_;
    QPointer<QWidget> frame_;
};

}  // namespace nv
