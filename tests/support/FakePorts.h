#pragma once
// A port layer for tests: only the listed port numbers open; every attempt is recorded.

#include <functional>
#include <memory>
#include <set>
#include <vector>

#include "link/SerialPort.h"

namespace nv::test {

struct FakePortWorld {
    std::set<int> openable;
    std::vector<int> attempts;
    std::function<void()> onOpen;  // runs at every open attempt
};

class FakePort : public SerialPort {
  public:
    explicit FakePort(std::shared_ptr<FakePortWorld> world) : world_(std::move(world)) {}
    bool open(int port, PortProblem& problem) override {
        world_->attempts.push_back(port);
        if (world_->onOpen) world_->onOpen();
        open_ = world_->openable.count(port) > 0;
        if (!open_) problem = {PortProblem::NoDevice, {}, {}};
        return open_;
    }
    bool isOpen() const override { return open_; }
    int bytesWaiting() const override { return 0; }
    int readByte() override { return -1; }
    void writeByte(std::uint8_t) override {}
    void discardInput() override {}
    void discardOutput() override {}
    void close() override { open_ = false; }

  private:
    std::shared_ptr<FakePortWorld> world_;
    bool open_ = false;
};

inline PortLayer fakePortLayer(std::shared_ptr<FakePortWorld> world) {
    PortLayer layer;
    layer.create = [world] { return std::make_unique<FakePort>(world); };
    layer.describe = [](int n) { return n == 1 ? std::string("/dev/ttyS0") : std::string(); };
    return layer;
}

}  // namespace nv::test
