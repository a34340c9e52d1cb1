#pragma once
// The test-mode frequency table: 16 test channels with a receive and a transmit frequency,
// edited in place in a grid. An edit reaches the image when it is finished (another cell,
// Enter, the focus going elsewhere, Close); only the slots it concerns are written.

#include "widgets/MdiChild.h"

class QLineEdit;
class QPushButton;
class QTableWidget;

namespace nv {

class CellEditor;

class Form_Edit_Test : public MdiChild {
    Q_OBJECT
  public:
    Form_Edit_Test(AppState& state, Workspace& workspace);
    ~Form_Edit_Test() override;
    void load() override;
    void activated() override;
    void refresh() override;

    // Every cell from the image.
    void showTable();
    void Command_close_Click();

    QTableWidget* MSF_chann;
    QLineEdit* Text_Edit;
    QPushButton* Command_Help;
    QPushButton* Command_close;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void sizeColumns();
    void showChannel(int channel);
    void MSF_chann_Click(int row, int col);
    void startEdit(int row, int col);
    void finishEdit();
    void finishReceive(int channel, const QString& text);
    void finishTransmit(int channel, const QString& text);
    void enterPressed();
    void moveEdit(int rows);
    void dropEdit();

    CellEditor* editor_;
    bool editing_ = false;  // the box is open over a cell and its edit not yet finished
    QString openedText_;    // the cell's text when the box opened
};

}  // namespace nv
