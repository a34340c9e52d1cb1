#pragma once
// Edits one channel with every field of its record; a scroll bar and a number field move it
// from channel to channel. Every change is written into the image at once.

#include "widgets/MdiChild.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;

namespace nv {

class Form_Chann_Edit : public MdiChild {
    Q_OBJECT
  public:
    Form_Chann_Edit(AppState& state, Workspace& workspace);
    ~Form_Chann_Edit() override;
    void load() override;
    void activated() override;
    // The image changed under the dialog (a paste, an undo, a grid command): it shows its
    // channel afresh without writing anything back.
    void refresh() override;

    void showChannel(int n);

    QLabel *Label_CHN, *Label_RX_freq, *Label_TX_freq, *Label_Decode, *Label_Encode, *Label_OptSig,
        *Label_SpUnmute, *Label_TXP, *Label_WN, *Label_BCL, *Label_PTT_ID, *Label_Memory;
    QLineEdit *Text_CHN, *Text_RX_Freq, *Text_TX_Freq;
    QScrollBar* VScroll1;
    QComboBox *Combo_Decode, *Combo_Encode, *Combo_Optsig, *Combo_Spunmute, *Combo_TXP, *Combo_WN,
        *Combo_BCL, *Combo_PTT_ID, *Combo_Memory;
    QCheckBox *Check_BS, *Check_ScanAdd, *Check_Pri, *Check_Comp;
    QPushButton *Command_Help, *Command_close;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    QList<QComboBox*> lists() const;
    QList<QCheckBox*> checks() const;
    bool channelValid() const;
    int channel() const { return state.CurrentChannel; }

    void showEmpty();
    void fillLists();
    void enableFields(bool on);
    void showFields();  // the decode tone onwards, without refilling the fixed lists
    void selectTone(QComboBox* combo, int low, int high, bool* hasTone);
    void rebuildSpunmute();
    void rebuildBcl();
    static void setListQuietly(QComboBox* combo, const QStringList& entries);

    void connectWriteActions();
    void Text_RX_Freq_LostFocus();
    void Text_TX_Freq_LostFocus();
    void Text_CHN_Change();
    void Text_CHN_LostFocus();
    void VScroll1_Change(int value);
    void setGridCaption();
    QString storedText(int channel, int cell) const;

    bool hasDecodeTone_ = false;
    bool closing_ = false;
    bool quiet_ = false;  // showing what the image holds: the controls' write actions wait
};

}  // namespace nv
