// The adjustment window: its controls and captions, edits landing in the adjustment table,
// the shared cells of the sensitivity lists and switch boxes, and its link through the
// built-in virtual radio.

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>

#include "AdjustGui.h"
#include "adjust/AdjustData.h"
#include "adjust/AdjustFile.h"
#include "core/Defaults.h"
#include "link/CommWindows.h"
#include "support/GuiFixture.h"
#include "support/Shots.h"
#include "support/Wheel.h"

using namespace nv;

class AdjustWindowTest : public QObject {
    Q_OBJECT
    std::unique_ptr<test::AdjustGui> gui;

    AdjustTable startup() {
        AdjustTable t;
        buildDefaultAdjustImage(t);
        return t;
    }
    template <class W = QComboBox>
    W* control(frm_Adj_Txp* w, const char* name) {
        W* c = w->findChild<W*>(name);
        if (!c) qWarning("no control %s", name);
        return c;
    }
    QList<bool> boxes(const std::array<QCheckBox*, 4>& b) {
        return {b[0]->isChecked(), b[1]->isChecked(), b[2]->isChecked(), b[3]->isChecked()};
    }
    std::array<QCheckBox*, 4> transmitBoxes(frm_Adj_Txp* w) {
        return {w->Check_WN_TX, w->Check_PRE_TX, w->Check_V_HPF_TX, w->Check_V_LPF_TX};
    }
    std::array<QCheckBox*, 4> receiveBoxes(frm_Adj_Txp* w) {
        return {w->Check_WN_RX, w->Check_PRE_RX, w->Check_V_HPF_RX, w->Check_V_LPF_RX};
    }

    // A check box as wide as its column takes clicks only on its box and its text.
    static QPoint onTheBox(QCheckBox* box) { return QPoint(6, box->height() / 2); }

  private slots:
    void init() { gui = std::make_unique<test::AdjustGui>(); }
    void cleanup() { gui.reset(); }

    void opensWithEveryControlAndTheStartupValues() {
        gui->state->ReplyTable(3, 3) = 9;  // a read window's reply: opening leaves it alone
        auto* w = gui->openAdjust();
        QVERIFY(w);
        QCOMPARE(w->windowTitle(), QString("Test"));
        QCOMPARE(w->Command_read->text(), QString("Read"));
        QCOMPARE(w->Command_write->text(), QString("Write"));
        QCOMPARE(w->Command_close->text(), QString("Close"));
        QCOMPARE(w->Command_Open->text(), QString("打开"));
        QCOMPARE(w->Command_Save->text(), QString("保存"));
        QCOMPARE(w->Label_ver->text(), QString("MCU Version"));
        QCOMPARE(w->Label2->text(), QString("静噪打开值"));
        QCOMPARE(w->Label9->text(), QString("静噪开启修正值"));
        QCOMPARE(w->Frame_Txp_H->title(), QString("高功率"));
        QCOMPARE(w->Frame_Txp_L->title(), QString("低功率"));
        QCOMPARE(w->Frame_TX->title(), QString("发射"));
        QCOMPARE(w->Frame_RX->title(), QString("接收"));
        QCOMPARE(w->Check_PRE_TX->text(), QString("预加重"));
        QCOMPARE(w->Check_PRE_RX->text(), QString("去加重"));
        QCOMPARE(w->Check_V_LPF_RX->text(), QString("语音低通"));
        QCOMPARE(w->Check_VHF_UHF->text(), QString("VHF/UHF"));
        QCOMPARE(w->Label_Rx_VL->text(), QString("调制灵敏度细调"));
        QCOMPARE(control<QLabel>(w, "Label1_9")->text(), QString("9"));
        QVERIFY(!w->findChild<QComboBox*>("Combo_sq_open_0"));  // level 0 has no cell

        struct List {
            const char* name;
            int items;
            int selected;
        };
        const List lists[] = {
            {"Combo_sq_open_1", 128, 38},  {"Combo_sq_open_9", 128, 43},
            {"Combo_SQL_Offset_0", 32, 0}, {"Combo_SQL_Offset_9", 32, 9},
            {"Combo_Txp_H_0", 56, 55},     {"Combo_Txp_L_9", 56, 10},
            {"Combo_dev_Voice", 128, 60},  {"Combo_dev_ctcss", 64, 22},
            {"Combo_dev_dcs", 64, 15},     {"Combo_Rx_VH", 128, 18},
            {"Combo_Rx_VL", 16, 10},
        };
        for (const List& l : lists) {
            QComboBox* c = control(w, l.name);
            QVERIFY(c);
            QCOMPARE(c->count(), l.items);
            QCOMPARE(c->itemText(0), QString(" 0"));
            QCOMPARE(c->itemText(l.items - 1), QString(" %1").arg(l.items - 1));
            QCOMPARE(c->currentIndex(), l.selected);
            QVERIFY(!c->isEditable());
        }
        QCOMPARE(w->Combo_JT->count(), 2);
        QCOMPARE(w->Combo_JT->itemText(0), QString("26 M"));
        QCOMPARE(w->Combo_JT->itemText(1), QString("13 M"));
        QCOMPARE(w->Combo_JT->currentIndex(), -1);
        QVERIFY(!w->Combo_JT->isVisible());
        // 18 = pre-emphasis on transmit; 10 = de-emphasis and voice low-pass on receive.
        QCOMPARE(boxes(transmitBoxes(w)), (QList<bool>{false, true, false, false}));
        QCOMPARE(boxes(receiveBoxes(w)), (QList<bool>{false, true, false, true}));
        QCOMPARE(control<QLabel>(w, "Label_Freq_0")->text(), QString("400"));
        QCOMPARE(control<QLabel>(w, "Label_TXP_H_9")->text(), QString("490"));
        QCOMPARE(control<QLabel>(w, "Label_Txp_L_5")->text(), QString("450"));
        QCOMPARE(w->Label_version->text(), QString());
        QVERIFY(!w->ProgressBar1->isVisible());
        QCOMPARE(gui->table(), startup());
        QCOMPARE(gui->state->ReplyTable(3, 3), 9);
        test::shot(gui->main.get(), "adjust_en_startup");
    }

