#pragma once
// The read data phase: 16 requests of 64 bytes, collected in ReplyTable and copied into the
// image only when all have arrived.

#include <functional>

#include "link/LinkEngine.h"
#include "protocol/ReadReply.h"

namespace nv {

constexpr int ReadRequests = 16;

class ReadLink : public LinkEngine {
  public:
    using LinkEngine::LinkEngine;
    // Timer4 runs every 200 ms from the moment the window opens.
    void windowLoaded() override { timers_.start(Timer4, 200); }

    // Runs once the image holds what was read and the port is closed, before the completion
    // message.
    std::function<void()> completed;

  protected:
    bool writeWindow() const override { return false; }
    int lastBlock() const override { return ReadRequests; }
    int dataBlocks() const override { return ReadRequests; }
    void startDataPhase() override;
    void receiveData() override;

  private:
    void expectReply(int firstPosition);
    void finish();

    ReadReply reply_;
    std::array<int, ReadRequests + 1> dataStart_{};  // of each stored reply in ReplyTable
};

}  // namespace nv
