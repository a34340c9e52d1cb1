#pragma once
// The adjustment link: reads the radio's adjustment area (0x0340 upward) into the adjustment
// table and writes it back, on the same engine as the read and write windows. One window does
// both, so the kind of transfer is chosen by the button that starts it.

#include <array>
#include <functional>

#include "link/LinkEngine.h"
#include "protocol/ReadReply.h"

namespace nv {

constexpr int AdjustReadRequests = 3;  // 0x0340, 0x0380, 0x03C0; the third is not used
constexpr int AdjustWriteBlocks = 11;  // rows 0 to 10
// Pauses inside an event: before each read acknowledgement, and around the end byte.
constexpr int AckPauseMs = 4;
constexpr int EndPauseMs = 18;

// The adjustment read takes the first "X" header in positions up to 5, else data from 5.
using AdjustReply = ReadReply;

class AdjustLink : public LinkEngine {
  public:
    using LinkEngine::LinkEngine;

    // The Read and Write buttons: each abandons whatever runs and starts afresh.
    void readButton();
    void writeButton();

    bool AdjReading() const { return Busy && !WriteMode; }
    bool AdjWriting() const { return Busy && WriteMode; }

    // The replies of the current read: the adjustment link keeps its own, apart from the read
    // window's ReplyTable. Reply n (1 to 3) answers request n − 1.
    std::array<AdjustReply, AdjustReadRequests + 1> AdjReplies;

    // Runs after a read has changed the table: the window's display routine.
    std::function<void()> showTable;
    // Runs once the radio has acknowledged the last block of a write, before its message.
    std::function<void()> written;

    // The table as it was when Write was pressed: what the write sends.
    const AdjustTable& sentTable() const { return sent_; }

  protected:
    bool writeWindow() const override { return writing_; }
    bool discardsOutput() const override { return false; }
    int lastBlock() const override { return writing_ ? AdjustWriteBlocks : AdjustReadRequests; }
    int dataBlocks() const override { return lastBlock(); }
    const EntrySequence& entrySequence() const override { return AdjustModeSequence; }
    PortMessage portMessage() const override;
    void transferStarting() override {
        if (writing_) sent_ = state_.AdjustImage;
    }
    void startDataPhase() override;
    void receiveData() override;

  private:
    void sendBlock(int k);
    void sendRequest(int n);
    void receiveAcknowledge();
    void receiveReply();
    void finishWrite();
    void finishRead();

    bool writing_ = false;
    AdjustTable sent_;
};

}  // namespace nv
