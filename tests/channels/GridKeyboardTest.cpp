// The channel grid from the keyboard alone: after one click on channel 1's number every step is a
// key sent where the keyboard sends it, to the focused widget.
#include <QtTest>
#include <QtWidgets>

#include "channels/ChannelBlock.h"
#include "channels/frm_chann.h"
#include "core/Frequency.h"
#include "support/GuiFixture.h"
#include "ui/ImageUndo.h"

using namespace nv;

class GridKeyboardTest : public QObject {
    Q_OBJECT
    std::unique_ptr<test::Gui> gui;
    frm_chann* grid = nullptr;

    void press(int key, Qt::KeyboardModifiers mods = {}, int times = 1) {
        for (int i = 0; i < times; ++i) {
            QVERIFY(QApplication::focusWidget());
            QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key), mods);
        }
    }
    void type(const char* text) {
        for (; *text; ++text) QTest::keyClick(QApplication::focusWidget(), *text);
    }
    void goTo(int row, int col) {  // gives up rather than pressing arrows for ever
        QTableWidget* t = grid->MSF_chann;
        for (int i = 0; i < 30 && t->currentRow() != row; ++i)
            press(t->currentRow() < row ? Qt::Key_Down : Qt::Key_Up);
        for (int i = 0; i < 30 && t->currentColumn() != col; ++i)
            press(t->currentColumn() < col ? Qt::Key_Right : Qt::Key_Left);
        QCOMPARE(t->currentRow() * 100 + t->currentColumn(), row * 100 + col);
    }
    // Answers the next modal dialog from the keyboard; a failure closes it, not to wait for ever.
    void whenModal(std::function<void()> keys) {
        QTimer::singleShot(0, this, [keys] {
            const std::unique_ptr<int, void (*)(int*)> closer(new int, [](int* p) {
                if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
                delete p;
            });
            QTRY_VERIFY(
                QApplication::activeModalWidget() &&
                QApplication::activeModalWidget()->isAncestorOf(QApplication::focusWidget()));
            keys();
        });
    }
    std::string rx(int n) { return frequencyToText(gui->image(), n, ch::RxFreq); }
    ChannelSlot slot(int n) { return takeChannel(gui->image(), n); }

  private slots:
    void init() {
        gui = std::make_unique<test::Gui>();
        grid = gui->window<frm_chann>("frm_chann");
        QVERIFY(test::activated(gui->main.get()));
        for (int n = 1; n <= ChannelCount; ++n) {  // channel n receives 400 + n MHz
            textToFrequency(std::to_string(400 + n) + ".00000", gui->image(), n, ch::RxFreq);
            textToFrequency(std::to_string(400 + n) + ".00000", gui->image(), n, ch::TxFreq);
        }
        grid->refreshAll();
        QTableWidget* t = grid->MSF_chann;
        QTest::mouseClick(t->viewport(), Qt::LeftButton, {},
                          t->visualRect(t->model()->index(1, 0)).center());
        press(Qt::Key_Down);  // the cursor alone, no channel selected whole
        QTest::qWait(1);      // the start-up state is where undo stops
    }
    void cleanup() { gui.reset(); }

    void commandsAndSelectionFollowTheCursor() {
        goTo(5, 3);
        press(Qt::Key_C, Qt::ControlModifier);
        goTo(7, 3);
        press(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(slot(7), slot(5));
        press(Qt::Key_Down, Qt::ShiftModifier);  // from the pasted channel, not the last click
        QCOMPARE(grid->selectedChannels(), (std::vector<int>{7, 8}));
        goTo(3, 2);
        press(Qt::Key_Down, Qt::AltModifier, 2);  // the cursor goes with the moved channel
        QCOMPARE(rx(5), std::string("403.00000"));
        QCOMPARE(gui->state->CurrentChannel, 1);  // the detail dialog's channel stays
        goTo(9, 4);
        press(Qt::Key_Space, Qt::ShiftModifier);
        press(Qt::Key_Down, Qt::ShiftModifier, 2);
        QCOMPARE(grid->selectedChannels(), (std::vector<int>{9, 10, 11}));
        press(Qt::Key_Delete);
        QVERIFY(isEmptyChannel(gui->image(), 11) && !isEmptyChannel(gui->image(), 12));
        press(Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(grid->selectedChannels().size(), std::size_t(16));
        press(Qt::Key_F10, Qt::ShiftModifier);  // the channel menu from the keyboard
        QTRY_VERIFY(QApplication::activePopupWidget());
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
    }

    void typingEditsTheCellAndEscapeTakesItBack() {
        const Image start = gui->image();
        goTo(6, 1);
        type("433.2");  // "4" does not jump to the first channel starting with 4
        press(Qt::Key_Return);
        QCOMPARE(rx(6), std::string("433.20000"));
        press(Qt::Key_Escape);    // in the transmit cell Enter opened
        for (int col : {0, 5}) {  // no editor, or one refusing typing: nothing moves
            goTo(6, col);
            type("1L 9");
            press(Qt::Key_Escape);
        }
        goTo(6, 3);
        QTest::qWait(1);
        const Image opened = gui->image();
        press(Qt::Key_F2);
        press(Qt::Key_Down, {}, 3);  // each entry reached is written at once
        QVERIFY(gui->image() != opened);
        press(Qt::Key_Escape);
        QCOMPARE(gui->image(), opened);
        QCOMPARE(QApplication::focusWidget(), grid->MSF_chann);
        press(Qt::Key_Z, Qt::ControlModifier);  // the picks left no step of their own
        QCOMPARE(gui->image(), start);
    }

    void tabGoesFromCellToCellThroughTheChannels() {
        ClearChannel(gui->image(), 15);
        grid->refreshAll();
        goTo(14, 8);
        press(Qt::Key_F2);
        const int steps[][3] = {{Qt::Key_Tab, 14, 9},     {Qt::Key_Tab, 15, 1},
                                {Qt::Key_Tab, 15, 2},     {Qt::Key_Tab, 16, 1},
                                {Qt::Key_Backtab, 15, 2}, {Qt::Key_Backtab, 15, 1}};
        for (const auto& s : steps) {
            press(s[0]);
            QCOMPARE(grid->MSF_chann->currentRow() * 100 + grid->MSF_chann->currentColumn(),
                     s[1] * 100 + s[2]);
        }
        type("444");
        press(Qt::Key_Tab, {}, 2);  // a new channel gains its other columns
        QCOMPARE(rx(15), std::string("444.00000"));
        QCOMPARE(QApplication::focusWidget(), grid->Combo_edit);
        press(Qt::Key_Escape);
        goTo(16, 9);
        press(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), grid->Command_clear);
    }

    void theDialogWritesNothingStaleAndATextCopyKeepsItsGaps() {
        gui->image()(3, 12) = 0x40;  // speaker unmute bits the dialog has no entry for
        ClearChannel(gui->image(), 4);
        grid->refreshAll();
        goTo(12, 1);
        press(Qt::Key_F2);
        press(Qt::Key_Escape);
        QTest::mouseClick(grid->Command_Edit, Qt::LeftButton);  // on channel 12
        gui->main->workArea()->setActiveSubWindow(grid->subWindow());
        goTo(3, 1);
        press(Qt::Key_Down, Qt::ShiftModifier, 2);
        press(Qt::Key_C, Qt::ControlModifier);
        goTo(12, 1);
        press(Qt::Key_V, Qt::ControlModifier);
        press(Qt::Key_Z, Qt::ControlModifier);
        press(Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(slot(12), slot(3));
        QCOMPARE(slot(13), slot(4));
        // Nor when the dialog becomes the active window again.
        auto* dialog = gui->main->child("Form_Chann_Edit");
        QVERIFY(dialog);
        gui->main->workArea()->setActiveSubWindow(dialog->subWindow());
        gui->main->workArea()->setActiveSubWindow(grid->subWindow());
        QCOMPARE(slot(12), slot(3));
        QApplication::clipboard()->setText(QApplication::clipboard()->text());  // text alone
        goTo(6, 1);
        press(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(rx(6), std::string("403.00000"));
        QVERIFY(isEmptyChannel(gui->image(), 7));
        QCOMPARE(rx(8), std::string("405.00000"));
    }

    void setDialogsAndMessagesGiveTheKeyboardBack() {
        goTo(2, 1);
        press(Qt::Key_C, Qt::ControlModifier);
        goTo(5, 1);
        whenModal([this] {
            QCOMPARE(QApplication::focusWidget()->objectName(), QString("Text_offset"));
            for (const char* refused : {".", "99"}) {  // no offset; 504 MHz is outside the band
                type(refused);
                press(Qt::Key_Return);
                QVERIFY(QApplication::activeModalWidget());
                QCOMPARE(qobject_cast<QLineEdit*>(QApplication::focusWidget())->selectedText(),
                         QString(refused));
            }
            type("5");
            press(Qt::Key_Return);
        });
        grid->findChild<QAction*>("Channel_set_offset")->trigger();
        QCOMPARE(gui->messages->messages.size(), 2);
        QCOMPARE(frequencyToText(gui->image(), 5, ch::TxFreq), std::string("410.00000"));
        QTRY_COMPARE(QApplication::focusWidget(), grid->MSF_chann);
        setMessageHandler({});  // the real modal box
        whenModal([this] { press(Qt::Key_Return); });
        press(Qt::Key_Insert);  // channel 16 is in use
        QTRY_COMPARE(QApplication::focusWidget(), grid->MSF_chann);
        press(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(slot(5), slot(2));
    }

    void cascadeKeepsSizesTileGivesTheGridItsColumns_data() {
        QTest::addColumn<bool>("chinese");
        QTest::addColumn<QSize>("size");
        QTest::newRow("English") << false << QSize(1800, 1000);
        QTest::newRow("Chinese") << true << QSize(1800, 1000);
        // The grid as wide as the area allows with a strip beside it; windows that do not fit
        // at their offset are still staggered.
        QTest::newRow("narrow") << false << QSize(1100, 650);
    }
    void cascadeKeepsSizesTileGivesTheGridItsColumns() {
        QFETCH(bool, chinese);
        QFETCH(QSize, size);
        if (chinese) gui->main->Language_chn_Click();
        gui->main->runCommand("Channel_edit");
        grid = gui->window<frm_chann>("frm_chann");
        gui->main->resize(size);
        for (const char* item : {"Scan_edit", "Optional_edit"}) gui->main->runCommand(item);
        QMdiArea* area = gui->main->workArea();
        QList<QRect> before;
        for (QMdiSubWindow* sub : area->subWindowList()) before << sub->geometry();
        gui->main->runCommand("Window_cascade");
        QSet<int> lefts;
        for (QMdiSubWindow* sub : area->subWindowList()) {
            QCOMPARE(sub->size(), before.front().size());
            lefts << sub->x();
            before.removeFirst();
        }
        QCOMPARE(lefts.size(), area->subWindowList().size());
        gui->main->runCommand("Window_tile");
        QTRY_COMPARE(area->viewport()->size(), area->contentsRect().size());  // nothing sticks out
        QCOMPARE(grid->MSF_chann->horizontalScrollBar()->maximum(), 0);
        test::shot(gui->main.get(), QString("windows_%1_tiled").arg(QTest::currentDataTag()));
        auto* menu = gui->main->findChild<QMenu*>("Window");
        menu->popup(gui->main->mapToGlobal(QPoint(40, 40)));
        QTRY_VERIFY(menu->isVisible());
        QStringList ticked;
        for (QAction* a : menu->actions())
            if (a->objectName() == "Window_list" && a->isChecked()) ticked << a->text();
        menu->hide();
        QCOMPARE(ticked, QStringList{"&3 " + area->currentSubWindow()->windowTitle()});
    }
};

QTEST_MAIN(GridKeyboardTest)
#include "GridKeyboardTest.moc"
