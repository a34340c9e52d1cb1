#pragma once
// --help and --version of a program with windows are answered before its QApplication exists,
// so that they work without a display (over ssh, in a package check, in a terminal on a
// server).

#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstring>

namespace nv {

// When the arguments ask for help or the version, prints the answer and ends the program (as
// QCommandLineParser::process does); otherwise returns, and the program parses the arguments
// again once its QApplication exists.
inline void answerHelpOrVersion(int argc, char* argv[], QCommandLineParser& parser) {
    bool asked = false;
    for (int i = 1; i < argc && std::strcmp(argv[i], "--") != 0; ++i)
        for (const char* flag : {"-h", "-?", "--help", "--help-all", "-v", "--version"})
            asked = asked || std::strcmp(argv[i], flag) == 0;
    if (!asked) return;
    QCoreApplication app(argc, argv);
    // Prints help or version and ends the program, or reports a wrong option and ends it.
    parser.process(app);
    // Still here: the flag was the value of another option.
}

// Whether the windows have somewhere to go: an X or Wayland display, or a platform chosen by
// QT_QPA_PLATFORM or -platform (such as offscreen).
inline bool displayReachable(int argc, char* argv[]) {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        if (!qEnvironmentVariableIsEmpty(name)) return true;
    for (int i = 1; i < argc && std::strcmp(argv[i], "--") != 0; ++i)
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0)
            return true;
    return false;
}

}  // namespace nv
