#pragma once
// Ctrl+C (SIGINT) and SIGTERM for the programs without windows. While a transfer runs, a signal
// stops it from the event loop between two frames, so that the radio gets the end byte and
// leaves programming mode; at any other moment the signal ends the program as it always would.

#include <functional>

namespace nv {

class Interruption {
  public:
    // Catches SIGINT and SIGTERM from now on; needs a QCoreApplication.
    static void install();
    // The signal that stopped a transfer, 0 when none did.
    static int received();
    // The exit status of a program ended by that signal: 130 for SIGINT, 143 for SIGTERM.
    static int exitStatus() { return 128 + received(); }
};

// Runs `stop` when a signal comes while the guard lives (a transfer runs).
class InterruptGuard {
  public:
    explicit InterruptGuard(std::function<void()> stop);
    ~InterruptGuard();
    InterruptGuard(const InterruptGuard&) = delete;
    InterruptGuard& operator=(const InterruptGuard&) = delete;

  private:
    std::function<void()> stop_;
};

}  // namespace nv
