#pragma once
// A serial port with the built-in virtual radio at the other end, for people without a radio.
// The radio's answers arrive on later event-loop passes, as bytes from a real line would.

#include <QObject>
#include <QTimer>
#include <deque>
#include <memory>

#include "link/SerialPort.h"
#include "sim/VirtualRadio.h"

namespace nv {

struct VirtualRadioLine {
    VirtualRadio radio;
    bool inUse = false;  // one port at a time, like the lock on a real device
};

class VirtualRadioPort : public SerialPort {
  public:
    explicit VirtualRadioPort(std::shared_ptr<VirtualRadioLine> line);
    ~VirtualRadioPort() override;

    bool open(int port, PortProblem& problem) override;
    bool isOpen() const override { return open_; }
    int bytesWaiting() const override { return static_cast<int>(input_.size()); }
    int readByte() override;
    void writeByte(std::uint8_t byte) override;
    void discardInput() override { input_.clear(); }
    void discardOutput() override {}
    std::string device() const override { return "virtual radio"; }
    void close() override;

  private:
    void deliver();

    std::shared_ptr<VirtualRadioLine> line_;
    bool open_ = false;
    std::deque<std::uint8_t> input_;
    QTimer delivery_;
};

}  // namespace nv
