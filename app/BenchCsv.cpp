#include "app/BenchCsv.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#ifdef __GLIBC__
#include <malloc.h>
#endif

#include <QAbstractItemModel>
#include <QCoreApplication>
#include <QRadioButton>
#include <QTableView>

#include "channels/csv/Placement.h"
#include "core/Startup.h"
#include "files/Form_import_csv.h"

namespace nv {

namespace {

// Repeaters on 2 m and 70 cm, with tones, offsets, a trailing comma and now and then a mode
// this radio lacks, as a directory export writes them.
std::string repeaterList(int rows) {
    std::string text =
        "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,"
        "Mode,Power,Comment\n";
    for (int n = 1; n <= rows; ++n) {
        const bool uhf = n % 3 != 0;
        const long long khz = uhf ? 430'000 + (n * 25) % 50'000 : 144'000 + (n * 25) % 4'000;
        char line[200];
        std::snprintf(line, sizeof line,
                      "%d,\"Rpt %d\",%lld.%03lld000,%s,%s,Tone,88.5,88.5,023,NN,%s,High,"
                      "\"town %d, hill\",\n",
                      n, n, khz / 1000, khz % 1000, uhf ? "+" : "-", uhf ? "5.000000" : "0.600000",
                      n % 17 == 0 ? "DV" : "FM", n);
        text += line;
    }
    return text;
}

// The process's peak resident memory in KiB since the last reset (Linux; 0 elsewhere).
long peakKiB() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
    return 0;
}

// From here on the peak counts anew (Linux 4.0 and later). Memory that an earlier case freed
// is given back first, so that it is not counted as this case's.
void resetPeak() {
#ifdef __GLIBC__
    malloc_trim(0);
#endif
    std::ofstream("/proc/self/clear_refs") << "5";
}

// The file read at once into a text of its size, as the programs read it.
std::string wholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    std::string text(static_cast<std::size_t>(std::max<std::streamoff>(0, in.tellg())), '\0');
    in.seekg(0);
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    return text;
}

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// A whole country's directory export in a file: read and imported in file order, as
// `nv742-cli import --in-order` does, with the time and the peak memory it takes.
int benchCsvFile(const AppState& state, const std::string& folder) {
    const int rows = 100'000;
    const std::string path = folder + "/nv742-bench-directory.csv";
    std::ofstream(path, std::ios::binary) << repeaterList(rows);
    resetPeak();
    const long before = peakKiB();
    const auto start = std::chrono::steady_clock::now();
    const std::string text = wholeFile(path);
    CsvPlacement order;
    order.inOrder = true;
    const CsvImport r = importChannelsCsv(state, text, state.RadioImage, order);
    const double took = secondsSince(start);
    const double fileMiB = static_cast<double>(text.size()) / (1 << 20);
    std::remove(path.c_str());
    if (!r.ok() || r.channels.size() != 16) {
        std::fprintf(stderr, "nv742-bench: the CSV file import failed\n");
        return 1;
    }
    std::printf("csv file import  %d rows  %.1f MiB  %.3f s  peak memory %.1f MiB "
                "(%.1f MiB before; bound 3 x file + 40 MB = %.1f MiB)\n",
                rows, fileMiB, took, peakKiB() / 1024.0, before / 1024.0,
                3 * fileMiB + 40e6 / (1 << 20));
    return 0;
}

// The import dialog over the same file: opening it (every row planned and listed), then a
// click on a row's check box and a change of placement, each timed until the dialog is idle.
int benchCsvDialog(const AppState& state, const std::string& folder) {
    const int rows = 130'000;  // about 11 MiB
    const std::string path = folder + "/nv742-bench-dialog.csv";
    std::ofstream(path, std::ios::binary) << repeaterList(rows);
    QByteArray text;
    {
        const std::string whole = wholeFile(path);
        text = QByteArray(whole.data(), static_cast<qsizetype>(whole.size()));
    }
    std::remove(path.c_str());
    const double fileMiB = static_cast<double>(text.size()) / (1 << 20);
    resetPeak();
    const long before = peakKiB();
    auto start = std::chrono::steady_clock::now();
    Form_import_csv dialog(state, std::move(text), state.RadioImage, "directory.csv", nullptr);
    dialog.show();
    QCoreApplication::processEvents();
    const double opened = secondsSince(start);
    QAbstractItemModel* model = dialog.Table_rows->model();
    start = std::chrono::steady_clock::now();
    model->setData(model->index(0, 0), Qt::Unchecked, Qt::CheckStateRole);
    QCoreApplication::processEvents();
    const double click = secondsSince(start);
    start = std::chrono::steady_clock::now();
    dialog.Option_order->setChecked(true);
    QCoreApplication::processEvents();
    const double option = secondsSince(start);
    if (dialog.placement().leftOutLines.size() != 1) {
        std::fprintf(stderr, "nv742-bench: the import dialog did not take the click\n");
        return 1;
    }
    std::printf("csv dialog       %d rows  %.1f MiB  open %.3f s  click %.3f s  placement %.3f s  "
                "peak memory %.1f MiB (%.1f MiB before; bound 3 x file + 40 MB = %.1f MiB)\n",
                rows, fileMiB, opened, click, option, peakKiB() / 1024.0, before / 1024.0,
                3 * fileMiB + 40e6 / (1 << 20));
    return 0;
}

}  // namespace

int benchCsvImport(int rounds) {
    AppState state;
    initialiseGlobals(state);
    buildTables(state);
    buildDefaults(state);
    const char* tmp = std::getenv("TMPDIR");
    const std::string folder = tmp && *tmp ? tmp : "/tmp";
    // First, while the process holds no memory freed by the other cases: its peak is the
    // dialog's own.
    if (benchCsvDialog(state, folder) != 0) return 1;
    const int rows = 10'000;
    const std::string text = repeaterList(rows);
    double best = 1e9;
    for (int placement = 0; placement < 2; ++placement) {
        CsvPlacement p;
        p.inOrder = placement == 1;
        best = 1e9;
        CsvImport r;
        for (int i = 0; i < rounds; ++i) {
            const auto start = std::chrono::steady_clock::now();
            r = importChannelsCsv(state, text, state.RadioImage, p);
            const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
            best = std::min(best, took.count());
        }
        if (!r.ok()) {
            std::fprintf(stderr, "nv742-bench: the CSV import refused its list\n");
            return 1;
        }
        std::printf("csv import %s  %d rows  %zu KiB  %zu channels  %zu skipped  best of %d %.3f s\n",
                    p.inOrder ? "in order   " : "by location", rows, text.size() / 1024,
                    r.channels.size(), r.skipped.size(), rounds, best);
    }
    return benchCsvFile(state, folder);
}

}  // namespace nv
