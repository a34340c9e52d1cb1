#pragma once
// Makes a top-level window the active one, as a click on it does, and waits until the window
// system says so: focus, shortcuts and MDI activation only then behave as for a user.

#include <QTest>
#include <QWidget>

namespace nv::test {

[[nodiscard]] inline bool activated(QWidget* window) {
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}

}  // namespace nv::test
