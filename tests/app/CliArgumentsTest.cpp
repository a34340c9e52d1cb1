// The command line of nv742-cli, parsed without running anything.

#include <gtest/gtest.h>

#include "app/CliArguments.h"

using namespace nv;

namespace {
CliCommand parse(QStringList args) {
    args.prepend("nv742-cli");
    return parseCliArguments(args);
}
}  // namespace

TEST(CliArguments, CommandsTakeTheirPortAndFile) {
    CliCommand c = parse({"read", "COM2", "radio.chann"});
    EXPECT_EQ(c.kind, CliCommand::Read);
    EXPECT_EQ(c.port, "COM2");
    EXPECT_EQ(c.file, "radio.chann");
    c = parse({"write", "/dev/ttyUSB0", "my radio.chann"});
    EXPECT_EQ(c.kind, CliCommand::Write);
    EXPECT_EQ(c.port, "/dev/ttyUSB0");
    EXPECT_EQ(c.file, "my radio.chann");
    c = parse({"show", "radio.chann"});
    EXPECT_EQ(c.kind, CliCommand::Show);
    EXPECT_EQ(c.file, "radio.chann");
    // Options may stand anywhere; "--" ends them, so a file may start with a dash.
    c = parse({"read", "--trace", "t.log", "COM1", "--", "-odd.chann"});
    EXPECT_EQ(c.kind, CliCommand::Read);
    EXPECT_EQ(c.file, "-odd.chann");
    EXPECT_EQ(c.tracePath.value_or("none"), "t.log");
}

TEST(CliArguments, AnythingElseIsUsage) {
    for (const QStringList& args : {QStringList{},
                                    {"show"},
                                    {"show", "a.chann", "b.chann"},
                                    {"read", "COM1"},
                                    {"write", "COM1", "a.chann", "extra"},
                                    {"copy", "COM1", "a.chann"},
                                    {"READ", "COM1", "a"}})
        EXPECT_EQ(parse(args).kind, CliCommand::Usage) << args.join(' ').toStdString();
}

TEST(CliArguments, HelpVersionAndRefusedOptions) {
    EXPECT_EQ(parse({"--help"}).kind, CliCommand::Help);
    EXPECT_EQ(parse({"read", "-h"}).kind, CliCommand::Help);
    EXPECT_EQ(parse({"--help-all"}).kind, CliCommand::Help);
    EXPECT_EQ(parse({"--version"}).kind, CliCommand::Version);
    EXPECT_EQ(parse({"-v", "show", "x.chann"}).kind, CliCommand::Version);
    CliCommand c = parse({"--bogus", "show", "x.chann"});
    EXPECT_EQ(c.kind, CliCommand::BadOption);
    EXPECT_EQ(c.error, "Unknown option 'bogus'.");
    c = parse({"show", "x.chann", "--trace"});
    EXPECT_EQ(c.kind, CliCommand::BadOption);
    EXPECT_EQ(c.error, "Missing value after '--trace'.");
}

TEST(CliArguments, PortMapsAndTraceAreCollectedNotApplied) {
    CliCommand c =
        parse({"--port", "2=/dev/ttyUSB0", "--port=9=nowhere", "read", "COM2", "r.chann"});
    EXPECT_EQ(c.portMaps, (QStringList{"2=/dev/ttyUSB0", "9=nowhere"}));
    EXPECT_FALSE(c.tracePath.has_value());
    // An empty trace name is asked for all the same: opening it fails with a message.
    c = parse({"--trace", "", "show", "r.chann"});
    EXPECT_EQ(c.tracePath.value_or("none"), "");
}

TEST(CliArguments, PortNamesAndDevicePaths) {
    PortDirectory directory;
    directory.assign(1, "/dev/ttyS0");
    EXPECT_EQ(choosePort("COM3", directory), 3);
    EXPECT_EQ(choosePort("com8", directory), 8);
    EXPECT_EQ(directory.target(1), "/dev/ttyS0");  // untouched by a COMn
    // Anything else is a device, which COM1 is pointed at.
    for (const QString device : {"/dev/ttyUSB0", "COM9", "COM0", "COM1 ", "COM12", "/dev/pts/3"}) {
        EXPECT_EQ(choosePort(device, directory), 1);
        EXPECT_EQ(directory.target(1), device);
    }
}
