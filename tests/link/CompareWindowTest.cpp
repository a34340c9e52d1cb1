// Compare with the radio, from the Program menu, against the built-in virtual radio.

#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTreeWidget>
#include <QtTest>

#include "channels/frm_chann.h"
#include "link/CompareWindow.h"
#include "support/RadioGui.h"
#include "support/Shots.h"
#include "ui/MDImain.h"

using namespace nv;

class CompareWindowTest : public QObject {
    Q_OBJECT
    std::unique_ptr<test::RadioGui> gui;

    Form_Comm_Compare* open() {
        gui->main->runCommand("Prog_compare");
        return qobject_cast<Form_Comm_Compare*>(gui->main->child("Form_Comm_Compare"));
    }
    // Every difference as "where | setting | program | radio".
    static QStringList rows(const QTreeWidget* list) {
        QStringList out;
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* group = list->topLevelItem(i);
            for (int k = 0; k < group->childCount(); ++k) {
                const QTreeWidgetItem* item = group->child(k);
                out << group->text(0) + " | " + item->text(0) + " | " + item->text(1) + " | " +
                           item->text(2);
            }
        }
        return out;
    }
    static QStringList headers(const QTreeWidget* list) {
        QStringList out;
        for (int c = 0; c < list->columnCount(); ++c) out << list->headerItem()->text(c);
        return out;
    }
    // Clicks Compare and waits until the list is shown.
    void compare(Form_Comm_Compare* w) {
        QTest::mouseClick(w->Command_start, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(w->ProgressBar1->value() == 100 && !w->engine().Busy, 10000);
    }

  private slots:
    void init() { gui = std::make_unique<test::RadioGui>(); }
    void cleanup() { gui.reset(); }

    void theMenuItemsComeAfterTheDescribedOnes() {
        auto* program = gui->main->findChild<QMenu*>("Program");
        const QList<QAction*> programItems = program->actions();
        QVERIFY(programItems.size() >= 2);
        QAction* compareItem = programItems[programItems.size() - 2];
        QCOMPARE(compareItem->objectName(), QString("Prog_compare"));
        QCOMPARE(compareItem->text(), QString("Compare with radio"));
        QCOMPARE(programItems.last()->objectName(), QString("Prog_station"));
        auto* file = gui->main->findChild<QMenu*>("File");
        QStringList names;
        for (QAction* a : file->actions()) names << a->objectName();
        QCOMPARE(names.mid(names.indexOf("proc_type")),
                 (QStringList{"proc_type", "File_export_csv", "File_import_csv", "File_print",
                              "File_export_pdf"}));
        gui->main->Language_chn_Click();
        QCOMPARE(compareItem->text(), QString("与对讲机比较"));
        QCOMPARE(programItems.last()->text(), QString("批量写频"));
        QCOMPARE(file->actions()[names.indexOf("File_import_csv")]->text(), QString("导入 CSV…"));
        QCOMPARE(file->actions().last()->text(), QString("导出 PDF…"));
        gui->main->Language_eng_Click();
        QCOMPARE(file->actions()[names.indexOf("File_export_csv")]->text(), QString("Export CSV…"));
    }

    void listsWhatDiffersAndLeavesTheImageAlone() {
        const Image before = gui->state->RadioImage;
        auto* w = open();
        QVERIFY(w);
        QCOMPARE(w->windowTitle(), QString("Compare with Radio"));
        QCOMPARE(w->Command_start->objectName(), QString("Command_compare"));
        QCOMPARE(w->Command_start->text(), QString("Compare"));
        QCOMPARE(headers(w->List_diff), (QStringList{"Setting", "Program", "Radio"}));
        compare(w);
        QVERIFY(gui->state->RadioImage == before);   // only the copy holds the radio
        QVERIFY(gui->messages->messages.isEmpty());  // no "Complete reading" box: the list says it
        const QStringList shown = rows(w->List_diff);
        QVERIFY(shown.contains("Channel 1 | RX Frequency | 450.02500 | 446.00625"));
        QVERIFY(shown.contains("Channel 9 | QT/DQT Encode | None | D023N"));
        QVERIFY(shown.contains("Channel 13 | Channel | 470.17500 / 470.17500 | empty"));
        QVERIFY(shown.contains("Optional Features | Time Out Timer(TOT)[s] | 60 | 30"));
        QCOMPARE(w->Label_tr_count->text(),
                 QString("%1 differences between the program and the radio.").arg(shown.size()));
        for (int a = 0; a < 1024; ++a)
            QCOMPARE(int(w->radioImage().byte(a / 16, a % 16)), int(gui->line->radio.memory[a]));
        test::shot(gui->main.get(), "compare_en_differences");
        // The window stays open with its list; the grid still shows the program's channels.
        QTest::qWait(500);
        QCOMPARE(gui->main->child("Form_Comm_Compare"), w);
        auto* grid = qobject_cast<frm_chann*>(gui->main->child("frm_chann"));
        QCOMPARE(grid->MSF_chann->item(1, 1)->text(), QString("450.02500"));
    }

    void aRadioThatHoldsTheImageIsReportedSame() {
        for (int a = 0; a < 49 * 16; ++a)
            gui->state->RadioImage(a / 16, a % 16) = gui->line->radio.memory[a];
        auto* w = open();
        compare(w);
        QCOMPARE(w->List_diff->topLevelItemCount(), 0);
        QCOMPARE(w->Label_tr_count->text(),
                 QString("The radio holds what the program holds (addresses 0x000 to 0x30F)."));
        // A second comparison after an edit lists just that edit.
        gui->state->RadioImage(19, 4) = 7;
        compare(w);
        QCOMPARE(rows(w->List_diff), (QStringList{"Optional Features | Squelch Level | 7 | 5"}));
        QCOMPARE(gui->line->radio.sessions, 2);
    }

    void aPortThatWillNotOpenIsReportedAsForTheReadWindow() {
        gui->state->CommPortNumber = 3;  // nothing behind COM3
        auto* w = open();
        QTest::mouseClick(w->Command_start, Qt::LeftButton);
        QCOMPARE(gui->messages->messages.size(), 1);
        QVERIFY(gui->messages->lastText().startsWith(
            "Communication port is error, please setting right communication port . ！"));
        QVERIFY(gui->state->PortOpenFailed);
        QCOMPARE(w->List_diff->topLevelItemCount(), 0);
    }

    void chineseWindow() {
        gui->main->Language_chn_Click();
        auto* w = open();
        QCOMPARE(w->windowTitle(), QString("与对讲机比较"));
        QCOMPARE(w->Command_start->text(), QString("比较"));
        QCOMPARE(w->Command_Cancel->text(), QString("取消"));
        QCOMPARE(headers(w->List_diff), (QStringList{"项目", "软件", "对讲机"}));
        compare(w);
        const QStringList shown = rows(w->List_diff);
        QVERIFY(shown.contains("信道 1 | 接收频率 | 450.02500 | 446.00625"));
        QVERIFY(shown.contains("信道 13 | 信道 | 470.17500 / 470.17500 | 空"));
        QCOMPARE(w->Label_tr_count->text(),
                 QString("软件与对讲机有 %1 处不同。").arg(shown.size()));
        test::shot(gui->main.get(), "compare_zh_differences");
    }
};

QTEST_MAIN(CompareWindowTest)
#include "CompareWindowTest.moc"
