#include "widgets/ListOnly.h"

#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>

#include "widgets/FocusWheel.h"

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
        return QObject::eventFilter(watched, event);
    }
};
}  // namespace

void makeListOnly(QComboBox* combo) {
    combo->setEditable(false);
    combo->installEventFilter(new DiscardTyping(combo));
    wheelOnlyWithFocus(combo);
}

}  // namespace nv
