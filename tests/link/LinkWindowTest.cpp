#include <QElapsedTimer>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

#include "channels/frm_chann.h"
#include "link/CommWindows.h"
#include "support/RadioGui.h"
#include "support/Shots.h"
#include "ui/MDImain.h"

using namespace nv;

class LinkWindowTest : public QObject {
    Q_OBJECT
    std::unique_ptr<test::RadioGui> gui;

    template <class W>
    W* open(const char* item) {
        gui->main->runCommand(item);
        return qobject_cast<W*>(gui->main->child(MDImain::windowName(W::staticMetaObject)));
    }
    void waitForMessage(int count) {
        QTRY_VERIFY_WITH_TIMEOUT(gui->messages->messages.size() >= count, 10000);
    }

  private slots:
    void init() {
        gui = std::make_unique<test::RadioGui>();
        QCOMPARE(gui->state->CommPortNumber, 8);  // the probe finds the virtual radio
    }
    void cleanup() { gui.reset(); }

    void readWindowReadsAndClosesItselfAfterItsMessage() {
        auto* w = open<Form_Comm_Read>("Prog_read");
        QVERIFY(w);
        QCOMPARE(w->windowTitle(), QString("Read Data From Radio"));
        QCOMPARE(w->Command_start->objectName(), QString("Command_read"));
        QCOMPARE(w->Command_start->text(), QString("Read"));
        QCOMPARE(w->Command_Cancel->text(), QString("Cancel"));
        QCOMPARE(w->Command_Help->text(), QString("Help"));
        QPointer<QWidget> alive = w;
        bool shotTaken = false;
        gui->messages->onMessage = [&] {
            QCOMPARE(w->ProgressBar1->value(), 100);
            QCOMPARE(w->Label_tr_count->text(), QString("Read Data in gear. "));
            test::shot(gui->main.get(), "read_en_done");
        };
        QTest::mouseClick(w->Command_start, Qt::LeftButton);
        QCOMPARE(w->Label_tr_count->text(), QString("Connecting with transceiver. "));
        QTRY_VERIFY(w->ProgressBar1->value() >= 40);
        if (!shotTaken) test::shot(gui->main.get(), "read_en_busy");
        waitForMessage(1);
        QCOMPARE(gui->messages->messages[0].title, QString("Operate Prompt"));
        QCOMPARE(gui->messages->messages[0].text,
                 QString("Complete reading the data from transceiver."));
        for (int a = 0; a < 1024; ++a)
            QCOMPARE(int(gui->state->RadioImage(a / 16, a % 16)), int(gui->line->radio.memory[a]));
        QTRY_VERIFY_WITH_TIMEOUT(alive.isNull() || !alive->isVisible(), 1000);
        QTRY_VERIFY(!gui->main->child("Form_Comm_Read"));
        // The grid becomes the active window again and shows what was read.
        auto* grid = qobject_cast<frm_chann*>(gui->main->child("frm_chann"));
        QTRY_COMPARE(grid->MSF_chann->item(1, 1)->text(), QString("446.00625"));
    }

    void cancelWhileBusyWarnsAndTheTransferGoesOn() {
        auto* w = open<Form_Comm_Read>("Prog_read");
        QTest::mouseClick(w->Command_start, Qt::LeftButton);
        QTRY_VERIFY(w->engine().Busy);
        QTest::mouseClick(w->Command_Cancel, Qt::LeftButton);
        QCOMPARE(gui->messages->messages.size(), 1);
        QCOMPARE(gui->messages->messages[0].title, QString("Operate prompt"));
        QCOMPARE(gui->messages->messages[0].text,
                 QString("Read-write operating，don't close the window. ,"));
        QCOMPARE(gui->main->child("Form_Comm_Read"), w);
        w->subWindow()->close();  // the frame's close button acts as Cancel
        QCOMPARE(gui->messages->messages.size(), 2);
        waitForMessage(3);
        QCOMPARE(gui->messages->messages[2].text,
                 QString("Complete reading the data from transceiver."));
    }

