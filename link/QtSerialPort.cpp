#include "link/QtSerialPort.h"

#include <unistd.h>

#include <QFileInfo>

namespace nv {

QtSerialPort::QtSerialPort(const PortDirectory& directory) : directory_(directory) {
    QObject::connect(&port_, &QSerialPort::readyRead, [this] { takeArrivedBytes(); });
    // A vanished device (cable pulled) must look like a silent line, never like a crash. Its
    // read notifier would fire again at once, thousands of times a second: the device is let
    // go, after this notification has returned, and the reply time-out and the retry follow
    // as for a radio that does not answer.
    QObject::connect(&port_, &QSerialPort::errorOccurred, [this](QSerialPort::SerialPortError e) {
        if (e != QSerialPort::ResourceError && e != QSerialPort::ReadError) return;
        port_.clearError();
        QMetaObject::invokeMethod(
            &port_,
            [this, line = opened_] {
                if (line == opened_) close();
            },
            Qt::QueuedConnection);
    });
}

QtSerialPort::~QtSerialPort() { close(); }

PortProblem QtSerialPort::explainOpenError(QSerialPort::SerialPortError error, const QString& path,
                                           const QString& systemText) {
    PortProblem p;
    p.device = path.toStdString();
    const QByteArray local = path.toLocal8Bit();
    switch (error) {
        case QSerialPort::DeviceNotFoundError:
            p.kind = PortProblem::NotFound;
            break;
        case QSerialPort::PermissionError:
            // Qt reports a lock held by another program as a permission error too.
            if (QFileInfo::exists(path) && ::access(local.constData(), R_OK | W_OK) != 0) {
                p.kind = PortProblem::PermissionDenied;
                const QString group = QFileInfo(path).group();
                p.detail = group.isEmpty() ? "dialout" : group.toStdString();
            } else {
                p.kind = PortProblem::Busy;
            }
            break;
        default:
            p.kind = PortProblem::Other;
            p.detail = systemText.toStdString();
    }
    return p;
}

bool QtSerialPort::open(int port, PortProblem& problem) {
    close();
    const QString path = directory_.target(port);
    if (path.isEmpty()) {
        problem = {PortProblem::NoDevice, {}, {}};
        return false;
    }
    port_.setPortName(path);
    device_ = path.toStdString();
    if (!port_.open(QIODevice::ReadWrite)) {
        problem = explainOpenError(port_.error(), path, port_.errorString());
        port_.clearError();
        return false;
    }
    port_.setBaudRate(QSerialPort::Baud9600);
    port_.setDataBits(QSerialPort::Data8);
    port_.setParity(QSerialPort::NoParity);
    port_.setStopBits(QSerialPort::OneStop);
    port_.setFlowControl(QSerialPort::NoFlowControl);
    port_.clearError();  // pseudo-terminals refuse the modem-line ioctls; that is harmless
    ++opened_;
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
