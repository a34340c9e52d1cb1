#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "features/FeatureWindowSupport.h"
#include "features/frm_option.h"
#include "support/Activation.h"
#include "support/Wheel.h"

using namespace nv;
using test::codes;
using test::row;

class OptionWindowTest : public QObject {
    Q_OBJECT
    std::unique_ptr<test::Gui> gui;
    frm_option* w = nullptr;

    Image& im() { return gui->image(); }
    frm_option* open() {
        gui->main->runCommand("Optional_edit");
        w = gui->window<frm_option>("frm_option");
        return w;
    }
    // The cells this window may write.
    static QString strayChange(const Image& before, const Image& after) {
        return test::changeOutside(
            before, after, {{18, 12, 13}, {18, 15, 15}, {19, 0, 14}, {20, 0, 15}, {21, 0, 15}});
    }
    bool greyed(QWidget* box) {
        return !box->isEnabled() &&
               box->palette().color(QPalette::Base) == w->palette().color(QPalette::Button);
    }
    bool white(QWidget* box) {
        return box->isEnabled() &&
               box->palette().color(QPalette::Base) == w->palette().color(QPalette::Base);
    }
    void emptyBeginCode() {
        for (int c = 0; c < 16; ++c) im()(20, c) = 255;
    }

  private slots:
    void init() {
        gui = std::make_unique<test::Gui>();
        QVERIFY(test::activated(gui->main.get()));
    }
    void cleanup() { gui.reset(); }

