#pragma once
// The programming station: one configuration written to the radios on many ports at once, each
// read back and compared, each radio's line in the log. The window only chooses the ports and
// shows what the run reports; the run itself is StationRun's.

#include <QElapsedTimer>
#include <memory>
#include <vector>

#include "station/StationRun.h"
#include "widgets/MdiChild.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QTableWidget;
class QTreeWidget;

namespace nv {

class Form_Station : public MdiChild {
    Q_OBJECT
  public:
    // The columns of Table_ports.
    enum Column {
        PortColumn,
        KnownColumn,
        StateColumn,
        ProgressColumn,
        DoneColumn,
        FailedColumn,
        ResultColumn,
        Columns
    };

    Form_Station(AppState& state, Workspace& workspace);
    ~Form_Station() override;
    void load() override;
    void activated() override;

    void Command_start_Click();
    void Command_stop_Click();
    void Command_add_port_Click();
    void Command_export_log_Click();
    // A row for a port, checked (used) or not.
    void addPort(const StationTarget& target, bool use);

    // Every port of a run is a transfer that writes a radio.
    bool transferInProgress() const override;
    bool transferWritesRadio() const override;
    void stopTransfer() override;
    QString stopConsequence(bool chinese) const override;

    QLabel* Label_configuration;
    QTableWidget* Table_ports;
    QLabel* Label_totals;
    QCheckBox* Check_backup;
    QCheckBox* Check_repeat;
    QPushButton* Command_start;
    QPushButton* Command_stop;
    QPushButton* Command_add_port;
    QTreeWidget* List_log;
    QPushButton* Command_export_log;
    QPushButton* Command_Help;

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildLayout();
    void listPorts();
    QString configurationName() const;
    QString shownName(const QString& name) const;
    StationJob takeJob() const;
    void followConfiguration();
    void showConfiguration(const QString& name, const QString& fingerprint);
    void setRunning(bool running);
    void portChanged(std::size_t port, StationPort::State s, int percent);
    void radioFinished(std::size_t port, const StationLogLine& line, const StationRadio& radio,
                       const QString& logError);
    void runEnded();
    void showTotals();
    QString shownPort(const StationTarget& target) const;
    void setCell(int row, Column column, const QString& text);
    int countIn(int row, Column column) const;

    std::vector<StationTarget> targets_;  // one per row of the table
    std::unique_ptr<StationRun> run_;
    std::vector<int> runRows_;         // the table row of each port of the run
    std::vector<bool> ended_;          // whether each port of the run has ended
    std::vector<StationLogLine> log_;  // the lines shown, oldest first
    int done_ = 0;
    int failed_ = 0;
    double earlierRunsSeconds_ = 0;  // the time of the runs before the current one
    QElapsedTimer runClock_;
    bool logErrorTold_ = false;
};

}  // namespace nv
