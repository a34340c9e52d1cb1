#pragma once
// The serial line as the link sees it: ports are numbered 1 to 8 (COM1 to COM8), every
// byte is written on its own, and a receive notification is raised once per arrived byte.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace nv {

// Why a port would not open, so that the user can act on it.
struct PortProblem {
    enum Kind { None, NoDevice, NotFound, PermissionDenied, Busy, Other } kind = None;
    std::string device;  // the device behind the port, when there is one
    std::string detail;  // the owning group (PermissionDenied) or the system's words (Other)
};

// One line that names the device and the reason, in the active language.
std::string describePortProblem(const PortProblem& problem, int port, bool chinese);

class SerialPort {
  public:
    virtual ~SerialPort() = default;
    // Opens port n at 9600 baud, 8 data bits, no parity, 1 stop bit, no flow control.
    virtual bool open(int port, PortProblem& problem) = 0;
    virtual bool isOpen() const = 0;
    virtual int bytesWaiting() const = 0;
    virtual int readByte() = 0;  // -1 when nothing is waiting
    virtual void writeByte(std::uint8_t byte) = 0;
    virtual void discardInput() = 0;
    virtual void discardOutput() = 0;
    // Waits until queued bytes have left (used before closing after a final byte).
    virtual void flush() {}
    // The device behind the port last opened, for messages ("" when unknown).
    virtual std::string device() const { return {}; }
    // The port as the user named it when that was a device path rather than COMn; "" otherwise.
    virtual std::string givenName() const { return {}; }
    virtual void close() = 0;

    std::function<void()> onByteReceived;
};

// What the application knows about its ports: how to make a port object, and which device
// stands behind COMn ("" when none).
struct PortLayer {
    std::function<std::unique_ptr<SerialPort>()> create;
    std::function<std::string(int port)> describe;
    // The programming station's ports beyond the machine's own: device paths given on the
    // command line (cables the system does not list), and the built-in virtual radios.
    std::vector<std::string> stationPorts;
    bool stationVirtualRadios = false;
};

}  // namespace nv
