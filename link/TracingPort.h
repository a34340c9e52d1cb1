#pragma once
// A serial port that writes a timestamped hex trace of every byte sent and received, for bug
// reports. It wraps the real port and changes nothing else.

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>

#include "link/SerialPort.h"

namespace nv {

class TraceLog {
  public:
    explicit TraceLog(const std::string& path);
    ~TraceLog();
    bool ok() const { return file_ != nullptr; }
    // errno of the failed open, for the reason a user is told.
    int openError() const { return openError_; }
    void line(const char* what, const std::string& text);
    void byte(char direction, std::uint8_t value);
    // Puts what is pending on the disk; errno of the first write that failed (a full disk, a
    // file-size limit), or 0.
    int finish();

  private:
    void flushBytes();
    // One line of the trace: the milliseconds since the start, then `text`.
    void put(double ms, const std::string& text);
    std::FILE* file_ = nullptr;
    int openError_ = 0;
    int writeError_ = 0;
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
    char direction_ = 0;
    std::string pending_;
    double pendingAt_ = 0;
};

class TracingPort : public SerialPort {
  public:
    TracingPort(std::unique_ptr<SerialPort> inner, std::shared_ptr<TraceLog> log);
    bool open(int port, PortProblem& problem) override;
    bool isOpen() const override { return inner_->isOpen(); }
    int bytesWaiting() const override { return inner_->bytesWaiting(); }
    int readByte() override;
    void writeByte(std::uint8_t byte) override;
    void discardInput() override;
    void discardOutput() override { inner_->discardOutput(); }
    void flush() override { inner_->flush(); }
    std::string device() const override { return inner_->device(); }
    std::string givenName() const override { return inner_->givenName(); }
    void close() override;

  private:
    std::unique_ptr<SerialPort> inner_;
    std::shared_ptr<TraceLog> log_;
};

}  // namespace nv
