#include "features/Form_Edit_Message.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "features/MessageRecord.h"

namespace nv {

Form_Edit_Message::Form_Edit_Message(AppState& s, Workspace& w)
    : FeatureWindow(s, w, "Form_Edit_Message") {
    Text_MS1 = named<QLineEdit>("Text_MS1");
    Text_MS2 = named<QLineEdit>("Text_MS2");
    auto* layout = new QVBoxLayout(this);
    for (QLineEdit* box : {Text_MS1, Text_MS2}) {
        widenFor(box, msg::LineLength, 'M');
        box->installEventFilter(this);
        onEdit(box, [this, box] { Change(box); });
        layout->addWidget(box);
    }
    layout->addStretch();
    layout->addLayout(buttonRow());
}

void Form_Edit_Message::load() {
    setWindowTitle(text("嵌入信息", "Embedded Message"));
    captionButtons();
    placeByFractions(3, 4, 4);
    decodeHeldBack();
    showAtFirstField();
}

int Form_Edit_Message::lineOf(const QObject* box) const {
    if (box == Text_MS1) return 1;
    return box == Text_MS2 ? 2 : 0;
}

// Shows both lines; the rows stay as they are until the user edits a line.
void Form_Edit_Message::decode() {
    Text_MS1->setText(QString::fromStdString(msg::lineText(state.RadioImage, 1)));
    Text_MS2->setText(QString::fromStdString(msg::lineText(state.RadioImage, 2)));
}

bool Form_Edit_Message::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && lineOf(watched))
        return KeyPress(static_cast<QLineEdit*>(watched), static_cast<QKeyEvent*>(event));
    return FeatureWindow::eventFilter(watched, event);
}

// A full line takes no further character and no Backspace; a character the radio cannot show
// is refused. Keys that type nothing (arrows, Delete, shortcuts) work as usual.
bool Form_Edit_Message::KeyPress(QLineEdit* box, QKeyEvent* key) {
    const bool full = msg::lineFull(box->text().toStdString());
    if (key->key() == Qt::Key_Backspace) return full;
    const QString typed = key->text();
    if (typed.isEmpty() || !typed.at(0).isPrint() ||
        (key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)))
        return false;
    return full || !msg::isMessageCharacter(typed.at(0).unicode());
}

// The box keeps only what the radio can hold; the line's rows follow the box.
void Form_Edit_Message::Change(QLineEdit* box) {
    const QString kept =
        QString::fromStdString(msg::cleanMessageText(box->text().toStdU32String()));
    if (kept != box->text()) {
        const int caret = std::min<int>(box->cursorPosition(), kept.size());
        box->setText(kept);  // comes back here with the kept text
        box->setCursorPosition(caret);
        return;
    }
    msg::storeLine(state.RadioImage, lineOf(box), kept.toStdString());
}

}  // namespace nv
