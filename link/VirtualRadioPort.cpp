#include "link/VirtualRadioPort.h"

namespace nv {

VirtualRadioPort::VirtualRadioPort(std::shared_ptr<VirtualRadioLine> line)
    : line_(std::move(line)) {
    delivery_.setSingleShot(true);
    delivery_.setInterval(1);
    QObject::connect(&delivery_, &QTimer::timeout, [this] { deliver(); });
}

VirtualRadioPort::~VirtualRadioPort() { close(); }

bool VirtualRadioPort::open(int, PortProblem& problem) {
    if (open_) return true;
    if (line_->inUse) {
        problem = {PortProblem::Busy, "virtual radio", {}};
        return false;
    }
    line_->inUse = true;
    open_ = true;
    input_.clear();
    return true;
}

void VirtualRadioPort::close() {
    if (!open_) return;
    open_ = false;
    line_->inUse = false;
    delivery_.stop();
    input_.clear();
}

int VirtualRadioPort::readByte() {
    if (input_.empty()) return -1;
    const int b = input_.front();
    input_.pop_front();
    return b;
}

void VirtualRadioPort::writeByte(std::uint8_t byte) {
    if (!open_) return;
    line_->radio.fromHost(byte);
    if (!line_->radio.toHost.empty() && !delivery_.isActive()) delivery_.start();
}

void VirtualRadioPort::deliver() {
    auto& out = line_->radio.toHost;
    const std::size_t count = out.size();
    while (!out.empty()) {
        input_.push_back(out.front());
        out.pop_front();
    }
    for (std::size_t i = 0; i < count && open_; ++i)
        if (onByteReceived) onByteReceived();
}

}  // namespace nv
