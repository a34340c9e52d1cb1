#pragma once
// The CSV import of a national repeater list: 10,000 rows, most of them for other bands or
// locations past the channels, timed in memory.

namespace nv {

// Prints the best time of `rounds` imports; 0 on success.
int benchCsvImport(int rounds);

}  // namespace nv
