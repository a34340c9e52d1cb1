#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
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
#include "support/Wheel.h"

using namespace nv;

class ChannelDialogTest : public QObject {
    Q_OBJECT
    std::unique_ptr<test::Gui> gui;
    Form_Chann_Edit* dlg = nullptr;

    Image& im() { return gui->image(); }
    void open(int channel) {
        gui->state->CurrentChannel = static_cast<Int16>(channel);
        dlg = gui->main->openChild<Form_Chann_Edit>();
    }
    void leave(QLineEdit* field) {  // moves the focus away, which runs the field's check
        field->setFocus();
        QTRY_VERIFY(field->hasFocus());
        dlg->Command_Help->setFocus();
        QTRY_VERIFY(!field->hasFocus());
    }
    void wheel(QWidget* w, int notches) { test::turnWheel(w, notches); }
    QStringList entries(QComboBox* c) {
        QStringList l;
        for (int i = 0; i < c->count(); ++i) l << c->itemText(i);
        return l;
    }

  private slots:
    void init() {
        gui = std::make_unique<test::Gui>();
        QVERIFY(test::activated(gui->main.get()));
    }
    void cleanup() { gui.reset(); }

    void showsAChannelWithItsCaptionsAndLists() {
        open(2);
        QCOMPARE(dlg->windowTitle(), QString("Channel Edit"));
        QCOMPARE(dlg->Label_WN->text(), QString("Wide/Narror"));
        QCOMPARE(dlg->Label_RX_freq->text(), QString("Receive Frequency "));
        QCOMPARE(dlg->Text_CHN->text(), QString("2"));
        QCOMPARE(dlg->Text_RX_Freq->text(), QString("460.04375"));
        QCOMPARE(dlg->Combo_Decode->count(), 206);
        QCOMPARE(dlg->Combo_Decode->itemText(0), QString("OFF"));
        QCOMPARE(dlg->Combo_Decode->currentText(), QString("100.0"));
        QCOMPARE(dlg->Combo_Encode->currentText(), QString("100.0"));
        QCOMPARE(dlg->Combo_TXP->currentText(), QString("High"));
        QCOMPARE(dlg->Combo_WN->currentText(), QString("Wide"));
        QCOMPARE(dlg->Combo_PTT_ID->currentText(), QString("Off"));
        QCOMPARE(dlg->Combo_Memory->currentText(), QString("1"));
        QCOMPARE(entries(dlg->Combo_Spunmute), QStringList{"QT/DQT"});
        // "QT/DQY" appears only in the four-entry list, as it is written there.
        QCOMPARE(entries(dlg->Combo_BCL), (QStringList{"Off", "Carrier", "QT/DQT"}));
        QVERIFY(dlg->Combo_Encode->isEnabled());
        QCOMPARE(dlg->Combo_Encode->palette().color(QPalette::Base),
                 dlg->palette().color(QPalette::Base));
        test::shot(gui->main.get(), "dialog_en_normal");
    }

    void typingIntoAListDoesNothing() {
        open(1);
        const Image before = im();
        QTest::keyClicks(dlg->Combo_TXP, "L");
        QTest::keyClicks(dlg->Combo_Memory, "5");
        QCOMPARE(im(), before);
        QCOMPARE(dlg->Combo_Memory->currentIndex(), 0);
    }

    void theWheelChangesOnlyAListThatHasTheFocus() {
        setField(im(), 3, ch::OptSig, 1);
        open(3);
        dlg->Text_CHN->setFocus();
        QTRY_VERIFY(dlg->Text_CHN->hasFocus());
        const Image before = im();
        const QList<QComboBox*> lists = {dlg->Combo_Decode,   dlg->Combo_Encode, dlg->Combo_Optsig,
                                         dlg->Combo_Spunmute, dlg->Combo_TXP,    dlg->Combo_WN,
                                         dlg->Combo_BCL,      dlg->Combo_PTT_ID, dlg->Combo_Memory};
        for (QComboBox* list : lists) {
            wheel(list, 1);  // scrolling over the dialog
            QVERIFY2(!list->hasFocus(), qPrintable(list->objectName()));
        }
        QCOMPARE(im(), before);

        dlg->Combo_TXP->setFocus();
        QTRY_VERIFY(dlg->Combo_TXP->hasFocus());
        wheel(dlg->Combo_TXP, 1);
        QCOMPARE(dlg->Combo_TXP->currentIndex(), 1);
        QCOMPARE(getField(im(), 3, ch::HighPower), 0);
    }

