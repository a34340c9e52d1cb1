#include "channels/csv/Report.h"

#include <cstdlib>

namespace nv {

namespace {

std::string columnText(const std::string& column, bool chinese) {
    if (column == CsvTxColumn) return chinese ? "发射频率" : "transmit frequency";
    if (column == "encode") return chinese ? "编码" : "encode";
    if (column == "decode") return chinese ? "解码" : "decode";
    return column;
}

}  // namespace

std::string csvNoteText(const CsvNote& note, bool chinese) {
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
            return where + (chinese ? column + " 的值 " + value + " 无法识别"
                                    : column + " " + value + " is not a value this column takes");
        case CsvNote::ListedTwice:
            return where + (chinese ? "信道 " + channel + " 重复（第 " +
                                          std::to_string(note.otherLine) + " 行已列出）"
                                    : "channel " + channel + " is listed twice (first on line " +
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
    switch (note.kind) {
        case CsvNote::Skipped:
        case CsvNote::NoRoom:
        case CsvNote::OutsideBand:
        case CsvNote::NotATone:
        case CsvNote::NotADcsCode:
            return true;
        case CsvNote::UnknownValue:
            return note.column == "Mode" || note.column == "Tone";
        default:
            return false;
    }
}

namespace {

// Rows with these reasons are one group whatever their values; the others only with equal
// values (one Mode word, one Tone word).
bool valuesMayDiffer(CsvNote::Kind kind) {
    return kind == CsvNote::Skipped || kind == CsvNote::NoRoom || kind == CsvNote::OutsideBand ||
           kind == CsvNote::NotATone || kind == CsvNote::NotADcsCode;
}

bool sameReason(const CsvNote& a, const CsvNote& b) {
    return a.kind == b.kind && a.column == b.column &&
           (valuesMayDiffer(a.kind) || a.value == b.value);
}

const char* const Dash = "\u2013";  // an en dash between the ends of a range

}  // namespace

std::vector<CsvNoteGroup> groupCsvNotes(const std::vector<CsvNote>& notes) {
    std::vector<CsvNoteGroup> groups;
    int lastRecord = 0;
    for (const CsvNote& n : notes) {
        // Locations are reported as a range, so they must follow each other too.
        const bool byLocation = n.kind == CsvNote::Skipped || n.kind == CsvNote::NoRoom;
        const bool follows =
            !groups.empty() && n.record > 0 && n.record == lastRecord + 1 &&
            sameReason(groups.back().first, n) &&
            (!byLocation || n.location == std::atoi(groups.back().lastValue.c_str()) + 1);
        lastRecord = n.record;
        if (follows) {
            CsvNoteGroup& g = groups.back();
            g.lastLine = n.line;
            g.lastValue = n.value;
            ++g.count;
            continue;
        }
        groups.push_back(CsvNoteGroup{n, n.line, n.value, 1});
    }
    return groups;
}

std::string csvGroupLines(const CsvNoteGroup& group) {
    const std::string first = std::to_string(group.first.line);
    return group.count == 1 ? first : first + Dash + std::to_string(group.lastLine);
}

std::string csvGroupText(const CsvNoteGroup& group, bool chinese, bool withLine) {
    if (group.count == 1) {
        CsvNote n = group.first;
        if (!withLine) n.line = 0;
        return csvNoteText(n, chinese);
    }
    const CsvNote& n = group.first;
    const std::string lines = csvGroupLines(group);
    const std::string where = !withLine ? std::string()
                              : chinese ? "第 " + lines + " 行："
                                        : "lines " + lines + ": ";
    const std::string values = n.value + Dash + group.lastValue;
    const std::string rows = std::to_string(group.count);
    const std::string column = columnText(n.column, chinese);
    switch (n.kind) {
        case CsvNote::Skipped:
            return where + (chinese ? "位置 " + values + " 不是信道 1" + Dash + "16，已跳过"
                                    : "locations " + values + " are not channels 1" + Dash + "16");
        case CsvNote::NoRoom:
            return where + (chinese ? "位置 " + values + " 排在信道 16 之后，已跳过"
                                    : "locations " + values +
                                          " did not fit after channel 16 and were skipped");
        case CsvNote::OutsideBand:
            return where +
                   (chinese ? rows + " 行的 " + column + " 超出频段 " + n.result + " MHz，已跳过"
                            : rows + " rows with " + column + " outside the band " + n.result +
                                  " MHz were skipped");
        case CsvNote::NotATone:
            return where + (chinese
                                ? rows + " 行的 " + column + " 不是音频表中的 CTCSS 音频，已跳过"
                                : rows + " rows with " + column +
                                      " not a CTCSS tone of the tone table were skipped");
        case CsvNote::NotADcsCode:
            return where + (chinese ? rows + " 行的 " + column + " 不是音频表中的 DCS 码，已跳过"
                                    : rows + " rows with " + column +
                                          " not a DCS code of the tone table were skipped");
        default:
            return where + (chinese ? rows + " 行的 " + column + " 为 \"" + n.value +
                                          "\"，本机没有此方式，已跳过"
                                    : rows + " rows with " + column + " \"" + n.value +
                                          "\", which this radio does not have, were skipped");
    }
}

}  // namespace nv