    void theBusyWarningClosesWithTheTransfer() {
        for (const char* item : {"Prog_write", "Prog_read"}) {
            gui->messages.reset();  // real, modal message boxes
            gui->main->runCommand(item);
            auto* w = qobject_cast<LinkWindow*>(gui->main->workArea()->activeSubWindow()->widget());
            QVERIFY(w);
            QTest::mouseClick(w->Command_start, Qt::LeftButton);
            QTRY_VERIFY(w->engine().Busy);
            QPointer<QWidget> window = w;
            QStringList shown;
            bool warningOutlivedTheTransfer = false;
            QElapsedTimer sinceWindowWent;
            QTimer user;  // reads every other message and dismisses it; never the warning
            user.setInterval(20);
            connect(&user, &QTimer::timeout, [&] {
                QMessageBox* warning = nullptr;
                for (QWidget* top : QApplication::topLevelWidgets()) {
                    auto* box = qobject_cast<QMessageBox*>(top);
                    if (!box || !box->isVisible()) continue;
                    if (!shown.contains(box->text())) shown << box->text();
                    if (box->text().startsWith("Read-write operating"))
                        warning = box;
                    else
                        box->accept();
                }
                if (!warning || (window && window->isVisible())) return;
                if (!sinceWindowWent.isValid()) sinceWindowWent.start();
                if (sinceWindowWent.elapsed() > 2000) {
                    warningOutlivedTheTransfer = true;
                    warning->accept();
                }
            });
            user.start();
            // The warning is modal: this returns once it has closed.
            QTest::mouseClick(w->Command_Cancel, Qt::LeftButton);
            QVERIFY(!warningOutlivedTheTransfer);
            QTRY_VERIFY_WITH_TIMEOUT(window.isNull(), 3000);
            QCOMPARE(shown.size(), 2);
            QCOMPARE(shown[0], QString("Read-write operating，don't close the window. ,"));
            QVERIFY(shown[1].startsWith("Complete "));
        }
    }

    void cancelWhenIdleCloses() {
        auto* w = open<Form_Comm_Write>("Prog_write");
        QTest::mouseClick(w->Command_Cancel, Qt::LeftButton);
        QVERIFY(!gui->main->child("Form_Comm_Write"));
        QVERIFY(gui->messages->messages.isEmpty());
    }

    void writeWindowWritesAndClosesHalfASecondLater() {
        gui->state->RadioImage(5, 3) = 0x44;
        auto* w = open<Form_Comm_Write>("Prog_write");
        QCOMPARE(w->windowTitle(), QString("Write Data to Radio"));
        QCOMPARE(w->Command_start->objectName(), QString("Command_write"));
        QElapsedTimer sinceDone;
        gui->messages->onMessage = [&] {
            sinceDone.start();
            QCOMPARE(w->ProgressBar1->value(), 100);
            test::shot(gui->main.get(), "write_en_done");
        };
        QTest::mouseClick(w->Command_start, Qt::LeftButton);
        QTRY_VERIFY(w->ProgressBar1->value() >= 30);
        test::shot(gui->main.get(), "write_en_busy");
        waitForMessage(1);
        QCOMPARE(gui->messages->messages[0].title, QString("Operate Prompt"));
        QCOMPARE(gui->messages->messages[0].text,
                 QString("Complete writing Data to the transceiver."));
        QCOMPARE(w->Label_tr_count->text(), QString("Complete writing Data "));
        QTRY_VERIFY_WITH_TIMEOUT(!gui->main->child("Form_Comm_Write"), 2000);
        QVERIFY(sinceDone.elapsed() >= 400);
        for (int a = 0; a < 49 * 16; ++a)
            QCOMPARE(int(gui->line->radio.memory[a]), int(gui->state->RadioImage(a / 16, a % 16)));
    }

