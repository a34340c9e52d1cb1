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
    return status;
}

#include "QuitQuestionTest.moc"
