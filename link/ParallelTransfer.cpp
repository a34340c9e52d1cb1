#include "link/ParallelTransfer.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QObject>
#include <QTimer>
#include <functional>

#include "link/Interruption.h"
#include "link/QtLinkTimers.h"
#include "link/ReadLink.h"
#include "link/WriteLink.h"

namespace nv {

namespace {

// One transfer (a write or a read) of one radio. Every way a transfer ends brings a message:
// the completion message, or the port or the connection failure.
class Step : public CallbackView {
  public:
    using Done = std::function<void(bool ok, const std::string& message)>;

    Step(AppState& state, SerialPort& port, bool write, const TransferCallbacks& callbacks,
         Done done)
        : CallbackView(callbacks), done_(std::move(done)) {
        timers_ = std::make_unique<QtLinkTimers>([this](TimerId id) { engine_->timerTick(id); });
        if (write)
            engine_ = std::make_unique<WriteLink>(state, port, *timers_, *this);
        else
            engine_ = std::make_unique<ReadLink>(state, port, *timers_, *this);
        port.onByteReceived = [this] { engine_->byteReceived(); };
    }
    ~Step() override { stopTimers(); }
    void start() { engine_->startButton(); }

    bool interrupted = false;
    int blocksDone = 0;  // when interrupted

  private:
    void stopTimers() {
        for (TimerId id : {Timer1, Timer2, Timer3, Timer4}) timers_->stop(id);
    }
    void message(const std::string& text, bool done) override {
        if (callbacks_.message) callbacks_.message(text);
        report(done, text);
    }
    // Reported once the engine has returned from the call that brought the message.
    void report(bool done, const std::string& text) {
        QTimer::singleShot(0, &context_, [this, done, text] {
            stopTimers();               // nothing more is wanted from this engine
            const Done tell = done_;  // the step may be replaced while it reports
            tell(done, text);
        });
    }
    void interrupt() {
        if (!engine_->running()) return;
        blocksDone = engine_->mostBlocksDone();
        engine_->stop();
        interrupted = true;
        report(false, "interrupted");
    }

    Done done_;
    QObject context_;
    std::unique_ptr<QtLinkTimers> timers_;
    std::unique_ptr<LinkEngine> engine_;
    InterruptGuard guard_{[this] { interrupt(); }};
};

// A write, then, when asked, a read of the same radio into a copy of the job's state.
class Job {
  public:
    Job(RadioJob& spec, RadioJobResult& result, const TransferCallbacks& callbacks,
        std::function<void()> finished)
        : spec_(spec), result_(result), callbacks_(callbacks), finished_(std::move(finished)) {}

    void start() {
        clock_.start();
        step_ = std::make_unique<Step>(spec_.state, *spec_.port, true, callbacks_,
                                       [this](bool ok, const std::string& m) { written(ok, m); });
        step_->start();
    }

  private:
    void written(bool ok, const std::string& message) {
        result_.written = ok;
        result_.message = message;
        result_.interrupted = step_->interrupted;
        result_.rowsWritten = step_->blocksDone;
        if (!ok || !spec_.readBack) return finish();
        // Ctrl+C between the write and the read-back: the read-back is not started.
        if (Interruption::received()) {
            result_.interrupted = true;
            return finish();
        }
        readState_ = std::make_unique<AppState>(spec_.state);
        readAgain();
    }
    void readAgain() {
        retired_ = std::move(step_);  // it is still reporting
        step_ = std::make_unique<Step>(*readState_, *spec_.port, false, callbacks_,
                                       [this](bool ok, const std::string& m) { read(ok, m); });
        step_->start();
    }
    // A read-back that shows what was written stands alone; any other counts only when a
    // second read agrees with it, so that a garbled data bit is never told as a difference.
    void read(bool ok, const std::string& message) {
        if (!ok) {
            result_.message = message;
            result_.interrupted = step_->interrupted;
            return finish();
        }
        const Image& got = readState_->RadioImage;
        bool agreed = reads_.empty() && sameWrittenRows(got, spec_.state.RadioImage);
        for (const Image& earlier : reads_) agreed = agreed || sameMemory(earlier, got);
        if (agreed) {
            result_.readBackDone = true;
            result_.readBack = got;
            return finish();
        }
        reads_.push_back(got);
        if (reads_.size() < 3) return readAgain();
        result_.message = "no two of three reads of the radio agreed: the line garbles data "
                          "bytes; check the cable.";
        finish();
    }
    static bool sameWrittenRows(const Image& a, const Image& b) {
        for (int r = 0; r <= LastWrittenRow; ++r)
            for (int c = 0; c < RadioCells; ++c)
                if (a.byte(r, c) != b.byte(r, c)) return false;
        return true;
    }
    void finish() {
        result_.seconds = static_cast<double>(clock_.nsecsElapsed()) / 1e9;
        spec_.port->close();
        spec_.port->onByteReceived = nullptr;
        finished_();
    }

    RadioJob& spec_;
    RadioJobResult& result_;
    const TransferCallbacks& callbacks_;
    std::function<void()> finished_;
    std::unique_ptr<Step> step_, retired_;
    std::unique_ptr<AppState> readState_;
    std::vector<Image> reads_;  // read-backs that no other has agreed with yet
    QElapsedTimer clock_;
};

}  // namespace

std::vector<RadioJobResult> writeRadios(std::vector<RadioJob>& jobs,
                                        const TransferCallbacks& callbacks) {
    std::vector<RadioJobResult> results(jobs.size());
    if (jobs.empty()) return results;
    QEventLoop loop;
    std::size_t running = jobs.size();
    std::vector<std::unique_ptr<Job>> runs;
    for (std::size_t i = 0; i < jobs.size(); ++i)
        runs.push_back(std::make_unique<Job>(jobs[i], results[i], callbacks, [&] {
            if (--running == 0) loop.quit();
        }));
    // Started from the loop, so that a job that ends at once cannot end the loop before it runs.
    QTimer::singleShot(0, &loop, [&] {
        for (auto& run : runs) run->start();
    });
    loop.exec();
    return results;
}

}  // namespace nv
