#pragma once
// The functions of the programmable keys PF1 and PF2 (row 17, cells 13 and 14).

#include "features/FeatureWindow.h"

class QLabel;

namespace nv {

class Form_edit_Key : public FeatureWindow {
    Q_OBJECT
  public:
    Form_edit_Key(AppState& state, Workspace& workspace);
    void load() override;

    QLabel *Label_PF1, *Label_PF2;
    QComboBox *Combo_pf1, *Combo_pf2;

  protected:
    void decode() override;

  private:
    void storeBothKeys();
};

}  // namespace nv
