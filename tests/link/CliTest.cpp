// The command-line tool against the pseudo-terminal server, as a script would use them.

#include <signal.h>
#include <sys/resource.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "core/ChannelFile.h"
#include "support/FifoGuard.h"

class CliTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QProcess server;
    QString pty;

    QString bin(const char* name) const { return QStringLiteral(NV742_BIN_DIR "/") + name; }
    void startServer(const QStringList& args) {
        server.start(bin("nv742-sim"), args);
        QVERIFY(server.waitForReadyRead(5000));
        pty = QString::fromLocal8Bit(server.readLine()).trimmed();
        QVERIFY(pty.startsWith("/dev/"));
    }
    void stopServer() {
        server.terminate();
        QVERIFY(server.waitForFinished(5000));
    }
    struct Run {
        int code;
        QString out, err;
    };
    Run cli(const QStringList& args, std::function<void()> inChild = {}, int waitMs = 60000) {
        QProcess p;
        if (inChild) p.setChildProcessModifier(inChild);
        p.start(bin("nv742-cli"), args);
        if (!p.waitForFinished(waitMs)) {
            p.kill();
            p.waitForFinished();
            return {-1, {}, "did not finish"};
        }
        return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
                QString::fromUtf8(p.readAllStandardError())};
    }
    QByteArray read(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

  private slots:
    void cleanup() {
        if (server.state() != QProcess::NotRunning) stopServer();
    }

    void readThenWriteThroughThePseudoTerminal() {
        const QString memory = dir.filePath("radio.chann");
        startServer({"--quiet", "--save", memory});
        const QString file = dir.filePath("read.chann");
        Run r = cli({"read", pty, file});
        QCOMPARE(r.code, 0);
        QVERIFY(r.err.contains("Complete reading the data from transceiver."));
        stopServer();
        QCOMPARE(read(file), read(memory));  // the file holds exactly the radio's memory

        // Change a channel in the file and write it back.
        nv::Image im;
        QCOMPARE(nv::loadChannelFileText(read(file).toStdString(), im).kind,
                 nv::NumberListError::None);
        im(2, 3) = 0x47;
        im(50, 0) = 0x41;  // above row 48: never written
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray::fromStdString(nv::channelFileText(im)));
        f.close();
        startServer({"--quiet", "--load", memory, "--save", memory});
        r = cli({"write", pty, file});
        QCOMPARE(r.code, 0);
        QVERIFY(r.err.contains("Complete writing Data to the transceiver."));
        stopServer();
        nv::Image radio;
        QCOMPARE(nv::loadChannelFileText(read(memory).toStdString(), radio).kind,
                 nv::NumberListError::None);
        QCOMPARE(int(radio(2, 3)), 0x47);
        QVERIFY(radio(50, 0) != 0x41);
    }

    void aReadThatRunsOutOfRoomKeepsTheOldFileAndFails() {
        startServer({"--quiet"});
        const QString file = dir.filePath("kept.chann");
        const QByteArray old = QByteArray::fromStdString(nv::channelFileText(nv::Image{}));
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(old);
        f.close();
        // As on a full disk: the file may not grow beyond 2048 bytes.
        const Run r = cli({"read", pty, file}, [] {
            const rlimit limit{2048, 2048};
            ::setrlimit(RLIMIT_FSIZE, &limit);
            ::signal(SIGXFSZ, SIG_IGN);
        });
        QVERIFY2(r.code != 0, qPrintable(r.err));
        QVERIFY2(r.err.contains("cannot write " + file), qPrintable(r.err));
        QCOMPARE(read(file), old);
        QCOMPARE(QDir(dir.path()).entryList({"kept.chann*"}, QDir::Files | QDir::Hidden),
                 QStringList{"kept.chann"});
    }

    void traceRecordsTheBytesOnTheLine() {
        startServer({"--quiet"});
        const QString trace = dir.filePath("trace.txt");
        const Run r = cli({"--trace", trace, "read", pty, dir.filePath("traced.chann")});
        QCOMPARE(r.code, 0);
        const QString text = QString::fromLatin1(read(trace));
        QVERIFY(text.contains(" TX 02 50 4E 56 37 34 32 03\n"));  // the program-mode entry
        QVERIFY(text.contains(" RX AA 4E 56 37 34 32 55 BB"));    // the identification
        QVERIFY(text.contains(" TX 06 45\n"));  // the last acknowledge and the end byte
        QVERIFY(text.contains("-- open COM1 ok"));
        // A trace cut by a full disk is told; the transfer's result stands.
        const QString cutTrace = dir.filePath("cut.txt");
        const Run cut = cli({"--trace", cutTrace, "write", pty, dir.filePath("traced.chann")}, [] {
            const rlimit limit{512, 512};
            ::setrlimit(RLIMIT_FSIZE, &limit);
        });
        QCOMPARE(cut.code, 0);
        QVERIFY2(cut.err.contains("the trace file " + cutTrace +
                                  " is incomplete: the file is larger than allowed"),
                 qPrintable(cut.err));
    }

    void aSilentRadioFailsAndLeavesNoFile() {
        startServer({"--quiet", "--fault", "silent"});
        const QString file = dir.filePath("never.chann");
        const Run r = cli({"read", pty, file});
        QCOMPARE(r.code, 1);
        QVERIFY(
            r.err.contains("Fail connect with transceiver.\nThe radio did not answer at all: "
                           "check that the radio is switched on, the cable is plugged in "
                           "firmly and the right port is chosen (" +
                           pty + ")."));
        QVERIFY(!QFile::exists(file));
    }

    void aBrokenFileIsRefusedBeforeAnythingIsSent() {
        const QString memory = dir.filePath("untouched.chann");
        startServer({"--quiet", "--save", memory});
        const QString broken = dir.filePath("broken.chann");
        QFile f(broken);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(" 1  2  3 \r\n");
        f.close();
        const Run r = cli({"write", pty, broken});
        QCOMPARE(r.code, 2);
        QVERIFY(r.err.contains("is incomplete: it holds 3 values, 1188 are needed"));
        stopServer();
        const Run shown = cli({"show", memory});  // the radio still holds its own channels
        QVERIFY(shown.out.contains("1\t446.00625\t446.00625"));
    }

    void aMissingPortFailsWithItsReason() {
        const Run r = cli({"read", "/dev/nv742-no-such-port", dir.filePath("x.chann")});
        QCOMPARE(r.code, 1);
        QVERIFY(r.err.contains("Communication port is error"));
        QVERIFY(r.err.contains("/dev/nv742-no-such-port: the device does not exist."));
        QVERIFY(!QFile::exists(dir.filePath("x.chann")));
    }

    void aFifoIsRefusedInsteadOfBlocking() {
        const QString fifoPath = dir.filePath("x.chann");
        nv::test::FifoGuard fifo(fifoPath, std::chrono::seconds(30));
        QVERIFY(fifo.made());
        for (const QStringList& args :
             {QStringList{"show", fifoPath}, QStringList{"write", "COM1", fifoPath}}) {
            const Run r = cli(args, {}, 10000);
            QCOMPARE(r.code, 2);
            QVERIFY2(r.err.contains(fifoPath + " is not a regular file"), qPrintable(r.err));
        }
        QVERIFY(fifo.stillAFifo());
    }

    void readChecksTheOutputFileBeforeTheRadio() {
        QDir(dir.path()).mkdir("folder.chann");
        const QString fifoPath = dir.filePath("fifo.chann");
        nv::test::FifoGuard fifo(fifoPath);
        const QString targets[] = {dir.filePath("no/such/folder/x.chann"),
                                   dir.filePath("folder.chann"), fifoPath};
        for (const QString& target : targets) {
            // The port does not exist: a message about it would show that the radio came first.
            const Run r = cli({"read", "/dev/nv742-no-such-port", target});
            QCOMPARE(r.code, 1);
            QVERIFY2(r.err.startsWith("nv742-cli: cannot write " + target), qPrintable(r.err));
            QVERIFY2(!r.err.contains("Communication port"), qPrintable(r.err));
        }
        QVERIFY(fifo.stillAFifo());
        QCOMPARE(
            QDir(dir.filePath("folder.chann")).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
            QStringList{});
    }

    void showCutsAHugeTokenAndShowsANulByte() {
        const QByteArray text = QByteArray::fromStdString(nv::channelFileText(nv::Image{}));
        const QString huge = dir.filePath("huge.chann");
        QFile f(huge);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(text).replace(68 * 2 + 1, 1, QByteArray(900000, '7') + "x"));
        f.close();
        Run r = cli({"show", huge});
        QCOMPARE(r.code, 2);
        QVERIFY2(r.err.size() < 300, qPrintable(r.err.left(300)));
        QVERIFY2(r.err.contains("\"" + QString(40, '7') + "…\" in line 3."), qPrintable(r.err));

        const QString nul = dir.filePath("nul.chann");
        QFile g(nul);
        QVERIFY(g.open(QIODevice::WriteOnly));
        g.write(QByteArray(text).replace(68 * 4 + 1, 1, QByteArray("12\0", 3)));
        g.close();
        r = cli({"show", nul});
        QCOMPARE(r.code, 2);
        QVERIFY2(r.err.contains("an invalid value \"12\\0\" in line 5."), qPrintable(r.err));
    }

    void helpWorksWithoutADisplay() {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) env.remove(name);
        for (const QStringList& args : {QStringList{"--help"}, QStringList{"--version"}}) {
            QProcess p;
            p.setProcessEnvironment(env);
            p.start(bin("nv742-cps"), args);
            QVERIFY(p.waitForFinished(10000));
            QCOMPARE(p.exitStatus(), QProcess::NormalExit);
            QCOMPARE(p.exitCode(), 0);
            const QString out = QString::fromUtf8(p.readAllStandardOutput());
            QVERIFY2(out.contains(args[0] == "--help" ? "--virtual-radio" : "V13.10.25"),
                     qPrintable(out + p.readAllStandardError()));
        }
    }

    void benchHelpPrintsItsUsageInsteadOfRunning() {
        QProcess p;
        p.start(bin("nv742-bench"), {"--help"});
        QVERIFY(p.waitForFinished(5000));
        QCOMPARE(p.exitCode(), 0);
        const QString out = QString::fromUtf8(p.readAllStandardOutput());
        QVERIFY2(out.contains("Usage:") && out.contains("rounds"), qPrintable(out));
        QVERIFY(!out.contains("bytes out"));  // no transfer ran

        p.start(bin("nv742-bench"), {"many"});
        QVERIFY(p.waitForFinished(5000));
        QCOMPARE(p.exitCode(), 2);
        QVERIFY(QString::fromUtf8(p.readAllStandardError()).contains("many"));
    }

    // One rule for every verb: 1 the operation failed, 2 the command could not start.
    void everyVerbsFailureAndUsageCasesExitAsTheManualSays() {
        const QString good = dir.filePath("good.chann"), junk = dir.filePath("junk.chann");
        const QString csv = dir.filePath("list.csv"), bad = dir.filePath("bad.csv");
        const QString nowhere = dir.filePath("no/such/folder/out"), gone = "/dev/nv742-no-port";
        QVERIFY(cli({"import", "--in-order", csv, good}).code == 2);  // no CSV yet
        for (const auto& [path, text] :
             {std::pair{csv, "Location,Frequency\n1,446.00625\n"},
              std::pair{bad, "Location,Frequency\n1,44x\n"}, std::pair{junk, "hello\n"}}) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write(text) > 0);
        }
        QCOMPARE(cli({"import", csv, good}).code, 0);
        QVERIFY(QFile::link("/dev/null", dir.filePath("null-link")));
        const struct {
            QStringList args;
            int code;
        } cases[] = {
            // The command could not start.
            {{"--bogus", "show", good}, 2},
            {{"show"}, 2},
            {{"show", dir.filePath("missing.chann")}, 2},
            {{"show", junk}, 2},
            {{"read", "COM1"}, 2},
            {{"read", "--port", "9=x", "COM1", good}, 2},
            {{"read", "COM9", dir.filePath("x.chann")}, 2},  // ports are COM1 to COM8
            {{"read", "--verify", "com0", dir.filePath("x.chann")}, 2},
            {{"compare", "COM12", good}, 2},
            {{"write", gone, "COM9", good}, 2},
            {{"station", good, gone, "COM0"}, 2},
            {{"--trace", nowhere, "read", gone, dir.filePath("t.chann")}, 2},
            {{"write", gone, junk}, 2},
            {{"write", "--verify", gone, junk}, 2},
            {{"write", gone, gone, good, "--in-order"}, 2},
            {{"compare", gone, junk}, 2},
            {{"compare", gone}, 2},
            {{"export", junk, dir.filePath("x.csv")}, 2},
            {{"export", good, good}, 2},
            {{"export", good}, 2},
            {{"import", "--first", "3", csv, dir.filePath("x.chann")}, 2},
            {{"import", junk, csv}, 2},
            {{"import", "--into", junk, csv, dir.filePath("x.chann")}, 2},
            {{"print", "--verify", good, dir.filePath("x.pdf")}, 2},
            {{"print", junk, dir.filePath("x.pdf")}, 2},
            {{"station", good}, 2},
            {{"station", junk, gone}, 2},
            {{"station", "--repeat", good, gone, gone}, 2},
            {{"station", good, "/dev/null", dir.filePath("null-link")}, 2},  // one device twice
            {{"station", "--log", nowhere, good, gone}, 2},  // no log, no radio programmed
            {{"station", "--trace", dir.filePath("t.txt"), good, gone}, 2},
            {{"export", "--repeat", good, dir.filePath("x.csv")}, 2},
            {{"show", "--port", "bogus", good}, 2},  // an option of another verb is no no-op
            {{"--trace", dir.filePath("t.txt"), "export", good, dir.filePath("x.csv")}, 2},
            {{"import", "--verify", csv, dir.filePath("x.chann")}, 2},
            // The operation failed; compare: no comparison.
            {{"read", gone, dir.filePath("x.chann")}, 1},
            {{"read", "--verify", gone, dir.filePath("x.chann")}, 1},
            {{"read", gone, nowhere}, 1},
            {{"write", gone, good}, 1},
            {{"write", gone, "COM8", good}, 1},
            {{"station", "--no-backup", "--log", dir.filePath("log.csv"), good, gone}, 1},
            {{"compare", gone, good}, 2},
            {{"export", good, nowhere}, 1},
            {{"import", bad, dir.filePath("x.chann")}, 1},
            {{"import", csv, nowhere}, 1},
            {{"print", good, nowhere}, 1},
        };
        for (const auto& c : cases) {
            const Run r = cli(c.args);
            QVERIFY2(r.code == c.code, qPrintable(c.args.join(' ') + " exits " +
                                                  QString::number(r.code) + ": " + r.err));
        }
        // The reason is the system's; a name from the command line cannot drive the terminal.
        QVERIFY(cli({"--trace", nowhere, "read", gone, good}).err.endsWith(": not found\n"));
        const Run hostile = cli({"show", dir.filePath("a\x1b[2J\u202e.chann")});
        QVERIFY2(hostile.err.contains("a\\x1b[2J\\u202e.chann does not exist"), qPrintable(hostile.err));
        QVERIFY(!hostile.err.contains('\x1b') && !hostile.err.contains(QChar(0x202E)));
        const Run forged = cli({"show", dir.filePath("a\nnv742-cli: all good.chann")});
        QVERIFY2(forged.err.count('\n') == 1, qPrintable(forged.err));
    }

    void aWrongCommandIsNamedBeforeTheUsage() {
        const struct {
            QStringList args;
            const char* first;
        } cases[] = {{{"frobnicate", "x.chann"}, "nv742-cli: unknown command \"frobnicate\"\n"},
                     {{"read", "COM1"}, "nv742-cli: read needs PORT FILE.chann\n"},
                     {{"show"}, "nv742-cli: show needs FILE.chann\n"},
                     {{}, "nv742-cli: no command given\n"}};
        for (const auto& c : cases) {
            const Run r = cli(c.args);
            QCOMPARE(r.code, 2);
            QVERIFY2(r.err.startsWith(c.first), qPrintable(r.err));
            QVERIFY(r.err.contains("Usage:"));
        }
    }

    void showPrintsTheGridColumns() {
        nv::Image im;
        for (int r = 0; r < 54; ++r)
            for (int c = 0; c < 16; ++c) im(r, c) = 0xFF;
        const int channel1[16] = {0x00, 0x25, 0x00, 0x45, 0x00, 0x25, 0x00, 0x45,
                                  0x9E, 0x02, 0x00, 0x00, 0x02, 0x8F, 0xB1, 0xF8};
        for (int c = 0; c < 16; ++c) im(1, c) = static_cast<nv::Int16>(channel1[c]);
        im(23, 14) = 0x01;
        im(23, 15) = 0x00;
        const QString file = dir.filePath("show.chann");
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray::fromStdString(nv::channelFileText(im)));
        f.close();
        const Run r = cli({"show", file});
        QCOMPARE(r.code, 0);
        const QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 17);
        QCOMPARE(lines[0], QString("Channel\tRX Frequency\tTX Frequency\tCTCSS/DCS Dec\tCTCSS/DCS "
                                   "Enc\tTX Power\tW/N\tScan_Add\tOptSingal\tPTT-ID"));
        QCOMPARE(lines[1],
                 QString("1\t450.02500\t450.02500\t67.0\tNone\tLow\tNarrow\tYes\tDTMF\tON"));
        QCOMPARE(lines[2], QString("2\t\t\t\t\t\t\t\t\t"));
    }
};

QTEST_MAIN(CliTest)
#include "CliTest.moc"
