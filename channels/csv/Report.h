#pragma once
// The words of an import or export report: one note per finding, and consecutive rows skipped
// for the same reason told as one line. Every text exists in both languages.

#include <string>
#include <vector>

namespace nv {

// The column name the notes use for the transmit frequency, which has no column of its own.
inline constexpr const char* CsvTxColumn = "TX";

// One line of an import or export report.
struct CsvNote {
    enum Kind {
        // Errors: the import writes nothing.
        Syntax,         // value: what is wrong with the quoting
        Empty,          // no header line
        TooLarge,       // more than a CSV file may hold
        MissingColumn,  // column
        MissingValue,   // column
        NotANumber,     // column, value
        OutsideBand,    // column, value
        NotATone,       // column, value: no CTCSS tone of the tone table
        NotADcsCode,    // column, value: no DCS code of the tone table
        UnknownValue,   // column, value: none of the words the column takes
        ListedTwice,    // location (also as value), otherLine: where it was listed first
        // Import report.
        Snapped,  // location, column, value (as written), result (as stored)
        Skipped,  // value: the location, which is not a channel
        NoRoom,   // value: the location; placed in file order, past channel 16
        // Export report.
        ToneWithoutCsvForm,  // location, column: the stored code (hex) in value
        ToneNotInTable,      // location, column, value: exported, but refused on import
        // Told once per file.
        NotKept,     // value: the file's columns with values that the radio has no place for
        NotCarried,  // value: the channels whose signalling or PTT-ID the layout cannot carry
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
    bool rowLeftOut = false;  // a row with a bad value, left out of an import that goes on
    // A run of consecutive rows with this reason, kept as one note (see addCsvNote).
    int rows = 1;
    int lastLine = 0, lastRecord = 0;
    bool manyValues = false;  // the run's rows hold other values than this one's
    int endLine() const { return rows > 1 ? lastLine : line; }
    int endRecord() const { return rows > 1 ? lastRecord : record; }
};

// Adds the note of a skipped row, as part of the last note when that is the row before with
// the same reason: a file of a million rows past channel 16 is one note, not a million.
void addCsvNote(std::vector<CsvNote>& notes, CsvNote n);

// The same for a row skipped for its location alone (Skipped, NoRoom); the note is made only
// when a run starts, so that the rows of a long run cost nothing.
void addCsvLocationNote(std::vector<CsvNote>& notes, CsvNote::Kind kind, int line, int location,
                        int record);

// True for the notes of rows that are skipped rather than refused: what the file says can be
// read, but this radio has no place or no form for it (or the row was left out for a bad value).
bool isSkipReason(const CsvNote& note);

// Rows with the same reason, reported as one: a run of the file's rows that only rows with
// notes of their own interrupt, so that a report has a line per reason and run however long
// the file is.
struct CsvNoteGroup {
    CsvNote first;
    int lastLine = 0;
    int lastRecord = 0;
    int count = 1;
    // The first few values the rows hold, as the report shows them, when the value is what is
    // wrong (a word for a number, a tone the table lacks): a line of bounded length that still
    // says what to look for. `moreValues` when the rows hold others besides.
    std::vector<std::string> values;
    bool moreValues = false;
};
// The groups stand in the order of their first lines.
std::vector<CsvNoteGroup> groupCsvNotes(const std::vector<CsvNote>& notes);
// "line 4: ..." for one row, "lines 18–4470: 4,453 rows not imported: ..." for many.
// `withLine` false leaves out the line and the word "skipped" (the window has columns for them).
std::string csvGroupText(const CsvNoteGroup& group, bool chinese, bool withLine = true);
// "18–30", or "4" for one row.
std::string csvGroupLines(const CsvNoteGroup& group);

// "1 channel", "2 channels" (Chinese has no plural to choose).
std::string channelCount(std::size_t n);

// The report line in the given language: "line 4: ...".
std::string csvNoteText(const CsvNote& note, bool chinese);

}  // namespace nv
