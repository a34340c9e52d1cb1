// The virtual radio of nv742-sim: whatever a program on the other end of its pseudo-terminal
// sends.
#include "FuzzTarget.h"
#include "Require.h"
#include "sim/VirtualRadio.h"

NV742_FUZZ_TARGET(virtual_radio) {
    nv::VirtualRadio radio;
    if (size > 0) {
        radio.fault = static_cast<nv::VirtualRadio::Fault>(
            data[0] % (static_cast<int>(nv::VirtualRadio::Fault::FlipBit) + 1));
        radio.faultBlock = data[0] >> 3;
    }
    std::size_t answered = 0;
    for (std::size_t i = 1; i < size; ++i) {
        radio.fromHost(data[i]);
        answered += radio.toHost.size();
        radio.toHost.clear();
    }
    // Nothing the host sends makes the radio talk more than a reply per byte of a request
    // (a read request of 4 bytes is answered with at most 70).
    nv::fuzz::require(answered <= 20 * size + 20, "the radio answered far more than it was asked");
    return 0;
}
