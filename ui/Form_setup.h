#pragma once
// Chooses the serial port (COM1 to COM8) that every link uses.

#include "widgets/MdiChild.h"

class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace nv {

class Form_setup : public MdiChild {
    Q_OBJECT
  public:
    Form_setup(AppState& state, Workspace& workspace);
    void load() override;

    void Command_ok_Click();
    void Command1_Click();

    QGroupBox* Frame1;
    QRadioButton* Option[9] = {};  // 1..8
    QLabel* Device[9] = {};        // the device behind each port
    QPushButton* Command_ok;
    QPushButton* Command1;

  private:
    QString deviceCaption(const std::string& device) const;
};

}  // namespace nv
