#include "channels/csv/Report.h"

#include <algorithm>
#include <climits>
#include <iterator>
#include <map>
#include <tuple>

#include "core/VisibleText.h"

namespace nv {

namespace {

std::string columnText(const std::string& column, bool chinese) {
    if (column == CsvTxColumn) return chinese ? "发射频率" : "transmit frequency";
    if (column == "encode") return chinese ? "编码" : "encode";
    if (column == "decode") return chinese ? "解码" : "decode";
    return column;
}

// A Mode or Tone word the layout knows but this radio lacks: the row is skipped, not broken,
// so its words say what the radio lacks rather than that the file is wrong.
bool radioLacks(const CsvNote& n) {
    return n.kind == CsvNote::UnknownValue && (n.column == "Mode" || n.column == "Tone");
}

std::string lackedText(const std::string& column, const std::string& value, bool chinese) {
    return chinese ? column + " 为 " + value + "，本机没有此方式"
                   : column + " " + value + ", which this radio does not have";
}

}  // namespace

std::string csvNoteText(const CsvNote& original, bool chinese) {
    CsvNote note = original;
    note.value = visibleText(note.value);
    const std::string line = std::to_string(note.line);
    const std::string where =
        note.line > 0 ? (chinese ? "第 " + line + " 行：" : "line " + line + ": ") : std::string();
    const std::string channel = std::to_string(note.location);
    const std::string column = columnText(note.column, chinese);
    const std::string value = "\"" + note.value + "\"";
    switch (note.kind) {
        case CsvNote::Syntax:
            return where + (chinese ? "引号不匹配（" + note.value + "）" : note.value);
        case CsvNote::Empty:
            return chinese ? "文件是空的：没有标题行"
                           : "the file is empty: there is no header line";
        case CsvNote::TooLarge:
            return chinese ? "文件大于 64 MiB" : "the file is larger than 64 MiB";
        case CsvNote::MissingColumn:
            return where + (chinese ? "缺少列 " + column : "the column " + column + " is missing");
        case CsvNote::MissingValue:
            return where + (chinese ? column + " 没有值" : column + " has no value");
        case CsvNote::NotANumber:
            return where + (chinese ? column + " " + value + " 不是数字"
                                    : column + " " + value + " is not a number");
        case CsvNote::OutsideBand:
            return where +
                   (chinese ? column + " " + note.value + " MHz 超出频段 " + note.result + " MHz"
                            : column + " " + note.value + " MHz is outside the band " +
                                  note.result + " MHz");
        case CsvNote::NotATone:
            return where + (chinese
                                ? column + " " + value + " 不是音频表中的 CTCSS 音频"
                                : column + " " + value + " is not a CTCSS tone of the tone table");
        case CsvNote::NotADcsCode:
            return where + (chinese
                                ? column + " " + value + " 不是音频表中的 DCS 码"
                                : column + " " + value + " is not a DCS code of the tone table");
        case CsvNote::UnknownValue:
            if (radioLacks(note)) return where + lackedText(column, value, chinese);
            return where + (chinese ? column + " 的值 " + value + " 无法识别"
                                    : column + " " + value + " is not a value this column takes");
        case CsvNote::ListedTwice:
            // A location need not be a channel: in file order, or past 16, it is only a number.
            return where + (chinese ? "位置 " + channel + " 重复（第 " +
                                          std::to_string(note.otherLine) + " 行已列出）"
                                    : "Location " + channel + " is listed twice (first on line " +
                                          std::to_string(note.otherLine) + ")");
        case CsvNote::Snapped:
            return where +
                   (chinese ? "信道 " + channel + "：" + column + " " + note.value +
                                  " 不在信道步进上，已存为 " + note.result
                            : "channel " + channel + ": " + column + " " + note.value +
                                  " is off the channel raster and was stored as " + note.result);
        case CsvNote::Skipped:
            return where + (chinese ? "位置 " + note.value + " 不是信道（1 至 16），已跳过"
                                    : "Location " + note.value +
                                          " is not a channel (1 to 16) and was skipped");
        case CsvNote::NoRoom:
            return where + (chinese ? "位置 " + note.value + " 排在信道 16 之后，已跳过"
                                    : "Location " + note.value +
                                          " did not fit after channel 16 and was skipped");
        case CsvNote::ToneWithoutCsvForm:
            return chinese ? "信道 " + channel + "：" + column + "音频代码 " + note.value +
                                 " 无法写入 CSV，已写为无音频"
                           : "channel " + channel + ": the " + column + " tone code " + note.value +
                                 " has no CSV form and was written as no tone";
        case CsvNote::NotKept:
            return chinese ? "本机不保存这些列：" + note.value
                           : "the radio does not keep these columns: " + note.value;
        case CsvNote::NotCarried:
            return chinese
                       ? "CSV 没有信令和 PTT-ID 的列，未导出信道 " + note.value + " 的这些设置"
                       : "the layout has no column for signalling or PTT-ID; those of " +
                             std::string(note.value.find(',') == std::string::npos ? "channel "
                                                                                   : "channels ") +
                             note.value + " were not exported";
        case CsvNote::ToneNotInTable:
            return chinese ? "信道 " + channel + "：" + column + "音频 " + note.value +
                                 " Hz 不在音频表中，导入时会被拒绝"
                           : "channel " + channel + ": the " + column + " tone " + note.value +
                                 " Hz is not in the tone table; an import will refuse it";
    }
    return where;
}

bool isSkipReason(const CsvNote& note) {
    if (note.rowLeftOut) return true;
    switch (note.kind) {
        case CsvNote::Skipped:
        case CsvNote::NoRoom:
        case CsvNote::OutsideBand:
        case CsvNote::NotATone:
        case CsvNote::NotADcsCode:
            return true;
        case CsvNote::UnknownValue:
            return radioLacks(note);
        default:
            return false;
    }
}

namespace {

// A word the column does not take is a reason of its own for each word; the other reasons are
// one whatever the rows' values.
using Reason = std::tuple<int, std::string, bool, std::string>;
Reason reasonOf(const CsvNote& n) {
    return {n.kind, n.column, n.rowLeftOut, n.kind == CsvNote::UnknownValue ? n.value : ""};
}

const char* const Dash = "\u2013";  // an en dash between the ends of a range

// 4454 as "4,454".
std::string withThousands(int n) {
    std::string digits = std::to_string(n);
    for (int i = static_cast<int>(digits.size()) - 3; i > 0; i -= 3)
        digits.insert(static_cast<std::size_t>(i), 1, ',');
    return digits;
}

// Why the rows of a group were not imported, in a few words.
std::string groupReason(const CsvNote& n, bool chinese) {
    const std::string column = columnText(n.column, chinese);
    const std::string value = std::string(1, '"').append(visibleText(n.value)).append(1, '"');
    switch (n.kind) {
        case CsvNote::Skipped:
            return chinese ? std::string("位置不是信道 1") + Dash + "16"
                           : std::string("the location is not a channel 1") + Dash + "16";
        case CsvNote::NoRoom:
            return chinese ? "本机只有 16 个信道" : "the radio holds 16 channels";
        case CsvNote::OutsideBand:
            return chinese ? column + " 超出频段 " + n.result + " MHz"
                           : column + " outside the band " + n.result + " MHz";
        case CsvNote::NotATone:
            return chinese ? column + " 不是音频表中的 CTCSS 音频"
                           : column + " not a CTCSS tone of the tone table";
        case CsvNote::NotADcsCode:
            return chinese ? column + " 不是音频表中的 DCS 码"
                           : column + " not a DCS code of the tone table";
        case CsvNote::MissingColumn:
            return chinese ? "缺少列 " + column : "the column " + column + " is missing";
        case CsvNote::MissingValue:
            return chinese ? column + " 没有值" : column + " has no value";
        case CsvNote::NotANumber:
            return chinese ? column + " 不是数字" : column + " not a number";
        case CsvNote::ListedTwice:
            return chinese ? "位置已在前面的行列出" : "the Location is listed on an earlier line";
        case CsvNote::UnknownValue:
            if (radioLacks(n)) return lackedText(column, value, chinese);
            return chinese ? column + " 的值 " + value + " 无法识别"
                           : column + " " + value + ", not a value this column takes";
        default:
            return csvNoteText(n, chinese);
    }
}

// A value as a group's line shows it: escaped and, past a few words, cut.
std::string shortValue(const std::string& value) {
    constexpr std::size_t Longest = 24;
    std::string v = visibleText(value);
    if (v.size() <= Longest) return v;
    std::size_t cut = Longest;
    while (cut > 0 && (static_cast<unsigned char>(v[cut]) & 0xC0) == 0x80) --cut;
    return v.substr(0, cut) + "\u2026";
}

// The value of a note as a sample of its group, or "" when the reason says it all.
std::string sampleOf(const CsvNote& n) {
    switch (n.kind) {
        case CsvNote::NotANumber:
        case CsvNote::NotATone:
        case CsvNote::NotADcsCode:
            return std::string(1, '"').append(shortValue(n.value)).append(1, '"');
        case CsvNote::OutsideBand:
        case CsvNote::ListedTwice:
            return shortValue(n.value);
        default:
            return {};
    }
}

constexpr std::size_t SampleValues = 3;

void addSample(CsvNoteGroup& g, const CsvNote& n) {
    const std::string v = sampleOf(n);
    if (v.empty() || std::find(g.values.begin(), g.values.end(), v) != g.values.end()) return;
    if (g.values.size() < SampleValues)
        g.values.push_back(v);
    else
        g.moreValues = true;
    g.moreValues = g.moreValues || n.manyValues;  // the run's other values were not kept
}

// Whether the rows before `n` are a run of a few notes of its reason, one per row: enough
// to show the values a report samples, so that the rows after them need no note each.
bool sampledRun(const std::vector<CsvNote>& notes, const CsvNote& n) {
    if (notes.size() < SampleValues) return false;
    for (std::size_t k = 0; k < SampleValues; ++k) {
        const CsvNote& m = notes[notes.size() - 1 - k];
        if (m.kind != n.kind || m.record != n.record - 1 - static_cast<int>(k)) return false;
    }
    return true;
}

// " (\"abc\", \"x1\", …)" after a group's reason.
std::string samplesText(const CsvNoteGroup& g, bool chinese) {
    if (g.values.empty()) return {};
    std::string out;
    for (const std::string& v : g.values) out += (out.empty() ? "" : chinese ? "、" : ", ") + v;
    if (g.moreValues) out += chinese ? "……" : ", \u2026";
    return chinese ? "（" + out + "）" : " (" + out + ")";
}

// Whether every row from a to b has a note: the runs of noted rows, joined where they meet.
class NotedRows {
  public:
    explicit NotedRows(const std::vector<CsvNote>& notes) {
        for (const CsvNote& n : notes)
            if (n.record > 0) runs_.emplace_back(n.record, n.endRecord());
        std::sort(runs_.begin(), runs_.end());
        std::vector<std::pair<int, int>> joined;
        for (const auto& run : runs_) {
            if (!joined.empty() && run.first <= joined.back().second + 1)
                joined.back().second = std::max(joined.back().second, run.second);
            else
                joined.push_back(run);
        }
        runs_ = std::move(joined);
    }
    bool allBetween(int a, int b) const {
        auto run = std::upper_bound(runs_.begin(), runs_.end(), std::pair{a, INT_MAX});
        return run != runs_.begin() && std::prev(run)->second >= b;
    }

