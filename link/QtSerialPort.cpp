#include "link/QtSerialPort.h"

#include <QFileInfo>
#include <unistd.h>

namespace nv {

QtSerialPort::QtSerialPort(const PortDirectory& directory) : directory_(directory) {
    QObject::connect(&port_, &QSerialPort::readyRead, [this] { takeArrivedBytes(); });
    // A vanished device (cable pulled) must look like a silent line, never like a crash.
    QObject::connect(&port_, &QSerialPort::errorOccurred, [this](QSerialPort::SerialPortError e) {
        if (e == QSerialPort::ResourceError || e == QSerialPort::ReadError) port_.clearError();
    });
}

QtSerialPort::~QtSerialPort() { close(); }

std::string QtSerialPort::explainOpenError(QSerialPort::SerialPortError error, const QString& path) {
    const QByteArray p = path.toLocal8Bit();
    switch (error) {
        case QSerialPort::DeviceNotFoundError:
            return "the device " + p.toStdString() + " does not exist";
        case QSerialPort::PermissionError:
            if (QFileInfo::exists(path) && ::access(p.constData(), R_OK | W_OK) != 0) {
                const QString group = QFileInfo(path).group();
                return "permission denied on " + p.toStdString() +
                       ": the user must be in the group that owns the device (" +
                       (group.isEmpty() ? std::string("dialout") : group.toStdString()) + ")";
            }
            return "the device " + p.toStdString() + " is busy: another program holds it";
        default:
            return "the device " + p.toStdString() + " cannot be opened";
    }
}

bool QtSerialPort::open(int port, std::string& reason) {
    close();
    const QString path = directory_.target(port);
    if (path.isEmpty()) {
        reason = "no serial device stands behind COM" + std::to_string(port);
        return false;
    }
    port_.setPortName(path);
    if (!port_.open(QIODevice::ReadWrite)) {
        reason = explainOpenError(port_.error(), path);
        return false;
    }
    port_.setBaudRate(QSerialPort::Baud9600);
    port_.setDataBits(QSerialPort::Data8);
    port_.setParity(QSerialPort::NoParity);
    port_.setStopBits(QSerialPort::OneStop);
    port_.setFlowControl(QSerialPort::NoFlowControl);
    port_.clearError();  // pseudo-terminals refuse the modem-line ioctls; that is harmless
    pending_.clear();
    readPos_ = 0;
    return true;
}

void QtSerialPort::takeArrivedBytes() {
    const QByteArray arrived = port_.readAll();
    if (readPos_ > 4096) {  // keep the buffer small on long transfers
        pending_.remove(0, readPos_);
        readPos_ = 0;
    }
    pending_.append(arrived);
    for (qsizetype i = 0; i < arrived.size(); ++i)
        if (onByteReceived) onByteReceived();
}

int QtSerialPort::readByte() {
    if (readPos_ >= pending_.size()) return -1;
    return static_cast<unsigned char>(pending_[readPos_++]);
}

void QtSerialPort::writeByte(std::uint8_t byte) {
    if (port_.isOpen()) port_.write(reinterpret_cast<const char*>(&byte), 1);
}

void QtSerialPort::discardInput() {
    if (port_.isOpen()) {
        port_.clear(QSerialPort::Input);
        port_.readAll();
    }
    pending_.clear();
    readPos_ = 0;
}

void QtSerialPort::discardOutput() {
    if (port_.isOpen()) port_.clear(QSerialPort::Output);
}

void QtSerialPort::flush() {
    if (port_.isOpen()) port_.waitForBytesWritten(200);
}

void QtSerialPort::close() {
    if (port_.isOpen()) {
        port_.close();
    }
    pending_.clear();
    readPos_ = 0;
}

}  // namespace nv
