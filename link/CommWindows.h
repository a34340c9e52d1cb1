#pragma once
// The read and write windows.

#include "link/LinkWindow.h"

namespace nv {

class Form_Comm_Read : public LinkWindow {
    Q_OBJECT
  public:
    Form_Comm_Read(AppState& state, Workspace& workspace);

  protected:
    std::unique_ptr<LinkEngine> makeEngine(SerialPort& port, LinkTimers& timers,
                                           nv::LinkView& view) override;

  private:
    void backUpRead();
};

class Form_Comm_Write : public LinkWindow {
    Q_OBJECT
  public:
    Form_Comm_Write(AppState& state, Workspace& workspace);

  protected:
    std::unique_ptr<LinkEngine> makeEngine(SerialPort& port, LinkTimers& timers,
                                           nv::LinkView& view) override;
};

}  // namespace nv
