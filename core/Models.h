#pragma once
// The selectable radio models and their band edges.

#include <string>

#include "core/AppState.h"

namespace nv {

constexpr int ModelCount = 3;

// Fills ModelNames and BandLimits and copies the edges of ModelIndex into the band globals.
void buildModelTable(AppState& s);
void selectModelBand(AppState& s, int index);

// " 400 --  481" style text of the model dialog.
std::string modelDialogBandText(const AppState& s, int index);
// " 400-- 480 MHZ" style text of the status bar (upper edge minus one).
std::string statusBandText(const AppState& s, int index);

}  // namespace nv
