#pragma once
// Compare with the radio: the read window's link reads the radio into a copy of the state, and
// the window lists, by meaning, what differs between the program's image and the radio. The
// program's image is never changed.

#include "link/LinkWindow.h"

class QTreeWidget;

namespace nv {

class Form_Comm_Compare : public LinkWindow {
    Q_OBJECT
  public:
    Form_Comm_Compare(AppState& state, Workspace& workspace);
    ~Form_Comm_Compare() override;
    void load() override;

    void Command_compare_Click();
    // What the radio held at the last completed comparison.
    const Image& radioImage() const { return radio_.RadioImage; }

    QTreeWidget* List_diff;

  protected:
    std::unique_ptr<LinkEngine> makeEngine(SerialPort& port, LinkTimers& timers,
                                           nv::LinkView& view) override;

  private:
    class View;
    void showDifferences();

    AppState radio_;  // the copy the radio is read into
    std::unique_ptr<View> view_;
};

}  // namespace nv
