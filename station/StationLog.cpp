#include "station/StationLog.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "core/Csv.h"

namespace nv {

std::string stationLogHeader() {
    return csvLine({"time", "port", "location", "identification", "fingerprint", "configuration",
                    "result", "seconds"});
}

std::string stationLogCsv(const StationLogLine& l) {
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.1f", l.seconds);
    return csvLine({l.time, l.port, l.location, l.identification, l.fingerprint, l.configuration,
                    l.result, seconds});
}

std::string localIsoTime(std::time_t when) {
    std::tm local{};
    localtime_r(&when, &local);
    char text[40];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S%z", &local);
    std::string s = text;
    // ISO 8601 writes the offset as +01:00.
    if (s.size() >= 5) s.insert(s.size() - 2, ":");
    return s;
}

namespace {

bool writeAll(int fd, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// A new file's name is on the disk only when its folder is.
bool folderSynced(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced;
}

}  // namespace

bool stationLogWritable(const std::string& path, std::string* error) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) {
        *error = std::strerror(errno);
        return false;
    }
    ::close(fd);
    return true;
}

bool appendStationLog(const std::string& path, const StationLogLine& line, std::string* error) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) {
        *error = std::strerror(errno);
        return false;
    }
    struct stat st {};
    const bool sized = ::fstat(fd, &st) == 0;
    std::string text = sized && st.st_size == 0 ? stationLogHeader() : "";
    text += stationLogCsv(line);
    const bool written = writeAll(fd, text) && ::fsync(fd) == 0 &&
                         (!sized || st.st_size != 0 || folderSynced(path));
    if (!written) {
        *error = std::strerror(errno);
        // A half line would join the next one: the file goes back to its last whole line.
        if (sized) {
            [[maybe_unused]] const int cut = ::ftruncate(fd, st.st_size);
        }
    }
    if (::close(fd) != 0 && written) {
        *error = std::strerror(errno);
        return false;
    }
    return written;
}

}  // namespace nv
