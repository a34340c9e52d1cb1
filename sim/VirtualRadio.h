#pragma once
// The radio at the far end of the cable: 1024 bytes of configuration memory, the program-mode
// handshake, read replies, write acknowledgements and the end byte, with switchable faults.
// Bytes from the host go in through fromHost(); what the radio answers waits in toHost.

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
    };

    VirtualRadio();
    // A believable configuration: channels, tones and settings that differ from the factory
    // defaults at a glance.
    static Memory plausibleMemory();

    void fromHost(std::uint8_t byte);
    std::deque<std::uint8_t> toHost;

    Memory memory{};
    Fault fault = Fault::None;
    int faultBlock = 9;

    // What happened, for tests and the server's log.
    int sessions = 0;  // program-mode entries accepted
    int readReplies = 0;
    int writesStored = 0;
    bool ended = false;  // the end byte arrived in the last session
    std::vector<int> writeAddresses;

    static std::string faultName(Fault f);
    static bool parseFault(const std::string& text, Fault* fault, int* block);

  private:
    enum class Mode { Idle, WaitAck, Program };
    bool entryComplete(std::uint8_t byte);
    void answerEntry();
    void handleProgramByte(std::uint8_t byte);
    void answerRead(int address);
    void storeWrite();

    Mode mode_ = Mode::Idle;
    std::deque<std::uint8_t> entry_;  // the last bytes seen while idle
    std::vector<std::uint8_t> command_;
    bool ackOwed_ = false;  // the host acknowledged a reply: ours leads the next one
    bool faultSpent_ = false;
    int writesThisSession_ = 0;
};

}  // namespace nv
