#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "features/FeatureWindowSupport.h"
#include "features/Form_Edit_scan.h"
#include "support/Typing.h"

using namespace nv;
using test::row;

class ScanWindowTest : public QObject {
    Q_OBJECT
    std::unique_ptr<test::Gui> gui;
    Form_Edit_scan* w = nullptr;

    Image& im() { return gui->image(); }
    void open() {
        gui->main->runCommand("Scan_edit");
        w = gui->window<Form_Edit_scan>("Form_Edit_scan");
        QVERIFY(w);
    }
    void setRow(std::initializer_list<int> cells) {
        int c = 0;
        for (int v : cells) im()(22, c++) = static_cast<Int16>(v);
    }
    bool greyed(QWidget* box) {
        return !box->isEnabled() &&
               box->palette().color(QPalette::Base) == w->palette().color(QPalette::Button);
    }
    int messages() const { return static_cast<int>(gui->messages->messages.size()); }

  private slots:
    void init() {
        gui = std::make_unique<test::Gui>();
        QVERIFY(test::activated(gui->main.get()));
    }
    void cleanup() { gui.reset(); }

    void factoryDefaultsShowAsDescribed() {
        const Image before = im();
        open();
        QCOMPARE(w->windowTitle(), QString("Scan Information"));
        QCOMPARE(w->Label_pri->text(), QString("Priority"));
        QCOMPARE(w->Label_prich->text(), QString("Priority Channel"));
        QCOMPARE(w->Label_BA->text(), QString("Look Back Time A(s)"));
        QCOMPARE(w->Label_BB->text(), QString("Look Back Time B(s)"));
        QCOMPARE(w->Label_BC->text(), QString("Revert Channel"));
        QCOMPARE(w->Label_RYC->text(), QString("Dropout Delay Time (s)"));
        QCOMPARE(w->Label_TYC->text(), QString("TX Dwell Time (s)"));
        QCOMPARE(w->Command_close->text(), QString("Close"));
        QCOMPARE(w->Command_Help->text(), QString("Help"));
        QCOMPARE(test::entries(w->Combo_pri), (QStringList{"None", "Fixed", "Selected"}));
        QCOMPARE(w->Combo_BA->count(), 91);
        QCOMPARE(w->Combo_BA->itemText(0), QString("0.50"));
        QCOMPARE(w->Combo_BA->itemText(10), QString("1.00"));
        QCOMPARE(w->Combo_BB->itemText(90), QString("5.00"));
        QCOMPARE(w->Combo_RYC->count(), 301);
        QCOMPARE(w->Combo_TYC->itemText(300), QString("300"));
        QCOMPARE(test::entries(w->Combo_BC), (QStringList{"Selected", "Selected+Talk Back"}));

        QCOMPARE(w->Combo_pri->currentText(), QString("None"));
        QCOMPARE(w->Text_prich->text(), QString());
        QVERIFY(greyed(w->Text_prich));
        QCOMPARE(w->Combo_BA->currentText(), QString("2.00"));
        QCOMPARE(w->Combo_BB->currentText(), QString("3.00"));
        QVERIFY(greyed(w->Combo_BA));
        QVERIFY(greyed(w->Combo_BB));
        QCOMPARE(w->Combo_BC->currentText(), QString("Selected+Talk Back"));
        QCOMPARE(w->Combo_RYC->currentText(), QString("3"));
        QCOMPARE(w->Combo_TYC->currentText(), QString("3"));
        QCOMPARE(im(), before);
        test::shot(gui->main.get(), "scan_en");
        test::shot(w, "scan_en_window");
        QTRY_COMPARE(test::clipped(w), QStringList());
    }

    void lookBackTimesSkipTheStoredOne() {
        setRow({1, 255, 1, 92});
        open();
        QCOMPARE(w->Combo_BA->currentText(), QString("0.50"));
        QCOMPARE(w->Combo_BB->currentText(), QString("4.95"));
        QCOMPARE(int(im()(22, 2)), 0);
        QCOMPARE(int(im()(22, 3)), 90);
        test::pickFromList(w->Combo_BA, 1);
        QCOMPARE(int(im()(22, 2)), 2);
        test::pickFromList(w->Combo_BA, 90);
        QCOMPARE(int(im()(22, 2)), 91);
        test::pickFromList(w->Combo_BA, 0);
        QCOMPARE(int(im()(22, 2)), 0);
        test::pickFromList(w->Combo_BB, 1);
        QCOMPARE(int(im()(22, 3)), 2);
    }