    void showsTheFactoryDefaultsWithEnglishCaptionsAndChangesNothing() {
        const Image before = im();
        QVERIFY(open());
        QVERIFY(w->isVisible());
        QCOMPARE(w->windowTitle(), QString("Optional Features"));
        QCOMPARE(w->Label_tot->text(), QString("Time Out Timer(TOT)[s]"));
        QCOMPARE(w->Label_toa->text(), QString("TOT Pre-Alert[s]"));
        QCOMPARE(w->Label_sql->text(), QString("Squelch Level"));
        QCOMPARE(w->Label_mic_level->text(), QString("Mic Sensitivity"));
        QCOMPARE(w->Label_voice->text(), QString("Voice Annunciation"));
        QCOMPARE(w->Check_Save->text(), QString("Battery Save"));
        QCOMPARE(w->Check_Beep->text(), QString("Beep"));
        QCOMPARE(w->Check_Scr_Acti->text(), QString("Scrambler Activation"));
        QCOMPARE(w->Check_Scr_Back->text(), QString("Scrambler Backup"));
        QCOMPARE(w->Frame_pttid->title(), QString("PTT ID"));
        QCOMPARE(w->Label_ptt_Type->text(), QString("PTT ID Type"));
        QCOMPARE(w->Label_PTT_ID->text(), QString("PTT ID"));
        QCOMPARE(w->Label_TX_begin->text(), QString("Begin of TX"));
        QCOMPARE(w->Label_TX_end->text(), QString("End of TX"));
        QCOMPARE(w->Frame_vox->title(), QString("VOX"));
        QCOMPARE(w->Check_VOX->text(), QString("VOX Function"));
        QCOMPARE(w->Label_Vox_g->text(), QString("VOX Gain Level"));
        QCOMPARE(w->Label_VOX_t->text(), QString("VOX Delay Time[s]"));
        QCOMPARE(w->Check_vox_Operation->text(), QString("Cancel Operation"));
        QCOMPARE(w->Check_vox_Tone->text(), QString("VOX Proceed Tone"));
        QCOMPARE(w->Check_vox_Receive->text(), QString("VOX Inhibit on Receive"));
        QCOMPARE(w->Frame_mode->title(), QString("FM Radio"));
        QCOMPARE(w->Check_Clone->text(), QString("Enable"));
        QCOMPARE(w->Command_close->text(), QString("Close"));
        QCOMPARE(w->Command_Help->text(), QString("Help"));

        QStringList tot;
        for (int s = 15; s <= 600; s += 15) tot << QString::number(s);
        QCOMPARE(test::entries(w->Combo_TOT), tot);
        const QStringList offToTen = {"Off", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10"};
        QCOMPARE(test::entries(w->Combo_TOA), offToTen);
        QCOMPARE(test::entries(w->Combo_VOX_g), offToTen);
        QCOMPARE(test::entries(w->Combo_Sql),
                 (QStringList{"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"}));
        QCOMPARE(test::entries(w->Combo_Mic_Level), (QStringList{"Normal", "High"}));
        QCOMPARE(test::entries(w->Combo_Voice), (QStringList{"Off", "Chinese", "English"}));
        QCOMPARE(test::entries(w->Combo_Ptt_Type), (QStringList{"DTMF", "FleetSync"}));
        QCOMPARE(test::entries(w->Combo_PTT_ID), (QStringList{"BOT", "EOT", "Both"}));
        QCOMPARE(test::entries(w->Combo_VOX_t), (QStringList{"0.3", "0.5", "1", "1.5", "2", "3"}));

        QCOMPARE(w->Combo_TOT->currentText(), QString("60"));
        QCOMPARE(w->Combo_TOA->currentText(), QString("Off"));
        QCOMPARE(w->Combo_Sql->currentText(), QString("5"));
        QCOMPARE(w->Combo_Mic_Level->currentText(), QString("Normal"));
        QCOMPARE(w->Combo_Voice->currentText(), QString("Chinese"));
        QCOMPARE(w->Combo_Ptt_Type->currentText(), QString("DTMF"));
        QCOMPARE(w->Combo_PTT_ID->currentText(), QString("BOT"));
        QCOMPARE(w->Combo_VOX_g->currentText(), QString("5"));
        QCOMPARE(w->Combo_VOX_t->currentText(), QString("0.5"));
        QVERIFY(w->Check_Save->isChecked());
        QVERIFY(w->Check_Beep->isChecked());
        QVERIFY(!w->Check_Scr_Acti->isChecked());
        QVERIFY(!w->Check_Scr_Back->isChecked());
        QVERIFY(w->Check_Scr_Back->isEnabled());
        QVERIFY(!w->Check_VOX->isChecked());
        QVERIFY(w->Check_vox_Operation->isChecked());
        QVERIFY(!w->Check_vox_Tone->isChecked());
        QVERIFY(!w->Check_vox_Receive->isChecked());
        QVERIFY(w->Check_Clone->isChecked());
        QCOMPARE(w->Text_tx_begin->text(), QString("12345"));
        QCOMPARE(w->Text_tx_end->text(), QString());
        QVERIFY(white(w->Text_tx_begin));
        QVERIFY(greyed(w->Text_tx_end));
        QVERIFY(greyed(w->Combo_VOX_g));  // VOX is off
        QVERIFY(greyed(w->Combo_VOX_t));
        QVERIFY(white(w->Combo_TOT));
        QCOMPARE(im(), before);
        test::shot(gui->main.get(), "option_en");
        test::shot(w, "option_en_window");
        QTRY_COMPARE(test::clipped(w), QStringList());
    }

    void decodingClampsAndStoresTheNormalisedValues() {
        test::fillNeighbourhood(im());
        im()(19, 0) = 0;
        im()(19, 4) = 12;
        im()(18, 15) = 7;
        im()(19, 5) = 5;
        im()(19, 1) = 11;
        im()(19, 13) = 1;
        im()(19, 9) = 0;
        const int code[] = {49,  255, 50,  42,  66,  255, 255, 255,
                            255, 255, 255, 255, 255, 255, 255, 255};
        for (int c = 0; c < 16; ++c) im()(20, c) = static_cast<Int16>(code[c]);
        Image expected = im();
        open();
        QCOMPARE(w->Combo_TOT->currentText(), QString("15"));
        QCOMPARE(w->Combo_Sql->currentText(), QString("9"));
        QCOMPARE(w->Combo_Voice->currentText(), QString("English"));
        QCOMPARE(w->Combo_TOA->currentText(), QString("10"));
        QCOMPARE(w->Combo_Mic_Level->currentText(), QString("High"));
        QVERIFY(w->Check_Save->isChecked());
        QCOMPARE(w->Text_tx_begin->text(), QString("12B"));
        expected(19, 0) = 1;
        expected(19, 4) = 9;
        expected(18, 15) = 2;
        expected(19, 5) = 1;
        expected(19, 1) = 10;
        // The pattern left in the other cells is normalised too: 159 and 172 beyond their
        // lists, 20 beyond the delay list, nonzero checks.
        QCOMPARE(int(expected(19, 2)), 159);
        expected(19, 2) = 2;
        expected(19, 3) = 1;
        expected(19, 11) = 5;
        for (int c : {6, 7, 8, 12, 14}) expected(19, c) = 1;
        expected(18, 12) = 1;
        expected(18, 13) = 1;
        QCOMPARE(im(), expected);  // the code rows are shown, not rewritten
        QCOMPARE(row(im(), 20), codes({49, 255, 50, 42, 66}));

        im()(19, 0) = 40;
        test::reactivate(*gui->main, w, gui->window<QWidget>("frm_chann"));
        QCOMPARE(w->Combo_TOT->currentText(), QString("600"));
        QCOMPARE(im()(19, 0), 40);
    }

    void typedCodeKeysAreUpperCasedAndStored() {
        emptyBeginCode();
        open();
        QCOMPARE(w->Text_tx_begin->text(), QString());
        test::focusAndType(w->Text_tx_begin, "12c");
        QCOMPARE(w->Text_tx_begin->text(), QString("12C"));
        QCOMPARE(row(im(), 20), codes({49, 50, 67}));
        test::focusAndType(w->Text_tx_begin, "x*#E e ");  // outside the alphabet: discarded
        QCOMPARE(w->Text_tx_begin->text(), QString("12C"));
        QTest::keyClick(w->Text_tx_begin, Qt::Key_Backspace);  // Backspace is refused
        QCOMPARE(w->Text_tx_begin->text(), QString("12C"));
        QCOMPARE(row(im(), 20), codes({49, 50, 67}));
        QCOMPARE(row(im(), 21), codes({}));
    }

    void aSeventeenthCharacterIsDiscarded() {
        emptyBeginCode();
        open();
        test::focusAndType(w->Text_tx_begin, "0123456789ABCDab");
        QCOMPARE(w->Text_tx_begin->text(), QString("0123456789ABCDAB"));
        test::focusAndType(w->Text_tx_begin, "7");
        QCOMPARE(w->Text_tx_begin->text(), QString("0123456789ABCDAB"));
        QCOMPARE(row(im(), 20),
                 (QList<int>{48, 49, 50, 51, 52, 53, 54, 55, 56, 57, 65, 66, 67, 68, 65, 66}));
    }

    // As described, only an accepted key stored the row, placed after the previous text: a
    // key typed inside the text, Delete, cut and paste left another code in the radio.
    void theRowAlwaysEqualsTheTextShown() {
        emptyBeginCode();
        open();
        QLineEdit* box = w->Text_tx_begin;
        auto rowText = [this] {
            QString t;
            for (int c = 0; c < 16 && im()(20, c) != 255; ++c) t += QChar(im()(20, c));
            for (int c = static_cast<int>(t.size()); c < 16; ++c)
                if (im()(20, c) != 255) return QString("not 255 after the code");
            return t;
        };
        test::focusAndType(box, "1234");
        box->setCursorPosition(1);
        QTest::keyClicks(box, "9");
        QCOMPARE(box->text(), QString("19234"));
        QCOMPARE(rowText(), box->text());
        box->setCursorPosition(0);
        QTest::keyClick(box, Qt::Key_Delete);
        QCOMPARE(box->text(), QString("9234"));
        QCOMPARE(rowText(), box->text());
        box->setSelection(1, 2);
        QTest::keyClick(box, Qt::Key_X, Qt::ControlModifier);  // cut
        QCOMPARE(box->text(), QString("94"));
        QCOMPARE(rowText(), box->text());
        box->setCursorPosition(1);
        test::paste(box, "12x45");
        QCOMPARE(box->text(), QString("912"));  // cut back at the first foreign character
        QCOMPARE(rowText(), box->text());
        box->selectAll();
        test::paste(box, "1a9");
        QCOMPARE(box->text(), QString("1A"));
        QCOMPARE(rowText(), box->text());
        box->selectAll();
        test::paste(box, "11112222333344445555");
        QCOMPARE(box->text(), QString("1111222233334444"));
        QCOMPARE(rowText(), box->text());
        QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);  // undo
        QCOMPARE(rowText(), box->text());
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        QCOMPARE(row(im(), 20), codes({}));
        QCOMPARE(row(im(), 21), codes({}));
    }

