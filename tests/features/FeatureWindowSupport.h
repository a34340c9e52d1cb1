#pragma once
// Helpers for the feature-window tests: opening a window by its menu command, typing and
// pasting as a user does, and checking that a window changed no cell outside its own.

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QtTest>
#include <functional>
#include <initializer_list>

#include "support/GuiFixture.h"

namespace nv::test {

struct CellRange {
    int row;
    int firstCell;
    int lastCell;
};

// The first cell outside the given ranges in which the two images differ, as "(row, cell)",
// or an empty text when there is none. Every row and every cell of the image is compared.
inline QString changeOutside(const Image& before, const Image& after,
                             std::initializer_list<CellRange> allowed) {
    for (int r = 0; r < ImageRows; ++r)
        for (int c = 0; c < ImageCells; ++c) {
            if (before(r, c) == after(r, c)) continue;
            bool inside = false;
            for (const CellRange& a : allowed)
                inside |= a.row == r && c >= a.firstCell && c <= a.lastCell;
            if (!inside)
                return QStringLiteral("(%1, %2): %3 -> %4")
                    .arg(r)
                    .arg(c)
                    .arg(before(r, c))
                    .arg(after(r, c));
        }
    return {};
}

// Fills the settings rows around the feature windows' cells with a pattern, so that a stray
// write shows as a changed byte.
inline void fillNeighbourhood(Image& im) {
    for (int r : {17, 18, 19, 20, 21, 22, 23, 48, 49, 50, 51})
        for (int c = 0; c < ImageCells; ++c) im(r, c) = static_cast<Int16>((r * 7 + c * 13) & 0xFF);
}

inline QList<int> row(const Image& im, int r) {
    QList<int> cells;
    for (int c = 0; c < 16; ++c) cells << im(r, c);
    return cells;
}
inline QList<int> codes(std::initializer_list<int> leading, int fill = 255) {
    QList<int> cells(leading);
    while (cells.size() < 16) cells << fill;
    return cells;
}

inline QStringList entries(const QComboBox* c) {
    QStringList l;
    for (int i = 0; i < c->count(); ++i) l << c->itemText(i);
    return l;
}

// Makes another window the active one and then the given one again, as a user does by
// clicking between windows.
inline void reactivate(MDImain& main, QWidget* window, QWidget* other) {
    QMdiArea* area = main.workArea();
    for (QWidget* w : {other, window}) {
        auto* sub = qobject_cast<QMdiSubWindow*>(w->parentWidget());
        area->setActiveSubWindow(sub);
        QTRY_COMPARE(area->activeSubWindow(), sub);
    }
}

// Clicks a check box on its box: a check box stretched over a layout column takes clicks only
// on its box and its text, not in the middle of the empty space.
inline void tick(QCheckBox* box) {
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
}

// Puts a text on the clipboard and pastes it into the box with the keyboard.
inline void paste(QLineEdit* box, const QString& text) {
    QApplication::clipboard()->setText(text);
    box->setFocus();
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
}

inline void focusAndType(QLineEdit* box, const QString& keys) {
    box->setFocus();
    QTest::keyClicks(box, keys);
}

// Types characters that have no key of their own on a test keyboard (accented letters, Chinese
// characters), one key event each, as a keyboard layout or an input method delivers them.
inline void typeCharacters(QWidget* box, const QString& text) {
    box->setFocus();
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(box, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(box, &release);
    }
}

}  // namespace nv::test
