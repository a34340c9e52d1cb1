#include "app/CliVerbs.h"

#include <QCommandLineParser>
#include <QRegularExpression>
#include <QSet>
#include <algorithm>
#include <cstdio>

#include "app/CliArguments.h"
#include "app/CliCommon.h"
#include "app/CliStation.h"
#include "app/CliVerbOptions.h"
#include "app/Options.h"
#include "channels/csv/NothingPlaced.h"
#include "channels/csv/Placement.h"
#include "channels/csv/Writer.h"
#include "channels/ChannelRecord.h"
#include "channels/ImageDiff.h"
#include "core/ChannelFile.h"
#include "core/Startup.h"
#include "core/VisibleText.h"
#include "files/ChannelSheet.h"
#include "files/FileIo.h"
#include "link/ConsoleTransfer.h"
#include "link/Interruption.h"
#include "station/ParallelTransfer.h"
#include "station/StationRun.h"
#include "link/WriteLink.h"

namespace nv {

namespace {

using Verb = CliVerb;

AppState startedState() {
    AppState s;
    initialiseGlobals(s);
    buildTables(s);
    buildDefaults(s);
    return s;
}

bool portDirectory(const Verb& verb, PortDirectory* directory, QString* error) {
    directory->discover();
    for (const QString& map : verb.portMaps)
        if (!directory->assignFromOption(map, error)) return false;
    return true;
}

std::string oneLine(std::string text) {
    for (char& ch : text)
        if (ch == '\n') ch = ' ';
    return text;
}

void printDifference(const Difference& d, const char* indent, const char* left) {
    std::printf("%s%s, %s: %s %s, radio %s\n", indent, d.where.c_str(), d.what.c_str(), left,
                d.left.c_str(), d.right.c_str());
}

bool openTrace(const Verb& verb, std::shared_ptr<TraceLog>* trace, QString* error) {
    if (verb.trace.isEmpty()) return true;
    keepReplacedOutput(verb.trace);
    return openTraceLog(verb.trace, trace, error);
}

// --- read --verify -----------------------------------------------------------------------------

int readVerified(const Verb& verb) {
    const QString& portName = verb.args[1];
    const QString& file = verb.args[2];
    QString error;
    if (!checkWritable(file, &error))
        return cliFailure(QStringLiteral("cannot write %1: %2").arg(file, error), 1);
    PortDirectory directory;
    std::shared_ptr<TraceLog> trace;
    if (!portDirectory(verb, &directory, &error) || !openTrace(verb, &trace, &error))
        return cliFailure(error);
    const TraceCheck traceCheck(trace, verb.trace);
    AppState state = startedState();
    state.CommPortNumber = static_cast<Int16>(choosePort(portName, directory));
    auto port = makePortLayer(directory, std::make_shared<VirtualRadioLine>(), trace).create();
    switch (readUntilTwoAgree(state, *port, {showConsoleProgress, showConsoleMessage})) {
        case AgreedRead::Failed:
            if (Interruption::received()) return interruptedTransfer(portName, false, 0, true, file);
            return 1;
        case AgreedRead::Disagreed:
            return cliFailure("no two of three reads of the radio on " + portName +
                                  " agreed: the line garbles data bytes; check the cable. " +
                                  file + " was not written",
                              1);
        case AgreedRead::Agreed:
            break;
    }
    return keepRead(state.RadioImage, portName, file);
}

// --- compare ---------------------------------------------------------------------------------

int compare(const Verb& verb) {
    AppState state = startedState();
    QString error;
    if (!loadChannelFileAt(verb.args[2], state.RadioImage, &error)) return cliFailure(error);
    PortDirectory directory;
    std::shared_ptr<TraceLog> trace;
    if (!portDirectory(verb, &directory, &error) || !openTrace(verb, &trace, &error))
        return cliFailure(error);
    const TraceCheck traceCheck(trace, verb.trace);
    // The radio is read into a copy: the file's image is what it is compared with.
    AppState radio = state;
    radio.CommPortNumber = static_cast<Int16>(choosePort(verb.args[1], directory));
    auto port = makePortLayer(directory, std::make_shared<VirtualRadioLine>(), trace).create();
    // A difference is told only when a second read shows it too: garbled data bytes are no
    // difference.
    const auto agreesWithFile = [&](const Image& read) {
        return compareImages(state, state.RadioImage, read, false).empty();
    };
    // The comparison is the result: the read window's "complete" is not.
    const TransferCallbacks quiet{showConsoleProgress, showConsoleMessage, true};
    switch (readUntilTwoAgree(radio, *port, quiet, agreesWithFile)) {
        case AgreedRead::Failed:
            if (Interruption::received()) return interruptedTransfer(verb.args[1], false, 0, true);
            return cliFailure("the radio on " + verb.args[1] +
                              " could not be read; nothing compared");
        case AgreedRead::Disagreed:
            return cliFailure("no two of three reads of the radio on " + verb.args[1] +
                              " agreed: the line garbles data bytes; check the cable. Nothing "
                              "compared");
        case AgreedRead::Agreed:
            break;
    }
    const auto differences = compareImages(state, state.RadioImage, radio.RadioImage, false);
    for (const Difference& d : differences) printDifference(d, "", "file");
    if (differences.empty())
        std::fprintf(stderr, "The radio holds what %s holds (addresses 0x000 to 0x30F).\n",
                     qPrintable(visibleLine(verb.args[2])));
    return differences.empty() ? 0 : 1;
}

// --- several radios ----------------------------------------------------------------------------

int writeSeveral(const Verb& verb) {
    const QStringList ports = verb.args.mid(1, verb.args.size() - 2);
    const QString file = verb.args.last();
    if (QSet<QString>(ports.begin(), ports.end()).size() != ports.size())
        return cliFailure("a port is listed twice");
    if (!verb.trace.isEmpty() && ports.size() > 1)
        return cliFailure("--trace follows one port; give it one port at a time");
    AppState state = startedState();
    QString error;
    // The whole file is checked before any port is opened: not a byte goes out for a bad one.
    if (!loadChannelFileAt(file, state.RadioImage, &error)) return cliFailure(error);
    PortDirectory discovered;
    if (!portDirectory(verb, &discovered, &error)) return cliFailure(error);
    std::shared_ptr<TraceLog> trace;
    if (!openTrace(verb, &trace, &error)) return cliFailure(error);
    const TraceCheck traceCheck(trace, verb.trace);

    // Each radio has a port map of its own, so that every device path can be its port 1.
    std::vector<std::unique_ptr<PortDirectory>> directories;
    auto virtualRadio = std::make_shared<VirtualRadioLine>();
    std::vector<RadioJob> jobs;
    for (const QString& name : ports) {
        directories.push_back(std::make_unique<PortDirectory>(discovered));
        RadioJob job;
        job.name = name.toStdString();
        job.state = state;
        job.state.CommPortNumber = static_cast<Int16>(choosePort(name, *directories.back()));
        job.port = makePortLayer(*directories.back(), virtualRadio, trace).create();
        job.readBack = verb.verify;
        jobs.push_back(std::move(job));
    }
    const TransferCallbacks console{showConsoleProgress, showConsoleMessage};
    const auto results = writeRadios(jobs, jobs.size() == 1 ? console : TransferCallbacks{});

    bool allGood = true;
    for (std::size_t i = 0; i < jobs.size(); ++i) {
        const RadioJobResult& r = results[i];
        const std::string shown = visibleText(jobs[i].name);
        const char* name = shown.c_str();
        if (r.interrupted && !r.written) {
            std::printf("%s: interrupted after %d of %d rows acknowledged; it holds only part of the new "
                        "configuration and must be written again\n",
                        name, r.rowsWritten, LastWrittenRow + 1);
            allGood = false;
        } else if (r.interrupted) {
            std::printf("%s: written, but reading it back was interrupted\n", name);
            allGood = false;
        } else if (!r.written) {
            std::printf("%s: failed: %s\n", name, oneLine(r.message).c_str());
            allGood = false;
        } else if (!verb.verify) {
            std::printf("%s: written\n", name);
        } else if (!r.readBackDone) {
            std::printf("%s: written, but reading it back failed: %s\n", name,
                        oneLine(r.message).c_str());
            allGood = false;
        } else {
            const auto differences = compareImages(state, state.RadioImage, r.readBack, false);
            if (differences.empty()) {
                std::printf("%s: written and verified\n", name);
                continue;
            }
            allGood = false;
            std::printf("%s: written, but the radio holds something else (%zu differences)\n", name,
                        differences.size());
            for (const Difference& d : differences) printDifference(d, "  ", "file");
        }
    }
    if (Interruption::received()) return Interruption::exitStatus();
    return allGood ? 0 : 1;
}

// --- CSV -------------------------------------------------------------------------------------

void printNotes(const std::vector<CsvNote>& notes) {
    for (const CsvNoteGroup& g : groupCsvNotes(notes))
        std::fprintf(stderr, "%s\n", csvGroupText(g, false).c_str());
}

// What the import found in the file's rows, in the order of the file's lines.
void printRowNotes(const CsvImport& r) {
    std::vector<CsvNote> notes = r.errors;
    for (const auto* more : {&r.bad, &r.skipped, &r.snaps})
        notes.insert(notes.end(), more->begin(), more->end());
    std::stable_sort(notes.begin(), notes.end(),
                     [](const CsvNote& a, const CsvNote& b) { return a.line < b.line; });
    printNotes(notes);
    printNotes(r.notKept);
}

int exportCsv(const Verb& verb) {
    if (const auto refused = refuseOutputOverInput({verb.args[1]}, verb.args[2])) return *refused;
    AppState state = startedState();
    QString error;
    if (!loadChannelFileAt(verb.args[1], state.RadioImage, &error)) return cliFailure(error);
    const CsvExport e = exportChannelsCsv(state, state.RadioImage);
    keepReplacedOutput(verb.args[2]);
    if (!writeFileAtomically(verb.args[2], QByteArray::fromStdString(e.text), &error))
        return cliFailure(QStringLiteral("cannot write %1: %2").arg(verb.args[2], error), 1);
    printNotes(e.notes);
    std::fprintf(stderr, "%s exported to %s.\n", channelCount(e.channels).c_str(),
                 qPrintable(visibleLine(verb.args[2])));
    return 0;
}

int importCsv(const Verb& verb) {
    if (const auto refused = refuseOutputOverInput({verb.args[1], verb.into}, verb.args[2]))
        return *refused;
    AppState state = startedState();
    QString error;
    if (!verb.into.isEmpty() && !loadChannelFileAt(verb.into, state.RadioImage, &error))
        return cliFailure(error);
    // Without a base, the file's channels are all the new channel file holds.
    if (verb.into.isEmpty())
        for (int n = 1; n <= ChannelCount; ++n) ClearChannel(state.RadioImage, n);
    QByteArray text;
    if (!readInputFile(verb.args[1], &text, &error, MaxCsvFileSize)) return cliFailure(error);
    const CsvImport r = importChannelsCsv(state, asView(text), state.RadioImage, verb.placement);
    printRowNotes(r);
    if (!r.ok()) {
        const bool badRows = std::any_of(r.errors.begin(), r.errors.end(),
                                         [](const CsvNote& n) { return n.record > 0; });
        // A file without the layout's header or quoting is no CSV list to import at all.
        const bool notAList = std::any_of(r.errors.begin(), r.errors.end(), [](const CsvNote& n) {
            return n.record == 0 && (n.kind == CsvNote::Syntax || n.kind == CsvNote::Empty ||
                                     n.kind == CsvNote::MissingColumn);
        });
        return cliFailure(verb.args[1] + (notAList ? " is no channel list in the CSV layout"
                                                   : " has errors") +
                              "; nothing was written" +
                              (badRows ? " (--skip-bad imports the other rows)" : ""),
                          notAList ? 2 : 1);
    }
    if (r.channels.empty())
        return cliFailure(
            "no channel imported: " +
                QString::fromStdString(
                    csvNothingPlaced(r, verb.placement, false, CsvAdvice::CommandLine)) +
                ". " + verb.args[2] + " was not written",
            1);
    keepReplacedOutput(verb.args[2]);
    if (!writeFileAtomically(verb.args[2], QByteArray::fromStdString(channelFileText(r.image)),
                             &error))
        return cliFailure(QStringLiteral("cannot write %1: %2").arg(verb.args[2], error), 1);
    std::fprintf(stderr, "%s imported into %s.\n", channelCount(r.channels.size()).c_str(),
                 qPrintable(visibleLine(verb.args[2])));
    return 0;
}

// --- channel sheet ---------------------------------------------------------------------------

int printSheet(const Verb& verb) {
    if (const auto refused = refuseOutputOverInput({verb.args[1]}, verb.args[2])) return *refused;
    AppState state = startedState();
    QString error;
    if (!loadChannelFileAt(verb.args[1], state.RadioImage, &error)) return cliFailure(error);
    const QString title = sheetTitleForFile(verb.args[1]);
    keepReplacedOutput(verb.args[2]);
    if (!writeChannelSheetPdf(verb.args[2], state, title, verb.chinese, &error))
        return cliFailure(QStringLiteral("cannot write %1: %2").arg(verb.args[2], error), 1);
    std::fprintf(stderr, "Channel sheet of %s written to %s.\n",
                 qPrintable(visibleLine(verb.args[1])), qPrintable(visibleLine(verb.args[2])));
    return 0;
}

}  // namespace

std::optional<int> runCliVerb(const QStringList& arguments) {
    const CliVerbParse parsed = parseCliVerb(arguments);
    const Verb& verb = parsed.verb;
    if (!verb.trace.isEmpty())
        if (const auto refused = refuseOutputOverInput(verb.args.mid(1), verb.trace)) return refused;
    const QString name = verb.args.value(0);
    switch (parsed.kind) {
        case CliVerbParse::NotAVerb:
            return std::nullopt;
        case CliVerbParse::Refused:
            return cliFailure(parsed.error);
        case CliVerbParse::WrongArguments: {
            QCommandLineParser help;
            describeCliOptions(help);
            std::fprintf(stderr, "nv742-cli: %s takes other arguments:\n%s",
                         qPrintable(shownArgument(name)),
                         qPrintable(help.helpText()));
            return 2;
        }
        case CliVerbParse::Run:
            break;
    }
    if (name == "read") return readVerified(verb);
    if (name == "compare") return compare(verb);
    if (name == "export") return exportCsv(verb);
    if (name == "import") return importCsv(verb);
    if (name == "print") return printSheet(verb);
    if (name == "station")
        return runStation({verb.args[1], verb.args.mid(2), verb.repeat, verb.backup,
                           verb.log.isEmpty() ? defaultStationLog() : verb.log},
                          verb.portMaps);
    return writeSeveral(verb);
}

}  // namespace nv
