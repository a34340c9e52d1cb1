#include "link/QtLinkTimers.h"

namespace nv {

QtLinkTimers::QtLinkTimers(std::function<void(TimerId)> onTick) {
    for (int i = 0; i < 5; ++i) {
        timers_[i].setTimerType(Qt::PreciseTimer);
        QObject::connect(&timers_[i], &QTimer::timeout,
                         [onTick, i] { onTick(static_cast<TimerId>(i + 1)); });
    }
}

void QtLinkTimers::start(TimerId id, int intervalMs) { timers_[id - 1].start(intervalMs); }
void QtLinkTimers::stop(TimerId id) { timers_[id - 1].stop(); }

}  // namespace nv
