#pragma once
// An import that would place no channel writes nothing. The user is told why in words that
// point to the choice that places the rows: the command line's option or the dialog's choice.

#include <string>

#include "channels/csv/Placement.h"

namespace nv {

enum class CsvAdvice { CommandLine, Dialog };

// Why `result` places no channel under `placement`, as a clause ("no row is checked"); empty
// when it places one or more, or when the file has errors (they are told themselves).
std::string csvNothingPlaced(const CsvImport& result, const CsvPlacement& placement, bool chinese,
                             CsvAdvice advice);

}  // namespace nv
