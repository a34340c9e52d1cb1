#include "sim/PtyServer.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <deque>

namespace nv {

namespace {
using Clock = std::chrono::steady_clock;
constexpr auto ByteTime = std::chrono::microseconds(1000000 / 960);

struct TimedByte {
    Clock::time_point due;
    std::uint8_t value;
};
}  // namespace

PtyServer::~PtyServer() {
    if (slaveKeeper_ >= 0) ::close(slaveKeeper_);
    if (master_ >= 0) ::close(master_);
}

std::string PtyServer::open(std::string* error) {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) {
        *error = std::string("cannot create a pseudo-terminal: ") + std::strerror(errno);
        return {};
    }
    termios raw{};
    ::tcgetattr(master_, &raw);
    ::cfmakeraw(&raw);
    ::tcsetattr(master_, TCSANOW, &raw);
    const char* name = ::ptsname(master_);
    if (!name) {
        *error = "cannot name the pseudo-terminal";
        return {};
    }
    const std::string path = name;
    slaveKeeper_ = ::open(path.c_str(), O_RDWR | O_NOCTTY);
    ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
    return path;
}

void PtyServer::serve(const std::atomic<bool>& stop) {
    std::deque<TimedByte> in, out;
    Clock::time_point lastIn = Clock::now(), lastOut = Clock::now();
    int sessionsSeen = radio_.sessions;
    bool endedSeen = false;
    while (!stop) {
        Clock::time_point now = Clock::now();
        Clock::time_point next = now + std::chrono::milliseconds(100);
        if (!in.empty() && in.front().due < next) next = in.front().due;
        if (!out.empty() && out.front().due < next) next = out.front().due;
        // Sleeps until the next byte is due, to the microsecond: a wait rounded down to whole
        // milliseconds would spin through the last one before every paced byte.
        const auto wait = std::max<std::chrono::nanoseconds::rep>(
            0, std::chrono::duration_cast<std::chrono::nanoseconds>(next - now).count());
        const timespec timeout{static_cast<time_t>(wait / 1000000000),
                               static_cast<long>(wait % 1000000000)};
        pollfd p{master_, POLLIN, 0};
        const int ready = ::ppoll(&p, 1, &timeout, nullptr);
        now = Clock::now();
        if (ready > 0 && (p.revents & POLLIN)) {
            std::uint8_t buffer[512];
            const ssize_t n = ::read(master_, buffer, sizeof buffer);
            for (ssize_t i = 0; i < n; ++i) {
                Clock::time_point due = now;
                if (emulateBaudRate) due = lastIn = std::max(now, lastIn) + ByteTime;
                in.push_back({due, buffer[i]});
            }
        }
        while (!in.empty() && in.front().due <= now) {
            radio_.fromHost(in.front().value);
            in.pop_front();
            while (!radio_.toHost.empty()) {
                Clock::time_point due = now;
                if (emulateBaudRate) due = lastOut = std::max(now, lastOut) + ByteTime;
                out.push_back({due, radio_.toHost.front()});
                radio_.toHost.pop_front();
            }
        }
        std::uint8_t burst[512];
        std::size_t count = 0;
        while (!out.empty() && out.front().due <= now && count < sizeof burst) {
            burst[count++] = out.front().value;
            out.pop_front();
        }
        if (count > 0 && ::write(master_, burst, count) < 0 && errno != EAGAIN) {
            // The line is gone for the moment; the radio's answer is lost, as on a cable.
        }
        if (onSessionEnd && radio_.ended && (!endedSeen || radio_.sessions != sessionsSeen)) {
            onSessionEnd(radio_);
            sessionsSeen = radio_.sessions;
        }
        endedSeen = radio_.ended;
        if (onIdle) onIdle();
    }
}

}  // namespace nv