    void unckeckingVoxGreysItsGroupWithoutChangingCells() {
        im()(19, 9) = 1;
        im()(19, 7) = 1;
        im()(19, 8) = 1;
        im()(19, 10) = 7;
        im()(19, 11) = 4;
        im()(19, 12) = 1;
        open();
        QVERIFY(white(w->Combo_VOX_g));
        QVERIFY(w->Check_vox_Tone->isEnabled());
        const Image before = im();
        test::tick(w->Check_VOX);
        QCOMPARE(im()(19, 9), 0);
        QVERIFY(greyed(w->Combo_VOX_g));
        QVERIFY(greyed(w->Combo_VOX_t));
        for (QCheckBox* c : {w->Check_vox_Operation, w->Check_vox_Tone, w->Check_vox_Receive})
            QVERIFY(!c->isEnabled());
        QCOMPARE(w->Combo_VOX_g->currentText(), QString("7"));
        Image expected = before;
        expected(19, 9) = 0;
        QCOMPARE(im(), expected);
        test::shot(w, "option_en_vox_off");
        test::tick(w->Check_VOX);
        QCOMPARE(im()(19, 9), 1);
        QVERIFY(white(w->Combo_VOX_t));
        QVERIFY(w->Check_vox_Receive->isEnabled());
    }

