// The read window's link: arbitrary bytes from the cable and timer ticks.
#include "FuzzTarget.h"
#include "LinkFuzz.h"
#include "link/ReadLink.h"

NV742_FUZZ_TARGET(read_link) {
    return nv::fuzz::runLink<nv::ReadLink, nv::fuzz::ImageRule::FilledOnCompletion>(data, size);
}
