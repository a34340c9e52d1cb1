#pragma once
// The adjustment file: rows 0 to 6 of the adjustment table, 16 values a line, as a number
// list. A load goes into a copy and replaces the rows only when the whole file is good.

#include <string>
#include <string_view>

#include "core/AppState.h"
#include "core/NumberList.h"

namespace nv {

constexpr int AdjustFileValues = 7 * 16;

std::string adjustFileText(const AdjustTable& table);

// On success rows 0 to 6, cells 0 to 15 are replaced; otherwise the table is left exactly as
// it was and the error says why.
NumberListError loadAdjustFileText(std::string_view text, AdjustTable& table);

}  // namespace nv