    void revertListFollowsThePriorityMode() {
        setRow({1, 255, 31, 51, 0});
        open();
        QCOMPARE(test::entries(w->Combo_BC),
                 (QStringList{"Selected", "Selected+Talk Back", "Priority", "Priority+Talk Back"}));
        test::pickFromList(w->Combo_pri, 2);  // fixed to selected while the code is 0
        QCOMPARE(int(im()(22, 0)), 2);
        QCOMPARE(test::entries(w->Combo_BC), (QStringList{"Priority", "Priority+Talk Back"}));
        QCOMPARE(w->Combo_BC->currentText(), QString("Priority"));
        QCOMPARE(int(im()(22, 4)), 2);
        test::pickFromList(w->Combo_BC, 1);
        QCOMPARE(int(im()(22, 4)), 3);

        test::pickFromList(w->Combo_pri, 1);
        QCOMPARE(w->Combo_BC->currentText(), QString("Priority+Talk Back"));
        test::pickFromList(w->Combo_pri, 0);  // fixed to none while the code is 3
        QCOMPARE(w->Combo_BC->currentIndex(), 1);
        QCOMPARE(int(im()(22, 4)), 1);
        QVERIFY(greyed(w->Combo_BA));
        test::pickFromList(w->Combo_BC, 0);
        QCOMPARE(int(im()(22, 4)), 0);
    }

    void fixedChannelRangeIsCheckedAsTyped() {
        setRow({1, 255});
        open();
        QVERIFY(w->Text_prich->isEnabled());
        test::focusAndType(w->Text_prich, "1");
        QCOMPARE(int(im()(22, 1)), 1);
        QTest::keyClicks(w->Text_prich, "7");
        QCOMPARE(messages(), 1);
        QCOMPARE(gui->messages->lastTitle(), QString("Operate prompt"));
        QCOMPARE(gui->messages->lastText(), QString("Priority channel is between 1 - 16 !"));
        QCOMPARE(w->Text_prich->text(), QString());
        QCOMPARE(int(im()(22, 1)), 255);
        QTest::keyClicks(w->Text_prich, "16");
        QCOMPARE(int(im()(22, 1)), 16);
        QCOMPARE(messages(), 1);
        QTest::keyClicks(w->Text_prich, "5");               // a third digit is refused
        QTest::keyClick(w->Text_prich, Qt::Key_Backspace);  // and so is Backspace
        QCOMPARE(w->Text_prich->text(), QString("16"));
        w->Text_prich->setCursorPosition(0);
        QTest::keyClick(w->Text_prich, Qt::Key_Delete);
        QCOMPARE(w->Text_prich->text(), QString("6"));
        QCOMPARE(int(im()(22, 1)), 6);
        QTest::keyClicks(w->Text_prich, "x");
        QCOMPARE(w->Text_prich->text(), QString("6"));
        w->Text_prich->selectAll();
        QTest::keyClick(w->Text_prich, Qt::Key_Delete);
        QCOMPARE(int(im()(22, 1)), 255);
        QCOMPARE(messages(), 1);
    }

    void theChineseWarningAndTheZeroChannel() {
        gui->main->runCommand("Language_chn");
        setRow({1, 3});
        open();
        QCOMPARE(w->Text_prich->text(), QString("3"));
        w->Text_prich->selectAll();
        QTest::keyClick(w->Text_prich, Qt::Key_Delete);
        QTest::keyClicks(w->Text_prich, "0");
        QCOMPARE(messages(), 1);
        QCOMPARE(gui->messages->lastTitle(), QString("操作提示"));
        QCOMPARE(gui->messages->lastText(), QString("优先信道号在 1 - 16 之间 ！"));
        QCOMPARE(int(im()(22, 1)), 255);
    }

