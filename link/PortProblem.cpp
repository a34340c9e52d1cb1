#include "link/SerialPort.h"

namespace nv {

std::string describePortProblem(const PortProblem& p, int port, bool chinese) {
    const std::string com = "COM" + std::to_string(port);
    const std::string dev = p.device.empty() ? com : p.device;
    switch (p.kind) {
        case PortProblem::None:
            return {};
        case PortProblem::NoDevice:
            return chinese ? com + " 没有对应的串口设备。"
                           : "No serial device stands behind " + com + ".";
        case PortProblem::NotFound:
            return chinese ? dev + "：设备不存在。" : dev + ": the device does not exist.";
        case PortProblem::PermissionDenied:
            return chinese ? dev + "：没有权限，用户须加入拥有该设备的用户组（" + p.detail + "）。"
                           : dev +
                                 ": permission denied; the user must be in the group that owns the "
                                 "device (" +
                                 p.detail + ").";
        case PortProblem::Busy:
            return chinese ? dev + "：设备正忙，另一个程序正在使用它。"
                           : dev + ": the device is busy; another program holds it.";
        case PortProblem::Other:
            return dev + ": " + p.detail;
    }
    return {};
}

}  // namespace nv
