#include "link/TracingPort.h"

#include <cerrno>

namespace nv {

TraceLog::TraceLog(const std::string& path) : file_(std::fopen(path.c_str(), "w")) {
    if (!file_) openError_ = errno;
}

TraceLog::~TraceLog() {
    flushBytes();
    if (file_) std::fclose(file_);
}

int TraceLog::finish() {
    flushBytes();
    return writeError_;
}

void TraceLog::put(double ms, const std::string& text) {
    errno = 0;
    const bool written =
        std::fprintf(file_, "%10.3f %s\n", ms, text.c_str()) >= 0 && std::fflush(file_) == 0;
    if (!written && writeError_ == 0) writeError_ = errno != 0 ? errno : EIO;
}

void TraceLog::flushBytes() {
    if (!file_ || pending_.empty()) return;
    put(pendingAt_, (direction_ == 'T' ? "TX" : "RX") + pending_);
    pending_.clear();
}

void TraceLog::line(const char* what, const std::string& text) {
    if (!file_) return;
    flushBytes();
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start_)
            .count();
    put(ms, std::string("-- ") + what + " " + text);
}

// Consecutive bytes in one direction share a line; a change of direction starts a new one.
void TraceLog::byte(char direction, std::uint8_t value) {
    if (!file_) return;
    if (direction != direction_ || pending_.size() >= 3 * 32) flushBytes();
    if (pending_.empty())
        pendingAt_ =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start_)
                .count();
    direction_ = direction;
    char hex[4];
    std::snprintf(hex, sizeof hex, " %02X", value);
    pending_ += hex;
}

TracingPort::TracingPort(std::unique_ptr<SerialPort> inner, std::shared_ptr<TraceLog> log)
    : inner_(std::move(inner)), log_(std::move(log)) {
    inner_->onByteReceived = [this] {
        if (onByteReceived) onByteReceived();
    };
}

bool TracingPort::open(int port, PortProblem& problem) {
    const bool ok = inner_->open(port, problem);
    log_->line("open", "COM" + std::to_string(port) +
                           (ok ? " ok" : " failed: " + describePortProblem(problem, port, false)));
    return ok;
}

int TracingPort::readByte() {
    const int b = inner_->readByte();
    if (b >= 0) log_->byte('R', static_cast<std::uint8_t>(b));
    return b;
}

void TracingPort::writeByte(std::uint8_t byte) {
    log_->byte('T', byte);
    inner_->writeByte(byte);
}

void TracingPort::discardInput() {
    const int dropped = inner_->bytesWaiting();
    if (dropped > 0) log_->line("discard", std::to_string(dropped) + " byte(s) of input");
    inner_->discardInput();
}

void TracingPort::close() {
    if (inner_->isOpen()) log_->line("close", "");
    inner_->close();
}

}  // namespace nv
