#pragma once
// The adjustment link: reads the radio's adjustment area (0x0340 upward) into the adjustment
// table and writes it back, on the same engine as the read and write windows. One window does
// both, so the kind of transfer is chosen by the button that starts it.

#include <array>
#include <functional>

#include "link/LinkEngine.h"

namespace nv {

// The 8 bytes that put the radio into its adjustment mode, in which addresses 0x0340 to
// 0x03FF reach the adjustment area instead of the configuration memory.
constexpr std::array<std::uint8_t, 8> AdjustModeSequence = {0x02, 'A', 'N', 'V',
                                                            '7',  '4', '2', 0x03};
constexpr std::uint8_t AdjustReplyHeader = 0x58;  // "X"
constexpr int AdjustAddress = 0x0340;
constexpr int AdjustReadRequests = 3;  // 0x0340, 0x0380, 0x03C0; the third is not used
constexpr int AdjustWriteBlocks = 11;  // rows 0 to 10
// Pauses inside an event: before each read acknowledgement, and around the end byte.
constexpr int AckPauseMs = 4;
constexpr int EndPauseMs = 18;

// One read reply as it comes in. The data start four bytes after the "X" header when one of
// the first bytes holds it; the reply is complete only when all 64 data bytes have arrived,
// so nothing is ever taken from a position no byte reached.
class AdjustReply {
  public:
    static constexpr int Positions = 80;
    static constexpr int LastHeaderPosition = 5;

    // firstPosition: 1 for the first reply (68 bytes), 0 for later ones (69 bytes).
    void reset(int firstPosition);
    bool waitsForMore() const { return !complete(); }
    void take(int byte);
    bool complete() const;
    int minimumLength() const { return 68 + (1 - first_); }
    int dataStart() const;
    int data(int i) const { return bytes_[dataStart() + i]; }
    int at(int position) const { return bytes_[position]; }
    int taken() const { return taken_; }

  private:
    std::array<int, Positions> bytes_{};
    int first_ = 1;
    int taken_ = 0;
};

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

  protected:
    bool writeWindow() const override { return writing_; }
    bool discardsOutput() const override { return false; }
    int lastBlock() const override { return writing_ ? AdjustWriteBlocks : AdjustReadRequests; }
    int dataBlocks() const override { return lastBlock(); }
    const EntrySequence& entrySequence() const override { return AdjustModeSequence; }
    PortMessage portMessage() const override;
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
};

}  // namespace nv
