#pragma once
// The radio at the far end of the cable: 1024 bytes of configuration memory and the adjustment
// area, the program-mode and adjustment-mode handshakes, read replies, write acknowledgements
// and the end byte, with switchable faults. Bytes from the host go in through fromHost(); what
// the radio answers waits in toHost.

#include <array>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

namespace nv {

class VirtualRadio {
  public:
    static constexpr int MemorySize = 1024;
    using Memory = std::array<std::uint8_t, MemorySize>;
    // In adjustment mode addresses 0x0340 to 0x03FF reach the adjustment area.
    static constexpr int AdjustStart = 0x0340;
    static constexpr int AdjustSize = 0x0400 - AdjustStart;
    using AdjustArea = std::array<std::uint8_t, AdjustSize>;

    enum class Fault {
        None,
        Silent,            // never answers
        WrongIdent,        // identification reply not framed 0xAA ... 0xBB
        StopAfterBlock,    // stops answering reads after `faultBlock` replies, in the first session
                           // only
        NoWriteAck,        // does not acknowledge write number `faultBlock` (1-based), once
        WrongWriteAck,     // answers write number `faultBlock` with 0x15, once
        ExtraLeadingByte,  // the first read reply carries one more leading byte
        Garbage,           // a few noise bytes before the identification reply
        LateHeader,        // every read reply carries one byte before its header
        // Line noise at read reply number `faultBlock` (1-based) of the first session, or of every
        // session with `faultEverySession`:
        StrayByte,     // one stray byte before the header
        WrongAddress,  // the header names the next block's address (the data are right)
        FlipBit,       // one data bit flipped, a different one in each session
    };

    VirtualRadio();
    // A believable configuration: channels, tones and settings that differ from the factory
    // defaults at a glance.
    static Memory plausibleMemory();
    // Alignment values of a working radio, each inside the range its setting allows, and
    // unlike the program's start-up values.
    static AdjustArea plausibleAdjustArea();

    void fromHost(std::uint8_t byte);
    std::deque<std::uint8_t> toHost;

    Memory memory{};
    AdjustArea adjustArea{};
    Fault fault = Fault::None;
    int faultBlock = 9;
    bool faultEverySession = false;

    // What happened, for tests and the server's log.
    int sessions = 0;  // program-mode entries accepted
    int readReplies = 0;
    int writesStored = 0;
    bool ended = false;       // the end byte arrived in the last session
    bool adjustMode = false;  // the last session was entered with the adjustment sequence
    std::vector<int> writeAddresses;

    static std::string faultName(Fault f);
    static bool parseFault(const std::string& text, Fault* fault, int* block);

  private:
    enum class Mode { Idle, WaitAck, Program };
    bool entryComplete(std::uint8_t byte);
    void answerEntry();
    std::uint8_t* cellAt(int address);
    void handleProgramByte(std::uint8_t byte);
    void answerRead(int address);
    bool noiseNow(Fault f) const;
    void storeWrite();

    Mode mode_ = Mode::Idle;
    std::deque<std::uint8_t> entry_;  // the last bytes seen while idle
    std::vector<std::uint8_t> command_;
    bool ackOwed_ = false;  // the host acknowledged a reply: ours leads the next one
    bool faultSpent_ = false;
    int writesThisSession_ = 0;
    int readsThisSession_ = 0;
};

}  // namespace nv
