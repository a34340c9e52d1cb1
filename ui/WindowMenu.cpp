#include "ui/WindowMenu.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>

namespace nv {

void listWindowsIn(QMenu* menu, QMdiArea* area) {
    QObject::connect(menu, &QMenu::aboutToShow, menu, [menu, area] {
        for (QAction* a : menu->actions())
            if (a->property("listedWindow").toBool()) delete a;
        const QList<QMdiSubWindow*> windows = area->subWindowList();
        if (!windows.isEmpty()) menu->addSeparator()->setProperty("listedWindow", true);
        int number = 1;
        for (QMdiSubWindow* sub : windows) {
            QAction* a = menu->addAction(QStringLiteral("&%1 %2").arg(number++).arg(sub->windowTitle()));
            a->setProperty("listedWindow", true);
            a->setObjectName("Window_list");
            a->setCheckable(true);
            a->setChecked(sub == area->activeSubWindow());
            QObject::connect(a, &QAction::triggered, area,
                             [area, sub] { area->setActiveSubWindow(sub); });
        }
    });
}

}  // namespace nv
