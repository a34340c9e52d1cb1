#pragma once
// A whole read or write without windows, for the command-line tool and the benchmark: the
// same engine, time-outs and retries, run on an event loop until the transfer ends.

#include <functional>
#include <string>

#include "core/AppState.h"
#include "link/SerialPort.h"

namespace nv {

struct TransferResult {
    bool ok = false;
    double seconds = 0;  // from the start button to the end
    long long bytesSent = 0;
    long long bytesReceived = 0;
    int framesSent = 0;  // frames that went through the frame sender
};

struct TransferCallbacks {
    std::function<void(int percent, const std::string& label)> progress;
    std::function<void(const std::string& text)> message;
};

// Runs a read (write = false) or a write of state.RadioImage on the port state.CommPortNumber.
TransferResult runTransfer(AppState& state, SerialPort& port, bool write,
                           const TransferCallbacks& callbacks);

}  // namespace nv