    void optSigZeroSetsSpeakerUnmuteToZeroWhenShown() {
        setField(im(), 2, ch::SpUnmute, 2);
        open(2);
        QCOMPARE(getField(im(), 2, ch::SpUnmute), 0);
        QCOMPARE(dlg->Combo_Spunmute->currentIndex(), 0);
    }

    void decodeToneSwitchesTheSignallingLists() {
        setField(im(), 6, ch::OptSig, 1);
        setField(im(), 6, ch::SpUnmute, 2);
        open(6);
        QCOMPARE(entries(dlg->Combo_Spunmute),
                 (QStringList{"Carrier", "Carrier+ Opt.Sig", "Carrier or Opt.Sig"}));
        QCOMPARE(dlg->Combo_Spunmute->currentIndex(), 2);
        QCOMPARE(entries(dlg->Combo_BCL), (QStringList{"Off", "Carrier", "Option Signalling"}));
        test::pickFromList(dlg->Combo_Decode, 13);  // 100.0
        QCOMPARE(im()(6, 8), 0xE8);
        QCOMPARE(im()(6, 9), 0x03);
        QCOMPARE(im()(6, 10), 0xFF);  // the encode tone is not changed here
        QCOMPARE(im()(6, 11), 0xFF);
        QCOMPARE(entries(dlg->Combo_Spunmute),
                 (QStringList{"QT/DQT", "QT/DQT+ Opt.Sig", "QT/DQT or Opt.Sig"}));
        QCOMPARE(entries(dlg->Combo_BCL),
                 (QStringList{"Off", "Carrier", "QT/DQY", "Option Signalling"}));
        QCOMPARE(getField(im(), 6, ch::SpUnmute), 2);
        test::pickFromList(dlg->Combo_BCL, 3);
        QCOMPARE(getField(im(), 6, ch::BusyLockout), 3);
        test::pickFromList(dlg->Combo_Optsig, 0);
        QCOMPARE(getField(im(), 6, ch::OptSig), 0);
        QCOMPARE(entries(dlg->Combo_Spunmute), QStringList{"QT/DQT"});
        QCOMPARE(getField(im(), 6, ch::SpUnmute), 0);
        QCOMPARE(dlg->Combo_BCL->currentIndex(), -1);  // 3 has no entry now; kept as stored
        QCOMPARE(getField(im(), 6, ch::BusyLockout), 3);
    }

    void zeroZeroToneMatchesNothing() {
        setTone(im(), 3, ch::DecodeTone, 0x00, 0x00);
        open(3);
        QCOMPARE(dlg->Combo_Decode->currentIndex(), -1);
        QCOMPARE(entries(dlg->Combo_Spunmute), QStringList{"Carrier"});
        QCOMPARE(im()(3, 8), 0x00);
    }

    void valuesWithoutAnEntryShowWithoutFailing() {
        im()(4, 12) = 0x7E;  // OptSig 3, BusyLockout 3, SpUnmute 3
        open(4);
        QCOMPARE(dlg->Combo_Optsig->currentIndex(), -1);
        QCOMPARE(dlg->Combo_Spunmute->currentIndex(), -1);
        QCOMPARE(dlg->Combo_BCL->currentIndex(), 3);
        QCOMPARE(im()(4, 12), 0x7E);
    }

    void fieldWritesChangeOnlyTheirBits() {
        im()(7, 12) = 0x80;
        im()(7, 13) = 0x8F | 0x30;
        im()(7, 14) = 0xFE;
        im()(7, 15) = 0xF8;
        open(7);
        test::pickFromList(dlg->Combo_TXP, 1);
        QCOMPARE(im()(7, 13), 0x9F);
        test::pickFromList(dlg->Combo_WN, 0);
        QCOMPARE(im()(7, 13), 0x8F);
        test::pickFromList(dlg->Combo_PTT_ID, 1);
        QCOMPARE(im()(7, 14), 0xFF);
        test::pickFromList(dlg->Combo_Memory, 7);
        QCOMPARE(im()(7, 15), 0xFF);
        QTest::mouseClick(dlg->Check_BS, Qt::LeftButton);
        QCOMPARE(im()(7, 13), 0xCF);
        QTest::mouseClick(dlg->Check_Comp, Qt::LeftButton);
        QCOMPARE(im()(7, 12), 0x81);
        QTest::mouseClick(dlg->Check_ScanAdd, Qt::LeftButton);
        QVERIFY(scanBit(im(), 7));
        QCOMPARE(im()(23, 14), 0x40);
        test::pickFromList(dlg->Combo_Encode, 40);
        QCOMPARE(im()(7, 10), 0x13);
        QCOMPARE(im()(7, 11), 0x28);
        QCOMPARE(im()(7, 8), 0xFF);
    }

