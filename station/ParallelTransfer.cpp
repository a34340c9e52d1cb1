#include "station/ParallelTransfer.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QObject>
#include <QTimer>
#include <functional>

#include "link/Interruption.h"
#include "link/QtLinkTimers.h"
#include "station/StationPort.h"

namespace nv {

namespace {

// One radio: the station's sequence for it, without a backup, with a read-back when asked.
class Job {
  public:
    Job(RadioJob& spec, RadioJobResult& result, const TransferCallbacks& callbacks,
        std::function<void()> finished)
        : spec_(spec), result_(result), finished_(std::move(finished)) {
        timers_ = std::make_unique<QtLinkTimers>([this](TimerId id) { sequence_->timerTick(id); });
        StationJob job;
        job.image = spec.state.RadioImage;
        job.backup = false;
        job.verify = spec.readBack;
        StationPort::Events events;
        events.linkProgress = callbacks.progress;
        events.linkMessage = callbacks.message;
        events.finished = [this](const StationRadio& radio) { done(radio); };
        events.changed = [this](StationPort::State s, int) {
            if (s == StationPort::State::Ended) ended();
        };
        sequence_ = std::make_unique<StationPort>(
            spec.state, *spec.port, *timers_,
            [this] { return static_cast<double>(clock_.nsecsElapsed()) / 1e9; }, job, events);
        spec.port->onByteReceived = [this] { sequence_->byteReceived(); };
    }
    ~Job() { sequence_.reset(); }  // before the timers it stops

    void start() {
        clock_.start();
        sequence_->start();
    }

  private:
    void done(const StationRadio& radio) {
        result_.written = radio.written;
        result_.readBackDone = radio.readBack;
        if (radio.readBack) result_.readBack = radio.memory;
        // The link's words for a failed transfer or a completed write; the read-back's own
        // verdict when the reads did not agree.
        const bool readsDisagreed = radio.written && spec_.readBack && !radio.readBack;
        result_.message =
            radio.linkFailed || !readsDisagreed ? radio.linkMessage : radio.shownResult;
        if (result_.message.empty()) result_.message = radio.shownResult;
        result_.interrupted = radio.stopped;
        result_.rowsWritten = radio.rowsTaken;
        result_.seconds = radio.seconds;
    }
    // Told once the sequence has returned from the step that ended it.
    void ended() {
        QTimer::singleShot(0, &context_, [this] {
            spec_.port->close();
            spec_.port->onByteReceived = nullptr;
            finished_();
        });
    }

    RadioJob& spec_;
    RadioJobResult& result_;
    std::function<void()> finished_;
    std::unique_ptr<QtLinkTimers> timers_;
    std::unique_ptr<StationPort> sequence_;
    InterruptGuard guard_{[this] { sequence_->stop(); }};
    QElapsedTimer clock_;
    QObject context_;
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
