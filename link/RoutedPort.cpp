#include "link/RoutedPort.h"

namespace nv {

RoutedPort::RoutedPort(const PortDirectory& directory,
                       std::shared_ptr<VirtualRadioLine> virtualLine)
    : directory_(directory), real_(directory), virtual_(std::move(virtualLine)) {
    auto forward = [this] {
        if (onByteReceived) onByteReceived();
    };
    real_.onByteReceived = forward;
    virtual_.onByteReceived = forward;
}

bool RoutedPort::open(int port, PortProblem& problem) {
    close();
    port_ = port;
    active_ = directory_.isVirtual(port) ? static_cast<SerialPort*>(&virtual_) : &real_;
    return active_->open(port, problem);
}

}  // namespace nv
