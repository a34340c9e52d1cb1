// The import dialog between the file choice and the report: every row with its fate, rows
// chosen with their check boxes, placement by location or in file order, Cancel and Import.

#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QStyleOptionViewItem>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QtTest>

#include "channels/ChannelRecord.h"
#include "channels/csv/Placement.h"
#include "channels/frm_chann.h"
#include "core/Frequency.h"
#include "files/CsvWindows.h"
#include "files/Form_import_csv.h"
#include "support/GuiFixture.h"
#include "support/Wheel.h"
#include "widgets/FileChoice.h"
#include "widgets/HelpWindow.h"

using namespace nv;

namespace {

const QByteArray MixedList =
    "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,Mode,Power\n"
    "3,\"Repeater, north\",438.025,-,7.6,Tone,88.5,88.5,FM,High\n"  // line 2
    "17,Beyond,446.1,,,,88.5,88.5,NFM,Low\n"                       // line 3
    "5,Simplex,446.00625,,,TSQL,88.5,100.0,NFM,1W\n"                // line 4
    "8,HF net,446.1,,,,88.5,88.5,USB,\n"                              // line 5
    "9,Two metres,145.5,,,,88.5,88.5,FM,\n";                        // line 6

// Runs an event loop that goes idle, as the program's does between user actions.
void idle() {
    QEventLoop loop;
    QTimer::singleShot(30, &loop, &QEventLoop::quit);
    loop.exec();
}

QString freq(const Image& im, int channel) {
    return QString::fromStdString(frequencyToText(im, channel, 0));
}

}  // namespace

class ImportDialogTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    std::unique_ptr<test::Gui> gui;
    QString answer;

    QString write(const char* name, const QByteArray& data) {
        const QString path = dir.filePath(name);
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(data) != data.size()) return {};
        return path;
    }
    Form_import_csv* open(const QByteArray& data) {
        answer = write("list.csv", data);
        gui->main->runCommand("File_import_csv");
        return gui->main->findChild<Form_import_csv*>("Form_import_csv");
    }
    static QModelIndex at(const Form_import_csv* d, int row, int column) {
        return d->Table_rows->model()->index(row, column);
    }
    static QString cell(const Form_import_csv* d, int row, int column) {
        return at(d, row, column).data().toString();
    }
    static Qt::CheckState checkState(const Form_import_csv* d, int row) {
        return at(d, row, 0).data(Qt::CheckStateRole).value<Qt::CheckState>();
    }
    static int rowCount(const Form_import_csv* d) { return d->Table_rows->model()->rowCount(); }
    static QStringList fates(const Form_import_csv* d) {
        QStringList out;
        for (int r = 0; r < rowCount(d); ++r) out << cell(d, r, 8);
        return out;
    }
    // A click on the row, Left to its check box, then Space, as a user toggles it from the
    // keyboard.
    static void toggleRow(Form_import_csv* d, int row) {
        QTableView* t = d->Table_rows;
        const QRect rect = t->visualRect(at(d, row, 1));
        QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, rect.center());
        QTest::keyClick(t, Qt::Key_Left);
        QTest::keyClick(t, Qt::Key_Space);
    }
    void importAndSettle(Form_import_csv* d) {
        QTest::mouseClick(d->Command_import, Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        idle();
    }

  private slots:
    void init() {
        gui = std::make_unique<test::Gui>();
        setFileChooser([this](QWidget*, FileChoiceKind, const QString&, const QString&,
                              const QString&) { return answer; });
    }
    void cleanup() {
        setFileChooser({});
        gui.reset();
    }

    void theDialogShowsEveryRowWithWhatWillHappenToIt() {
        auto* d = open(MixedList);
        QVERIFY(d);
        QVERIFY(d->isVisible());
        QVERIFY(d->isModal());
        QVERIFY(!gui->window<Form_Csv_Import>("Form_Csv_Import")->isVisible());
        QCOMPARE(d->windowTitle(), QString("Import CSV"));
        QCOMPARE(rowCount(d), 5);
        QStringList first;
        for (int c = 0; c < 8; ++c) first << cell(d, 0, c);
        QCOMPARE(first, (QStringList{"2", "3", "Repeater, north", "438.025", "-7.6", "Tone 88.5",
                                     "FM", "High"}));
        QCOMPARE(cell(d, 2, 5), QString("TSQL 100.0"));
        // Only a row that will be imported is checked; a skipped one has no box to click.
        for (int r = 0; r < 5; ++r) {
            const bool imported = r == 0 || r == 2;
            QCOMPARE(checkState(d, r), imported ? Qt::Checked : Qt::Unchecked);
            QCOMPARE(at(d, r, 0).flags().testFlag(Qt::ItemIsUserCheckable), imported);
        }
        QCOMPARE(fates(d),
                 (QStringList{"channel 3", "skipped: location 17 is not a channel 1\u201316",
                              "channel 5",
                              "skipped: this radio has no Mode \"USB\"",
                              "skipped: Frequency 145.5 MHz is outside the band 400 - 481 MHz"}));
        QCOMPARE(d->Label_summary->text(), QString("2 of 5 rows will be imported."));
        QVERIFY(d->Option_location->isChecked());
        QVERIFY(d->Command_import->isEnabled());
        QVERIFY(test::clipped(d).isEmpty());
        test::shot(d, "import_dialog_en");
        QTest::mouseClick(d->Command_help, Qt::LeftButton);
        auto* guide = gui->main->findChild<HelpWindow*>("HelpWindow");
        QVERIFY(guide && guide->isVisible());
        QCOMPARE(guide->Text_guide->source().path(), QString("/guide/en/files.md"));
        // The dialog blocks the main window: the guide must not be one of the blocked.
        guide->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(guide));
        QTest::keyClick(guide, Qt::Key_Escape);
        QTRY_VERIFY(!guide->isVisible());
    }

    void cancelWritesNothingAndLeavesNoWindow() {
        const Image before = gui->image();
        auto* d = open(MixedList);
        QTest::mouseClick(d->Option_order, Qt::LeftButton);
        QTest::mouseClick(d->Command_cancel, Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        idle();
        QVERIFY(!gui->main->findChild<Form_import_csv*>("Form_import_csv"));
        QVERIFY(!gui->main->child("Form_Csv_Import"));
        QVERIFY(gui->image() == before);
        QVERIFY(!gui->main->findChild<QAction*>("Edit_undo")->isEnabled());
        // Escape is Cancel too.
        d = open(MixedList);
        QTest::keyClick(d, Qt::Key_Escape);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!gui->main->child("Form_Csv_Import"));
        QVERIFY(gui->image() == before);
    }

    void anUncheckedRowIsNotImportedAndTheImportIsOneUndoStep() {
        const Image before = gui->image();
        auto* d = open(MixedList);
        toggleRow(d, 2);  // 5, Simplex
        QCOMPARE(checkState(d, 2), Qt::Unchecked);
        QCOMPARE(fates(d)[2], QString("not chosen"));
        QCOMPARE(d->Label_summary->text(), QString("1 of 5 rows will be imported."));
        CsvPlacement expected;
        expected.leftOutLines = {4};
        const CsvImport r = importChannelsCsv(*gui->state, MixedList.toStdString(), before,
                                              expected);
        QVERIFY(imageKept(*gui->state));
        importAndSettle(d);
        QVERIFY(gui->image() == r.image);
        QVERIFY(!imageKept(*gui->state));  // leaving the program now asks about saving
        QCOMPARE(freq(gui->image(), 3), QString("438.02500"));
        for (int c = 0; c < 16; ++c) QCOMPARE(gui->image()(5, c), before(5, c));
        auto* report = gui->window<Form_Csv_Import>("Form_Csv_Import");
        QVERIFY(report && report->isVisible());
        QCOMPARE(report->Label_result->text(),
                 QString("1 channel imported from %1.").arg(answer));
        QCOMPARE(report->List_report->rowCount(), 4);  // the three skipped rows, the names
        // The grid behind the report shows the new channel already.
        QCOMPARE(gui->window<frm_chann>("frm_chann")->MSF_chann->item(3, 1)->text(),
                 QString("438.02500"));

        gui->main->runCommand("Edit_undo");
        QVERIFY(gui->image() == before);  // the whole import at once
        QVERIFY(!gui->main->findChild<QAction*>("Edit_undo")->isEnabled());
        gui->main->runCommand("Edit_redo");
        QVERIFY(gui->image() == r.image);
    }

    void inFileOrderFromChannelNFillsTheChannelsAfterIt() {
        QByteArray list = "Location,Name,Frequency\n";
        for (int n = 71; n <= 75; ++n)  // PMR446 channels after the LPD ones
            list += QByteArray::number(n) + ",PMR" + QByteArray::number(n - 70) + ",446.0" +
                    QByteArray::number(n - 70) + "\n";
        auto* d = open(list);
        QCOMPARE(fates(d).count("skipped: location 71 is not a channel 1\u201316"), 1);
        QVERIFY(!d->Command_import->isEnabled());  // nothing would be written
        QTest::mouseClick(d->Option_order, Qt::LeftButton);
        QCOMPARE(fates(d), (QStringList{"channel 1", "channel 2", "channel 3", "channel 4",
                                        "channel 5"}));
        // Typing a first channel: the preview follows at once.
        d->Spin_first->setFocus();
        QTest::keyClick(d->Spin_first, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(d->Spin_first, "14");
        QCOMPARE(d->Spin_first->value(), 14);
        QCOMPARE(fates(d), (QStringList{"channel 14", "channel 15", "channel 16",
                                        "skipped: no channel left after 16",
                                        "skipped: no channel left after 16"}));
        // The arrow keys step it.
        QTest::keyClick(d->Spin_first, Qt::Key_Up);
        QCOMPARE(fates(d)[0], QString("channel 15"));
        QTest::keyClick(d->Spin_first, Qt::Key_Down);
        importAndSettle(d);
        QCOMPARE(freq(gui->image(), 14), QString("446.01000"));
        QCOMPARE(freq(gui->image(), 16), QString("446.03000"));
        auto* report = gui->window<Form_Csv_Import>("Form_Csv_Import");
        QCOMPARE(report->List_report->rowCount(), 2);  // and the names the radio does not keep
        QCOMPARE(report->List_report->item(0, 2)->text(),
                 QString("2 rows not imported: the radio holds 16 channels"));
    }

    void changingTheFirstChannelChoosesFileOrder() {
        auto* d = open(MixedList);
        // Scrolling past the box does not turn it.
        d->Table_rows->setFocus();
        test::turnWheel(d->Spin_first, -1);
        QCOMPARE(d->Spin_first->value(), 1);
        QVERIFY(d->Option_location->isChecked());
        d->Spin_first->setFocus();
        QTest::keyClick(d->Spin_first, Qt::Key_Up);
        QVERIFY(d->Option_order->isChecked());
        QCOMPARE(fates(d)[1], QString("channel 3"));  // 2, 3 in file order from channel 2
        QTest::mouseClick(d->Option_location, Qt::LeftButton);
        QCOMPARE(fates(d)[1], QString("skipped: location 17 is not a channel 1\u201316"));
    }

    void aClickOnTheCheckBoxTogglesItADoubleClickEditsNothing() {
        auto* d = open(MixedList);
        QTableView* t = d->Table_rows;
        QStyleOptionViewItem option;
        option.initFrom(t->viewport());
        option.rect = t->visualRect(at(d, 0, 0));
        option.features = QStyleOptionViewItem::HasCheckIndicator;
        const QRect box =
            t->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, t);
        QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, box.center());
        QCOMPARE(checkState(d, 0), Qt::Unchecked);
        QCOMPARE(fates(d)[0], QString("not chosen"));
        QCOMPARE(d->Label_summary->text(), QString("1 of 5 rows will be imported."));
        const QRect name = t->visualRect(at(d, 1, 2));
        QTest::mouseDClick(t->viewport(), Qt::LeftButton, {}, name.center());
        QVERIFY(!t->findChild<QLineEdit*>());
        QCOMPARE(cell(d, 1, 2), QString("Beyond"));
        // Unchecking every row that would be written leaves nothing to import.
        QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, name.center());
        toggleRow(d, 2);
        QVERIFY(!d->Command_import->isEnabled());
        QCOMPARE(d->Label_summary->text(),
                 QString("0 of 5 rows will be imported: rows at locations outside channels 1 to "
                         "16 are skipped; choose \"In file order from channel\" to place them "
                         "from a chosen channel."));
        QTest::mouseClick(d->Command_cancel, Qt::LeftButton);
    }

    void chineseCaptionsWhenOpenedInChinese() {
        gui->main->Language_chn_Click();
        auto* d = open(MixedList);
        QCOMPARE(d->windowTitle(), QString("导入 CSV"));
        QStringList headers;
        for (int c = 0; c < d->Table_rows->model()->columnCount(); ++c)
            headers << d->Table_rows->model()->headerData(c, Qt::Horizontal).toString();
        QCOMPARE(headers, (QStringList{"行", "位置", "名称", "频率", "频差", "亚音", "模式",
                                       "功率", "结果"}));
        QCOMPARE(d->Option_location->text(), QString("按位置"));
        QCOMPARE(d->Option_order->text(), QString("按文件顺序，从信道"));
        QCOMPARE(d->Command_import->text(), QString("导入"));
        QCOMPARE(d->Command_cancel->text(), QString("取消"));
        QCOMPARE(fates(d)[0], QString("信道 3"));
        QCOMPARE(fates(d)[1], QString("跳过：位置 17 不是信道 1\u201316"));
        QCOMPARE(d->Label_summary->text(), QString("将导入 2 行，共 5 行。"));
        toggleRow(d, 0);
        QCOMPARE(fates(d)[0], QString("未选，不导入"));
        QVERIFY(test::clipped(d).isEmpty());
        test::shot(d, "import_dialog_zh");
        // The dialog keeps the language it opened in.
        gui->main->Language_eng_Click();
        QCOMPARE(fates(d)[0], QString("未选，不导入"));
        QTest::mouseClick(d->Command_cancel, Qt::LeftButton);
    }

    void aRowWithABadValueIsListedUncheckedAndTheOthersImport() {
        // PMR446 channels typed into a spreadsheet: a TSQL row without its tone, a letter O.
        auto* d = open("Location,Frequency,Tone,cToneFreq\n1,446.00625,TSQL,\n"
                       "2,446.01875,TSQL,67.0\n3,446.O3125,,\n");
        QVERIFY(d);
        QCOMPARE(fates(d), (QStringList{"cannot be imported: cToneFreq has no value", "channel 2",
                                        "cannot be imported: Frequency \"446.O3125\" is not a "
                                        "number"}));
        for (int r : {0, 2}) {
            QCOMPARE(checkState(d, r), Qt::Unchecked);
            toggleRow(d, r);
            QCOMPARE(checkState(d, r), Qt::Unchecked);
        }
        QCOMPARE(d->Label_summary->text(), QString("1 of 3 rows will be imported."));
        test::shot(d, "import_dialog_bad_rows");
        importAndSettle(d);
        QCOMPARE(freq(gui->image(), 2), QString("446.01875"));
        auto* report = gui->window<Form_Csv_Import>("Form_Csv_Import");
        QCOMPARE(report->List_report->item(0, 1)->text(), QString("Bad value, not imported"));
    }

    void aCopiedListsEmptyChannelIsARowThatEmptiesItsChannel() {
        // The program's own copy keeps an empty channel's place with its Location alone.
        QVERIFY(!isEmptyChannel(gui->image(), 16));
        auto* d = open("Location,Name,Frequency\n1,Hill,438.025\n16,,\n3,Town,438.05\n");
        QVERIFY(d);
        QCOMPARE(fates(d), (QStringList{"channel 1", "channel 16: empty", "channel 3"}));
        QCOMPARE(checkState(d, 1), Qt::Checked);
        toggleRow(d, 1);
        QCOMPARE(fates(d)[1], QString("not chosen"));
        toggleRow(d, 1);
        QCOMPARE(d->Label_summary->text(), QString("3 of 3 rows will be imported."));
        importAndSettle(d);
        QVERIFY(isEmptyChannel(gui->image(), 16));
    }

    void aRepeatedLocationIsABadRowWhenPlacedByLocation() {
        // A repeater directory's export that lists two repeaters twice.
        auto* d = open("Location,Name,Frequency,Duplex,Offset,Mode\n"
                       "1,Hill,438.025,-,7.6,FM\n2,Town,438.05,-,7.6,FM\n"
                       "2,Town,438.05,-,7.6,FM\n99994,Coast,439.1,-,7.6,FM\n"
                       "99994,Coast,439.1,-,7.6,FM\n");
        QVERIFY(d);
        QCOMPARE(fates(d)[2],
                 QString("cannot be imported: Location 2 is listed twice (first on line 3)"));
        // In file order a Location is only a number: the repeated rows are rows like the others.
        QTest::mouseClick(d->Option_order, Qt::LeftButton);
        QCOMPARE(fates(d), (QStringList{"channel 1", "channel 2", "channel 3", "channel 4",
                                        "channel 5"}));
        for (int r : {2, 4}) {
            toggleRow(d, r);
            QCOMPARE(checkState(d, r), Qt::Unchecked);
        }
        QCOMPARE(fates(d), (QStringList{"channel 1", "channel 2", "not chosen", "channel 3",
                                        "not chosen"}));
        importAndSettle(d);
        QCOMPARE(freq(gui->image(), 3), QString("439.10000"));
    }

    void textFromTheFileIsShownWithItsControlCharactersEscaped() {
        // A list passed around online: a name that clears a terminal, a mode and a file name
        // that turn the text around.
        answer = write("\u202evsc.csv", "Location,Name,Frequency,Mode\n"
                                       "1,\"\x1b[2JNet\x7f\",446.1,\xe2\x80\xaeMF\n");
        gui->main->runCommand("File_import_csv");
        auto* d = gui->main->findChild<Form_import_csv*>("Form_import_csv");
        QVERIFY(d);
        QCOMPARE(cell(d, 0, 2), QString("\\x1b[2JNet\\x7f"));
        QCOMPARE(cell(d, 0, 6), QString("\\u202eMF"));
        QCOMPARE(fates(d), QStringList{"skipped: this radio has no Mode \"\\u202eMF\""});
        QVERIFY(d->Label_file->text().contains("\\u202evsc.csv"));
    }

    void aFileThatCannotBeReadOpensNoDialog() {
        open("Location,Frequency\n1,\"450\n");
        QVERIFY(!gui->main->findChild<Form_import_csv*>("Form_import_csv"));
        auto* report = gui->window<Form_Csv_Import>("Form_Csv_Import");
        QVERIFY(report && report->isVisible());
        QCOMPARE(report->Label_result->text(),
                 QString("%1 has errors: nothing was imported.").arg(answer));
    }
};

QTEST_MAIN(ImportDialogTest)
#include "ImportDialogTest.moc"
