#include "ui/UnsavedWork.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <utility>

#include "widgets/MdiChild.h"
#include "widgets/Messages.h"

namespace nv {

UnsavedWork::UnsavedWork(AppState& state, Workspace& workspace, QWidget* frame)
    : QObject(frame), state_(state), workspace_(workspace), frame_(frame) {
    setObjectName("UnsavedWork");
}

QList<MdiChild*> UnsavedWork::runningTransfers() const {
    QList<MdiChild*> running;
    for (QMdiSubWindow* sub : workspace_.workArea()->subWindowList())
        if (auto* w = qobject_cast<MdiChild*>(sub->widget()); w && w->transferInProgress())
            running << w;
    return running;
}

// What stopping costs when no radio is being written: a window's own words (the station's, while
// it waits or reads) when every running window has them.
QString UnsavedWork::stopConsequence(const QList<MdiChild*>& running) const {
    QString own;
    for (MdiChild* w : running) {
        own = w->stopConsequence(state_.LanguageChinese);
        if (own.isEmpty()) break;
    }
    if (!own.isEmpty()) return own;
    return qpick(state_, "正在与对讲机交换数据。现在停止，这次传输的数据不会保留。",
                 "Data is being exchanged with the radio. If you stop now, nothing of this "
                 "transfer is kept.");
}

// The transfer goes on while the question is up; Wait is what Escape and Enter choose, so that
// no key pressed in a hurry cuts a radio's programming short.
bool UnsavedWork::transfersMayStop() {
    QList<MdiChild*> running = runningTransfers();
    if (running.isEmpty()) return true;
    const bool writing =
        std::any_of(running.begin(), running.end(), [](MdiChild* w) { return w->transferWritesRadio(); });
    QMessageBox box(QMessageBox::Warning, qpick(state_, "操作提示", "Operate prompt"),
                    writing ? qpick(state_,
                                    "正在向对讲机写入数据。现在停止，对讲机中只有部分新配置，"
                                    "必须重新写入。",
                                    "Data is being written to the radio. If you stop now, the "
                                    "radio will hold only part of the new configuration and must "
                                    "be written again.")
                            : stopConsequence(running),
                    QMessageBox::NoButton, frame_);
    box.setObjectName("TransferQuestion");
    QPushButton* wait = box.addButton(qpick(state_, "等待", "Wait"), QMessageBox::RejectRole);
    QPushButton* stop =
        box.addButton(qpick(state_, "停止并退出", "Stop and quit"), QMessageBox::DestructiveRole);
    wait->setObjectName("Wait");
    stop->setObjectName("StopAndQuit");
    box.setDefaultButton(wait);
    box.setEscapeButton(wait);
    // A transfer that ends while the question is up leaves nothing to stop: the question goes
    // and leaving goes on.
    QTimer watch;
    connect(&watch, &QTimer::timeout, &box, [this, &box] {
        if (runningTransfers().isEmpty()) box.done(QMessageBox::Ok);
    });
    watch.start(100);
    box.exec();
    questionWentAway_ = box.clickedButton() == nullptr;
    if (runningTransfers().isEmpty()) return true;
    if (box.clickedButton() != stop) return false;
    // The list is taken again: a transfer may have ended, or its window closed, meanwhile.
    for (MdiChild* w : runningTransfers()) w->stopTransfer();
    return true;
}

bool UnsavedWork::mayEnd() {
    const bool channels = !imageKept(state_);
    const bool adjustment = !adjustKept(state_);
    if (!channels && !adjustment) return true;
    const QString text =
        !adjustment ? qpick(state_, "信道参数已修改，尚未保存到文件或写入对讲机。退出前要保存吗？",
                            "The channel parameters have changed since they were last opened, "
                            "saved, read or written. Save them before leaving?")
        : !channels
            ? qpick(state_, "调整参数已修改，尚未保存到文件或写入对讲机。退出前要保存吗？",
                    "The adjustment values have changed since they were last opened, saved, "
                    "read or written. Save them before leaving?")
            : qpick(state_, "信道参数和调整参数已修改，尚未保存到文件或写入对讲机。退出前要保存吗？",
                    "The channel parameters and the adjustment values have changed since they "
                    "were last opened, saved, read or written. Save them before leaving?");
    // Discard may stand where Stop and quit stood a moment ago: a click meant for that is lost.
    const int arm = std::exchange(questionWentAway_, false) ? 700 : 0;
    const QMessageBox::StandardButton answer =
        ask(frame_, qpick(state_, "操作提示", "Operate prompt"), text,
            QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save, arm);
    if (answer == QMessageBox::Discard) return true;
    if (answer == QMessageBox::Save) saveThenEnd(channels, adjustment);
    return false;
}

// The save dialogs are windows of the work area like any other: the channel file's first, then
// the adjustment file's; the program ends when the last has closed after a save that succeeded,
// and stays when one was cancelled or its save failed.
void UnsavedWork::saveThenEnd(bool channels, bool adjustment) {
    auto end = [this] {
        if (frame_) frame_->close();
    };
    auto saveAdjustment = [this, end] {
        // The adjustment dialog hands its file to the adjustment window, which does the saving.
        workspace_.showWindow("frm_Adj_Txp");
        saveIn("Form_save_adj", adjustKept, end);
    };
    if (channels)
        saveIn("Form_save_chann", imageKept, adjustment ? std::function<void()>(saveAdjustment) : end);
    else
        saveAdjustment();
}

void UnsavedWork::saveIn(const QString& dialog, bool (*saved)(const AppState&),
                         std::function<void()> next) {
    MdiChild* window = workspace_.openWindow(dialog);
    if (!window) return;
    connect(window, &QObject::destroyed, this, [this, saved, next] {
        if (saved(state_)) QTimer::singleShot(0, this, next);
    });
}

}  // namespace nv
