#pragma once
// The programming station against the clock: one radio's whole cycle (backup read, write,
// verifying read) against the line's bounds of those three transfers, then many radios at once
// against one, in the program and from the command line, every line paced at 9600 baud.

#include <QString>

namespace nv {

constexpr double StationCycleBound = 1.02;  // a cycle to the sum of its transfers' bounds
constexpr double StationRatioBound = 1.05;  // many radios at once to one

// Prints the figures, in-process and from nv742-cli station (`cli`); 0 when all are within their
// bounds, 1 when not or a radio failed.
int benchStation(const QString& simulator, const QString& cli, int radios, int rounds,
                 double cycleBoundSeconds);

}  // namespace nv
