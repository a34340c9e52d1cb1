#pragma once
// Drives a link engine (read, write, ...) with arbitrary input: what arrives from the cable
// and when the timers tick come from the fuzzer. The virtual radio sits at the far end; the
// input decides whether its answers arrive, in pieces, mixed with bytes of its own, or are
// lost, so that the later phases of a transfer are reached as well as the handshake.
//
// The first byte picks the window's language and a radio fault; then come steps, each a byte
// that chooses what happens, followed by its operands:
//   0 n b1..bn  n bytes from the input arrive at the port
//   1 k         the next k bytes the radio has answered arrive (0: all of them)
//   2           the radio's answer so far is lost on the line
//   3 lo hi     lo + 256 hi milliseconds (at most 4095) pass; due timers tick
//   4           the clock runs to the next timer tick
//   5           the start button (the adjustment window: its Read or Write button, chosen by
//                the byte that follows)
//   6           the cancel button (a window that may close closes: the run ends)
//   7           the port fails to open from now on / opens again
// Message boxes are modal, but timers and the port go on while one is shown: the steps that
// follow run inside it until a button step, which stands for its OK button.

#include <algorithm>
#include <cstdint>
#include <deque>
#include <string>

#include "Require.h"
#include "core/Defaults.h"
#include "core/Startup.h"
#include "link/LinkEngine.h"
#include "sim/VirtualRadio.h"
#include "support/SimLine.h"

namespace nv::fuzz {

// The input, read from the front, one step after the other (past its end everything is 0).
class Input {
  public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool empty() const { return pos_ >= size_; }
    std::uint8_t byte() { return pos_ < size_ ? data_[pos_++] : 0; }
    int word() { return byte() | byte() << 8; }
    std::string bytes(std::size_t n) {
        n = std::min(n, size_ - std::min(pos_, size_));
        std::string out(reinterpret_cast<const char*>(data_ + pos_), n);
        pos_ += n;
        return out;
    }

  private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

class CablePort : public SerialPort {
  public:
    explicit CablePort(VirtualRadio& radio) : radio_(radio) {}
    bool open(int, PortProblem& problem) override {
        ++opens;
        if (broken) {
            problem = {PortProblem::Busy, "/dev/ttyUSB0", {}};
            return false;
        }
        open_ = true;
        return true;
    }
    bool isOpen() const override { return open_; }
    int bytesWaiting() const override { return static_cast<int>(input_.size()); }
    int readByte() override {
        if (input_.empty()) return -1;
        const int b = input_.front();
        input_.pop_front();
        return b;
    }
    void writeByte(std::uint8_t b) override {
        require(open_, "a byte was written to a closed port");
        radio_.fromHost(b);
    }
    void discardInput() override { input_.clear(); }
    void discardOutput() override {}
    void close() override {
        open_ = false;
        input_.clear();
        radio_.toHost.clear();  // what was on its way is lost with the line
    }
    // Bytes reach the port: one notification per byte, as the serial port raises them.
    void arrive(const std::string& bytes) {
        if (!open_) return;
        for (char b : bytes) input_.push_back(static_cast<std::uint8_t>(b));
        for (std::size_t i = 0; i < bytes.size() && open_; ++i)
            if (onByteReceived) onByteReceived();
    }
    std::string radioAnswer(std::size_t count) {
        std::string out;
        while (!radio_.toHost.empty() && (count == 0 || out.size() < count)) {
            out += static_cast<char>(radio_.toHost.front());
            radio_.toHost.pop_front();
        }
        return out;
    }

    bool broken = false;
    int opens = 0;  // attempts to open the port

  private:
    VirtualRadio& radio_;
    bool open_ = false;
    std::deque<std::uint8_t> input_;
};

// What a transfer may do to RadioImage.
enum class ImageRule {
    Untouched,           // a write only reads the image
    FilledOnCompletion,  // a read fills the radio's memory, and only when it completed
    Adjustment,          // the adjustment link: RadioImage and the read window's replies stay as
                         // they are; the adjustment table changes only in rows 0 to 7, a read's
                         // only when it completed
};

// The radio's faults, every one of which the fuzzer may choose.
constexpr int RadioFaults = static_cast<int>(VirtualRadio::Fault::FlipBit) + 1;

// The start button of a link window. The adjustment window has two, Read and Write: the byte
// after the step chooses (even Read, odd Write).
template <class Engine>
void pressStart(Engine& engine, Input& in) {
    if constexpr (requires {
                      engine.readButton();
                      engine.writeButton();
                  }) {
        if (in.byte() & 1)
            engine.writeButton();
        else
            engine.readButton();
    } else {
        engine.startButton();
    }
}

// The application after start-up: defaults built, English or Chinese, the port chosen.
inline AppState startedState(bool chinese) {
    static const AppState started = [] {
        AppState s;
        initialiseGlobals(s);
        buildTables(s);
        buildDefaults(s);
        s.CommPortNumber = 1;
        return s;
    }();
    AppState s = started;
    s.LanguageChinese = chinese;
    return s;
}

template <class Engine, ImageRule rule>
class LinkRun : public LinkView {
  public:
    explicit LinkRun(Input& input)
        : in_(input), setup_(in_.byte()), state_(startedState(setup_ & 1)) {
        radio_.fault = static_cast<VirtualRadio::Fault>((setup_ >> 1) % RadioFaults);
        radio_.faultBlock = setup_ >> 4;
        port_.onByteReceived = [this] { engine_.byteReceived(); };
    }

