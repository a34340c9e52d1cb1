#include "link/ConsoleTransfer.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <memory>
#include <vector>

#include "link/Interruption.h"
#include "link/QtLinkTimers.h"
#include "link/ReadLink.h"
#include "link/WriteLink.h"

namespace nv {

namespace {

// Counts what crosses the line, for the benchmark's bound.
class CountingPort : public SerialPort {
  public:
    explicit CountingPort(SerialPort& inner) : inner_(inner) {
        inner_.onByteReceived = [this] {
            ++received;
            if (onByteReceived) onByteReceived();
        };
    }
    bool open(int port, PortProblem& problem) override { return inner_.open(port, problem); }
    bool isOpen() const override { return inner_.isOpen(); }
    int bytesWaiting() const override { return inner_.bytesWaiting(); }
    int readByte() override { return inner_.readByte(); }
    void writeByte(std::uint8_t byte) override {
        ++sent;
        inner_.writeByte(byte);
    }
    void discardInput() override { inner_.discardInput(); }
    void discardOutput() override { inner_.discardOutput(); }
    void flush() override { inner_.flush(); }
    std::string device() const override { return inner_.device(); }
    std::string givenName() const override { return inner_.givenName(); }
    void close() override { inner_.close(); }
    long long sent = 0, received = 0;

  private:
    SerialPort& inner_;
};

class Run : public CallbackView {
  public:
    Run(const TransferCallbacks& callbacks, QEventLoop& loop)
        : CallbackView(callbacks), loop_(loop) {}
    void message(const std::string& text, bool done) override {
        if (callbacks_.message && !(done && callbacks_.quietWhenDone)) callbacks_.message(text);
        ok = done;
        // Ends the run once the engine has returned from the call that brought the message.
        QTimer::singleShot(0, &loop_, [this] { loop_.quit(); });
    }
    bool ok = false;

  private:
    QEventLoop& loop_;
};

}  // namespace

TransferResult runTransfer(AppState& state, SerialPort& port, bool write,
                           const TransferCallbacks& callbacks) {
    QEventLoop loop;
    Run view(callbacks, loop);
    CountingPort counting(port);
    int frames = 0;
    std::unique_ptr<LinkEngine> engine;
    QtLinkTimers timers([&](TimerId id) {
        if (id == Timer1) ++frames;
        engine->timerTick(id);
    });
    if (write)
        engine = std::make_unique<WriteLink>(state, counting, timers, view);
    else
        engine = std::make_unique<ReadLink>(state, counting, timers, view);
    counting.onByteReceived = [&] { engine->byteReceived(); };

    TransferResult result;
    InterruptGuard interrupt([&] {
        if (!engine->running()) return;  // it has just ended on its own
        result.blocksDone = engine->mostBlocksDone();
        result.endByteSent = engine->stop();
        result.interrupted = true;
        loop.quit();
    });
    QElapsedTimer clock;
    clock.start();
    engine->startButton();
    if (!state.PortOpenFailed) loop.exec();
    result.ok = view.ok && !result.interrupted;
    result.seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    result.bytesSent = counting.sent;
    result.bytesReceived = counting.received;
    result.framesSent = frames;
    for (TimerId id : {Timer1, Timer2, Timer3, Timer4}) timers.stop(id);
    port.close();
    return result;
}

bool sameMemory(const Image& a, const Image& b) {
    for (int r = 0; r < RadioRows; ++r)
        for (int c = 0; c < RadioCells; ++c)
            if (a(r, c) != b(r, c)) return false;
    return true;
}

AgreedRead readUntilTwoAgree(AppState& state, SerialPort& port, const TransferCallbacks& callbacks,
                             const std::function<bool(const Image&)>& enoughAlone) {
    constexpr int MostReads = 3;
    std::vector<Image> reads;
    for (int k = 0; k < MostReads; ++k) {
        if (!runTransfer(state, port, false, callbacks).ok) return AgreedRead::Failed;
        if (k == 0 && enoughAlone && enoughAlone(state.RadioImage)) return AgreedRead::Agreed;
        for (const Image& earlier : reads)
            if (sameMemory(earlier, state.RadioImage)) return AgreedRead::Agreed;
        reads.push_back(state.RadioImage);
    }
    return AgreedRead::Disagreed;
}

}  // namespace nv
