#include "ui/MdiChild.h"

#include <QMdiArea>
#include <QMdiSubWindow>

#include "ui/MDImain.h"

namespace nv {

MdiChild::MdiChild(AppState& s, MDImain& main) : state(s), mainWindow(main) {
    setAttribute(Qt::WA_DeleteOnClose);
}

QMdiSubWindow* MdiChild::subWindow() const {
    return qobject_cast<QMdiSubWindow*>(parentWidget());
}

void MdiChild::closeWindow() {
    if (QMdiSubWindow* sub = subWindow())
        sub->close();
    else
        close();
}

void MdiChild::placeWindow(int left, int top, int width, int height) {
    if (QMdiSubWindow* sub = subWindow())
        sub->setGeometry(left, top, width, height);
    else
        setGeometry(left, top, width, height);
}

int MdiChild::mainWidth() const { return mainWindow.width(); }
int MdiChild::mainHeight() const { return mainWindow.height(); }
int MdiChild::innerWidth() const { return mainWindow.workArea()->viewport()->width(); }
int MdiChild::innerHeight() const { return mainWindow.workArea()->viewport()->height(); }

}  // namespace nv
