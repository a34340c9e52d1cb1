#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QtTest>

#include "channels/ChannelRecord.h"
#include "channels/Form_Chann_Edit.h"
#include "channels/frm_chann.h"
#include "core/Models.h"
#include "support/GuiFixture.h"
#include "support/Shots.h"
#include "support/Typing.h"

using namespace nv;

class ChannelGridTest : public QObject {
    Q_OBJECT
    std::unique_ptr<test::Gui> gui;
    frm_chann* grid = nullptr;

    void clickCell(int r, int c) {
        QTableWidget* t = grid->MSF_chann;
        t->scrollToItem(t->item(r, c));
        const QRect rect = t->visualRect(t->model()->index(r, c));
        QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, rect.center());
    }
    void type(const QString& text) {
        QWidget* editor = grid->Text_Edit->isVisible() ? static_cast<QWidget*>(grid->Text_Edit)
                                                       : grid->Combo_edit->lineEdit();
        QTest::keyClicks(editor, text);
    }
    void erase() {
        for (int i = 0; i < 12; ++i) QTest::keyClick(grid->Text_Edit, Qt::Key_Backspace);
    }
    void enter() {
        QWidget* editor = grid->Text_Edit->isVisible() ? static_cast<QWidget*>(grid->Text_Edit)
                                                       : grid->Combo_edit->lineEdit();
        QTest::keyClick(editor, Qt::Key_Return);
    }
    QString cell(int r, int c) { return grid->MSF_chann->item(r, c)->text(); }
    std::vector<int> row(int r) {
        std::vector<int> v;
        for (int c = 0; c < 16; ++c) v.push_back(gui->image()(r, c));
        return v;
    }
    void useVhfBand() { selectModelBand(*gui->state, 0); }  // 136 to 175 MHz
    void activate() { QVERIFY(test::activated(gui->main.get())); }
    void emptyChannel(int n) {
        ClearChannel(gui->image(), n);
        grid->refreshAll();
    }

  private slots:
    void init() {
        gui = std::make_unique<test::Gui>();
        grid = gui->window<frm_chann>("frm_chann");
        QVERIFY(grid);
    }
    void cleanup() { gui.reset(); }

    void opensAtStartupWithHeaderCaptionAndDefaults() {
        QCOMPARE(grid->windowTitle(), QString("Channel Information [ Channel -  1 ]"));
        QCOMPARE(gui->state->CurrentChannel, 1);
        const QStringList header = {
            " Channel ", "RX Frequency", "TX Frequency", "CTCSS/DCS Dec", "CTCSS/DCS Enc",
            "TX Power",  "  W/N  ",      "Scan_Add",     " OptSingal ",   " PTT-ID"};
        for (int c = 0; c < 10; ++c) QCOMPARE(cell(0, c), header[c]);
        QCOMPARE(cell(5, 3), QString("   D754I   "));
        QCOMPARE(cell(16, 0), QString("16"));
        QCOMPARE(grid->Command_def->text(), QString("Default"));
        QVERIFY(!grid->Text_Edit->isVisible());
        for (int c = 1; c < 10; ++c)  // no clipped header
            QVERIFY(grid->MSF_chann->columnWidth(c) >=
                    grid->MSF_chann->fontMetrics().horizontalAdvance(cell(0, c)));
        test::shot(gui->main.get(), "grid_en_default");
    }

    void chineseCaptionsAfterReopening() {
        gui->main->Language_chn_Click();
        QCOMPARE(grid->windowTitle(), QString("Channel Information [ Channel -  1 ]"));
        grid->refreshAll();  // an open window keeps its language in every text it shows
        QCOMPARE(cell(1, 5), QString("High"));
        QCOMPARE(cell(6, 3), QString("None"));
        gui->main->runCommand("Channel_edit");
        grid = gui->window<frm_chann>("frm_chann");
        QCOMPARE(grid->windowTitle(), QString("信道参数编辑 [ 信道 -  1 ]"));
        QCOMPARE(cell(0, 1), QString("接收频率(MHZ)"));
        QCOMPARE(cell(6, 3), QString("无"));
        QCOMPARE(cell(1, 5), QString("高"));
        QCOMPARE(cell(1, 6), QString("宽带"));
        QCOMPARE(grid->Command_clear->text(), QString("清除"));
        test::shot(gui->main.get(), "grid_zh_default");
    }

    void receiveEntryCreatesAnEmptyChannel() {
        useVhfBand();
        emptyChannel(3);
        clickCell(3, 1);
        QVERIFY(grid->Text_Edit->isVisible());
        type("145.5");
        clickCell(4, 0);
        QCOMPARE(row(3), (std::vector<int>{0x00, 0x00, 0x55, 0x14, 0x00, 0x00, 0x55, 0x14, 0xFF,
                                           0xFF, 0xFF, 0xFF, 0x00, 0xBF, 0xB0, 0xF8}));
        QVERIFY(scanBit(gui->image(), 3));
        QCOMPARE(cell(3, 1), QString("145.50000"));
        QCOMPARE(cell(3, 2), QString("145.50000"));
        QCOMPARE(cell(3, 3), QString("None"));
        QCOMPARE(cell(3, 5), QString("High"));
        QCOMPARE(cell(3, 6), QString("Wide"));
        QCOMPARE(cell(3, 7), QString("Yes"));
        QVERIFY(gui->messages->messages.isEmpty());
    }

    void receiveOutsideTheBandWarnsOnceAndKeepsTheChannel() {
        useVhfBand();
        const Image before = gui->image();
        const QString shown = cell(2, 1);
        clickCell(2, 1);
        erase();
        type("100");
        clickCell(2, 0);
        QCOMPARE(gui->messages->messages.size(), 1);
        QCOMPARE(gui->messages->lastTitle(), QString("Operate prompt"));
        QCOMPARE(gui->messages->lastText(), QString("Over the range of receive frequency ."));
        QCOMPARE(cell(2, 1), shown);
        QCOMPARE(cell(2, 2), shown);
        QCOMPARE(gui->image(), before);  // no lower band edge written

        clickCell(2, 1);  // with Enter: the same, and the transmit cell opens
        erase();
        type("999");
        enter();
        QCOMPARE(gui->messages->messages.size(), 2);
        QCOMPARE(cell(2, 1), shown);
        QCOMPARE(grid->MSF_chann->currentColumn(), 2);
        QCOMPARE(grid->Text_Edit->text(), shown);
        clickCell(3, 0);
        QCOMPARE(gui->image(), before);

        emptyChannel(4);  // an empty channel stays empty
        const Image empty = gui->image();
        clickCell(4, 1);
        type("100");
        clickCell(5, 0);
        QCOMPARE(gui->messages->messages.size(), 3);
        QCOMPARE(cell(4, 1), QString());
        QCOMPARE(gui->image(), empty);
    }

    void receiveEntrySnapsAndSetsTransmit() {
        clickCell(8, 1);
        erase();
        type("446.00625");
        enter();  // moves on to the transmit cell
        QCOMPARE(row(8)[0], 0x25);
        QCOMPARE(row(8)[1], 0x06);
        QCOMPARE(row(8)[2], 0x60);
        QCOMPARE(row(8)[3], 0x44);
        QCOMPARE(row(8)[4], 0x25);
        QVERIFY(grid->Text_Edit->isVisible());
        QCOMPARE(grid->Text_Edit->text(), QString("446.00625"));
        QCOMPARE(grid->MSF_chann->currentColumn(), 2);
        erase();
        type("446.508");  // snaps down to the 6.25 kHz raster
        enter();
        QCOMPARE(cell(8, 2), QString("446.50625"));
        QCOMPARE(row(8)[4], 0x25);
        QCOMPARE(row(8)[5], 0x06);
        QCOMPARE(row(8)[6], 0x65);
        QCOMPARE(row(8)[0], 0x25);  // receive unchanged
        QCOMPARE(row(8)[2], 0x60);
    }

    void erasingTheReceiveCellClearsTheChannel() {
        setScanBit(gui->image(), 1, true);
        clickCell(1, 1);
        erase();
        clickCell(2, 0);
        QCOMPARE(row(1), std::vector<int>(16, 0xFF));
        QVERIFY(!scanBit(gui->image(), 1));
        for (int c = 1; c < 10; ++c) QCOMPARE(cell(1, c), QString());
    }

    void lookingAtCellsChangesNothing() {
        // A repeater channel (transmit 5 MHz up) with split tones (decode 100.0, encode 67.0).
        gui->image()(1, 6) = 0x50;
        setTone(gui->image(), 1, ch::DecodeTone, 0xE8, 0x03);
        grid->refreshAll();
        QCOMPARE(cell(1, 2), QString("455.02500"));
        const Image before = gui->image();
        for (int c = 1; c <= 9; ++c) {
            clickCell(1, c);
            clickCell(2, 0);
        }
        clickCell(1, 1);
        enter();  // Enter on an unchanged text moves on without writing
        enter();
        clickCell(2, 0);
        QCOMPARE(gui->image(), before);
        QCOMPARE(cell(1, 2), QString("455.02500"));
        QCOMPARE(cell(1, 4), QString("67.0"));

        useVhfBand();  // the shown frequencies are outside the band now
        clickCell(3, 1);
        clickCell(3, 2);
        clickCell(4, 0);
        QCOMPARE(gui->image(), before);
        QVERIFY(gui->messages->messages.isEmpty());

        clickCell(1, 3);  // an edited text still commits: the decode tone is copied to encode
        grid->Combo_edit->setEditText("88.5");
        clickCell(2, 0);
        QCOMPARE(row(1)[10], 0x75);
        QCOMPARE(row(1)[11], 0x03);
    }

    void transmitWithoutReceiveWarnsAndWritesNothing() {
        emptyChannel(4);
        clickCell(4, 2);
        type("450");
        clickCell(5, 0);
        QCOMPARE(gui->messages->lastText(),
                 QString("Please input the receive frequency in advance."));
        QCOMPARE(row(4), std::vector<int>(16, 0xFF));
        QCOMPARE(cell(4, 2), QString());
    }

    void erasingTheTransmitCellMakesTheChannelReceiveOnly() {
        clickCell(1, 2);
        erase();
        clickCell(2, 0);
        for (int c = 4; c < 8; ++c) QCOMPARE(row(1)[c], 0xFF);
        QCOMPARE(row(1)[10], 0xFF);
        QCOMPARE(row(1)[11], 0xFF);
        QCOMPARE(row(1)[8], 0x9E);  // decode kept
        QCOMPARE(cell(1, 2), QString());
        QCOMPARE(cell(1, 4), QString());
        clickCell(1, 4);  // no transmit frequency: column 4 has no editor
        QVERIFY(!grid->Combo_edit->isVisible());
    }

    void transmitOutsideTheBandWarnsAndKeepsTransmitAndEncodeTone() {
        const Image before = gui->image();
        const QString transmit = cell(2, 2), encode = cell(2, 4);
        clickCell(2, 2);
        erase();
        type("520");
        clickCell(3, 0);
        QCOMPARE(gui->messages->lastText(), QString("Over the range of transmit frequency ."));
        QCOMPARE(gui->messages->messages.size(), 1);
        QCOMPARE(cell(2, 2), transmit);
        QCOMPARE(cell(2, 4), encode);
        QCOMPARE(gui->image(), before);  // neither the edge nor an encode tone OFF is written
    }

    void typedDecodeTones() {
        clickCell(6, 3);
        QVERIFY(grid->Combo_edit->isVisible());
        QCOMPARE(grid->Combo_edit->count(), 206);
        type("100");
        clickCell(7, 0);
        QCOMPARE(row(6)[8], 0xE8);
        QCOMPARE(row(6)[9], 0x03);
        QCOMPARE(row(6)[10], 0xE8);
        QCOMPARE(row(6)[11], 0x03);
        QCOMPARE(cell(6, 3), QString("100.0"));
        QCOMPARE(cell(6, 4), QString("100.0"));

        clickCell(7, 3);
        grid->Combo_edit->setEditText(QString());
        type("52.0");
        clickCell(8, 0);
        QCOMPARE(row(7)[8], 0xFF);
        QCOMPARE(row(7)[9], 0xFF);

        clickCell(9, 3);
        grid->Combo_edit->setEditText(QString());
        type("256");
        clickCell(10, 0);
        QCOMPARE(row(9)[8], 0x00);
        QCOMPARE(row(9)[9], 0x0A);
        QCOMPARE(cell(9, 3), QString());  // a high byte of 10 is not read as CTCSS

        clickCell(10, 4);
        grid->Combo_edit->setEditText(QString());
        type("d023n");  // lower case letters are taken as capitals
        QCOMPARE(grid->Combo_edit->currentText(), QString("D023N"));
        clickCell(11, 0);
        QCOMPARE(row(10)[10], 0x13);
        QCOMPARE(row(10)[11], 0x28);
        QCOMPARE(row(10)[8], 0xFF);  // an encode entry leaves the decode tone alone
    }

    void typedTonesAreTakenExactlyAsTyped() {
        // The list holds 88.5, 250.3, 97.4 and D023N: nothing may complete a typed text to them.
        struct Case {
            const char* typed;
            int low, high;  // -1: nothing is stored
        };
        const Case cases[] = {{"88", 0x70, 0x03}, {"250", 0xC4, 0x09}, {"97", 0xCA, 0x03},
                              {"7", -1, -1},      {"25", -1, -1},      {"D0", -1, -1}};
        activate();  // the editor has the focus, as when a user types
        int r = 1;
        for (const Case& c : cases) {
            const int low = row(r)[8], high = row(r)[9];
            clickCell(r, 3);
            type(c.typed);
            QCOMPARE(grid->Combo_edit->currentText(), QString(c.typed));
            clickCell(r, 0);
            QCOMPARE(row(r)[8], c.low < 0 ? low : c.low);
            QCOMPARE(row(r)[9], c.high < 0 ? high : c.high);
            ++r;
        }
        QCOMPARE(cell(1, 3), QString("88.0"));
    }

    void pickingNoneStoresZeroZeroInBothTones() {
        clickCell(1, 3);
        test::shot(gui->main.get(), "grid_en_combo");
        test::pickFromList(grid->Combo_edit, 0, "grid_en_combo_list");
        QCOMPARE(row(1)[8], 0x00);
        QCOMPARE(row(1)[9], 0x00);
        QCOMPARE(row(1)[10], 0x00);
        QCOMPARE(row(1)[11], 0x00);
        QCOMPARE(cell(1, 3), QString("None"));
        QCOMPARE(cell(1, 4), QString("None"));
    }

    void pickingTonesAndAttributes() {
        clickCell(6, 3);
        test::pickFromList(grid->Combo_edit, 205);  // D754I
        QCOMPARE(row(6)[8], 0xEC);
        QCOMPARE(row(6)[11], 0xA9);
        clickCell(6, 4);
        test::pickFromList(grid->Combo_edit, 9);  // 88.5: the code is 885
        QCOMPARE(row(6)[10], 0x75);
        QCOMPARE(row(6)[11], 0x03);
        QCOMPARE(row(6)[8], 0xEC);

        clickCell(6, 5);
        test::pickFromList(grid->Combo_edit, 1);  // Low
        QCOMPARE(row(6)[13], 0x9F);
        clickCell(6, 6);
        test::pickFromList(grid->Combo_edit, 0);  // Narrow
        QCOMPARE(row(6)[13], 0x8F);
        clickCell(6, 7);
        test::pickFromList(grid->Combo_edit, 0);  // Yes
        QVERIFY(scanBit(gui->image(), 6));
        clickCell(6, 8);
        test::pickFromList(grid->Combo_edit, 2);  // FleetSync
        QCOMPARE(getField(gui->image(), 6, ch::OptSig), 2);
        clickCell(6, 9);
        test::pickFromList(grid->Combo_edit, 1);  // ON
        QCOMPARE(row(6)[14], 0xB1);
        clickCell(7, 0);
        QCOMPARE(cell(6, 5), QString("Low"));
        QCOMPARE(cell(6, 6), QString("Narrow"));
        QCOMPARE(cell(6, 7), QString("Yes"));
        QCOMPARE(cell(6, 8), QString("FleetSync"));
        QCOMPARE(cell(6, 9), QString("ON"));
        QCOMPARE(row(6)[12], 0x04);  // no other bit of cell 12 moved
        test::shot(gui->main.get(), "grid_en_edited");
    }

    void listsOpenAtTheCurrentEntry() {
        setTone(gui->image(), 4, ch::EncodeTone, 0x75, 0x03);  // 88.5
        setField(gui->image(), 4, ch::Wide, 0);
        grid->refreshAll();
        const struct {
            int row, col, entry;
        } cases[] = {{5, 3, 205}, {4, 4, 9}, {1, 5, 0}, {4, 6, 0}, {6, 3, 0}};
        for (const auto& c : cases) {
            clickCell(c.row, c.col);
            QCOMPARE(grid->Combo_edit->currentText(), cell(c.row, c.col));  // the cell's own text
            QAbstractItemView* view = grid->Combo_edit->view();
            grid->Combo_edit->showPopup();
            QTRY_VERIFY(view->isVisible());
            QCOMPARE(view->currentIndex().row(), c.entry);
            QVERIFY(view->visualRect(view->currentIndex()).intersects(view->viewport()->rect()));
            if (c.entry == 205) test::shot(view->window(), "grid_en_tone_list_at_current");
            grid->Combo_edit->hidePopup();
            QTRY_VERIFY(!view->isVisible());
        }
        const Image before = gui->image();
        clickCell(7, 0);
        QCOMPARE(gui->image(), before);
    }

    void attributeColumnsRefuseTyping() {
        clickCell(2, 5);
        type("Low");
        QCOMPARE(grid->Combo_edit->currentText(), QString("High"));
        clickCell(3, 0);
        QCOMPARE(row(2)[13], 0xBF);
    }

    void emptyChannelsHaveNoComboEditor() {
        emptyChannel(12);
        for (int c = 3; c < 10; ++c) {
            clickCell(12, c);
            QVERIFY(!grid->Combo_edit->isVisible());
        }
        clickCell(13, 0);
        QCOMPARE(row(12), std::vector<int>(16, 0xFF));
    }

    void textEditorTakesDigitsAndPointOnly() {
        clickCell(3, 1);
        erase();
        type("4a6x0.-1+2");
        QCOMPARE(grid->Text_Edit->text(), QString("460.12"));
    }

    void onlyAsciiDigitsReachTheFrequencyEditor() {
        activate();
        const Image before = gui->image();
        const QString fullWidth = QStringLiteral("１４５．５");  // from a Chinese input method
        clickCell(2, 1);
        const QString shown = grid->Text_Edit->text();
        test::typeKeys(grid->Text_Edit, fullWidth);
        test::commitFromInputMethod(grid->Text_Edit, fullWidth);
        test::pasteInto(grid->Text_Edit, fullWidth);
        QCOMPARE(grid->Text_Edit->text(), shown);
        clickCell(3, 0);
        QCOMPARE(gui->image(), before);
        QVERIFY(gui->messages->messages.isEmpty());

        clickCell(2, 1);  // ASCII digits come in by every way
        test::commitFromInputMethod(grid->Text_Edit, "447");
        test::pasteInto(grid->Text_Edit, ".5");
        QCOMPARE(grid->Text_Edit->text(), QString("447.5"));

        clickCell(2, 3);  // the tone editor's key filter too
        test::typeKeys(grid->Combo_edit->lineEdit(), QStringLiteral("１００"));
        QCOMPARE(grid->Combo_edit->currentText(), cell(2, 3));
    }

    void enterInTheLastCellStaysInRowSixteen() {
        clickCell(16, 9);
        enter();
        QCOMPARE(grid->MSF_chann->currentRow(), 16);
        QCOMPARE(grid->MSF_chann->currentColumn(), 1);
        QVERIFY(grid->Text_Edit->isVisible());
        QVERIFY(!grid->Combo_edit->isVisible());
        QCOMPARE(grid->Text_Edit->text(), QString("469.97500"));
    }

    void commitAfterAnEnterMoveWritesTheRowBeingLeft() {
        clickCell(5, 8);
        enter();
        QCOMPARE(grid->MSF_chann->currentColumn(), 9);
        enter();
        QCOMPARE(grid->MSF_chann->currentRow(), 6);
        erase();
        type("455");
        QTest::mouseClick(grid->Command_help, Qt::LeftButton);
        QCOMPARE(row(6)[3], 0x45);  // nothing written by a button click
        QCOMPARE(row(6)[2], 0x98);
        clickCell(9, 0);
        QCOMPARE(row(6)[2], 0x50);
        QCOMPARE(row(6)[3], 0x45);
        QCOMPARE(row(6)[6], 0x50);
        QCOMPARE(row(5)[2], 0x99);  // the clicked row is untouched
        QCOMPARE(grid->windowTitle(), QString("Channel Information [ Channel -  9 ]"));
    }

    void enterOnAnEmptyTransmitRowMovesDown() {
        emptyChannel(10);
        clickCell(10, 2);
        enter();
        QCOMPARE(grid->MSF_chann->currentRow(), 11);
        QCOMPARE(grid->MSF_chann->currentColumn(), 1);
        QCOMPARE(row(10), std::vector<int>(16, 0xFF));
    }

    void buttonClickWithAnEditorOpenLeavesTheImage() {
        const Image before = gui->image();
        clickCell(1, 1);
        erase();
        type("470");
        QTest::mouseClick(grid->Command_help, Qt::LeftButton);
        QCOMPARE(gui->image(), before);
    }

    void clearAndDefault() {
        gui->image()(23, 14) = 0xFF;
        gui->image()(23, 15) = 0x0F;
        gui->image()(30, 3) = 0x42;
        QTest::mouseClick(grid->Command_clear, Qt::LeftButton);
        for (int n = 1; n <= 16; ++n) QCOMPARE(row(n), std::vector<int>(16, 0xFF));
        QCOMPARE(gui->image()(23, 14), 0);
        QCOMPARE(gui->image()(23, 15), 0);
        QCOMPARE(cell(1, 1), QString());
        QVERIFY(gui->messages->messages.isEmpty());

        gui->image()(23, 14) = 0x05;
        QTest::mouseClick(grid->Command_def, Qt::LeftButton);
        QCOMPARE(row(1), (std::vector<int>{0x00, 0x25, 0x00, 0x45, 0x00, 0x25, 0x00, 0x45, 0x9E,
                                           0x02, 0x9E, 0x02, 0x00, 0xBF, 0xB0, 0xF8}));
        QCOMPARE(gui->image()(23, 14), 0x05);  // scan bits are left as they are
        QCOMPARE(gui->image()(30, 3), 0x42);
        QCOMPARE(cell(1, 7), QString("Yes"));
        QCOMPARE(cell(5, 3), QString("   D754I   "));
    }

    void clearOrDefaultDropsAnOpenEditor() {
        clickCell(3, 1);
        QTest::mouseClick(grid->Command_clear, Qt::LeftButton);
        QTest::mouseClick(grid->Command_def, Qt::LeftButton);
        clickCell(4, 0);  // the old editor text must not come back
        QCOMPARE(row(3)[2], 0x99);
        QCOMPARE(row(3)[3], 0x46);
    }

    void scrollingHidesTheTextEditor() {
        grid->subWindow()->resize(grid->subWindow()->width(), 200);
        clickCell(2, 1);
        QVERIFY(grid->Text_Edit->isVisible());
        grid->MSF_chann->verticalScrollBar()->triggerAction(QAbstractSlider::SliderToMaximum);
        QVERIFY(!grid->Text_Edit->isVisible());
    }

    void editorsCoverTheirCellExactly() {
        QTableWidget* t = grid->MSF_chann;
        QMdiSubWindow* frame = grid->subWindow();
        auto covers = [&](QWidget* editor, int r, int c) {
            QCoreApplication::processEvents();
            return editor->isVisible() &&
                   editor->geometry() == t->visualRect(t->model()->index(r, c));
        };
        gui->main->resize(600, 450);
        frame->resize(500, 450);
        frame->showMaximized();
        clickCell(10, 7);
        QVERIFY(covers(grid->Combo_edit, 10, 7));
        t->horizontalScrollBar()->setValue(2);
        QVERIFY(covers(grid->Combo_edit, 10, 7));
        frame->showNormal();
        QVERIFY(covers(grid->Combo_edit, 10, 7));
        frame->showMaximized();
        QVERIFY(covers(grid->Combo_edit, 10, 7));
        clickCell(12, 2);
        QVERIFY(covers(grid->Text_Edit, 12, 2));
        frame->showNormal();
        QVERIFY(covers(grid->Text_Edit, 12, 2));
        frame->resize(900, 300);
        QVERIFY(covers(grid->Text_Edit, 12, 2));
        gui->main->resize(1500, 950);
        frame->showMaximized();
        QVERIFY(covers(grid->Text_Edit, 12, 2));
        test::shot(gui->main.get(), "grid_en_maximized_editor");
        frame->showNormal();
        QVERIFY(covers(grid->Text_Edit, 12, 2));
    }

    void theTextEditorCoversItsCellAfterMaximizing() {
        clickCell(2, 2);
        QTest::keyClicks(grid->Text_Edit, "4");
        const QRect before = grid->Text_Edit->geometry();
        gui->main->resize(1400, 800);
        grid->subWindow()->showMaximized();
        const auto over = [&] {
            return grid->Text_Edit->geometry() ==
                   grid->MSF_chann->visualRect(grid->MSF_chann->model()->index(2, 2));
        };
        QTRY_VERIFY(grid->Text_Edit->geometry() != before);
        QTRY_VERIFY(over());
        grid->subWindow()->showNormal();
        QTRY_VERIFY(over());
        QVERIFY(grid->Text_Edit->isVisible());
        QCOMPARE(grid->Text_Edit->text(), QString("4"));
    }

    void staleEditorIsDroppedWhenTheImageChangedMeanwhile() {
        clickCell(1, 1);
        gui->main->openChild<Form_Chann_Edit>();
        gui->image()(1, 3) = 0x47;  // as a read or a file load would
        gui->main->workArea()->setActiveSubWindow(grid->subWindow());
        QCOMPARE(cell(1, 1), QString("470.02500"));
        clickCell(2, 0);
        QCOMPARE(gui->image()(1, 3), 0x47);
        QCOMPARE(gui->image()(1, 7), 0x45);  // transmit not rewritten from the stale text
    }

    // Keys go where a user's keyboard sends them: to the focused widget.
    void press(int key) {
        QVERIFY(QApplication::focusWidget());
        QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key));
    }

    void theGridKeepsTheKeyboardAfterAnArrowLeavesAnEditor() {
        activate();
        clickCell(3, 1);
        erase();
        type("447");
        press(Qt::Key_Down);  // commits, as leaving the cell does
        QCOMPARE(row(3)[3], 0x44);
        QCOMPARE(row(3)[2], 0x70);
        QCOMPARE(cell(3, 1), QString("447.00000"));
        QVERIFY(!grid->Text_Edit->isVisible());
        QCOMPARE(QApplication::focusWidget(), grid->MSF_chann);
        QCOMPARE(grid->MSF_chann->currentRow(), 4);
        QCOMPARE(grid->MSF_chann->currentColumn(), 1);

        press(Qt::Key_Down);  // the arrows move the current cell
        press(Qt::Key_Right);
        QCOMPARE(grid->MSF_chann->currentRow(), 5);
        QCOMPARE(grid->MSF_chann->currentColumn(), 2);
        press(Qt::Key_F2);  // F2 opens the cell as a click does
        QVERIFY(grid->Text_Edit->isVisible());
        QCOMPARE(QApplication::focusWidget(), grid->Text_Edit);
        QCOMPARE(grid->Text_Edit->text(), cell(5, 2));
        QCOMPARE(grid->windowTitle(), QString("Channel Information [ Channel -  5 ]"));
        erase();
        type("448");
        press(Qt::Key_Up);
        QCOMPARE(row(5)[7], 0x44);
        QCOMPARE(row(5)[6], 0x80);
        QCOMPARE(grid->MSF_chann->currentRow(), 4);
        QCOMPARE(QApplication::focusWidget(), grid->MSF_chann);

        press(Qt::Key_Right);  // Enter opens a tone cell's list box
        press(Qt::Key_Return);
        QVERIFY(grid->Combo_edit->isVisible());
        QCOMPARE(grid->MSF_chann->currentColumn(), 3);
        clickCell(1, 1);
        press(Qt::Key_Up);  // the title row is no cell: row 1 stays current
        QCOMPARE(grid->MSF_chann->currentRow(), 1);
        press(Qt::Key_Up);
        QCOMPARE(grid->MSF_chann->currentRow(), 1);
        press(Qt::Key_Enter);
        QVERIFY(grid->Text_Edit->isVisible());
        QCOMPARE(grid->Text_Edit->text(), cell(1, 1));
        press(Qt::Key_F2);  // F2 in an open box is the box's key: its typing stays
        type("9");
        press(Qt::Key_F2);
        QCOMPARE(grid->Text_Edit->text(), QString("9"));
        QVERIFY(gui->messages->messages.isEmpty());
    }

    void closeAlsoClosesTheDetailDialog() {
        QTest::mouseClick(grid->Command_Edit, Qt::LeftButton);
        QVERIFY(gui->main->child("Form_Chann_Edit"));
        QTest::mouseClick(grid->Command_close, Qt::LeftButton);
        QVERIFY(!gui->main->child("Form_Chann_Edit"));
        QVERIFY(!gui->main->child("frm_chann"));
    }
};

QTEST_MAIN(ChannelGridTest)
#include "ChannelGridTest.moc"