    // A pasted text that is not a whole number from 1 to 16 gets the warning and 255, never a
    // channel made of a part of it.
    void pastedChannelTextIsAWholeNumberOrRefused() {
        setRow({1, 255});
        open();
        const std::pair<const char*, int> refused[] = {
            {"123", 255}, {"3.7", 255}, {"x5", 255}, {"99999999999999999999", 255},
            {"17", 255},  {"1 6", 255}, {"１２", 255}};
        int warnings = 0;
        for (const auto& [text, stored] : refused) {
            im()(22, 1) = 7;
            w->Text_prich->selectAll();
            test::pasteInto(w->Text_prich, QString::fromUtf8(text));
            QCOMPARE(messages(), ++warnings);
            QCOMPARE(gui->messages->lastText(), QString("Priority channel is between 1 - 16 !"));
            QCOMPARE(w->Text_prich->text(), QString());
            QCOMPARE(int(im()(22, 1)), stored);
        }
        w->Text_prich->selectAll();
        test::pasteInto(w->Text_prich, " 12 ");
        QCOMPARE(w->Text_prich->text(), QString("12"));
        QCOMPARE(int(im()(22, 1)), 12);
        w->Text_prich->selectAll();
        test::pasteInto(w->Text_prich, "05");
        QCOMPARE(w->Text_prich->text(), QString("5"));
        QCOMPARE(int(im()(22, 1)), 5);
        QCOMPARE(messages(), warnings);

        // Ctrl+V, as a user pastes, and in Chinese.
        gui->main->Language_chn_Click();
        QApplication::clipboard()->setText("123");
        w->Text_prich->setFocus();
        w->Text_prich->selectAll();
        QTest::keyClick(w->Text_prich, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(gui->messages->lastText(), QString("优先信道号在 1 - 16 之间 ！"));
        QCOMPARE(gui->messages->lastTitle(), QString("操作提示"));
        QCOMPARE(int(im()(22, 1)), 255);
    }

    void selectingFixedModeShowsTheStoredChannelOrNone() {
        setRow({0, 255});
        open();
        test::pickFromList(w->Combo_pri, 1);
        QCOMPARE(w->Text_prich->text(), QString());
        QCOMPARE(int(im()(22, 1)), 255);
        QCOMPARE(messages(), 0);
        QVERIFY(w->Text_prich->isEnabled());
        QVERIFY(w->Combo_BA->isEnabled());
        test::focusAndType(w->Text_prich, "9");
        test::pickFromList(w->Combo_pri, 2);  // the box empties; the cell keeps the channel
        QCOMPARE(w->Text_prich->text(), QString());
        QVERIFY(greyed(w->Text_prich));
        QVERIFY(w->Combo_BA->isEnabled());
        QCOMPARE(int(im()(22, 1)), 9);
        test::pickFromList(w->Combo_pri, 1);
        QCOMPARE(w->Text_prich->text(), QString("9"));
        im()(22, 1) = 40;
        test::pickFromList(w->Combo_pri, 0);
        test::pickFromList(w->Combo_pri, 1);  // a channel beyond 16 is emptied and stored as 255
        QCOMPARE(w->Text_prich->text(), QString());
        QCOMPARE(int(im()(22, 1)), 255);
        QCOMPARE(messages(), 0);
        test::shot(w, "scan_en_fixed");
        QTRY_COMPARE(test::clipped(w), QStringList());
    }

    void secondsAreStoredInTwoBytes() {
        setRow({0, 255, 31, 51, 1, 255, 255, 0, 0});
        open();
        QCOMPARE(w->Combo_RYC->currentText(), QString("300"));
        QCOMPARE(int(im()(22, 5)), 44);
        QCOMPARE(int(im()(22, 6)), 1);
        QCOMPARE(w->Combo_TYC->currentText(), QString("0"));
        test::pickFromList(w->Combo_TYC, 256);
        QCOMPARE(int(im()(22, 7)), 0);
        QCOMPARE(int(im()(22, 8)), 1);
        test::pickFromList(w->Combo_RYC, 255);
        QCOMPARE(int(im()(22, 5)), 255);
        QCOMPARE(int(im()(22, 6)), 0);
    }

    void onlyCells0To8OfRow22Change() {
        test::fillNeighbourhood(im());
        const Image before = im();
        open();
        test::pickFromList(w->Combo_pri, 1);
        test::focusAndType(w->Text_prich, "4");
        test::pickFromList(w->Combo_BA, 5);
        test::pickFromList(w->Combo_BB, 7);
        test::pickFromList(w->Combo_BC, 3);
        test::pickFromList(w->Combo_RYC, 299);
        test::pickFromList(w->Combo_TYC, 10);
        test::pickFromList(w->Combo_pri, 2);
        const QString stray = test::changeOutside(before, im(), {{22, 0, 8}});
        QVERIFY2(stray.isEmpty(), qPrintable(stray));
        QCOMPARE(row(im(), 22).mid(0, 9), (QList<int>{2, 4, 6, 8, 3, 43, 1, 10, 0}));
    }

    void chineseWindowShowsTheSameSelections() {
        setRow({1, 7, 41, 61, 3, 20, 0, 30, 0});
        open();
        const QList<QComboBox*> lists = {w->Combo_pri, w->Combo_BA,  w->Combo_BB,
                                         w->Combo_BC,  w->Combo_RYC, w->Combo_TYC};
        QList<int> english;
        for (QComboBox* c : lists) english << c->currentIndex();
        const Image stored = im();
        gui->main->runCommand("Language_chn");
        open();
        QCOMPARE(w->windowTitle(), QString("扫描信息"));
        QCOMPARE(w->Label_pri->text(), QString("优先"));
        QCOMPARE(w->Label_prich->text(), QString("优先信道"));
        QCOMPARE(w->Label_BA->text(), QString("回扫时间 A(秒)"));
        QCOMPARE(w->Label_BB->text(), QString("回扫时间 B(秒)"));
        QCOMPARE(w->Label_BC->text(), QString("返回信道"));
        QCOMPARE(w->Label_RYC->text(), QString("扫描接收恢复延迟时间(秒)"));
        QCOMPARE(w->Label_TYC->text(), QString("扫描发射恢复延迟时间(秒)"));
        QCOMPARE(w->Command_close->text(), QString("关闭"));
        QCOMPARE(w->Command_Help->text(), QString("帮助"));
        QCOMPARE(test::entries(w->Combo_pri), (QStringList{"无", "固定", "选定"}));
        QCOMPARE(test::entries(w->Combo_BC),
                 (QStringList{"选定", "选定+当前通话", "优先", "优先+当前通话"}));
        QList<int> chinese;
        for (QComboBox* c :
             {w->Combo_pri, w->Combo_BA, w->Combo_BB, w->Combo_BC, w->Combo_RYC, w->Combo_TYC})
            chinese << c->currentIndex();
        QCOMPARE(chinese, english);
        QCOMPARE(w->Text_prich->text(), QString("7"));
        QCOMPARE(im(), stored);
        test::shot(gui->main.get(), "scan_zh");
        test::shot(w, "scan_zh_window");
        QTRY_COMPARE(test::clipped(w), QStringList());
        test::pickFromList(w->Combo_pri, 2);
        QCOMPARE(test::entries(w->Combo_BC), (QStringList{"优先", "优先+当前通话"}));
        QCOMPARE(int(im()(22, 4)), 3);
        test::pickFromList(w->Combo_pri, 0);
        QCOMPARE(test::entries(w->Combo_BC), (QStringList{"选定", "选定+当前通话"}));
        QCOMPARE(int(im()(22, 4)), 1);
    }

    // A language switch leaves the open window's captions alone; its revert list alone is
    // refilled in the language of the moment when the window is next activated.
    void revertListTakesTheLanguageOfTheMomentOnActivation() {
        setRow({1, 7, 41, 61, 3, 20, 0, 30, 0});
        open();
        gui->main->runCommand("Language_chn");
        test::reactivate(*gui->main, w, gui->window<QWidget>("frm_chann"));
        QCOMPARE(w->Label_BC->text(), QString("Revert Channel"));
        QCOMPARE(test::entries(w->Combo_pri), (QStringList{"None", "Fixed", "Selected"}));
        QCOMPARE(test::entries(w->Combo_BC),
                 (QStringList{"选定", "选定+当前通话", "优先", "优先+当前通话"}));
        QCOMPARE(w->Combo_BC->currentIndex(), 3);
        QCOMPARE(int(im()(22, 4)), 3);
    }
};

QTEST_MAIN(ScanWindowTest)
#include "ScanWindowTest.moc"
