#pragma once
// The two message lines the radio keeps (rows 48 to 51): printable single-byte characters,
// 32 a line.

#include "features/FeatureWindow.h"

namespace nv {

class Form_Edit_Message : public FeatureWindow {
    Q_OBJECT
  public:
    Form_Edit_Message(AppState& state, Workspace& workspace);
    void load() override;

    QLineEdit *Text_MS1, *Text_MS2;

  protected:
    void decode() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    int lineOf(const QObject* box) const;
    bool KeyPress(QLineEdit* box, QKeyEvent* key);
    void Change(QLineEdit* box);
};

}  // namespace nv
