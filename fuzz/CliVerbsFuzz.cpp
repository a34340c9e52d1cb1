// The verbs of nv742-cli with every option: arguments separated by NUL bytes. Nothing is run;
// what would run must be within every bound, and what is refused must say why.
#include <QStringList>
#include <algorithm>

#include "FuzzTarget.h"
#include "Require.h"
#include "app/CliVerbOptions.h"
#include "channels/ChannelRecord.h"
#include "core/Csv.h"

using namespace nv;

NV742_FUZZ_TARGET(cli_verbs) {
    QStringList arguments{"nv742-cli"};
    const QByteArray all(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    for (const QByteArray& part : all.split('\0')) arguments << QString::fromLocal8Bit(part);

    const CliVerbParse parsed = parseCliVerb(arguments);
    switch (parsed.kind) {
        case CliVerbParse::Refused:
            fuzz::require(!parsed.error.isEmpty() && parsed.error.size() < 400,
                          "a refused option without a short message");
            return 0;
        case CliVerbParse::Run:
            break;
        default:
            return 0;
    }
    const CliVerb& v = parsed.verb;
    const CsvPlacement& p = v.placement;
    fuzz::require(v.args.size() >= 3, "a verb runs without its files");
    fuzz::require(p.first >= 1 && p.first <= ChannelCount, "--first beyond the channels");
    fuzz::require(static_cast<std::int64_t>(p.locations.size()) <= MaxCsvRows,
                  "--locations names more rows than a CSV file holds");
    fuzz::require(
        std::is_sorted(p.locations.begin(), p.locations.end()) &&
            std::adjacent_find(p.locations.begin(), p.locations.end()) == p.locations.end(),
        "--locations names a location twice");
    fuzz::require(v.into.isEmpty() || v.args[0] == "import", "--into for another verb");
    return 0;
}
