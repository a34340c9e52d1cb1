#pragma once
// The rows of a community-layout file read once, then placed as often as a choice changes.
// Reading a directory export of many megabytes checks every row of it; placing its rows again
// takes milliseconds. Little is kept per row (where its record starts, its location, whether
// it is a channel, a bad row or a skipped one); a row's texts and the reasons it is bad or
// skipped are read again from the file when they are shown or reported.

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "channels/csv/LineReader.h"
#include "channels/csv/Placement.h"

namespace nv {

class CsvPlanner {
  public:
    // Reads every row against the band and the tone table of the state. `text` must outlive
    // the planner; a text longer than a CSV file may be is refused. Only a planner for a
    // preview keeps each row's fate (channelOf, notChosen, row).
    CsvPlanner(const AppState& s, std::string_view text, bool preview = false);

    // What an import under `placement` writes into a copy of `base`; the rows' fates follow it.
    // A preview, which shows each row's own reason, needs only the first note of a bad row
    // and of a row skipped for a value (whether there are any), not a whole column of them.
    CsvImport place(const CsvPlacement& placement, const Image& base, bool everyNote = true);

    std::size_t rowCount() const { return rows_.size(); }
    int line(std::size_t row) const { return rows_[row].line; }
    // Under the last placement: the channel the row is written to (0 when it is not), and
    // whether the user left it out.
    int channelOf(std::size_t row) const { return fates_[row].channel; }
    bool notChosen(std::size_t row) const { return fates_[row].fate == Fate::NotChosen; }
    // The row as a preview shows it, with its fate under the last placement.
    CsvRow row(std::size_t row) const;

  private:
    // Bad and Skip rows are read again for their notes when a placement reports them; a
    // Repeated row names the row that listed its location first. An Empty row holds its
    // location alone and clears the channel it lands on.
    enum class Kind : std::uint8_t { Channel, Skip, Bad, BadLocation, Repeated, Empty };
    // 16 bytes a row, however long the row: its texts and findings stay in the file.
    struct ReadRow {
        std::uint32_t offset = 0;  // where the record starts, for reading it again
        int line = 0;
        int location = 0;
        std::uint32_t kind : 3 = 0;      // a Kind, as reading the row found it
        std::uint32_t repeated : 1 = 0;  // another row listed the location first
        std::uint32_t first : 28 = 0;    // repeated: the row that listed the location first
    };
    static_assert(MaxCsvRows <= (std::int64_t{1} << 28), "a row number fits `first`");
    enum class Fate : std::uint8_t { None, Placed, NotChosen, NotListed, NotAChannel, NoRoom, Read };
    struct RowFate {
        std::uint8_t channel = 0;  // 1 to 16
        Fate fate = Fate::None;
    };

    void readRows(CsvRecordReader& records);
    void markRepeatedLocations();
    // A repeated Location makes a row bad only where the Location places it: in file order
    // it is just a number.
    Kind kindOf(const ReadRow& r) const {
        return r.repeated && !inOrder_ ? Kind::Repeated : static_cast<Kind>(r.kind);
    }
    // Why the row is bad or skipped, as reading it found.
    std::vector<CsvNote> notesOf(std::size_t row) const;
    void addNotes(std::size_t row, std::vector<CsvNote>& to) const;
    bool readRecord(std::size_t row, CsvRecord& record) const;
    // Reads a row that is written again: kept for the few rows placed, not for every row.
    ChannelLine readChannel(std::size_t row, int channel, std::vector<CsvNote>& snaps) const;

    const AppState& s_;
    std::string_view text_;
    std::optional<CsvColumns> columns_;
    std::vector<CsvNote> fileErrors_;  // the file is no list in this layout
    std::vector<ReadRow> rows_;
    std::string notKept_;  // the columns with values the radio has no place for
    std::vector<RowFate> fates_;
    bool skipBad_ = false;
    bool inOrder_ = false;
};

}  // namespace nv
