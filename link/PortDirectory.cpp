#include "link/PortDirectory.h"

#include <QSerialPortInfo>

namespace nv {

const QString PortDirectory::VirtualRadio = QStringLiteral("virtual radio");

namespace {
bool looksLikeUsbAdapter(const QSerialPortInfo& info) {
    const QString name = info.portName();
    return info.hasVendorIdentifier() || name.startsWith("ttyUSB") || name.startsWith("ttyACM") ||
           name.contains("usb", Qt::CaseInsensitive);
}
}  // namespace

QStringList PortDirectory::orderDevices(QStringList builtIn, QStringList usb) {
    builtIn.sort();
    usb.sort();
    return builtIn + usb;
}

void PortDirectory::discover() {
#ifdef Q_OS_WIN
    for (int n = 1; n <= Ports; ++n) targets_[n] = QStringLiteral("COM%1").arg(n);
#else
    QStringList builtIn, usb;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        (looksLikeUsbAdapter(info) ? usb : builtIn) << info.systemLocation();
    const QStringList ordered = orderDevices(builtIn, usb);
    for (int n = 1; n <= Ports; ++n) targets_[n] = n <= ordered.size() ? ordered[n - 1] : QString();
#endif
}

bool PortDirectory::assign(int port, const QString& target) {
    if (port < 1 || port > Ports) return false;
    targets_[port] = target;
    byPath_[port] = false;
    return true;
}

void PortDirectory::nameByPath(int port, const QString& path) {
    if (assign(port, path)) byPath_[port] = true;
}

bool PortDirectory::assignFromOption(const QString& option, QString* error) {
    const int eq = option.indexOf('=');
    bool ok = false;
    const int port = eq > 0 ? option.left(eq).toInt(&ok) : 0;
    QString path = eq > 0 ? option.mid(eq + 1) : QString();
    if (path == QLatin1String("virtual")) path = VirtualRadio;
    if (!ok || path.isEmpty() || !assign(port, path)) {
        if (error)
            *error =
                QStringLiteral("--port expects N=PATH with N from 1 to 8, not \"%1\"").arg(option);
        return false;
    }
    return true;
}

QString PortDirectory::target(int port) const {
    return port >= 1 && port <= Ports ? targets_[port] : QString();
}

}  // namespace nv
