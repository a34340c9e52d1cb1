#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

#include "channels/frm_chann.h"
#include "core/ChannelFile.h"
#include "files/ChannelFileDialogs.h"
#include "support/FifoGuard.h"
#include "support/FileSizeLimit.h"
#include "support/FsUser.h"
#include "support/GuiFixture.h"
#include "support/Shots.h"
#include "support/Wheel.h"

using namespace nv;

class ChannelFileDialogTest : public QObject {
    Q_OBJECT
    std::unique_ptr<test::Gui> gui;
    std::unique_ptr<QTemporaryDir> dir;

    QString path(const QString& name) const { return dir->filePath(name); }
    void writeFile(const QString& name, const QByteArray& data) {
        QFile f(path(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(data);
    }
    QByteArray readFile(const QString& name) {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    template <class D>
    D* openDialog(const QString& name) {
        gui->state->CurrentFilePath =
            path("start.chann").toStdString();  // starts in the temp folder
        auto* d = gui->main->openChild<D>();
        d->Text1->setText(name);
        return d;
    }
    void save(const QString& name) {
        auto* d = openDialog<Form_save_chann>(name);
        QTest::mouseClick(d->Command_enter, Qt::LeftButton);
    }
    Form_open_chann* load(const QString& name) {
        auto* d = openDialog<Form_open_chann>(name);
        QTest::mouseClick(d->Command_enter, Qt::LeftButton);
        return d;
    }
    QByteArray canonical(const Image& im) { return QByteArray::fromStdString(channelFileText(im)); }

  private slots:
    void init() {
        gui = std::make_unique<test::Gui>();
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(dir->isValid());
        QFile::setPermissions(dir->path(), QFile::permissions(dir->path()) | QFileDevice::ExeOther |
                                               QFileDevice::ReadOther);
    }
    void cleanup() {
        gui.reset();
        dir.reset();
    }

    void saveRightAfterStartupAndLoadBack() {
        gui->image()(3, 17) = 9;  // a spare cell travels with the file
        gui->image()(53, 21) = 200;
        const Image saved = gui->image();
        save("start.chann");
        QCOMPARE(gui->messages->lastTitle(), QString("Operate prompt"));
        QCOMPARE(gui->messages->lastText(), QString("Complete storing channel parameter."));
        QVERIFY(!gui->main->child("Form_save_chann"));
        QCOMPARE(QString::fromStdString(gui->state->CurrentFilePath), path("start.chann"));
        const QByteArray file = readFile("start.chann");
        QCOMPARE(file, canonical(saved));
        QCOMPARE(file.count("\r\n"), 54);
        QVERIFY(file.startsWith(" 255  255  255 "));  // row 0 is all 0xFF

        for (int r = 0; r < 54; ++r)
            for (int c = 0; c < 22; ++c) gui->image()(r, c) = 1;
        gui->image()(60, 3) = 5;
        gui->image()(10, 25) = 6;
        load("start.chann");
        QCOMPARE(gui->messages->lastText(),
                 QString("Succeed fold the channel parameter from file."));
        QVERIFY(!gui->main->child("Form_open_chann"));
        for (int r = 0; r < 54; ++r)
            for (int c = 0; c < 22; ++c) QCOMPARE(gui->image()(r, c), saved(r, c));
        QCOMPARE(gui->image()(60, 3), 5);   // rows 54 and above are not in the file
        QCOMPARE(gui->image()(10, 25), 6);  // nor cells 22 and above
    }

    void otherLayoutsLoadTheSame() {
        Image im;
        for (int r = 0; r < 54; ++r)
            for (int c = 0; c < 22; ++c) im(r, c) = static_cast<Int16>((r + c) % 256);
        QByteArray text = canonical(im);
        QByteArray commas = text.trimmed().replace("  ", ",").replace("\r\n ", "\r\n");
        QByteArray onePerLine = text.simplified().replace(' ', '\n');
        QByteArray lfOnly = QByteArray(text).replace("\r\n", "\n");
        int k = 0;
        for (const QByteArray& variant : {commas, onePerLine, lfOnly}) {
            const QString name = QString("variant%1.chann").arg(k++);
            writeFile(name, variant);
            gui->image() = Image{};
            load(name);
            QCOMPARE(gui->messages->lastText(),
                     QString("Succeed fold the channel parameter from file."));
            for (int r = 0; r < 54; ++r)
                for (int c = 0; c < 22; ++c) QCOMPARE(gui->image()(r, c), im(r, c));
        }
    }

    void nameCheckMessages() {
        struct Case {
            const char* name;
            const char* openText;
            const char* saveText;
        };
        const char* openInvalid = "Open the file name of channel parameter is nullity ";
        const char* openSuffix = "Nullity file suffix name of channel parameter.";
        const char* saveInvalid = "Store the file name of channel parameter need is nullity. ";
        const char* saveSuffix = "Advice don't modify file suffix name of system default ！";
        const Case cases[] = {
            {"abc.Chann", openSuffix, saveSuffix},       {"abc.chann.txt", openSuffix, saveSuffix},
            {"abcdefg", openSuffix, saveSuffix},         {"abc", openSuffix, saveSuffix},
            {"my#file.chann", openInvalid, saveInvalid}, {"a$b.chann", openInvalid, saveInvalid},
            {"*.chann", openInvalid, saveInvalid},
        };
        for (const Case& c : cases) {
            gui->messages->messages.clear();
            auto* o = openDialog<Form_open_chann>(c.name);
            QTest::mouseClick(o->Command_enter, Qt::LeftButton);
            QCOMPARE(gui->messages->lastText(), QString::fromUtf8(c.openText));
            QCOMPARE(gui->main->child("Form_open_chann"), o);  // stays open
            auto* s = openDialog<Form_save_chann>(c.name);
            QTest::mouseClick(s->Command_enter, Qt::LeftButton);
            QCOMPARE(gui->messages->lastText(), QString::fromUtf8(c.saveText));
            QCOMPARE(gui->messages->messages.size(), 2);
        }
        QCOMPARE(QDir(dir->path()).entryList(QDir::Files).size(), 0);

        save("  ABC.CHANN  ");  // spaces around the name are not part of it
        QVERIFY(QFile::exists(path("ABC.CHANN")));
    }

    void brokenFilesAreRefusedAndTheImageStays() {
        Image good;
        QByteArray text = canonical(good);
        writeFile("short.chann", text.left(text.size() / 2));
        writeFile("letters.chann", QByteArray(text).replace(68 * 2 + 1, 1, "q"));
        writeFile("big.chann", QByteArray(text).replace(68 * 5, 3, "300"));
        writeFile("negative.chann", QByteArray(text).replace(68 * 7, 3, " -1"));
        writeFile("empty.chann", "");
        QDir(dir->path()).mkdir("folder.chann");
        const Image before = gui->image();
        const QList<std::pair<QString, QString>> cases = {
            {"short.chann",
             "The channel parameter file is incomplete: it holds 594 values, 1188 are needed."},
            {"letters.chann", "The channel parameter file has an invalid value \"q\" in line 3."},
            {"big.chann",
             "The channel parameter file has the value 300 in line 6, outside 0 to 255."},
            {"negative.chann",
             "The channel parameter file has the value -1 in line 8, outside 0 to 255."},
            {"empty.chann",
             "The channel parameter file is incomplete: it holds 0 values, 1188 are needed."},
            {"missing.chann", "The channel parameter file cannot be opened: " +
                                  path("missing.chann") + " does not exist"},
            {"folder.chann", "The channel parameter file cannot be opened: " +
                                 path("folder.chann") + " is a folder"},
        };
        for (const auto& [name, message] : cases) {
            auto* d = load(name);
            QCOMPARE(gui->messages->lastText(), message);
            QCOMPARE(gui->messages->lastTitle(), QString("Operate prompt"));
            QCOMPARE(gui->main->child("Form_open_chann"), d);
            QCOMPARE(gui->image(), before);
        }
        gui->main->Language_chn_Click();
        load("big.chann");
        QCOMPARE(gui->messages->lastTitle(), QString("操作提示"));
        QCOMPARE(gui->messages->lastText(),
                 QString("信道参数文件第 6 行的数值 300 超出 0 到 255 的范围 ！"));
        load("missing.chann");
        QCOMPARE(gui->messages->lastText(),
                 "信道参数文件无法打开：" + path("missing.chann") + " 不存在");
        load("folder.chann");
        QCOMPARE(gui->messages->lastText(),
                 "信道参数文件无法打开：" + path("folder.chann") + " 是文件夹");
    }

    void aHugeOrOddTokenIsShownCut() {
        const QByteArray text = canonical(Image{});
        writeFile("huge.chann", QByteArray(text).replace(68 * 2 + 1, 1, QByteArray(900000, 'x')));
        writeFile("nul.chann", QByteArray(text).replace(68 * 2 + 1, 1, QByteArray("12\0", 3)));
        QElapsedTimer clock;
        clock.start();
        load("huge.chann");
        QVERIFY(clock.elapsed() < 2000);
        QCOMPARE(gui->messages->lastText(), "The channel parameter file has an invalid value \"" +
                                                QString(40, 'x') + "…\" in line 3.");
        load("nul.chann");
        QCOMPARE(gui->messages->lastText(),
                 QString("The channel parameter file has an invalid value \"12\\0\" in line 3."));
        gui->main->Language_chn_Click();
        load("huge.chann");
        QCOMPARE(gui->messages->lastText(),
                 "信道参数文件第 3 行有无效的数值 “" + QString(40, 'x') + "…” ！");
    }

    void unreadableFileIsRefused() {
        writeFile("locked.chann", canonical(Image{}));
        QFile::setPermissions(path("locked.chann"), QFileDevice::Permissions{});
        QDir(dir->path()).mkdir("shut");
        writeFile("shut/in.chann", canonical(Image{}));
        QFile::setPermissions(path("shut"), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        const Image before = gui->image();
        test::AsUnprivilegedUser user;
        load("locked.chann");
        QCOMPARE(gui->messages->lastText(),
                 QString("The channel parameter file cannot be opened: permission denied"));
        QCOMPARE(gui->image(), before);
        // In a folder that may not be searched the file is there, only out of reach.
        gui->main->Language_chn_Click();
        loadChannelFile(*gui->state, nullptr, path("shut/in.chann"));
        QCOMPARE(gui->messages->lastText(), QString("信道参数文件无法打开：没有权限"));
    }

    void saveIntoAReadOnlyFolderKeepsTheOldFile() {
        QDir(dir->path()).mkdir("ro");
        writeFile("ro/old.chann", "old contents");
        QFile::setPermissions(path("ro"), QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                              QFileDevice::ReadOther | QFileDevice::ExeOther);
        {
            test::AsUnprivilegedUser user;
            gui->state->CurrentFilePath = path("ro/old.chann").toStdString();
            auto* d = gui->main->openChild<Form_save_chann>();
            QCOMPARE(d->directory(), QDir(path("ro")).canonicalPath());
            d->Text1->setText("old.chann");
            QTest::mouseClick(d->Command_enter, Qt::LeftButton);
            QVERIFY(gui->messages->lastText().startsWith(
                "The channel parameter could not be stored: "));
            QCOMPARE(gui->main->child("Form_save_chann"), d);
        }
        QFile::setPermissions(path("ro"), QFile::permissions(path("ro")) | QFileDevice::WriteOwner);
        QCOMPARE(readFile("ro/old.chann"), QByteArray("old contents"));
        QCOMPARE(QDir(path("ro")).entryList(QDir::Files | QDir::Hidden), QStringList{"old.chann"});
    }

    void aSaveThatRunsOutOfRoomKeepsTheOldFileAndSaysSo() {
        const QByteArray old = canonical(Image{});
        writeFile("full.chann", old);
        QVERIFY(canonical(gui->image()).size() > 2048);
        // The write error of a full disk shows only when the buffered data is flushed.
        const test::ChildResult child = test::runWithFileSizeLimit(2048, [&] {
            QByteArray seen;
            for (bool chinese : {false, true}) {
                if (chinese) gui->main->Language_chn_Click();
                auto* d = openDialog<Form_save_chann>("full.chann");
                QTest::mouseClick(d->Command_enter, Qt::LeftButton);
                seen += gui->messages->lastText().toUtf8() + '\n';
                seen += gui->main->child("Form_save_chann") == d ? "open\n" : "closed\n";
            }
            return seen;
        });
        QVERIFY(child.exitedNormally);
        const QList<QByteArray> lines = child.output.split('\n');
        QVERIFY2(lines.size() >= 4, child.output.constData());
        QVERIFY2(lines[0].startsWith("The channel parameter could not be stored: "),
                 lines[0].constData());
        QCOMPARE(lines[1], QByteArray("open"));
        // The system's words are English only; the common reasons have Chinese texts.
        QCOMPARE(QString::fromUtf8(lines[2]), QString("信道参数保存失败：文件超出允许的大小"));
        QCOMPARE(lines[3], QByteArray("open"));
        QCOMPARE(readFile("full.chann"), old);
        QCOMPARE(QDir(dir->path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{"full.chann"});
    }

    void somethingOtherThanAPlainFileIsRefusedBeforeItIsOpened() {
        test::FifoGuard fifo(path("pipe.chann"));
        QVERIFY(fifo.made());
        const Image before = gui->image();
        load("pipe.chann");
        QVERIFY(!fifo.hadToUnblock());
        QCOMPARE(gui->messages->lastText(), "The channel parameter file cannot be opened: " +
                                                path("pipe.chann") + " is not a regular file");
        QCOMPARE(gui->image(), before);

        save("pipe.chann");
        QCOMPARE(gui->messages->lastText(), "The channel parameter could not be stored: " +
                                                path("pipe.chann") + " is not a regular file");
        QVERIFY(fifo.stillAFifo());
        QVERIFY(gui->main->child("Form_save_chann"));
    }

    void listsFollowDrivesFoldersAndPattern() {
        writeFile("one.chann", "");
        writeFile("TWO.CHANN", "");
        writeFile("other.txt", "");
        QDir(dir->path()).mkdir("sub");
        writeFile("sub/three.chann", "");
        auto* d = openDialog<Form_open_chann>("*.chann");
        QCOMPARE(d->windowTitle(), QString("Open Channcle File"));
        QCOMPARE(d->Label_drive->text(), QString("Drive:"));
        QCOMPARE(d->Label_name->text(), QString("Open File:"));
        QCOMPARE(d->Text1->text(), QString("*.chann"));
        QCOMPARE(d->directory(), QDir(dir->path()).canonicalPath());
        QStringList files;
        for (int i = 0; i < d->File1->count(); ++i) files << d->File1->item(i)->text();
        QCOMPARE(files, (QStringList{"one.chann", "TWO.CHANN"}));
        QTest::mouseClick(d->File1->viewport(), Qt::LeftButton, {},
                          d->File1->visualItemRect(d->File1->item(1)).center());
        QCOMPARE(d->Text1->text(), QString("TWO.CHANN"));

        QListWidgetItem* sub = d->Dir1->findItems("sub", Qt::MatchEndsWith).value(0);
        QVERIFY(sub);
        QTest::mouseClick(d->Dir1->viewport(), Qt::LeftButton, {},
                          d->Dir1->visualItemRect(sub).center());
        QCOMPARE(d->directory(), QDir(path("sub")).canonicalPath());
        QCOMPARE(d->File1->count(), 1);
        QCOMPARE(d->Drive1->itemData(0).toString(), QString("/"));
        QCOMPARE(d->Drive1->itemData(d->Drive1->count() - 1).toString(), QDir::homePath());
        const QString folder = d->directory();
        const int drive = d->Drive1->currentIndex();
        d->Text1->setFocus();
        QTRY_VERIFY(d->Text1->hasFocus());
        for (int notches : {-1, 1, 1}) test::turnWheel(d->Drive1, notches);  // scrolling past
        QCOMPARE(d->Drive1->currentIndex(), drive);
        QCOMPARE(d->directory(), folder);
        d->Drive1->activated(0);  // choosing the root drive moves both lists there
        QCOMPARE(d->directory(), QString("/"));
        test::shot(gui->main.get(), "open_en");
    }

    void theFileListShowsExactlyWhatTheNameCheckAccepts() {
        for (const char* name : {"one.chann", "TWO.CHANN", "x.Chann", "y.cHANN", "a#b.chann",
                                 "c$d.chann", " lead.chann", "trail.chann "})
            writeFile(name, "");
        for (auto* d : std::initializer_list<FileDialog*>{openDialog<Form_open_chann>("*.chann"),
                                                          openDialog<Form_save_chann>("*.chann")}) {
            QStringList files;
            for (int i = 0; i < d->File1->count(); ++i) files << d->File1->item(i)->text();
            QCOMPARE(files, (QStringList{"one.chann", "TWO.CHANN"}));
        }
    }

    void startsInTheHomeFolderWithoutACurrentFile() {
        auto* d = gui->main->openChild<Form_save_chann>();
        QCOMPARE(d->directory(), QDir(QDir::homePath()).canonicalPath());
        QCOMPARE(d->windowTitle(), QString("Save Channel File"));
        QCOMPARE(d->Label_name->text(), QString("Save File:"));
        QCOMPARE(d->Command_enter->text(), QString("Confirm"));
        QCOMPARE(d->Command_close->text(), QString("Cancel"));
        test::shot(gui->main.get(), "save_en");
    }

    void chineseCaptions() {
        gui->main->Language_chn_Click();
        auto* o = gui->main->openChild<Form_open_chann>();
        QCOMPARE(o->windowTitle(), QString("打开信道参数文件"));
        QCOMPARE(o->Label_drive->text(), QString("驱动器："));
        QCOMPARE(o->Label_name->text(), QString("打开文件名："));
        QCOMPARE(o->Command_enter->text(), QString("确  定"));
        QCOMPARE(o->Command_close->text(), QString("取  消"));
        test::shot(gui->main.get(), "open_zh");
        auto* s = gui->main->openChild<Form_save_chann>();
        QCOMPARE(s->windowTitle(), QString("保存信道参数文件"));
        QCOMPARE(s->Label_name->text(), QString("保存文件名："));
        test::shot(gui->main.get(), "save_zh");
    }

    void menuCommandsOpenTheDialogsAndTheGridClosesThem() {
        gui->main->findChild<QAction*>("File_Open")->trigger();
        QVERIFY(gui->main->child("Form_open_chann"));
        gui->main->findChild<QAction*>("File_saveas")->trigger();
        QVERIFY(gui->main->child("Form_save_chann"));
        auto* grid = gui->window<frm_chann>("frm_chann");
        QTest::mouseClick(grid->Command_close, Qt::LeftButton);
        QVERIFY(!gui->main->child("Form_open_chann"));
        QVERIFY(!gui->main->child("Form_save_chann"));
        QVERIFY(!gui->main->child("frm_chann"));
    }

    void theGridShowsLoadedValuesWhenActivated() {
        Image im = gui->image();
        im(1, 3) = 0x47;
        writeFile("loaded.chann", canonical(im));
        auto* grid = gui->window<frm_chann>("frm_chann");
        load("loaded.chann");
        gui->main->workArea()->setActiveSubWindow(grid->subWindow());
        QCOMPARE(grid->MSF_chann->item(1, 1)->text(), QString("470.02500"));
    }
};

QTEST_MAIN(ChannelFileDialogTest)
#include "ChannelFileDialogTest.moc"
