#pragma once
// The data half of the main window's start-up; the window interleaves it with its own steps.

#include "core/AppState.h"

namespace nv {

inline constexpr const char* Version = "V13.10.25";

// Version text and English.
void initialiseGlobals(AppState& s);
// Model 1, the tone tables, the model table and band edges.
void buildTables(AppState& s);
// The factory default image and the start-up adjustment values.
void buildDefaults(AppState& s);

}  // namespace nv
