#pragma once
// The two small dialogs of the grid's "set for all selected" commands. Both take their texts
// from the language of the moment.

#include <QDialog>
#include <functional>

#include "core/AppState.h"
#include "core/Tones.h"

class QComboBox;
class QDialogButtonBox;
class QLineEdit;

namespace nv {

// What both dialogs share: their OK button asks `check` first, which shows its own message when
// it refuses; a refused entry keeps the dialog open with the entry selected, to be typed over.
class ChannelSetDialog : public QDialog {
    Q_OBJECT
  public:
    using QDialog::QDialog;
    std::function<bool()> check;
    void okPressed();

  protected:
    QLineEdit* entry_ = nullptr;
};

// A decode and an encode tone from the tone list ("None" first, then the tone table).
class Dialog_tones : public ChannelSetDialog {
    Q_OBJECT
  public:
    Dialog_tones(const AppState& state, QWidget* parent);
    QComboBox* Combo_decode;
    QComboBox* Combo_encode;
    QDialogButtonBox* Buttons;
    // The code of a list position, as the grid stores a picked tone.
    ToneCode decode() const;
    ToneCode encode() const;

  private:
    ToneCode codeAt(int position) const;
    const AppState& state_;
};

// A repeater offset in MHz, added to or taken off the receive frequency.
class Dialog_offset : public ChannelSetDialog {
    Q_OBJECT
  public:
    Dialog_offset(const AppState& state, QWidget* parent);
    QComboBox* Combo_direction;  // "+", "−"
    QLineEdit* Text_offset;
    QDialogButtonBox* Buttons;
    bool up() const;
};

}  // namespace nv
