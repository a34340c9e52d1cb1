#include "widgets/MdiChild.h"

#include <QLayout>
#include <QMdiArea>
#include <QMdiSubWindow>

#include "widgets/HelpWindow.h"
#include "widgets/TabOrder.h"

namespace nv {

MdiChild::MdiChild(AppState& s, Workspace& w) : chinese(s.LanguageChinese), state(s), workspace(w) {
    setAttribute(Qt::WA_DeleteOnClose);
}

QMdiSubWindow* MdiChild::subWindow() const { return qobject_cast<QMdiSubWindow*>(parentWidget()); }

void MdiChild::refreshOtherWindows() {
    for (QMdiSubWindow* sub : workspace.workArea()->subWindowList())
        if (auto* w = qobject_cast<MdiChild*>(sub->widget()); w && w != this) w->refresh();
}

void MdiChild::closeWindow() {
    if (workspace.child(objectName()) == this)
        workspace.closeChild(objectName());
    else if (QMdiSubWindow* sub = subWindow())
        sub->close();
    else
        close();
}

void MdiChild::showHelp() {
    const QString name = QString::fromLatin1(metaObject()->className());
    HelpWindow::showPage(workspace.frame(),
                         HelpWindow::pageFor(name.mid(name.lastIndexOf(':') + 1)),
                         state.LanguageChinese);
}

void MdiChild::setEnabledLook(QWidget* w, bool enabled) {
    w->setEnabled(enabled);
    QPalette p = w->palette();
    p.setBrush(QPalette::Base, enabled ? palette().base() : palette().button());
    w->setPalette(p);
}

void MdiChild::showAtFirstField() {
    if (QWidget* first = orderTabsByLayout(this)) first->setFocus();
    show();
}

void MdiChild::placeWindow(int left, int top, int width, int height) {
    // On a small screen the given fractions can be smaller than the controls need: the
    // window then takes the size at which nothing is clipped.
    // The frame counts its contents only once the layouts have run.
    if (layout()) layout()->activate();
    if (subWindow() && subWindow()->layout()) subWindow()->layout()->activate();
    QWidget* frame = subWindow() ? static_cast<QWidget*>(subWindow()) : this;
    const QSize least = frame->minimumSizeHint();
    frame->setGeometry(left, top, std::max(width, least.width()), std::max(height, least.height()));
}

int MdiChild::mainWidth() const { return workspace.frame()->width(); }
int MdiChild::mainHeight() const { return workspace.frame()->height(); }
int MdiChild::innerWidth() const { return workspace.workArea()->viewport()->width(); }
int MdiChild::innerHeight() const { return workspace.workArea()->viewport()->height(); }

}  // namespace nv
