#include "channels/csv/Planner.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

#include "channels/ChannelRecord.h"

namespace nv {

namespace {

// Names and comments: said once, for the whole file, when any row has one.
struct ColumnsNotKept {
    bool used[2] = {false, false};
    static constexpr const char* Names[2] = {"Name", "Comment"};

    void see(const CsvColumns& columns, const CsvRecord& r) {
        for (int i = 0; i < 2; ++i)
            used[i] = used[i] || !csvTrimmed(columns.value(r, Names[i])).empty();
    }
    std::string names() const {
        std::string out;
        for (int i = 0; i < 2; ++i)
            if (used[i]) out += (out.empty() ? "" : ", ") + std::string(Names[i]);
        return out;
    }
};

// The lines that can hold a row: one of blanks, commas and quotes alone holds none. Room is
// made for these only, so that a file of blank lines reserves nothing.
std::size_t linesWithText(std::string_view text) {
    std::size_t lines = 0;
    bool seen = false;
    for (const char ch : text) {
        if (ch == '\n') {
            lines += seen ? 1 : 0;
            seen = false;
        } else if (ch != ' ' && ch != '\t' && ch != ',' && ch != '\r' && ch != '"') {
            seen = true;
        }
    }
    return lines + (seen ? 1 : 0);
}

CsvNote syntaxError(const CsvError& e) {
    CsvNote n{CsvNote::Syntax, e.line};
    n.value = e.text;
    return n;
}

// Bad rows are left out when the caller says so, and are errors of the file otherwise.
void settleBadRows(bool skipBad, CsvImport& out) {
    if (skipBad) {
        for (CsvNote& n : out.bad) n.rowLeftOut = true;
        return;
    }
    std::vector<CsvNote> errors;
    std::merge(out.errors.begin(), out.errors.end(), out.bad.begin(), out.bad.end(),
               std::back_inserter(errors),
               [](const CsvNote& a, const CsvNote& b) { return a.line < b.line; });
    out.errors = std::move(errors);
    out.bad.clear();
}

// A row skipped for its location, whatever else it holds.
CsvNote locationNote(CsvNote::Kind kind, int line, int location, int ordinal) {
    CsvNote n{kind, line, location};
    n.value = std::to_string(location);
    n.record = ordinal;
    return n;
}

// The tone setting in a few words: the mode and the values it uses.
std::string toneSummary(const CsvColumns& columns, const CsvRecord& record) {
    auto field = [&](const char* column) { return csvTrimmed(columns.value(record, column)); };
    const std::string mode = field("Tone");
    const std::string word = csvUpper(mode);
    if (word == "TONE") return mode + " " + field("rToneFreq");
    if (word == "TSQL") return mode + " " + field("cToneFreq");
    if (word == "DTCS") return mode + " " + field("DtcsCode") + " " + field("DtcsPolarity");
    if (word != "CROSS") return mode;
    std::string values;
    const std::string cross = csvUpper(field("CrossMode"));
    const std::size_t arrow = cross.find("->");
    auto side = [&](std::string_view kind, bool encode) {
        if (kind == "TONE") return field(encode ? "rToneFreq" : "cToneFreq");
        if (kind == "DTCS") return field(encode ? "DtcsCode" : "RxDtcsCode");
        return std::string("-");
    };
    if (arrow != std::string::npos)
        values = " " + side(std::string_view(cross).substr(0, arrow), true) + "/" +
                 side(std::string_view(cross).substr(arrow + 2), false);
    return mode + " " + field("CrossMode") + values;
}

std::string offsetSummary(const CsvColumns& columns, const CsvRecord& record) {
    const std::string duplex = csvTrimmed(columns.value(record, "Duplex"));
    const std::string offset = csvTrimmed(columns.value(record, "Offset"));
    if (duplex == "+" || duplex == "-") return duplex + offset;
    return duplex.empty() ? std::string() : duplex + (offset.empty() ? "" : " " + offset);
}

}  // namespace

CsvPlanner::CsvPlanner(const AppState& s, std::string_view text, bool preview)
    : s_(s), text_(text) {
    if (text.size() > static_cast<std::size_t>(MaxCsvFileSize)) {
        fileErrors_.push_back(CsvNote{CsvNote::TooLarge});
        return;
    }
    // The file is read a record at a time: a directory export of many megabytes is never
    // held a second time as a document.
    CsvRecordReader records(text);
    CsvRecord header;
    bool found = false;
    while (!found && records.next(header)) found = !header.blank();
    if (records.error()) {
        fileErrors_.push_back(syntaxError(*records.error()));
        return;
    }
    if (!found) {
        fileErrors_.push_back(CsvNote{CsvNote::Empty, 1});
        return;
    }
    columns_.emplace(header);
    for (const char* column : {"Location", "Frequency"}) {
        if (columns_->has(column)) continue;
        CsvNote n{CsvNote::MissingColumn, header.line};
        n.column = column;
        fileErrors_.push_back(n);
    }
    if (!fileErrors_.empty()) return;
    // Room for a row per line with text, at once: growing as rows come would hold the old rows
    // and the new while copying. Room per line would be reserved for blank lines too, and a
    // reservation counts against a memory limit even where no row is ever written.
    rows_.reserve(linesWithText(text));
    readRows(records);
    if (records.error()) {
        fileErrors_.push_back(syntaxError(*records.error()));
        rows_.clear();
    }
    if (preview) fates_.resize(rows_.size());
}

// Every row is read whole, whatever its location: which rows a placement reads is then only a
// question of which of these findings it reports.
void CsvPlanner::readRows(CsvRecordReader& records) {
    ColumnsNotKept notKept;
    std::vector<CsvNote> bad, skipped;
    CsvRecord record;
    for (std::size_t at = records.position(); records.next(record); at = records.position()) {
        if (record.blank()) continue;
        notKept.see(*columns_, record);
        ReadRow r;
        r.offset = static_cast<std::uint32_t>(at);
        r.line = record.line;
        bad.clear();
        skipped.clear();
        const int ordinal = static_cast<int>(rows_.size()) + 1;
        CsvLineReader reader(s_, *columns_, record, ordinal, bad, skipped);
        Kind kind = Kind::BadLocation;
        if (const auto location = reader.location()) {
            r.location = *location;
            const auto channel = reader.read();
            kind = channel     ? (channel->empty ? Kind::Empty : Kind::Channel)
                   : bad.empty() ? Kind::Skip
                                 : Kind::Bad;
        }
        r.kind = static_cast<std::uint32_t>(kind);
        rows_.push_back(r);
    }
    notKept_ = notKept.names();
    markRepeatedLocations();
}

// A repeated Location is a bad row of its own when placing by location: the other rows do not
// depend on it.
void CsvPlanner::markRepeatedLocations() {
    std::vector<std::uint32_t> byLocation;  // rows, then sorted by location and line
    byLocation.reserve(rows_.size());
    for (std::size_t i = 0; i < rows_.size(); ++i)
        if (static_cast<Kind>(rows_[i].kind) != Kind::BadLocation)
            byLocation.push_back(static_cast<std::uint32_t>(i));
    std::sort(byLocation.begin(), byLocation.end(), [&](std::uint32_t a, std::uint32_t b) {
        return std::pair(rows_[a].location, a) < std::pair(rows_[b].location, b);
    });
    for (std::size_t k = 1, first = 0; k < byLocation.size(); ++k) {
        ReadRow& r = rows_[byLocation[k]];
        if (r.location != rows_[byLocation[first]].location) {
            first = k;
            continue;
        }
        r.repeated = 1;
        r.first = byLocation[first];
    }
}

std::vector<CsvNote> CsvPlanner::notesOf(std::size_t row) const {
    const ReadRow& r = rows_[row];
    const int ordinal = static_cast<int>(row) + 1;
    if (kindOf(r) == Kind::Repeated) {
        CsvNote n{CsvNote::ListedTwice, r.line, r.location};
        n.value = std::to_string(r.location);
        n.otherLine = rows_[r.first].line;
        n.record = ordinal;
        return {n};
    }
    std::vector<CsvNote> bad, skipped;
    if (kindOf(r) == Kind::Channel || kindOf(r) == Kind::Empty) return bad;
    CsvRecord record;
    readRecord(row, record);
    CsvLineReader reader(s_, *columns_, record, ordinal, bad, skipped);
    if (reader.location()) reader.read();
    return kindOf(r) == Kind::Skip ? skipped : bad;
}

bool CsvPlanner::readRecord(std::size_t row, CsvRecord& record) const {
    CsvRecordReader reader(text_);
    reader.seek(rows_[row].offset, rows_[row].line);
    return reader.next(record);
}

ChannelLine CsvPlanner::readChannel(std::size_t row, int channel,
                                    std::vector<CsvNote>& snaps) const {
    if (kindOf(rows_[row]) == Kind::Empty) {
        ChannelLine c;
        c.location = channel;
        c.empty = true;
        return c;
    }
    CsvRecord record;
    readRecord(row, record);
    std::vector<CsvNote> bad, skipped;
    CsvLineReader reader(s_, *columns_, record, static_cast<int>(row) + 1, bad, skipped);
    reader.location();
    ChannelLine c = reader.read().value();  // it was read as a channel before
    c.location = channel;
    const auto found = reader.snapsFor(channel);
    snaps.insert(snaps.end(), found.begin(), found.end());
    return c;
}

void CsvPlanner::addNotes(std::size_t row, std::vector<CsvNote>& to) const {
    // Rows next to each other with the same finding are one note, as skipped rows are.
    for (CsvNote& n : notesOf(row)) addCsvNote(to, std::move(n));
}

CsvImport CsvPlanner::place(const CsvPlacement& placement, const Image& base, bool everyNote) {
    CsvImport out;
    out.image = base;
    out.errors = fileErrors_;
    skipBad_ = placement.skipBad;
    inOrder_ = placement.inOrder;
    std::fill(fates_.begin(), fates_.end(), RowFate{});
    if (!out.ok()) return out;
    everyNote = everyNote || !placement.skipBad;  // bad rows that are errors are told
    // No room is set aside for the bad rows' notes: neighbouring rows with one reason share a
    // note, so a reservation per bad row would mostly stay unused.
    bool valueSkipped = false;  // a row was skipped for a value
    std::vector<int> omitted = placement.leftOutLines;
    std::sort(omitted.begin(), omitted.end());
    std::vector<int> locations = placement.locations;
    std::sort(locations.begin(), locations.end());
    const auto among = [](const std::vector<int>& sorted, int v) {
        return std::binary_search(sorted.begin(), sorted.end(), v);
    };
    std::vector<ChannelLine> placed;
    int next = std::max(1, placement.first);  // never a row of the image before the channels
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        const ReadRow& r = rows_[i];
        RowFate unshown;
        RowFate& f = fates_.empty() ? unshown : fates_[i];
        const int ordinal = static_cast<int>(i) + 1;
        f.fate = Fate::Read;
        const Kind kind = kindOf(r);
        if (kind == Kind::BadLocation || kind == Kind::Repeated) {
            if (everyNote || out.bad.empty()) addNotes(i, out.bad);
        } else if (among(omitted, r.line)) {
            ++out.leftOut;
            f.fate = Fate::NotChosen;
        } else if (!locations.empty() && !among(locations, r.location)) {
            ++out.leftOut;
            f.fate = Fate::NotListed;
        } else if (placement.inOrder && next > ChannelCount) {
            // Once the channels are full, why a row would not fit anyway is beside the point.
            addCsvLocationNote(out.skipped, CsvNote::NoRoom, r.line, r.location, ordinal);
            f.fate = Fate::NoRoom;
        } else if (!placement.inOrder && (r.location < 1 || r.location > ChannelCount)) {
            addCsvLocationNote(out.skipped, CsvNote::Skipped, r.line, r.location, ordinal);
            f.fate = Fate::NotAChannel;
        } else if (kind == Kind::Bad) {
            if (everyNote || out.bad.empty()) addNotes(i, out.bad);
        } else if (kind == Kind::Skip) {
            if (everyNote || !valueSkipped) addNotes(i, out.skipped);
            valueSkipped = true;
        } else {
            const int channel = placement.inOrder ? next++ : r.location;
            f = {static_cast<std::uint8_t>(channel), Fate::Placed};
            placed.push_back(readChannel(i, channel, out.snaps));
            out.lines.push_back(r.line);
        }
    }
    settleBadRows(placement.skipBad, out);
    if (!out.ok()) {
        out.lines.clear();
        for (RowFate& f : fates_)
            if (f.fate == Fate::Placed) f = {};
        return out;
    }
    if (!notKept_.empty()) {
        CsvNote n{CsvNote::NotKept};
        n.value = notKept_;
        out.notKept.push_back(n);
    }
    for (const ChannelLine& c : placed) {
        writeChannelLine(out.image, c);
        out.channels.push_back(c.location);
    }
    return out;
}

