#include "channels/csv/Placement.h"

#include <algorithm>

#include "channels/ChannelRecord.h"
#include "channels/csv/LineReader.h"
#include "channels/csv/Planner.h"
#include "core/Csv.h"
#include "core/VisibleText.h"

namespace nv {

CsvImport importChannelsCsv(const AppState& s, std::string_view text, const Image& base) {
    return importChannelsCsv(s, text, base, CsvPlacement{});
}

CsvImport importChannelsCsv(const AppState& s, std::string_view text, const Image& base,
                            const CsvPlacement& placement) {
    return CsvPlanner(s, text).place(placement, base);
}

CsvPlan planChannelsCsv(const AppState& s, std::string_view text, const Image& base,
                        const CsvPlacement& placement) {
    CsvPlanner planner(s, text, true);
    CsvPlan plan;
    plan.import = planner.place(placement, base);
    plan.rows.reserve(planner.rowCount());
    for (std::size_t i = 0; i < planner.rowCount(); ++i) plan.rows.push_back(planner.row(i));
    return plan;
}

std::string csvRowFate(const CsvRow& row, bool chinese) {
    if (!row.chosen && !row.bad) return chinese ? "未选，不导入" : "not chosen";
    if (row.channel > 0)
        return (chinese ? "信道 " : "channel ") + std::to_string(row.channel) +
               (row.empty ? (chinese ? "：空" : ": empty") : "");
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
