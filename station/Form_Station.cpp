#include "station/Form_Station.h"

#include <QAbstractEventDispatcher>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "files/FileIo.h"
#include "link/SerialPort.h"
#include "link/WriteLink.h"
#include "widgets/FileChoice.h"
#include "widgets/Messages.h"

namespace nv {

namespace {

// The result, the one text of any length, comes last: the seconds never leave the view for it.
enum LogColumn { LogTime, LogPort, LogRadio, LogConfiguration, LogSeconds, LogResult, LogColumns };

// How far one radio has come, over its whole cycle: the sequence tells the percent within each
// transfer, the row shows the radio.
int radioPercent(StationPort::State s, int percent, bool backup) {
    using S = StationPort::State;
    const int steps = backup ? 3 : 2;
    const int step = s == S::Backup ? 0 : s == S::Write || s == S::Check ? steps - 2 : steps - 1;
    switch (s) {
        case S::Check:  // the write starts again
            return step * 100 / steps;
        case S::Backup:
        case S::Write:
        case S::Verify:
            return (step * 100 + std::clamp(percent, 0, 100)) / steps;
        case S::WaitGone:
            return 100;
        default:
            return 0;
    }
}

bool sameRowsWritten(const Image& a, const Image& b) {
    for (int r = 0; r <= LastWrittenRow; ++r)
        for (int c = 0; c < RadioCells; ++c)
            if (a.byte(r, c) != b.byte(r, c)) return false;
    return true;
}

// A port the machine lists is a programming cable when it is a USB adapter; the built-in
// serial ports are left unchecked, since a run on them would only fail for want of an answer.
bool looksLikeCable(const StationTarget& t) { return t.details.startsWith("USB"); }

// No file's name: a channel file's ends in .chann.
const QString NotSaved = QStringLiteral("not saved");

}  // namespace

Form_Station::Form_Station(AppState& s, Workspace& workspace) : MdiChild(s, workspace) {
    setObjectName("Form_Station");
    Label_configuration = new QLabel(this);
    Label_configuration->setObjectName("Label_configuration");
    Label_configuration->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Table_ports = new QTableWidget(0, Columns, this);
    Table_ports->setObjectName("Table_ports");
    Label_totals = new QLabel(this);
    Label_totals->setObjectName("Label_totals");
    Check_backup = new QCheckBox(this);
    Check_backup->setObjectName("Check_backup");
    Check_backup->setChecked(true);
    Check_repeat = new QCheckBox(this);
    Check_repeat->setObjectName("Check_repeat");
    List_log = new QTreeWidget(this);
    List_log->setObjectName("List_log");
    auto button = [this](const char* name, void (Form_Station::*click)()) {
        auto* b = new QPushButton(this);
        b->setObjectName(name);
        connect(b, &QPushButton::clicked, this, click);
        return b;
    };
    Command_start = button("Command_start", &Form_Station::Command_start_Click);
    Command_stop = button("Command_stop", &Form_Station::Command_stop_Click);
    Command_add_port = button("Command_add_port", &Form_Station::Command_add_port_Click);
    Command_export_log = button("Command_export_log", &Form_Station::Command_export_log_Click);
    Command_Help = new QPushButton(this);
    Command_Help->setObjectName("Command_Help");
    connect(Command_Help, &QPushButton::clicked, this, &MdiChild::showHelp);
    buildLayout();
    // No window tells its changes of the image: the top looks whenever the program goes idle.
    connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
            &Form_Station::followConfiguration);
}

Form_Station::~Form_Station() {
    // The window goes with the program or a new instance: radios in programming mode still get
    // the end byte.
    if (run_) run_->stop();
}

