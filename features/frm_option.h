#pragma once
// The optional features: time-out timer, squelch, microphone, voice, battery save, beep,
// scrambler, PTT ID with its two DTMF codes, the VOX group and the FM radio. Every change is
// written into rows 18 to 21 of the image at once.

#include "features/FeatureWindow.h"
#include "features/SettingField.h"

class QGroupBox;
class QLabel;

namespace nv {

class frm_option : public FeatureWindow {
    Q_OBJECT
  public:
    frm_option(AppState& state, Workspace& workspace);
    void load() override;

    QLabel *Label_tot, *Label_toa, *Label_sql, *Label_mic_level, *Label_voice, *Label_ptt_Type,
        *Label_PTT_ID, *Label_TX_begin, *Label_TX_end, *Label_Vox_g, *Label_VOX_t;
    QComboBox *Combo_TOT, *Combo_TOA, *Combo_Sql, *Combo_Mic_Level, *Combo_Voice, *Combo_Ptt_Type,
        *Combo_PTT_ID, *Combo_VOX_g, *Combo_VOX_t;
    QCheckBox *Check_Save, *Check_Beep, *Check_Scr_Acti, *Check_Scr_Back, *Check_VOX,
        *Check_vox_Operation, *Check_vox_Tone, *Check_vox_Receive, *Check_Clone;
    QLineEdit *Text_tx_begin, *Text_tx_end;
    QGroupBox *Frame_general, *Frame_checks, *Frame_pttid, *Frame_vox, *Frame_mode;

  protected:
    void decode() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct ListControl {
        QComboBox* box;
        ListSetting setting;
    };
    struct CheckControl {
        QCheckBox* box;
        SettingField setting;
    };
    QList<ListControl> lists() const;
    QList<CheckControl> checks() const;

    void layOut();
    void setCaptions();
    void fillLists();
    void connectStores();

    void applyVoxRule();
    void applyScramblerRule();
    void applyPttIdRule();
    bool DtmfKeyPress(QLineEdit* box, QKeyEvent* key);
    void DtmfChange(QLineEdit* box, int row);
};

}  // namespace nv
