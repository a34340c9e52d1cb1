// The channel sheet: the PDF of nv742-cli print and of the File menu, read back as text with
// pdftotext, and the menu's Print… and Export PDF… items.

#include <unistd.h>

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QPrintPreviewDialog>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "channels/ChannelRecord.h"
#include "core/Frequency.h"
#include "core/Startup.h"
#include "features/FeatureTexts.h"
#include "features/Form_Edit_scan.h"
#include "features/frm_option.h"
#include "files/ChannelFileDialogs.h"
#include "files/ChannelSheet.h"
#include "support/CliProcess.h"
#include "support/GuiFixture.h"
#include "support/RadioGui.h"
#include "widgets/FileChoice.h"

using namespace nv;
using namespace nv::test;

namespace {
AppState startedState() {
    AppState s;
    initialiseGlobals(s);
    buildTables(s);
    buildDefaults(s);
    return s;
}

// The page's text, words joined by single blanks.
QString pdfText(const QString& pdf) {
    QProcess p;
    p.start("pdftotext", {"-layout", "-enc", "UTF-8", pdf, "-"});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput()).simplified();
}

int pdfPages(const QString& pdf) {
    QProcess p;
    p.start("pdfinfo", {pdf});
    p.waitForFinished(30000);
    const auto m = QRegularExpression("Pages:\\s+(\\d+)").match(QString::fromUtf8(p.readAll()));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

QStringList frequencies(const AppState& s) {
    QStringList l;
    for (int n = 1; n <= ChannelCount; ++n)
        l << QString::fromStdString(gridRowTexts(s, n, false)[1]).trimmed();
    return l;
}

QStringList missing(const QString& text, const QStringList& words) {
    QStringList l;
    for (const QString& w : words)
        if (!text.contains(w)) l << w;
    return l;
}
}  // namespace

class ChannelSheetTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QString path(const QString& name) const { return dir.filePath(name); }

    // A file of 16 different channels, a squelch of 7 and a fixed priority channel 12.
    QString channelFile(AppState* s) {
        *s = startedState();
        Image& im = s->RadioImage;
        for (int n = 1; n <= ChannelCount; ++n) {
            InitNewChannel(im, n);
            const std::string mhz =
                std::to_string(440 + n / 10) + "." + std::to_string(n % 10) + "125";
            textToFrequency(mhz, im, n, 0);
            textToFrequency(mhz, im, n, 4);
        }
        im(19, 4) = 7;
        im(22, 0) = 1;
        im(22, 1) = 12;
        const QString file = path("fleet plan.chann");
        return saveImage(file, im) ? file : QString();
    }

  private slots:
    void cliSheetListsEveryChannelAndTheSettingsInEnglish() {
        AppState s;
        const QString file = channelFile(&s);
        const QString pdf = path("plan.pdf");
        const CliRun r = runCli({"print", file, pdf});
        QCOMPARE(r.code, 0);
        QCOMPARE(pdfPages(pdf), 1);
        const QString text = pdfText(pdf);
        QCOMPARE(missing(text, frequencies(s)), QStringList());
        const QStringList all = frequencies(s);
        QCOMPARE(QSet<QString>(all.begin(), all.end()).size(), 16);
        QCOMPARE(missing(text, {"fleet plan.chann", "RX Frequency", "CTCSS/DCS Enc", "OptSingal",
                                "Optional Features", "Squelch Level 7", "Scan Information",
                                "Priority Fixed", "Priority Channel 12", "Look Back Time A(s)"}),
                 QStringList());
        QVERIFY(!text.contains("接收频率"));
    }

    void cliSheetInChineseHasTheChineseCaptions() {
        AppState s;
        const QString file = channelFile(&s);
        const QString pdf = path("plan-zh.pdf");
        QCOMPARE(runCli({"print", "--chinese", file, pdf}).code, 0);
        const QString text = pdfText(pdf);
        QCOMPARE(missing(text, frequencies(s)), QStringList());
        QCOMPARE(missing(text, {"fleet plan.chann", "接收频率(MHZ)", "信道带宽", "可选参数",
                                "静噪电平 7", "扫描信息", "优先 固定", "优先信道 12"}),
                 QStringList());
        QVERIFY(!text.contains("RX Frequency"));
    }

    void cliRefusesBadInputAndLeavesNoPdf() {
        QTemporaryDir out;
        const QString pdf = out.filePath("none.pdf");
        CliRun r = runCli({"print", path("missing.chann"), pdf});
        QVERIFY(r.code != 0);
        QVERIFY(r.err.contains("missing.chann"));
        QVERIFY(!QFile::exists(pdf));

        const QString bad = path("bad.chann");
        QVERIFY(writeBytes(bad, "1 2 3\r\nnot a channel file\r\n"));
        const QString kept = out.filePath("kept.pdf");
        QVERIFY(writeBytes(kept, "an older sheet"));
        r = runCli({"print", bad, kept});
        QVERIFY(r.code != 0);
        QVERIFY(!r.err.isEmpty());
        QCOMPARE(fileBytes(kept), QByteArray("an older sheet"));

        AppState s;
        const QString file = channelFile(&s);
        r = runCli({"print", file, out.filePath("no/such/folder/out.pdf")});
        QVERIFY(r.code != 0);
        QVERIFY(r.err.contains("cannot write"));
        QVERIFY(QFile::setPermissions(out.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        r = runCli({"print", file, out.filePath("locked.pdf")});
        QVERIFY(QFile::setPermissions(
            out.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));
        if (geteuid() != 0) QVERIFY(r.code != 0);  // root writes into any folder
        QVERIFY(!r.code || r.err.contains("cannot write"));
        QCOMPARE(QDir(out.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{"kept.pdf"} +
                     QStringList(r.code ? QStringList() : QStringList{"locked.pdf"}));

        QCOMPARE(runCli({"print", file}).code, 2);
        // An option with a value before the command is read as that option, not as the command,
        // and refused by name: print opens no port.
        const auto misplaced = runCli({"--port", "1=/dev/null", "print", file, out.filePath("ok.pdf")});
        QVERIFY2(misplaced.code == 2 && misplaced.err.contains("--port does not go with print"),
                 qPrintable(misplaced.err));
        QCOMPARE(runCli({"print", file, out.filePath("ok.pdf")}).code, 0);
        QCOMPARE(pdfPages(out.filePath("ok.pdf")), 1);
        QVERIFY(runCli({"export", "--chinese", file, path("x.csv")}).code != 0);
        QVERIFY(runCli({"--help"}).out.contains("print FILE.chann OUT.pdf"));
    }

    // A title far wider than the page shrinks the whole sheet: every word is still on it.
    void aLongTitleScalesTheSheetDownInsteadOfCuttingIt() {
        const AppState s = startedState();
        const QString title = QString("Plan ").repeated(60) + "end";
        const QString pdf = path("long.pdf");
        QString reason;
        QVERIFY(writeChannelSheetPdf(pdf, s, title, false, &reason));
        const QString text = pdfText(pdf);
        QVERIFY(text.contains(title));
        QCOMPARE(missing(text, frequencies(s)), QStringList());
        QVERIFY(text.contains("TX Dwell Time (s)"));
    }

    void titlesNameTheFileOrTheRead() {
        AppState s = startedState();
        keepImage(s);
        QCOMPARE(currentSheetTitle(s, false), QString("Untitled"));
        s.CurrentFilePath = "/home/a/radios/north.chann";
        QCOMPARE(currentSheetTitle(s, false), QString("north.chann"));
        s.ReadFromPort = 3;
        s.ReadAtSeconds = QDateTime(QDate(2026, 5, 4), QTime(9, 7)).toSecsSinceEpoch();
        QCOMPARE(currentSheetTitle(s, false),
                 QString("read from the radio on COM3, 2026-05-04 09:07"));
        QCOMPARE(currentSheetTitle(s, true), QString("从 COM3 上的对讲机读取，2026-05-04 09:07"));
        s.RadioImage(3, 0) = 0x25;  // an edit since the read
        QCOMPARE(currentSheetTitle(s, false),
                 QString("read from the radio on COM3, 2026-05-04 09:07, changed since"));
        QCOMPARE(currentSheetTitle(s, true),
                 QString("从 COM3 上的对讲机读取，2026-05-04 09:07，之后有改动"));
    }

    // Out-of-range cells are shown as the windows show them after decoding, and the sheet
    // leaves the image as it was.
    void settingsAreWhatTheWindowsShow() {
        Gui gui;
        Image& im = gui.image();
        im(19, 0) = 0;   // time-out 0: shown as 15
        im(19, 4) = 12;  // squelch beyond the list: 9
        im(18, 15) = 7;  // voice beyond the list: English
        im(20, 1) = 42;  // a star in the begin code is skipped
        im(22, 0) = 2;   // selected priority: the revert list starts at Priority
        im(22, 4) = 0;
        im(22, 5) = 255;
        im(22, 6) = 255;  // dropout beyond 300 s
        const Image before = im;
        QMap<QString, QString> shown;
        for (const SettingLine& l : optionLines(im, false)) shown[qs(l.label)] = qs(l.value);
        for (const SettingLine& l : scanLines(im, false)) shown[qs(l.label)] = qs(l.value);
        QCOMPARE(im, before);

        gui.main->runCommand("Optional_edit");
        auto* o = gui.window<frm_option>("frm_option");
        QVERIFY(o);
        const std::pair<QLabel*, QComboBox*> lists[] = {{o->Label_tot, o->Combo_TOT},
                                                        {o->Label_sql, o->Combo_Sql},
                                                        {o->Label_voice, o->Combo_Voice},
                                                        {o->Label_PTT_ID, o->Combo_PTT_ID}};
        for (auto [label, box] : lists) QCOMPARE(shown.value(label->text()), box->currentText());
        QCOMPARE(shown.value("Begin of TX"), o->Text_tx_begin->text());
        QCOMPARE(shown.value("Battery Save"), QString(o->Check_Save->isChecked() ? "On" : "Off"));
        QCOMPARE(shown.value("FM Radio"), QString(o->Check_Clone->isChecked() ? "On" : "Off"));

        gui.main->runCommand("Scan_edit");
        auto* sc = gui.window<Form_Edit_scan>("Form_Edit_scan");
        QVERIFY(sc);
        QCOMPARE(shown.value("Priority"), sc->Combo_pri->currentText());
        QCOMPARE(shown.value("Revert Channel"), sc->Combo_BC->currentText());
        QCOMPARE(shown.value("Dropout Delay Time (s)"), sc->Combo_RYC->currentText());
        QCOMPARE(shown.value("Look Back Time A(s)"), sc->Combo_BA->currentText());
        QCOMPARE(shown.value("Priority Channel"), sc->Text_prich->text());
    }

    // The title follows where the image came from last: a read, then a file opened.
    void titleFollowsAReadAndAFileOpened() {
        RadioGui gui;
        gui.state->CommPortNumber = 8;
        const QDateTime start = QDateTime::currentDateTime().addSecs(-60);
        QVERIFY(gui.read());
        const QString title = currentSheetTitle(*gui.state, false);
        QVERIFY2(title.startsWith("read from the radio on COM8, "), qPrintable(title));
        const QDateTime at =
            QDateTime::fromString(title.section(", ", 1), QStringLiteral("yyyy-MM-dd HH:mm"));
        QVERIFY(at >= start && at <= QDateTime::currentDateTime());

        AppState s;
        const QString file = channelFile(&s);
        QVERIFY(openChannelFileAtStartup(*gui.state, *gui.main, file));
        QCOMPARE(currentSheetTitle(*gui.state, true), QString("fleet plan.chann"));
    }

    void fileMenuHasPrintAndExportPdfAfterImportCsv() {
        Gui gui;
        QMenu* file = gui.main->findChild<QMenu*>("File");
        QVERIFY(file);
        QStringList names;
        for (QAction* a : file->actions()) names << a->objectName();
        const qsizetype import = names.indexOf("File_import_csv");
        QCOMPARE(names.mid(import, 3),
                 (QStringList{"File_import_csv", "File_print", "File_export_pdf"}));
        auto* print = gui.main->findChild<QAction*>("File_print");
        auto* pdf = gui.main->findChild<QAction*>("File_export_pdf");
        QCOMPARE(print->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));
        QVERIFY(print->isVisible() && print->isEnabled() && pdf->isVisible() && pdf->isEnabled());
        QCOMPARE(print->text(), QString("Print…"));
        QCOMPARE(pdf->text(), QString("Export PDF…"));
        int holders = 0;
        for (QAction* a : gui.main->findChildren<QAction*>())
            holders += a->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_P));
        QCOMPARE(holders, 1);
        gui.main->runCommand("Language_chn");
        QCOMPARE(print->text(), QString("打印…"));
        QCOMPARE(pdf->text(), QString("导出 PDF…"));
    }

    // Ctrl+P opens the toolkit's print preview with the sheet, in either language.
    void ctrlPOpensThePrintPreview() {
        Gui gui;
        gui.main->show();
        for (const char* language : {"Language_eng", "Language_chn"}) {
            gui.main->runCommand(language);
            gui.main->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(gui.main.get()));
            bool seen = false;
            // Looks until the preview is up: painting it may take long on a busy machine.
            QTimer look;
            QObject::connect(&look, &QTimer::timeout, [&] {
                auto* preview =
                    qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
                if (!preview || !preview->isVisible()) return;
                look.stop();
                seen = preview->objectName() == "Sheet_preview";
                preview->resize(900, 1000);
                QTest::qWait(100);
                shot(preview, QStringLiteral("print-preview-") + language);
                preview->reject();
            });
            look.start(50);
            QTest::keyClick(gui.main.get(), Qt::Key_P, Qt::ControlModifier);
            QVERIFY2(seen, language);
        }
    }

    void exportPdfWritesTheSheetInTheLanguageOfTheMoment() {
        Gui gui;
        QString answer = path("menu.pdf");
        setFileChooser([&](QWidget*, FileChoiceKind kind, const QString&, const QString&,
                           const QString& suffix) {
            return kind == FileChoiceKind::Save && suffix == "pdf" ? answer : QString();
        });
        gui.state->ReadFromPort = 2;
        gui.state->ReadAtSeconds = QDateTime(QDate(2026, 1, 2), QTime(3, 4)).toSecsSinceEpoch();
        gui.main->runCommand("File_export_pdf");
        QString text = pdfText(answer);
        QVERIFY(text.contains("read from the radio on COM2, 2026-01-02 03:04"));
        QCOMPARE(missing(text, frequencies(*gui.state)), QStringList());

        gui.main->runCommand("Language_chn");
        answer = path("menu-zh.pdf");
        gui.main->runCommand("File_export_pdf");
        text = pdfText(answer);
        QVERIFY(text.contains("从 COM2 上的对讲机读取"));
        QVERIFY(text.contains("可选参数"));

        answer = path("no/such/folder/x.pdf");
        gui.main->runCommand("File_export_pdf");
        QCOMPARE(gui.messages->messages.size(), 1);
        QVERIFY(gui.messages->lastText().startsWith("PDF 文件无法写入"));
        setFileChooser({});
    }
};

QTEST_MAIN(ChannelSheetTest)
#include "ChannelSheetTest.moc"
