#pragma once
// The application's state as it is after start-up, made once for every run of a target.

#include "core/Startup.h"

namespace nv::fuzz {

inline const AppState& started() {
    static const AppState s = [] {
        AppState s;
        initialiseGlobals(s);
        buildTables(s);
        buildDefaults(s);
        return s;
    }();
    return s;
}

// No byte of a report or message text may drive a terminal.
inline bool visible(const std::string& text) {
    for (unsigned char ch : text)
        if (ch < 0x20 || ch == 0x7F) return false;
    return true;
}

}  // namespace nv::fuzz
