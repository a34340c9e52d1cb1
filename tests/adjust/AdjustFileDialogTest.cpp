// The .adj dialogs and what the adjustment window does with the file they name.

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>

#include "AdjustGui.h"
#include "adjust/AdjustFile.h"
#include "adjust/AdjustFileDialogs.h"
#include "core/Defaults.h"
#include "files/ChannelFileDialogs.h"
#include "support/Activation.h"
#include "support/Shots.h"

using namespace nv;

class AdjustFileDialogTest : public QObject {
    Q_OBJECT
    std::unique_ptr<test::AdjustGui> gui;
    std::unique_ptr<QTemporaryDir> dir;
    frm_Adj_Txp* window = nullptr;

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
        gui->state->CurrentFilePath = path("start.adj").toStdString();  // the temp folder
        QTest::mouseClick(
            std::is_same_v<D, Form_open_adj> ? window->Command_Open : window->Command_Save,
            Qt::LeftButton);
        auto* d = qobject_cast<D*>(
            gui->main->child(std::is_same_v<D, Form_open_adj> ? "Form_open_adj" : "Form_save_adj"));
        if (d) d->Text1->setText(name);
        return d;
    }
    Form_save_adj* save(const QString& name) {
        auto* d = openDialog<Form_save_adj>(name);
        QTest::mouseClick(d->Command_enter, Qt::LeftButton);
        return d;
    }
    Form_open_adj* load(const QString& name) {
        auto* d = openDialog<Form_open_adj>(name);
        QTest::mouseClick(d->Command_enter, Qt::LeftButton);
        return d;
    }
    AdjustTable startup() {
        AdjustTable t;
        buildDefaultAdjustImage(t);
        return t;
    }

  private slots:
    void init() {
        gui = std::make_unique<test::AdjustGui>();
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(dir->isValid());
        window = gui->openAdjust();
        QVERIFY(window);
    }
    void cleanup() {
        gui.reset();
        dir.reset();
    }

    void saveRightAfterStartupAndLoadBack() {
        bool dialogGone = false;
        gui->messages->onMessage = [&] { dialogGone = !gui->main->child("Form_save_adj"); };
        save("start.adj");
        QVERIFY(dialogGone);  // the message comes after the dialog has closed
        QCOMPARE(gui->messages->lastTitle(), QString("Operate Prompt"));
        QCOMPARE(gui->messages->lastText(), QString("Complete storing optional parameters."));
        QCOMPARE(QString::fromStdString(gui->state->CurrentFilePath), path("start.adj"));
        const QByteArray file = readFile("start.adj");
        QCOMPARE(file.count("\r\n"), 7);
        QVERIFY(
            file.startsWith(" 38  38  38  38  39  40  41  42  43  60  22  15  0  18  10  1 \r\n"));
        QCOMPARE(file, QByteArray::fromStdString(adjustFileText(startup())));

        QTest::mouseClick(window->Check_PRE_TX, Qt::LeftButton);  // 18 -> 16
        gui->table()(5, 5) = 1;
        for (int c = 0; c < 16; ++c) {
            gui->table()(7, c) = 0x11;  // rows 7 to 10 are not in the file
            gui->table()(10, c) = 0x22;
        }
        window->ProgressBar1->show();
        window->Label_tr_count->setText("Complete writing optional parameters ");
        gui->messages->onMessage = [&] {
            dialogGone = !gui->main->child("Form_open_adj");
            QCOMPARE(window->Combo_Rx_VH->currentIndex(), 18);  // shown before the message
        };
        dialogGone = false;
        load("start.adj");
        QVERIFY(dialogGone);
        QCOMPARE(gui->messages->lastTitle(), QString("Operate Prompt"));
        QCOMPARE(gui->messages->lastText(),
                 QString("Succeed fold the optional parameters from file."));
        for (int r = 0; r < 7; ++r)
            for (int c = 0; c < 17; ++c) QCOMPARE(gui->table()(r, c), startup()(r, c));
        for (int c = 0; c < 16; ++c) {
            QCOMPARE(gui->table()(7, c), 0x11);
            QCOMPARE(gui->table()(10, c), 0x22);
        }
        QVERIFY(window->Check_PRE_TX->isChecked());
        QVERIFY(!window->ProgressBar1->isVisible());
        QCOMPARE(window->ProgressBar1->value(), 0);
        QCOMPARE(window->Label_tr_count->text(), QString());
    }

    void nameCheckMessages() {
        struct Case {
            const char* name;
            const char* openText;
            const char* saveText;
        };
        const char* openInvalid = "Open the file name of channel parameter is nullity ";
        const char* openSuffix = "Nullity file suffix name of adjust parameter.";
        const char* saveInvalid = "Store the file name of adjust parameter need is nullity. ";
        const char* saveSuffix = "Advice don't modify file suffix name of system default ！";
        const Case cases[] = {
            {"x.Adj", openSuffix, saveSuffix},     {"adj", openSuffix, saveSuffix},
            {"", openSuffix, saveSuffix},          {"x.adj.txt", openSuffix, saveSuffix},
            {"a#b.adj", openInvalid, saveInvalid}, {"*.adj", openInvalid, saveInvalid},
        };
        const AdjustTable before = gui->table();
        for (const Case& c : cases) {
            gui->messages->messages.clear();
            auto* o = load(c.name);
            QCOMPARE(gui->messages->lastText(), QString::fromUtf8(c.openText));
            QCOMPARE(gui->messages->lastTitle(), QString("Operate prompt"));
            QCOMPARE(gui->main->child("Form_open_adj"), o);  // stays open
            auto* s = save(c.name);
            QCOMPARE(gui->messages->lastText(), QString::fromUtf8(c.saveText));
            QCOMPARE(gui->main->child("Form_save_adj"), s);
            QCOMPARE(gui->messages->messages.size(), 2);
            QCOMPARE(QString::fromStdString(gui->state->CurrentFilePath), path("start.adj"));
        }
        QCOMPARE(QDir(dir->path()).entryList(QDir::Files).size(), 0);
        QCOMPARE(gui->table(), before);
        save(" UPPER.ADJ ");
        QVERIFY(QFile::exists(path("UPPER.ADJ")));
    }

    void brokenFilesAreRefusedAndTheTableStays() {
        const QByteArray good = QByteArray::fromStdString(adjustFileText(startup()));
        writeFile("short.adj", good.left(good.size() / 2));
        writeFile("letters.adj", QByteArray(good).replace(" 55 ", " 5x "));
        writeFile("big.adj", QByteArray(good).replace(" 60 ", " 256 "));
        writeFile("negative.adj", QByteArray(good).replace(" 60 ", " -5 "));
        writeFile("empty.adj", "");
        QDir(dir->path()).mkdir("folder.adj");
        QTest::mouseClick(window->Check_PRE_TX, Qt::LeftButton);  // 18 -> 16
        const AdjustTable before = gui->table();
        const QList<std::pair<QString, QString>> cases = {
            {"short.adj",
             "The adjust parameter file is incomplete: it holds 50 values, 112 are needed."},
            {"letters.adj", "The adjust parameter file has an invalid value \"5x\" in line 2."},
            {"big.adj", "The adjust parameter file has the value 256 in line 1, outside 0 to 255."},
            {"negative.adj",
             "The adjust parameter file has the value -5 in line 1, outside 0 to 255."},
            {"empty.adj",
             "The adjust parameter file is incomplete: it holds 0 values, 112 are needed."},
            {"missing.adj", "The adjust parameter file cannot be opened: " + path("missing.adj") +
                                " does not exist"},
            {"folder.adj",
             "The adjust parameter file cannot be opened: " + path("folder.adj") + " is a folder"},
        };
        for (const auto& [name, message] : cases) {
            load(name);
            QCOMPARE(gui->messages->lastText(), message);
            QCOMPARE(gui->messages->lastTitle(), QString("Operate prompt"));
            QCOMPARE(gui->table(), before);
            QCOMPARE(window->Combo_Rx_VH->currentIndex(), 16);
        }
        for (const auto& m : gui->messages->messages) QVERIFY(!m.text.startsWith("Succeed"));
        gui->main->Language_chn_Click();
        load("big.adj");
        QCOMPARE(gui->messages->lastTitle(), QString("操作提示"));
        QCOMPARE(gui->messages->lastText(),
                 QString("调整参数文件第 1 行的数值 256 超出 0 到 255 的范围 ！"));
        load("short.adj");
        QCOMPARE(gui->messages->lastText(),
                 QString("调整参数文件不完整：只有 50 个数值，需要 112 个 ！"));
        QCOMPARE(gui->table(), before);
    }

    void aFailedSaveSaysSo() {
        QDir(dir->path()).mkdir("taken.adj");
        save("taken.adj");
        QCOMPARE(gui->messages->lastText(), QString("The adjust parameters could not be stored: " +
                                                    path("taken.adj") + " is a folder"));
        QCOMPARE(gui->messages->lastTitle(), QString("Operate prompt"));
        gui->main->Language_chn_Click();
        save("taken.adj");
        QVERIFY(gui->messages->lastText().startsWith("调整参数保存失败："));
    }

    void theDialogsOwnPathIsUsedWhateverAChannelDialogDidSince() {
        QDir(dir->path()).mkdir("adj");
        QDir(dir->path()).mkdir("chann");
        gui->state->CurrentFilePath = path("adj/start.adj").toStdString();
        QTest::mouseClick(window->Command_Save, Qt::LeftButton);
        auto* d = qobject_cast<Form_save_adj*>(gui->main->child("Form_save_adj"));
        d->Text1->setText("mine.adj");
        // Meanwhile the channel file is saved elsewhere, which moves CurrentFilePath.
        gui->state->CurrentFilePath = path("chann/x.chann").toStdString();
        auto* c = gui->main->openChild<Form_save_chann>();
        c->Text1->setText("job.chann");
        QTest::mouseClick(c->Command_enter, Qt::LeftButton);
        QVERIFY(QFile::exists(path("chann/job.chann")));
        QTest::mouseClick(d->Command_enter, Qt::LeftButton);
        QVERIFY(QFile::exists(path("adj/mine.adj")));
        QVERIFY(!QFile::exists(path("chann/mine.adj")));
        QCOMPARE(gui->messages->lastText(), QString("Complete storing optional parameters."));
    }

    void refusedWhileATransferRuns() {
        writeFile("file.adj", QByteArray::fromStdString(adjustFileText(AdjustTable{})));
        auto* o = openDialog<Form_open_adj>("file.adj");
        auto* s = openDialog<Form_save_adj>("new.adj");
        gui->state->AdjustImageKnown = true;  // as after a read earlier in this run
        QTest::mouseClick(window->Command_write, Qt::LeftButton);
        QVERIFY(window->link().AdjWriting());
        const AdjustTable before = gui->table();
        QTest::mouseClick(o->Command_enter, Qt::LeftButton);
        QCOMPARE(gui->messages->lastText(), QString("Read-write operating with transceiver ."));
        QTest::mouseClick(s->Command_enter, Qt::LeftButton);
        QCOMPARE(gui->messages->messages.size(), 2);
        QCOMPARE(gui->messages->lastText(), QString("Read-write operating with transceiver ."));
        QCOMPARE(gui->table(), before);
        QVERIFY(!QFile::exists(path("new.adj")));
        QVERIFY(gui->waitForMessages(3));
        QCOMPARE(gui->messages->lastText(),
                 QString("Complete writing optional parameters to the transceiver."));
    }

    void chineseMessages() {
        gui->main->Language_chn_Click();
        const auto expect = [this](const char* text, const char* title) {
            QCOMPARE(gui->messages->lastText(), QString::fromUtf8(text));
            QCOMPARE(gui->messages->lastTitle(), QString::fromUtf8(title));
        };
        load("a#b.adj");
        expect("打开信道参数文件名无效 ", "操作提示");
        load("x.chann");
        expect("无效的调整参数文件后缀名！", "操作提示");
        save("a$b.adj");
        expect("保存调整参数所需要的文件名无效 ", "操作提示");
        save("x.txt");
        expect("建议不要修改系统默认的文件后缀名！", "操作提示");
        save("zh.adj");
        expect("调整参数保存完毕 ！", "操作提示");
        load("zh.adj");
        expect("调整参数从文件调入成功 ！", "操作提示");

        auto* o = openDialog<Form_open_adj>("zh.adj");
        QTest::mouseClick(window->Command_read, Qt::LeftButton);
        QTest::mouseClick(o->Command_enter, Qt::LeftButton);
        expect("正在与对讲机进行读写操作 ！", "操作提示");
        QVERIFY(gui->waitForMessages(8));
        expect("从对讲机中读取调整数据完毕 ！", "操作提示");
    }

    // Enter in the name box confirms; when a dialog closes, the adjustment window it was
    // opened from comes back to the front, not the channel grid.
    void enterConfirmsAndTheWindowComesBack() {
        QVERIFY(test::activated(gui->main.get()));
        QMdiArea* area = gui->main->workArea();
        auto* d = openDialog<Form_save_adj>("enter.adj");
        QTRY_COMPARE(area->activeSubWindow(), d->subWindow());
        d->Text1->setFocus();
        QTest::keyClick(d->Text1, Qt::Key_Return);
        QVERIFY(QFile::exists(path("enter.adj")));
        QCOMPARE(gui->messages->lastText(), QString("Complete storing optional parameters."));
        QTRY_COMPARE(area->activeSubWindow(), window->subWindow());

        auto* o = openDialog<Form_open_adj>("enter.adj");
        QTRY_COMPARE(area->activeSubWindow(), o->subWindow());
        QTest::mouseClick(o->Command_close, Qt::LeftButton);
        QTRY_COMPARE(area->activeSubWindow(), window->subWindow());
    }

    // An adjustment file given on the command line (a double click in a file manager) opens
    // the adjustment window and loads there; a wrong name gets the open dialog's message.
    void aFileNamedAtStartupOpensTheWindowAndLoads() {
        gui.reset();  // a main window without the adjustment window
        window = nullptr;
        gui = std::make_unique<test::AdjustGui>();
        QVERIFY(!gui->main->child("frm_Adj_Txp"));
        AdjustTable values = startup();
        values(2, 5) = 33;
        writeFile("double-click.ADJ", QByteArray::fromStdString(adjustFileText(values)));
        QVERIFY(isAdjustFileName(" double-click.ADJ"));
        QVERIFY(!isAdjustFileName("radio.chann"));

        QVERIFY(!openAdjustFileAtStartup(*gui->state, *gui->main, path("x.Adj")));
        QCOMPARE(gui->messages->lastText(),
                 QString("Nullity file suffix name of adjust parameter."));
        QVERIFY(!gui->main->child("frm_Adj_Txp"));

        QVERIFY(openAdjustFileAtStartup(*gui->state, *gui->main, path("double-click.ADJ")));
        auto* w = qobject_cast<frm_Adj_Txp*>(gui->main->child("frm_Adj_Txp"));
        QVERIFY(w);
        QCOMPARE(gui->messages->lastText(),
                 QString("Succeed fold the optional parameters from file."));
        QCOMPARE(int(gui->table()(2, 5)), 33);
        QCOMPARE(QString::fromStdString(gui->state->CurrentFilePath), path("double-click.ADJ"));
    }

    void captionsListsAndPattern() {
        writeFile("one.adj", "");
        writeFile("TWO.ADJ", "");
        writeFile("three.chann", "");
        auto* o = openDialog<Form_open_adj>("*.adj");
        QCOMPARE(o->windowTitle(), QString("Open Adjust File"));
        QCOMPARE(o->Label_drive->text(), QString("Drive:"));
        QCOMPARE(o->Label_name->text(), QString("Open File:"));
        QCOMPARE(o->Command_enter->text(), QString("Confirm"));
        QCOMPARE(o->Command_close->text(), QString("Cancel"));
        QStringList files;
        for (int i = 0; i < o->File1->count(); ++i) files << o->File1->item(i)->text();
        QCOMPARE(files, (QStringList{"one.adj", "TWO.ADJ"}));
        test::shot(gui->main.get(), "adjust_open_en");
        QTest::mouseClick(o->Command_close, Qt::LeftButton);
        QVERIFY(!gui->main->child("Form_open_adj"));
        auto* s = openDialog<Form_save_adj>("*.adj");
        QCOMPARE(s->windowTitle(), QString("Save Adjust File"));
        QCOMPARE(s->Label_name->text(), QString("Save File:"));

        gui->main->Language_chn_Click();
        window->Command_close->click();
        window = gui->openAdjust();
        auto* oz = openDialog<Form_open_adj>("*.adj");
        QCOMPARE(oz->windowTitle(), QString("打开调整参数文件"));
        QCOMPARE(oz->Label_drive->text(), QString("驱动器："));
        QCOMPARE(oz->Label_name->text(), QString("打开文件名："));
        QCOMPARE(oz->Command_enter->text(), QString("确  定"));
        QCOMPARE(oz->Command_close->text(), QString("取  消"));
        auto* sz = openDialog<Form_save_adj>("*.adj");
        QCOMPARE(sz->windowTitle(), QString("保存调整参数文件"));
        QCOMPARE(sz->Label_name->text(), QString("保存文件名："));
        test::shot(gui->main.get(), "adjust_save_zh");
    }
};

QTEST_MAIN(AdjustFileDialogTest)
#include "AdjustFileDialogTest.moc"