    void scrollBarWrapsAround() {
        open(1);
        dlg->VScroll1->triggerAction(QAbstractSlider::SliderSingleStepSub);
        QCOMPARE(gui->state->CurrentChannel, 16);
        QCOMPARE(dlg->Text_CHN->text(), QString("16"));
        QCOMPARE(dlg->Text_RX_Freq->text(), QString("469.97500"));
        auto* grid = gui->window<frm_chann>("frm_chann");
        QCOMPARE(grid->windowTitle(), QString("Channel Information [ Channel -  16 ]"));
        dlg->VScroll1->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QCOMPARE(gui->state->CurrentChannel, 1);
        QCOMPARE(dlg->Text_RX_Freq->text(), QString("450.02500"));
    }

    void everyKindOfScrollMovesByOneChannel() {
        open(3);
        dlg->VScroll1->triggerAction(QAbstractSlider::SliderPageStepAdd);
        QCOMPARE(gui->state->CurrentChannel, 4);
        dlg->VScroll1->triggerAction(QAbstractSlider::SliderPageStepSub);
        dlg->VScroll1->triggerAction(QAbstractSlider::SliderPageStepSub);
        QCOMPARE(gui->state->CurrentChannel, 2);
        dlg->VScroll1->triggerAction(QAbstractSlider::SliderSingleStepSub);
        dlg->VScroll1->triggerAction(QAbstractSlider::SliderPageStepSub);
        QCOMPARE(gui->state->CurrentChannel, 16);  // wraps around as a single step does
        QCOMPARE(dlg->Text_CHN->text(), QString("16"));
    }

    void channelNumberField() {
        open(3);
        dlg->Text_CHN->setFocus();
        dlg->Text_CHN->clear();
        QTest::keyClicks(dlg->Text_CHN, "1x7");
        QCOMPARE(dlg->Text_CHN->text(), QString("1"));
        QTest::keyClick(dlg->Text_CHN, Qt::Key_Backspace);
        QCOMPARE(dlg->Text_CHN->text(), QString("1"));
        QTest::keyClicks(dlg->Text_CHN, "2");
        QCOMPARE(gui->state->CurrentChannel, 12);
        leave(dlg->Text_CHN);
        QCOMPARE(dlg->VScroll1->value(), 12);
        QCOMPARE(dlg->Text_RX_Freq->text(), QString("400.17500"));

        dlg->Text_CHN->clear();
        leave(dlg->Text_CHN);
        QCOMPARE(dlg->Text_CHN->text(), QString("1"));
        QCOMPARE(gui->state->CurrentChannel, 1);
        QCOMPARE(dlg->Text_RX_Freq->text(), QString("450.02500"));
    }

    void channelZeroWritesNowhere() {
        open(1);
        const Image before = im();
        dlg->Text_CHN->setText("0");
        QCOMPARE(gui->state->CurrentChannel, 0);
        dlg->Combo_TXP->setCurrentIndex(1);
        dlg->Check_ScanAdd->setChecked(true);
        QCOMPARE(im(), before);
    }

    void emptyChannelDisplayAndReceiveOnlyCreation() {
        selectModelBand(*gui->state, 0);
        ClearChannel(im(), 9);
        im()(9, 5) = 0x12;  // rubbish behind an empty first cell
        open(9);
        for (int c = 0; c < 16; ++c) QCOMPARE(im()(9, c), 0xFF);
        QVERIFY(dlg->Text_RX_Freq->isEnabled());
        QVERIFY(!dlg->Text_TX_Freq->isEnabled());
        QVERIFY(!dlg->Combo_Decode->isEnabled());
        QCOMPARE(dlg->Combo_Decode->count(), 0);
        QCOMPARE(dlg->Combo_Decode->palette().color(QPalette::Base),
                 dlg->palette().color(QPalette::Button));
        test::shot(gui->main.get(), "dialog_en_empty");

        dlg->Text_RX_Freq->setFocus();
        QTest::keyClicks(dlg->Text_RX_Freq, "1a46.52");
        QCOMPARE(dlg->Text_RX_Freq->text(), QString("146.52"));
        leave(dlg->Text_RX_Freq);
        QCOMPARE(im()(9, 0), 0x00);
        QCOMPARE(im()(9, 1), 0x20);
        QCOMPARE(im()(9, 2), 0x65);
        QCOMPARE(im()(9, 3), 0x14);
        for (int c = 4; c < 8; ++c) QCOMPARE(im()(9, c), 0xFF);  // receive-only
        const int pattern[8] = {0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0xBF, 0xB0, 0xF8};
        for (int c = 0; c < 8; ++c) QCOMPARE(im()(9, 8 + c), pattern[c]);
        QVERIFY(scanBit(im(), 9));
        QVERIFY(dlg->Text_TX_Freq->text().isEmpty());
        QVERIFY(!dlg->Combo_Encode->isEnabled());
        QVERIFY(dlg->Combo_Decode->isEnabled());
        test::shot(gui->main.get(), "dialog_en_receive_only");

        dlg->Text_TX_Freq->setFocus();
        QTest::keyClicks(dlg->Text_TX_Freq, "150");
        leave(dlg->Text_TX_Freq);
        QCOMPARE(im()(9, 6), 0x00);
        QCOMPARE(im()(9, 7), 0x15);
        QVERIFY(dlg->Combo_Encode->isEnabled());
    }

