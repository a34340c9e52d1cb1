#pragma once
// The channel grid: one row per channel, edited in place with a text box over frequency
// cells and a combo box over tone and attribute cells. Every commit writes the image at once.

#include "widgets/MdiChild.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace nv {

class CellEditor;

class frm_chann : public MdiChild {
    Q_OBJECT
  public:
    frm_chann(AppState& state, Workspace& workspace);
    void load() override;
    void activated() override;
    void refresh() override;

    // Redraws channel n from the image (an empty channel is cleared in the image too).
    void refreshRow(int n);
    void refreshAll();
    void setCaption();

    void Command_clear_Click();
    void Command_def_Click();
    void Command_Edit_Click();
    void Command_close_Click();

    QTableWidget* MSF_chann;
    QLineEdit* Text_Edit;
    QComboBox* Combo_edit;
    QPushButton* Command_clear;
    QPushButton* Command_def;
    QPushButton* Command_Edit;
    QPushButton* Command_help;
    QPushButton* Command_close;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void spreadColumns();
    void followGridSize();
    void placeEditors();  // over the cell being edited, exactly
    void setHeader();
    void sizeColumns();
    QString cellText(int row, int col) const;
    void setCellText(int row, int col, const QString& text);

    void onCurrentCellChanged(int row, int col);
    void onCellClicked(int row, int col);
    void openEditor(int row, int col);
    void fillCombo(int col);
    void hideEditors();
    void disarmEditor();

    void commit();
    void commitReceive(int r);
    void commitTransmit(int r);
    void commitTone(int r, int c);
    void pick(int index);

    void enterPressed();
    void leaveByArrow(int rows);
    void moveTo(int row, int col);  // moves the current cell without a commit

    bool filterComboKey(QKeyEvent* key);
    void comboTextEdited(const QString& text);

    CellEditor* textEditor_;
    int editRow_ = 1;
    int editCol_ = 0;
    bool armed_ = false;    // an editor was opened on (editRow_, editCol_) and not yet committed
    QString openedText_;    // the cell's text when its editor opened
    QString lastGoodText_;  // the combo's last good text
    bool moving_ = false;   // current cell moved by code: no commit
    int naturalWidths_[10] = {};
};

}  // namespace nv
