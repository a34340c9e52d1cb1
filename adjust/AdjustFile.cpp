#include "adjust/AdjustFile.h"

#include <vector>

#include "adjust/AdjustData.h"

namespace nv {

std::string adjustFileText(const AdjustTable& table) {
    std::vector<std::vector<int>> rows(adj::FileRows, std::vector<int>(adj::RowCells));
    for (int r = 0; r < adj::FileRows; ++r)
        for (int c = 0; c < adj::RowCells; ++c) rows[r][c] = table(r, c);
    return writeNumberList(rows);
}

NumberListError loadAdjustFileText(std::string_view text, AdjustTable& table) {
    const NumberListResult read = readNumberList(text, AdjustFileValues);
    if (!read.ok()) return read.error;
    for (int i = 0; i < AdjustFileValues; ++i)
        table(i / adj::RowCells, i % adj::RowCells) = static_cast<Int16>(read.values[i]);
    return {};
}

}  // namespace nv