    void onlyAsciiDigitsReachTheNumberFields() {
        open(2);
        const Image before = im();
        const QString fullWidth = QStringLiteral("１４５");  // from a Chinese input method
        for (QLineEdit* f : {dlg->Text_RX_Freq, dlg->Text_TX_Freq, dlg->Text_CHN}) {
            f->setFocus();
            QTRY_VERIFY(f->hasFocus());
            const QString shown = f->text();
            test::typeKeys(f, fullWidth);
            test::commitFromInputMethod(f, fullWidth);
            test::pasteInto(f, fullWidth);
            QCOMPARE(f->text(), shown);
        }
        leave(dlg->Text_CHN);
        QCOMPARE(gui->state->CurrentChannel, 2);
        QCOMPARE(im(), before);
        QVERIFY(gui->messages->messages.isEmpty());

        dlg->Text_TX_Freq->setFocus();  // ASCII digits come in by every way
        dlg->Text_TX_Freq->clear();
        test::commitFromInputMethod(dlg->Text_TX_Freq, "447");
        test::pasteInto(dlg->Text_TX_Freq, ".5");
        QCOMPARE(dlg->Text_TX_Freq->text(), QString("447.5"));
    }

    void frequencyChecksWarnAndEraseTheTransmit() {
        open(2);
        dlg->Text_TX_Freq->setFocus();
        dlg->Text_TX_Freq->clear();
        leave(dlg->Text_TX_Freq);
        for (int c = 4; c < 8; ++c) QCOMPARE(im()(2, c), 0xFF);
        QCOMPARE(im()(2, 10), 0xFF);
        QCOMPARE(im()(2, 11), 0xFF);
        QCOMPARE(dlg->Combo_Encode->currentIndex(), 0);
        QVERIFY(!dlg->Combo_Encode->isEnabled());

        const QString receive = dlg->Text_RX_Freq->text();
        const Image kept = im();
        dlg->Text_RX_Freq->setFocus();
        dlg->Text_RX_Freq->setText("99");
        leave(dlg->Text_RX_Freq);
        QCOMPARE(gui->messages->lastText(), QString("Over the range of receive frequency ."));
        QCOMPARE(dlg->Text_RX_Freq->text(), receive);  // the channel keeps what it had
        QCOMPARE(im(), kept);

        dlg->Text_RX_Freq->setFocus();
        dlg->Text_RX_Freq->setText("455.1");
        leave(dlg->Text_RX_Freq);
        QCOMPARE(dlg->Text_RX_Freq->text(), QString("455.1"));  // kept as typed
        QCOMPARE(im()(2, 2), 0x51);
        QCOMPARE(im()(2, 3), 0x45);
        QCOMPARE(im()(2, 4), 0xFF);  // the transmit is not touched

        dlg->Text_TX_Freq->setFocus();
        dlg->Text_TX_Freq->setText("999");
        leave(dlg->Text_TX_Freq);
        QCOMPARE(gui->messages->lastText(), QString("Over the range of Transmit frequency ."));
        QCOMPARE(dlg->Text_TX_Freq->text(), QString());  // still receive-only
        QCOMPARE(im()(2, 4), 0xFF);

        dlg->Text_TX_Freq->setFocus();
        dlg->Text_TX_Freq->setText("446.5");
        leave(dlg->Text_TX_Freq);
        const Image withTransmit = im();
        dlg->Text_TX_Freq->setFocus();
        dlg->Text_TX_Freq->setText("300");
        leave(dlg->Text_TX_Freq);
        QCOMPARE(dlg->Text_TX_Freq->text(), QString("446.50000"));
        QCOMPARE(im(), withTransmit);

        dlg->Text_RX_Freq->setFocus();
        dlg->Text_RX_Freq->clear();
        leave(dlg->Text_RX_Freq);
        for (int c = 0; c < 16; ++c) QCOMPARE(im()(2, c), 0xFF);
        QCOMPARE(gui->messages->messages.size(), 3);
    }