  private:
    std::vector<std::pair<int, int>> runs_;
};

}  // namespace

void addCsvNote(std::vector<CsvNote>& notes, CsvNote n) {
    if (!notes.empty()) {
        CsvNote& last = notes.back();
        const bool anyValue = n.kind == CsvNote::Skipped || n.kind == CsvNote::NoRoom;
        // A directory export pasted twice repeats every Location: past the first few, the
        // rows of such a run share a note rather than holding one each.
        const bool sampled = n.kind == CsvNote::ListedTwice && !n.rowLeftOut &&
                             (last.manyValues || sampledRun(notes, n));
        if (n.record > 0 && n.record == last.endRecord() + 1 && reasonOf(last) == reasonOf(n) &&
            (anyValue || sampled || last.value == n.value)) {
            last.manyValues = last.manyValues || (sampled && last.value != n.value);
            last.lastLine = n.line;
            last.lastRecord = n.record;
            ++last.rows;
            return;
        }
    }
    notes.push_back(std::move(n));
}

void addCsvLocationNote(std::vector<CsvNote>& notes, CsvNote::Kind kind, int line, int location,
                        int record) {
    if (!notes.empty()) {
        CsvNote& last = notes.back();
        if (last.kind == kind && last.column.empty() && !last.rowLeftOut && record > 0 &&
            record == last.endRecord() + 1) {
            last.lastLine = line;
            last.lastRecord = record;
            ++last.rows;
            return;
        }
    }
    CsvNote n{kind, line, location};
    n.value = std::to_string(location);
    n.record = record;
    notes.push_back(std::move(n));
}

std::vector<CsvNoteGroup> groupCsvNotes(const std::vector<CsvNote>& notes) {
    // Between two rows of one reason, only rows with notes of their own may stand.
    const NotedRows noted(notes);
    std::vector<CsvNoteGroup> groups;
    std::map<Reason, std::size_t> latest;  // reason -> its last group
    for (const CsvNote& n : notes) {
        auto [it, fresh] = latest.emplace(reasonOf(n), groups.size());
        if (!fresh) {
            CsvNoteGroup& open = groups[it->second];
            if (n.record > 0 && open.lastRecord > 0 && n.record > open.lastRecord &&
                noted.allBetween(open.lastRecord, n.record)) {
                open.lastLine = n.endLine();
                open.lastRecord = n.endRecord();
                open.count += n.rows;
                addSample(open, n);
                continue;
            }
            it->second = groups.size();
        }
        groups.push_back(CsvNoteGroup{n, n.endLine(), n.endRecord(), n.rows, {}, false});
        addSample(groups.back(), n);
    }
    std::stable_sort(
        groups.begin(), groups.end(),
        [](const CsvNoteGroup& a, const CsvNoteGroup& b) { return a.first.line < b.first.line; });
    return groups;
}

std::string channelCount(std::size_t n) {
    return std::to_string(n) + (n == 1 ? " channel" : " channels");
}

std::string csvGroupLines(const CsvNoteGroup& group) {
    const std::string first = std::to_string(group.first.line);
    return group.count == 1 ? first : first + Dash + std::to_string(group.lastLine);
}

std::string csvGroupText(const CsvNoteGroup& group, bool chinese, bool withLine) {
    CsvNote n = group.first;
    if (group.count == 1) {
        if (!withLine) n.line = 0;
        const bool saysSkipped = n.kind == CsvNote::Skipped || n.kind == CsvNote::NoRoom;
        const std::string skipped =
            withLine && isSkipReason(n) && !saysSkipped ? (chinese ? "，已跳过" : "; skipped") : "";
        return csvNoteText(n, chinese) + skipped;
    }
    const std::string lines = csvGroupLines(group);
    const std::string where = !withLine ? std::string()
                              : chinese ? "第 " + lines + " 行："
                                        : "lines " + lines + ": ";
    const std::string rows = withThousands(group.count);
    return where + (chinese ? rows + " 行未导入：" : rows + " rows not imported: ") +
           groupReason(n, chinese) + samplesText(group, chinese);
}

}  // namespace nv
