#include "app/CliVerbOptions.h"

#include <QCommandLineParser>

#include "app/CliArguments.h"
#include "app/Options.h"
#include "channels/ChannelRecord.h"
#include "core/Csv.h"
#include "core/VisibleText.h"

namespace nv {

namespace {

// The rows of an import: checked and bounded, or a message that says what is wrong.
QString readPlacement(const QCommandLineParser& parser, const QCommandLineOption& locations,
                      const QCommandLineOption& inOrder, const QCommandLineOption& first,
                      const QCommandLineOption& skipBad, CsvPlacement& placement) {
    if (parser.isSet(locations)) {
        const auto list = parseLocationList(parser.value(locations).toStdString());
        if (!list)
            return QStringLiteral(
                       "--locations takes a list such as 71-78,81-88 of at most %1 "
                       "locations (the rows a CSV file can hold), not %2")
                .arg(MaxCsvRows)
                .arg(shownArgument(parser.value(locations)));
        placement.locations = *list;
    }
    placement.inOrder = parser.isSet(inOrder);
    placement.skipBad = parser.isSet(skipBad);
    if (!parser.isSet(first)) return {};
    bool number = false;
    placement.first = parser.value(first).toInt(&number);
    if (!placement.inOrder) return QStringLiteral("--first goes with --in-order");
    if (!number || placement.first < 1 || placement.first > ChannelCount)
        return "--first takes a channel from 1 to 16, not " + shownArgument(parser.value(first));
    return {};
}

// The PORT arguments of a verb that runs: one that names no port (COM9) is refused before
// anything is opened.
CliVerbParse& checkPorts(CliVerbParse& out) {
    if (out.kind != CliVerbParse::Run) return out;
    const QStringList& args = out.verb.args;
    const QString& name = args[0];
    QStringList ports;
    if (name == "station")
        ports = args.mid(2);
    else if (name == "write")
        ports = args.mid(1, args.size() - 2);
    else if (name == "read" || name == "compare")
        ports = args.mid(1, 1);
    for (const QString& port : ports) {
        out.error = portArgumentProblem(port);
        if (out.error.isEmpty()) continue;
        out.kind = CliVerbParse::Refused;
        break;
    }
    return out;
}

}  // namespace

QString shownArgument(const QString& value) {
    if (value.isEmpty()) return QStringLiteral("\"\" (nothing)");
    const QString start = value.left(60);
    return QString::fromStdString(visibleText(start.toStdString())) +
           (start.size() < value.size() ? QStringLiteral("…") : QString());
}

CliVerbParse parseCliVerb(const QStringList& arguments) {
    QCommandLineParser parser;
    PortOptions options;
    options.addTo(parser);
    const QCommandLineOption verify("verify");
    const QCommandLineOption into("into", "", "BASE");
    const QCommandLineOption locations("locations", "", "LIST");
    const QCommandLineOption inOrder("in-order");
    const QCommandLineOption first("first", "", "N");
    const QCommandLineOption chinese("chinese");
    const QCommandLineOption skipBad("skip-bad");
    const QCommandLineOption repeat("repeat"), noBackup("no-backup"), log("log", "", "FILE");
    parser.addOptions({verify, into, locations, inOrder, first, chinese, skipBad, repeat,
                       noBackup, log});
    CliVerbParse out;
    if (!parser.parse(arguments)) return out;  // the plain parser says what is wrong
    CliVerb& verb = out.verb;
    verb.args = parser.positionalArguments();
    verb.verify = parser.isSet(verify);
    verb.into = parser.value(into);
    verb.portMaps = parser.values(options.port);
    verb.trace = parser.value(options.trace);
    verb.chinese = parser.isSet(chinese);
    verb.repeat = parser.isSet(repeat);
    verb.backup = !parser.isSet(noBackup);
    verb.log = parser.value(log);
    const QString name = verb.args.value(0);
    const qsizetype count = verb.args.size();
    // An option of another verb is refused by name: silently ignored, a --port or a --trace
    // would let a script believe it had an effect.
    const struct {
        const QCommandLineOption& option;
        QStringList verbs;
    } belongs[] = {
        {verify, {"read", "write"}},     {into, {"import"}},      {locations, {"import"}},
        {inOrder, {"import"}},           {first, {"import"}},     {skipBad, {"import"}},
        {chinese, {"print"}},            {repeat, {"station"}},   {noBackup, {"station"}},
        {log, {"station"}},              {options.port, {"read", "write", "compare", "station"}},
        {options.trace, {"read", "write", "compare"}},
    };
    const QStringList verbs{"read", "write", "show", "compare", "export", "import", "print", "station"};
    for (const auto& [option, allowed] : belongs) {
        if (!verbs.contains(name) || !parser.isSet(option) || allowed.contains(name)) continue;
        out.kind = CliVerbParse::Refused;
        out.error = QStringLiteral("--%1 does not go with %2; it goes with %3")
                        .arg(option.names().constFirst(), name, allowed.join(", "));
        return out;
    }
    const bool intoOnlyForImport = !parser.isSet(into) || name == "import";
    const bool verifyOnlyForWrite = !verb.verify || name == "write" || name == "read";
    if (!intoOnlyForImport || !verifyOnlyForWrite) return out;
    if (verb.chinese && name != "print") return out;
    if ((verb.repeat || !verb.backup || parser.isSet(log)) && name != "station") return out;
    if (name == "station") {
        out.kind = count >= 3 ? CliVerbParse::Run : CliVerbParse::WrongArguments;
        return checkPorts(out);
    }
    if (parser.isSet(locations) || parser.isSet(inOrder) || parser.isSet(first) ||
        parser.isSet(skipBad)) {
        if (name != "import") return out;
        out.error = readPlacement(parser, locations, inOrder, first, skipBad, verb.placement);
        if (!out.error.isEmpty()) {
            out.kind = CliVerbParse::Refused;
            return out;
        }
    }
    const bool threeArguments = name == "compare" || name == "export" || name == "import" ||
                                name == "print" || (name == "read" && verb.verify);
    if ((threeArguments && count == 3) ||
        (name == "write" && (count > 3 || (count == 3 && verb.verify))))
        out.kind = CliVerbParse::Run;
    else if (threeArguments || verb.verify)
        out.kind = CliVerbParse::WrongArguments;
    return checkPorts(out);
}

}  // namespace nv
