// Undo and redo of the radio image from the windows: one step per user action, whatever made
// it, with the keys a user presses where the focus really is.

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

#include "channels/ChannelRecord.h"
#include "channels/Form_Chann_Edit.h"
#include "channels/frm_chann.h"
#include "core/ChannelFile.h"
#include "features/frm_option.h"
#include "files/ChannelFileDialogs.h"
#include "support/GuiFixture.h"
#include "support/IdleLoop.h"
#include "support/RadioGui.h"
#include "support/Shots.h"
#include "ui/ImageUndo.h"

using namespace nv;
using nv::test::runLoopUntil;

namespace {

const QKeySequence UndoKey(Qt::CTRL | Qt::Key_Z);
const QKeySequence RedoKey(Qt::CTRL | Qt::Key_Y);
const QKeySequence OtherRedoKey(Qt::CTRL | Qt::SHIFT | Qt::Key_Z);

std::vector<int> rowOf(const Image& im, int r) {
    std::vector<int> v;
    for (int c = 0; c < 16; ++c) v.push_back(im(r, c));
    return v;
}

// Presses keys where a user's keyboard sends them: to the focused widget of the active window.
void press(QWidget* window, const QKeySequence& keys) {
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : window;
    QTest::keySequence(target, keys);
}

}  // namespace

class UndoTest : public QObject {
    Q_OBJECT
    std::unique_ptr<test::Gui> gui;
    frm_chann* grid = nullptr;

    MDImain* main() { return gui->main.get(); }
    ImageUndo* undo() { return main()->findChild<ImageUndo*>("ImageUndo"); }
    QAction* item(const char* name) { return main()->findChild<QAction*>(name); }
    void press(const QKeySequence& keys) { ::press(main(), keys); }

