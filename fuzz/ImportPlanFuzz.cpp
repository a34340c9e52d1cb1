// The import dialog's and nv742-cli's choices over any file. The first byte holds the switches
// (in file order, leave bad rows out), the second the first channel, the third the lines left
// unchecked (lines 2 to 9, a bit each), the fourth the length of a --locations text that
// follows; the rest is the file.
#include <algorithm>
#include <set>
#include <string_view>

#include "FuzzStarted.h"
#include "FuzzTarget.h"
#include "Require.h"
#include "channels/ChannelRecord.h"
#include "channels/csv/NothingPlaced.h"
#include "channels/csv/Placement.h"
#include "channels/csv/Planner.h"

using namespace nv;

namespace {

void requireVisible(const std::vector<CsvNote>& notes) {
    for (const CsvNoteGroup& g : groupCsvNotes(notes))
        for (bool chinese : {false, true})
            fuzz::require(fuzz::visible(csvGroupText(g, chinese)),
                          "a report line shows a control character");
}

}  // namespace

NV742_FUZZ_TARGET(import_plan) {
    if (size < 4) return 0;
    const AppState& s = fuzz::started();
    CsvPlacement p;
    p.inOrder = data[0] & 1;
    p.skipBad = data[0] & 2;
    p.first = 1 + data[1] % ChannelCount;
    for (int bit = 0; bit < 8; ++bit)
        if (data[2] & (1 << bit)) p.leftOutLines.push_back(bit + 2);
    const std::size_t listSize = std::min<std::size_t>(data[3], size - 4);
    const std::string_view list(reinterpret_cast<const char*>(data + 4), listSize);
    if (listSize > 0) {
        const auto locations = parseLocationList(list);
        if (!locations) return 0;
        p.locations = *locations;
    }
    const std::string_view text(reinterpret_cast<const char*>(data + 4 + listSize),
                                size - 4 - listSize);

    const CsvPlan plan = planChannelsCsv(s, text, s.RadioImage, p);
    const CsvImport& i = plan.import;
    fuzz::require(i.image == importChannelsCsv(s, text, s.RadioImage, p).image,
                  "the plan differs from the import");
    for (const auto* notes : {&i.errors, &i.bad, &i.skipped, &i.snaps}) requireVisible(*notes);
    // The dialog places the rows of one reading again after each choice: what an earlier
    // placement found leaves nothing behind.
    CsvPlanner planner(s, text, true);
    CsvPlacement other = p;
    other.inOrder = !p.inOrder;
    other.leftOutLines.clear();
    planner.place(other, s.RadioImage);
    const CsvImport preview = planner.place(p, s.RadioImage, false);  // as the dialog places
    fuzz::require(preview.ok() == i.ok() && preview.channels == i.channels &&
                      csvNothingPlaced(preview, p, false, CsvAdvice::Dialog) ==
                          csvNothingPlaced(i, p, false, CsvAdvice::Dialog),
                  "a preview places other rows than the import, or tells otherwise why not");
    fuzz::require(planner.place(p, s.RadioImage).image == i.image,
                  "a placement depends on the one before");
    for (std::size_t k = 0; k < plan.rows.size(); ++k)
        fuzz::require(csvRowFate(planner.row(k), false) == csvRowFate(plan.rows[k], false),
                      "a row's fate depends on the placement before");
    if (!i.ok()) return 0;
    fuzz::require(p.skipBad || i.bad.empty(), "bad rows left out without being asked");
    std::set<int> written(i.channels.begin(), i.channels.end());
    fuzz::require(written.size() == i.channels.size(), "an import wrote a channel twice");
    for (std::size_t k = 0; k < i.channels.size(); ++k) {
        const int n = i.channels[k];
        fuzz::require(n >= 1 && n <= ChannelCount, "an import wrote a location that is no channel");
        if (p.inOrder)
            fuzz::require(n == p.first + static_cast<int>(k), "in file order, a channel skipped");
        const int line = i.lines[k];
        fuzz::require(!std::count(p.leftOutLines.begin(), p.leftOutLines.end(), line),
                      "an unchecked row was imported");
    }
    for (const CsvRow& row : plan.rows) {
        fuzz::require(!(row.bad && row.channel > 0), "a bad row was imported");
        fuzz::require(fuzz::visible(csvRowFate(row, false)) && fuzz::visible(csvRowFate(row, true)),
                      "a row's fate shows a control character");
    }
    return 0;
}
