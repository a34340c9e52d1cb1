#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolBar>
#include <QWindow>
#include <QtTest>

#include "features/Form_Edit_scan.h"
#include "files/ChannelFileDialogs.h"
#include "adjust/AdjustGui.h"
#include "link/CommWindows.h"
#include "support/GuiFixture.h"
#include "support/RadioGui.h"

using namespace nv;

namespace {

const QString EnglishQuestion =
    "The channel parameters have changed since they were last opened, saved, read or written. "
    "Save them before leaving?";
const QString ChineseQuestion = "信道参数已修改，尚未保存到文件或写入对讲机。退出前要保存吗？";

// The ways a user ends the program: the two Exit items, the tool bar's Exit, and the window
// system's close request (the frame's close button and Alt+F4 both arrive as it).
const char* const ExitPaths[] = {"Menu_exit", "File_exit", "Toolbar1_Exit", "close request"};

void leave(MDImain* main, const QString& path) {
    if (path == "close request")
        main->windowHandle()->close();
    else
        main->findChild<QAction*>(path)->trigger();
    QApplication::processEvents();
}

// A change as a user makes it: the scan window's priority mode set to "Fixed".
void changeImage(test::Gui& gui) {
    gui.main->runCommand("Scan_edit");
    auto* scan = gui.window<Form_Edit_scan>("Form_Edit_scan");
    QVERIFY(scan);
    test::pickFromList(scan->Combo_pri, 1);
    QCOMPARE(gui.image()(22, 0), 1);
}

}  // namespace

class QuitQuestionTest : public QObject {
    Q_OBJECT
    std::unique_ptr<test::Gui> gui;
    QTemporaryDir dir;

    QList<test::RecordedQuestion>& questions() { return gui->messages->questions; }

  private slots:
    void init() {
        gui.reset();  // its recorder goes before the next one is installed
        gui = std::make_unique<test::Gui>();
        QVERIFY(test::activated(gui->main.get()));
    }
    void cleanup() { gui.reset(); }

    void nothingChangedEndsWithoutAsking() {
        for (const char* path : ExitPaths) {
            init();
            // Windows that tidy what they show while they decode it are no change.
            for (const char* item : {"Optional_edit", "Scan_edit", "Channel_edit"})
                gui->main->runCommand(item);
            leave(gui->main.get(), path);
            QVERIFY2(questions().isEmpty(), path);
            QVERIFY2(!gui->main->isVisible(), path);
        }
    }

