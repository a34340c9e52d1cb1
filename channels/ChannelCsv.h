#pragma once
// The 16 channels as comma-separated values, in the column layout that community radio
// programming tools share. An export lists every channel in use. An import reads the whole
// file first: a file that cannot be read in that layout changes nothing, while rows this radio
// cannot hold (another band, another mode, a tone it lacks) are skipped and named.

#include <array>
#include <optional>
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
        NoRoom,   // value: the location; placed in file order, past channel 16
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
    int record = 0;  // the row's place among the file's rows: which skipped rows are neighbours
};

// True for the notes of rows that are skipped rather than refused: what the file says can be
// read, but this radio has no place or no form for it.
bool isSkipReason(const CsvNote& note);

// Consecutive rows skipped for the same reason, reported as one.
struct CsvNoteGroup {
    CsvNote first;
    int lastLine = 0;
    std::string lastValue;  // the last row's value (Skipped, NoRoom: its location)
    int count = 1;
};
std::vector<CsvNoteGroup> groupCsvNotes(const std::vector<CsvNote>& notes);
// "line 4: ..." for one row, "lines 18–30: locations 17–29 are not channels 1–16" for many.
// `withLine` false leaves out the line part (the window has a column for it).
std::string csvGroupText(const CsvNoteGroup& group, bool chinese, bool withLine = true);
// "18–30", or "4" for one row.
std::string csvGroupLines(const CsvNoteGroup& group);

// The report line in the given language: "line 4: ...".
std::string csvNoteText(const CsvNote& note, bool chinese);

struct CsvImport {
    Image image;  // the base with the listed channels written; only meaningful when ok()
    std::vector<CsvNote> errors;
    std::vector<CsvNote> snaps;
    std::vector<CsvNote> skipped;
    std::vector<int> channels;  // the channels written, in file order
    std::vector<int> lines;     // the line each written channel came from
    int leftOut = 0;            // rows not among the chosen locations
    bool ok() const { return errors.empty(); }
};

// Where the rows go. By default each row goes to the channel its Location names.
struct CsvPlacement {
    std::vector<int> locations;  // only the rows with these locations; empty: every row
    bool inOrder = false;        // channels first, first + 1, ... in file order
    int first = 1;
    std::vector<int> leftOutLines;  // rows the user left out, by the line they start on
};

// "71-78,81-88" (blanks allowed): the locations, or nothing when the text is not such a list.
std::optional<std::vector<int>> parseLocationList(std::string_view text);

// Reads the whole text against the band and the tone table of the state. Channels listed in
// the file are written whole into a copy of `base` (an empty channel gets the new-channel
// pattern first); every other channel stays as in the base.
CsvImport importChannelsCsv(const AppState& s, std::string_view text, const Image& base);
CsvImport importChannelsCsv(const AppState& s, std::string_view text, const Image& base,
                            const CsvPlacement& placement);

// One row of the file as a preview shows it: what the file writes, and what the import does
// with it under a placement.
struct CsvRow {
    int line = 0;
    std::string location, name, frequency, offset, tone, mode, power;  // as in the file
    bool chosen = true;
    int channel = 0;                // the channel the row is written to; 0 when it is not
    std::optional<CsvNote> reason;  // why not: the reason it is skipped, or an error
};

struct CsvPlan {
    CsvImport import;  // what Import would do
    std::vector<CsvRow> rows;
};

// Every row of the file with its fate under the placement; nothing is written anywhere.
CsvPlan planChannelsCsv(const AppState& s, std::string_view text, const Image& base,
                        const CsvPlacement& placement);
// "channel 3", "skipped: ...", "error: ..." or "not chosen".
std::string csvRowFate(const CsvRow& row, bool chinese);

struct CsvExport {
    std::string text;
    int channels = 0;
    std::vector<CsvNote> notes;  // what another program, or an import, will not take back
};

CsvExport exportChannelsCsv(const AppState& s, const Image& image);

}  // namespace nv
