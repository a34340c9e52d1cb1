#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QToolBar>
#include <QtTest>

#include "link/PortDirectory.h"
#include "support/Activation.h"
#include "support/FakePorts.h"
#include "support/MessageRecorder.h"
#include "support/Shots.h"
#include "ui/Form_setup.h"
#include "ui/Form_type.h"
#include "ui/MDImain.h"

using namespace nv;

class MainWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<AppState> state;
    std::shared_ptr<test::FakePortWorld> world;
    std::unique_ptr<MDImain> main;

    void start(std::set<int> openable, std::function<void()> onOpen = {}) {
        state = std::make_unique<AppState>();
        world = std::make_shared<test::FakePortWorld>();
        world->openable = std::move(openable);
        world->onOpen = std::move(onOpen);
        main = std::make_unique<MDImain>(*state, test::fakePortLayer(world));
        main->Form_Load();
    }
    QAction* item(const char* name) { return main->findChild<QAction*>(name); }

  private slots:
    void cleanup() {
        main.reset();
        state.reset();
    }

    void probeTakesTheHighestPortThatOpens() {
        start({3, 5});
        QCOMPARE(state->CommPortNumber, 5);
        QCOMPARE(state->PortOpenFailed, false);
        QCOMPARE(world->attempts, (std::vector<int>{8, 7, 6, 5}));
        QCOMPARE(main->panelText(3), QString("COM5"));
    }

    void probeWithoutPortsLeavesCom1AndFailed() {
        start({});
        QCOMPARE(state->CommPortNumber, 1);
        QCOMPARE(state->PortOpenFailed, true);
        QCOMPARE(world->attempts, (std::vector<int>{8, 7, 6, 5, 4, 3, 2, 1}));
        QCOMPARE(main->panelText(3), QString("COM1"));
    }

    void startupRunsInItsOrder() {
        // At the port probe the window is shown and captioned, the tables and the image not
        // built yet; the channel grid opens last.
        bool checked = false;
        start({4}, [&] {
            if (checked) return;
            checked = true;
            QVERIFY(main->isVisible());
            QCOMPARE(main->windowTitle(), QString("NV-742 series program software "));
            QCOMPARE(main->panelText(1), QString("State"));
            QCOMPARE(main->panelText(3), QString("COM0"));
            QCOMPARE(main->panelText(5), QString());
            QCOMPARE(state->VersionText, std::string("V13.10.25"));
            QVERIFY(state->ToneNames[1].empty());
            QCOMPARE(state->RadioImage(1, 3), 0);
            QVERIFY(!main->child("frm_chann"));
        });
        QVERIFY(checked);
        QCOMPARE(state->CommPortNumber, 4);
        QVERIFY(main->child("frm_chann"));
    }

    void everyMenuCaptionInChinese() {
        start({1});
        main->Language_chn_Click();
        const std::pair<const char*, const char*> captions[] = {{"File", "文件"},
                                                                {"File_New", "新建"},
                                                                {"File_Open", "打开"},
                                                                {"File_save", "保存"},
                                                                {"File_saveas", "另存为"},
                                                                {"File_exit", "退出"},
                                                                {"proc_type", "机型"},
                                                                {"Edit", "编辑"},
                                                                {"Channel_edit", "信道信息"},
                                                                {"Optional_edit", "可选功能"},
                                                                {"key_edit", "键设定"},
                                                                {"Scan_edit", "扫描信息"},
                                                                {"Dtmf_edit", "DTMF(双音多频)"},
                                                                {"Test_edit", "收音机编辑"},
                                                                {"eee", "--------------"},
                                                                {"Message_edit", "嵌入信息"},
                                                                {"Program", "编程"},
                                                                {"Prog_write", "向对讲机写入数据"},
                                                                {"Prog_test", "测试模式"},
                                                                {"Adjust", "调整"},
                                                                {"Adj_Txp", "发射功率调整"},
                                                                {"proc_setup", "端口设置"},
                                                                {"Other", "杂项"},
                                                                {"Language_Setup", "语言"},
                                                                {"Language_chn", "中文"},
                                                                {"Language_eng", "English"},
                                                                {"Menu_About", "关于"},
                                                                {"Menu_exit", "退出"}};
        for (const auto& [name, caption] : captions)
            QCOMPARE(item(name)->text(), QString::fromUtf8(caption));
        QVERIFY(!item("Prog_test")->isVisible());  // hidden items stay hidden
    }

    void startupSetsGlobalsCaptionsAndPanels() {
        start({1});
        QCOMPARE(main->windowTitle(), QString("NV-742 series program software "));
        QCOMPARE(QString::fromStdString(state->VersionText), QString("V13.10.25"));
        QCOMPARE(state->ModelIndex, 1);
        QCOMPARE(state->BandLowMHz, 400.0);
        QCOMPARE(state->BandHighMHz, 481.0);
        QCOMPARE(state->RadioImage(1, 3), 0x45);  // default image built
        QCOMPARE(state->AdjustImage(0, 9), 60);
        const QStringList panels = {"State",     "",     "COM1",           "  Version",
                                    "V13.10.25", "Band", " 400-- 480 MHZ", ""};
        for (int i = 0; i < 8; ++i) QCOMPARE(main->panelText(i + 1), panels[i]);
        const int percent[7] = {5, 11, 6, 8, 8, 5, 15};
        for (int i = 0; i < 7; ++i) {
            auto* panel = main->findChild<QLabel*>(QString("Panel%1").arg(i + 1));
            QCOMPARE(panel->width(), main->width() * percent[i] / 100);
        }
        QCOMPARE(item("Language_eng")->isChecked(), true);
        QCOMPARE(item("Language_chn")->isChecked(), false);
    }

    void menuTreeHasEveryItemShortcutAndHiddenState() {
        start({1});
        struct Expect {
            const char* name;
            const char* caption;
            bool shown;
            const char* shortcut;
        };
        const Expect items[] = {
            {"File", "File", true, ""},
            {"File_New", "New", true, "Ctrl+N"},
            {"File_Open", "Open", true, "Ctrl+O"},
            {"File_save", "Save", true, "Ctrl+S"},
            {"File_saveas", "Save As", true, ""},
            {"File_exit", "Exit", true, ""},
            {"proc_type", "Model", false, ""},
            {"Edit", "Edit", true, ""},
            {"Channel_edit", "Channel Information ", true, ""},
            {"Optional_edit", "Optional Features", true, ""},
            {"key_edit", "Key Assignment", false, ""},
            {"ggg", "--------------", true, ""},
            {"Scan_edit", "Scan Information", true, ""},
            {"Dtmf_edit", "DTMF", false, ""},
            {"Fleetsync_edit", "FleetSync", false, ""},
            {"Test_edit", "Radio", false, ""},
            {"eee", "--------------", false, ""},
            {"Message_edit", "Embedded Message", false, ""},
            {"Program", "Program", true, ""},
            {"Prog_read", "Read from radio", true, "Ctrl+R"},
            {"Prog_write", "Write to radio", true, "Ctrl+W"},
            {"Prog_test", "Test Mode", false, "Ctrl+T"},
            {"Adjust", "Adjust", false, ""},
            {"Adj_Txp", "Power Adjust", false, ""},
            {"proc_setup", "Communication", true, ""},
            {"Other", "Test", false, ""},
            {"Language_Setup", "Language", true, ""},
            {"Language_chn", "中文", true, ""},
            {"Language_eng", "English", true, ""},
            {"Menu_About", "About", false, ""},
            {"Menu_exit", "Exit", true, ""},
        };
        for (const Expect& e : items) {
            QAction* a = item(e.name);
            QVERIFY2(a, e.name);
            QCOMPARE(a->text(), QString::fromUtf8(e.caption));
            QCOMPARE(a->isVisible(), e.shown);
            QCOMPARE(a->isEnabled(), e.shown);
            QCOMPARE(a->shortcut(), QKeySequence(QString::fromLatin1(e.shortcut)));
        }
        auto* bar = main->findChild<QToolBar*>("Toolbar1");
        QStringList keys;
        for (QAction* a : bar->actions()) keys << a->property("key").toString();
        QCOMPARE(keys, (QStringList{"open", "save", "edit_chann", "read", "write", "Exit"}));
        QCOMPARE(bar->iconSize(), QSize(16, 16));
    }

    void serviceSwitchShowsOnlyTheHiddenCommandsThatOpenAWindow() {
        start({1});
        main->showServiceCommands();
        for (const char* name : {"proc_type", "eee"}) {
            QVERIFY2(item(name)->isVisible() && item(name)->isEnabled(), name);
        }
        // Hidden items without a window stay hidden: there is nothing behind them.
        for (const char* name :
             {"Dtmf_edit", "Fleetsync_edit", "Prog_test", "Adj_Txp", "Menu_About"})
            QVERIFY2(!item(name)->isVisible(), name);
        item("proc_type")->trigger();
        QVERIFY(main->child("Form_type"));
    }

    void languageSwitchRecaptionsTheMainWindowOnly() {
        start({1});
        auto* setup = main->openChild<Form_setup>();
        QCOMPARE(setup->windowTitle(), QString("Communication Port Setup"));
        item("Language_chn")->trigger();
        QCOMPARE(state->LanguageChinese, true);
        QCOMPARE(main->windowTitle(), QString("NV-742 系列对讲机编程软件"));
        QCOMPARE(item("File_Open")->text(), QString("打开"));
        QCOMPARE(item("Prog_read")->text(), QString("从对讲机读取数据"));
        QCOMPARE(item("Fleetsync_edit")->text(), QString("FleetSync(队列同步)"));
        QCOMPARE(item("ggg")->text(), QString("--------------"));
        QCOMPARE(item("Language_chn")->isChecked(), true);
        QCOMPARE(item("Language_eng")->isChecked(), false);
        QCOMPARE(main->panelText(1), QString("状态"));
        QCOMPARE(main->panelText(4), QString("软件版本"));
        QCOMPARE(main->panelText(6), QString("频段"));
        QCOMPARE(main->panelText(3), QString("COM1"));
        QCOMPARE(setup->windowTitle(), QString("Communication Port Setup"));  // keeps English
        QCOMPARE(setup->Command_ok->text(), QString("Confirm"));

        test::shot(main.get(), "main_zh_setup_en");
        auto* again = main->openChild<Form_setup>();
        test::shot(main.get(), "main_zh_setup_zh");
        QCOMPARE(again->windowTitle(), QString("通讯端口设置"));
        QCOMPARE(again->Command_ok->text(), QString("确 定"));
        QCOMPARE(again->Frame1->title(), QString("端口设置"));

        item("Language_eng")->trigger();
        QCOMPARE(main->windowTitle(), QString("NV-742 series program software "));
        QCOMPARE(item("Other")->text(), QString("Other"));  // was "Test" after start-up
        QCOMPARE(main->panelText(4), QString("  Version"));
        QCOMPARE(item("Language_eng")->isChecked(), true);
    }

    void openingAWindowAgainReplacesTheOldInstance() {
        start({1});
        auto* first = main->openChild<Form_setup>();
        QPointer<QWidget> old = first;
        auto* second = main->openChild<Form_setup>();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(old.isNull());
        QCOMPARE(main->child("Form_setup"), second);
        int open = 0;
        for (QMdiSubWindow* sub : main->workArea()->subWindowList())
            if (sub->widget() && sub->widget()->objectName() == "Form_setup") ++open;
        QCOMPARE(open, 1);
    }

    void portDialogConfirmsTheChosenPortAndShowsDevices() {
        start({1});
        item("proc_setup")->trigger();
        auto* setup = qobject_cast<Form_setup*>(main->child("Form_setup"));
        QVERIFY(setup);
        QCOMPARE(setup->Option[1]->isChecked(), true);
        QCOMPARE(setup->Device[1]->text(), QString("/dev/ttyS0"));
        for (int n = 1; n <= 8; ++n) QCOMPARE(setup->Option[n]->text(), QString("COM%1").arg(n));
        QTest::mouseClick(setup->Option[6], Qt::LeftButton);
        QTest::mouseClick(setup->Command_ok, Qt::LeftButton);
        QCOMPARE(state->CommPortNumber, 6);
        QCOMPARE(main->panelText(3), QString("COM6"));
        QTRY_VERIFY(!main->child("Form_setup"));

        auto* cancelled = main->openChild<Form_setup>();
        QCOMPARE(cancelled->Option[6]->isChecked(), true);
        QTest::mouseClick(cancelled->Option[2], Qt::LeftButton);
        QTest::mouseClick(cancelled->Command1, Qt::LeftButton);
        QCOMPARE(state->CommPortNumber, 6);
    }

    void modelDialogConfirmAndCancel() {
        start({1});
        auto* form = main->openChild<Form_type>();
        QCOMPARE(form->windowTitle(), QString("Model Select"));
        QCOMPARE(form->Combo_type->count(), 3);
        QCOMPARE(form->Combo_type->currentText(), QString("K61-UHF"));
        QCOMPARE(form->Label_band->text(), QString(" 400 --  481"));
        test::shot(main.get(), "main_en_type_en");
        QTest::keyClicks(form->Combo_type, "K");  // typing has no effect
        QCOMPARE(form->Combo_type->currentIndex(), 1);
        form->Combo_type->setCurrentIndex(0);
        QCOMPARE(form->Label_band->text(), QString(" 136 --  175"));
        QTest::mouseClick(form->Command_Cancel, Qt::LeftButton);
        QCOMPARE(state->ModelIndex, 1);
        QCOMPARE(state->BandLowMHz, 400.0);

        form = main->openChild<Form_type>();
        form->Combo_type->setCurrentIndex(0);
        QTest::mouseClick(form->Command_enter, Qt::LeftButton);
        QCOMPARE(state->ModelIndex, 0);
        QCOMPARE(state->BandLowMHz, 136.0);
        QCOMPARE(state->BandHighMHz, 175.0);
        QCOMPARE(main->panelText(7), QString(" 136-- 174 MHZ"));

        main->Language_chn_Click();
        form = main->openChild<Form_type>();
        QCOMPARE(form->windowTitle(), QString("机型选择"));
        QCOMPARE(form->Label1->text(), QString("机  型"));
        QCOMPARE(form->Command_Cancel->text(), QString("取 消"));
        QCOMPARE(form->Combo_type->currentIndex(), 0);
        test::shot(main.get(), "main_zh_type_zh");
    }

    void messagesCarryTheTitleOfTheLanguage() {
        start({1});
        test::MessageRecorder recorder;
        prompt(*state, main.get(), "中文", "English text");
        promptDone(*state, main.get(), "完毕", "Done");
        main->Language_chn_Click();
        prompt(*state, main.get(), "中文", "English text");
        QCOMPARE(recorder.messages.size(), 3);
        QCOMPARE(recorder.messages[0].title, QString("Operate prompt"));
        QCOMPARE(recorder.messages[0].text, QString("English text"));
        QCOMPARE(recorder.messages[1].title, QString("Operate Prompt"));
        QCOMPARE(recorder.messages[2].title, QString("操作提示"));
        QCOMPARE(recorder.messages[2].text, QString("中文"));
    }

    void portMapPutsAdaptersLastAndTakesOptions() {
        QCOMPARE(PortDirectory::orderDevices({"/dev/ttyS1", "/dev/ttyS0"}, {"/dev/ttyUSB0"}),
                 (QStringList{"/dev/ttyS0", "/dev/ttyS1", "/dev/ttyUSB0"}));
        PortDirectory d;
        QString error;
        QVERIFY(d.assignFromOption("3=/dev/pts/7", &error));
        QCOMPARE(d.target(3), QString("/dev/pts/7"));
        QVERIFY(d.assignFromOption("5=virtual", &error));
        QVERIFY(d.isVirtual(5));
        for (const char* bad : {"9=/dev/x", "0=/dev/x", "x=/dev/x", "3=", "/dev/x"}) {
            QVERIFY(!d.assignFromOption(bad, &error));
            QVERIFY(error.contains("--port expects N=PATH"));
        }
    }

    void menuShortcutsWorkWhileChildWindowsAreOpen() {
        start({1});
        QVERIFY(test::activated(main.get()));
        QVERIFY(main->child("frm_chann"));  // open since start-up
        const std::pair<Qt::Key, const char*> shortcuts[] = {{Qt::Key_W, "Form_Comm_Write"},
                                                             {Qt::Key_R, "Form_Comm_Read"},
                                                             {Qt::Key_O, "Form_open_chann"},
                                                             {Qt::Key_S, "Form_save_chann"},
                                                             {Qt::Key_W, "Form_Comm_Write"}};
        for (const auto& [key, window] : shortcuts) {
            main->closeChild(window);
            QWidget* focus = QApplication::focusWidget();
            QTest::keyClick(focus ? focus : main.get(), key, Qt::ControlModifier);
            QVERIFY2(main->child(window), window);
        }
    }

    void standardButtonsFollowTheLanguageOfTheMoment() {
        start({1});
        // The real box: its button text comes from the toolkit's own catalogue.
        QStringList buttons;
        QTimer closer;
        closer.setInterval(10);
        connect(&closer, &QTimer::timeout, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                buttons << box->button(QMessageBox::Ok)->text();
                test::shot(box, QString("message_box_%1").arg(buttons.size()));
                box->accept();
            }
        });
        closer.start();
        main->Language_chn_Click();
        prompt(*state, main.get(), "中文", "English");
        main->Language_eng_Click();
        prompt(*state, main.get(), "中文", "English");
        main->Language_chn_Click();
        prompt(*state, main.get(), "中文", "English");
        QCOMPARE(buttons, (QStringList{"确定", "OK", "确定"}));

        // The child frames' translated menus keep the keys free.
        QVERIFY(test::activated(main.get()));
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus ? focus : main.get(), Qt::Key_W, Qt::ControlModifier);
        QVERIFY(main->child("Form_Comm_Write"));
    }

    void exitClosesEverything() {
        start({1});
        main->openChild<Form_setup>();
        item("File_exit")->trigger();
        QVERIFY(!main->isVisible());
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