    void clickCell(int r, int c) {
        QTableWidget* t = grid->MSF_chann;
        t->scrollToItem(t->item(r, c));
        QTest::mouseClick(t->viewport(), Qt::LeftButton, {},
                          t->visualRect(t->model()->index(r, c)).center());
    }
    void type(const QString& text) { QTest::keyClicks(QApplication::focusWidget(), text); }
    void enter() { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); }
    QString cell(int r, int c) { return grid->MSF_chann->item(r, c)->text(); }
    std::vector<int> row(int r) { return rowOf(gui->image(), r); }

  private slots:
    void init() {
        gui = std::make_unique<test::Gui>();
        grid = gui->window<frm_chann>("frm_chann");
        QVERIFY(grid && undo());
        QVERIFY(test::activated(main()));
    }
    void cleanup() { gui.reset(); }

    void editMenuEndsWithUndoAndRedoInBothLanguages() {
        QMenu* edit = main()->findChild<QMenu*>("Edit");
        const QList<QAction*> actions = edit->actions();
        QCOMPARE(actions.indexOf(item("Edit_undo")), actions.indexOf(item("Message_edit")) + 2);
        QCOMPARE(actions.indexOf(item("Edit_redo")), actions.size() - 1);
        QVERIFY(actions[actions.indexOf(item("Edit_undo")) - 1]->isSeparator());
        QCOMPARE(item("Edit_undo")->text(), QString("Undo"));
        QCOMPARE(item("Edit_redo")->text(), QString("Redo"));
        QCOMPARE(item("Edit_undo")->shortcuts(), QList<QKeySequence>{UndoKey});
        QCOMPARE(item("Edit_redo")->shortcuts(), (QList<QKeySequence>{RedoKey, OtherRedoKey}));
        QVERIFY(item("Edit_undo")->isVisible() && item("Edit_redo")->isVisible());
        QVERIFY(!item("Edit_undo")->isEnabled());  // nothing done yet
        QVERIFY(!item("Edit_redo")->isEnabled());

        QTest::mouseClick(grid->Command_clear, Qt::LeftButton);
        undo()->settle();
        QVERIFY(item("Edit_undo")->isEnabled());
        main()->menuBar()->setActiveAction(edit->menuAction());
        QTRY_VERIFY(edit->isVisible());
        test::shot(edit, "edit_menu_en");
        edit->close();

        main()->Language_chn_Click();
        QCOMPARE(item("Edit_undo")->text(), QString("撤销"));
        QCOMPARE(item("Edit_redo")->text(), QString("重做"));
        item("Edit_undo")->trigger();
        QVERIFY(item("Edit_redo")->isEnabled());
        QVERIFY(!item("Edit_undo")->isEnabled());
        main()->menuBar()->setActiveAction(edit->menuAction());
        QTRY_VERIFY(edit->isVisible());
        test::shot(edit, "edit_menu_zh");
        test::shot(main(), "main_zh_edit_menu");
        edit->close();
        main()->Language_eng_Click();
        QCOMPARE(item("Edit_undo")->text(), QString("Undo"));
    }

    void typoThenCtrlZRestoresTheFrequency() {
        const Image before = gui->image();
        const QString shown = cell(2, 1);
        clickCell(2, 1);
        type("100");
        enter();  // below the band: a warning, and the channel keeps its frequency
        QCOMPARE(gui->messages->lastText(), QString("Over the range of receive frequency ."));
        QCOMPARE(cell(2, 1), shown);
        undo()->settle();
        QVERIFY(gui->image() == before);
        QCOMPARE(undo()->history().undoSteps(), size_t(0));  // nothing written, nothing to undo
        QCOMPARE(QApplication::focusWidget(), grid->Text_Edit);  // on the transmit cell now
        clickCell(4, 0);

        clickCell(2, 1);
        type("470");
        enter();  // receive and transmit
        const Image typo = gui->image();
        QVERIFY(rowOf(typo, 2) != rowOf(before, 2));
        undo()->settle();
        QCOMPARE(undo()->history().undoSteps(), size_t(1));  // receive and transmit: one step

        press(UndoKey);
        QCOMPARE(row(2), rowOf(before, 2));
        QVERIFY(gui->image() == before);
        QCOMPARE(cell(2, 1), shown);
        QVERIFY(!grid->Text_Edit->isVisible());  // the editor over the old value is gone...
        clickCell(4, 0);
        QVERIFY(gui->image() == before);  // ...and leaving its cell writes nothing back

        press(RedoKey);
        QVERIFY(gui->image() == typo);
        QCOMPARE(cell(2, 1), QString("470.00000"));
        press(UndoKey);
        QVERIFY(gui->image() == before);
        press(OtherRedoKey);
        QVERIFY(gui->image() == typo);
        QCOMPARE(gui->messages->messages.size(), 1);
    }

    void aTextBoxUndoesItsOwnTypingFirst() {
        clickCell(5, 1);
        type("401");
        clickCell(6, 0);
        const Image edited = gui->image();
        const QString shown = cell(3, 1);
        clickCell(3, 1);
        type("7");  // replaces the selected text
        QCOMPARE(grid->Text_Edit->text(), QString("7"));
        press(UndoKey);  // the box takes it back; the image keeps its step
        QCOMPARE(grid->Text_Edit->text(), shown);
        QVERIFY(grid->Text_Edit->isVisible());
        QVERIFY(gui->image() == edited);
        QCOMPARE(undo()->history().undoSteps(), size_t(1));
        press(RedoKey);
        QCOMPARE(grid->Text_Edit->text(), QString("7"));
        press(UndoKey);
        press(UndoKey);  // nothing left in the box: the image goes back
        QVERIFY(rowOf(gui->image(), 5) != rowOf(edited, 5));
        QCOMPARE(undo()->history().undoSteps(), size_t(0));
        QVERIFY(!grid->Text_Edit->isVisible());
    }

    void anAttributePickedInTheGridIsUndoneWhileItsListIsOpen() {
        clickCell(1, 5);
        QVERIFY(grid->Combo_edit->isVisible());
        test::pickFromList(grid->Combo_edit, 1);  // "Low", written at once
        QCOMPARE(getField(gui->image(), 1, ch::HighPower), 0);
        QVERIFY(runLoopUntil([this] { return item("Edit_undo")->isEnabled(); }));
        item("Edit_undo")->trigger();
        QCOMPARE(getField(gui->image(), 1, ch::HighPower), 1);
        QCOMPARE(cell(1, 5), QString("High"));
        clickCell(2, 0);  // leaving the cell puts no stale "Low" into it
        QCOMPARE(cell(1, 5), QString("High"));
        QCOMPARE(getField(gui->image(), 1, ch::HighPower), 1);
    }

    void clearAndDefaultAreOneStepEach() {
        const Image before = gui->image();
        QTest::mouseClick(grid->Command_clear, Qt::LeftButton);
        for (int n = 1; n <= ChannelCount; ++n) QVERIFY(isEmptyChannel(gui->image(), n));
        const Image cleared = gui->image();
        QTest::mouseClick(grid->Command_def, Qt::LeftButton);
        const Image defaults = gui->image();
        QVERIFY(!(defaults == cleared));
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(grid->Command_def));

        press(UndoKey);
        QVERIFY(gui->image() == cleared);
        QVERIFY(cell(1, 1).isEmpty());
        press(UndoKey);
        QVERIFY(gui->image() == before);
        QCOMPARE(cell(1, 1), QString::fromStdString(gridRowTexts(*gui->state, 1, false)[1]));
        QVERIFY(!cell(1, 1).isEmpty());
        press(RedoKey);
        QVERIFY(gui->image() == cleared);
        press(RedoKey);
        QVERIFY(gui->image() == defaults);
    }

    void loadingAFileIsOneStepAndUndoesWhole() {
        QTemporaryDir dir;
        Image file = gui->image();
        file(1, 2) = 0x41;   // channel 1 at another frequency
        file(19, 0) = 0x07;  // an optional feature
        file(4, 0) = 0xFF;   // channel 4 empty, with leftovers the grid tidies away
        file(4, 13) = 0x33;
        file(10, 20) = 5;  // a spare cell
        QFile f(dir.filePath("other.chann"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray::fromStdString(channelFileText(file)));
        f.close();

        const Image before = gui->image();
        gui->state->CurrentFilePath = dir.filePath("start.chann").toStdString();
        auto* d = main()->openChild<Form_open_chann>();
        d->Text1->setText("other.chann");
        QTest::mouseClick(d->Command_enter, Qt::LeftButton);
        QCOMPARE(gui->messages->lastText(),
                 QString("Succeed fold the channel parameter from file."));
        QTRY_VERIFY(!main()->child("Form_open_chann"));
        QTRY_COMPARE(main()->workArea()->activeSubWindow(), grid->subWindow());
        QCOMPARE(gui->image()(1, 2), 0x41);
        QCOMPARE(gui->image()(4, 13), 0xFF);  // tidied by the grid as it showed the channel
        undo()->settle();
        QCOMPARE(undo()->history().undoSteps(), size_t(1));  // load and tidying: one step
        const Image loaded = gui->image();

        press(UndoKey);
        QVERIFY(gui->image() == before);
        QCOMPARE(cell(4, 1), QString::fromStdString(gridRowTexts(*gui->state, 4, false)[1]));
        QVERIFY(!cell(4, 1).isEmpty());
        press(RedoKey);
        QVERIFY(gui->image() == loaded);
        QVERIFY(cell(4, 1).isEmpty());
    }

    void theChannelDialogShowsTheRestoredState() {
        QTest::mouseClick(grid->Command_Edit, Qt::LeftButton);
        auto* dlg = gui->window<Form_Chann_Edit>("Form_Chann_Edit");
        QVERIFY(dlg);
        QCOMPARE(dlg->Combo_TXP->currentIndex(), 0);     // channel 1 on high power
        dlg->Combo_TXP->setFocus(Qt::MouseFocusReason);  // as the click that opens the list
        test::pickFromList(dlg->Combo_TXP, 1);
        QCOMPARE(getField(gui->image(), 1, ch::HighPower), 0);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(dlg->Combo_TXP));

        press(UndoKey);  // a list has no undo of its own
        QCOMPARE(getField(gui->image(), 1, ch::HighPower), 1);
        QCOMPARE(dlg->Combo_TXP->currentIndex(), 0);
        QCOMPARE(cell(1, 5), QString("High"));  // the grid behind it too
        press(RedoKey);
        QCOMPARE(dlg->Combo_TXP->currentIndex(), 1);
        QCOMPARE(cell(1, 5), QString("Low"));

        // Typing in a frequency field, then Undo from the menu: the field shows the restored
        // frequency and leaving it makes no step of its own.
        const QString restored = dlg->Text_RX_Freq->text();
        dlg->Text_RX_Freq->setFocus();
        QTRY_VERIFY(dlg->Text_RX_Freq->hasFocus());
        QTest::keyClicks(dlg->Text_RX_Freq, "9");
        item("Edit_undo")->trigger();
        QCOMPARE(dlg->Text_RX_Freq->text(), restored);
        QCOMPARE(dlg->Combo_TXP->currentIndex(), 0);
        dlg->Command_Help->setFocus();
        QTRY_VERIFY(!dlg->Text_RX_Freq->hasFocus());
        undo()->settle();
        QCOMPARE(undo()->history().redoSteps(), size_t(1));
        test::shot(main(), "dialog_after_undo");
    }

    void aFeatureWindowShowsTheRestoredState() {
        main()->runCommand("Optional_edit");
        auto* w = gui->window<frm_option>("frm_option");
        QVERIFY(w);
        undo()->settle();
        const Image before = gui->image();
        const int squelch = w->Combo_Sql->currentIndex();
        w->Combo_Sql->setFocus(Qt::MouseFocusReason);
        test::pickFromList(w->Combo_Sql, squelch + 1);
        QVERIFY(gui->image() != before);
        press(UndoKey);
        QCOMPARE(gui->image(), before);
        QCOMPARE(w->Combo_Sql->currentIndex(), squelch);
        press(RedoKey);
        QCOMPARE(w->Combo_Sql->currentIndex(), squelch + 1);

        // A DTMF code typed, then Undo from the menu: the box and row 20 go back together.
        undo()->settle();
        const Image typed = gui->image();
        const QString code = w->Text_tx_begin->text();
        w->Text_tx_begin->setFocus();
        QTRY_VERIFY(w->Text_tx_begin->hasFocus());
        w->Text_tx_begin->end(false);
        QTest::keyClicks(w->Text_tx_begin, "7");
        QVERIFY(gui->image() != typed);
        item("Edit_undo")->trigger();
        QCOMPARE(gui->image(), typed);
        QCOMPARE(w->Text_tx_begin->text(), code);
        w->Command_Help->setFocus();
        QTRY_VERIFY(!w->Text_tx_begin->hasFocus());
        QCOMPARE(gui->image(), typed);  // leaving the box writes nothing of its own
    }

    void showingEmptyChannelsMakesNoSteps() {
        for (int c = 1; c < 16; ++c) gui->image()(6, c) = 0x12;  // leftovers behind 0xFF
        gui->image()(6, 0) = 0xFF;
        undo()->begin();
        QTest::mouseClick(grid->Command_Edit, Qt::LeftButton);
        auto* dlg = gui->window<Form_Chann_Edit>("Form_Chann_Edit");
        for (int n = 2; n <= 8; ++n) dlg->VScroll1->setValue(n);  // shows channel 6 on the way
        main()->workArea()->setActiveSubWindow(grid->subWindow());
        undo()->settle();
        QCOMPARE(gui->image()(6, 5), 0xFF);
        QCOMPARE(undo()->history().undoSteps(), size_t(0));
        QVERIFY(!item("Edit_undo")->isEnabled());
    }

    void whatAWindowWritesAsItShowsTheImageBelongsToTheStepBefore() {
        // A window that puts a stored value into its range whenever it shows it.
        struct Clamping : MdiChild {
            using MdiChild::MdiChild;
            void load() override {}
            void activated() override {
                state.RadioImage(19, 5) = std::min<Int16>(state.RadioImage(19, 5), 1);
            }
        };
        gui->image()(19, 5) = 9;  // as a loaded file might hold it
        undo()->begin();
        auto* w = new Clamping(*gui->state, *main());
        main()->workArea()->addSubWindow(w)->show();
        main()->workArea()->setActiveSubWindow(w->subWindow());
        QCOMPARE(gui->image()(19, 5), 1);
        undo()->settle();
        QCOMPARE(undo()->history().undoSteps(), size_t(0));

        main()->workArea()->setActiveSubWindow(grid->subWindow());
        gui->image()(19, 5) = 7;  // an edit made in another window
        undo()->settle();
        undo()->undo();
        QCOMPARE(gui->image()(19, 5), 1);
        undo()->redo();  // showing the restored 7 clamps it: still the same step
        QCOMPARE(gui->image()(19, 5), 1);
        undo()->settle();
        QCOMPARE(undo()->history().undoSteps(), size_t(1));
        undo()->undo();
        QCOMPARE(undo()->history().undoSteps(), size_t(0));
    }

    void aModalBoxInTheMiddleOfAnActionSplitsNothing() {
        // The program's loop goes idle while a box waits; the action's later changes still
        // belong to its step.
        QTimer::singleShot(0, [this] {
            gui->image()(19, 0) ^= 1;
            QMessageBox box(QMessageBox::Warning, "Operate prompt", "A box", QMessageBox::Ok);
            QTimer::singleShot(30, &box, &QDialog::accept);
            box.exec();
            gui->image()(19, 1) ^= 1;
        });
        QTest::qWait(1);  // the action runs
        QVERIFY(runLoopUntil([this] { return undo()->history().undoSteps() > 0; }));
        QCOMPARE(undo()->history().undoSteps(), size_t(1));
    }
};

