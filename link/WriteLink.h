#pragma once
// The write data phase: image rows 0 to 48, one acknowledged 16-byte row per request.

#include <functional>

#include "link/LinkEngine.h"

namespace nv {

constexpr int LastWrittenRow = 48;

class WriteLink : public LinkEngine {
  public:
    using LinkEngine::LinkEngine;

    // Runs once the radio has acknowledged the last row and the port is closed, before the
    // completion message.
    std::function<void()> completed;

    // The image as it was when the start button was pressed: what this transfer sends.
    const Image& sentImage() const { return sent_; }

  protected:
    bool writeWindow() const override { return true; }
    int lastBlock() const override { return LastWrittenRow; }
    int dataBlocks() const override { return LastWrittenRow + 1; }
    void transferStarting() override { sent_ = state_.RadioImage; }
    void startDataPhase() override;
    void receiveData() override;

  private:
    void putRow(int row);
    void finish();

    Image sent_;
};

}  // namespace nv
