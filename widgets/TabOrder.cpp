#include "widgets/TabOrder.h"

#include <QGridLayout>
#include <QLabel>
#include <QLayout>
#include <QList>
#include <QSet>
#include <QWidget>

namespace nv {

namespace {

bool takesTab(const QWidget* w) {
    return (w->focusPolicy() & Qt::TabFocus) && !qobject_cast<const QLabel*>(w);
}

class Walk {
  public:
    QList<QWidget*> fields;

    void layout(QLayout* l) {
        if (auto* grid = qobject_cast<QGridLayout*>(l)) {
            for (int c = 0; c < grid->columnCount(); ++c)
                for (int r = 0; r < grid->rowCount(); ++r) item(grid->itemAtPosition(r, c));
            return;
        }
        for (int i = 0; i < l->count(); ++i) item(l->itemAt(i));
    }

  private:
    void item(QLayoutItem* it) {
        if (!it || seen_.contains(it)) return;  // a spanning item fills several cells
        seen_.insert(it);
        if (QLayout* inner = it->layout()) return layout(inner);
        QWidget* w = it->widget();
        if (!w) return;
        if (takesTab(w))
            fields << w;
        else if (w->layout())  // a group box or frame: its own fields, in their place
            layout(w->layout());
    }

    QSet<QLayoutItem*> seen_;
};

}  // namespace

QWidget* orderTabsByLayout(QWidget* window) {
    if (!window->layout()) return nullptr;
    Walk walk;
    walk.layout(window->layout());
    for (qsizetype i = 0; i + 1 < walk.fields.size(); ++i)
        QWidget::setTabOrder(walk.fields[i], walk.fields[i + 1]);
    return walk.fields.value(0);
}

}  // namespace nv
