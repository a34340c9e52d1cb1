#pragma once
// What the four feature editors have in common: list-only combo boxes that turn with the wheel
// only when focused, the Help and Close buttons, placement by fractions of the main window, and
// decoding with the change handlers held back, so that a control set by decoding never stores
// anything (decoding stores the normalised values itself, once, from the image).

#include <QStringList>
#include <functional>

#include "features/FeatureTexts.h"
#include "widgets/MdiChild.h"

class QCheckBox;
class QComboBox;
class QHBoxLayout;
class QLineEdit;
class QPushButton;

namespace nv {

class FeatureWindow : public MdiChild {
    Q_OBJECT
  public:
    // Shows the image's current content; runs at load and at every activation.
    void activated() override { decodeHeldBack(); }

    QPushButton *Command_Help, *Command_close;

  protected:
    FeatureWindow(AppState& state, Workspace& workspace, const char* name);

    using MdiChild::text;
    QString text(const Words& words) const { return text(words.chinese, words.english); }
    static QStringList entries(const std::vector<std::string>& texts);

    template <class W>
    W* named(const char* name) {
        auto* w = new W(this);
        w->setObjectName(QString::fromLatin1(name));
        return w;
    }
    QComboBox* listBox(const char* name);
    // Replaces the entries of a list without any handler seeing it; nothing is selected.
    static void setEntries(QComboBox* list, const QStringList& entries);
    // Room for a number of characters in a text box.
    static void widenFor(QLineEdit* box, int characters, QChar widest);
    // Help and Close at the right end of a row.
    QHBoxLayout* buttonRow();
    void captionButtons();

    // Width and height are the main window's divided by the given factors; the window is
    // centred horizontally and its top is the remaining height divided by topDivisor.
    void placeByFractions(double widthDivisor, double heightDivisor, int topDivisor);
    // Enables a box with the window colour or disables it with the button-face colour; a
    // list box shows the colour on its face.
    void setBoxEnabled(QWidget* box, bool enabled);

    // Reads the image into the controls (and stores the normalised values); called held back.
    virtual void decode() = 0;
    void decodeHeldBack();
    bool decoding() const { return heldBack_ > 0; }

    // Handlers of user changes; none of them runs while the window decodes.
    void onPick(QComboBox* list, std::function<void(int index)> store);
    void onTick(QCheckBox* box, std::function<void(bool checked)> store);
    void onEdit(QLineEdit* box, std::function<void()> store);

  private:
    int heldBack_ = 0;
};

}  // namespace nv
