#pragma once
// Several radios at once against the clock: one write to one nv742-sim, then the same write to
// several at the same time, every line paced at 9600 baud.

#include <QString>

namespace nv {

// The largest ratio of the time for all the writes at once to the time for one.
constexpr double ParallelRatioBound = 1.10;

// Prints both times (best of `rounds`) and their ratio; returns 0 when the ratio is within the
// bound, 1 when not or when a write failed.
int benchParallelWrites(const QString& simulator, int radios, int rounds);

}  // namespace nv
