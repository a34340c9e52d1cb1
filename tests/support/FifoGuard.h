#pragma once
// A FIFO for tests that name something other than a plain file. Opening a FIFO for reading
// blocks until a writer appears: when the code under test does that, the guard opens the far
// end after a grace period, so that the test fails instead of hanging.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QString>
#include <atomic>
#include <chrono>
#include <thread>

namespace nv::test {

class FifoGuard {
  public:
    explicit FifoGuard(const QString& path,
                       std::chrono::milliseconds grace = std::chrono::seconds(3))
        : path_(path.toLocal8Bit()) {
        made_ = ::mkfifo(path_.constData(), 0644) == 0;
        watcher_ = std::thread([this, grace] {
            const auto until = std::chrono::steady_clock::now() + grace;
            while (!stop_) {
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
                if (std::chrono::steady_clock::now() < until) continue;
                // Succeeds only while someone holds the FIFO open for reading.
                const int fd = ::open(path_.constData(), O_WRONLY | O_NONBLOCK);
                if (fd >= 0) {
                    unblocked_ = true;
                    ::close(fd);
                }
            }
        });
    }
    ~FifoGuard() {
        stop_ = true;
        watcher_.join();
    }
    FifoGuard(const FifoGuard&) = delete;
    FifoGuard& operator=(const FifoGuard&) = delete;

    bool made() const { return made_; }
    // True when the code under test opened the FIFO and had to be released.
    bool hadToUnblock() const { return unblocked_; }
    bool stillAFifo() const {
        struct stat st {};
        return ::stat(path_.constData(), &st) == 0 && S_ISFIFO(st.st_mode);
    }

  private:
    QByteArray path_;
    bool made_ = false;
    std::atomic<bool> stop_{false};
    std::atomic<bool> unblocked_{false};
    std::thread watcher_;
};

}  // namespace nv::test
