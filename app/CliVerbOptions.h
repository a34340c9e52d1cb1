#pragma once
// The options of nv742-cli's verbs beyond reading, writing and showing one radio or file,
// parsed without acting on them (also fuzzed): which verb, its files, and where imported rows
// go. Every option is checked against its bounds here, before any file or port is touched.

#include <QString>
#include <QStringList>

#include "channels/csv/Placement.h"

namespace nv {

struct CliVerb {
    QStringList args;  // the positional arguments, the verb first
    bool verify = false;
    QString into;
    CsvPlacement placement;
    QStringList portMaps;
    QString trace;
    bool chinese = false;
    // The programming station.
    bool repeat = false;
    bool backup = true;
    QString log;  // empty: the default log
};

struct CliVerbParse {
    enum Kind {
        NotAVerb,        // for the plain read, write or show (or arguments the parser refused)
        Run,             // `verb` is complete and within bounds
        WrongArguments,  // a verb with arguments it does not take: the help text, exit 2
        Refused          // an option out of its bounds: `error`, exit 2
    } kind = NotAVerb;
    CliVerb verb;
    QString error;
};

// `arguments` starts with the program's name.
CliVerbParse parseCliVerb(const QStringList& arguments);

// An argument as a message repeats it: its start only, control characters as escapes.
QString shownArgument(const QString& value);

}  // namespace nv