// Reads and writes against the virtual radio.
class UndoLinkTest : public QObject {
    Q_OBJECT
    std::unique_ptr<test::RadioGui> gui;
    ImageUndo* undo() { return gui->main->findChild<ImageUndo*>("ImageUndo"); }
    QAction* item(const char* name) { return gui->main->findChild<QAction*>(name); }

  private slots:
    void init() {
        gui = std::make_unique<test::RadioGui>();
        QVERIFY(test::activated(gui->main.get()));
    }
    void cleanup() { gui.reset(); }

    void aCompletedReadIsOneStep() {
        const Image before = gui->state->RadioImage;
        QVERIFY(gui->read());
        for (int a = 0; a < 1024; ++a)
            QCOMPARE(int(gui->state->RadioImage.byte(a / 16, a % 16)), int(gui->radio().memory[a]));
        // The program's event loop records the step when it goes idle.
        QVERIFY(runLoopUntil([&] { return !gui->main->child("Form_Comm_Read"); }));
        QCOMPARE(undo()->history().undoSteps(), size_t(1));
        QVERIFY(item("Edit_undo")->isEnabled());
        const Image read = gui->state->RadioImage;
        auto* grid = qobject_cast<frm_chann*>(gui->main->child("frm_chann"));
        QCOMPARE(grid->MSF_chann->item(1, 1)->text(), QString("446.00625"));

        press(gui->main.get(), UndoKey);
        QVERIFY(gui->state->RadioImage == before);
        QVERIFY(grid->MSF_chann->item(1, 1)->text() != QString("446.00625"));
        press(gui->main.get(), RedoKey);
        QVERIFY(gui->state->RadioImage == read);
    }

