#include "widgets/WheelGuard.h"

#include <QEvent>
#include <QWidget>

namespace nv {

namespace {
class WheelGuard : public QObject {
  public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Wheel && !static_cast<QWidget*>(watched)->hasFocus())
            return true;
        return QObject::eventFilter(watched, event);
    }
};
}  // namespace

void takeWheelOnlyWithFocus(QWidget* box) {
    box->setFocusPolicy(Qt::StrongFocus);
    box->installEventFilter(new WheelGuard(box));
}

}  // namespace nv
