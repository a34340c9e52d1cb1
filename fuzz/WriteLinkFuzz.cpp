// The write window's link: arbitrary bytes from the cable and timer ticks.
#include "FuzzTarget.h"
#include "LinkFuzz.h"
#include "link/WriteLink.h"

NV742_FUZZ_TARGET(write_link) {
    return nv::fuzz::runLink<nv::WriteLink, nv::fuzz::ImageRule::Untouched>(data, size);
}
