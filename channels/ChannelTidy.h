#pragma once
// The channel windows tidy an empty channel whenever they show it: its 16 bytes become 0xFF
// and (in the grid) its scan bit is cleared. Such a change only shows what was already
// empty; it is not an edit of its own.

#include "core/AppState.h"

namespace nv {

// True when every difference between the two images is the tidying of a channel that was
// empty in `before`.
bool onlyTidiesEmptyChannels(const Image& before, const Image& after);

}  // namespace nv