    void chineseCaptions() {
        gui->main->Language_chn_Click();
        auto* w = gui->openAdjust();
        QCOMPARE(w->windowTitle(), QString("调试"));
        QCOMPARE(w->Command_read->text(), QString("读取"));
        QCOMPARE(w->Command_write->text(), QString("写入"));
        QCOMPARE(w->Command_close->text(), QString("关闭"));
        QCOMPARE(w->Label_ver->text(), QString("MCU 软件版本"));
        QCOMPARE(gui->main->findChild<QAction*>("Other")->text(), QString("杂项"));
        test::shot(gui->main.get(), "adjust_zh_startup");
    }

    void otherActivatesAnOpenWindowInsteadOfReloadingIt() {
        for (const char* item : {"Other", "Test_edit"}) {  // shown by the service switch
            QVERIFY(gui->main->findChild<QAction*>(item)->isVisible());
            QVERIFY(gui->main->findChild<QAction*>(item)->isEnabled());
        }
        gui->main->findChild<QAction*>("Test_edit")->trigger();
        QVERIFY(gui->main->child("Form_Edit_Test"));
        auto* w = gui->openAdjust();
        w->Check_VHF_UHF->setChecked(true);  // state of the window only
        gui->main->runCommand("Channel_edit");
        QVERIFY(gui->main->workArea()->activeSubWindow() != w->subWindow());
        QCOMPARE(gui->openAdjust(), w);
        QCOMPARE(gui->main->workArea()->activeSubWindow(), w->subWindow());
        QVERIFY(w->Check_VHF_UHF->isChecked());
    }

