// The test-mode frequency grid: what it shows, what an edit stores (and what it leaves alone),
// and when an edit is finished.

#include <QHeaderView>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

#include "adjust/Form_Edit_Test.h"
#include "adjust/TestFrequencies.h"
#include "channels/frm_chann.h"
#include "core/Models.h"
#include "support/GuiFixture.h"
#include "support/Shots.h"
#include "ui/ImageUndo.h"

using namespace nv;

class TestFrequencyGridTest : public QObject {
    Q_OBJECT
    std::unique_ptr<test::Gui> gui;
    Form_Edit_Test* w = nullptr;

    void open() {
        gui->main->runCommand("Test_edit");
        w = gui->window<Form_Edit_Test>("Form_Edit_Test");
        QVERIFY(w);
        QVERIFY(test::activated(gui->main.get()));
    }
    void clickCell(int r, int c) {
        QTableWidget* t = w->MSF_chann;
        t->scrollToItem(t->item(r, c));
        QTest::mouseClick(t->viewport(), Qt::LeftButton, {},
                          t->visualRect(t->model()->index(r, c)).center());
    }
    // Opens the box over the cell and types over its text.
    void type(int r, int c, const QString& text) {
        clickCell(r, c);
        QVERIFY(w->Text_Edit->isVisible());
        QTest::keyClick(w->Text_Edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(w->Text_Edit, Qt::Key_Delete);
        QTest::keyClicks(w->Text_Edit, text);
    }
    // Key presses whose text an input method could produce, outside what keyClicks can send.
    void press(const QString& text) {
        for (QChar ch : text) {
            QKeyEvent key(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
            QApplication::sendEvent(w->Text_Edit, &key);
        }
    }
    QString cell(int r, int c) { return w->MSF_chann->item(r, c)->text(); }
    std::vector<int> slot(int channel, bool transmit) {
        const TestSlot s = testSlot(channel, transmit);
        std::vector<int> v;
        for (int i = 0; i < 4; ++i) v.push_back(gui->image()(s.row, s.cell + i));
        return v;
    }
    void emptyTable() {
        for (int r = 40; r < 48; ++r)
            for (int c = 0; c < 16; ++c) gui->image()(r, c) = 0xFF;
        w->showTable();
    }
    void useVhfBand() { selectModelBand(*gui->state, 0); }  // 136 to 175 MHz
    QStringList messages() {
        QStringList t;
        for (const auto& m : gui->messages->messages) t << m.text;
        return t;
    }

  private slots:
    void init() {
        gui = std::make_unique<test::Gui>();
        open();
    }
    void cleanup() { gui.reset(); }

    void captionsAndTheFactoryTable() {
        for (const char* item : {"Other", "Test_edit"})  // hidden without the service switch
            QVERIFY(!gui->main->findChild<QAction*>(item)->isVisible());
        QCOMPARE(w->windowTitle(), QString("Test Frequency"));
        QCOMPARE(cell(0, 0), QString(" Channel "));
        QCOMPARE(cell(0, 1), QString(" RX Frequency "));
        QCOMPARE(cell(0, 2), QString(" TX Frequency "));
        QCOMPARE(cell(16, 0), QString("16"));
        QCOMPARE(w->Command_close->text(), QString("Close"));
        QCOMPARE(w->Command_Help->text(), QString("Help"));
        QCOMPARE(cell(1, 1), QString("155.05000"));
        QCOMPARE(cell(1, 2), QString("155.10000"));
        QCOMPARE(cell(2, 1), QString("136.05000"));
        QCOMPARE(cell(3, 1), QString("173.95000"));
        QCOMPARE(cell(7, 1), QString());
        QCOMPARE(cell(16, 2), QString());
        QVERIFY(!w->Text_Edit->isVisible());
        test::shot(gui->main.get(), "testfreq_en");

        gui->main->Language_chn_Click();
        gui->main->runCommand("Test_edit");
        w = gui->window<Form_Edit_Test>("Form_Edit_Test");
        QCOMPARE(w->windowTitle(), QString("测试频率"));
        QCOMPARE(cell(0, 0), QString("信道号"));
        QCOMPARE(cell(0, 1), QString("接收频率(MHZ)"));
        QCOMPARE(cell(0, 2), QString("发射频率(MHZ)"));
        QCOMPARE(w->Command_close->text(), QString("关闭"));
        QCOMPARE(w->Command_Help->text(), QString("帮助"));
        test::shot(gui->main.get(), "testfreq_zh");
    }

    void anEmptyTableShowsEmptyCells() {
        emptyTable();
        for (int r = 1; r <= 16; ++r)
            for (int c = 1; c <= 2; ++c) QCOMPARE(cell(r, c), QString());
    }

    void typedFrequenciesAreStoredExactlyAndShownAsStored() {
        useVhfBand();
        emptyTable();
        type(1, 1, "145");
        clickCell(5, 0);
        QCOMPARE(slot(1, false), (std::vector<int>{0x00, 0x00, 0x50, 0x14}));
        QCOMPARE(slot(1, true), (std::vector<int>{0x00, 0x00, 0x50, 0x14}));  // copied
        QCOMPARE(cell(1, 1), QString("145.00000"));
        QCOMPARE(cell(1, 2), QString("145.00000"));

        type(2, 1, "145.1234");
        test::shot(gui->main.get(), "testfreq_editing");
        clickCell(5, 0);
        QCOMPARE(slot(2, false), (std::vector<int>{0x40, 0x23, 0x51, 0x14}));
        QCOMPARE(cell(2, 1), QString("145.12340"));

        type(3, 1, "0145.5");  // a leading zero is a number, not a digit position
        clickCell(5, 0);
        QCOMPARE(cell(3, 1), QString("145.50000"));
        type(4, 1, "145..5");
        clickCell(5, 0);
        QCOMPARE(cell(4, 1), QString("145.00000"));

        type(16, 1, "150");
        type(16, 2, "151.0125");  // channel 16 transmit: row 47, cells 12 to 15
        clickCell(5, 0);
        QCOMPARE(slot(16, true), (std::vector<int>{0x50, 0x12, 0x10, 0x15}));
        for (int c = 12; c < 16; ++c) QCOMPARE(gui->image()(47, c), slot(16, true)[c - 12]);
        QCOMPARE(cell(16, 2), QString("151.01250"));
        QVERIFY(messages().isEmpty());
    }

    void untouchedSlotsKeepTheirBytes() {
        useVhfBand();
        gui->image()(45, 4) = 0x9A;  // not BCD: rewriting it from its text would change it
        gui->image()(45, 5) = 0xBC;
        gui->image()(45, 6) = 0x45;
        gui->image()(45, 7) = 0x01;
        const Image before = gui->image();
        type(1, 2, "160");
        clickCell(2, 1);  // leaves the transmit cell, opens a box on channel 2 receive
        clickCell(2, 0);  // leaves channel 2 receive unchanged
        w->Command_close->setFocus();
        QCOMPARE(slot(1, true), (std::vector<int>{0x00, 0x00, 0x00, 0x16}));
        Image expected = before;
        for (int i = 0; i < 4; ++i) expected(40, 4 + i) = gui->image()(40, 4 + i);
        QCOMPARE(gui->image(), expected);
    }

    void aCellLeftAsItWasIsNeitherCheckedNorWritten() {
        // The factory table holds VHF frequencies; the model is UHF (400 to 481 MHz).
        const Image before = gui->image();
        clickCell(1, 1);
        QCOMPARE(w->Text_Edit->text(), QString("155.05000"));
        clickCell(1, 2);
        clickCell(2, 1);
        QTest::keyClick(w->Text_Edit, Qt::Key_Return);
        QTest::keyClick(w->Text_Edit, Qt::Key_Return);
        QTest::mouseClick(w->Command_close, Qt::LeftButton);
        QVERIFY(messages().isEmpty());
        QCOMPARE(gui->image(), before);
    }

    void outOfBandEntriesWarnAndKeepTheSlot() {
        const Image before = gui->image();
        type(5, 1, "500");
        clickCell(6, 0);
        QCOMPARE(messages(), QStringList{"Over the range of receive frequency ."});
        QCOMPARE(gui->messages->lastTitle(), QString("Operate prompt"));
        QCOMPARE(cell(5, 1), QString("155.20000"));  // what the slot holds, shown again
        QCOMPARE(cell(5, 2), QString("155.20000"));
        QCOMPARE(gui->image(), before);

        type(5, 2, "99");
        QTest::keyClick(w->Text_Edit, Qt::Key_Return);
        QCOMPARE(gui->messages->lastText(), QString("Over the range of transmit frequency ."));
        QCOMPARE(cell(5, 2), QString("155.20000"));
        QCOMPARE(gui->image(), before);

        emptyTable();  // an empty slot stays empty, the transmit of the row too
        const Image empty = gui->image();
        gui->main->Language_chn_Click();
        type(6, 1, "1000");
        clickCell(6, 0);
        QCOMPARE(gui->messages->lastTitle(), QString("操作提示"));
        QCOMPARE(gui->messages->lastText(), QString("接收频率超出范围 ！"));
        QCOMPARE(cell(6, 1), QString());
        QCOMPARE(cell(6, 2), QString());
        QCOMPARE(gui->image(), empty);
    }

    void emptyingCellsAndTransmitWithoutReceive() {
        useVhfBand();
        type(1, 1, "");
        clickCell(8, 0);
        QCOMPARE(cell(1, 1), QString());
        QCOMPARE(cell(1, 2), QString());  // the receive takes the transmit with it
        QCOMPARE(slot(1, false), std::vector<int>(4, 0xFF));
        QCOMPARE(slot(1, true), std::vector<int>(4, 0xFF));
        type(2, 2, "");
        clickCell(8, 0);
        QCOMPARE(cell(2, 2), QString());
        QCOMPARE(cell(2, 1), QString("136.05000"));
        QCOMPARE(slot(2, true), std::vector<int>(4, 0xFF));
        QVERIFY(messages().isEmpty());

        type(1, 2, "150");
        clickCell(8, 0);
        QCOMPARE(messages(), QStringList{"Please input the receive frequency in advance."});
        QCOMPARE(cell(1, 2), QString());
        QCOMPARE(slot(1, true), std::vector<int>(4, 0xFF));
    }

    void anEditIsFinishedByEnterCloseOrTheFocusGoingElsewhere() {
        useVhfBand();
        type(1, 1, "140");
        QTest::keyClick(w->Text_Edit, Qt::Key_Return);
        QCOMPARE(cell(1, 1), QString("140.00000"));
        QVERIFY(w->Text_Edit->isVisible());  // Enter moves on to the transmit cell
        QCOMPARE(w->Text_Edit->text(), QString("155.10000"));
        QTest::keyClicks(w->Text_Edit, "141");
        QTest::keyClick(w->Text_Edit, Qt::Key_Return);
        QCOMPARE(cell(1, 2), QString("141.00000"));
        QCOMPARE(w->Text_Edit->text(), QString("136.05000"));  // channel 2 receive

        type(3, 1, "142");  // then another window takes the focus
        auto* grid = gui->window<frm_chann>("frm_chann");
        gui->main->workArea()->setActiveSubWindow(grid->subWindow());
        QCOMPARE(slot(3, false), (std::vector<int>{0x00, 0x00, 0x20, 0x14}));

        gui->main->workArea()->setActiveSubWindow(w->subWindow());
        type(4, 1, "143");  // then Close
        QTest::mouseClick(w->Command_close, Qt::LeftButton);
        QVERIFY(!gui->main->child("Form_Edit_Test"));
        QCOMPARE(slot(4, false), (std::vector<int>{0x00, 0x00, 0x30, 0x14}));
        QVERIFY(messages().isEmpty());

        open();
        type(5, 1, "144");  // and the frame's close button
        w->subWindow()->close();
        QCOMPARE(slot(5, false), (std::vector<int>{0x00, 0x00, 0x40, 0x14}));
    }

    void keyboardMovesWithoutABoxChangeNothing() {
        const Image before = gui->image();
        w->MSF_chann->setFocus();
        w->MSF_chann->setCurrentCell(1, 1);
        for (auto key : {Qt::Key_Down, Qt::Key_Right, Qt::Key_Down, Qt::Key_Left, Qt::Key_Up})
            QTest::keyClick(w->MSF_chann, key);
        QCOMPARE(w->MSF_chann->currentRow(), 2);
        QVERIFY(!w->Text_Edit->isVisible());
        QCOMPARE(gui->image(), before);
        QVERIFY(messages().isEmpty());
    }

    void keysOpenTheCurrentCellAfterEscape() {
        useVhfBand();
        type(3, 1, "146.5");
        QTest::keyClick(w->Text_Edit, Qt::Key_Escape);
        QCOMPARE(QApplication::focusWidget(), w->MSF_chann);
        QTest::keyClick(w->MSF_chann, Qt::Key_Down);
        QTest::keyClick(w->MSF_chann, Qt::Key_F2);
        QVERIFY(w->Text_Edit->isVisible());
        QCOMPARE(w->Text_Edit->text(), cell(4, 1));
        QTest::keyClick(w->Text_Edit, Qt::Key_Escape);
        QTest::keyClick(w->MSF_chann, Qt::Key_Right);
        QTest::keyClick(w->MSF_chann, Qt::Key_Return);
        QVERIFY(w->Text_Edit->isVisible());
        QCOMPARE(w->MSF_chann->currentColumn(), 2);
        QTest::keyClick(w->Text_Edit, Qt::Key_Escape);
        QTest::keyClick(w->MSF_chann, Qt::Key_Left);
        QTest::keyClick(w->MSF_chann, Qt::Key_Left);
        QTest::keyClick(w->MSF_chann, Qt::Key_F2);  // the channel numbers open nothing
        QVERIFY(!w->Text_Edit->isVisible());
    }

    void onlyAsciiDigitsAndThePointGetIn() {
        useVhfBand();
        type(1, 1, "");
        press(QString::fromUtf8("１４５abc-"));
        QCOMPARE(w->Text_Edit->text(), QString());
        QTest::keyClicks(w->Text_Edit, "146.5");
        QCOMPARE(w->Text_Edit->text(), QString("146.5"));
        w->Text_Edit->clear();
        w->Text_Edit->insert(QString::fromUtf8("１４５"));  // pasted text is held to the same
        QCOMPARE(w->Text_Edit->text(), QString());
        QTest::mouseClick(w->Command_close, Qt::LeftButton);
        QCOMPARE(slot(1, false), std::vector<int>(4, 0xFF));  // emptied: the row is cleared
    }

    void theBoxStaysOverItsCellWhenTheWindowChangesSize() {
        clickCell(9, 2);
        QTest::keyClicks(w->Text_Edit, "7");
        const auto over = [&] {
            return w->Text_Edit->geometry() ==
                   w->MSF_chann->visualRect(w->MSF_chann->model()->index(9, 2));
        };
        QVERIFY(over());
        const QRect before = w->Text_Edit->geometry();
        gui->main->resize(1200, 800);
        w->subWindow()->resize(w->subWindow()->width() + 300, w->subWindow()->height() + 300);
        QTRY_VERIFY(w->Text_Edit->geometry().width() > before.width());  // the columns widened
        QVERIFY(over());
        QVERIFY(w->Text_Edit->isVisible());
        QCOMPARE(w->Text_Edit->text(), QString("7"));

        w->subWindow()->showMaximized();  // the focus leaves the box: the edit is finished
        QTRY_VERIFY(!w->Text_Edit->isVisible());
        QCOMPARE(gui->messages->lastText(),
                 QString("Please input the receive frequency in advance."));  // channel 9 is empty
    }

    // The column titles stay in view when the rows scroll; row 0 keeps them for the window.
    void titlesStayInViewWhileTheRowsScroll() {
        open();
        QCOMPARE(cell(0, 1), QString(" RX Frequency "));
        QVERIFY(w->MSF_chann->horizontalHeader()->isVisible());
        QCOMPARE(w->MSF_chann->horizontalHeaderItem(2)->text(), QString(" TX Frequency "));
        w->MSF_chann->scrollToItem(w->MSF_chann->item(16, 1));
        QVERIFY(w->MSF_chann->horizontalHeader()->isVisible());
        QVERIFY(w->MSF_chann->visualItemRect(w->MSF_chann->item(16, 1))
                    .intersects(w->MSF_chann->viewport()->rect()));
    }

    // Up and Down walk a column with the box, storing as they go; Escape drops the typing.
    void arrowsWalkTheColumnAndEscapeDrops() {
        useVhfBand();
        open();
        type(3, 1, "146.5");
        QTest::keyClick(w->Text_Edit, Qt::Key_Down);
        QCOMPARE(cell(3, 1), QString("146.50000"));
        QCOMPARE(slot(3, false), (std::vector<int>{0x00, 0x00, 0x65, 0x14}));
        QVERIFY(w->Text_Edit->isVisible());
        QVERIFY(w->Text_Edit->hasFocus());
        QCOMPARE(w->Text_Edit->text(), cell(4, 1));
        QTest::keyClick(w->Text_Edit, Qt::Key_Up);
        QTest::keyClick(w->Text_Edit, Qt::Key_Up);
        QCOMPARE(w->MSF_chann->currentRow(), 2);
        const std::vector<int> before = slot(2, false);
        const QString shown = cell(2, 1);
        QTest::keyClick(w->Text_Edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(w->Text_Edit, "150");
        QTest::keyClick(w->Text_Edit, Qt::Key_Escape);
        QVERIFY(!w->Text_Edit->isVisible());
        QCOMPARE(cell(2, 1), shown);
        QCOMPARE(slot(2, false), before);
        w->Command_Help->setFocus();
        QCOMPARE(slot(2, false), before);
        QCOMPARE(gui->messages->messages.size(), 0);
    }

    void undoAndRedoShowInTheGrid() {
        useVhfBand();
        auto* undo = gui->main->findChild<ImageUndo*>("ImageUndo");
        QVERIFY(undo);
        undo->settle();
        type(4, 1, "147.5");
        clickCell(4, 0);
        undo->settle();
        QCOMPARE(cell(4, 1), QString("147.50000"));
        type(5, 1, "148");  // an edit still open when the image is replaced is dropped
        gui->main->runCommand("Edit_undo");
        QCOMPARE(cell(4, 1), QString("155.00000"));
        QCOMPARE(slot(4, false), (std::vector<int>{0x00, 0x00, 0x50, 0x15}));
        QVERIFY(!w->Text_Edit->isVisible());
        clickCell(6, 0);
        QCOMPARE(cell(5, 1), QString("155.20000"));
        gui->main->runCommand("Edit_redo");
        QCOMPARE(cell(4, 1), QString("147.50000"));
    }

    void activationShowsWhatChangedInTheImage() {
        gui->image()(43, 0) = 0x00;
        gui->image()(43, 1) = 0x50;
        gui->image()(43, 2) = 0x62;
        gui->image()(43, 3) = 0x14;
        auto* grid = gui->window<frm_chann>("frm_chann");
        gui->main->workArea()->setActiveSubWindow(grid->subWindow());
        gui->main->workArea()->setActiveSubWindow(w->subWindow());
        QCOMPARE(cell(7, 1), QString("146.25000"));
    }
};

QTEST_MAIN(TestFrequencyGridTest)
#include "TestFrequencyGridTest.moc"
