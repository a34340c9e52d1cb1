#include "channels/csv/Placement.h"

#include <algorithm>
#include <iterator>
#include <map>

#include "channels/ChannelRecord.h"
#include "channels/csv/LineReader.h"
#include "core/Csv.h"
#include "core/VisibleText.h"

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
    void note(CsvImport& out) const {
        std::string names;
        for (int i = 0; i < 2; ++i)
            if (used[i]) names += (names.empty() ? "" : ", ") + std::string(Names[i]);
        if (names.empty()) return;
        CsvNote n{CsvNote::NotKept};
        n.value = names;
        out.notKept.push_back(n);
    }
};

CsvImport syntaxError(const CsvError& e, const Image& base) {
    CsvImport out;
    out.image = base;
    CsvNote n{CsvNote::Syntax, e.line};
    n.value = e.text;
    out.errors.push_back(n);
    return out;
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

}  // namespace

CsvImport importChannelsCsv(const AppState& s, std::string_view text, const Image& base) {
    return importChannelsCsv(s, text, base, CsvPlacement{});
}

CsvImport importChannelsCsv(const AppState& s, std::string_view text, const Image& base,
                            const CsvPlacement& placement) {
    CsvImport out;
    out.image = base;
    // The file is read a record at a time: a directory export of many megabytes is never
    // held a second time as a document.
    CsvRecordReader records(text);
    CsvRecord header;
    bool found = false;
    while (!found && records.next(header)) found = !header.blank();
    if (records.error()) return syntaxError(*records.error(), base);
    if (!found) {
        out.errors.push_back(CsvNote{CsvNote::Empty, 1});
        return out;
    }
    const CsvColumns columns(header);
    for (const char* column : {"Location", "Frequency"}) {
        if (columns.has(column)) continue;
        CsvNote n{CsvNote::MissingColumn, header.line};
        n.column = column;
        out.errors.push_back(n);
    }
    if (!out.ok()) return out;

    std::vector<std::pair<ChannelLine, int>> lines;  // with the line it came from
    std::vector<int> omitted = placement.leftOutLines;
    std::sort(omitted.begin(), omitted.end());
    std::vector<int> locations = placement.locations;
    std::sort(locations.begin(), locations.end());
    std::map<int, int> firstLine;  // location -> line
    ColumnsNotKept notKept;
    int ordinal = 0, next = placement.first;
    for (CsvRecord record; records.next(record);) {
        const CsvRecord* r = &record;
        if (r->blank()) continue;
        notKept.see(columns, *r);
        CsvLineReader reader(s, columns, *r, ++ordinal, out.bad, out.skipped);
        const auto location = reader.location();
        if (!location) continue;
        // A repeated Location is a bad row of its own: the other rows do not depend on it.
        if (auto [it, fresh] = firstLine.emplace(*location, r->line); !fresh) {
            CsvNote n{CsvNote::ListedTwice, r->line, *location};
            n.otherLine = it->second;
            n.value = std::to_string(*location);
            n.record = ordinal;
            out.bad.push_back(n);
            continue;
        }
        if (std::binary_search(omitted.begin(), omitted.end(), r->line)) {
            ++out.leftOut;
            continue;
        }
        const auto& chosen = locations;
        if (!chosen.empty() && !std::binary_search(chosen.begin(), chosen.end(), *location)) {
            ++out.leftOut;
            continue;
        }
        // Once the channels are full, why a row would not fit anyway is beside the point.
        if (placement.inOrder && next > ChannelCount) {
            CsvNote n{CsvNote::NoRoom, r->line, *location};
            n.value = std::to_string(*location);
            n.record = ordinal;
            addCsvNote(out.skipped, std::move(n));
            continue;
        }
        auto c = reader.read(!placement.inOrder);
        if (!c) continue;
        if (placement.inOrder) c->location = next++;
        const auto snaps = reader.snapsFor(c->location);
        out.snaps.insert(out.snaps.end(), snaps.begin(), snaps.end());
        lines.emplace_back(*c, r->line);
    }
    if (records.error()) return syntaxError(*records.error(), base);
    settleBadRows(placement.skipBad, out);
    if (!out.ok()) return out;
    notKept.note(out);
    for (const auto& [c, line] : lines) {
        writeChannelLine(out.image, c);
        out.channels.push_back(c.location);
        out.lines.push_back(line);
    }
    return out;
}

