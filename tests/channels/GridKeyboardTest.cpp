// The channel grid worked from the keyboard alone: after one click into the grid every step is a
// key sent where the keyboard sends it, the focused widget.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QtTest>

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
    void type(const QString& text) {
        for (QChar ch : text) QTest::keyClick(QApplication::focusWidget(), ch.toLatin1());
    }
    // The one click: on channel 1's number, which opens no editor.
    void enterGrid() {
        QTableWidget* t = grid->MSF_chann;
        QTest::mouseClick(t->viewport(), Qt::LeftButton, {},
                          t->visualRect(t->model()->index(1, 0)).center());
        press(Qt::Key_Down);  // no channel selected whole: the cursor alone
    }
    // Moves the cursor with the arrow keys from wherever it is.
    void goTo(int row, int col) {
        QTableWidget* t = grid->MSF_chann;
        for (int i = 0; i < 30 && t->currentRow() != row; ++i)
            press(t->currentRow() < row ? Qt::Key_Down : Qt::Key_Up);
        for (int i = 0; i < 30 && t->currentColumn() != col; ++i)
            press(t->currentColumn() < col ? Qt::Key_Right : Qt::Key_Left);
        QCOMPARE(t->currentRow() * 100 + t->currentColumn(), row * 100 + col);
    }
    // A check that fails inside a modal dialog must not leave it waiting for ever.
    struct ClosesModalOnFailure {
        ~ClosesModalOnFailure() {
            if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
        }
    };
    std::vector<int> selected() { return grid->selectedChannels(); }
    std::string rx(int n) { return frequencyToText(gui->image(), n, ch::RxFreq); }
    ChannelSlot slot(int n) { return takeChannel(gui->image(), n); }
    ImageUndo* undo() { return gui->main->findChild<ImageUndo*>("ImageUndo"); }

  private slots:
    void init() {
        gui = std::make_unique<test::Gui>();
        grid = gui->window<frm_chann>("frm_chann");
        QVERIFY(test::activated(gui->main.get()));
        for (int n = 1; n <= ChannelCount; ++n) {  // channel n receives 400 + n MHz
            const std::string f = std::to_string(400 + n) + ".00000";
            textToFrequency(f, gui->image(), n, ch::RxFreq);
            textToFrequency(f, gui->image(), n, ch::TxFreq);
        }
        grid->refreshAll();
        enterGrid();
        QTest::qWait(1);  // the start-up state is where undo stops
    }
    void cleanup() { gui.reset(); }

    void commandsActOnTheChannelUnderTheCursor() {
        goTo(5, 3);
        press(Qt::Key_C, Qt::ControlModifier);
        goTo(7, 3);
        press(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(slot(7), slot(5));
        goTo(9, 1);
        press(Qt::Key_Delete);
        QVERIFY(isEmptyChannel(gui->image(), 9));
        goTo(3, 2);
        press(Qt::Key_Down, Qt::AltModifier);  // the cursor goes with the moved channel
        QCOMPARE(rx(4), std::string("403.00000"));
        QCOMPARE(grid->MSF_chann->currentRow(), 4);
        press(Qt::Key_Down, Qt::AltModifier);
        QCOMPARE(rx(5), std::string("403.00000"));
        grid->findChild<QAction*>("Channel_set_power_low")->trigger();
        QCOMPARE(getField(gui->image(), 5, ch::HighPower), 0);
        QCOMPARE(getField(gui->image(), 1, ch::HighPower), 1);  // the channel clicked
        QCOMPARE(rx(1), std::string("401.00000"));
        QCOMPARE(gui->state->CurrentChannel, 1);  // the detail dialog's channel stays
    }

    void typingOnACellEditsThatCell() {
        goTo(6, 1);
        type("433.2");  // "4" no longer jumps to the first channel starting with 4
        press(Qt::Key_Return);
        QCOMPARE(rx(6), std::string("433.20000"));
        QCOMPARE(frequencyToText(gui->image(), 6, ch::TxFreq), std::string("433.20000"));
        QCOMPARE(grid->MSF_chann->currentRow(), 6);
        QCOMPARE(grid->MSF_chann->currentColumn(), 2);  // Enter moved on as always
        press(Qt::Key_Escape);
        press(Qt::Key_Right);
        type("d023n");  // a tone cell: its editor's key filter holds
        press(Qt::Key_Return);
        QCOMPARE(gui->image()(6, ch::DecodeTone), 0x13);
        QCOMPARE(gui->image()(6, ch::DecodeTone + 1), 0x28);
        const Image before = gui->image();
        for (int col : {0, 5}) {  // no editor, or one that refuses typing: nothing moves
            press(Qt::Key_Escape);
            goTo(6, col);
            type("1L 9");
            QCOMPARE(grid->MSF_chann->currentRow(), 6);
        }
        QCOMPARE(gui->image(), before);
    }

    void escapeTakesTheEditBack() {
        const Image before = gui->image();
        goTo(2, 1);
        type("447");
        press(Qt::Key_Escape);
        QCOMPARE(grid->MSF_chann->item(2, 1)->text(), QString("402.00000"));
        QCOMPARE(QApplication::focusWidget(), grid->MSF_chann);
        goTo(2, 5);
        press(Qt::Key_F2);
        press(Qt::Key_Down);  // each entry the arrows reach is written at once
        QCOMPARE(getField(gui->image(), 2, ch::HighPower), 0);
        press(Qt::Key_Return);
        press(Qt::Key_Escape);
        goTo(2, 3);
        QTest::qWait(1);
        const Image opened = gui->image();
        const std::size_t steps = undo()->history().undoSteps();
        press(Qt::Key_F2);
        press(Qt::Key_Down, {}, 3);
        QCOMPARE(gui->image()(2, ch::EncodeTone), gui->image()(2, ch::DecodeTone));
        QVERIFY(gui->image() != opened);
        press(Qt::Key_Escape);
        QCOMPARE(gui->image(), opened);
        QCOMPARE(grid->MSF_chann->currentRow(), 2);
        QCOMPARE(grid->MSF_chann->currentColumn(), 3);
        QTest::qWait(1);
        QCOMPARE(undo()->history().undoSteps(), steps);  // the picks left no step
        press(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(gui->image(), before);
    }

    void tabGoesFromCellToCellThroughTheChannels() {
        ClearChannel(gui->image(), 15);
        grid->refreshAll();
        goTo(14, 7);
        press(Qt::Key_F2);
        const struct {
            int key, row, col;
        } steps[] = {{Qt::Key_Tab, 14, 8},     {Qt::Key_Tab, 14, 9},  {Qt::Key_Tab, 15, 1},
                     {Qt::Key_Tab, 15, 2},     {Qt::Key_Tab, 16, 1},  {Qt::Key_Backtab, 15, 2},
                     {Qt::Key_Backtab, 15, 1}, {Qt::Key_Backtab, 14, 9}};
        for (const auto& s : steps) {
            press(s.key);
            QCOMPARE(grid->MSF_chann->currentRow(), s.row);
            QCOMPARE(grid->MSF_chann->currentColumn(), s.col);
        }
        press(Qt::Key_Escape);
        goTo(16, 8);
        press(Qt::Key_F2);
        press(Qt::Key_Tab);
        press(Qt::Key_Tab);  // from channel 16's last cell on to the buttons
        QCOMPARE(QApplication::focusWidget(), grid->Command_clear);
        press(Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), grid->MSF_chann);
        goTo(15, 1);  // Tab commits what was typed; a new channel gains all its columns
        press(Qt::Key_F2);
        type("444");
        press(Qt::Key_Tab);
        press(Qt::Key_Tab);
        QCOMPARE(rx(15), std::string("444.00000"));
        QCOMPARE(grid->MSF_chann->currentColumn(), 3);
        QCOMPARE(QApplication::focusWidget(), grid->Combo_edit);
    }

    void selectingWholeChannelsFromTheKeyboard() {
        goTo(3, 4);
        press(Qt::Key_Down, Qt::ShiftModifier, 2);
        QCOMPARE(selected(), (std::vector<int>{3, 4, 5}));
        press(Qt::Key_C, Qt::ControlModifier);
        goTo(10, 4);
        QCOMPARE(selected(), (std::vector<int>{10}));  // the arrows drop the selection
        press(Qt::Key_V, Qt::ControlModifier);
        for (int n : {10, 11, 12}) QCOMPARE(slot(n), slot(n - 7));
        goTo(8, 2);
        press(Qt::Key_Space, Qt::ShiftModifier);
        press(Qt::Key_Up, Qt::ShiftModifier);
        QCOMPARE(selected(), (std::vector<int>{7, 8}));
        press(Qt::Key_Delete);
        QVERIFY(isEmptyChannel(gui->image(), 7) && isEmptyChannel(gui->image(), 8));
        press(Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(selected().size(), std::size_t(16));
    }

    void aTextCopyKeepsTheEmptyChannels() {
        ClearChannel(gui->image(), 4);
        grid->refreshAll();
        goTo(3, 1);
        press(Qt::Key_Down, Qt::ShiftModifier, 3);
        press(Qt::Key_C, Qt::ControlModifier);
        const QString text = QGuiApplication::clipboard()->text();  // as another program has it
        QCOMPARE(text.count('\n'), 5);
        goTo(10, 1);
        QGuiApplication::clipboard()->setText(text);
        press(Qt::Key_V, Qt::ControlModifier);
        QVERIFY(gui->messages->messages.isEmpty());
        QCOMPARE(rx(10), std::string("403.00000"));
        QVERIFY(isEmptyChannel(gui->image(), 11));
        QCOMPARE(rx(12), std::string("405.00000"));
        QCOMPARE(rx(13), std::string("406.00000"));
    }
    void anOpenDetailDialogWritesNothingStale() {
        gui->image()(3, 12) = 0x40;  // speaker unmute bits the dialog has no entry for
        setField(gui->image(), 3, ch::HighPower, 0);
        grid->refreshAll();
        goTo(12, 1);
        press(Qt::Key_F2);
        press(Qt::Key_Escape);
        QTest::mouseClick(grid->Command_Edit, Qt::LeftButton);
        auto* dialog = gui->main->child("Form_Chann_Edit");
        QVERIFY(dialog);
        gui->main->workArea()->setActiveSubWindow(grid->subWindow());
        goTo(3, 1);
        press(Qt::Key_C, Qt::ControlModifier);
        goTo(12, 1);
        press(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(slot(12), slot(3));
        press(Qt::Key_Z, Qt::ControlModifier);
        press(Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(slot(12), slot(3));
        auto* edit = dialog->findChild<QComboBox*>("Combo_TXP");
        QCOMPARE(edit->currentIndex(), 1);  // it shows the pasted channel
    }
    void theOffsetDialogTakesATypedOffsetAndKeepsABadOne() {
        goTo(5, 1);
        QTimer::singleShot(0, this, [this] {
            const ClosesModalOnFailure guard;
            QTRY_VERIFY(QApplication::activeModalWidget());
            QTRY_COMPARE(QApplication::focusWidget()->objectName(), QString("Text_offset"));
            const struct {
                const char* typed;
                const char* message;
            } refused[] = {{".", "Please give the offset in MHz."},
                           {"99", "Over the range of transmit frequency . Channels 5: nothing "
                                  "was changed."}};
            for (const auto& r : refused) {
                type(r.typed);
                press(Qt::Key_Return);
                QCOMPARE(gui->messages->lastText(), QString(r.message));
                auto* offset = qobject_cast<QLineEdit*>(QApplication::focusWidget());
                QVERIFY(offset && QApplication::activeModalWidget());
                QCOMPARE(offset->selectedText(), QString(r.typed));
            }
            type("5");
            press(Qt::Key_Return);
            QTRY_VERIFY(!QApplication::activeModalWidget());
        });
        grid->findChild<QAction*>("Channel_set_offset")->trigger();
        QVERIFY(!QApplication::activeModalWidget());
        QCOMPARE(frequencyToText(gui->image(), 5, ch::TxFreq), std::string("410.00000"));
        QCOMPARE(rx(5), std::string("405.00000"));
    }
    void theKeyboardIsBackInTheGridAfterAMessageOrADialog() {
        setMessageHandler({});  // the real modal box
        goTo(2, 1);
        press(Qt::Key_C, Qt::ControlModifier);
        goTo(5, 1);
        const auto answerWith = [this](Qt::Key key) {
            QTimer::singleShot(0, this, [key] {
                const ClosesModalOnFailure guard;
                QTRY_VERIFY(QApplication::activeModalWidget());
                QTRY_VERIFY(QApplication::activeModalWidget()->isAncestorOf(
                    QApplication::focusWidget()));
                QTest::keyClick(QApplication::focusWidget(), key);
                QTRY_VERIFY(!QApplication::activeModalWidget());
            });
        };
        answerWith(Qt::Key_Return);
        press(Qt::Key_Insert);  // channel 16 is in use: a message
        QTRY_COMPARE(QApplication::focusWidget(), grid->MSF_chann);
        answerWith(Qt::Key_Escape);
        grid->findChild<QAction*>("Channel_set_tones")->trigger();
        QTRY_COMPARE(QApplication::focusWidget(), grid->MSF_chann);
        press(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(slot(5), slot(2));
    }
    void cascadeKeepsSizesTileGivesTheGridItsColumns_data() {
        QTest::addColumn<bool>("chinese");
        QTest::newRow("English") << false;
        QTest::newRow("Chinese") << true;
    }
    void cascadeKeepsSizesTileGivesTheGridItsColumns() {
        QFETCH(bool, chinese);
        if (chinese) {
            gui->main->Language_chn_Click();
            gui->main->runCommand("Channel_edit");
            grid = gui->window<frm_chann>("frm_chann");
        }
        gui->main->resize(1800, 1000);  // room for the grid's columns and the others beside
        gui->main->runCommand("Scan_edit");
        gui->main->runCommand("Optional_edit");
        QMdiArea* area = gui->main->workArea();
        QList<QSize> sizes;
        for (QMdiSubWindow* sub : area->subWindowList()) sizes << sub->size();
        gui->main->runCommand("Window_cascade");
        QList<QPoint> corners;
        for (QMdiSubWindow* sub : area->subWindowList()) {
            QCOMPARE(sub->size(), sizes.takeFirst());
            QVERIFY(!corners.contains(sub->pos()));
            corners << sub->pos();
        }
        gui->main->runCommand("Window_tile");
        QTRY_COMPARE(area->viewport()->size(), area->contentsRect().size());  // nothing sticks out
        QCOMPARE(grid->MSF_chann->horizontalScrollBar()->maximum(), 0);  // every column in view
        for (QMdiSubWindow* sub : area->subWindowList()) {
            QVERIFY(area->viewport()->rect().contains(sub->geometry()));
            QVERIFY(sub == grid->subWindow() || !sub->geometry().intersects(grid->subWindow()->geometry()));
        }
        test::shot(gui->main.get(), chinese ? "windows_zh_tiled" : "windows_en_tiled");

        auto* menu = gui->main->findChild<QMenu*>("Window");
        area->setActiveSubWindow(grid->subWindow());
        menu->popup(gui->main->mapToGlobal(QPoint(40, 40)));
        QTRY_VERIFY(menu->isVisible());
        QStringList ticked;
        for (QAction* a : menu->actions())
            if (a->objectName() == "Window_list" && a->isChecked()) ticked << a->text();
        menu->hide();
        QCOMPARE(ticked.size(), 1);
        QVERIFY(ticked[0].endsWith(grid->windowTitle()));
        goTo(4, 1);  // the grid still has the keyboard after all this
        type("470");
        press(Qt::Key_Return);
        QCOMPARE(rx(4), std::string("470.00000"));
    }
};

QTEST_MAIN(GridKeyboardTest)
#include "GridKeyboardTest.moc"
