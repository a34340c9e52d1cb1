#pragma once
// Maps COM1..COM8 onto this machine's serial devices. Built-in ports come first and USB
// adapters last, so that the start-up probe (8 down to 1) lands on a plugged-in cable.
// A command-line option can map any COMn to a device path or to the virtual radio.

#include <QString>
#include <array>

namespace nv {

class PortDirectory {
  public:
    static constexpr int Ports = 8;
    static const QString VirtualRadio;  // the target that stands for the built-in radio

    // Fills the map from the serial devices the system lists.
    void discover();
    // Maps port n to a device path (or to VirtualRadio). Returns false for n outside 1..8.
    bool assign(int port, const QString& target);
    // Port n stands for a device the user named by its path in place of COMn: messages name
    // the port by that path.
    void nameByPath(int port, const QString& path);
    bool namedByPath(int port) const { return port >= 1 && port <= Ports && byPath_[port]; }
    // Parses "N=PATH".
    bool assignFromOption(const QString& option, QString* error);

    QString target(int port) const;
    bool isVirtual(int port) const { return target(port) == VirtualRadio; }

    // Orders device names so that adapters (ttyUSB, ttyACM, cu.usb...) come last.
    static QStringList orderDevices(QStringList builtIn, QStringList usb);

  private:
    std::array<QString, Ports + 1> targets_{};
    std::array<bool, Ports + 1> byPath_{};
};

}  // namespace nv
