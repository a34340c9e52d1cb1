#pragma once
// Serves the virtual radio on a pseudo-terminal, so that programs that open a serial device
// (this application, through --port N=PATH) talk to it exactly as to a radio on a cable.

#include <atomic>
#include <functional>
#include <string>

#include "sim/VirtualRadio.h"

namespace nv {

class PtyServer {
  public:
    explicit PtyServer(VirtualRadio& radio) : radio_(radio) {}
    ~PtyServer();

    // Creates the pseudo-terminal; returns its device path, or "" (with `error`) on failure.
    std::string open(std::string* error);
    // Serves until `stop` becomes true.
    void serve(const std::atomic<bool>& stop);

    // Pace bytes both ways at 9600 baud (960 bytes per second), as a real line does.
    bool emulateBaudRate = false;
    // Called after each completed session, for logging.
    std::function<void(const VirtualRadio&)> onSessionEnd;
    // Called on every pass of the serving loop (at least ten times a second).
    std::function<void()> onIdle;

  private:
    VirtualRadio& radio_;
    int master_ = -1;
    int slaveKeeper_ = -1;  // keeps the line up while no client has it open
};

}  // namespace nv
