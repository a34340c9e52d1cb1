#include "ui/ImageUndo.h"

#include <QAbstractEventDispatcher>
#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <QTextEdit>

#include "channels/ChannelTidy.h"
#include "link/CommWindows.h"
#include "widgets/MdiChild.h"

namespace nv {

namespace {

// Changes are never recorded while a message box or another modal dialog waits: the action
// that opened it may not have made all its changes yet.
bool outsideModalLoops() { return !QApplication::activeModalWidget(); }

// A focused text box, with the undo of its own typing.
class TextBox {
  public:
    explicit TextBox(QObject* focus) {
        line_ = qobject_cast<QLineEdit*>(focus);
        if (auto* combo = qobject_cast<QComboBox*>(focus)) line_ = combo->lineEdit();
        if (auto* spin = qobject_cast<QAbstractSpinBox*>(focus))
            line_ = spin->findChild<QLineEdit*>();
        if (line_ && line_->isReadOnly()) line_ = nullptr;
        if (auto* edit = qobject_cast<QTextEdit*>(focus); edit && !edit->isReadOnly())
            document_ = edit->document();
        if (auto* edit = qobject_cast<QPlainTextEdit*>(focus); edit && !edit->isReadOnly())
            document_ = edit->document();
    }
    bool exists() const { return line_ || document_; }
    bool canUndo() const {
        return line_ ? line_->isUndoAvailable() : document_ && document_->isUndoAvailable();
    }
    bool canRedo() const {
        return line_ ? line_->isRedoAvailable() : document_ && document_->isRedoAvailable();
    }
    void undo() { line_ ? line_->undo() : document_->undo(); }
    void redo() { line_ ? line_->redo() : document_->redo(); }

  private:
    QLineEdit* line_ = nullptr;
    QTextDocument* document_ = nullptr;
};

}  // namespace

ImageUndo::ImageUndo(AppState& state, QWidget* frame, QMdiArea* area, QAction* undoItem,
                     QAction* redoItem)
    : QObject(frame),
      state_(state),
      frame_(frame),
      area_(area),
      undoItem_(undoItem),
      redoItem_(redoItem) {
    setObjectName("ImageUndo");
    undoItem_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    redoItem_->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    qApp->installEventFilter(this);
    connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
            &ImageUndo::idle);
    updateItems();
}

ImageUndo::~ImageUndo() { qApp->removeEventFilter(this); }

void ImageUndo::begin() {
    history_.reset(state_.RadioImage);
    updateItems();
}

bool ImageUndo::isSettled() const {
    return history_.started() && state_.RadioImage == history_.current();
}

void ImageUndo::settle() {
    if (!history_.started() || isSettled()) return;
    if (onlyTidiesEmptyChannels(history_.current(), state_.RadioImage))
        history_.amend(state_.RadioImage);
    else
        history_.record(state_.RadioImage);
    updateItems();
}

void ImageUndo::amendIfChanged() {
    if (history_.started() && !isSettled()) history_.amend(state_.RadioImage);
}

void ImageUndo::undo() { restore(true); }
void ImageUndo::redo() { restore(false); }

void ImageUndo::restore(bool back) {
    // A write reads the image row by row as it goes: the radio would get a mixture.
    if (writingToRadio()) return;
    settle();  // a change not recorded yet is the step to undo
    if (back ? !history_.canUndo() : !history_.canRedo()) return;
    state_.RadioImage = back ? history_.undo() : history_.redo();
    if (area_)
        for (QMdiSubWindow* sub : area_->subWindowList())
            if (auto* w = qobject_cast<MdiChild*>(sub->widget())) w->refresh();
    amendIfChanged();
    updateItems();
}

void ImageUndo::takeBack(const Image& image) {
    history_.withdrawTo(image);
    updateItems();
}

void ImageUndo::idle() {
    if (outsideModalLoops()) settle();
    updateItems();
}

void ImageUndo::updateItems() {
    const bool writing = writingToRadio();
    undoItem_->setEnabled(history_.canUndo() && !writing);
    redoItem_->setEnabled(history_.canRedo() && !writing);
}

bool ImageUndo::writingToRadio() const {
    if (!area_) return false;
    for (QMdiSubWindow* sub : area_->subWindowList())
        if (auto* w = qobject_cast<Form_Comm_Write*>(sub->widget()); w && w->engine().Busy)
            return true;
    return false;
}

bool ImageUndo::isOurs(QObject* watched) const {
    auto* w = qobject_cast<QWidget*>(watched);
    return w && frame_ && (w == frame_ || frame_->isAncestorOf(w));
}

bool ImageUndo::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::ShortcutOverride:
        case QEvent::KeyPress:
            if (outsideModalLoops()) settle();
            return textBoxKey(watched, static_cast<QKeyEvent*>(event));
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
            if (outsideModalLoops()) settle();
            break;
        default:
            break;
    }
    return false;
}

// In a text box of the program's windows, the undo keys first undo the typing in the box, as
// everywhere else; once the box has nothing left to undo, they undo the image. Elsewhere the
// menu items' shortcuts take them.
bool ImageUndo::textBoxKey(QObject* watched, QKeyEvent* key) {
    const QKeySequence pressed(key->keyCombination());
    const bool isUndo = undoItem_->shortcuts().contains(pressed);
    const bool isRedo = redoItem_->shortcuts().contains(pressed);
    if (!(isUndo || isRedo) || !isOurs(watched)) return false;
    TextBox box(watched);
    if (!box.exists()) return false;
    if (key->type() == QEvent::ShortcutOverride) {  // the key press then comes to the box
        key->accept();
        return true;
    }
    if (isUndo)
        box.canUndo() ? box.undo() : undo();
    else
        box.canRedo() ? box.redo() : redo();
    return true;
}

}  // namespace nv