    void pttIdChoiceOpensTheCodeBoxesWithoutChangingTheCodes() {
        im()(21, 0) = 65;
        open();
        const QList<int> begin = row(im(), 20), end = row(im(), 21);
        test::pickFromList(w->Combo_PTT_ID, 1);  // EOT
        QCOMPARE(im()(19, 2), 1);
        QVERIFY(greyed(w->Text_tx_begin));
        QVERIFY(white(w->Text_tx_end));
        QCOMPARE(w->Text_tx_end->text(), QString("A"));
        test::pickFromList(w->Combo_PTT_ID, 2);  // Both
        QCOMPARE(im()(19, 2), 2);
        QVERIFY(white(w->Text_tx_begin));
        QVERIFY(white(w->Text_tx_end));
        QCOMPARE(row(im(), 20), begin);
        QCOMPARE(row(im(), 21), end);
        test::focusAndType(w->Text_tx_end, "d0");
        QCOMPARE(row(im(), 21), codes({65, 68, 48}));
        QCOMPARE(row(im(), 20), begin);
        test::pickFromList(w->Combo_PTT_ID, 0);  // BOT
        QVERIFY(white(w->Text_tx_begin));
        QVERIFY(greyed(w->Text_tx_end));
    }

    void scramblerActivationLocksTheBackupAsItIs() {
        im()(18, 13) = 1;
        open();
        QVERIFY(w->Check_Scr_Back->isChecked());
        test::tick(w->Check_Scr_Acti);
        QCOMPARE(im()(18, 12), 1);
        QVERIFY(!w->Check_Scr_Back->isEnabled());
        QVERIFY(w->Check_Scr_Back->isChecked());
        QCOMPARE(im()(18, 13), 1);
        test::tick(w->Check_Scr_Acti);
        QCOMPARE(im()(18, 12), 0);
        QVERIFY(w->Check_Scr_Back->isEnabled());
        test::tick(w->Check_Scr_Back);
        QCOMPARE(im()(18, 13), 0);
    }

