#include "widgets/ListOnly.h"

#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>

namespace nv {

namespace {
class DiscardTyping : public QObject {
  public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (!key->text().isEmpty() && key->text().at(0).isPrint()) return true;
        }
        // A wheel turn over a list that the user is not working in scrolls what is behind it.
        if (event->type() == QEvent::Wheel && !static_cast<QWidget*>(watched)->hasFocus()) {
            event->ignore();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }
};
}  // namespace

void makeListOnly(QComboBox* combo) {
    combo->setEditable(false);
    combo->setFocusPolicy(Qt::StrongFocus);  // the wheel does not take the focus
    combo->installEventFilter(new DiscardTyping(combo));
}

}  // namespace nv
