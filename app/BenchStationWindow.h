#pragma once
// The station window against the clock: the real window, offscreen, programs radios on
// nv742-sim lines paced at 9600 baud, each backed up, written and read back; first one radio,
// then all of them at once, while a timer measures how late the event loop comes round.

#include <QString>

namespace nv {

// The longest the event loop may be held up while the radios are programmed.
constexpr double StationStallBoundMs = 50;

// Prints both times, their ratio (bound StationRatioBound) and the longest stall; returns 0
// when both are within their bounds, 1 when not or when a radio was not verified. Needs a
// QApplication.
int benchStationWindow(const QString& simulator, int radios);

}  // namespace nv