void Form_Station::buildLayout() {
    Table_ports->verticalHeader()->hide();
    Table_ports->setSelectionBehavior(QAbstractItemView::SelectRows);
    Table_ports->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Table_ports->setWordWrap(false);
    // Tab leaves the table for the controls under it; Space checks a row from any column.
    Table_ports->setTabKeyNavigation(false);
    Table_ports->installEventFilter(this);
    Table_ports->horizontalHeader()->setStretchLastSection(true);
    List_log->setRootIsDecorated(false);
    List_log->setColumnCount(LogColumns);

    auto* options = new QHBoxLayout;
    options->addWidget(Check_backup);
    options->addWidget(Check_repeat);
    options->addStretch();
    options->addWidget(Command_add_port);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {Command_start, Command_stop}) buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(Command_export_log);
    buttons->addWidget(Command_Help);
    for (QPushButton* b :
         {Command_start, Command_stop, Command_add_port, Command_export_log, Command_Help})
        b->setMinimumWidth(90);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label_configuration);
    layout->addWidget(Table_ports, 3);
    layout->addWidget(Label_totals);
    layout->addLayout(options);
    layout->addLayout(buttons);
    layout->addWidget(List_log, 2);
    // Tab goes as the eye reads the window: top to bottom, left to right.
    QWidget* order[] = {Table_ports,        Check_backup,  Check_repeat,
                        Command_add_port,   Command_start, Command_stop,
                        Command_export_log, Command_Help,  List_log};
    for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
}