    void run() {
        engine_.windowLoaded();
        while (!in_.empty() && !closed_) step(0);
        checkImage();
    }

    // What a run did, for the tests of the starting inputs.
    int completions() const { return completions_; }
    const AppState& state() const { return state_; }
    const VirtualRadio& radio() const { return radio_; }
    const Engine& engine() const { return engine_; }

  private:
    // One step; false when it was a button inside a message box (the box's OK).
    bool step(int boxes) {
        const int kind = in_.byte() % 8;
        switch (kind) {
            case 0:
                port_.arrive(in_.bytes(in_.byte()));
                break;
            case 1:
                port_.arrive(port_.radioAnswer(in_.byte()));
                break;
            case 2:
                port_.radioAnswer(0);
                break;
            case 3:
                clock_.runUntil(clock_.now + (in_.word() & 0x0FFF));
                break;
            case 4:
                clock_.runUntil(clock_.nextAt());
                break;
            case 5:
            case 6:
                if (boxes > 0) return false;
                if (kind == 5) {
                    port_.opens = 0;
                    pressStart(engine_, in_);
                } else if (engine_.cancelButton())
                    closed_ = true;
                break;
            case 7:
                port_.broken = !port_.broken;
                break;
        }
        checkRecord();
        return true;
    }

    void checkRecord() const {
        // A start press makes at most four attempts, each opening the port afresh.
        require(port_.opens <= 4, "more than four attempts after one start press");
        require(!engine_.Busy || port_.isOpen(), "busy without an open port");
        require(engine_.SendCount >= 0 && engine_.SendCount <= 201, "SendCount out of range");
        require(engine_.SendPos >= 0 && engine_.SendPos <= engine_.SendCount,
                "SendPos beyond SendCount");
        require(engine_.BlockCounter >= 0 && engine_.BlockCounter <= engine_.LastBlock + 1,
                "BlockCounter beyond the last block");
    }

    void checkImage() const {
        if constexpr (rule == ImageRule::Adjustment) {
            require(state_.RadioImage == before_, "the adjustment link changed the image");
            require(state_.ReplyTable == beforeReplies_,
                    "the adjustment link changed the read window's replies");
            for (int r = 0; r < AdjustRows; ++r)
                for (int c = 0; c < AdjustCells; ++c) {
                    if (state_.AdjustImage(r, c) == beforeAdjust_(r, c)) continue;
                    require(r <= 7 && c < 16, "the adjustment link changed a row it never reads");
                    require(r == 7 || completions_ > 0,
                            "an adjustment read changed the table before it completed");
                    require(state_.AdjustImage(r, c) >= 0 && state_.AdjustImage(r, c) <= 255,
                            "the adjustment link stored a value beyond a byte");
                }
            return;
        }
        if (state_.RadioImage == before_) return;
        for (int r = 0; r < ImageRows; ++r)
            for (int c = 0; c < ImageCells; ++c) {
                if (state_.RadioImage(r, c) == before_(r, c)) continue;
                require(rule != ImageRule::Untouched, "a write changed the image");
                require(r < RadioRows && c < RadioCells, "a read changed cells outside the memory");
                require(completions_ > 0, "a read changed the image before it completed");
            }
    }

    // LinkView: a message box runs the steps that come while it is shown.
    void setProgress(int value) override {
        require(value >= 0 && value <= 100, "progress outside 0 to 100");
    }
    void setLabel(const std::string&) override {}
    void message(const std::string&, bool done) override {
        completions_ += done;
        if (depth_ >= 3) return;
        ++depth_;
        while (!in_.empty() && step(depth_)) {
        }
        --depth_;
    }
    void requestClose() override { closed_ = true; }

    Input& in_;
    const std::uint8_t setup_;
    AppState state_;
    const Image before_ = state_.RadioImage;
    const AdjustTable beforeAdjust_ = state_.AdjustImage;
    const ReplyTableT beforeReplies_ = state_.ReplyTable;
    test::FakeClock clock_;
    VirtualRadio radio_;
    CablePort port_{radio_};
    test::FakeTimers timers_{clock_, [this](TimerId id) { engine_.timerTick(id); }};
    Engine engine_{state_, port_, timers_, *this};
    int completions_ = 0;  // messages with the completion title
    int depth_ = 0;
    bool closed_ = false;
};

template <class Engine, ImageRule rule>
int runLink(const std::uint8_t* data, std::size_t size) {
    Input input(data, size);
    LinkRun<Engine, rule> run(input);
    run.run();
    return 0;
}

}  // namespace nv::fuzz