    void editsLandInTheTableAtOnce() {
        auto* w = gui->openAdjust();
        test::pickFromList(w->Combo_dev_Voice, 77, "adjust_list_open");
        QCOMPARE(gui->table()(0, 9), 77);
        test::pickFromList(control(w, "Combo_Txp_H_3"), 20);
        QCOMPARE(gui->table()(1, 3), 20);
        test::pickFromList(control(w, "Combo_Txp_L_0"), 1);
        QCOMPARE(gui->table()(2, 0), 1);
        test::pickFromList(control(w, "Combo_SQL_Offset_5"), 31);
        QCOMPARE(gui->table()(4, 5), 31);
        test::pickFromList(control(w, "Combo_sq_open_9"), 100);
        QCOMPARE(gui->table()(0, 8), 100);
        test::pickFromList(w->Combo_dev_dcs, 63);
        QCOMPARE(gui->table()(0, 11), 63);
        w->Combo_dev_ctcss->setFocus();
        QTest::keyClick(w->Combo_dev_ctcss, Qt::Key_Down);
        QCOMPARE(gui->table()(0, 10), 23);
        test::pickFromList(w->Combo_JT, 0);  // hidden from users, but stores what is picked
        QCOMPARE(gui->table()(0, 15), 0);
        AdjustTable expected = startup();
        for (auto [r, c, v] : {std::tuple{0, 9, 77},
                               {1, 3, 20},
                               {2, 0, 1},
                               {4, 5, 31},
                               {0, 8, 100},
                               {0, 11, 63},
                               {0, 10, 23},
                               {0, 15, 0}})
            expected(r, c) = static_cast<Int16>(v);
        QCOMPARE(gui->table(), expected);
    }

    // On a small screen (a 1024 x 768 desktop) every caption is still readable.
    void nothingIsCutOnASmallScreen() {
        for (bool chinese : {false, true}) {
            if (chinese) gui->main->Language_chn_Click();
            gui->main->resize(683, 512);
            gui->main->show();
            auto* w = gui->openAdjust();
            QTRY_COMPARE(test::clipped(w), QStringList());
            // What does not fit is reached by scrolling the work area.
            QTRY_VERIFY(gui->main->workArea()->horizontalScrollBar()->isVisible());
            test::shot(gui->main.get(), chinese ? "adjust_small_zh" : "adjust_small_en");
            QPointer<frm_Adj_Txp> closing = w;
            w->subWindow()->close();
            QTRY_VERIFY(!closing);
        }
    }

