#include "ui/WindowMenu.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QStyle>

#include "widgets/MdiChild.h"

namespace nv {

void listWindowsIn(QMenu* menu, QMdiArea* area) {
    QObject::connect(menu, &QMenu::aboutToShow, menu, [menu, area] {
        for (QAction* a : menu->actions())
            if (a->property("listedWindow").toBool()) delete a;
        const QList<QMdiSubWindow*> windows = area->subWindowList();
        if (!windows.isEmpty()) menu->addSeparator()->setProperty("listedWindow", true);
        int number = 1;
        for (QMdiSubWindow* sub : windows) {
            QAction* a =
                menu->addAction(QStringLiteral("&%1 %2").arg(number++).arg(sub->windowTitle()));
            a->setProperty("listedWindow", true);
            a->setObjectName("Window_list");
            a->setCheckable(true);
            // While the menu is open the application may count as inactive, and then no window
            // is "active": the current one is the one the user was in.
            a->setChecked(sub == area->currentSubWindow());
            QObject::connect(a, &QAction::triggered, area,
                             [area, sub] { area->setActiveSubWindow(sub); });
        }
    });
}

namespace {
QList<QMdiSubWindow*> arranged(QMdiArea* area) {
    QList<QMdiSubWindow*> windows;
    for (QMdiSubWindow* sub : area->subWindowList())
        if (sub->isVisible() && !sub->isMinimized()) windows << sub;
    for (QMdiSubWindow* sub : windows)
        if (sub->isMaximized()) sub->showNormal();
    return windows;
}

int needed(QMdiSubWindow* sub) {
    auto* child = qobject_cast<MdiChild*>(sub->widget());
    const int width = child ? child->neededWidth() : 0;
    return width > 0 ? width + sub->width() - sub->widget()->width() : 0;
}
}  // namespace

// Each window a title bar's height below and right of the one before, at its own size; past
// half the work area the steps start again at the top left.
void cascadeWindows(QMdiArea* area) {
    QList<QMdiSubWindow*> windows = arranged(area);
    if (QMdiSubWindow* active = area->currentSubWindow(); windows.removeOne(active))
        windows << active;
    const QSize room = area->viewport()->size();
    int step = 0;
    for (QMdiSubWindow* sub : windows) {
        const int stride = area->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, sub) + 4;
        if (step * stride > room.width() / 2 || step * stride > room.height() / 2) step = 0;
        sub->move(step * stride, step * stride);
        sub->raise();
        ++step;
    }
}

void tileWindows(QMdiArea* area) {
    const QList<QMdiSubWindow*> windows = arranged(area);
    // Once every window is inside the area no scroll bar takes room from it.
    const QSize room = area->contentsRect().size();
    QMdiSubWindow* wide = nullptr;
    for (QMdiSubWindow* sub : windows)
        if (needed(sub) > 0) wide = sub;
    if (!wide) return area->tileSubWindows();
    const int others = static_cast<int>(windows.size()) - 1;
    const int width = others > 0 ? needed(wide) : room.width();
    // The others share what is left beside the grid, however narrow; only a grid wider than
    // the work area leaves the tiling to the toolkit.
    constexpr int LeastBeside = 60;
    if (width > room.width() - (others > 0 ? LeastBeside : 0)) return area->tileSubWindows();
    wide->setGeometry(0, 0, width, room.height());
    int top = 0, index = 0;
    for (QMdiSubWindow* sub : windows) {
        if (sub == wide) continue;
        const int bottom = room.height() * ++index / others;
        sub->setGeometry(width, top, room.width() - width, bottom - top);
        top = bottom;
    }
}

}  // namespace nv
