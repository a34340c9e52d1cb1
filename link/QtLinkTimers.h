#pragma once
// The link's four timers, and the station's own, on QTimer; ticks arrive on the user-interface thread.

#include <QTimer>
#include <functional>

#include "link/LinkEngine.h"

namespace nv {

class QtLinkTimers : public LinkTimers {
  public:
    explicit QtLinkTimers(std::function<void(TimerId)> onTick);
    void start(TimerId id, int intervalMs) override;
    void stop(TimerId id) override;
    bool isActive(TimerId id) const { return timers_[id - 1].isActive(); }

  private:
    QTimer timers_[5];
};

}  // namespace nv
