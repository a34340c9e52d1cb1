#pragma once
// A whole read or write without windows, for the command-line tool and the benchmark: the
// same engine, time-outs and retries, run on an event loop until the transfer ends.

#include <functional>
#include <string>

#include "core/AppState.h"
#include "link/LinkEngine.h"
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

// A link's view for a transfer without windows: progress and label go to the callbacks
// together; what a message means is the caller's.
class CallbackView : public LinkView {
  public:
    explicit CallbackView(const TransferCallbacks& callbacks) : callbacks_(callbacks) {}
    void setProgress(int value) override {
        percent_ = value;
        report();
    }
    void setLabel(const std::string& text) override {
        label_ = text;
        report();
    }
    void requestClose() override {}

  protected:
    const TransferCallbacks& callbacks_;

  private:
    void report() {
        if (callbacks_.progress) callbacks_.progress(percent_, label_);
    }
    int percent_ = 0;
    std::string label_;
};

// Runs a read (write = false) or a write of state.RadioImage on the port state.CommPortNumber.
TransferResult runTransfer(AppState& state, SerialPort& port, bool write,
                           const TransferCallbacks& callbacks);

}  // namespace nv