    void everyControlStoresItsOwnCellOnly() {
        test::fillNeighbourhood(im());
        im()(19, 9) = 1;  // VOX on, so that its group can be used
        open();
        const Image before = im();
        struct Pick {
            QComboBox* box;
            int index;
            int row, cell, stored;
        };
        const Pick picks[] = {
            {w->Combo_TOT, 39, 19, 0, 40},      {w->Combo_TOT, 0, 19, 0, 1},
            {w->Combo_TOA, 3, 19, 1, 3},        {w->Combo_PTT_ID, 2, 19, 2, 2},
            {w->Combo_Ptt_Type, 1, 19, 3, 1},   {w->Combo_Sql, 0, 19, 4, 0},
            {w->Combo_VOX_g, 10, 19, 10, 10},   {w->Combo_VOX_t, 5, 19, 11, 5},
            {w->Combo_Mic_Level, 1, 19, 13, 1}, {w->Combo_Voice, 0, 18, 15, 0},
        };
        for (const Pick& p : picks) {
            test::pickFromList(p.box, p.index);
            QCOMPARE(int(im()(p.row, p.cell)), p.stored);
        }
        struct Tick {
            QCheckBox* box;
            int row, cell;
        };
        const Tick ticks[] = {{w->Check_Save, 19, 5},
                              {w->Check_Beep, 19, 6},
                              {w->Check_vox_Operation, 19, 7},
                              {w->Check_vox_Receive, 19, 8},
                              {w->Check_vox_Tone, 19, 12},
                              {w->Check_Clone, 19, 14},
                              {w->Check_Scr_Acti, 18, 12},
                              {w->Check_Scr_Back, 18, 13},
                              {w->Check_VOX, 19, 9}};
        QVERIFY(w->Check_Scr_Acti->isChecked());  // unchecked first, so that backup opens
        for (const Tick& t : ticks) {
            const bool was = t.box->isChecked();
            test::tick(t.box);
            QVERIFY2(im()(t.row, t.cell) == (was ? 0 : 1), qPrintable(t.box->objectName()));
        }
        test::focusAndType(w->Text_tx_begin, "5");
        test::focusAndType(w->Text_tx_end, "6");
        const QString stray = strayChange(before, im());
        QVERIFY2(stray.isEmpty(), qPrintable(stray));
    }

    // A plain list box takes typed keys as a search and the wheel without the focus; both would
    // change a setting behind the user's back.
    void typingAndTheWheelOverAnUnfocusedListChangeNothing() {
        open();
        const Image before = im();
        QTest::keyClicks(w->Combo_Sql, "3");
        QTest::keyClicks(w->Combo_TOT, "120");
        QTest::keyClicks(w->Combo_Voice, "E");
        QCOMPARE(im(), before);
        QCOMPARE(w->Combo_Sql->currentText(), QString("5"));
        w->Command_Help->setFocus();
        auto turn = [&] { test::turnWheel(w->Combo_Sql, 1); };
        turn();
        QCOMPARE(w->Combo_Sql->currentText(), QString("5"));
        QCOMPARE(im(), before);
        w->Combo_Sql->setFocus();
        QTRY_VERIFY(w->Combo_Sql->hasFocus());
        turn();
        QCOMPARE(w->Combo_Sql->currentText(), QString("6"));
        QCOMPARE(int(im()(19, 4)), 6);
        QTest::keyClick(w->Combo_Sql, Qt::Key_Down);  // arrows choose entries
        QCOMPARE(int(im()(19, 4)), 7);
    }

    void helpDoesNothingAndCloseOnlyCloses() {
        open();
        const Image before = im();
        QTest::mouseClick(w->Command_Help, Qt::LeftButton);
        QVERIFY(gui->main->child("frm_option"));
        QTest::mouseClick(w->Command_close, Qt::LeftButton);
        QTRY_VERIFY(!gui->main->child("frm_option"));
        QCOMPARE(im(), before);
    }

