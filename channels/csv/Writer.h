#pragma once
// Writes the 16 channels in the column layout that community radio programming tools share:
// one line per channel in use. What the layout cannot carry is told in the notes.

#include <array>
#include <string>
#include <vector>

#include "channels/csv/Report.h"
#include "core/AppState.h"

namespace nv {

inline constexpr std::array<const char*, 21> CsvColumnNames = {
    "Location",  "Name",     "Frequency",    "Duplex",     "Offset",    "Tone",     "rToneFreq",
    "cToneFreq", "DtcsCode", "DtcsPolarity", "RxDtcsCode", "CrossMode", "Mode",     "TStep",
    "Skip",      "Power",    "Comment",      "URCALL",     "RPT1CALL",  "RPT2CALL", "DVCODE"};

struct CsvExport {
    std::string text;
    int channels = 0;
    std::vector<CsvNote> notes;  // what another program, or an import, will not take back
};

CsvExport exportChannelsCsv(const AppState& s, const Image& image);
// The given channels, one line each: an empty channel is a line with nothing but its location,
// so that a paste of the text puts every channel back in its place.
CsvExport exportChannelRowsCsv(const AppState& s, const Image& image,
                               const std::vector<int>& channels);

}  // namespace nv
