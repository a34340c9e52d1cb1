#include "app/BenchCsv.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

#include "channels/csv/Placement.h"
#include "core/Startup.h"

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

}  // namespace

int benchCsvImport(int rounds) {
    AppState state;
    initialiseGlobals(state);
    buildTables(state);
    buildDefaults(state);
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
    return 0;
}

}  // namespace nv
