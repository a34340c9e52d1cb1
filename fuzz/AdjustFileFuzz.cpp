// The adjustment-file reader: whatever .adj file a technician opens.
#include <string_view>

#include "FuzzTarget.h"
#include "Require.h"
#include "adjust/AdjustFile.h"

using namespace nv;

NV742_FUZZ_TARGET(adjust_file) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    AdjustTable table;
    for (int r = 0; r < AdjustRows; ++r)
        for (int c = 0; c < AdjustCells; ++c) table(r, c) = static_cast<Int16>((r * 11 + c) % 253);
    const AdjustTable before = table;

    const NumberListError error = loadAdjustFileText(text, table);
    if (error.kind != NumberListError::None) {
        fuzz::require(table == before, "a refused file changed the table");
        fuzz::require(error.valuesRead >= 0 && error.valuesRead < AdjustFileValues,
                      "a refused file reports more values than a file holds");
        fuzz::require(error.line >= 1, "a refused file reports no line");
        return 0;
    }
    for (int r = 0; r < AdjustRows; ++r)
        for (int c = 0; c < AdjustCells; ++c) {
            fuzz::require((r < 7 && c < 16) || table(r, c) == before(r, c),
                          "a load changed cells beyond the file");
            fuzz::require(table(r, c) >= 0 && table(r, c) <= 255,
                          "a load stored a value beyond a byte");
        }
    AdjustTable again = before;
    fuzz::require(loadAdjustFileText(adjustFileText(table), again).kind == NumberListError::None,
                  "a loaded table saved to a file that does not load");
    fuzz::require(again == table, "a loaded table did not survive saving and loading");
    return 0;
}