    void englishAndChineseListsStoreTheSameCodes() {
        open(5);
        test::pickFromList(dlg->Combo_Decode, 40);
        const int low = im()(5, 8), high = im()(5, 9);
        test::pickFromList(dlg->Combo_Decode, 0);
        QCOMPARE(im()(5, 8), 0xFF);
        gui->main->Language_chn_Click();
        open(5);
        QCOMPARE(dlg->windowTitle(), QString("信道编辑"));
        QCOMPARE(dlg->Combo_Decode->itemText(0), QString("无"));
        QCOMPARE(dlg->Combo_TXP->itemText(0), QString("高"));
        QCOMPARE(dlg->Label_SpUnmute->text(), QString("SP不静音"));
        test::pickFromList(dlg->Combo_Decode, 40);
        QCOMPARE(im()(5, 8), low);
        QCOMPARE(im()(5, 9), high);
        test::pickFromList(dlg->Combo_Decode, 0);
        QCOMPARE(im()(5, 8), 0xFF);
        QCOMPARE(im()(5, 9), 0xFF);
        test::shot(gui->main.get(), "dialog_zh_normal");
    }

    void aClosingDialogWritesNothing() {
        ClearChannel(im(), 10);
        open(10);
        dlg->Text_RX_Freq->setFocus();
        QTRY_VERIFY(dlg->Text_RX_Freq->hasFocus());
        const Image before = im();
        open(11);  // the old dialog loses its focus while it closes: no check may run
        QCOMPARE(im(), before);
        QCOMPARE(dlg->Text_RX_Freq->text(), QString("410.02500"));
    }

    void chineseEmptyAndReceiveOnlyChannels() {
        gui->main->Language_chn_Click();
        ClearChannel(im(), 10);
        open(10);
        QCOMPARE(dlg->Label_CHN->text(), QString("信道"));
        QCOMPARE(dlg->Check_Comp->text(), QString("压括器"));
        QVERIFY(!dlg->Combo_TXP->isEnabled());
        test::shot(gui->main.get(), "dialog_zh_empty");
        for (int c = 4; c < 8; ++c) im()(11, c) = 0xFF;
        setField(im(), 11, ch::OptSig, 2);
        open(11);
        QVERIFY(!dlg->Combo_Encode->isEnabled());
        QCOMPARE(dlg->Combo_Encode->currentText(), QString("无"));
        QCOMPARE(entries(dlg->Combo_Spunmute),
                 (QStringList{"载波", "载波 + 可选信令", "载波或可选信令"}));
        QCOMPARE(entries(dlg->Combo_BCL), (QStringList{"关", "载波", "可选信令"}));
        test::shot(gui->main.get(), "dialog_zh_receive_only");
    }

    void gridAndDialogStayInStepThroughActivation() {
        auto* grid = gui->window<frm_chann>("frm_chann");
        QTest::mouseClick(grid->Command_Edit, Qt::LeftButton);
        dlg = gui->window<Form_Chann_Edit>("Form_Chann_Edit");
        QVERIFY(dlg);
        test::pickFromList(dlg->Combo_TXP, 1);
        QCOMPARE(getField(im(), 1, ch::HighPower), 0);
        gui->main->workArea()->setActiveSubWindow(grid->subWindow());
        QCOMPARE(grid->MSF_chann->item(1, 5)->text(), QString("Low"));

        ClearChannel(im(), 1);  // as a change made in the grid
        gui->main->workArea()->setActiveSubWindow(dlg->subWindow());
        QVERIFY(dlg->Text_RX_Freq->text().isEmpty());
        QVERIFY(!dlg->Combo_TXP->isEnabled());

        QTest::mouseClick(grid->Command_Edit, Qt::LeftButton);  // already open: no second one
        QCOMPARE(gui->window<Form_Chann_Edit>("Form_Chann_Edit"), dlg);
    }
};

QTEST_MAIN(ChannelDialogTest)
#include "ChannelDialogTest.moc"
