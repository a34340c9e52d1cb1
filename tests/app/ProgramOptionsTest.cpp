// --help and --version of every installed program, run as a user would in a terminal without a
// display: no DISPLAY, no WAYLAND_DISPLAY, no QT_QPA_PLATFORM.

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

class ProgramOptionsTest : public QObject {
    Q_OBJECT

    struct Run {
        int code;
        QProcess::ExitStatus status;
        QString out, err;
    };
    static Run run(const QString& program, const QStringList& args,
                   const QString& platform = QString(), const QString& folder = QString()) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) env.remove(name);
        if (!platform.isEmpty()) env.insert("QT_QPA_PLATFORM", platform);
        QProcess p;
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(folder);
        p.start(QStringLiteral(NV742_BIN_DIR "/") + program, args);
        if (!p.waitForFinished(30000)) p.kill();
        return {p.exitCode(), p.exitStatus(), QString::fromUtf8(p.readAllStandardOutput()),
                QString::fromUtf8(p.readAllStandardError())};
    }

  private slots:
    void versionWithoutADisplay_data() {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("flag");
        for (const char* program : {"nv742-cps", "nv742-cli", "nv742-sim"})
            for (const char* flag : {"--version", "-v"})
                QTest::addRow("%s %s", program, flag) << program << flag;
    }
    void versionWithoutADisplay() {
        QFETCH(QString, program);
        QFETCH(QString, flag);
        const Run r = run(program, {flag});
        QCOMPARE(r.status, QProcess::NormalExit);
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out, program + " V13.10.25\n");
    }

    void helpWithoutADisplay_data() {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("mentions");
        QTest::newRow("cps --help") << "nv742-cps" << QStringList{"--help"} << "--virtual-radio";
        QTest::newRow("cps -h with a file")
            << "nv742-cps" << QStringList{"radio.chann", "-h"} << "FILE.chann";
        QTest::newRow("cps --help-all") << "nv742-cps" << QStringList{"--help-all"} << "--trace";
        QTest::newRow("cps --help, service") << "nv742-cps" << QStringList{"--help"} << "--service";
        QTest::newRow("cli --help") << "nv742-cli" << QStringList{"--help"} << "read PORT FILE";
        QTest::newRow("sim --help") << "nv742-sim" << QStringList{"--help"} << "--fault";
    }
    void helpWithoutADisplay() {
        QFETCH(QString, program);
        QFETCH(QStringList, args);
        QFETCH(QString, mentions);
        const Run r = run(program, args);
        QCOMPARE(r.status, QProcess::NormalExit);
        QCOMPARE(r.code, 0);
        QVERIFY2(r.out.contains(mentions), qPrintable(r.out));
        QVERIFY2(r.out.contains("--version"), qPrintable(r.out));
    }

    // A help flag that is the value of another option is not a request for help.
    void flagAsAValueIsNoHelp() {
        QTemporaryDir dir;
        const Run r = run("nv742-cli", {"--trace", "--help"}, {}, dir.path());
        QCOMPARE(r.code, 2);  // no command given: the usage, on stderr
        QVERIFY(r.out.isEmpty());
        QVERIFY(r.err.contains("Usage:"));
        // The application then starts as usual, on a display (here the offscreen one).
        const Run cps =
            run("nv742-cps", {"--trace", "-v", "--measure-startup"}, "offscreen", dir.path());
        QCOMPARE(cps.code, 0);
        QVERIFY2(cps.out.startsWith("start-up to shown window: "), qPrintable(cps.out));
        QVERIFY(QFile::exists(dir.filePath("-v")));  // the trace file
    }

    void wrongOptionsOfTheCommandLineTool() {
        Run r = run("nv742-cli", {"--bogus", "show", "x.chann"});
        QCOMPARE(r.code, 2);
        QVERIFY2(r.err.startsWith("nv742-cli: Unknown option 'bogus'.\nUsage:"), qPrintable(r.err));
        r = run("nv742-cli", {"--port", "9=x", "read", "COM1", "x.chann"});
        QCOMPARE(r.code, 2);
        QVERIFY(r.err.contains("--port expects N=PATH with N from 1 to 8"));
        r = run("nv742-cps", {"--bogus", "--version"});
        QCOMPARE(r.code, 1);
        QCOMPARE(r.err, QString("nv742-cps: Unknown option 'bogus'.\n"));
    }

    // Without a display nv742-cps still tells what is wrong with its arguments, and then that
    // it has no display, instead of ending with the toolkit's own message.
    void theApplicationWithoutADisplay() {
        Run r = run("nv742-cps", {"--bogus"});
        QCOMPARE(r.status, QProcess::NormalExit);
        QCOMPARE(r.code, 1);
        QCOMPARE(r.err, QString("nv742-cps: Unknown option 'bogus'.\n"));
        r = run("nv742-cps", {"a.chann", "b.chann"});
        QCOMPARE(r.code, 2);
        QCOMPARE(r.err, QString("nv742-cps: one channel file at most\n"));
        r = run("nv742-cps", {"--port", "9=x"});
        QCOMPARE(r.code, 2);
        QVERIFY2(r.err.contains("--port expects N=PATH with N from 1 to 8"), qPrintable(r.err));
        r = run("nv742-cps", {"radio.chann"});
        QCOMPARE(r.status, QProcess::NormalExit);
        QCOMPARE(r.code, 1);
        QVERIFY2(r.err.startsWith("nv742-cps: no display to show the windows on"),
                 qPrintable(r.err));
    }
};

QTEST_GUILESS_MAIN(ProgramOptionsTest)
#include "ProgramOptionsTest.moc"
