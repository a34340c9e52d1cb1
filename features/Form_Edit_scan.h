#pragma once
// How the radio scans: priority mode and channel, look-back times, revert channel, dropout
// delay and transmit dwell time, all in row 22 of the image.

#include "features/FeatureWindow.h"

class QLabel;

namespace nv {

class Form_Edit_scan : public FeatureWindow {
    Q_OBJECT
  public:
    Form_Edit_scan(AppState& state, Workspace& workspace);
    void load() override;

    QLabel *Label_pri, *Label_prich, *Label_BA, *Label_BB, *Label_BC, *Label_RYC, *Label_TYC;
    QComboBox *Combo_pri, *Combo_BA, *Combo_BB, *Combo_BC, *Combo_RYC, *Combo_TYC;
    QLineEdit* Text_prich;

  protected:
    void decode() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void layOut();
    void setCaptions();
    void fillLists();
    void fillRevertList(int mode);
    void applyModeRule(int mode);
    void connectStores();

    void Combo_pri_Click(int index);
    bool Text_prich_KeyPress(QKeyEvent* key);
    void Text_prich_Change();
};

}  // namespace nv
