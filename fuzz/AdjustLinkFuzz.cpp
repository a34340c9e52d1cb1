// The adjustment window's link: arbitrary bytes from the cable and timer ticks, reads and writes
// of the adjustment area started in any order.
#include "FuzzTarget.h"
#include "LinkFuzz.h"
#include "adjust/AdjustLink.h"

NV742_FUZZ_TARGET(adjust_link) {
    return nv::fuzz::runLink<nv::AdjustLink, nv::fuzz::ImageRule::Adjustment>(data, size);
}
