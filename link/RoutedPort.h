#pragma once
// The port the application's windows use: COMn goes to the device the port map names, or to
// the built-in virtual radio.

#include <memory>

#include "link/PortDirectory.h"
#include "link/QtSerialPort.h"
#include "link/VirtualRadioPort.h"

namespace nv {

class RoutedPort : public SerialPort {
  public:
    RoutedPort(const PortDirectory& directory, std::shared_ptr<VirtualRadioLine> virtualLine);

    bool open(int port, PortProblem& problem) override;
    bool isOpen() const override { return active_ && active_->isOpen(); }
    int bytesWaiting() const override { return active_ ? active_->bytesWaiting() : 0; }
    int readByte() override { return active_ ? active_->readByte() : -1; }
    void writeByte(std::uint8_t byte) override {
        if (active_) active_->writeByte(byte);
    }
    void discardInput() override {
        if (active_) active_->discardInput();
    }
    void discardOutput() override {
        if (active_) active_->discardOutput();
    }
    void flush() override {
        if (active_) active_->flush();
    }
    void close() override {
        if (active_) active_->close();
    }
    std::string device() const override { return active_ ? active_->device() : std::string(); }
    std::string givenName() const override {
        return directory_.namedByPath(port_) ? directory_.target(port_).toStdString() : "";
    }

  private:
    const PortDirectory& directory_;
    QtSerialPort real_;
    VirtualRadioPort virtual_;
    SerialPort* active_ = nullptr;
    int port_ = 0;
};

}  // namespace nv