    void cancelKeepsTheProgramAndTheImage() {
        for (const char* path : ExitPaths) {
            init();
            changeImage(*gui);
            const Image changed = gui->image();
            gui->messages->answer = QMessageBox::Cancel;
            leave(gui->main.get(), path);
            QCOMPARE(questions().size(), 1);
            QCOMPARE(questions()[0].title, QString("Operate prompt"));
            QCOMPARE(questions()[0].text, EnglishQuestion);
            QCOMPARE(questions()[0].buttons,
                     QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
            QVERIFY2(gui->main->isVisible(), path);
            QVERIFY(gui->main->child("frm_chann"));
            QCOMPARE(gui->image(), changed);
        }
    }

    void discardEnds() {
        for (const char* path : ExitPaths) {
            init();
            changeImage(*gui);
            gui->messages->answer = QMessageBox::Discard;
            leave(gui->main.get(), path);
            QCOMPARE(questions().size(), 1);
            QVERIFY2(!gui->main->isVisible(), path);
        }
    }

    void saveEndsOnlyOnceTheSaveSucceeded() {
        changeImage(*gui);
        gui->messages->answer = QMessageBox::Save;
        leave(gui->main.get(), "Menu_exit");
        auto* save = gui->window<Form_save_chann>("Form_save_chann");
        QVERIFY(save);
        QVERIFY(gui->main->isVisible());

        // A refused name keeps the dialog and the program.
        save->setDirectory(dir.path());
        save->Text1->setText("no suffix");
        QTest::mouseClick(save->Command_enter, Qt::LeftButton);
        QApplication::processEvents();
        QVERIFY(gui->main->isVisible());

        save->Text1->setText("leaving.chann");
        QTest::mouseClick(save->Command_enter, Qt::LeftButton);
        QTRY_VERIFY(!gui->main->isVisible());
        QCOMPARE(gui->messages->lastText(), QString("Complete storing channel parameter."));
        QVERIFY(QFile::exists(dir.filePath("leaving.chann")));
        QCOMPARE(questions().size(), 1);
    }

    void aCancelledSaveKeepsTheProgramAndAsksAgain() {
        changeImage(*gui);
        gui->messages->answer = QMessageBox::Save;
        leave(gui->main.get(), "close request");
        auto* save = gui->window<Form_save_chann>("Form_save_chann");
        QVERIFY(save);
        QTest::mouseClick(save->Command_close, Qt::LeftButton);
        QTRY_VERIFY(!gui->main->child("Form_save_chann"));
        QTest::qWait(20);
        QVERIFY(gui->main->isVisible());

        gui->messages->answer = QMessageBox::Discard;
        leave(gui->main.get(), "Toolbar1_Exit");
        QCOMPARE(questions().size(), 2);
        QVERIFY(!gui->main->isVisible());
    }

    void aSaveOrALoadOrAnUndoBackMakesTheImageKeptAgain() {
        changeImage(*gui);
        gui->main->runCommand("File_save");
        auto* save = gui->window<Form_save_chann>("Form_save_chann");
        save->setDirectory(dir.path());
        save->Text1->setText("kept.chann");
        QTest::mouseClick(save->Command_enter, Qt::LeftButton);
        QTRY_VERIFY(!gui->main->child("Form_save_chann"));
        leave(gui->main.get(), "File_exit");
        QVERIFY(questions().isEmpty());
        QVERIFY(!gui->main->isVisible());

        init();
        changeImage(*gui);
        gui->main->runCommand("File_Open");
        auto* open = gui->window<Form_open_chann>("Form_open_chann");
        open->setDirectory(dir.path());
        open->Text1->setText("kept.chann");
        QTest::mouseClick(open->Command_enter, Qt::LeftButton);
        QTRY_VERIFY(!gui->main->child("Form_open_chann"));
        QCOMPARE(gui->image()(22, 0), 1);
        leave(gui->main.get(), "Menu_exit");
        QVERIFY(questions().isEmpty());

        init();
        changeImage(*gui);
        QVERIFY(test::activated(gui->main.get()));
        gui->main->runCommand("Edit_undo");
        QCOMPARE(gui->image()(22, 0), 0);
        leave(gui->main.get(), "Menu_exit");
        QVERIFY(questions().isEmpty());
        QVERIFY(!gui->main->isVisible());
    }

    void questionInChinese() {
        gui->main->Language_chn_Click();
        changeImage(*gui);
        leave(gui->main.get(), "Menu_exit");
        QCOMPARE(questions().size(), 1);
        QCOMPARE(questions()[0].title, QString("操作提示"));
        QCOMPARE(questions()[0].text, ChineseQuestion);
    }
};

// The real box, with the toolkit's own button texts in the language of the moment.
class QuitBoxTest : public QObject {
    Q_OBJECT

    struct Seen {
        QString title, text;
        QStringList buttons;
        bool saveIsDefault = false;
    };

    // Shows the real question and presses `press` in it.
    static Seen answerRealBox(MDImain* main, QMessageBox::StandardButton press, const char* shot) {
        Seen seen;
        QTimer presser;
        presser.setInterval(10);
        QObject::connect(&presser, &QTimer::timeout, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            presser.stop();
            seen.title = box->windowTitle();
            seen.text = box->text();
            for (auto b : {QMessageBox::Save, QMessageBox::Discard, QMessageBox::Cancel})
                seen.buttons << (box->button(b) ? box->button(b)->text() : QString());
            seen.saveIsDefault = box->defaultButton() == box->button(QMessageBox::Save);
            test::shot(box, shot);
            QTest::mouseClick(box->button(press), Qt::LeftButton);
        });
        presser.start();
        main->findChild<QAction*>("Menu_exit")->trigger();
        return seen;
    }