    void theWindowHoldingThePortMakesTheOtherFail() {
        auto* r = open<Form_Comm_Read>("Prog_read");
        auto* w = open<Form_Comm_Write>("Prog_write");
        QVERIFY(gui->main->child("Form_Comm_Read"));
        QTest::mouseClick(r->Command_start, Qt::LeftButton);
        QTRY_VERIFY(r->engine().Busy);
        QTest::mouseClick(w->Command_start, Qt::LeftButton);
        QCOMPARE(gui->messages->messages.size(), 1);
        QCOMPARE(
            gui->messages->messages[0].text,
            QString("Communication port is error, please setting right communication port . ！\n"
                    "virtual radio: the device is busy; another program holds it."));
        QVERIFY(gui->state->PortOpenFailed);
        waitForMessage(2);
        QCOMPARE(gui->messages->messages[1].text,
                 QString("Complete reading the data from transceiver."));
    }

    void ctrlRReplacesARunningReadWindow() {
        auto* w = open<Form_Comm_Read>("Prog_read");
        QTest::mouseClick(w->Command_start, Qt::LeftButton);
        QTRY_VERIFY(w->engine().Busy);
        QPointer<QWidget> old = w;
        gui->main->findChild<QAction*>("Prog_read")->trigger();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(old.isNull());
        auto* fresh = qobject_cast<Form_Comm_Read*>(gui->main->child("Form_Comm_Read"));
        QVERIFY(fresh);
        QVERIFY(!fresh->engine().Busy);
        QTest::mouseClick(fresh->Command_start, Qt::LeftButton);  // the port was released
        waitForMessage(1);
        QCOMPARE(gui->messages->messages[0].text,
                 QString("Complete reading the data from transceiver."));
    }

    void aFailedLinkSaysWhatItSaw() {
        gui->main->Language_chn_Click();
        gui->line->radio.fault = VirtualRadio::Fault::Silent;
        auto* w = open<Form_Comm_Write>("Prog_write");
        QTest::mouseClick(w->Command_start, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(gui->messages->messages.size() == 1, 15000);
        QCOMPARE(gui->messages->messages[0].title, QString("操作提示"));
        QCOMPARE(
            gui->messages->messages[0].text,
            QString(
                "与对讲机联络失败 ！\n对讲机完全没有应答：请检查对讲机是否已开机、编程线是否插牢、"
                "端口是否选对：COM8 对应 virtual radio。"));
        QCOMPARE(w->Label_tr_count->text(), QString("与对讲机通讯故障 ！"));
    }

    void chineseWindows() {
        gui->main->Language_chn_Click();
        auto* r = open<Form_Comm_Read>("Prog_read");
        QCOMPARE(r->windowTitle(), QString("从对讲机读取数据"));
        QCOMPARE(r->Command_start->text(), QString("读取"));
        QCOMPARE(r->Command_Cancel->text(), QString("取消"));
        QCOMPARE(r->Command_Help->text(), QString("帮助"));
        gui->messages->onMessage = [&] { test::shot(gui->main.get(), "read_zh_done"); };
        QTest::mouseClick(r->Command_start, Qt::LeftButton);
        QTRY_VERIFY(r->ProgressBar1->value() >= 40);
        QVERIFY(r->Label_tr_count->text().startsWith("正在读取 "));
        test::shot(gui->main.get(), "read_zh_busy");
        waitForMessage(1);
        QCOMPARE(gui->messages->messages[0].title, QString("操作提示"));
        QCOMPARE(gui->messages->messages[0].text, QString("从对讲机中读取数据完毕 ！"));
        QTRY_VERIFY(!gui->main->child("Form_Comm_Read"));

        auto* w = open<Form_Comm_Write>("Prog_write");
        QCOMPARE(w->windowTitle(), QString("写数据到对讲机"));
        QCOMPARE(w->Command_start->text(), QString("写入"));
        gui->messages->onMessage = [&] { test::shot(gui->main.get(), "write_zh_done"); };
        QTest::mouseClick(w->Command_start, Qt::LeftButton);
        QTRY_VERIFY(w->ProgressBar1->value() >= 30);
        QVERIFY(w->Label_tr_count->text().startsWith("正在写入  "));
        test::shot(gui->main.get(), "write_zh_busy");
        waitForMessage(2);
        QCOMPARE(gui->messages->messages[1].text, QString("向对讲机写入数据完毕 ！"));
    }
};

QTEST_MAIN(LinkWindowTest)
#include "LinkWindowTest.moc"
