#include "widgets/FocusWheel.h"

#include <QEvent>
#include <QWidget>

namespace nv {

namespace {
class WheelNeedsFocus : public QObject {
  public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Wheel && !static_cast<QWidget*>(watched)->hasFocus()) {
            event->ignore();  // passes on to the parent
            return true;
        }
        return QObject::eventFilter(watched, event);
    }
};
}  // namespace

void wheelOnlyWithFocus(QWidget* box) {
    box->setFocusPolicy(Qt::StrongFocus);
    box->installEventFilter(new WheelNeedsFocus(box));
}

}  // namespace nv