  private slots:
    void standardButtonsInBothLanguages() {
        AppState state;
        auto world = std::make_shared<test::FakePortWorld>();
        world->openable = {1};
        MDImain main(state, test::fakePortLayer(world));
        main.Form_Load();
        state.RadioImage(1, 0) = 0x12;  // a changed receive frequency

        main.Language_chn_Click();
        Seen chinese = answerRealBox(&main, QMessageBox::Cancel, "quit_question_zh");
        QCOMPARE(chinese.title, QString("操作提示"));
        QCOMPARE(chinese.text, ChineseQuestion);
        QCOMPARE(chinese.buttons, (QStringList{"保存", "丢弃", "取消"}));
        QVERIFY(chinese.saveIsDefault);
        QVERIFY(main.isVisible());

        main.Language_eng_Click();
        Seen english = answerRealBox(&main, QMessageBox::Discard, "quit_question_en");
        QCOMPARE(english.title, QString("Operate prompt"));
        QCOMPARE(english.text, EnglishQuestion);
        QCOMPARE(english.buttons, (QStringList{"Save", "Discard", "Cancel"}));
        QVERIFY(!main.isVisible());
    }

    // Escape in the box is Cancel.
    void escapeCancels() {
        AppState state;
        auto world = std::make_shared<test::FakePortWorld>();
        MDImain main(state, test::fakePortLayer(world));
        main.Form_Load();
        state.RadioImage(1, 0) = 0x12;
        QTimer::singleShot(50, [] {
            if (QWidget* box = QApplication::activeModalWidget())
                QTest::keyClick(box, Qt::Key_Escape);
        });
        main.findChild<QAction*>("File_exit")->trigger();
        QVERIFY(main.isVisible());
    }
};

// Reading from and writing to the radio make the image kept, too.
class QuitAfterTransferTest : public QObject {
    Q_OBJECT
  private slots:
    void aCompletedReadOrWriteNeedsNoSave() {
        {
            test::RadioGui gui;
            gui.radio().memory[0x10] = 0x55;  // the radio differs from the start-up image
            QVERIFY(gui.read());
            QCOMPARE(gui.state->RadioImage(1, 0), 0x55);
            gui.main->findChild<QAction*>("Menu_exit")->trigger();
            QVERIFY(gui.messages->questions.isEmpty());
            QVERIFY(!gui.main->isVisible());
        }
        {
            test::RadioGui gui;
            gui.state->RadioImage(1, 0) = 0x45;
            QVERIFY(gui.transfer<Form_Comm_Write>("Prog_write"));
            QCOMPARE(gui.radio().memory[0x10], 0x45);
            gui.main->findChild<QAction*>("File_exit")->trigger();
            QVERIFY(gui.messages->questions.isEmpty());
            QVERIFY(!gui.main->isVisible());
        }
        {
            // A write that never completed leaves the image unsaved.
            test::RadioGui gui;
            gui.radio().fault = VirtualRadio::Fault::Silent;
            gui.state->RadioImage(1, 0) = 0x45;
            gui.main->runCommand("Prog_write");
            gui.main->findChild<QAction*>("File_exit")->trigger();
            QCOMPARE(gui.messages->questions.size(), 1);
            QVERIFY(gui.main->isVisible());
        }
    }
};


// Leaving while the radio is written: the real box, with Wait and Stop and quit.
class LeaveDuringTransferTest : public QObject {
    Q_OBJECT

    struct Seen {
        QString text;
        QStringList buttons;
        QList<QMessageBox::ButtonRole> roles;
        bool waitIsDefaultAndEscape = false;
    };

