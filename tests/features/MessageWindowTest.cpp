#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "features/FeatureWindowSupport.h"
#include "features/Form_Edit_Message.h"

using namespace nv;
using test::codes;
using test::row;

class MessageWindowTest : public QObject {
    Q_OBJECT
    std::unique_ptr<test::Gui> gui;
    Form_Edit_Message* w = nullptr;

    Image& im() { return gui->image(); }
    void open() {
        w = qobject_cast<Form_Edit_Message*>(gui->main->openWindow("Form_Edit_Message"));
        QVERIFY(w);
    }
    QString storedLine(int first) {
        QString t;
        for (int n = 0; n < 32; ++n) {
            const int v = im()(first + n / 16, n % 16);
            if (v == 255) break;
            t += QChar(v);
        }
        return t;
    }

  private slots:
    void init() {
        gui = std::make_unique<test::Gui>();
        QVERIFY(test::activated(gui->main.get()));
    }
    void cleanup() { gui.reset(); }

    void captionsInBothLanguages() {
        open();
        QCOMPARE(w->windowTitle(), QString("Embedded Message"));
        QCOMPARE(w->Command_close->text(), QString("Close"));
        QCOMPARE(w->Command_Help->text(), QString("Help"));
        QCOMPARE(w->Text_MS1->text(), QString());
        test::focusAndType(w->Text_MS1, "NV-742 DEALER");
        test::focusAndType(w->Text_MS2, "Line two");
        test::shot(gui->main.get(), "message_en");
        test::shot(w, "message_en_window");
        QTRY_COMPARE(test::clipped(w), QStringList());
        gui->main->runCommand("Language_chn");
        open();
        QCOMPARE(w->windowTitle(), QString("嵌入信息"));
        QCOMPARE(w->Command_close->text(), QString("关闭"));
        QCOMPARE(w->Command_Help->text(), QString("帮助"));
        QCOMPARE(w->Text_MS1->text(), QString("NV-742 DEALER"));
        test::shot(gui->main.get(), "message_zh");
        test::shot(w, "message_zh_window");
        QTRY_COMPARE(test::clipped(w), QStringList());
    }

    void typedLinesFillTheirRows() {
        test::fillNeighbourhood(im());
        const Image before = im();
        open();
        QCOMPARE(im(), before);  // showing stores nothing
        w->Text_MS1->selectAll();
        QTest::keyClick(w->Text_MS1, Qt::Key_Delete);
        test::focusAndType(w->Text_MS1, "HELLO");
        QCOMPARE(row(im(), 48), codes({72, 69, 76, 76, 79}));
        QCOMPARE(row(im(), 49), codes({}));
        test::focusAndType(w->Text_MS1, "ABCDEFGHIJKLMNO");  // 20 characters in all
        QCOMPARE(storedLine(48), QString("HELLOABCDEFGHIJKLMNO"));
        QCOMPARE(row(im(), 49), codes({76, 77, 78, 79}));
        const QString stray = test::changeOutside(before, im(), {{48, 0, 15}, {49, 0, 15}});
        QVERIFY2(stray.isEmpty(), qPrintable(stray));
        w->Text_MS2->selectAll();
        test::focusAndType(w->Text_MS2, "2");
        QCOMPARE(row(im(), 50), codes({50}));
        QCOMPARE(row(im(), 51), codes({}));
        const QString stray2 =
            test::changeOutside(before, im(), {{48, 0, 15}, {49, 0, 15}, {50, 0, 15}, {51, 0, 15}});
        QVERIFY2(stray2.isEmpty(), qPrintable(stray2));
    }

    void aFullLineTakesNoFurtherKey() {
        open();
        const QString full(32, 'x');
        test::focusAndType(w->Text_MS1, full);
        QCOMPARE(storedLine(48), full);
        QTest::keyClicks(w->Text_MS1, "y ");
        QTest::keyClick(w->Text_MS1, Qt::Key_Backspace);
        QCOMPARE(w->Text_MS1->text(), full);
        w->Text_MS1->setCursorPosition(0);
        QTest::keyClick(w->Text_MS1, Qt::Key_Delete);  // Delete still works
        QCOMPARE(storedLine(48), QString(31, 'x'));
        QTest::keyClick(w->Text_MS1, Qt::Key_Backspace);  // at the start: nothing to remove
        QTest::keyClicks(w->Text_MS1, "A");
        QCOMPARE(storedLine(48), "A" + QString(31, 'x'));
    }

    // As described, the blank (code 32) was dropped when a line was shown, so "HELLO WORLD"
    // came back as "HELLOWORLD" and the next edit stored it so.
    void innerBlanksSurviveShowingAgain() {
        open();
        test::focusAndType(w->Text_MS1, "  HELLO WORLD  ");
        QCOMPARE(storedLine(48), QString("HELLO WORLD"));  // outer blanks are not stored
        test::reactivate(*gui->main, w, gui->window<QWidget>("frm_chann"));
        QCOMPARE(w->Text_MS1->text(), QString("HELLO WORLD"));
        test::focusAndType(w->Text_MS1, "!");
        QCOMPARE(storedLine(48), QString("HELLO WORLD!"));

        for (int c = 0; c < 16; ++c) im()(50, c) = 255;
        im()(50, 0) = 'A';
        im()(50, 1) = ' ';
        im()(50, 2) = 'B';
        im()(50, 3) = 127;
        im()(50, 4) = 200;
        im()(50, 5) = 'C';
        const QList<int> stored = row(im(), 50);
        test::reactivate(*gui->main, w, gui->window<QWidget>("frm_chann"));
        QCOMPARE(w->Text_MS2->text(), QString("A BC"));
        QCOMPARE(row(im(), 50), stored);  // rows change only when the user edits the line
        w->Text_MS2->end(false);
        QTest::keyClicks(w->Text_MS2, "D");
        QCOMPARE(row(im(), 50), codes({'A', ' ', 'B', 'C', 'D'}));
    }

    // Only printable single-byte characters reach the rows, typed or pasted; a paste is cut to
    // a line.
    void charactersTheRadioCannotShowAreRefused() {
        open();
        test::typeCharacters(w->Text_MS1, QString::fromUtf8("Grüße 中"));
        QCOMPARE(w->Text_MS1->text(), QString("Gre "));
        QCOMPARE(storedLine(48), QString("Gre"));
        w->Text_MS1->selectAll();
        test::paste(w->Text_MS1, QString::fromUtf8("Tab\there\nnext ünï ") + QString(40, 'z'));
        QCOMPARE(w->Text_MS1->text(), "Tab here next n " + QString(16, 'z'));
        QCOMPARE(w->Text_MS1->text().size(), 32);
        QCOMPARE(storedLine(48), w->Text_MS1->text());
        for (int r = 48; r <= 49; ++r)
            for (int c = 0; c < 16; ++c) {
                const int v = im()(r, c);
                QVERIFY(v >= 32 && v <= 126);
            }
        w->Text_MS1->selectAll();
        test::paste(w->Text_MS1, QString(40, 'q'));
        QCOMPARE(w->Text_MS1->text(), QString(32, 'q'));
        QCOMPARE(storedLine(48), QString(32, 'q'));
        QCOMPARE(row(im(), 50), codes({}));
    }
};

QTEST_MAIN(MessageWindowTest)
#include "MessageWindowTest.moc"