    void noUndoWhileAWriteSendsTheImage() {
        auto* grid = qobject_cast<frm_chann*>(gui->main->child("frm_chann"));
        QTest::mouseClick(grid->Command_clear, Qt::LeftButton);
        undo()->settle();
        const Image cleared = gui->state->RadioImage;
        gui->main->runCommand("Prog_write");
        auto* w = qobject_cast<Form_Comm_Write*>(gui->main->child("Form_Comm_Write"));
        QTest::mouseClick(w->Command_start, Qt::LeftButton);
        QVERIFY(runLoopUntil([&] { return w->engine().DataPhase; }));
        QVERIFY(w->engine().Busy);
        QVERIFY(!item("Edit_undo")->isEnabled());
        press(gui->main.get(), UndoKey);
        gui->main->runCommand("Edit_undo");
        QVERIFY(gui->state->RadioImage == cleared);
        QTRY_VERIFY_WITH_TIMEOUT(!gui->messages->messages.isEmpty(), 10000);
        QCOMPARE(gui->messages->lastText(), QString("Complete writing Data to the transceiver."));
        for (int a = 16; a < 17 * 16; ++a)  // the radio got the cleared channels
            QCOMPARE(int(gui->radio().memory[a]), 0xFF);
        QVERIFY(runLoopUntil([&] { return item("Edit_undo")->isEnabled(); }));
        press(gui->main.get(), UndoKey);
        QVERIFY(!(gui->state->RadioImage == cleared));
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    UndoTest windows;
    UndoLinkTest link;
    return QTest::qExec(&windows, argc, argv) | QTest::qExec(&link, argc, argv);
}

#include "UndoTest.moc"
