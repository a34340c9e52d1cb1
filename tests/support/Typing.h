#pragma once
// Text that reaches a field by other ways than the ASCII keys QTest::keyClicks knows: keys
// that carry any character (a full-width digit of a Chinese input method), an input method's
// committed text, and the clipboard.

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>

namespace nv::test {

inline void typeKeys(QWidget* w, const QString& text) {
    for (QChar ch : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(w, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(w, &release);
    }
}

inline void commitFromInputMethod(QWidget* w, const QString& text) {
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(w, &event);
}

inline void pasteInto(QLineEdit* w, const QString& text) {
    QApplication::clipboard()->setText(text);
    w->paste();
}

}  // namespace nv::test
