// nv742-cli compare, export, import and write to several radios, against nv742-sim on
// pseudo-terminals.

#include <signal.h>
#include <sys/resource.h>

#include <QTemporaryDir>
#include <QtTest>

#include "channels/ChannelRecord.h"
#include "core/Csv.h"
#include "core/Frequency.h"
#include "core/Startup.h"
#include "support/CliProcess.h"

using namespace nv;
using namespace nv::test;

namespace {
Image factoryImage() {
    AppState s;
    initialiseGlobals(s);
    buildTables(s);
    buildDefaults(s);
    return s.RadioImage;
}

bool sameRows(const Image& a, const Image& b, int first, int last) {
    for (int r = first; r <= last; ++r)
        for (int c = 0; c < 16; ++c)
            if (a.byte(r, c) != b.byte(r, c)) return false;
    return true;
}
}  // namespace

class CliVerbsTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QString path(const char* name) const { return dir.filePath(name); }

  private slots:
    void compareExitsWithWhetherRadioAndFileAgree() {
        SimServer sim;
        const QString memory = path("sim.chann");
        QVERIFY(sim.start({"--quiet", "--save", memory}));
        const QString file = path("radio.chann");
        QCOMPARE(runCli({"read", sim.pty, file}).code, 0);

        CliRun r = runCli({"compare", sim.pty, file});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out, QString());
        QCOMPARE(r.err, "The radio holds what " + file + " holds (addresses 0x000 to 0x30F).\n");

        auto im = loadImage(file);
        (*im)(5, 3) = 0x47;   // channel 5 receives on 476.05625 MHz
        (*im)(19, 4) = 9;     // squelch level 9
        (*im)(45, 0) = 0x12;  // a byte no editor uses
        (*im)(50, 0) = 0x12;  // above row 48: a write never sends it
        QVERIFY(saveImage(file, *im));
        r = runCli({"compare", sim.pty, file});
        QCOMPARE(r.code, 1);
        QCOMPARE(r.out.split('\n', Qt::SkipEmptyParts),
                 (QStringList{"Channel 5, RX Frequency: file 476.05625, radio 446.05625",
                              "Optional Features, Squelch Level: file 9, radio 5",
                              "Other bytes, 0x2D0: file 12, radio FF"}));
        QVERIFY(sim.stop());
        QVERIFY(fileBytes(memory) != fileBytes(file));  // the radio was not changed
    }

    void compareThatCannotBeMadeExitsWith2() {
        SimServer silent;
        QVERIFY(silent.start({"--quiet", "--fault", "silent"}));
        const QString file = path("defaults.chann");
        QVERIFY(saveImage(file, factoryImage()));
        const CliRun r = runCli({"compare", silent.pty, file});
        QCOMPARE(r.code, 2);
        QVERIFY(r.err.contains("Fail connect with transceiver."));
        QVERIFY(r.err.contains("could not be read; nothing compared"));
        QCOMPARE(r.out, QString());
        QCOMPARE(runCli({"compare", silent.pty, path("missing.chann")}).code, 2);
    }

    void writeToSeveralRadiosAtOnce() {
        const Image image = factoryImage();
        const QString file = path("fleet.chann");
        QVERIFY(saveImage(file, image));
        SimServer sims[3];
        QStringList args{"write"};
        for (int k = 0; k < 3; ++k) {
            QVERIFY(sims[k].start(
                {"--quiet", "--save", dir.filePath(QString("fleet%1.chann").arg(k))}));
            args << sims[k].pty;
        }
        const CliRun r = runCli(args << file);
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out, sims[0].pty + ": written\n" + sims[1].pty + ": written\n" + sims[2].pty +
                            ": written\n");
        for (int k = 0; k < 3; ++k) {
            QVERIFY(sims[k].stop());
            auto radio = loadImage(dir.filePath(QString("fleet%1.chann").arg(k)));
            QVERIFY(radio);
            QVERIFY(sameRows(*radio, image, 0, 48));
            QVERIFY(!sameRows(*radio, image, 49, 63));  // the radio keeps its own rows there
        }
    }

    void oneFailingRadioFailsTheRunButNotTheOthers() {
        const QString file = path("fleet.chann");
        QVERIFY(saveImage(file, factoryImage()));
        SimServer good, silent;
        QVERIFY(good.start({"--quiet"}));
        QVERIFY(silent.start({"--quiet", "--fault", "silent"}));
        const CliRun r = runCli({"write", "--verify", silent.pty, good.pty, file});
        QCOMPARE(r.code, 1);
        // The failed port's line says what was seen of its radio; the good one is unaffected.
        const QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 2);
        QVERIFY2(lines[0].startsWith(silent.pty + ": failed: Fail connect with transceiver. "),
                 qPrintable(lines[0]));
        QVERIFY2(lines[0].contains("did not answer at all"), qPrintable(lines[0]));
        QCOMPARE(lines[1], good.pty + ": written and verified");
    }

    void writeVerifyReadsTheRadioBack() {
        SimServer sim;
        QVERIFY(sim.start({"--quiet"}));
        const QString file = path("verify.chann");
        QVERIFY(saveImage(file, factoryImage()));
        const CliRun r = runCli({"write", "--verify", sim.pty, file});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out, sim.pty + ": written and verified\n");
        QVERIFY(r.err.contains(
            "Complete writing Data to the transceiver."));  // one radio: its messages
        QCOMPARE(runCli({"write", "--verify", sim.pty, sim.pty, file}).code, 2);  // listed twice
        QVERIFY(runCli({"export", "--verify", file, path("verify.csv")}).code != 0);

        // A data bit garbled on the way back is read again, not told as a difference.
        SimServer flipped;
        QVERIFY(flipped.start({"--quiet", "--fault", "flip-bit=2"}));
        const CliRun f = runCli({"write", "--verify", flipped.pty, file});
        QCOMPARE(f.out, flipped.pty + ": written and verified\n");
        QCOMPARE(f.code, 0);
        SimServer garbling;
        QVERIFY(garbling.start({"--quiet", "--fault", "flip-bit=2", "--every-session"}));
        const CliRun g = runCli({"write", "--verify", garbling.pty, file});
        QCOMPARE(g.code, 1);
        QCOMPARE(g.out, garbling.pty +
                            ": written, but reading it back failed: no two of three reads of the "
                            "radio agreed: the line garbles data bytes; check the cable.\n");
    }

    void readVerifyWritesTheFileOnlyWhenTwoReadsAgree() {
        SimServer clean;
        QVERIFY(clean.start({"--quiet"}));
        const QString truth = path("truth.chann");
        QCOMPARE(runCli({"read", clean.pty, truth}).code, 0);

        // One flipped data bit has no header to catch it: a single read keeps it.
        SimServer once;
        QVERIFY(once.start({"--quiet", "--fault", "flip-bit=2"}));
        const QString plain = path("plain.chann");
        QCOMPARE(runCli({"read", once.pty, plain}).code, 0);
        QVERIFY(!sameRows(*loadImage(plain), *loadImage(truth), 0, 63));
        QVERIFY(once.stop());
        QVERIFY(once.start({"--quiet", "--fault", "flip-bit=2"}));
        const QString verified = path("verified.chann");
        CliRun r = runCli({"read", "--verify", once.pty, verified});
        QCOMPARE(r.code, 0);
        QVERIFY(sameRows(*loadImage(verified), *loadImage(truth), 0, 63));

        // A line that garbles every read: three reads, no two alike, no file.
        SimServer always;
        QVERIFY(always.start({"--quiet", "--fault", "flip-bit=2", "--every-session"}));
        const QString never = path("never.chann");
        r = runCli({"read", "--verify", always.pty, never});
        QCOMPARE(r.code, 1);
        QVERIFY2(r.err.contains("no two of three reads of the radio on " + always.pty +
                                " agreed: the line garbles data bytes; check the cable. " + never +
                                " was not written"),
                 qPrintable(r.err));
        QVERIFY(!QFile::exists(never));
    }

    void garbledRepliesNeverShowAsDifferencesOrShiftedBytes() {
        SimServer clean;
        QVERIFY(clean.start({"--quiet"}));
        const QString truth = path("truth.chann");
        QCOMPARE(runCli({"read", clean.pty, truth}).code, 0);

        SimServer flipped;
        QVERIFY(flipped.start({"--quiet", "--fault", "flip-bit=2"}));
        CliRun r = runCli({"compare", flipped.pty, truth});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out, QString());

        // A stray byte before a header, or a header naming another block, on a real pty line.
        for (const char* fault : {"stray-byte=4", "wrong-address=4"}) {
            SimServer noisy;
            QVERIFY(noisy.start({"--quiet", "--fault", fault}));
            const QString file = path("noisy.chann");
            r = runCli({"read", noisy.pty, file});
            QCOMPARE(r.code, 0);
            QVERIFY2(sameRows(*loadImage(file), *loadImage(truth), 0, 63), fault);
        }
        SimServer broken;
        QVERIFY(broken.start({"--quiet", "--fault", "wrong-address=4", "--every-session"}));
        r = runCli({"read", broken.pty, path("broken.chann")});
        QCOMPARE(r.code, 1);
        QVERIFY2(r.err.contains("The radio's answers were garbled (at block 4 of 16)"),
                 qPrintable(r.err));
        QVERIFY(!QFile::exists(path("broken.chann")));
    }

    void exportThenImportGivesTheSameChannels() {
        SimServer sim;
        QVERIFY(sim.start({"--quiet"}));
        const QString file = path("radio.chann");
        QCOMPARE(runCli({"read", sim.pty, file}).code, 0);
        const QString csv = path("radio.csv");
        CliRun r = runCli({"export", file, csv});
        QCOMPARE(r.code, 0);
        QVERIFY(r.err.contains("14 channels exported to " + csv));
        QVERIFY(fileBytes(csv).startsWith("Location,Name,Frequency,Duplex,Offset,Tone,"));

        // Into the file itself: the channels as the layout carries them, everything else as it
        // was. Into a new file: the channels and nothing else.
        const QString same = path("same.chann"), fresh = path("fresh.chann");
        QCOMPARE(runCli({"import", csv, same, "--into", file}).code, 0);
        const auto radio = loadImage(file), over = loadImage(same);
        QVERIFY(sameRows(*over, *radio, 17, 53));
        for (int n = 1; n <= ChannelCount; ++n)
            for (int c = 0; c < 12; ++c) QCOMPARE(over->byte(n, c), radio->byte(n, c));
        r = runCli({"import", csv, fresh});
        QCOMPARE(r.code, 0);
        QVERIFY(r.err.contains("14 channels imported into " + fresh));
        const auto imported = loadImage(fresh);
        for (int n : {1, 4, 9, 11, 16})
            for (int c = 0; c < 12; ++c) QCOMPARE(imported->byte(n, c), radio->byte(n, c));
        for (int n = 1; n <= ChannelCount; ++n)  // no factory channel among the file's
            QCOMPARE(isEmptyChannel(*imported, n), isEmptyChannel(*radio, n));
        QVERIFY(sameRows(*imported, factoryImage(), 17, 22));  // settings from the defaults
    }

    void importReportsProblemsWithLinesAndWritesNothing() {
        const QString csv = path("bad.csv"), out = path("never.chann");
        QVERIFY(writeBytes(csv,
                           "\xEF\xBB\xBFLocation,Frequency,Tone,rToneFreq\r\n"
                           "1,446.003,,\r\n"
                           "2,3o0,,\r\n"
                           "3,450,Tone,88.4\r\n"
                           "40,450,,\r\n"));
        CliRun r = runCli({"import", csv, out});
        QCOMPARE(r.code, 1);
        QCOMPARE(r.err, QString("line 2: channel 1: Frequency 446.003 is off the channel raster "
                                "and was stored as 446.00000\n"
                                "line 3: Frequency \"3o0\" is not a number\n"
                                "line 4: rToneFreq \"88.4\" is not a CTCSS tone of the tone "
                                "table; skipped\n"
                                "line 5: Location 40 is not a channel (1 to 16) and was skipped\n"
                                "nv742-cli: %1 has errors; nothing was written (--skip-bad "
                                "imports the other rows)\n")
                            .arg(csv));
        QVERIFY(!QFile::exists(out));
        r = runCli({"import", "--skip-bad", csv, out});
        QCOMPARE(r.code, 0);
        QVERIFY(r.err.contains("line 3: Frequency \"3o0\" is not a number; skipped\n"));
        QCOMPARE(frequencyToText(*loadImage(out), 1, 0), std::string("446.00000"));
        QVERIFY(QFile::remove(out));

        QVERIFY(writeBytes(csv, "Location,Frequency\n1,446.003\n"));
        r = runCli({"import", csv, out});
        QCOMPARE(r.code, 0);
        QVERIFY(
            r.err.contains("line 2: channel 1: Frequency 446.003 is off the channel raster and "
                           "was stored as 446.00000"));
        QVERIFY(QFile::exists(out));
        QCOMPARE(runCli({"import", path("missing.csv"), out}).code, 2);
        QCOMPARE(runCli({"import", csv}).code, 2);
    }

    void importSkipsRowsTheRadioCannotHoldInGroupsAndExitsZero() {
        const QString csv = path("bands.csv"), out = path("bands.chann");
        QByteArray text = "Location,Frequency,Mode,Tone\n";
        for (int n = 1; n <= 29; ++n) text += QByteArray::number(n) + ",450.5,FM,\n";  // 2-30
        text += "30,145.5,FM,\n31,50.1,FM,\n32,433,AM,\n33,433,FM,TSQL-R\n";         // 31-34
        QVERIFY(writeBytes(csv, text));
        CliRun r = runCli({"import", csv, out});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.err, QString("lines 18\u201334: 17 rows not imported: the location is not a "
                                "channel 1\u201316\n16 channels imported into %1.\n")
                            .arg(out));
        // The radio's band and modes are checked once a row has a channel.
        QVERIFY(writeBytes(csv, "Location,Frequency,Mode,Tone\n1,145.5,FM,\n2,50.1,FM,\n"
                                "3,433,AM,\n4,433,FM,TSQL-R\n5,433,FM,\n"));
        r = runCli({"import", csv, out});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.err, QString("lines 2\u20133: 2 rows not imported: Frequency outside the "
                                "band 400 - 481 MHz (145.5, 50.1)\n"
                                "line 4: Mode \"AM\", which this radio does not have; skipped\n"
                                "line 5: Tone \"TSQL-R\", which this radio does not have; "
                                "skipped\n"
                                "1 channel imported into %1.\n")
                            .arg(out));
        auto image = loadImage(out);
        QCOMPARE(frequencyToText(*image, 5, 0), std::string("433.00000"));
    }

    void aFileSizeLimitEndsInTheSystemsReasonWithTheOldFileIntact() {
        const QString chann = path("sheet.chann"), pdf = path("sheet.pdf");
        QVERIFY(saveImage(chann, factoryImage()));
        QVERIFY(writeBytes(pdf, "the old sheet\n"));
        QProcess p;
        p.setChildProcessModifier([] {
            const rlimit small{4096, 4096};  // the sheet is larger
            ::setrlimit(RLIMIT_FSIZE, &small);
        });
        p.start(binary("nv742-cli"), {"print", chann, pdf});
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), 1);
        QCOMPARE(QString::fromUtf8(p.readAllStandardError()),
                 QString("nv742-cli: cannot write %1: the file is larger than allowed\n").arg(pdf));
        QCOMPARE(fileBytes(pdf), QByteArray("the old sheet\n"));
    }

    void optionsBeyondTheirBoundsAreUsageErrorsAtOnce() {
        const QString csv = path("pmr.csv"), out = path("bounds.chann");
        QVERIFY(writeBytes(csv, "Location,Frequency\n1,446.00625\n"));
        // Thousands of wide ranges that overlap name 99,999 locations, not billions.
        const QString wide = QStringList(15000, "1-99999").join(',');
        CliRun r = runCli({"import", "--locations", wide, csv, out});
        QVERIFY2(r.code == 0, qPrintable(r.err.left(300)));
        const QList<QStringList> refused = {
            {"--locations", "0-999999999"},  // more rows than a CSV file can hold
            {"--locations", "1-99999999999"},
            {"--in-order", "--first", "0"},
            {"--in-order", "--first", "17"},
            {"--in-order", "--first", "4294967297"},
        };
        for (const QStringList& options : refused) {
            r = runCli(QStringList{"import"} + options + QStringList{csv, out});
            QVERIFY2(r.code == 2 && r.err.startsWith("nv742-cli: --"), qPrintable(r.err));
        }
        QVERIFY(runCli({"import", "--locations", "0-999999999", csv, out})
                    .err.contains("of at most 16777216 locations (the rows a CSV file can hold)"));
    }

    void aNameOrValueFromTheFileCannotDriveTheTerminal() {
        const QString csv = path("hostile.csv"), out = path("hostile.chann");
        QVERIFY(writeBytes(csv, "Location,Name,Frequency,Mode\n"
                                "1,\"\x1b]0;owned\x07\",446.00625,\x1b[2JFM\n"
                                "2,x,446.01875,\xe2\x80\xae" "MFN\n"));
        const CliRun r = runCli({"import", csv, out});
        QVERIFY2(r.err.contains("line 2: Mode \"\\x1b[2JFM\", which this radio does not have"),
                 qPrintable(r.err));
        QVERIFY(r.err.contains("line 3: Mode \"\\u202eMFN\""));
        QVERIFY(!r.err.contains('\x1b') && !r.err.contains(QChar(0x202E)));
    }

    void aDirectoryExportOfSeveralMegabytesImportsAChannelFileStaysSmall() {
        const QString csv = path("country.csv"), out = path("country.chann");
        QByteArray text = "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,Mode,Comment\n";
        for (int n = 1; n <= 60000; ++n)
            text += QByteArray::number(n) + ",\"Repeater " + QByteArray::number(n) +
                    "\",438." + QByteArray::number(500 + n % 4 * 25) +
                    "000,-,7.600000,Tone,88.5,FM,\"on the hill above town " +
                    QByteArray::number(n) + "\"\n";
        QVERIFY(text.size() > (4 << 20));
        QVERIFY(writeBytes(csv, text));
        CliRun r = runCli({"import", "--in-order", csv, out});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.err, QString("lines 18\u201360001: 59,984 rows not imported: the radio holds "
                                "16 channels\nthe radio does not keep these columns: Name, "
                                "Comment\n16 channels imported into %1.\n")
                            .arg(out));
        QVERIFY(writeBytes(path("big.chann"), QByteArray(2 << 20, ' ')));
        r = runCli({"show", path("big.chann")});
        QCOMPARE(r.code, 2);
        QVERIFY2(r.err.contains("is far too large for this kind of file"), qPrintable(r.err));
    }

    void importPlacesChosenLocationsInFileOrder() {
        const QString csv = path("pmr.csv"), out = path("pmr.chann");
        QByteArray text = "Location,Frequency\n";
        for (int n = 1; n <= 69; ++n) text += QByteArray::number(n) + ",433.075\n";
        for (int k = 0; k < 16; ++k)
            text += QByteArray::number(k < 8 ? 71 + k : 73 + k) + "," +
                    QByteArray::number(446.00625 + k * 0.0125, 'f', 5) + "\n";
        QVERIFY(writeBytes(csv, text));
        CliRun r = runCli({"import", "--locations", "71-78,81-88", "--in-order", csv, out});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.err, QString("16 channels imported into %1.\n").arg(out));
        auto image = loadImage(out);
        QCOMPARE(frequencyToText(*image, 1, 0), std::string("446.00625"));
        QCOMPARE(frequencyToText(*image, 16, 0), std::string("446.19375"));

        r = runCli({"import", "--locations", "81-88", "--in-order", "--first", "12", csv, out});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.err, QString("lines 84\u201386: 3 rows not imported: the radio "
                                "holds 16 channels\n5 channels imported into %1.\n")
                            .arg(out));
        image = loadImage(out);
        QCOMPARE(frequencyToText(*image, 12, 0), std::string("446.10625"));
        QCOMPARE(runCli({"import", "--locations", "7-", csv, out}).code, 2);
        QCOMPARE(runCli({"import", "--first", "3", csv, out}).code, 2);
        QCOMPARE(runCli({"import", "--in-order", "--first", "17", csv, out}).code, 2);
        QVERIFY(runCli({"export", "--in-order", out, csv}).code != 0);
    }

    // Before anything is written: an output that is an input, by any of its names, is refused.
    void outputOverInputIsRefused() {
        const QString chann = path("mine.chann"), csv = path("mine.csv");
        QVERIFY(saveImage(chann, factoryImage()));
        QVERIFY(writeBytes(csv, "Location,Frequency\n1,446.00625\n"));
        QVERIFY(QFile::link(chann, path("link.chann")));
        QVERIFY(QFile::link(csv, path("link.csv")));
        const QByteArray channBytes = fileBytes(chann), csvBytes = fileBytes(csv);
        const QList<QStringList> runs = {
            {"print", chann, chann},
            {"export", chann, path("link.chann")},
            {"import", csv, path("./link.csv")},
            {"import", "--into", chann, csv, path("link.chann")},
            {"write", "--trace", chann, "--port", "1=virtual", "1", chann},
        };
        for (const QStringList& args : runs) {
            const CliRun r = runCli(args);
            QVERIFY2(r.code == 2, qPrintable(args.join(' ') + ": " + r.err));
            QVERIFY2(r.err.contains("nothing was written"), qPrintable(r.err));
            QCOMPARE(fileBytes(chann), channBytes);
            QCOMPARE(fileBytes(csv), csvBytes);
        }
    }

    // Also a file larger than any channel file: a PDF or a CSV list of megabytes.
    void aReplacedOutputIsKeptInTheBackups() {
        const QString chann = path("kept.chann"), csv = path("old-export.csv");
        QVERIFY(saveImage(chann, factoryImage()));
        const QByteArray old = QByteArray(3 << 20, 'x') + "the old content\n";
        QVERIFY(writeBytes(csv, old));
        const QByteArray data = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", path("own-data").toUtf8());
        const int code = runCli({"export", chann, csv}).code;
        qputenv("XDG_DATA_HOME", data);
        QCOMPARE(code, 0);
        QDir backups(path("own-data/nv742-cps/backups"));
        const QStringList kept = backups.entryList({"*_replaced_old-export.csv"}, QDir::Files);
        QCOMPARE(kept.size(), 1);
        QCOMPARE(fileBytes(backups.filePath(kept[0])), old);
    }

    // An import that places no channel fails and says which option would place the rows.
    void anImportThatPlacesNothingWritesNothing() {
        const QString csv = path("repeaters.csv"), out = path("nothing.chann");
        QByteArray text = "Location,Frequency\n";
        for (int n = 71; n <= 88; ++n) text += QByteArray::number(n) + ",446.00625\n";
        QVERIFY(writeBytes(csv, text));
        CliRun r = runCli({"import", "--locations", "71-78,81-88", csv, out});
        QCOMPARE(r.code, 1);
        QVERIFY(r.err.contains("--in-order"));
        QVERIFY(r.err.contains("was not written"));
        QVERIFY(!QFile::exists(out));
        QCOMPARE(runCli({"import", "--locations", "71-78,81-88", "--in-order", csv, out}).code, 0);
    }

    // Ctrl+C or SIGTERM in a transfer: the exit status tells the signal, a read keeps no file.
    void anInterruptedTransferSaysWhatTheRadioHolds() {
        SimServer sim, silent;
        QVERIFY(sim.start({"--quiet", "--fault", "no-write-ack=20"}));
        QVERIFY(silent.start({"--quiet", "--fault", "silent"}));
        const QString file = path("interrupted.chann");
        QVERIFY(saveImage(file, factoryImage()));
        struct Case {
            QStringList args;
            int signal, status;
            const char* says;
        };
        for (const Case& c :
             {Case{{"write", sim.pty, file}, SIGTERM, 143, "must be written again"},
              Case{{"read", silent.pty, path("interrupted-read.chann")}, SIGINT, 130, "was not written"}}) {
            QProcess cli;
            cli.start(binary("nv742-cli"), c.args);
            QVERIFY(cli.waitForStarted());
            QTest::qWait(900);  // the write waits for the twentieth acknowledgement, the read for an answer
            ::kill(static_cast<pid_t>(cli.processId()), c.signal);
            QVERIFY(cli.waitForFinished(10000));
            const QString err = QString::fromUtf8(cli.readAllStandardError());
            QCOMPARE(cli.exitCode(), c.status);
            QVERIFY2(err.contains(c.says), qPrintable(err));
        }
        QVERIFY(!QFile::exists(path("interrupted-read.chann")));
    }

    // The station: every radio verified or failed with its cause, one line each, in the log too.
    void stationProgramsSeveralRadiosAndLogsEach() {
        const QString file = path("fleet-config.chann"), log = path("station.csv");
        Image image = factoryImage();
        for (int r = 0; r <= 48; ++r) image(r, 11) = 0x2D;
        QVERIFY(saveImage(file, image));
        SimServer good1, good2, silent, garbled;
        QVERIFY(good1.start({"--quiet", "--save", path("good1.chann")}));
        QVERIFY(good2.start({"--quiet", "--save", path("good2.chann")}));
        QVERIFY(silent.start({"--quiet", "--fault", "silent"}));
        QVERIFY(garbled.start({"--quiet", "--fault", "wrong-address=2", "--every-session"}));
        const CliRun r = runCli({"station", "--log", log, file, good1.pty, silent.pty, good2.pty,
                                 garbled.pty});
        QCOMPARE(r.code, 1);
        const QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 5);
        QCOMPARE(lines.last(), lines.last().section(',', 0, 1) + ", " +
                                   lines.last().section(", ", 2));  // totals
        QVERIFY(lines.last().startsWith("2 verified, 2 failed"));
        for (const QString& pty : {good1.pty, good2.pty})
            QVERIFY(r.out.contains(pty + ": ") && r.out.contains(QRegularExpression(
                                                      QRegularExpression::escape(pty) +
                                                      ": [0-9A-F]{12} verified, ")));
        QVERIFY(r.out.contains(silent.pty + ": failed: no answer (reading it first; not written)"));
        QVERIFY(r.out.contains(garbled.pty + ": ") && r.out.contains("garbled answer"));
        QCOMPARE(fileBytes(log).count('\n'), 5);
        QVERIFY(good1.stop() && good2.stop());
        for (const char* saved : {"good1.chann", "good2.chann"}) {
            auto radio = loadImage(path(saved));
            QVERIFY(radio && sameRows(*radio, image, 0, 48));
        }
        // A finished radio's line is on the disk at once: a kill of the program loses none, and
        // cuts none of the lines other ports are writing at that moment.
        SimServer others[3];
        QStringList killedArgs{"station", "--no-backup", "--log", path("killed.csv"), file};
        for (SimServer& another : others) {
            QVERIFY(another.start({"--quiet"}));
            killedArgs << another.pty;
        }
        QProcess killed;
        killed.start(binary("nv742-cli"), killedArgs << silent.pty);
        QVERIFY(killed.waitForReadyRead(10000));  // the first radio's line
        killed.kill();
        QVERIFY(killed.waitForFinished(5000));
        const QByteArray logged = fileBytes(path("killed.csv"));
        QVERIFY(logged.endsWith("\r\n"));
        const CsvDocument parsed = parseCsv(logged.toStdString());
        QVERIFY(!parsed.error);
        QVERIFY(parsed.records.size() >= 2);  // the header and at least the radio told
        for (const CsvRecord& line : parsed.records) {
            QCOMPARE(line.fields.size(), 8u);
            QVERIFY(line.line == 1 || line.fields[6] == "verified");
        }
        // Repeat goes on until Ctrl+C or SIGTERM, which stop every port.
        QProcess cli;
        cli.start(binary("nv742-cli"), {"station", "--repeat", "--no-backup", "--log", log, file,
                                        silent.pty});
        QVERIFY(cli.waitForStarted());
        QTest::qWait(500);
        ::kill(static_cast<pid_t>(cli.processId()), SIGTERM);
        QVERIFY(cli.waitForFinished(10000));
        QCOMPARE(cli.exitCode(), 143);
    }

    // The station's exit status: 0 when every radio was verified, 1 when one failed (a port that
    // will not open), 130 after Ctrl+C, which stops between frames with the end byte.
    void stationExitStatusTellsTheRun() {
        const QString file = path("status-config.chann");
        QVERIFY(saveImage(file, factoryImage()));
        struct Case {
            QStringList sim;
            bool missingPortToo;
            int signal, status;
        };
        for (const Case& c :
             {Case{{}, false, 0, 0}, Case{{}, true, 0, 1}, Case{{"--baud"}, false, SIGINT, 130}}) {
            SimServer radio;
            QVERIFY(radio.start(c.sim));
            QStringList args{"station",          "--no-backup", "--log",
                             path("status.csv"), file,          radio.pty};
            if (c.missingPortToo) args << path("no-such-port");
            QProcess cli;
            cli.start(binary("nv742-cli"), args);
            QVERIFY(cli.waitForStarted());
            if (c.signal) {
                QTest::qWait(700);  // in the middle of the paced write
                ::kill(static_cast<pid_t>(cli.processId()), c.signal);
            }
            QVERIFY(cli.waitForFinished(30000));
            QCOMPARE(cli.exitCode(), c.status);
            QTRY_VERIFY(radio.log().contains("session 1 ended"));  // the end byte arrived
            if (c.signal) QVERIFY(!radio.log().contains("49 rows written"));
        }
    }
};

QTEST_GUILESS_MAIN(CliVerbsTest)
#include "CliVerbsTest.moc"
