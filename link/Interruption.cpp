#include "link/Interruption.h"

#include <sys/socket.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QSocketNotifier>
#include <algorithm>
#include <atomic>
#include <csignal>
#include <vector>

namespace nv {

namespace {

int pipeEnds[2] = {-1, -1};
std::atomic<int> guards{0};
int receivedSignal = 0;
std::vector<std::function<void()>*> stops;

// Only async-signal-safe calls here: the event loop does the work.
void onSignal(int signal) {
    if (guards.load() == 0) {
        std::signal(signal, SIG_DFL);
        std::raise(signal);
        return;
    }
    const char byte = static_cast<char>(signal);
    [[maybe_unused]] const ssize_t n = ::write(pipeEnds[1], &byte, 1);
}

void stopTransfers() {
    char byte = 0;
    if (::read(pipeEnds[0], &byte, 1) != 1) return;
    if (receivedSignal == 0) receivedSignal = byte;
    // A stop may end its transfer and take its guard away: work on a copy.
    const std::vector<std::function<void()>*> now = stops;
    for (std::function<void()>* stop : now)
        if (std::find(stops.begin(), stops.end(), stop) != stops.end()) (*stop)();
}

}  // namespace

void Interruption::install() {
    if (pipeEnds[0] >= 0) return;
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, pipeEnds) != 0) return;
    auto* notifier =
        new QSocketNotifier(pipeEnds[0], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [] { stopTransfers(); });
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

int Interruption::received() { return receivedSignal; }

InterruptGuard::InterruptGuard(std::function<void()> stop) : stop_(std::move(stop)) {
    stops.push_back(&stop_);
    ++guards;
}

InterruptGuard::~InterruptGuard() {
    stops.erase(std::remove(stops.begin(), stops.end(), &stop_), stops.end());
    --guards;
}

}  // namespace nv