    // Presses Write with an image that differs from the radio everywhere it is written, and
    // returns once the radio has taken `rows` rows.
    static void startWrite(test::RadioGui& gui, int rows) {
        for (int r = 0; r <= 48; ++r) gui.state->RadioImage(r, 15) = 0x5A;
        gui.main->runCommand("Prog_write");
        auto* write = qobject_cast<Form_Comm_Write*>(gui.main->child("Form_Comm_Write"));
        QVERIFY(write);
        QTest::mouseClick(write->Command_start, Qt::LeftButton);
        QTRY_VERIFY(gui.radio().writesStored >= rows);
    }

    // Leaves by Exit and presses the button named `press` in the box that comes.
    static Seen leaveAnswering(MDImain* main, const char* press) {
        Seen seen;
        QTimer presser;
        presser.setInterval(5);
        QObject::connect(&presser, &QTimer::timeout, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            presser.stop();
            seen.text = box->text();
            for (QAbstractButton* b : box->buttons()) {
                seen.buttons << b->text();
                seen.roles << box->buttonRole(b);
            }
            auto* wait = box->findChild<QPushButton*>("Wait");
            seen.waitIsDefaultAndEscape =
                box->defaultButton() == wait && box->escapeButton() == wait;
            if (press) QTest::mouseClick(box->findChild<QPushButton*>(press), Qt::LeftButton);
        });
        presser.start();
        main->findChild<QAction*>("Menu_exit")->trigger();
        return seen;
    }

    static int rowsHolding(const VirtualRadio& radio, std::uint8_t value) {
        int n = 0;
        for (int r = 0; r <= 48; ++r) n += radio.memory[r * 16 + 15] == value;
        return n;
    }

  private slots:
    void waitLetsTheWriteFinish() {
        for (bool chinese : {false, true}) {
            test::RadioGui gui;
            if (chinese) gui.main->Language_chn_Click();
            startWrite(gui, 5);
            const Seen seen = leaveAnswering(gui.main.get(), "Wait");
            QCOMPARE(seen.buttons, chinese ? QStringList({"等待", "停止并退出"})
                                           : QStringList({"Wait", "Stop and quit"}));
            QCOMPARE(seen.roles, (QList<QMessageBox::ButtonRole>{QMessageBox::RejectRole,
                                                                  QMessageBox::DestructiveRole}));
            QVERIFY(seen.waitIsDefaultAndEscape);
            QVERIFY(seen.text.contains(chinese ? "必须重新写入" : "must be written again"));
            QVERIFY(gui.main->isVisible());
            QVERIFY(gui.waitForMessages(1));
            QCOMPARE(rowsHolding(gui.radio(), 0x5A), 49);
            QVERIFY(gui.radio().ended);
        }
    }

    // Unanswered while the write completes: nothing is left to stop, and leaving goes on.
    void aTransferThatEndsTakesTheQuestionAway() {
        test::RadioGui gui;
        startWrite(gui, 2);
        leaveAnswering(gui.main.get(), nullptr);
        QVERIFY(!gui.main->isVisible());
        QCOMPARE(rowsHolding(gui.radio(), 0x5A), 49);
        QVERIFY(gui.messages->questions.isEmpty());
    }

    void stopAndQuitEndsProgrammingModeThenAsksAboutTheImage() {
        test::RadioGui gui;
        startWrite(gui, 10);
        gui.messages->answer = QMessageBox::Discard;
        leaveAnswering(gui.main.get(), "StopAndQuit");
        QVERIFY(!gui.main->isVisible());
        // The radio left programming mode with part of the new configuration: the image was
        // never written whole, so leaving asked about it.
        QVERIFY(gui.radio().ended);
        const int taken = rowsHolding(gui.radio(), 0x5A);
        QVERIFY2(taken >= 10 && taken < 49, qPrintable(QString::number(taken)));
        QCOMPARE(gui.messages->questions.size(), 1);
        QTest::qWait(100);  // nothing more goes to the radio
        QCOMPARE(rowsHolding(gui.radio(), 0x5A), taken);
    }

    // The radio gets the image as it was when Write was pressed; what is edited meanwhile is
    // still unsaved work.
    void anEditDuringTheWriteStaysInTheEditor() {
        test::RadioGui gui;
        startWrite(gui, 3);
        gui.state->RadioImage(40, 15) = 0x11;
        QVERIFY(gui.waitForMessages(1));
        QCOMPARE(rowsHolding(gui.radio(), 0x5A), 49);
        gui.messages->answer = QMessageBox::Cancel;
        gui.main->findChild<QAction*>("File_exit")->trigger();
        QCOMPARE(gui.messages->questions.size(), 1);
        QVERIFY(gui.main->isVisible());
    }

    // The transfer question goes away as the write ends; the unsaved-work question that takes
    // its place (Discard where Stop and quit stood) takes no click at first.
    void theQuestionThatFollowsAVanishedOneTakesNoHastyClick() {
        test::RadioGui gui;
        startWrite(gui, 40);
        gui.state->RadioImage(40, 15) = 0x11;
        setQuestionHandler({});  // the real boxes
        bool hastyClickTaken = true;
        QTimer presser;
        presser.setInterval(5);
        QObject::connect(&presser, &QTimer::timeout, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->button(QMessageBox::Discard)) return;
            presser.stop();
            test::shot(box, "quit_question_armed");
            QTest::mouseClick(box->button(QMessageBox::Discard), Qt::LeftButton);
            QTest::keyClick(box, Qt::Key_Return);
            hastyClickTaken = !box->isVisible();
            QTRY_VERIFY(box->button(QMessageBox::Cancel)->isEnabled());
            QTest::mouseClick(box->button(QMessageBox::Cancel), Qt::LeftButton);
        });
        presser.start();
        gui.main->findChild<QAction*>("Menu_exit")->trigger();
        QVERIFY(!hastyClickTaken);
        QVERIFY(gui.main->isVisible());
    }

    void adjustmentEditsAreUnsavedWork() {
        QTemporaryDir dir;
        for (bool channelsToo : {false, true}) {
            test::AdjustGui gui;
            frm_Adj_Txp* adjust = gui.openAdjust();
            QVERIFY(adjust);
            test::pickFromList(adjust->Combo_Txp_H[2], 7);
            if (channelsToo) gui.state->RadioImage(1, 0) = 0x12;
            gui.messages->answer = QMessageBox::Save;
            gui.main->findChild<QAction*>("Menu_exit")->trigger();
            QCOMPARE(gui.messages->questions.size(), 1);
            QVERIFY(gui.messages->questions[0].text.contains(
                channelsToo ? "The channel parameters and the adjustment values have changed"
                            : "The adjustment values have changed"));
            if (channelsToo) {
                auto* channels = qobject_cast<FileDialog*>(gui.main->child("Form_save_chann"));
                QVERIFY(channels);
                channels->setDirectory(dir.path());
                channels->Text1->setText("both.chann");
                QTest::mouseClick(channels->Command_enter, Qt::LeftButton);
            }
            FileDialog* save = nullptr;
            QTRY_VERIFY((save = qobject_cast<FileDialog*>(gui.main->child("Form_save_adj"))));
            QVERIFY(gui.main->isVisible());
            save->setDirectory(dir.path());
            save->Text1->setText("leaving.adj");
            QTest::mouseClick(save->Command_enter, Qt::LeftButton);
            QTRY_VERIFY(!gui.main->isVisible());
            QVERIFY(QFile::exists(dir.filePath("leaving.adj")));
            QCOMPARE(QFile::exists(dir.filePath("both.chann")), channelsToo);
        }
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    int status = 0;
    {
        QuitQuestionTest t;
        status |= QTest::qExec(&t, argc, argv);
    }
    {
        QuitBoxTest t;
        status |= QTest::qExec(&t, argc, argv);
    }
    {
        QuitAfterTransferTest t;
        status |= QTest::qExec(&t, argc, argv);
    }
    {
        LeaveDuringTransferTest t;
        status |= QTest::qExec(&t, argc, argv);
    }
    return status;
}

#include "QuitQuestionTest.moc"
