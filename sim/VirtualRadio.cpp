#include "sim/VirtualRadio.h"

#include <algorithm>

#include "core/Defaults.h"
#include "core/Frequency.h"
#include "protocol/Frames.h"

namespace nv {

VirtualRadio::VirtualRadio() : memory(plausibleMemory()), adjustArea(plausibleAdjustArea()) {}

VirtualRadio::AdjustArea VirtualRadio::plausibleAdjustArea() {
    AdjustArea area;
    area.fill(0xFF);
    auto put = [&area](int row, std::initializer_list<int> bytes) {
        int i = row * 16;
        for (int b : bytes) area[i++] = static_cast<std::uint8_t>(b);
    };
    // Squelch thresholds, deviations, TX switches PRE and V_HPF, RX switches WN and V_LPF.
    put(0, {40, 41, 42, 43, 45, 47, 49, 51, 53, 72, 25, 18, 0x00, 0x16, 0x09, 0x00});
    put(1, {48, 49, 50, 51, 52, 52, 53, 53, 54, 54, 0, 0, 0, 0, 0, 0});  // high power
    put(2, {12, 12, 13, 13, 14, 14, 15, 15, 16, 16, 0, 0, 0, 0, 0, 0});  // low power
    put(3, {'V', '2', '.', '1', 'B', ' '});                              // firmware version
    put(4, {3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 0, 0, 0, 0, 0, 0});         // squelch offsets
    put(5, {0x21, 0x23, 0x25, 0x27, 0x29, 0x2B, 0x2D, 0x2F, 0x31, 0x33});
    put(6, {0x1A, 0x1C, 0x1E, 0x20, 0x22, 0x24, 0x26, 0x28, 0x2A, 0x2C, 0, 0, 0, 0, 0, 0});
    for (std::size_t c = 0; c < AdjustMarker.size(); ++c) area[7 * 16 + c] = AdjustMarker[c];
    for (std::size_t c = 0; c < AdjustDefaultRecordHead.size(); ++c)
        area[10 * 16 + c] = AdjustDefaultRecordHead[c];
    area[10 * 16 + 7] = AdjustDefaultRecordCell7;
    return area;
}

std::uint8_t* VirtualRadio::cellAt(int address) {
    if (adjustMode && address >= AdjustStart && address < AdjustStart + AdjustSize)
        return &adjustArea[address - AdjustStart];
    return &memory[address % MemorySize];
}

VirtualRadio::Memory VirtualRadio::plausibleMemory() {
    // Built once: every radio of a test run, and every run of a fuzz target, starts with it.
    static const Memory memory = [] {
        AppState s;
        buildDefaultImage(s);
        Image& im = s.RadioImage;
        // Twelve PMR446-style channels with a few tones, two channels left empty.
        const char* freqs[16] = {"446.00625", "446.01875", "446.03125", "446.04375",
                                 "446.05625", "446.06875", "446.08125", "446.09375",
                                 "433.075",   "433.500",   "438.025",   "445.950",
                                 nullptr,     nullptr,     "462.5625",  "467.7125"};
        for (int n = 1; n <= 16; ++n) {
            if (!freqs[n - 1]) {
                for (int c = 0; c < 16; ++c) im(n, c) = 0xFF;
                continue;
            }
            textToFrequency(freqs[n - 1], im, n, 0);
            textToFrequency(freqs[n - 1], im, n, 4);
        }
        textToFrequency("438.025", im, 11, 4);  // a repeater pair
        textToFrequency("430.425", im, 11, 0);
        im(3, 8) = 0x75;
        im(3, 9) = 0x03;  // 88.5 Hz decode and encode
        im(3, 10) = 0x75;
        im(3, 11) = 0x03;
        im(9, 10) = 0x13;
        im(9, 11) = 0x28;   // D023N encode only
        im(4, 13) = 0x8F;   // low power, narrow
        im(12, 12) = 0x02;  // DTMF signalling
        im(12, 14) = 0xB1;  // PTT ID on
        im(23, 14) = 0x3F;  // channels 1 to 6 scan
        im(23, 15) = 0x01;  // and channel 9
        im(19, 0) = 0x02;   // a different squelch level
        Memory m{};
        for (int a = 0; a < MemorySize; ++a) m[a] = static_cast<std::uint8_t>(im(a / 16, a % 16));
        return m;
    }();
    return memory;
}

// A program-mode or adjustment-mode entry is recognised in any state, so that a host that
// gave up half-way can start again; bytes inside a command never count towards it.
bool VirtualRadio::entryComplete(std::uint8_t byte) {
    entry_.push_back(byte);
    if (entry_.size() > ProgramModeSequence.size()) entry_.pop_front();
    auto is = [this](const auto& sequence) {
        return std::equal(entry_.begin(), entry_.end(), sequence.begin(), sequence.end());
    };
    const bool program = is(ProgramModeSequence), adjust = is(AdjustModeSequence);
    if (!program && !adjust) return false;
    adjustMode = adjust;
    entry_.clear();
    return true;
}

void VirtualRadio::answerEntry() {
    command_.clear();
    ackOwed_ = false;
    if (fault == Fault::Silent) {
        mode_ = Mode::Idle;
        return;
    }
    if (fault == Fault::Garbage)
        for (std::uint8_t g : {0x00, 0xFF, 0x13}) toHost.push_back(g);
    toHost.push_back(fault == Fault::WrongIdent ? 0xAB : IdentFirst);
    for (std::uint8_t b : IdentificationBytes) toHost.push_back(b);
    toHost.push_back(IdentLast);
    mode_ = Mode::WaitAck;
}

void VirtualRadio::fromHost(std::uint8_t byte) {
    const bool insideCommand = mode_ == Mode::Program && !command_.empty();
    if (!insideCommand && entryComplete(byte)) {
        answerEntry();
        return;
    }
    switch (mode_) {
        case Mode::Idle:
            return;
        case Mode::WaitAck:
            // A host that only asks whether a radio is there ends at once.
            if (byte == EndOfTransfer) {
                mode_ = Mode::Idle;
                entry_.clear();
                return;
            }
            if (byte == Ack) {
                toHost.push_back(Ack);
                mode_ = Mode::Program;
                ++sessions;
                ended = false;
                writesThisSession_ = 0;
                readsThisSession_ = 0;
                entry_.clear();
            }
            return;
        case Mode::Program:
            handleProgramByte(byte);
            return;
    }
}

void VirtualRadio::handleProgramByte(std::uint8_t byte) {
    if (command_.empty()) {
        if (byte == Ack) {
            ackOwed_ = true;
            return;
        }
        if (byte == EndOfTransfer) {
            ended = true;
            mode_ = Mode::Idle;
            return;
        }
        if (byte != ReadCommand && byte != WriteCommand) return;  // noise
        entry_.clear();
    }
    command_.push_back(byte);
    const std::size_t wanted =
        RequestHeaderLength + (command_[0] == ReadCommand ? 0 : WriteLength);
    if (command_.size() < wanted) return;
    if (command_[0] == ReadCommand)
        answerRead(command_[1] * 256 + command_[2]);
    else
        storeWrite();
    command_.clear();
}

void VirtualRadio::answerRead(int address) {
    if (fault == Fault::StopAfterBlock && !faultSpent_ && readReplies >= faultBlock) {
        faultSpent_ = true;  // a restarted session is answered again
        mode_ = Mode::Idle;
        return;
    }
    if (ackOwed_) toHost.push_back(Ack);
    ackOwed_ = false;
    ++readsThisSession_;
    if (fault == Fault::ExtraLeadingByte && readReplies == 0) toHost.push_back(0x00);
    if (fault == Fault::LateHeader) toHost.push_back(0x00);
    const bool noisy = noiseNow(Fault::StrayByte) || noiseNow(Fault::WrongAddress) ||
                       noiseNow(Fault::FlipBit);
    if (noiseNow(Fault::StrayByte)) toHost.push_back(0xFF);
    const int named = noiseNow(Fault::WrongAddress) ? (address + ReadLength) % MemorySize : address;
    for (int b : replyHead(named)) toHost.push_back(static_cast<std::uint8_t>(b));
    const std::size_t data = toHost.size();
    for (int i = 0; i < ReadLength; ++i) toHost.push_back(*cellAt(address + i));
    if (noiseNow(Fault::FlipBit)) toHost[data + (7 * sessions) % ReadLength] ^= 1 << sessions % 8;
    if (noisy) faultSpent_ = !faultEverySession;
    ++readReplies;
}

bool VirtualRadio::noiseNow(Fault f) const {
    return fault == f && readsThisSession_ == faultBlock && !faultSpent_;
}

void VirtualRadio::storeWrite() {
    ++writesThisSession_;
    const int address = command_[1] * 256 + command_[2];
    const int length = command_[3];
    const bool faulty = !faultSpent_ && writesThisSession_ == faultBlock &&
                        (fault == Fault::NoWriteAck || fault == Fault::WrongWriteAck);
    if (faulty) {
        faultSpent_ = true;
        if (fault == Fault::WrongWriteAck) toHost.push_back(0x15);
        return;  // the row is not stored either
    }
    for (int i = 0; i < length && i < WriteLength; ++i)
        if (address + i < MemorySize) *cellAt(address + i) = command_[RequestHeaderLength + i];
    writeAddresses.push_back(address);
    ++writesStored;
    toHost.push_back(Ack);
}

std::string VirtualRadio::faultName(Fault f) {
    switch (f) {
        case Fault::None:
            return "none";
        case Fault::Silent:
            return "silent";
        case Fault::WrongIdent:
            return "wrong-ident";
        case Fault::StopAfterBlock:
            return "stop-after";
        case Fault::NoWriteAck:
            return "no-write-ack";
        case Fault::WrongWriteAck:
            return "wrong-write-ack";
        case Fault::ExtraLeadingByte:
            return "extra-byte";
        case Fault::Garbage:
            return "garbage";
        case Fault::LateHeader:
            return "late-header";
        case Fault::StrayByte:
            return "stray-byte";
        case Fault::WrongAddress:
            return "wrong-address";
        case Fault::FlipBit:
            return "flip-bit";
    }
    return "none";
}

bool VirtualRadio::parseFault(const std::string& text, Fault* f, int* block) {
    const std::size_t eq = text.find('=');
    const std::string name = text.substr(0, eq);
    for (Fault candidate :
         {Fault::None, Fault::Silent, Fault::WrongIdent, Fault::StopAfterBlock, Fault::NoWriteAck,
          Fault::WrongWriteAck, Fault::ExtraLeadingByte, Fault::Garbage, Fault::LateHeader,
          Fault::StrayByte, Fault::WrongAddress, Fault::FlipBit}) {
        if (faultName(candidate) != name) continue;
        *f = candidate;
        if (eq != std::string::npos) {
            try {
                *block = std::stoi(text.substr(eq + 1));
            } catch (...) {
                return false;
            }
        }
        return true;
    }
    return false;
}

}  // namespace nv