bool Form_Station::eventFilter(QObject* watched, QEvent* event) {
    if (watched != Table_ports || event->type() != QEvent::KeyPress ||
        static_cast<QKeyEvent*>(event)->key() != Qt::Key_Space)
        return MdiChild::eventFilter(watched, event);
    QTableWidgetItem* use = Table_ports->item(Table_ports->currentRow(), PortColumn);
    if (use && (use->flags() & Qt::ItemIsUserCheckable))
        use->setCheckState(use->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
    return true;
}

void Form_Station::load() {
    setWindowTitle(text("批量写频", "Program several radios"));
    Table_ports->setHorizontalHeaderLabels({text("端口", "Port"), text("设备信息", "Device"),
                                            text("状态", "State"), text("进度", "Progress"),
                                            text("完成", "Done"), text("失败", "Failed"),
                                            text("最近结果", "Last result")});
    List_log->setHeaderLabels({text("时间", "Time"), text("端口", "Port"),
                               text("对讲机识别码", "Radio"), text("配置", "Configuration"),
                               text("秒", "Seconds"), text("结果", "Result")});
    Check_backup->setText(text("写入前备份原数据", "Back up each radio first"));
    Check_repeat->setText(text("连续：等待下一台对讲机", "Repeat: wait for the next radio"));
    Command_start->setText(text("开始", "Start"));
    Command_stop->setText(text("停止", "Stop"));
    Command_add_port->setText(text("添加端口…", "Add port…"));
    Command_export_log->setText(text("导出日志…", "Export log…"));
    Command_Help->setText(text("帮助", "Help"));
    listPorts();
    showConfiguration(configurationName(), QString());
    setRunning(false);
    showTotals();
    const int w = static_cast<int>(mainWidth() / 1.2), h = static_cast<int>(mainHeight() / 1.3);
    placeWindow(std::max(0, (mainWidth() - w) / 2), std::max(0, (mainHeight() - h) / 4), w, h);
    show();
}

void Form_Station::activated() { followConfiguration(); }

// Between runs the top names the configuration a Start would take, following every edit, load
// and save of the image; its fingerprint is shown while it is still the last run's. During a
// run it keeps what Start took.
void Form_Station::followConfiguration() {
    if (transferInProgress()) return;
    const bool sameAsRun = run_ && sameRowsWritten(state.RadioImage, run_->job().image);
    showConfiguration(configurationName(), sameAsRun ? qs(run_->job().fingerprint) : QString());
}

void Form_Station::listPorts() {
    for (const StationTarget& t : systemStationTargets()) addPort(t, looksLikeCable(t));
    const PortLayer& ports = workspace.ports();
    for (const std::string& path : ports.stationPorts)
        addPort(stationTargetForPath(QString::fromStdString(path)), true);
    if (ports.stationVirtualRadios)
        for (int i = 1; i <= 4; ++i) addPort(virtualStationTarget(i), true);
    Table_ports->resizeColumnsToContents();
    // The state changes all through a run: its column fits the longest of them from the start.
    int stateWidth = Table_ports->columnWidth(StateColumn);
    for (auto s :
         {StationPort::State::Backup, StationPort::State::Check, StationPort::State::Verify,
          StationPort::State::WaitGone, StationPort::State::WaitNext, StationPort::State::NoPort})
        stateWidth = std::max(
            stateWidth,
            Table_ports->fontMetrics().horizontalAdvance(qs(stationStateText(s, chinese))) + 16);
    Table_ports->setColumnWidth(StateColumn, stateWidth);
    Table_ports->setColumnWidth(ProgressColumn,
                                std::max(120, Table_ports->columnWidth(ProgressColumn)));
}

void Form_Station::addPort(const StationTarget& target, bool use) {
    for (const StationTarget& t : targets_)
        if (t.name == target.name) return;  // one row per port
    const int row = Table_ports->rowCount();
    Table_ports->insertRow(row);
    targets_.push_back(target);
    auto* port = new QTableWidgetItem(shownPort(target));
    port->setToolTip(port->text());  // a long device path is cut in the cell
    port->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    port->setCheckState(use ? Qt::Checked : Qt::Unchecked);
    Table_ports->setItem(row, PortColumn, port);
    QStringList known;
    const QString details = target.device.isEmpty() ? text("内置", "built-in") : target.details;
    for (const QString& part : {details, target.location})
        if (!part.isEmpty()) known << part;
    setCell(row, KnownColumn, known.join(", "));
    setCell(row, StateColumn, qs(stationStateText(StationPort::State::Idle, chinese)));
    auto* bar = new QProgressBar(Table_ports);
    bar->setRange(0, 100);
    bar->setValue(0);
    Table_ports->setCellWidget(row, ProgressColumn, bar);
    setCell(row, DoneColumn, "0");
    setCell(row, FailedColumn, "0");
    setCell(row, ResultColumn, QString());
    Table_ports->resizeColumnToContents(PortColumn);
}

// A built-in virtual radio is named in the log file's words; the window says it in its own.
QString Form_Station::shownPort(const StationTarget& target) const {
    if (!target.device.isEmpty()) return target.name;
    return text("虚拟对讲机 %1", "virtual radio %1").arg(target.name.section(' ', -1));
}

void Form_Station::setCell(int row, Column column, const QString& text) {
    QTableWidgetItem* item = Table_ports->item(row, column);
    if (!item) {
        item = new QTableWidgetItem;
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        if (column == DoneColumn || column == FailedColumn)
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        Table_ports->setItem(row, column, item);
    }
    item->setText(text);
}

int Form_Station::countIn(int row, Column column) const {
    return Table_ports->item(row, column)->text().toInt();
}

// The channel file the image is, unchanged; anything else (edits since, a read, an .adj file
// opened last) is "not saved", so that the log never pairs a file's name with other bytes. These
// are the log file's words, the same in either language; the window shows them in its own.
QString Form_Station::configurationName() const {
    const QFileInfo file(QString::fromStdString(state.CurrentFilePath));
    const bool isTheFile = !state.CurrentFilePath.empty() && state.ReadFromPort == 0 &&
                           imageKept(state) &&
                           file.suffix().compare("chann", Qt::CaseInsensitive) == 0;
    return isTheFile ? file.fileName() : NotSaved;
}

QString Form_Station::shownName(const QString& name) const {
    return name == NotSaved ? text("未保存", "not saved") : name;
}

void Form_Station::showConfiguration(const QString& name, const QString& fingerprint) {
    const QString shown =
        text("配置：%1    指纹：%2", "Configuration: %1    Fingerprint: %2")
            .arg(shownName(name),
                 fingerprint.isEmpty() ? text("按“开始”时确定", "taken at Start") : fingerprint);
    if (Label_configuration->text() != shown) Label_configuration->setText(shown);
}

// Every radio of the run gets these bytes, whatever is edited meanwhile.
StationJob Form_Station::takeJob() const {
    StationJob job;
    job.image = state.RadioImage;
    job.fingerprint = stationFingerprint(job.image);
    job.name = configurationName().toStdString();
    job.backup = Check_backup->isChecked();
    job.repeat = Check_repeat->isChecked();
    return job;
}

void Form_Station::Command_start_Click() {
    if (transferInProgress()) return;
    std::vector<StationTarget> chosen;
    runRows_.clear();
    for (int row = 0; row < Table_ports->rowCount(); ++row) {
        if (Table_ports->item(row, PortColumn)->checkState() != Qt::Checked) continue;
        chosen.push_back(targets_[static_cast<std::size_t>(row)]);
        runRows_.push_back(row);
    }
    if (chosen.empty())
        return prompt(state, this, "请先勾选要使用的端口 ！", "Check the ports to use first.");
    if (const StationTarget* twice = sameDeviceTwice(chosen))
        return prompt(state, this,
                      QStringLiteral("%1 与另一个勾选的端口是同一设备，请只勾选其一 ！").arg(twice->name),
                      QStringLiteral("%1 leads to the same device as another checked port: "
                                     "check only one of them.")
                          .arg(twice->name));
    StationJob job = takeJob();
    showConfiguration(qs(job.name), qs(job.fingerprint));
    ended_.assign(runRows_.size(), false);
    for (int row : runRows_) {
        setCell(row, ResultColumn, QString());
        static_cast<QProgressBar*>(Table_ports->cellWidget(row, ProgressColumn))->setValue(0);
    }
    AppState words = state;  // the sequence's words are in the window's language
    words.LanguageChinese = chinese;
    StationRun::Events e;
    e.changed = [this](std::size_t i, StationPort::State s, int percent) {
        portChanged(i, s, percent);
    };
    e.finished = [this](std::size_t i, const StationLogLine& line, const StationRadio& radio,
                        const QString& logError) { radioFinished(i, line, radio, logError); };
    e.portProblem = [this](std::size_t i, const StationWords& why) {
        setCell(runRows_[i], ResultColumn, qs(why.shown));  // what the row waits for
    };
    e.ended = [this] { runEnded(); };
    run_.reset();
    run_ = std::make_unique<StationRun>(words, std::move(job), std::move(chosen),
                                        defaultStationLog(), std::move(e));
    logErrorTold_ = false;
    runClock_.start();
    setRunning(true);
    run_->start();
}

void Form_Station::Command_stop_Click() { stopTransfer(); }

void Form_Station::stopTransfer() {
    if (run_) run_->stop();
}

bool Form_Station::transferInProgress() const { return run_ && run_->running(); }
bool Form_Station::transferWritesRadio() const { return run_ && run_->programming(); }

QString Form_Station::stopConsequence(bool chinese) const {
    if (run_ && run_->reading())
        return chinese ? QStringLiteral("批量写频正在读取对讲机（备份或校验）。现在停止，没有对讲机只写入一半，"
                                        "但这些对讲机不会记为已校验，需重新编程。")
                       : QStringLiteral("The station is reading radios (a backup or the read-back "
                                        "that verifies one). If you stop now, no radio is left "
                                        "half-written, but those radios are not logged as "
                                        "verified and must be programmed again.");
    return chinese ? QStringLiteral("批量写频正在等待对讲机，目前没有对讲机在编程。现在停止不影响任何对讲机。")
                   : QStringLiteral("The station is waiting for radios; none is being programmed "
                                    "now. If you stop now, no radio is affected.");
}

void Form_Station::setRunning(bool running) {
    Command_start->setEnabled(!running);
    Command_stop->setEnabled(running);
    Command_add_port->setEnabled(!running);
    Check_backup->setEnabled(!running);
    Check_repeat->setEnabled(!running);
    // The ports of a run are fixed when it starts.
    for (int row = 0; row < Table_ports->rowCount(); ++row) {
        QTableWidgetItem* port = Table_ports->item(row, PortColumn);
        port->setFlags(running ? port->flags() & ~Qt::ItemIsUserCheckable
                               : port->flags() | Qt::ItemIsUserCheckable);
    }
}

void Form_Station::portChanged(std::size_t i, StationPort::State s, int percent) {
    const int row = runRows_[i];
    setCell(row, StateColumn, qs(stationStateText(s, chinese)));
    ended_[i] = s == StationPort::State::Ended;
    if (ended_[i]) return;  // the bar keeps where the radio got to
    static_cast<QProgressBar*>(Table_ports->cellWidget(row, ProgressColumn))
        ->setValue(radioPercent(s, percent, run_->job().backup));
}

// The window shows the result in its language; the log file and the export keep the log's words.
void Form_Station::radioFinished(std::size_t i, const StationLogLine& line,
                                 const StationRadio& radio, const QString& logError) {
    const int row = runRows_[i];
    const Column count = radio.verified ? DoneColumn : FailedColumn;
    setCell(row, count, QString::number(countIn(row, count) + 1));
    (radio.verified ? done_ : failed_)++;
    QString result = qs(radio.shownResult);
    if (!logError.isEmpty())
        result += text("（日志未写入：%1）", " (not in the log file: %1)").arg(logError);
    setCell(row, ResultColumn, result);
    Table_ports->item(row, ResultColumn)->setToolTip(result);  // a long cause is cut in the cell
    // A port ends before its radio's line is on the disk: the line tells how it ended.
    if (ended_[i] && !radio.stopped)
        setCell(row, StateColumn, radio.verified ? text("完成", "done") : text("失败", "failed"));

    log_.push_back(line);
    const QString port = Table_ports->item(row, PortColumn)->text();
    const QString where = line.location.empty() ? port : port + " (" + qs(line.location) + ")";
    auto* item =
        new QTreeWidgetItem({qs(line.time), where, qs(line.identification),
                             qs(line.fingerprint) + "  " + shownName(qs(line.configuration)),
                             QString::number(line.seconds, 'f', 1), result});
    item->setTextAlignment(LogSeconds, Qt::AlignRight | Qt::AlignVCenter);
    item->setToolTip(LogResult, result);
    List_log->insertTopLevelItem(0, item);  // newest first
    for (int c = 0; c < LogColumns; ++c) List_log->resizeColumnToContents(c);
    showTotals();
    // Said once a run: the radios go on being programmed while the box is up.
    if (!logError.isEmpty() && !logErrorTold_) {
        logErrorTold_ = true;
        prompt(state, this, "批量写频日志无法写入：" + logError,
               "The station's log file cannot be written: " + logError);
    }
}

void Form_Station::runEnded() {
    earlierRunsSeconds_ += static_cast<double>(runClock_.elapsed()) / 1000.0;
    runClock_.invalidate();
    setRunning(false);
    showTotals();
}

void Form_Station::showTotals() {
    double seconds = earlierRunsSeconds_;
    if (runClock_.isValid()) seconds += static_cast<double>(runClock_.elapsed()) / 1000.0;
    const int perHour = seconds > 0 ? static_cast<int>(done_ * 3600.0 / seconds + 0.5) : 0;
    Label_totals->setText(
        text("完成 %1    失败 %2    每小时 %3 台", "Done %1    Failed %2    %3 radios per hour")
            .arg(done_)
            .arg(failed_)
            .arg(perHour));
}

void Form_Station::Command_add_port_Click() {
    bool ok = false;
    const QString path = QInputDialog::getText(this, text("添加端口", "Add port"),
                                               text("设备路径（例如 /dev/ttyUSB0）：",
                                                    "Device path (for example /dev/ttyUSB0):"),
                                               QLineEdit::Normal, QString(), &ok)
                             .trimmed();
    if (ok && !path.isEmpty()) addPort(stationTargetForPath(path), true);
}

void Form_Station::Command_export_log_Click() {
    const QString path = chooseFile(this, FileChoiceKind::Save, text("导出日志", "Export log"),
                                    text("CSV 文件 (*.csv)", "CSV files (*.csv)"), "csv");
    if (path.isEmpty()) return;
    std::string csv = stationLogHeader();
    for (const StationLogLine& line : log_) csv += stationLogCsv(line);
    FileProblem problem;
    if (!writeFileAtomically(path, QByteArray::fromStdString(csv), &problem))
        prompt(state, this, problem.text(true), problem.text(false));
}

void Form_Station::closeEvent(QCloseEvent* event) {
    // Like the link windows: the user's close does not cut a run short; Stop does. The program
    // itself (a new instance, the end of the program after its own question) always closes it.
    if (!closingByProgram && transferInProgress()) {
        event->ignore();
        prompt(state, this, "正在批量写频，请勿关闭窗口 ！请先按“停止”。",
               "Radios are being programmed; don't close the window. Press Stop first.");
        return;
    }
    event->accept();
}

}  // namespace nv
