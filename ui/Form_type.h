#pragma once
// Chooses the radio model, which fixes the band edges of every frequency entry.

#include "widgets/MdiChild.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace nv {

class Form_type : public MdiChild {
    Q_OBJECT
  public:
    Form_type(AppState& state, Workspace& workspace);
    void load() override;

    void Combo_type_Click();
    void Command_enter_Click();
    void Command_Cancel_Click();

    QLabel* Label1;
    QComboBox* Combo_type;
    QLabel* Label2;
    QLabel* Label_band;
    QPushButton* Command_enter;
    QPushButton* Command_Cancel;
};

}  // namespace nv