    void chineseWindowStoresWhatTheEnglishOneStores() {
        im()(19, 9) = 1;
        open();
        const QList<QComboBox*> english = {w->Combo_TOT,       w->Combo_TOA,   w->Combo_Sql,
                                           w->Combo_Mic_Level, w->Combo_Voice, w->Combo_Ptt_Type,
                                           w->Combo_PTT_ID,    w->Combo_VOX_g, w->Combo_VOX_t};
        // Each list's last entry in English, then the same positions in Chinese: same bytes.
        for (QComboBox* c : english) test::pickFromList(c, c->count() - 1);
        const Image afterEnglish = im();
        for (QComboBox* c : english) test::pickFromList(c, 0);

        gui->main->runCommand("Language_chn");
        QCOMPARE(w->windowTitle(), QString("Optional Features"));  // open windows keep theirs
        open();
        QCOMPARE(w->windowTitle(), QString("可选参数"));
        QCOMPARE(w->Label_tot->text(), QString("超时定时器(TOT)[秒]"));
        QCOMPARE(w->Label_toa->text(), QString("超时定时器预警[秒]"));
        QCOMPARE(w->Label_sql->text(), QString("静噪电平"));
        QCOMPARE(w->Label_mic_level->text(), QString("麦克风灵敏度"));
        QCOMPARE(w->Label_voice->text(), QString("语音通知"));
        QCOMPARE(w->Check_Save->text(), QString("电池省电"));
        QCOMPARE(w->Check_Beep->text(), QString("哔音"));
        QCOMPARE(w->Check_Scr_Acti->text(), QString("扰频器激活"));
        QCOMPARE(w->Check_Scr_Back->text(), QString("扰频器备份"));
        QCOMPARE(w->Frame_pttid->title(), QString("PTT ID"));
        QCOMPARE(w->Label_ptt_Type->text(), QString("PTT ID 类型"));
        QCOMPARE(w->Label_PTT_ID->text(), QString("PTT ID"));
        QCOMPARE(w->Label_TX_begin->text(), QString("发射开始"));
        QCOMPARE(w->Label_TX_end->text(), QString("发射结束"));
        QCOMPARE(w->Frame_vox->title(), QString("VOX(声控发射)"));
        QCOMPARE(w->Check_VOX->text(), QString("VOX 功能"));
        QCOMPARE(w->Label_Vox_g->text(), QString("VOX 增益电平"));
        QCOMPARE(w->Label_VOX_t->text(), QString("VOX 延迟时间[秒]"));
        QCOMPARE(w->Check_vox_Operation->text(), QString("取消操作"));
        QCOMPARE(w->Check_vox_Tone->text(), QString("VOX 可进行音调"));
        QCOMPARE(w->Check_vox_Receive->text(), QString("接收时禁止 VOX "));
        QCOMPARE(w->Frame_mode->title(), QString("收音机"));
        QCOMPARE(w->Check_Clone->text(), QString("收音机启用"));
        QCOMPARE(w->Command_close->text(), QString("关闭"));
        QCOMPARE(w->Command_Help->text(), QString("帮助"));
        QCOMPARE(test::entries(w->Combo_TOA).first(), QString("关"));
        QCOMPARE(test::entries(w->Combo_VOX_g).first(), QString("关"));
        QCOMPARE(test::entries(w->Combo_Mic_Level), (QStringList{"常规", "高"}));
        QCOMPARE(test::entries(w->Combo_Voice), (QStringList{"关", "中文", "英语"}));
        QCOMPARE(test::entries(w->Combo_Ptt_Type),
                 (QStringList{"DTMF(双音多频)", "FleetSync(队列同步)"}));
        QCOMPARE(test::entries(w->Combo_PTT_ID), (QStringList{"发射开始", "发射结束", "两者"}));
        QCOMPARE(test::entries(w->Combo_VOX_t), (QStringList{"0.3", "0.5", "1", "1.5", "2", "3"}));
        const QList<QComboBox*> chinese = {w->Combo_TOT,       w->Combo_TOA,   w->Combo_Sql,
                                           w->Combo_Mic_Level, w->Combo_Voice, w->Combo_Ptt_Type,
                                           w->Combo_PTT_ID,    w->Combo_VOX_g, w->Combo_VOX_t};
        for (QComboBox* c : chinese) QCOMPARE(c->currentIndex(), 0);
        for (QComboBox* c : chinese) test::pickFromList(c, c->count() - 1);
        QCOMPARE(im(), afterEnglish);
        QTest::qWait(100);  // the main window re-lays out its menu bar for the new captions
        test::shot(gui->main.get(), "option_zh");
        test::shot(w, "option_zh_window");
        QTRY_COMPARE(test::clipped(w), QStringList());
    }

    // The window opens with the focus in its first list, and Tab goes down the left column,
    // then down the right one, skipping what is disabled, and ends on the buttons.
    void tabFollowsTheLayoutFromTheFirstField() {
        open();
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w->Combo_TOT));
        QCOMPARE(
            test::tabWalk(16),
            (QStringList{"Combo_TOT", "Combo_TOA", "Combo_Sql", "Combo_Mic_Level", "Combo_Voice",
                         "Check_Save", "Check_Scr_Acti", "Check_Beep", "Check_Scr_Back",
                         "Check_Clone", "Combo_Ptt_Type", "Combo_PTT_ID", "Text_tx_begin",
                         "Check_VOX", "Command_Help", "Command_close", "Combo_TOT"}));
    }
};

QTEST_MAIN(OptionWindowTest)
#include "OptionWindowTest.moc"
