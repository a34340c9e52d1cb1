#pragma once
// The 16 channels as comma-separated values, in the column layout that community radio
// programming tools share. An export lists every channel in use; an import reads the whole
// file first and changes nothing when any line is wrong.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/AppState.h"

namespace nv {

inline constexpr std::array<const char*, 21> CsvColumnNames = {
    "Location",  "Name",     "Frequency",    "Duplex",     "Offset",    "Tone",     "rToneFreq",
    "cToneFreq", "DtcsCode", "DtcsPolarity", "RxDtcsCode", "CrossMode", "Mode",     "TStep",
    "Skip",      "Power",    "Comment",      "URCALL",     "RPT1CALL",  "RPT2CALL", "DVCODE"};

// One line of an import or export report.
struct CsvNote {
    enum Kind {
        // Errors: the import writes nothing.
        Syntax,         // value: what is wrong with the quoting
        Empty,          // no header line
        MissingColumn,  // column
        MissingValue,   // column
        NotANumber,     // column, value
        OutsideBand,    // column, value
        NotATone,       // column, value: no CTCSS tone of the tone table
        NotADcsCode,    // column, value: no DCS code of the tone table
        UnknownValue,   // column, value: none of the words the column takes
        ListedTwice,    // location, otherLine: where it was listed first
        // Import report.
        Snapped,  // location, column, value (as written), result (as stored)
        Skipped,  // value: the location, which is not a channel
        // Export report.
        ToneWithoutCsvForm,  // location, column: the stored code (hex) in value
        ToneNotInTable,      // location, column, value: exported, but refused on import
    } kind;
    explicit CsvNote(Kind k, int atLine = 0, int channel = 0)
        : kind(k), line(atLine), location(channel) {}
    int line = 0;
    int location = 0;
    std::string column;
    std::string value;
    std::string result;
    int otherLine = 0;
};

// The report line in the given language: "line 4: ...".
std::string csvNoteText(const CsvNote& note, bool chinese);

struct CsvImport {
    Image image;  // the base with the listed channels written; only meaningful when ok()
    std::vector<CsvNote> errors;
    std::vector<CsvNote> snaps;
    std::vector<CsvNote> skipped;
    std::vector<int> channels;  // the channels written, in file order
    bool ok() const { return errors.empty(); }
};

// Reads the whole text against the band and the tone table of the state. Channels listed in
// the file are written whole into a copy of `base` (an empty channel gets the new-channel
// pattern first); every other channel stays as in the base.
CsvImport importChannelsCsv(const AppState& s, std::string_view text, const Image& base);

struct CsvExport {
    std::string text;
    int channels = 0;
    std::vector<CsvNote> notes;  // what another program, or an import, will not take back
};

CsvExport exportChannelsCsv(const AppState& s, const Image& image);

}  // namespace nv
