// The station window with nv742-sim radios on pseudo-terminals, listed as --station-port does:
// runs with radios that fail, repeat with radios that go and come, Stop, leaving, the log.

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

#include "core/Startup.h"
#include "station/Form_Station.h"
#include "support/CliProcess.h"
#include "support/FakePorts.h"
#include "support/IdleLoop.h"
#include "support/MessageRecorder.h"
#include "support/Shots.h"
#include "support/Wheel.h"
#include "ui/MDImain.h"
#include "widgets/FileChoice.h"

using namespace nv;
using namespace nv::test;

namespace {

Image factoryImage() {
    AppState s;
    initialiseGlobals(s);
    buildTables(s);
    buildDefaults(s);
    return s.RadioImage;
}

// What the radios hold before: the factory image with a mark in every row the files keep.
Image radioBefore() {
    Image im = factoryImage();
    for (int r = 0; r <= 53; ++r) im(r, 14) = 0x77;
    return im;
}

// The station's configuration: differs from the radios' memory in every row, 49 to 53 too.
Image configuration() {
    Image im = factoryImage();
    for (int r = 0; r <= 53; ++r) im(r, 14) = 0x3C;
    return im;
}

// A main window whose station lists the given pseudo-terminals, as --station-port does.
struct StationGui {
    std::unique_ptr<AppState> state = std::make_unique<AppState>();
    std::unique_ptr<MessageRecorder> messages = std::make_unique<MessageRecorder>();
    std::unique_ptr<MDImain> main;
    Form_Station* window = nullptr;

    explicit StationGui(const QStringList& ports, bool chinese = false) {
        auto world = std::make_shared<FakePortWorld>();
        PortLayer layer = fakePortLayer(world);
        for (const QString& p : ports) layer.stationPorts.push_back(p.toStdString());
        main = std::make_unique<MDImain>(*state, layer);
        main->Form_Load();
        main->resize(1200, 760);  // a laptop's screen, for the pictures
        if (chinese) main->Language_chn_Click();
        state->RadioImage = configuration();  // as a file opened gives it
        state->CurrentFilePath = "/tmp/fleet.chann";
        keepImage(*state);
        main->runCommand("Prog_station");
        window = qobject_cast<Form_Station*>(main->child("Form_Station"));
        // Only the test's radios: the machine's own serial ports stay out of the run.
        for (int row = 0; row < window->Table_ports->rowCount(); ++row)
            window->Table_ports->item(row, Form_Station::PortColumn)
                ->setCheckState(ports.contains(cell(row, Form_Station::PortColumn))
                                    ? Qt::Checked
                                    : Qt::Unchecked);
    }
    ~StationGui() {
        main.reset();
        messages.reset();
    }
    QString cell(int row, int column) const {
        return window->Table_ports->item(row, column)->text();
    }
    int row(const QString& port) const {
        for (int r = 0; r < window->Table_ports->rowCount(); ++r)
            if (cell(r, Form_Station::PortColumn) == port) return r;
        return -1;
    }
    QString of(const QString& port, int column) const { return cell(row(port), column); }
    void start() { QTest::mouseClick(window->Command_start, Qt::LeftButton); }
    bool waitForEnd(int ms) {
        return QTest::qWaitFor([&] { return !window->transferInProgress(); }, ms);
    }
};

struct Radio {
    std::unique_ptr<SimServer> sim = std::make_unique<SimServer>();
    QString memory;  // where it saves its memory when stopped
};

QStringList logLines(const QString& path) {
    return QString::fromUtf8(fileBytes(path)).split("\r\n", Qt::SkipEmptyParts);
}

}  // namespace

class StationWindowTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QString start_;

    // A radio on a pseudo-terminal with the memory of radioBefore(); `args` add its faults.
    Radio radio(const QString& name, QStringList args = {}) {
        Radio r;
        r.memory = dir.filePath(name + ".chann");
        args << "--load" << start_ << "--save" << r.memory;
        if (!r.sim->start(args)) r.sim.reset();
        return r;
    }
    QString logFile() const { return dir.filePath("data/nv742-cps/station-log.csv"); }
    QString backups() const { return dir.filePath("data/nv742-cps/backups/station"); }

  private slots:
    void initTestCase() {
        // The station's log and backups go to a folder of this test's own.
        qputenv("XDG_DATA_HOME", dir.filePath("data").toLocal8Bit());
        start_ = dir.filePath("start.chann");
        QVERIFY(saveImage(start_, radioBefore()));
    }

    // A radio that never answers, one that answers garbled and one whose memory gives back
    // other bytes fail their own rows with the cause; the others are verified and hold rows 0
    // to 48 of the configuration and nothing more.
    void eachRowFailsOrSucceedsOnItsOwn() {
        struct Case {
            const char* name;
            QStringList fault;
            const char* result;
            bool written;
        };
        const Case cases[] = {
            {"good1", {}, "verified", true},
            {"silent", {"--fault", "silent"}, "no answer (reading it first; not written)", false},
            {"garbled",
             {"--fault", "wrong-address=3", "--every-session"},
             "garbled answer (reading it first; not written)",
             false},
            // Its memory holds what was written; every read of it gives another bit wrong, so
            // no two read-backs agree and no difference is claimed.
            {"flipping",
             {"--fault", "flip-bit=2", "--every-session"},
             "no two of three reads of the radio agreed",
             true},
            {"good2", {}, "verified", true},
        };
        std::vector<Radio> radios;
        QStringList ports;
        for (const Case& c : cases) {
            radios.push_back(radio(c.name, c.fault));
            QVERIFY(radios.back().sim);
            ports << radios.back().sim->pty;
        }
        StationGui gui(ports);
        QVERIFY(gui.window->Check_backup->isChecked());
        QVERIFY(gui.window->Label_configuration->text().contains("fleet.chann"));
        gui.start();
        QVERIFY(gui.window->transferInProgress());
        QVERIFY(!gui.window->Command_start->isEnabled());
        const QString fingerprint = QString::fromStdString(stationFingerprint(configuration()));
        QVERIFY(gui.window->Label_configuration->text().contains(fingerprint));
        gui.state->RadioImage(3, 0) = 0x99;  // an edit during the run reaches no radio
        QTRY_VERIFY(gui.of(ports[0], Form_Station::StateColumn) == "writing");
        QVERIFY(gui.window->Label_configuration->text().contains(fingerprint));
        shot(gui.window->subWindow(), "station_run_en");
        QVERIFY(gui.waitForEnd(60000));

        QCOMPARE(gui.window->List_log->topLevelItemCount(), 5);
        shot(gui.window->subWindow(), "station_after_run_en");
        for (std::size_t i = 0; i < radios.size(); ++i) {
            const Case& c = cases[i];
            const bool verified = QString(c.result) == "verified";
            QVERIFY2(gui.of(ports[int(i)], Form_Station::ResultColumn).startsWith(c.result),
                     qPrintable(gui.of(ports[int(i)], Form_Station::ResultColumn)));
            QCOMPARE(gui.of(ports[int(i)], Form_Station::StateColumn),
                     verified ? "done" : "failed");
            QCOMPARE(gui.of(ports[int(i)], Form_Station::DoneColumn), verified ? "1" : "0");
            QCOMPARE(gui.of(ports[int(i)], Form_Station::FailedColumn), verified ? "0" : "1");
            QVERIFY(radios[i].sim->stop());
            const auto held = loadImage(radios[i].memory);
            QVERIFY(held);
            const Image expected = c.written ? configuration() : radioBefore();
            for (int r = 0; r <= 53; ++r)
                for (int col = 0; col < 16; ++col)
                    QCOMPARE((*held)(r, col), r <= 48 ? expected(r, col) : radioBefore()(r, col));
        }
        QVERIFY(gui.window->Label_totals->text().startsWith("Done 2    Failed 3"));
        // After the run the top follows the image: whether it is still the run's, and its name.
        QLabel* top = gui.window->Label_configuration;
        QVERIFY(runLoopUntil([&] { return top->text().endsWith("taken at Start"); }));
        QVERIFY(gui.window->Label_configuration->text().contains("not saved"));
        gui.state->RadioImage(3, 0) = configuration()(3, 0);
        gui.state->CurrentFilePath = "/tmp/fleet-2.chann";
        QVERIFY(runLoopUntil([&] { return top->text().endsWith(fingerprint); }));
        QVERIFY(gui.window->Label_configuration->text().contains("fleet-2.chann"));
        // The radios read first are kept; the two that could not be read are not written.
        QCOMPARE(QDir(backups()).entryList(QDir::Files).size(), 3);

        // The log file has one line per radio, as the window shows them, oldest first.
        const QStringList lines = logLines(logFile());
        QCOMPARE(lines.first(),
                 "time,port,location,identification,fingerprint,configuration,result,seconds");
        QCOMPARE(lines.size(), 6);
        for (int i = 1; i <= 5; ++i) {
            const QTreeWidgetItem* shown = gui.window->List_log->topLevelItem(5 - i);
            const QStringList fields = lines[i].split(',');
            QCOMPARE(fields[0], shown->text(0));
            QVERIFY(QRegularExpression(R"(^\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d[+-]\d\d:\d\d$)")
                        .match(fields[0])
                        .hasMatch());
            QVERIFY(ports.contains(fields[1]));
            QCOMPARE(fields[4], fingerprint);
            QCOMPARE(fields[5], "fleet.chann");
            QVERIFY(shown->text(5).startsWith(fields[6]));
        }
        // Each radio answered with its identification, silent one aside.
        QCOMPARE(lines.filter(QRegularExpression(",[0-9A-F]{12},")).size(), 4);

        // Export: the lines shown, as CSV, in the log file's order.
        const QString exported = dir.filePath("export.csv");
        setFileChooser([&](QWidget*, FileChoiceKind kind, const QString&, const QString&,
                           const QString& suffix) {
            return kind == FileChoiceKind::Save && suffix == "csv" ? exported : QString();
        });
        QTest::mouseClick(gui.window->Command_export_log, Qt::LeftButton);
        setFileChooser({});
        QCOMPARE(logLines(exported), lines);
    }

    // Repeat, in Chinese: a radio left on its cable is not programmed again; the one that
    // takes its place on the same cable is, once. The cable is a link, as udev's by-path ones.
    void repeatProgramsEachNewRadioOnce() {
        const QString cable = dir.filePath("cable-1.3");
        Radio first = radio("first", {});
        QVERIFY(first.sim);
        QVERIFY(QFile::link(first.sim->pty, cable));
        StationGui gui({cable}, true);
        gui.state->CurrentFilePath.clear();  // an unsaved configuration
        gui.window->Check_repeat->click();
        gui.start();
        QTRY_COMPARE_WITH_TIMEOUT(gui.of(cable, Form_Station::StateColumn), "请取下对讲机", 20000);
        shot(gui.window->subWindow(), "station_repeat_zh");
        QTest::qWait(3500);  // probes that find the radio in place
        const QString seen = first.sim->log();
        // Backup, write, verify; the probes since are no sessions of programming.
        QVERIFY2(seen.endsWith("session 3 ended (32 read replies, 49 rows written so far)\n"),
                 qPrintable(seen));
        QCOMPARE(gui.of(cable, Form_Station::DoneColumn), "1");
        QCOMPARE(gui.window->List_log->topLevelItemCount(), 1);
        QCOMPARE(gui.of(cable, Form_Station::StateColumn), "请取下对讲机");

        QVERIFY(first.sim->stop());  // taken off, and its pseudo-terminal with it
        QVERIFY(loadImage(first.memory));
        QTRY_COMPARE_WITH_TIMEOUT(gui.of(cable, Form_Station::StateColumn), "端口无法打开，重试中",
                                  4000);
        Radio second = radio("second", {});
        QVERIFY(second.sim);
        QFile::remove(cable);
        QVERIFY(QFile::link(second.sim->pty, cable));
        QTRY_COMPARE_WITH_TIMEOUT(gui.of(cable, Form_Station::StateColumn), "写入", 5000);
        shot(gui.window->subWindow(), "station_run_zh");
        QTRY_COMPARE_WITH_TIMEOUT(gui.of(cable, Form_Station::DoneColumn), "2", 20000);
        QTest::qWait(2500);
        QCOMPARE(gui.of(cable, Form_Station::DoneColumn), "2");
        QVERIFY(gui.window->Label_totals->text().startsWith("完成 2    失败 0"));
        QCOMPARE(gui.window->List_log->topLevelItem(0)->text(5), "已校验");
        QVERIFY(gui.window->List_log->topLevelItem(0)->text(3).endsWith("未保存"));
        // The log file keeps its own words whatever the window's language.
        const QStringList lines = logLines(logFile());
        for (const QString& line : lines.mid(lines.size() - 2)) {
            QCOMPARE(line.section(',', 5, 5), "not saved");
            QCOMPARE(line.section(',', 6, 6), "verified");
        }
        QTest::mouseClick(gui.window->Command_stop, Qt::LeftButton);
        QVERIFY(!gui.window->transferInProgress());
        QCOMPARE(gui.of(cable, Form_Station::StateColumn), "已结束");
        QVERIFY(second.sim->stop());
        const auto held = loadImage(second.memory);
        QVERIFY(held);
        for (int r = 0; r <= 48; ++r) QCOMPARE((*held)(r, 14), 0x3C);
    }

    // Stop in the middle of the writes: every port ends at once, each radio is told to leave
    // programming mode, no radio is logged, and Start works again.
    void stopEndsEveryPortBetweenFrames() {
        std::vector<Radio> radios;
        QStringList ports;
        for (const char* name : {"paced1", "paced2"}) {
            radios.push_back(radio(name, {"--baud"}));
            QVERIFY(radios.back().sim);
            ports << radios.back().sim->pty;
        }
        StationGui gui(ports);
        gui.window->Check_backup->click();
        // Stopped before any port has begun: the run is over at once all the same.
        gui.start();
        QTest::mouseClick(gui.window->Command_stop, Qt::LeftButton);
        QVERIFY(!gui.window->transferInProgress());
        QVERIFY(gui.window->Command_start->isEnabled());

        gui.start();
        auto* bar = qobject_cast<QProgressBar*>(
            gui.window->Table_ports->cellWidget(gui.row(ports[1]), Form_Station::ProgressColumn));
        QTRY_VERIFY_WITH_TIMEOUT(bar->value() >= 20, 10000);
        QTest::mouseClick(gui.window->Command_stop, Qt::LeftButton);
        QTRY_VERIFY(!gui.window->transferInProgress());
        QVERIFY(gui.window->Command_start->isEnabled());
        for (const QString& p : ports) QCOMPARE(gui.of(p, Form_Station::StateColumn), "ended");
        // Each radio stopped part-way has its line: what it holds, and that it must be written.
        QCOMPARE(gui.window->List_log->topLevelItemCount(), 2);
        for (const QString& p : ports)
            QVERIFY2(gui.of(p, Form_Station::ResultColumn).contains("write it again"),
                     qPrintable(gui.of(p, Form_Station::ResultColumn)));
        for (Radio& r : radios) {
            QTRY_VERIFY(r.sim->log().contains("session 1 ended"));
            QVERIFY(r.sim->stop());
            const auto held = loadImage(r.memory);
            QVERIFY(held);
            // Part of the configuration went in; nothing past where it was stopped.
            QCOMPARE((*held)(0, 14), 0x3C);
            QCOMPARE((*held)(48, 14), 0x77);
        }
    }

    // The window's close is refused while it runs; Exit asks, and Stop and quit stops the run.
    void leavingDuringARun() {
        Radio r = radio("leaving", {"--baud"});
        QVERIFY(r.sim);
        StationGui gui({r.sim->pty});
        gui.start();
        QTRY_VERIFY(gui.window->transferWritesRadio());  // once a port has begun
        gui.window->subWindow()->close();
        QVERIFY(gui.main->child("Form_Station"));
        QCOMPARE(gui.messages->lastText(),
                 "Radios are being programmed; don't close the window. Press Stop first.");
        // Prog_station again brings the window to the front without ending its run.
        gui.main->runCommand("Prog_station");
        QCOMPARE(gui.main->child("Form_Station"), gui.window);
        QVERIFY(gui.window->transferInProgress());

        QTimer presser;
        presser.setInterval(5);
        QString asked;
        connect(&presser, &QTimer::timeout, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                presser.stop();
                asked = box->text();
                test::shot(box, "station_leave_question");
                QTest::mouseClick(box->findChild<QPushButton*>("StopAndQuit"), Qt::LeftButton);
            }
        });
        presser.start();
        gui.messages->answer = QMessageBox::Discard;
        gui.main->findChild<QAction*>("Menu_exit")->trigger();
        QVERIFY2(asked.contains("must be written again"), qPrintable(asked));
        QVERIFY(!gui.main->isVisible());
        QVERIFY(!gui.main->child("Form_Station"));
    }

    // The toolkit's defaults: the wheel changes no check box, Add port asks for a path with the
    // standard buttons in the window's language, F1 and Help open the station's page.
    void controlsBehaveAsTheToolkitDoes() {
        for (bool chinese : {false, true}) {
            StationGui gui({"/dev/nv742-none"}, chinese);
            QCOMPARE(gui.window->windowTitle(), chinese ? "批量写频" : "Program several radios");
            const int row = gui.row("/dev/nv742-none");
            QCOMPARE(gui.window->Table_ports->item(row, 0)->checkState(), Qt::Checked);
            for (QWidget* w : {static_cast<QWidget*>(gui.window->Check_backup),
                               static_cast<QWidget*>(gui.window->Check_repeat),
                               gui.window->Table_ports->viewport()})
                turnWheel(w, 2);
            QVERIFY(gui.window->Check_backup->isChecked());
            QVERIFY(!gui.window->Check_repeat->isChecked());
            QCOMPARE(gui.window->Table_ports->item(row, 0)->checkState(), Qt::Checked);

            // Space checks a row from any column; Tab leaves the table and reaches Start.
            QTableWidget* table = gui.window->Table_ports;
            gui.main->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(gui.main.get()));
            table->setFocus();
            table->setCurrentCell(row, Form_Station::StateColumn);
            for (Qt::CheckState after : {Qt::Unchecked, Qt::Checked}) {
                QTest::keyClick(table, Qt::Key_Space);
                QCOMPARE(table->item(row, 0)->checkState(), after);
            }
            for (int tab = 0; tab < 4; ++tab)  // the options, Add port, then Start
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), gui.window->Command_start);

            QStringList buttons;
            QTimer typer;
            typer.setInterval(10);
            connect(&typer, &QTimer::timeout, [&] {
                auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
                if (!dialog) return;
                typer.stop();
                for (QAbstractButton* b : dialog->findChild<QDialogButtonBox*>()->buttons())
                    buttons << b->text().remove('&');
                dialog->findChild<QLineEdit*>()->setText(" /dev/ttyUSB7 ");
                dialog->accept();
            });
            typer.start();
            QTest::mouseClick(gui.window->Command_add_port, Qt::LeftButton);
            buttons.sort();
            QCOMPARE(buttons,
                     chinese ? QStringList({"取消", "确定"}) : QStringList({"Cancel", "OK"}));
            QCOMPARE(gui.window->Table_ports->item(gui.row("/dev/ttyUSB7"), 0)->checkState(),
                     Qt::Checked);

            // A built-in virtual radio is named in the window's language.
            gui.window->addPort(virtualStationTarget(2), false);
            const int last = gui.window->Table_ports->rowCount() - 1;
            QCOMPARE(gui.cell(last, Form_Station::PortColumn),
                     chinese ? "虚拟对讲机 2" : "virtual radio 2");
            QCOMPARE(gui.cell(last, Form_Station::KnownColumn), chinese ? "内置" : "built-in");

            // With repeat, a port that will not open says why while it is tried again.
            gui.window->Check_repeat->click();
            gui.start();
            QTRY_COMPARE(gui.of("/dev/nv742-none", Form_Station::ResultColumn),
                         chinese ? "端口无法打开：/dev/nv742-none：设备不存在"
                                 : "port would not open: /dev/nv742-none: the device does not exist");
            QCOMPARE(gui.of("/dev/nv742-none", Form_Station::StateColumn),
                     chinese ? "端口无法打开，重试中" : "port would not open; trying again");
            gui.window->Command_stop_Click();
            gui.window->Check_repeat->click();

            // Start with nothing checked says so and runs nothing.
            for (int r = 0; r < gui.window->Table_ports->rowCount(); ++r)
                gui.window->Table_ports->item(r, 0)->setCheckState(Qt::Unchecked);
            gui.start();
            QVERIFY(!gui.window->transferInProgress());
            QCOMPARE(gui.messages->lastText(),
                     chinese ? "请先勾选要使用的端口 ！" : "Check the ports to use first.");
        }
    }
};

QTEST_MAIN(StationWindowTest)
#include "StationWindowTest.moc"
