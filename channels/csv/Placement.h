#pragma once
// Where the rows of a community-layout file go. An import reads the whole file first: a file
// that cannot be read in that layout changes nothing, while rows this radio cannot hold
// (another band, another mode, a tone it lacks) are skipped and named. A plan shows every row
// with its fate before anything is written.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "channels/csv/Report.h"
#include "core/AppState.h"

namespace nv {

struct CsvImport {
    Image image;  // the base with the listed channels written; only meaningful when ok()
    std::vector<CsvNote> errors;
    std::vector<CsvNote> bad;  // rows with a value their column does not take, left out
    std::vector<CsvNote> snaps;
    std::vector<CsvNote> skipped;
    std::vector<int> channels;     // the channels written or emptied, in file order
    std::vector<int> lines;        // the line each written channel came from
    std::vector<CsvNote> notKept;  // columns with values the radio has no place for
    int leftOut = 0;               // rows not among the chosen locations
    bool ok() const { return errors.empty(); }
};

// Where the rows go. By default each row goes to the channel its Location names.
struct CsvPlacement {
    std::vector<int> locations;  // only the rows with these locations; empty: every row
    bool inOrder = false;        // channels first, first + 1, ... in file order
    int first = 1;
    std::vector<int> leftOutLines;  // rows the user left out, by the line they start on
    // A row with a bad value is left out (and listed in `bad`) instead of being an error that
    // refuses the whole file.
    bool skipBad = false;
};

// "71-78,81-88" (blanks allowed): the locations in order, each once, or nothing when the
// text is not such a list or names more locations than a CSV file can hold rows.
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
    bool bad = false;               // a value is not what its column takes: it cannot be chosen
    int channel = 0;                // the channel the row is written to; 0 when it is not
    bool empty = false;             // the row empties its channel (a copy's empty channel)
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

}  // namespace nv
