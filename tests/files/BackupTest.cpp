// Backups of every completed read: their names, folder and pruning, and that a backup that
// cannot be written never costs the read, from the read window and from nv742-cli.

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QRegularExpression>
#include <QAction>
#include <QTemporaryDir>
#include <QtTest>
#include <atomic>
#include <thread>

#include "core/ChannelFile.h"
#include "adjust/frm_Adj_Txp.h"
#include "files/Backups.h"
#include "files/ChannelFileDialogs.h"
#include "sim/PtyServer.h"
#include "support/FsUser.h"
#include "support/GuiFixture.h"
#include "support/RadioGui.h"
#include "support/Shots.h"

using namespace nv;

class BackupTest : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> data;
    QByteArray savedXdg;

    QString folder() const { return data->filePath("nv742-cps/backups"); }
    QStringList backups() const {
        QStringList names = QDir(folder()).entryList({"*.chann"}, QDir::Files);
        names.sort();
        return names;
    }
    QByteArray readFile(const QString& path) const {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void writeFile(const QString& path, const QByteArray& bytes) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    // The backup folder's place taken by a file: no folder can be made there, not even by root.
    void blockFolder() {
        QVERIFY(QDir().mkpath(data->filePath("nv742-cps")));
        writeFile(folder(), "not a folder");
    }
    // The bytes of radio memory a channel file holds (rows 0 to 53).
    static bool holdsRadioMemory(const QByteArray& file, const VirtualRadio::Memory& memory) {
        Image im;
        if (loadChannelFileText(file.toStdString(), im).kind != NumberListError::None) return false;
        for (int a = 0; a < ChannelFileRows * 16; ++a)
            if (im(a / 16, a % 16) != memory[a]) return false;
        return true;
    }
    static QDateTime at(int seconds) {
        return QDateTime(QDate(2026, 12, 7), QTime(8, 0)).addSecs(seconds);
    }

    struct Run {
        int code;
        QString err;
    };
    Run cli(const QStringList& args) {
        QProcess p;
        p.start(QStringLiteral(NV742_BIN_DIR "/nv742-cli"), args);
        p.waitForFinished(60000);
        return {p.exitCode(), QString::fromUtf8(p.readAllStandardError())};
    }

  private slots:
    void init() {
        savedXdg = qgetenv("XDG_DATA_HOME");
        data = std::make_unique<QTemporaryDir>();
        QVERIFY(data->isValid());
        qputenv("XDG_DATA_HOME", data->path().toUtf8());
    }
    void cleanup() {
        data.reset();
        qputenv("XDG_DATA_HOME", savedXdg);
    }

    void namesCarryDateTimeAndPort() {
        QCOMPARE(backupFileName(QDateTime(QDate(2026, 12, 7), QTime(23, 41, 5)), "COM8"),
                 QString("2026-12-07_23-41-05_COM8.chann"));
        QCOMPARE(portLabel("COM3"), QString("COM3"));
        QCOMPARE(portLabel("com3"), QString("COM3"));
        QCOMPARE(portLabel("/dev/ttyUSB0"), QString("ttyUSB0"));
        QCOMPARE(portLabel("/dev/pts/12"), QString("pts-12"));
        QCOMPARE(portLabel("/dev/cu.usbserial 1*"), QString("cu.usbserial_1_"));
        QCOMPARE(portLabel("../../x"), QString("x"));  // never a way out of the folder
        QCOMPARE(portLabel(""), QString("port"));
        QVERIFY(isBackupFileName("2026-12-07_23-41-05_COM8.chann"));
        QVERIFY(isBackupFileName("2026-12-07_23-41-05_COM8_2.chann"));
        for (const char* other :
             {"radio.chann", "2026-12-07_COM8.chann", "2026-12-07_23-41-05_COM8.chann.txt",
              "x2026-12-07_23-41-05_C.chann", "2026-12-07_23-41-05_replaced_radio.chann"})
            QVERIFY2(!isBackupFileName(other), other);
    }

    void theFolderFollowsXdgDataHome() {
        QCOMPARE(backupFolder(), data->path() + "/nv742-cps/backups");
        const QString fallback = QDir::homePath() + "/.local/share/nv742-cps/backups";
        qputenv("XDG_DATA_HOME", "relative/place");  // not absolute: ignored
        QCOMPARE(backupFolder(), fallback);
        qunsetenv("XDG_DATA_HOME");
        QCOMPARE(backupFolder(), fallback);
    }

    void aBackupIsTheChannelFileOfTheImage() {
        Image im;
        for (int r = 0; r < 54; ++r)
            for (int c = 0; c < 22; ++c) im(r, c) = static_cast<Int16>((r * 7 + c) % 256);
        const BackupResult first = writeBackup(im, "COM3", folder(), at(0));  // folder made
        QVERIFY(first.ok);
        QCOMPARE(first.path, folder() + "/2026-12-07_08-00-00_COM3.chann");
        QCOMPARE(readFile(first.path), QByteArray::fromStdString(channelFileText(im)));
        const BackupResult second = writeBackup(im, "COM3", folder(), at(0));  // same second
        QVERIFY(second.ok);
        QCOMPARE(second.path, folder() + "/2026-12-07_08-00-00_COM3_2.chann");
        QCOMPARE(backups().size(), 2);
    }

    void theNewestHundredAreKeptAndOtherFilesLeftAlone() {
        QVERIFY(QDir().mkpath(folder()));
        writeFile(folder() + "/my radio.chann", "mine");
        writeFile(folder() + "/notes.txt", "mine");
        const QString replaced = folder() + "/2026-12-07_07-00-00_replaced_radio.chann";
        writeFile(replaced, "the user's file before a save over it");
        for (int i = 0; i < 104; ++i) QVERIFY(writeBackup(Image{}, "COM1", folder(), at(i)).ok);
        QStringList kept = backups();
        kept.removeAll("my radio.chann");
        kept.removeAll(QFileInfo(replaced).fileName());
        QCOMPARE(kept.size(), BackupsKept);
        QCOMPARE(kept.first(), backupFileName(at(4), "COM1"));  // the four oldest went
        QCOMPARE(kept.last(), backupFileName(at(103), "COM1"));
        QVERIFY(QFile::exists(folder() + "/my radio.chann"));
        QVERIFY(QFile::exists(folder() + "/notes.txt"));
        QVERIFY(QFile::exists(replaced));  // older than every read, and still kept
        // A second file of the same second is the newer one: the oldest goes, not it.
        QVERIFY(writeBackup(Image{}, "COM1", folder(), at(103)).ok);
        QVERIFY(backups().contains("2026-12-07_08-01-43_COM1_2.chann"));
        QVERIFY(backups().contains(backupFileName(at(103), "COM1")));
        QVERIFY(!backups().contains(backupFileName(at(4), "COM1")));
        QVERIFY(backups().contains(backupFileName(at(5), "COM1")));
    }

    void aBackupThatCannotBeWrittenSaysWhy() {
        blockFolder();
        BackupResult r = writeBackup(Image{}, "COM8", folder(), at(0));
        QVERIFY(!r.ok);
        QCOMPARE(backupProblem(r, false),
                 QString("Backup not written: cannot make %1").arg(folder()));
        QCOMPARE(backupProblem(r, true), QString("备份未写入：无法建立文件夹 %1").arg(folder()));

        const QString locked = data->filePath("locked");  // a folder others may only read
        QVERIFY(QDir().mkpath(locked));
        const auto readOnly =
            QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther;
        QFile::setPermissions(data->path(), readOnly | QFile::WriteOwner);
        QFile::setPermissions(locked, readOnly);
        {
            test::AsUnprivilegedUser user;
            r = writeBackup(Image{}, "COM8", locked, at(0));
        }
        QVERIFY(!r.ok);
        QCOMPARE(r.problem.kind, FileProblem::System);
        QCOMPARE(backupProblem(r, false),
                 QString("Backup not written to %1: permission denied").arg(locked));
        QVERIFY(r.problem.osText.contains("ermission"));
        QCOMPARE(backupProblem(r, true), QString("备份未写入 %1：没有权限").arg(locked));
        QCOMPARE(QDir(locked).entryList(QDir::Files | QDir::Hidden).size(), 0);  // nothing left
        r.path = QDir::homePath() + "/.local/share/nv742-cps/backups/x.chann";   // shorter shown
        QCOMPARE(backupProblem(r, false),
                 QString("Backup not written to ~/.local/share/nv742-cps/backups: permission denied"));
    }

    // Saving over a file keeps what it held; a new name replaces nothing and keeps nothing.
    void savingOverAFileKeepsItsOldContent() {
        QTemporaryDir work;
        const QString job = work.filePath("job.chann");
        writeFile(job, "the old job");
        test::Gui gui;
        gui.image()(1, 0) = 0x44;
        auto saveAs = [&](const QString& name) {
            gui.main->runCommand("File_save");
            auto* save = gui.window<Form_save_chann>("Form_save_chann");
            save->setDirectory(work.path());
            save->Text1->setText(name);
            QTest::mouseClick(save->Command_enter, Qt::LeftButton);
            QCOMPARE(gui.messages->lastText(), QString("Complete storing channel parameter."));
        };
        saveAs("job.chann");
        QStringList kept = QDir(folder()).entryList({"*_replaced_job.chann"}, QDir::Files);
        QCOMPARE(kept.size(), 1);
        QVERIFY(QRegularExpression(R"(^\d{4}-\d\d-\d\d_\d\d-\d\d-\d\d_replaced_job\.chann$)")
                    .match(kept[0])
                    .hasMatch());
        QCOMPARE(readFile(folder() + "/" + kept[0]), QByteArray("the old job"));
        QCOMPARE(readFile(job), QByteArray::fromStdString(channelFileText(gui.image())));
        saveAs("job.chann");  // twice within a second: both old contents stay
        kept = QDir(folder()).entryList({"*_replaced_job*.chann"}, QDir::Files);
        QCOMPARE(kept.size(), 2);
        saveAs("new.chann");
        QCOMPARE(QDir(folder()).entryList({"*new*"}, QDir::Files).size(), 0);
        QCOMPARE(gui.main->panelText(8), QString());
    }

    void savingOverAnAdjustmentFileKeepsItsOldContent() {
        QTemporaryDir work;
        const QString radio = work.filePath("radio.adj");
        writeFile(radio, "old alignment");
        test::RadioGui gui(test::RadioGui::Service::Shown);
        gui.main->findChild<QAction*>("Other")->trigger();
        auto* w = qobject_cast<frm_Adj_Txp*>(gui.main->child("frm_Adj_Txp"));
        QVERIFY(w);
        w->saveFile(radio);
        QCOMPARE(gui.messages->lastText(), QString("Complete storing optional parameters."));
        const QStringList kept = QDir(folder()).entryList({"*_replaced_radio.adj"}, QDir::Files);
        QCOMPARE(kept.size(), 1);
        QCOMPARE(readFile(folder() + "/" + kept[0]), QByteArray("old alignment"));
        QVERIFY(readFile(radio).startsWith(" 38 "));
    }

    void aBackupThatCannotBeWrittenNeverStopsTheSave() {
        QTemporaryDir work;
        const QString job = work.filePath("job.chann");
        writeFile(job, "the old job");
        blockFolder();
        test::Gui gui;
        gui.image()(1, 0) = 0x44;
        gui.main->runCommand("File_save");
        auto* save = gui.window<Form_save_chann>("Form_save_chann");
        save->setDirectory(work.path());
        save->Text1->setText("job.chann");
        QTest::mouseClick(save->Command_enter, Qt::LeftButton);
        QCOMPARE(gui.messages->lastText(), QString("Complete storing channel parameter."));
        QCOMPARE(readFile(job), QByteArray::fromStdString(channelFileText(gui.image())));
        QCOMPARE(gui.main->panelText(8),
                 QString("Backup not written: cannot make %1").arg(folder()));

        // A folder that exists but may not be written to, in Chinese.
        QVERIFY(QFile::remove(folder()));
        QVERIFY(QDir().mkpath(folder()));
        QFile::setPermissions(folder(), QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther |
                                            QFile::ExeOther);
        QFile::setPermissions(work.path(), QFile::permissions(work.path()) | QFile::WriteOther |
                                               QFile::ExeOther);
        for (const QString& up : {data->path(), data->filePath("nv742-cps")})
            QFile::setPermissions(up, QFile::permissions(up) | QFile::ReadOther | QFile::ExeOther);
        QFile::setPermissions(job, QFile::permissions(job) | QFile::WriteOther | QFile::ReadOther);
        gui.main->Language_chn_Click();
        gui.image()(1, 0) = 0x45;
        {
            test::AsUnprivilegedUser user;
            gui.main->runCommand("File_save");
            save = gui.window<Form_save_chann>("Form_save_chann");
            save->setDirectory(work.path());
            save->Text1->setText("job.chann");
            QTest::mouseClick(save->Command_enter, Qt::LeftButton);
        }
        QCOMPARE(gui.messages->lastText(), QString("信道参数保存完毕 ！"));
        QCOMPARE(readFile(job), QByteArray::fromStdString(channelFileText(gui.image())));
        QCOMPARE(gui.main->panelText(8), QString("备份未写入 %1：没有权限").arg(folder()));
        QCOMPARE(QDir(folder()).entryList(QDir::Files).size(), 0);
        test::shot(gui.main.get(), "replaced_backup_failed_zh");
    }

    void everyCompletedReadFromTheWindowLeavesABackup() {
        test::RadioGui gui;
        QVERIFY(gui.read());
        QTRY_COMPARE(backups().size(), 1);
        QVERIFY(isBackupFileName(backups()[0]));
        QVERIFY(backups()[0].endsWith("_COM8.chann"));
        QVERIFY(holdsRadioMemory(readFile(folder() + "/" + backups()[0]), gui.radio().memory));
        QCOMPARE(gui.main->panelText(8), QString());

        gui.radio().memory[16] = 0x42;  // a second read, a second file
        QVERIFY(gui.read());
        QTRY_COMPARE(backups().size(), 2);
        QVERIFY(holdsRadioMemory(readFile(folder() + "/" + backups()[1]), gui.radio().memory));

        gui.directory->assign(8, "/dev/nv742-no-such-port");  // a read that fails: no backup
        QVERIFY(gui.read());
        QVERIFY(gui.messages->lastText().startsWith("Communication port is error"));
        QTest::qWait(50);
        QCOMPARE(backups().size(), 2);
    }

    void theWindowKeepsTheNewestHundred() {
        QVERIFY(QDir().mkpath(folder()));
        for (int i = 0; i < BackupsKept; ++i)
            writeFile(folder() + "/" + backupFileName(at(i), "COM8"), "old");
        test::RadioGui gui;
        QVERIFY(gui.read());
        QTRY_VERIFY(!backups().contains(backupFileName(at(0), "COM8")));
        QCOMPARE(backups().size(), BackupsKept);
        QVERIFY(holdsRadioMemory(readFile(folder() + "/" + backups().last()), gui.radio().memory));
    }

    void aBackupThatFailsNeverFailsTheReadAndIsToldOnce() {
        blockFolder();
        test::RadioGui gui;
        QVERIFY(gui.read());
        QCOMPARE(gui.messages->messages.size(), 1);
        QCOMPARE(gui.messages->lastText(), QString("Complete reading the data from transceiver."));
        for (int a = 0; a < 1024; ++a)
            QCOMPARE(int(gui.state->RadioImage.byte(a / 16, a % 16)), int(gui.radio().memory[a]));
        const QString english = QString("Backup not written: cannot make %1").arg(folder());
        QTRY_COMPARE(gui.main->panelText(8), english);
        QTRY_VERIFY(!gui.main->child("Form_Comm_Read"));  // the window closed as always
        QCOMPARE(gui.messages->messages.size(), 1);       // no box of its own
        test::shot(gui.main.get(), "backup_failed_en");

        gui.main->Language_chn_Click();
        QCOMPARE(gui.main->panelText(8), QString());
        QVERIFY(gui.read());
        QTRY_COMPARE(gui.main->panelText(8),
                     QString("备份未写入：无法建立文件夹 %1").arg(folder()));
        test::shot(gui.main.get(), "backup_failed_zh");

        QVERIFY(QFile::remove(folder()));  // the next backup works and the text goes
        QVERIFY(gui.read());
        QTRY_COMPARE(backups().size(), 1);
        QTRY_COMPARE(gui.main->panelText(8), QString());
    }

    void theOpenDialogGoesToTheBackups() {
        test::Gui gui;
        auto* open = gui.main->openChild<Form_open_chann>();
        const int entry = open->Drive1->findText("Backups");
        QVERIFY(entry > 0);
        QCOMPARE(open->Drive1->itemData(entry, Qt::ToolTipRole).toString(), folder());
        QCOMPARE(open->Drive1->itemData(open->Drive1->count() - 1).toString(), QDir::homePath());
        QVERIFY(!QDir(folder()).exists());
        open->Drive1->activated(entry);  // made when chosen
        QVERIFY(QDir(folder()).exists());
        QCOMPARE(open->directory(), QDir(folder()).canonicalPath());
        QCOMPARE(open->Drive1->currentIndex(), entry);

        writeFile(folder() + "/" + backupFileName(at(0), "COM8"),
                  QByteArray::fromStdString(channelFileText(gui.image())));
        open->Drive1->activated(entry);
        QCOMPARE(open->File1->count(), 1);
        test::shot(gui.main.get(), "open_en_backups");

        auto* save = gui.main->openChild<Form_save_chann>();  // saves have no such entry
        QCOMPARE(save->Drive1->findText("Backups"), -1);

        gui.main->Language_chn_Click();
        open = gui.main->openChild<Form_open_chann>();
        QVERIFY(open->Drive1->findText("备份") > 0);
        test::shot(gui.main.get(), "open_zh_backups");
    }

    void aBackupFolderThatCannotBeMadeIsToldInTheDialog() {
        blockFolder();
        test::Gui gui;
        auto* open = gui.main->openChild<Form_open_chann>();
        const QString before = open->directory();
        open->Drive1->activated(open->Drive1->findText("Backups"));
        QCOMPARE(gui.messages->lastText(), QString("The folder %1 cannot be made.").arg(folder()));
        QCOMPARE(open->directory(), before);
        QVERIFY(open->Drive1->currentText() != "Backups");
    }

    void theCommandLineReadLeavesABackupToo() {
        const QString out = data->filePath("read.chann");
        Run r = cli({"--port", "3=virtual", "read", "COM3", out});
        QCOMPARE(r.code, 0);
        QCOMPARE(backups().size(), 1);
        QVERIFY(backups()[0].endsWith("_COM3.chann"));
        QCOMPARE(readFile(folder() + "/" + backups()[0]), readFile(out));

        // On a device path, through the real serial port layer: named after the device.
        VirtualRadio radio;
        PtyServer server(radio);
        std::string error;
        const QString pty = QString::fromStdString(server.open(&error));
        QVERIFY2(!pty.isEmpty(), error.c_str());
        std::atomic<bool> stop{false};
        std::thread serving([&] { server.serve(stop); });
        r = cli({"read", pty, data->filePath("pty.chann")});
        stop = true;
        serving.join();
        QCOMPARE(r.code, 0);
        QCOMPARE(backups().size(), 2);
        const QString name = backups().filter(portLabel(pty) + ".chann").value(0);
        QVERIFY2(!name.isEmpty(), qPrintable(backups().join(' ')));
        QVERIFY(holdsRadioMemory(readFile(folder() + "/" + name), radio.memory));
    }

    void aCommandLineBackupThatFailsIsToldAndTheReadSucceeds() {
        blockFolder();
        const QString out = data->filePath("read.chann");
        const Run r = cli({"--port", "3=virtual", "read", "COM3", out});
        QCOMPARE(r.code, 0);
        QVERIFY(
            r.err.contains(QString("nv742-cli: Backup not written: cannot make %1").arg(folder())));
        QVERIFY(r.err.contains("Complete reading the data from transceiver."));
        QVERIFY(!readFile(out).isEmpty());
    }
};

QTEST_MAIN(BackupTest)
#include "BackupTest.moc"
