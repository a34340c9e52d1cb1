#pragma once
// The station's log: one CSV line per radio, appended to a file as the radio finishes and on
// the disk before the next one starts, so that a crash or a power cut loses no finished line.

#include <ctime>
#include <string>

namespace nv {

struct StationLogLine {
    std::string time;  // local time, ISO 8601 with the offset: 2026-12-09T14:03:07+01:00
    std::string port;
    std::string location;        // where the port sits (a hub socket), "" when unknown
    std::string identification;  // the radio's six identification bytes in hexadecimal
    std::string fingerprint;
    std::string configuration;
    std::string result;  // "verified", or why not: in English whatever the window's language
    double seconds = 0;
};

// The first line of a log file.
std::string stationLogHeader();
std::string stationLogCsv(const StationLogLine& line);
std::string localIsoTime(std::time_t when);

// Appends the line (the header first when the file is new or empty) and waits until it is on
// the disk. On failure `error` gives the system's reason and the file has no part of the line
// that would break the next one.
bool appendStationLog(const std::string& path, const StationLogLine& line, std::string* error);

// Whether lines can be appended to the log (it is made, empty, when it does not exist), before
// any radio is programmed; `error` gives the system's reason.
bool stationLogWritable(const std::string& path, std::string* error);

}  // namespace nv
