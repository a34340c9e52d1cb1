#include "core/Models.h"

#include <cmath>

namespace nv {

namespace {
struct Model {
    const char* name;
    int low;
    double highAsWritten;
};
constexpr Model Models[ModelCount] = {
    {"K61-VHF", 136, 174.9875}, {"K61-UHF", 400, 480.9875}, {"K61-FULL", 100, 600.9875}};

// A number with a leading blank standing in for the sign of a positive value.
std::string withSign(int v) { return v < 0 ? std::to_string(v) : " " + std::to_string(v); }
}  // namespace

void buildModelTable(AppState& s) {
    for (int i = 0; i < ModelSlots; ++i) {
        s.ModelNames[i].clear();
        s.BandLimits[i] = {0, 0};
    }
    for (int i = 0; i < ModelCount; ++i) {
        s.ModelNames[i] = Models[i].name;
        s.BandLimits[i][0] = static_cast<Int16>(Models[i].low);
        s.BandLimits[i][1] = static_cast<Int16>(std::lround(Models[i].highAsWritten));
    }
    selectModelBand(s, s.ModelIndex);
}

void selectModelBand(AppState& s, int index) {
    s.BandLowMHz = s.BandLimits.at(index)[0];
    s.BandHighMHz = s.BandLimits.at(index)[1];
}

std::string modelDialogBandText(const AppState& s, int index) {
    return " " + std::to_string(s.BandLimits.at(index)[0]) + " -- " +
           withSign(s.BandLimits.at(index)[1]);
}

std::string statusBandText(const AppState& s, int index) {
    return withSign(s.BandLimits.at(index)[0]) + "--" + withSign(s.BandLimits.at(index)[1] - 1) +
           " MHZ";
}

}  // namespace nv