    // Tab goes down each column of lists in turn, not across the rows.
    void tabGoesDownEachColumn() {
        QVERIFY(test::activated(gui->main.get()));
        auto* w = gui->openAdjust();
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w->Combo_sq_open[1]));
        const QStringList walk = test::tabWalk(58);
        QStringList expected;
        for (int i = 1; i <= 9; ++i) expected << QString("Combo_sq_open_%1").arg(i);
        for (const char* column : {"Combo_SQL_Offset_", "Combo_Txp_H_", "Combo_Txp_L_"})
            for (int i = 0; i <= 9; ++i) expected << QString(column) + QString::number(i);
        expected << "Combo_dev_Voice"
                 << "Combo_dev_ctcss"
                 << "Combo_dev_dcs"
                 << "Combo_Rx_VH"
                 << "Combo_Rx_VL"
                 << "Check_WN_TX"
                 << "Check_PRE_TX"
                 << "Check_V_HPF_TX"
                 << "Check_V_LPF_TX"
                 << "Check_WN_RX"
                 << "Check_PRE_RX"
                 << "Check_V_HPF_RX"
                 << "Check_V_LPF_RX"
                 << "Check_VHF_UHF"
                 << "Command_read"
                 << "Command_write"
                 << "Command_Open"
                 << "Command_Save"
                 << "Command_close"
                 << "Combo_sq_open_1";
        QCOMPARE(walk, expected);
    }

    void typingAndAStrayWheelChangeNothing() {
        auto* w = gui->openAdjust();
        QVERIFY(test::activated(gui->main.get()));
        w->Command_read->setFocus();
        QVERIFY(w->Command_read->hasFocus());
        test::turnWheel(w->Combo_dev_Voice, 1);
        QCOMPARE(w->Combo_dev_Voice->currentIndex(), 60);
        w->Combo_dev_Voice->setFocus();
        QVERIFY(w->Combo_dev_Voice->hasFocus());
        QTest::keyClicks(w->Combo_dev_Voice, "1");
        QCOMPARE(w->Combo_dev_Voice->currentIndex(), 60);
        QCOMPARE(gui->table(), startup());
        test::turnWheel(w->Combo_dev_Voice, 1);  // with the focus the wheel does turn the list
        QCOMPARE(w->Combo_dev_Voice->currentIndex(), 61);
        QCOMPARE(gui->table()(0, 9), 61);
    }

    void valuesBeyondAListShowItsLastEntryAndStayAsTheyWere() {
        gui->table()(0, 9) = 200;
        gui->table()(0, 0) = 128;
        gui->table()(1, 4) = 99;
        gui->table()(0, 14) = 0x1A;  // bit 4 beyond the fine sensitivity's list
        const AdjustTable before = gui->table();
        auto* w = gui->openAdjust();
        QCOMPARE(w->Combo_dev_Voice->currentIndex(), 127);
        QCOMPARE(control(w, "Combo_sq_open_1")->currentIndex(), 127);
        QCOMPARE(control(w, "Combo_Txp_H_4")->currentIndex(), 55);
        QCOMPARE(w->Combo_Rx_VL->currentIndex(), 15);
        QVERIFY(w->Check_PRE_RX->isChecked());
        QVERIFY(w->Check_V_LPF_RX->isChecked());
        QCOMPARE(gui->table(), before);
        // A switch changes its own bit only; the bit beyond the list stays.
        QTest::mouseClick(w->Check_PRE_RX, Qt::LeftButton);
        QCOMPARE(gui->table()(0, 14), 0x18);
    }

    void switchBoxesAndSensitivityListsShowTheSameByte() {
        gui->table()(0, 13) = 16;
        auto* w = gui->openAdjust();
        QCOMPARE(boxes(transmitBoxes(w)), (QList<bool>{false, false, false, false}));
        QTest::mouseClick(w->Check_PRE_TX, Qt::LeftButton);
        QCOMPARE(gui->table()(0, 13), 18);
        QCOMPARE(w->Combo_Rx_VH->currentIndex(), 18);
        QTest::mouseClick(w->Check_PRE_TX, Qt::LeftButton);
        QCOMPARE(gui->table()(0, 13), 16);
        QCOMPARE(w->Combo_Rx_VH->currentIndex(), 16);

        QTest::mouseClick(w->Check_V_LPF_TX, Qt::LeftButton);  // 24
        test::pickFromList(w->Combo_Rx_VH, 5);
        QCOMPARE(gui->table()(0, 13), 5);  // the whole byte: the switch bits set before are gone
        QCOMPARE(boxes(transmitBoxes(w)), (QList<bool>{true, false, true, false}));

        test::pickFromList(w->Combo_Rx_VL, 3);
        QCOMPARE(gui->table()(0, 14), 3);
        QCOMPARE(boxes(receiveBoxes(w)), (QList<bool>{true, true, false, false}));
        QTest::mouseClick(w->Check_V_HPF_RX, Qt::LeftButton);
        QCOMPARE(gui->table()(0, 14), 7);
        QCOMPARE(w->Combo_Rx_VL->currentIndex(), 7);
        QCOMPARE(gui->table()(0, 13), 5);  // the other cell is left alone
    }

    void vhfUhfRelabelsThirtyLabelsAndStoresNothing() {
        auto* w = gui->openAdjust();
        QTest::mouseClick(w->Check_VHF_UHF, Qt::LeftButton, {}, onTheBox(w->Check_VHF_UHF));
        for (const char* row : {"Label_Freq_%1", "Label_TXP_H_%1", "Label_Txp_L_%1"})
            for (int i = 0; i < 10; ++i)
                QCOMPARE(w->findChild<QLabel*>(QString(row).arg(i))->text(),
                         QString::number(100 + 10 * i));
        QCOMPARE(gui->table(), startup());
        QTest::mouseClick(w->Check_VHF_UHF, Qt::LeftButton, {}, onTheBox(w->Check_VHF_UHF));
        QCOMPARE(w->findChild<QLabel*>("Label_Txp_L_3")->text(), QString("430"));
    }

    void versionTextFromRowThree() {
        const char version[] = "V1.0A ";
        for (int c = 0; c < 6; ++c) gui->table()(3, c) = version[c];
        auto* w = gui->openAdjust();
        QCOMPARE(w->Label_version->text(), QString("V10A "));
    }

    void readFromTheVirtualRadio() {
        auto* w = gui->openAdjust();
        QTest::mouseClick(w->Command_read, Qt::LeftButton);
        QVERIFY(w->link().AdjReading());
        QCOMPARE(w->Label_tr_count->text(), QString("Connecting with transceiver. "));
        QVERIFY(w->ProgressBar1->isVisible());
        QVERIFY(!w->Combo_dev_Voice->isEnabled());  // no edit while the link runs
        QVERIFY(!w->Check_PRE_TX->isEnabled());

        QTest::mouseClick(w->Command_close, Qt::LeftButton);
        QCOMPARE(gui->messages->lastText(),
                 QString("Read-write operating，don't close the window.,"));
        QCOMPARE(gui->messages->lastTitle(), QString("Operate prompt"));
        w->subWindow()->close();  // the frame's close button acts as Close
        QCOMPARE(gui->messages->messages.size(), 2);
        QTest::mouseClick(w->Command_Open, Qt::LeftButton);
        QCOMPARE(gui->messages->lastText(), QString("Read-write operating with transceiver ."));
        QVERIFY(!gui->main->child("Form_open_adj"));
        QCOMPARE(gui->main->child("frm_Adj_Txp"), w);

        bool checked = false;
        gui->messages->onMessage = [&] {
            QCOMPARE(w->ProgressBar1->value(), 100);
            QCOMPARE(w->Label_tr_count->text(), QString("Read optional parameters in gear. "));
            QCOMPARE(w->Combo_dev_Voice->currentIndex(), 72);  // shown before the message
            checked = true;
        };
        QVERIFY(gui->waitForMessages(4));
        QVERIFY(checked);
        QCOMPARE(gui->messages->lastTitle(), QString("Operate Prompt"));
        QCOMPARE(gui->messages->lastText(), QString("Complete reading the data from transceiver."));
        const auto& area = gui->line->radio.adjustArea;
        for (int a = 0; a < 8 * 16; ++a) QCOMPARE(int(gui->table()(a / 16, a % 16)), int(area[a]));
        QCOMPARE(w->Label_version->text(), QString("V21B "));
        QCOMPARE(boxes(transmitBoxes(w)), (QList<bool>{false, true, true, false}));
        QCOMPARE(boxes(receiveBoxes(w)), (QList<bool>{true, false, false, true}));
        QCOMPARE(control(w, "Combo_Txp_L_9")->currentIndex(), 16);
        QVERIFY(w->Combo_dev_Voice->isEnabled());
        QCOMPARE(gui->main->child("frm_Adj_Txp"), w);  // stays open
        test::shot(gui->main.get(), "adjust_en_read");
    }

    void readInChinese() {
        gui->main->Language_chn_Click();
        auto* w = gui->openAdjust();
        QTest::mouseClick(w->Command_read, Qt::LeftButton);
        QVERIFY(gui->waitForMessages(1));
        QCOMPARE(gui->messages->lastTitle(), QString("操作提示"));
        QCOMPARE(gui->messages->lastText(), QString("从对讲机中读取调整数据完毕 ！"));
        QCOMPARE(w->Label_tr_count->text(), QString("调整参数读出正常 ！"));
        test::shot(gui->main.get(), "adjust_zh_read");
    }

    void writeToTheVirtualRadio() {
        auto* w = gui->openAdjust();
        QTest::mouseClick(w->Command_read, Qt::LeftButton);  // a write needs a table to send
        QVERIFY(gui->waitForMessages(1));
        test::pickFromList(control(w, "Combo_Txp_H_2"), 33);
        QTest::mouseClick(w->Command_write, Qt::LeftButton);
        QVERIFY(w->link().AdjWriting());
        QVERIFY(!control(w, "Combo_Txp_H_2")->isEnabled());  // no edit into rows already sent
        QVERIFY(!w->Check_WN_RX->isEnabled());
        QVERIFY(gui->waitForMessages(2));
        QVERIFY(control(w, "Combo_Txp_H_2")->isEnabled());
        QCOMPARE(gui->messages->lastText(),
                 QString("Complete writing optional parameters to the transceiver."));
        QCOMPARE(w->Label_tr_count->text(), QString("Complete writing optional parameters "));
        QCOMPARE(w->ProgressBar1->value(), 100);
        const auto& area = gui->line->radio.adjustArea;
        QCOMPARE(int(area[16 + 2]), 33);
        for (int a = 0; a < 11 * 16; ++a) QCOMPARE(int(area[a]), int(gui->table()(a / 16, a % 16)));
        QCOMPARE(gui->main->child("frm_Adj_Txp"), w);
    }

    void aWriteThatFailsGivesTheEditorsBack() {
        gui->main->Language_chn_Click();
        gui->line->radio.fault = VirtualRadio::Fault::Silent;
        auto* w = gui->openAdjust();
        gui->state->AdjustImageKnown = true;  // as after a read earlier in this run
        const AdjustTable before = gui->table();
        QTest::mouseClick(w->Command_write, Qt::LeftButton);
        QVERIFY(!w->Combo_dev_Voice->isEnabled());
        QVERIFY(gui->waitForMessages(1, 15000));
        QCOMPARE(gui->messages->lastTitle(), QString("操作提示"));
        QVERIFY(gui->messages->lastText().startsWith("与对讲机联络失败 ！"));
        QVERIFY(!w->link().AdjWriting());
        QVERIFY(w->Combo_dev_Voice->isEnabled());
        QVERIFY(w->Check_WN_RX->isEnabled());
        for (int r = 0; r < 7; ++r)
            for (int c = 0; c < 16; ++c) QCOMPARE(gui->table()(r, c), before(r, c));
    }

    void writeIsRefusedUntilTheTableCameFromTheRadioOrAFile() {
        const auto factory = gui->line->radio.adjustArea;
        for (bool chinese : {false, true}) {
            if (chinese) gui->main->Language_chn_Click();
            auto* w = gui->openAdjust();
            test::pickFromList(control(w, "Combo_Txp_H_2"), 33);  // edits alone are not enough
            QTest::mouseClick(w->Command_write, Qt::LeftButton);
            QCOMPARE(gui->messages->lastTitle(), chinese ? QString("操作提示") : "Operate prompt");
            QCOMPARE(gui->messages->lastText(),
                     chinese ? QString("调整参数尚未从对讲机读取，也未从文件调入，不能写入 ！"
                                       "请先读取或打开调整参数文件。")
                             : QString("The adjustment values have not been read from the radio "
                                       "or opened from a file yet: writing them would replace "
                                       "the radio's own alignment. Read or open them first."));
            QVERIFY(!w->link().AdjWriting());
            QTest::qWait(50);
            QCOMPARE(gui->line->radio.sessions, 0);
            QVERIFY(gui->line->radio.adjustArea == factory);
        }
    }

    void readThenWriteSendsBackExactlyTheBytesRead() {
        auto& area = gui->line->radio.adjustArea;
        area[9] = 200;        // voice deviation beyond its list of 128
        area[0] = 128;        // squelch level 1
        area[14] = 0x1A;      // fine sensitivity with bit 4 set
        area[16 + 3] = 60;    // high power beyond 55
        area[4 * 16 + 9] = 40;  // squelch correction beyond 31
        const auto before = area;
        auto* w = gui->openAdjust();
        QTest::mouseClick(w->Command_read, Qt::LeftButton);
        QVERIFY(gui->waitForMessages(1));
        QCOMPARE(w->Combo_dev_Voice->currentIndex(), 127);
        QCOMPARE(w->Combo_Txp_H[3]->currentIndex(), 55);
        for (int a = 0; a < 8 * 16; ++a) QCOMPARE(int(gui->table()(a / 16, a % 16)), int(area[a]));

        QTest::mouseClick(w->Command_write, Qt::LeftButton);
        QVERIFY(gui->waitForMessages(2));
        QCOMPARE(gui->messages->lastText(),
                 QString("Complete writing optional parameters to the transceiver."));
        for (int a = 0; a < 8 * 16; ++a) QCOMPARE(int(area[a]), int(before[a]));

        // Only what the user changes differs.
        test::pickFromList(w->Combo_Txp_L[6], 20);
        QTest::mouseClick(w->Command_write, Qt::LeftButton);
        QVERIFY(gui->waitForMessages(3));
        for (int a = 0; a < 8 * 16; ++a)
            QCOMPARE(int(area[a]), a == 2 * 16 + 6 ? 20 : int(before[a]));
    }

    void aLoadedFileAllowsTheWrite() {
        QTemporaryDir dir;
        AdjustTable file = gui->table();
        file(1, 5) = 44;
        QFile out(dir.filePath("radio.adj"));
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(QByteArray::fromStdString(adjustFileText(file)));
        out.close();
        auto* w = gui->openAdjust();
        w->loadFile(dir.filePath("radio.adj"));
        QTest::mouseClick(w->Command_write, Qt::LeftButton);
        QVERIFY(gui->waitForMessages(2));
        QCOMPARE(gui->messages->lastText(),
                 QString("Complete writing optional parameters to the transceiver."));
        QCOMPARE(int(gui->line->radio.adjustArea[16 + 5]), 44);
    }

    void theChannelReadWindowHoldingThePortGivesThePortMessage() {
        gui->main->runCommand("Prog_read");
        auto* reader = qobject_cast<Form_Comm_Read*>(gui->main->child("Form_Comm_Read"));
        auto* w = gui->openAdjust();
        QTest::mouseClick(reader->Command_start, Qt::LeftButton);
        QTRY_VERIFY(reader->engine().Busy);
        QTest::mouseClick(w->Command_read, Qt::LeftButton);
        QCOMPARE(gui->messages->messages.size(), 1);
        QCOMPARE(gui->messages->lastTitle(), QString("Operate Prompt"));
        QCOMPARE(gui->messages->lastText(),
                 QString("Communication Port Open Error ！\n"
                         "virtual radio: the device is busy; another program holds it."));
        QVERIFY(!w->link().AdjReading());
        QVERIFY(w->Combo_dev_Voice->isEnabled());
        // The channel read goes on undisturbed and stores what the radio holds.
        QVERIFY(gui->waitForMessages(2));
        QCOMPARE(gui->messages->lastText(), QString("Complete reading the data from transceiver."));
        for (int a = 0; a < 1024; ++a)
            QCOMPARE(int(gui->state->RadioImage(a / 16, a % 16)), int(gui->line->radio.memory[a]));
    }

    void openingTheWindowDuringAChannelReadLeavesItsRepliesAlone() {
        gui->main->runCommand("Prog_read");
        auto* reader = qobject_cast<Form_Comm_Read*>(gui->main->child("Form_Comm_Read"));
        QTest::mouseClick(reader->Command_start, Qt::LeftButton);
        QTRY_VERIFY(reader->ProgressBar1->value() >= 40);  // half the replies are in
        QVERIFY(gui->openAdjust());
        QVERIFY(gui->waitForMessages(1));
        QCOMPARE(gui->messages->lastText(), QString("Complete reading the data from transceiver."));
        for (int a = 0; a < 1024; ++a)
            QCOMPARE(int(gui->state->RadioImage(a / 16, a % 16)), int(gui->line->radio.memory[a]));
    }

    void closeClosesTheFileDialogsToo() {
        auto* w = gui->openAdjust();
        QTest::mouseClick(w->Command_Open, Qt::LeftButton);
        QTest::mouseClick(w->Command_Save, Qt::LeftButton);
        QVERIFY(gui->main->child("Form_open_adj"));
        QVERIFY(gui->main->child("Form_save_adj"));
        QTest::mouseClick(w->Command_close, Qt::LeftButton);
        QVERIFY(!gui->main->child("frm_Adj_Txp"));
        QVERIFY(!gui->main->child("Form_open_adj"));
        QVERIFY(!gui->main->child("Form_save_adj"));
        QVERIFY(gui->messages->messages.isEmpty());
        // The table outlives the window.
        gui->table()(0, 9) = 99;
        w = gui->openAdjust();
        QCOMPARE(w->Combo_dev_Voice->currentIndex(), 99);
        QTest::mouseClick(w->Command_Save, Qt::LeftButton);
        w->subWindow()->close();
        QTRY_VERIFY(!gui->main->child("Form_save_adj"));
    }
};

QTEST_MAIN(AdjustWindowTest)
#include "AdjustWindowTest.moc"
