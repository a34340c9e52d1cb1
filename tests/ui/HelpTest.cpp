// The user guide: every Help button and F1 open the page of their window, in the language of
// the moment; links between pages work; every page exists in both languages.

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QTextBrowser>
#include <QtTest>

#include "support/GuiFixture.h"
#include "widgets/HelpWindow.h"

using namespace nv;

class HelpTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::Gui> gui;

    HelpWindow* help() { return gui->main->findChild<HelpWindow*>("HelpWindow"); }
    QString shownPage() {
        HelpWindow* h = help();
        return h && h->isVisible() ? h->Text_guide->source().toString() : QString();
    }
    static QString url(const char* lang, const char* page) {
        return QStringLiteral("qrc:/guide/%1/%2").arg(lang, page);
    }
    void chinese(bool on) {
        if (on)
            gui->main->Language_chn_Click();
        else
            gui->main->Language_eng_Click();
    }

  private slots:
    void init() { gui = std::make_unique<test::Gui>(); }
    void cleanup() { gui.reset(); }

    void helpButtonsOpenTheirWindowsPageInTheLanguageOfTheMoment_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("page");
        QTest::newRow("grid") << "Channel_edit"
                              << "frm_chann"
                              << "Command_help"
                              << "channels.md";
        QTest::newRow("options") << "Optional_edit"
                                 << "frm_option"
                                 << "Command_Help"
                                 << "options.md";
        QTest::newRow("scan") << "Scan_edit"
                              << "Form_Edit_scan"
                              << "Command_Help"
                              << "scan.md";
        QTest::newRow("keys") << "key_edit"
                              << "Form_edit_Key"
                              << "Command_Help"
                              << "keys.md";
        QTest::newRow("message") << "Message_edit"
                                 << "Form_Edit_Message"
                                 << "Command_Help"
                                 << "message.md";
        QTest::newRow("read") << "Prog_read"
                              << "Form_Comm_Read"
                              << "Command_Help"
                              << "link.md";
        QTest::newRow("write") << "Prog_write"
                               << "Form_Comm_Write"
                               << "Command_Help"
                               << "link.md";
        QTest::newRow("station") << "Prog_station"
                                 << "Form_Station"
                                 << "Command_Help"
                                 << "station.md";
        QTest::newRow("test frequencies") << "Test_edit"
                                          << "Form_Edit_Test"
                                          << "Command_Help"
                                          << "adjust.md";
    }
    void helpButtonsOpenTheirWindowsPageInTheLanguageOfTheMoment() {
        QFETCH(QString, command);
        QFETCH(QString, window);
        QFETCH(QString, button);
        QFETCH(QString, page);
        gui->main->runCommand(command);
        MdiChild* w = gui->main->child(window);
        QVERIFY(w);
        auto* b = w->findChild<QPushButton*>(button);
        QVERIFY(b);
        QTest::mouseClick(b, Qt::LeftButton);
        QCOMPARE(shownPage(), url("en", page.toLatin1()));
        // The window stays in English; the page follows the language switched to since.
        chinese(true);
        QTest::mouseClick(b, Qt::LeftButton);
        QCOMPARE(shownPage(), url("zh", page.toLatin1()));
        QCOMPARE(gui->main->findChildren<HelpWindow*>().size(), 1);
    }

    void channelEditHelpOpensItsPage() {
        gui->main->runCommand("Channel_edit");
        auto* edit = gui->window<MdiChild>("frm_chann")->findChild<QPushButton*>("Command_Edit");
        QTest::mouseClick(edit, Qt::LeftButton);
        MdiChild* dialog = gui->main->child("Form_Chann_Edit");
        QVERIFY(dialog);
        QTest::mouseClick(dialog->findChild<QPushButton*>("Command_Help"), Qt::LeftButton);
        QCOMPARE(shownPage(), url("en", "channel-edit.md"));
    }

    void f1OpensTheActiveWindowsPage() {
        QVERIFY(test::activated(gui->main.get()));
        gui->main->runCommand("Scan_edit");
        QTRY_VERIFY(QApplication::focusWidget());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
        QCOMPARE(shownPage(), url("en", "scan.md"));

        chinese(true);
        gui->main->runCommand("Channel_edit");
        QVERIFY(test::activated(gui->main.get()));
        QTRY_VERIFY(QApplication::focusWidget());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
        QCOMPARE(shownPage(), url("zh", "channels.md"));

        gui->main->runCommand("Prog_station");
        QVERIFY(test::activated(gui->main.get()));
        QTRY_VERIFY(QApplication::focusWidget());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
        QCOMPARE(shownPage(), url("zh", "station.md"));
        test::shot(help(), "help-channels-zh");
    }

    void f1WithoutAWindowShowsTheMainWindowsPage() {
        gui->main->workArea()->closeAllSubWindows();
        QVERIFY(test::activated(gui->main.get()));
        QTest::keyClick(gui->main.get(), Qt::Key_F1);
        QCOMPARE(shownPage(), url("en", "main-window.md"));
    }

    void theGuideIsTitledByItsPageEscapeClosesItAboutSaysWhereItIs() {
        gui->main->runCommand("Help_guide");
        QCOMPARE(help()->windowTitle(), QString("NV-742 programming software: user guide"));
        QVERIFY(test::activated(help()));
        QTest::keyClick(help()->Text_guide, Qt::Key_Escape);
        QVERIFY(!help()->isVisible());
        gui->main->runCommand("Help_about");
        QVERIFY2(gui->messages->lastText().startsWith("NV-742 programming software V13.10.25\n"
                                                      "Licence: GNU General Public License"),
                 qPrintable(gui->messages->lastText()));
        QVERIFY(gui->messages->lastText().endsWith("/guide"));
    }

    void f1IsTheOnlyShortcutOnItsKey() {
        gui->main->runCommand("Channel_edit");
        int holders = 0;
        for (QAction* a : gui->main->findChildren<QAction*>())
            if (a->shortcuts().contains(QKeySequence(Qt::Key_F1))) ++holders;
        QCOMPARE(holders, 1);
    }

    void helpMenuIsLastAndOpensTheFirstPageInBothLanguages() {
        QList<QAction*> bar = gui->main->menuBar()->actions();
        QList<QAction*> visible;
        for (QAction* a : bar)
            if (a->isVisible()) visible << a;
        QCOMPARE(visible.last()->objectName(), QString("Help"));
        QCOMPARE(visible.last()->text(), QString("Help"));
        auto* guide = gui->main->findChild<QAction*>("Help_guide");
        QVERIFY(guide && gui->main->findChild<QAction*>("Help_window"));
        guide->trigger();
        QCOMPARE(shownPage(), url("en", "index.md"));
        chinese(true);
        QCOMPARE(visible.last()->text(), QString("帮助"));
        QCOMPARE(guide->text(), QString("用户指南"));
        guide->trigger();
        QCOMPARE(shownPage(), url("zh", "index.md"));
        test::shot(help(), "help-window-zh");
        chinese(false);
        guide->trigger();
        test::shot(help(), "help-window-en");
    }

    void linksBetweenPagesWork() {
        gui->main->findChild<QAction*>("Help_guide")->trigger();
        QTextBrowser* browser = help()->Text_guide;
        QVERIFY(browser->toHtml().contains("channels.md"));
        // A click on the link, as a user follows it.
        QTextCursor found = browser->document()->find("Channel grid");
        QVERIFY(!found.isNull());
        QTextCursor at(browser->document());
        at.setPosition(found.selectionStart() + 2);
        const QPoint point = browser->cursorRect(at).center();
        QTest::mouseClick(browser->viewport(), Qt::LeftButton, {}, point);
        QCOMPARE(browser->source().toString(), url("en", "channels.md"));
        QVERIFY(browser->toPlainText().contains("RX Frequency"));
        browser->backward();
        QCOMPARE(browser->source().toString(), url("en", "index.md"));
    }

    void everyPageExistsInBothLanguagesAndEveryLinkLeadsToAPage() {
        const QStringList en = QDir(":/guide/en").entryList({"*.md"});
        QVERIFY(en.size() >= 12);
        QCOMPARE(QDir(":/guide/zh").entryList({"*.md"}), en);
        const QRegularExpression link(R"(\]\(([^)]+\.md)\))");
        for (const char* lang : {"en", "zh"})
            for (const QString& page : en) {
                QFile f(QStringLiteral(":/guide/%1/%2").arg(lang, page));
                QVERIFY(f.open(QIODevice::ReadOnly));
                const QString text = QString::fromUtf8(f.readAll());
                QVERIFY2(text.startsWith("# "), qPrintable(page));
                for (auto m = link.globalMatch(text); m.hasNext();) {
                    const QString target = m.next().captured(1);
                    QVERIFY2(en.contains(target), qPrintable(page + " -> " + target));
                }
            }
        for (const char* name : {"frm_chann", "Form_Chann_Edit", "frm_option", "Form_Edit_scan",
                                 "Form_edit_Key", "Form_Edit_Message", "Form_Comm_Read",
                                 "Form_Comm_Compare", "frm_Adj_Txp", "Form_setup", "Form_Station"})
            QVERIFY2(en.contains(HelpWindow::pageFor(name)), name);
    }
};

QTEST_MAIN(HelpTest)
#include "HelpTest.moc"
