#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include "features/FeatureWindowSupport.h"
#include "features/Form_edit_Key.h"

using namespace nv;

class KeyWindowTest : public QObject {
    Q_OBJECT
    std::unique_ptr<test::Gui> gui;
    Form_edit_Key* w = nullptr;

    Image& im() { return gui->image(); }
    void open() {
        w = qobject_cast<Form_edit_Key*>(gui->main->openWindow("Form_edit_Key"));
        QVERIFY(w);
    }
    QAction* item(const char* name) { return gui->main->findChild<QAction*>(name); }

  private slots:
    void init() {
        gui = std::make_unique<test::Gui>();
        QVERIFY(test::activated(gui->main.get()));
    }
    void cleanup() { gui.reset(); }

    void theCommandIsHiddenUnlessInServiceMode() {
        for (const char* name : {"key_edit", "Message_edit"}) {
            QVERIFY2(!item(name)->isVisible() && !item(name)->isEnabled(), name);
        }
        QVERIFY(item("Optional_edit")->isVisible());
        QVERIFY(item("Scan_edit")->isVisible());
        gui->main->showServiceCommands();
        for (const char* name : {"key_edit", "Message_edit"}) {
            QVERIFY2(item(name)->isVisible() && item(name)->isEnabled(), name);
        }
        item("key_edit")->trigger();
        QVERIFY(gui->main->child("Form_edit_Key"));
        item("Message_edit")->trigger();
        QVERIFY(gui->main->child("Form_Edit_Message"));
    }

    void factoryDefaultsAndEnglishTexts() {
        const Image before = im();
        open();
        QCOMPARE(w->windowTitle(), QString("Key Assingment"));
        QCOMPARE(w->Label_PF1->text(), QString("PF1"));
        QCOMPARE(w->Label_PF2->text(), QString("PF2"));
        QCOMPARE(w->Command_close->text(), QString("Close"));
        QCOMPARE(w->Command_Help->text(), QString("Help"));
        const QStringList functions = {"None",
                                       "Autodial",
                                       "Key Lock",
                                       "Key Lock with Backup",
                                       "Monitor",
                                       "Monitor Momentary",
                                       "Scan",
                                       "Scan+Temporary Delete",
                                       "Scrambler",
                                       "Squelch Off",
                                       "Squelch Off Momentary",
                                       "Temporary Delete"};
        QCOMPARE(test::entries(w->Combo_pf1), functions);
        QCOMPARE(test::entries(w->Combo_pf2), functions);
        QCOMPARE(w->Combo_pf1->currentText(), QString("None"));
        QCOMPARE(w->Combo_pf2->currentText(), QString("Squelch Off Momentary"));
        QCOMPARE(im(), before);
        test::shot(gui->main.get(), "key_en");
        test::shot(w, "key_en_window");
        QTRY_COMPARE(test::clipped(w), QStringList());
    }

    void choicesStoreTheirCodes() {
        test::fillNeighbourhood(im());
        const Image before = im();
        open();
        test::pickFromList(w->Combo_pf1, 1);
        QCOMPARE(int(im()(17, 13)), 0);
        test::pickFromList(w->Combo_pf1, 0);
        QCOMPARE(int(im()(17, 13)), 255);
        test::pickFromList(w->Combo_pf2, 2);
        QCOMPARE(int(im()(17, 14)), 2);
        test::pickFromList(w->Combo_pf2, 11);
        QCOMPARE(int(im()(17, 14)), 11);
        const QString stray = test::changeOutside(before, im(), {{17, 13, 14}});
        QVERIFY2(stray.isEmpty(), qPrintable(stray));
    }

    void decodingNormalisesOddCodes() {
        im()(17, 13) = 1;
        im()(17, 14) = 12;
        open();
        QCOMPARE(w->Combo_pf1->currentText(), QString("Autodial"));
        QCOMPARE(w->Combo_pf2->currentText(), QString("None"));
        QCOMPARE(int(im()(17, 13)), 0);
        QCOMPARE(int(im()(17, 14)), 255);
    }

    void aChoiceRewritesBothCellsFromTheirBoxes() {
        open();
        im()(17, 14) = 7;  // changed behind the window's back, without an activation
        test::pickFromList(w->Combo_pf1, 4);
        QCOMPARE(int(im()(17, 13)), 4);
        QCOMPARE(int(im()(17, 14)), 10);
    }

    // As described, decoding set PF1 first and its store wrote PF2's old on-screen value over
    // the value just read.
    void activationAfterALoadKeepsBothNewCodes() {
        open();
        QCOMPARE(int(im()(17, 13)), 255);
        QCOMPARE(int(im()(17, 14)), 10);
        im()(17, 13) = 4;
        im()(17, 14) = 6;
        test::reactivate(*gui->main, w, gui->window<QWidget>("frm_chann"));
        QCOMPARE(w->Combo_pf1->currentText(), QString("Monitor"));
        QCOMPARE(w->Combo_pf2->currentText(), QString("Scan"));
        QCOMPARE(int(im()(17, 13)), 4);
        QCOMPARE(int(im()(17, 14)), 6);
    }

    void chineseListsStoreTheSameCodes() {
        open();
        test::pickFromList(w->Combo_pf1, 7);
        test::pickFromList(w->Combo_pf2, 1);
        const Image english = im();
        gui->main->runCommand("Language_chn");
        open();
        QCOMPARE(w->windowTitle(), QString("键设定"));
        QCOMPARE(w->Label_PF1->text(), QString("PF1"));
        QCOMPARE(w->Command_close->text(), QString("关闭"));
        QCOMPARE(w->Command_Help->text(), QString("帮助"));
        QCOMPARE(
            test::entries(w->Combo_pf1),
            (QStringList{"无", "自动拨号", "按键锁定", "按键锁定及备份", "监听", "监听瞬时", "扫描",
                         "扫描 + 暂时删除", "扰频器", "取消静噪", "瞬时取消静噪", "暂时删除"}));
        QCOMPARE(w->Combo_pf1->currentIndex(), 7);
        QCOMPARE(w->Combo_pf2->currentIndex(), 1);
        test::shot(gui->main.get(), "key_zh");
        test::shot(w, "key_zh_window");
        QTRY_COMPARE(test::clipped(w), QStringList());
        test::pickFromList(w->Combo_pf1, 0);
        test::pickFromList(w->Combo_pf1, 7);
        QCOMPARE(im(), english);
    }
};

QTEST_MAIN(KeyWindowTest)
#include "KeyWindowTest.moc"
