#include "ui/UnsavedWork.h"

#include <QTimer>
#include <QWidget>

#include "widgets/MdiChild.h"
#include "widgets/Messages.h"

namespace nv {

UnsavedWork::UnsavedWork(AppState& state, Workspace& workspace, QWidget* frame)
    : QObject(frame), state_(state), workspace_(workspace), frame_(frame) {
    setObjectName("UnsavedWork");
}

bool UnsavedWork::mayEnd() {
    if (imageKept(state_)) return true;
    const QMessageBox::StandardButton answer =
        ask(frame_, qpick(state_, "操作提示", "Operate prompt"),
            qpick(state_, "信道参数已修改，尚未保存到文件或写入对讲机。退出前要保存吗？",
                  "The channel parameters have changed since they were last opened, saved, "
                  "read or written. Save them before leaving?"),
            QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
    if (answer == QMessageBox::Discard) return true;
    if (answer == QMessageBox::Save) saveThenEnd();
    return false;
}

// The save dialog is a window of the work area like any other: the program ends when it has
// closed after a save that succeeded, and stays when it was cancelled or the save failed.
void UnsavedWork::saveThenEnd() {
    MdiChild* dialog = workspace_.openWindow("Form_save_chann");
    if (!dialog) return;
    connect(dialog, &QObject::destroyed, this, [this] {
        if (!imageKept(state_)) return;
        QTimer::singleShot(0, this, [this] {
            if (frame_) frame_->close();
        });
    });
}

}  // namespace nv
