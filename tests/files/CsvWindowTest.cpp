// Import CSV and Export CSV from the File menu: the file dialog answered by the test, the
// image changed in one step or not at all, and the report the user sees.

#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

#include "channels/csv/Placement.h"
#include "channels/csv/Writer.h"
#include "channels/ChannelRecord.h"
#include "channels/frm_chann.h"
#include "core/Frequency.h"
#include "files/CsvWindows.h"
#include "files/Form_import_csv.h"
#include "support/GuiFixture.h"
#include "widgets/FileChoice.h"

using namespace nv;

namespace {
std::string fileText(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : std::string();
}

struct Asked {
    FileChoiceKind kind;
    QString title, suffix;
};
}  // namespace

class CsvWindowTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    std::unique_ptr<test::Gui> gui;
    QString answer;  // what the file dialog returns
    QList<Asked> asked;

    QString write(const char* name, const QByteArray& data) {
        const QString path = dir.filePath(name);
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(data) != data.size()) return {};
        return path;
    }
    template <class W>
    W* run(const char* item, const char* window) {
        gui->main->runCommand(item);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return gui->window<W>(window);
    }
    // The import as a user accepts it: the file chosen, Import pressed in the dialog.
    Form_Csv_Import* importAccepted() {
        gui->main->runCommand("File_import_csv");
        if (auto* d = gui->main->findChild<Form_import_csv*>("Form_import_csv"))
            QTest::mouseClick(d->Command_import, Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return gui->window<Form_Csv_Import>("Form_Csv_Import");
    }
    static QStringList rows(const QTableWidget* list) {
        QStringList out;
        for (int r = 0; r < list->rowCount(); ++r)
            out << list->item(r, 0)->text() + " | " + list->item(r, 1)->text() + " | " +
                       list->item(r, 2)->text();
        return out;
    }

  private slots:
    void init() {
        gui = std::make_unique<test::Gui>();
        asked.clear();
        setFileChooser([this](QWidget*, FileChoiceKind kind, const QString& title, const QString&,
                              const QString& suffix) {
            asked.push_back({kind, title, suffix});
            return answer;
        });
    }
    void cleanup() {
        setFileChooser({});
        gui.reset();
    }

    void importWritesTheChannelsAndReportsSnapsAndSkips() {
        answer = write("import.csv",
                       "\xEF\xBB\xBFLocation,Name,Frequency,Duplex,Offset,Tone,rToneFreq,Skip\r\n"
                       "3,\"Repeater, north\",438.025,-,7.6,Tone,88.5,\r\n"
                       "17,Beyond,446.1,,,,,\r\n"
                       "5,Off raster,446.003,,,,,S\r\n");
        Image expected = gui->image();
        const CsvImport r = importChannelsCsv(*gui->state, fileText(answer), expected);
        auto* w = importAccepted();
        QVERIFY(w);
        QCOMPARE(asked.size(), 1);
        QCOMPARE(asked[0].kind, FileChoiceKind::Open);
        QCOMPARE(asked[0].title, QString("Import CSV"));
        QVERIFY(gui->image() == r.image);
        QCOMPARE(w->windowTitle(), QString("Import CSV"));
        QCOMPARE(w->Label_result->text(), QString("2 channels imported from %1.").arg(answer));
        QCOMPARE(
            rows(w->List_report),
            (QStringList{"3 | Skipped | Location 17 is not a channel (1 to 16) and was skipped",
                         "4 | Snapped | channel 5: Frequency 446.003 is off the channel "
                         "raster and was stored as 446.00000",
                         " | Not kept | the radio does not keep these columns: Name"}));
        QCOMPARE(w->Command_close->text(), QString("Close"));
        test::shot(gui->main.get(), "import_en_report");
        // The grid shows the imported channels when it is active again.
        QTest::mouseClick(w->Command_close, Qt::LeftButton);
        QTRY_VERIFY(!gui->main->child("Form_Csv_Import"));
        auto* grid = gui->window<frm_chann>("frm_chann");
        QTRY_COMPARE(grid->MSF_chann->item(3, 1)->text(), QString("438.02500"));
        QCOMPARE(grid->MSF_chann->item(3, 2)->text(), QString("430.42500"));
        QCOMPARE(grid->MSF_chann->item(3, 7)->text(), QString("Yes"));  // in the scan list
        QCOMPARE(grid->MSF_chann->item(3, 4)->text(), QString("88.5"));
    }

    void aFileWithErrorsChangesNothingAndListsEveryError() {
        // A spreadsheet with headings of its own: no column of the layout is found.
        answer = write("bad.csv", "Channel,Frequency MHz\n1,450\n2,451\n");
        const Image before = gui->image();
        auto* w = importAccepted();
        QVERIFY(gui->image() == before);
        QCOMPARE(w->Label_result->text(),
                 QString("%1 has errors: nothing was imported.").arg(answer));
        QCOMPARE(rows(w->List_report),
                 (QStringList{"1 | Error | the column Location is missing",
                              "1 | Error | the column Frequency is missing"}));
        gui->main->Language_chn_Click();  // a window opened now speaks Chinese
        w = importAccepted();
        QCOMPARE(w->windowTitle(), QString("导入 CSV"));
        QCOMPARE(asked.last().title, QString("导入 CSV"));
        QCOMPARE(w->Label_result->text(), QString("%1 有错误，没有导入任何信道。").arg(answer));
        QCOMPARE(w->List_report->horizontalHeaderItem(0)->text(), QString("行"));
        QCOMPARE(rows(w->List_report)[1], QString("1 | 错误 | 缺少列 Frequency"));
        QCOMPARE(w->Command_close->text(), QString("关闭"));
        test::shot(gui->main.get(), "import_zh_errors");
    }

    void rowsTheRadioCannotHoldAreSkippedInGroupsAndTheRestImported() {
        QByteArray text = "Location,Name,Frequency,Mode\n";
        for (int n = 1; n <= 20; ++n) text += QByteArray::number(n) + ",Ch,450.5,FM\n";
        text += "21,2m,145.5,FM\n22,6m,50.1,FM\n23,HF,14.2,USB\n";  // lines 22 to 24
        answer = write("many.csv", text);
        auto* w = importAccepted();
        QCOMPARE(w->Label_result->text(), QString("16 channels imported from %1.").arg(answer));
        QCOMPARE(rows(w->List_report),
                 (QStringList{"18\u201324 | Skipped | 7 rows not imported: the location is "
                              "not a channel 1\u201316",
                              " | Not kept | the radio does not keep these columns: Name"}));
        for (int n = 1; n <= 16; ++n) QCOMPARE(QString::fromStdString(frequencyToText(gui->image(), n, 0)), QString("450.50000"));
        gui->main->Language_chn_Click();
        w = importAccepted();
        QCOMPARE(rows(w->List_report)[0],
                 QString("18\u201324 | 已跳过 | 7 行未导入：位置不是信道 1\u201316"));
        test::shot(gui->main.get(), "import_zh_grouped");
    }

    void chineseReportOfAGoodImport() {
        gui->main->Language_chn_Click();
        answer = write("zh.csv", "Location,Frequency\n20,450\n2,446.003\n");
        auto* w = importAccepted();
        QCOMPARE(w->Label_result->text(), QString("已从 %1 导入 1 个信道。").arg(answer));
        QCOMPARE(rows(w->List_report),
                 (QStringList{
                     "2 | 已跳过 | 位置 20 不是信道（1 至 16），已跳过",
                     "3 | 已取整 | 信道 2：Frequency 446.003 不在信道步进上，已存为 446.00000"}));
        test::shot(gui->main.get(), "import_zh_report");
    }

    void cancellingOrAnUnreadableFileLeavesNoWindow() {
        const Image before = gui->image();
        answer.clear();
        QVERIFY(!importAccepted());
        QVERIFY(!run<Form_Csv_Export>("File_export_csv", "Form_Csv_Export"));
        QVERIFY(gui->messages->messages.isEmpty());
        answer = dir.path();  // a folder
        QVERIFY(!importAccepted());
        QCOMPARE(gui->messages->messages.size(), 1);
        QVERIFY(gui->messages->lastText().startsWith("The CSV file cannot be opened: "));
        QVERIFY(gui->image() == before);
    }

    void exportWritesTheChannelsAndReports() {
        setTone(gui->image(), 4, 8, 0xED, 0x03);  // 100.5 Hz: not in the tone table
        answer = dir.filePath("out.csv");
        auto* w = run<Form_Csv_Export>("File_export_csv", "Form_Csv_Export");
        QVERIFY(w);
        QCOMPARE(asked[0].kind, FileChoiceKind::Save);
        QCOMPARE(asked[0].title, QString("Export CSV"));
        QCOMPARE(asked[0].suffix, QString("csv"));
        QCOMPARE(fileText(answer), exportChannelsCsv(*gui->state, gui->image()).text);
        QCOMPARE(w->windowTitle(), QString("Export CSV"));
        QCOMPARE(w->Label_result->text(), QString("16 channels exported to %1.").arg(answer));
        QCOMPARE(rows(w->List_report),
                 (QStringList{" | Note | channel 4: the decode tone 100.5 Hz is not in the tone "
                              "table; an import will refuse it"}));
        test::shot(gui->main.get(), "export_en_report");

        answer = dir.filePath("no-such-folder/out.csv");
        QVERIFY(!run<Form_Csv_Export>("File_export_csv", "Form_Csv_Export"));
        QVERIFY(gui->messages->lastText().startsWith("The CSV file could not be written: "));
    }
};

QTEST_MAIN(CsvWindowTest)
#include "CsvWindowTest.moc"
