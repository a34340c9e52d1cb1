#pragma once
// A turn of the mouse wheel over the middle of a widget, delivered as one from the mouse
// (spontaneous), so that the toolkit's focus rules for wheel events apply. Positive notches
// turn towards the user (down a list).

#include <QtTest/qtestspontaneevent.h>

#include <QApplication>
#include <QWheelEvent>
#include <QWidget>
#include <QtTest>

namespace nv::test {

inline void turnWheel(QWidget* w, int notches) {
    const QPointF at = QPointF(w->rect().center());
    QWheelEvent event(at, w->mapToGlobal(at), QPoint(), QPoint(0, -120 * notches), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QSpontaneKeyEvent::setSpontaneous(&event);
    QApplication::sendEvent(w, &event);
}

}  // namespace nv::test
