#pragma once
// The link engine on a fake clock against the virtual radio: time-outs and retries run in
// microseconds, and every byte on the line is recorded with its time.

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "link/LinkEngine.h"
#include "sim/VirtualRadio.h"

namespace nv::test {

class FakeClock {
  public:
    long long now = 0;  // ms
    void at(long long when, std::function<void()> fn) {
        events_.emplace(std::make_pair(when, seq_++), std::move(fn));
    }
    // Runs events in time order until `until` or until nothing is left.
    void runUntil(long long until) {
        while (!events_.empty() && events_.begin()->first.first <= until) {
            auto it = events_.begin();
            // An event due during a pause inside an earlier event runs when the pause is over.
            now = std::max(now, it->first.first);
            auto fn = std::move(it->second);
            events_.erase(it);
            fn();
        }
        if (now < until) now = until;
    }
    bool idle() const { return events_.empty(); }
    // When the next event is due (now when nothing is waiting).
    long long nextAt() const { return events_.empty() ? now : events_.begin()->first.first; }

  private:
    std::map<std::pair<long long, long long>, std::function<void()>> events_;
    long long seq_ = 0;
};

class FakeTimers : public LinkTimers {
  public:
    FakeTimers(FakeClock& clock, std::function<void(TimerId)> onTick)
        : clock_(clock), onTick_(std::move(onTick)) {}
    void start(TimerId id, int interval) override {
        const int gen = ++generation_[id];
        schedule(id, interval, gen);
    }
    void stop(TimerId id) override { ++generation_[id]; }
    // A pause inside an event takes time on the clock and nothing else runs meanwhile.
    void wait(int ms) override {
        waits.push_back(ms);
        clock_.now += ms;
    }
    std::vector<int> waits;
    bool active(TimerId id) const {
        return activeGen_.count(id) && activeGen_.at(id) == generation_.at(id);
    }

  private:
    void schedule(TimerId id, int interval, int gen) {
        activeGen_[id] = gen;
        clock_.at(clock_.now + interval, [this, id, interval, gen] {
            if (generation_[id] != gen) return;
            schedule(id, interval, gen);  // periodic until stopped
            onTick_(id);
        });
    }
    FakeClock& clock_;
    std::function<void(TimerId)> onTick_;
    std::map<int, int> generation_;
    std::map<int, int> activeGen_;
};

struct LineByte {
    long long at;
    std::uint8_t value;
};

// A port with the virtual radio at the far end; the radio's answers arrive 1 ms later.
class SimPort : public SerialPort {
  public:
    SimPort(FakeClock& clock, VirtualRadio& radio) : clock_(clock), radio_(radio) {}
    bool open(int, PortProblem& problem) override {
        ++opens;
        if (!available) {
            problem = {PortProblem::NoDevice, {}, {}};
            return false;
        }
        open_ = true;
        return true;
    }
    bool isOpen() const override { return open_; }
    int bytesWaiting() const override { return static_cast<int>(input_.size()); }
    int readByte() override {
        if (input_.empty()) return -1;
        int b = input_.front();
        input_.erase(input_.begin());
        return b;
    }
    void writeByte(std::uint8_t b) override {
        if (!open_) return;
        sent.push_back({clock_.now, b});
        if (lineCut) return;
        radio_.fromHost(b);
        if (!radio_.toHost.empty()) {
            std::vector<std::uint8_t> out(radio_.toHost.begin(), radio_.toHost.end());
            radio_.toHost.clear();
            clock_.at(clock_.now + 1, [this, out] { arrive(out); });
        }
    }
    // Bytes that reach the host from the line, outside the radio (noise, a stray acknowledge).
    void arrive(const std::vector<std::uint8_t>& bytes) {
        if (!open_ || lineCut) return;
        for (std::uint8_t b : bytes) input_.push_back(b);
        for (std::size_t i = 0; i < bytes.size() && open_; ++i)
            if (onByteReceived) onByteReceived();
    }
    void discardInput() override { input_.clear(); }
    void discardOutput() override {}
    std::string device() const override { return deviceName; }
    void close() override {
        if (open_) ++closes;
        open_ = false;
        input_.clear();
    }

    bool available = true;
    bool lineCut = false;  // nothing reaches the radio and nothing comes back
    std::string deviceName = "/dev/ttyUSB7";
    int opens = 0, closes = 0;
    std::vector<LineByte> sent;

  private:
    FakeClock& clock_;
    VirtualRadio& radio_;
    bool open_ = false;
    std::vector<std::uint8_t> input_;
};

class RecordingView : public LinkView {
  public:
    explicit RecordingView(FakeClock& clock) : clock_(clock) {}
    void setProgress(int v) override { progress.push_back(v); }
    void setLabel(const std::string& t) override { labels.push_back(t); }
    void message(const std::string& t, bool done) override {
        messages.push_back(t);
        doneTitles.push_back(done);
    }
    void requestClose() override {
        if (closedAt < 0) closedAt = clock_.now;
    }
    std::vector<int> progress;
    std::vector<std::string> labels;
    std::vector<std::string> messages;
    std::vector<bool> doneTitles;
    long long closedAt = -1;

  private:
    FakeClock& clock_;
};

// An engine of type E wired to the fake clock, the virtual radio and a recording view.
template <class E>
struct SimLink {
    explicit SimLink(bool chinese = false) : languageSet_((state.LanguageChinese = chinese, true)) {
        state.CommPortNumber = 3;
        port.onByteReceived = [this] { engine.byteReceived(); };
    }
    AppState state;
    bool languageSet_;  // the window's language is fixed before its engine exists
    FakeClock clock;
    VirtualRadio radio;
    SimPort port{clock, radio};
    RecordingView view{clock};
    FakeTimers timers{clock, [this](TimerId id) { engine.timerTick(id); }};
    E engine{state, port, timers, view};

    void run(long long ms) { clock.runUntil(clock.now + ms); }
    // Times at which the host sent the first byte of an entry sequence.
    std::vector<long long> entryTimes(
        const std::array<std::uint8_t, 8>& entry = ProgramModeSequence) const {
        std::vector<long long> t;
        const auto& s = port.sent;
        for (std::size_t i = 0; i + entry.size() <= s.size(); ++i) {
            bool match = true;
            for (std::size_t k = 0; k < entry.size() && match; ++k)
                match = s[i + k].value == entry[k];
            if (match) t.push_back(s[i].at);
        }
        return t;
    }
};

}  // namespace nv::test
