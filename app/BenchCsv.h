#pragma once
// The CSV import of a national repeater list: 10,000 rows, most of them for other bands or
// locations past the channels, timed in memory; a 100,000-row file imported; the import
// dialog over an 11 MiB file, with its time to open, to follow a click and its peak memory.

namespace nv {

// Prints the best time of `rounds` imports; 0 on success.
int benchCsvImport(int rounds);

}  // namespace nv