CsvRow CsvPlanner::row(std::size_t i) const {
    const ReadRow& r = rows_[i];
    CsvRecord record;
    readRecord(i, record);
    CsvRow row;
    row.line = r.line;
    auto field = [&](const char* column) { return csvTrimmed(columns_->value(record, column)); };
    row.location = field("Location");
    row.name = field("Name");
    row.frequency = field("Frequency");
    row.offset = offsetSummary(*columns_, record);
    row.tone = toneSummary(*columns_, record);
    row.mode = field("Mode");
    row.power = field("Power");
    const RowFate& f = fates_[i];
    row.chosen = f.fate != Fate::NotChosen;
    row.channel = f.channel;
    row.empty = kindOf(r) == Kind::Empty;
    const int ordinal = static_cast<int>(i) + 1;
    if (f.fate == Fate::NoRoom || f.fate == Fate::NotAChannel) {
        row.reason = locationNote(f.fate == Fate::NoRoom ? CsvNote::NoRoom : CsvNote::Skipped,
                                  r.line, r.location, ordinal);
    } else if (const auto notes = notesOf(i); f.fate == Fate::Read && !notes.empty()) {
        row.bad = skipBad_ && kindOf(r) != Kind::Skip;
        row.reason = notes.front();
        row.reason->rowLeftOut = row.bad;
    }
    return row;
}

}  // namespace nv
