#pragma once
// The serial port on QSerialPort: each readyRead is turned into one notification per byte.

#include <QByteArray>
#include <QSerialPort>

#include "link/PortDirectory.h"
#include "link/SerialPort.h"

namespace nv {

class QtSerialPort : public SerialPort {
  public:
    explicit QtSerialPort(const PortDirectory& directory);
    ~QtSerialPort() override;

    bool open(int port, PortProblem& problem) override;
    bool isOpen() const override { return port_.isOpen(); }
    int bytesWaiting() const override { return static_cast<int>(pending_.size() - readPos_); }
    int readByte() override;
    void writeByte(std::uint8_t byte) override;
    void discardInput() override;
    void discardOutput() override;
    void flush() override;
    std::string device() const override { return device_; }
    void close() override;

    // Why opening a device failed, in terms a user can act on.
    static PortProblem explainOpenError(QSerialPort::SerialPortError error, const QString& path,
                                        const QString& systemText);

  private:
    void takeArrivedBytes();

    const PortDirectory& directory_;
    QSerialPort port_;
    QByteArray pending_;
    qsizetype readPos_ = 0;
    std::string device_;
    int opened_ = 0;  // counts opens, so that a late close meant for a dead line spares the next
};

}  // namespace nv
