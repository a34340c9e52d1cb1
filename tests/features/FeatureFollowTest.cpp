// The feature windows show what a read from the radio or a file load put into the image as soon
// as they become active again.

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "core/ChannelFile.h"
#include "features/FeatureWindowSupport.h"
#include "features/Form_Edit_Message.h"
#include "features/Form_Edit_scan.h"
#include "features/Form_edit_Key.h"
#include "features/frm_option.h"
#include "files/ChannelFileDialogs.h"
#include "link/CommWindows.h"
#include "support/RadioGui.h"

using namespace nv;

class FeatureFollowTest : public QObject {
    Q_OBJECT
    std::unique_ptr<test::RadioGui> gui;
    frm_option* option = nullptr;
    Form_Edit_scan* scanWindow = nullptr;
    Form_edit_Key* key = nullptr;
    Form_Edit_Message* message = nullptr;

    void openAll() {
        gui->main->runCommand("Optional_edit");
        gui->main->runCommand("Scan_edit");
        option = qobject_cast<frm_option*>(gui->main->child("frm_option"));
        scanWindow = qobject_cast<Form_Edit_scan*>(gui->main->child("Form_Edit_scan"));
        key = qobject_cast<Form_edit_Key*>(gui->main->openWindow("Form_edit_Key"));
        message = qobject_cast<Form_Edit_Message*>(gui->main->openWindow("Form_Edit_Message"));
        QVERIFY(option && scanWindow && key && message);
    }
    // Settings different from the factory defaults in every feature window's cells, some of
    // them out of range.
    static void otherSettings(auto&& set) {
        set(19, 0, 8);    // 120 s
        set(19, 4, 14);   // squelch beyond the list
        set(19, 9, 1);    // VOX on
        set(18, 15, 2);   // English voice
        set(20, 0, '9');  // begin code "9"
        set(20, 1, 255);
        set(20, 2, 255);
        set(20, 3, 255);
        set(20, 4, 255);
        set(21, 0, 'D');
        set(22, 0, 1);  // fixed priority channel 12
        set(22, 1, 12);
        set(22, 2, 11);  // 1.00 s
        set(17, 13, 4);  // monitor
        set(17, 14, 6);  // scan
        for (int n = 0; n < 16; ++n) set(48, n, n < 5 ? "HI YO"[n] : 255);
    }
    void checkShown() {
        for (QWidget* w : QList<QWidget*>{option, scanWindow, key, message})
            test::reactivate(*gui->main, w, gui->main->child("frm_chann"));
        QCOMPARE(option->Combo_TOT->currentText(), QString("120"));
        QCOMPARE(option->Combo_Sql->currentText(), QString("9"));
        QCOMPARE(int(gui->state->RadioImage(19, 4)), 9);
        QVERIFY(option->Check_VOX->isChecked());
        QVERIFY(option->Combo_VOX_g->isEnabled());
        QCOMPARE(option->Combo_Voice->currentText(), QString("English"));
        QCOMPARE(option->Text_tx_begin->text(), QString("9"));
        QCOMPARE(option->Text_tx_end->text(), QString("D"));
        QCOMPARE(scanWindow->Combo_pri->currentText(), QString("Fixed"));
        QCOMPARE(scanWindow->Text_prich->text(), QString("12"));
        QVERIFY(scanWindow->Text_prich->isEnabled());
        QCOMPARE(scanWindow->Combo_BA->currentText(), QString("1.00"));
        QCOMPARE(key->Combo_pf1->currentText(), QString("Monitor"));
        QCOMPARE(key->Combo_pf2->currentText(), QString("Scan"));
        QCOMPARE(int(gui->state->RadioImage(17, 13)), 4);
        QCOMPARE(int(gui->state->RadioImage(17, 14)), 6);
        QCOMPARE(message->Text_MS1->text(), QString("HI YO"));
    }

  private slots:
    void init() {
        gui = std::make_unique<test::RadioGui>();
        QVERIFY(test::activated(gui->main.get()));
    }
    void cleanup() { gui.reset(); }

    void aReadShowsInEveryOpenFeatureWindow() {
        otherSettings([this](int r, int c, int v) {
            gui->line->radio.memory[r * 16 + c] = static_cast<std::uint8_t>(v);
        });
        openAll();
        gui->main->runCommand("Prog_read");
        auto* reader = qobject_cast<Form_Comm_Read*>(gui->main->child("Form_Comm_Read"));
        QVERIFY(reader);
        QTest::mouseClick(reader->Command_start, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(gui->messages->messages.size() >= 1, 10000);
        QCOMPARE(gui->messages->lastText(), QString("Complete reading the data from transceiver."));
        QTRY_VERIFY(!gui->main->child("Form_Comm_Read"));
        checkShown();
    }

    void aFileLoadShowsInEveryOpenFeatureWindow() {
        QTemporaryDir dir;
        Image loaded = gui->state->RadioImage;
        otherSettings([&loaded](int r, int c, int v) { loaded(r, c) = static_cast<Int16>(v); });
        QFile file(dir.filePath("other.chann"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray::fromStdString(channelFileText(loaded)));
        file.close();
        openAll();
        gui->state->CurrentFilePath = file.fileName().toStdString();
        auto* opener = qobject_cast<Form_open_chann*>(gui->main->openWindow("Form_open_chann"));
        opener->Text1->setText("other.chann");
        QTest::mouseClick(opener->Command_enter, Qt::LeftButton);
        QTRY_VERIFY(!gui->main->child("Form_open_chann"));
        QCOMPARE(int(gui->state->RadioImage(17, 13)), 4);
        checkShown();
    }
};

QTEST_MAIN(FeatureFollowTest)
#include "FeatureFollowTest.moc"
