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
    bool interrupted = false;  // stopped by Ctrl+C or SIGTERM (the radio got the end byte)
    int blocksDone = 0;        // blocks the radio took (a write: rows) before it was stopped
    bool endByteSent = false;  // when stopped: the radio was told to leave programming mode
};

struct TransferCallbacks {
    std::function<void(int percent, const std::string& label)> progress;
    std::function<void(const std::string& text)> message;
    // A caller that tells the result in its own words gets no window's completion message.
    bool quietWhenDone = false;
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

// Whether two images hold the same radio memory (rows 0 to 63, cells 0 to 15).
bool sameMemory(const Image& a, const Image& b);

enum class AgreedRead {
    Agreed,     // state.RadioImage holds what two reads (or an accepted single read) found
    Failed,     // a read failed; its message has been told, the image is unchanged
    Disagreed,  // three reads, no two alike; the image holds the last of them
};

// Reads the radio until two reads agree, at most three times: a flipped data bit has no header
// that would catch it, but it does not strike the same bit twice. `enoughAlone`, when given, may
// accept a first read on its own (a comparison that finds nothing to report).
AgreedRead readUntilTwoAgree(AppState& state, SerialPort& port, const TransferCallbacks& callbacks,
                             const std::function<bool(const Image&)>& enoughAlone = {});

}  // namespace nv
