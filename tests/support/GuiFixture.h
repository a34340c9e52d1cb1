#pragma once
// A started main window on a fake port layer, with message boxes recorded, for window tests.

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QTest>
#include <memory>

#include "support/Activation.h"
#include "support/FakePorts.h"
#include "support/MessageRecorder.h"
#include "support/Shots.h"
#include "ui/MDImain.h"

namespace nv::test {

struct Gui {
    std::unique_ptr<AppState> state = std::make_unique<AppState>();
    std::shared_ptr<FakePortWorld> world = std::make_shared<FakePortWorld>();
    std::unique_ptr<MessageRecorder> messages = std::make_unique<MessageRecorder>();
    std::unique_ptr<MDImain> main;

    Gui() {
        world->openable = {1};
        main = std::make_unique<MDImain>(*state, fakePortLayer(world));
        main->Form_Load();
    }
    ~Gui() {
        main.reset();
        messages.reset();
    }
    Image& image() { return state->RadioImage; }
    template <class W>
    W* window(const char* name) {
        return qobject_cast<W*>(main->child(name));
    }
};

// Picks an entry of a combo box the way a user does: open the list, click the entry.
inline void pickFromList(QComboBox* combo, int index, const char* shotName = nullptr) {
    combo->showPopup();
    QAbstractItemView* view = combo->view();
    QTRY_VERIFY(view->isVisible());
    const QModelIndex item = view->model()->index(index, 0);
    view->scrollTo(item);
    if (shotName) shot(view->window(), shotName);
    const QRect rect = view->visualRect(item).intersected(view->viewport()->rect());
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rect.center());
    QTRY_VERIFY(!view->isVisible());
}

// The names of the fields that Tab visits from the focused one on, as a user pressing Tab
// `presses` times sees them (the focused one first).
inline QStringList tabWalk(int presses) {
    QStringList names;
    for (int i = 0; i <= presses && QApplication::focusWidget(); ++i) {
        names << QApplication::focusWidget()->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    return names;
}

// The named captions, buttons and lists of a window that are narrower than their text.
inline QStringList clipped(QWidget* window) {
    QStringList names;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        const bool hasText = qobject_cast<QLabel*>(w) || qobject_cast<QAbstractButton*>(w) ||
                             qobject_cast<QComboBox*>(w);
        if (hasText && w->isVisible() && !w->objectName().isEmpty() &&
            w->width() < w->sizeHint().width())
            names << w->objectName();
    }
    return names;
}

}  // namespace nv::test
