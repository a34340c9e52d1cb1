// The CSV import: whatever a user exported from another program, edited by hand, or pasted.
#include <set>
#include <string_view>

#include "FuzzStarted.h"
#include "FuzzTarget.h"
#include "Require.h"
#include "channels/csv/Placement.h"
#include "channels/csv/Writer.h"
#include "channels/ChannelRecord.h"
#include "core/Defaults.h"
#include "core/Startup.h"

using namespace nv;

namespace {

using fuzz::started;

constexpr int ScanBitmapRow = 23;

}  // namespace

NV742_FUZZ_TARGET(csv_import) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const AppState& s = started();
    const Image& base = s.RadioImage;

    const CsvImport import = importChannelsCsv(s, text, base);
    for (const auto* notes : {&import.errors, &import.snaps, &import.skipped})
        for (const CsvNote& note : *notes) {
            csvNoteText(note, false);
            csvNoteText(note, true);
        }
    if (!import.ok()) return 0;

    std::set<int> listed;
    for (int n : import.channels) {
        fuzz::require(n >= 1 && n <= ChannelCount, "an import wrote a location that is no channel");
        fuzz::require(listed.insert(n).second, "an import wrote a channel twice");
    }
    for (int r = 0; r < ImageRows; ++r)
        for (int c = 0; c < ImageCells; ++c) {
            const Int16 v = import.image(r, c);
            if (v == base(r, c)) continue;
            fuzz::require((listed.count(r) && c < 16) || (r == ScanBitmapRow && !listed.empty()),
                          "an import changed a cell outside the channels it lists");
            fuzz::require(v >= 0 && v <= 255, "an import stored a value beyond a byte");
        }

    // What was imported exports to a file that imports back the same, unless the export
    // itself says that something will not come back.
    const CsvExport exported = exportChannelsCsv(s, import.image);
    if (!exported.notes.empty()) return 0;
    const CsvImport again = importChannelsCsv(s, exported.text, import.image);
    fuzz::require(again.ok(), "an imported channel list exported to a file that does not import");
    fuzz::require(again.image == import.image,
                  "imported channels did not survive export and import");
    return 0;
}
