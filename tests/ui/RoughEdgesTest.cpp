#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTemporaryDir>
#include <QtTest>

#include "adjust/AdjustFileDialogs.h"
#include "adjust/frm_Adj_Txp.h"
#include "files/ChannelFileDialogs.h"
#include "support/GuiFixture.h"
#include "support/RadioGui.h"
#include "ui/Form_setup.h"

using namespace nv;

namespace {

QImage pictureOf(const QIcon& icon) { return icon.pixmap(32, 32).toImage(); }

void clickItem(QListWidget* list, const QString& text, bool twice) {
    const auto found = list->findItems(text, Qt::MatchExactly);
    QVERIFY2(!found.isEmpty(), qPrintable(text));
    const QPoint at = list->visualItemRect(found.first()).center();
    // A double click reaches a window as a click followed by the double-click press.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    if (twice) QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

}  // namespace

class RoughEdgesTest : public QObject {
    Q_OBJECT

  private slots:
    void theRowsOfHyphensAreSeparators() {
        test::RadioGui gui(test::RadioGui::Service::Shown);
        for (const char* name : {"ggg", "eee"}) {
            auto* row = gui.main->findChild<QAction*>(name);
            QVERIFY(row);
            QVERIFY(row->isSeparator());
            QVERIFY(row->isVisible());
        }
        auto* edit = gui.main->findChild<QMenu*>("Edit");
        QVERIFY(edit->actions().contains(gui.main->findChild<QAction*>("ggg")));
        test::Gui plain;
        QVERIFY(!plain.main->findChild<QAction*>("eee")->isVisible());
        QVERIFY(plain.main->findChild<QAction*>("ggg")->isVisible());
        edit = plain.main->findChild<QMenu*>("Edit");
        edit->popup(plain.main->mapToGlobal(QPoint(0, 0)));
        QTRY_VERIFY(edit->isVisible());
        test::shot(edit, "edit_menu_separators");
        edit->hide();
    }

    void childWindowsShowTheApplicationsIcon() {
        test::Gui gui;
        const QImage own = pictureOf(QIcon(":/nv742/nv742-cps.png"));
        QVERIFY(!own.isNull());
        for (const char* item : {"Channel_edit", "Scan_edit", "File_Open", "proc_setup"}) {
            gui.main->runCommand(item);
            for (QMdiSubWindow* sub : gui.main->workArea()->subWindowList()) {
                QVERIFY(!sub->windowIcon().isNull());
                QCOMPARE(pictureOf(sub->windowIcon()), own);
            }
        }
        QCOMPARE(pictureOf(gui.main->windowIcon()), own);
        test::shot(gui.main.get(), "child_window_icons");
    }

    void thePortDialogNamesTheVirtualRadioInTheWindowsLanguage() {
        test::RadioGui gui;
        gui.main->runCommand("proc_setup");
        auto* setup = qobject_cast<Form_setup*>(gui.main->child("Form_setup"));
        QCOMPARE(setup->Device[8]->text(), QString("virtual radio"));
        gui.main->Language_chn_Click();
        gui.main->runCommand("proc_setup");
        setup = qobject_cast<Form_setup*>(gui.main->child("Form_setup"));
        QCOMPARE(setup->Device[8]->text(), QString("虚拟对讲机"));
        test::shot(setup, "port_dialog_zh");
    }

    void aDoubleClickOnAFileConfirms() {
        QTemporaryDir dir;
        test::Gui gui;
        // Save over a file by a double click on it.
        QFile old(dir.filePath("old.chann"));
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("1");
        old.close();
        gui.image()(1, 0) = 0x33;
        gui.main->runCommand("File_save");
        auto* save = gui.window<Form_save_chann>("Form_save_chann");
        save->setDirectory(dir.path());
        clickItem(save->File1, "old.chann", true);
        QCOMPARE(gui.messages->lastText(), QString("Complete storing channel parameter."));
        QTRY_VERIFY(!gui.main->child("Form_save_chann"));
        QVERIFY(QFileInfo(dir.filePath("old.chann")).size() > 1000);

        // Open by a double click; a single click only takes the name.
        gui.image()(1, 0) = 0;
        gui.main->runCommand("File_Open");
        auto* open = gui.window<Form_open_chann>("Form_open_chann");
        open->setDirectory(dir.path());
        const qsizetype before = gui.messages->messages.size();
        clickItem(open->File1, "old.chann", false);
        QCOMPARE(open->Text1->text(), QString("old.chann"));
        QCOMPARE(gui.messages->messages.size(), before);
        clickItem(open->File1, "old.chann", true);
        QCOMPARE(gui.messages->lastText(),
                 QString("Succeed fold the channel parameter from file."));
        QCOMPARE(gui.image()(1, 0), 0x33);
        QTRY_VERIFY(!gui.main->child("Form_open_chann"));
    }

    void aDoubleClickConfirmsInTheAdjustmentDialogsToo() {
        QTemporaryDir dir;
        test::RadioGui gui(test::RadioGui::Service::Shown);
        gui.main->findChild<QAction*>("Other")->trigger();
        auto* w = qobject_cast<frm_Adj_Txp*>(gui.main->child("frm_Adj_Txp"));
        QVERIFY(w);
        QFile file(dir.filePath("radio.adj"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        for (int r = 0; r < 7; ++r) file.write(" 5  5  5  5  5  5  5  5  5  5  5  5  5  5  5  5 \r\n");
        file.close();
        QTest::mouseClick(w->Command_Open, Qt::LeftButton);
        auto* open = qobject_cast<Form_open_adj*>(gui.main->child("Form_open_adj"));
        QVERIFY(open);
        open->setDirectory(dir.path());
        clickItem(open->File1, "radio.adj", true);
        QTRY_COMPARE(gui.messages->lastText(),
                     QString("Succeed fold the optional parameters from file."));
        QCOMPARE(gui.state->AdjustImage(1, 3), 5);
    }
};

QTEST_MAIN(RoughEdgesTest)
#include "RoughEdgesTest.moc"