namespace {

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

CsvPlan planChannelsCsv(const AppState& s, std::string_view text, const Image& base,
                        const CsvPlacement& placement) {
    CsvPlan plan;
    plan.import = importChannelsCsv(s, text, base, placement);
    const CsvDocument doc = parseCsv(text);
    if (doc.error) return plan;
    auto header = std::find_if(doc.records.begin(), doc.records.end(),
                               [](const CsvRecord& r) { return !r.blank(); });
    if (header == doc.records.end()) return plan;
    std::map<int, int> channelOf;  // line -> channel
    for (std::size_t i = 0; i < plan.import.lines.size(); ++i)
        channelOf[plan.import.lines[i]] = plan.import.channels[i];
    std::map<int, const CsvNote*> reasonOf;  // line -> the first error, else the skip reason
    for (const auto* notes : {&plan.import.errors, &plan.import.bad, &plan.import.skipped})
        for (const CsvNote& n : *notes) reasonOf.emplace(n.line, &n);
    const CsvColumns columns(*header);
    std::vector<int> omitted = placement.leftOutLines;
    std::sort(omitted.begin(), omitted.end());
    for (auto r = header + 1; r != doc.records.end(); ++r) {
        if (r->blank()) continue;
        CsvRow row;
        row.line = r->line;
        auto field = [&](const char* column) { return csvTrimmed(columns.value(*r, column)); };
        row.location = field("Location");
        row.name = field("Name");
        row.frequency = field("Frequency");
        row.offset = offsetSummary(columns, *r);
        row.tone = toneSummary(columns, *r);
        row.mode = field("Mode");
        row.power = field("Power");
        row.chosen = !std::binary_search(omitted.begin(), omitted.end(), r->line);
        if (auto c = channelOf.find(r->line); c != channelOf.end()) row.channel = c->second;
        // A note may stand for a run of rows that starts before this one.
        if (auto n = reasonOf.upper_bound(r->line); n != reasonOf.begin()) {
            if (const CsvNote* note = std::prev(n)->second; r->line <= note->endLine()) {
                row.reason = *note;
                row.bad = note->rowLeftOut;
            }
        }
        plan.rows.push_back(std::move(row));
    }
    return plan;
}

std::string csvRowFate(const CsvRow& row, bool chinese) {
    if (!row.chosen && !row.bad) return chinese ? "未选，不导入" : "not chosen";
    if (row.channel > 0) return (chinese ? "信道 " : "channel ") + std::to_string(row.channel);
    if (!row.reason) return {};
    CsvNote n = *row.reason;
    n.line = 0;
    if (row.bad) return (chinese ? "无法导入：" : "cannot be imported: ") + csvNoteText(n, chinese);
    switch (n.kind) {
        case CsvNote::Skipped:
            return chinese ? "跳过：位置 " + visibleText(row.location) + " 不是信道 1\u201316"
                           : "skipped: location " + visibleText(row.location) +
                                 " is not a channel 1\u201316";
        case CsvNote::NoRoom:
            return chinese ? "跳过：信道 16 之后没有空位" : "skipped: no channel left after 16";
        case CsvNote::UnknownValue:
            if (isSkipReason(n))  // a Mode or Tone word
                return chinese ? "跳过：本机没有 " + n.column + " \"" + visibleText(n.value) + "\""
                               : "skipped: this radio has no " + n.column + " \"" +
                                     visibleText(n.value) + "\"";
            [[fallthrough]];
        default:
            return (isSkipReason(n) ? (chinese ? "跳过：" : "skipped: ")
                                    : (chinese ? "错误：" : "error: ")) +
                   csvNoteText(n, chinese);
    }
}

std::optional<std::vector<int>> parseLocationList(std::string_view text) {
    std::vector<std::pair<int, int>> ranges;
    std::string t;
    for (char ch : text)
        if (ch != ' ' && ch != '\t') t += ch;
    if (t.empty()) return std::nullopt;
    std::size_t pos = 0;
    while (pos <= t.size()) {
        const std::size_t comma = std::min(t.find(',', pos), t.size());
        const std::string part = t.substr(pos, comma - pos);
        const std::size_t dash = part.find('-');
        const auto from = plainInteger(part.substr(0, dash));
        const auto to = dash == std::string::npos ? from : plainInteger(part.substr(dash + 1));
        if (!from || !to || *to < *from) return std::nullopt;
        ranges.emplace_back(*from, *to);
        pos = comma + 1;
    }
    // Ranges that overlap name their rows once; the sum is counted before anything is spread
    // out, so that a list of thousands of wide ranges costs nothing.
    std::sort(ranges.begin(), ranges.end());
    std::vector<std::pair<int, int>> joined;
    std::int64_t count = 0;
    for (const auto& [from, to] : ranges) {
        if (!joined.empty() && from <= joined.back().second) {
            count += std::max(0, to - joined.back().second);
            joined.back().second = std::max(joined.back().second, to);
        } else {
            count += std::int64_t{to} - from + 1;
            joined.emplace_back(from, to);
        }
    }
    if (count > MaxCsvRows) return std::nullopt;
    std::vector<int> out;
    out.reserve(static_cast<std::size_t>(count));
    for (const auto& [from, to] : joined)
        for (int v = from; v <= to; ++v) out.push_back(v);
    return out;
}

}  // namespace nv
