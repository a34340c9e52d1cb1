#pragma once
// The adjustment window: squelch thresholds, transmit power per frequency point, deviations,
// modulation sensitivity and audio switches of the radio's adjustment area. Every change lands
// in the adjustment table at once; Read and Write move the table over the adjustment link, Open
// and Save keep it in .adj files.

#include <array>
#include <memory>

#include "adjust/AdjustLink.h"
#include "link/QtLinkTimers.h"
#include "widgets/MdiChild.h"
#include "widgets/Messages.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;

namespace nv {

class frm_Adj_Txp : public MdiChild, protected LinkView {
    Q_OBJECT
  public:
    static constexpr int Points = 10;

    frm_Adj_Txp(AppState& state, Workspace& workspace);
    ~frm_Adj_Txp() override;
    void load() override;

    // The display routine: shows the table; values beyond a list are stored as its last entry.
    void showTable();
    // A file chosen in one of the two .adj dialogs.
    void loadFile(const QString& path);
    void saveFile(const QString& path);

    void Command_read_Click();
    void Command_write_Click();
    void Command_Open_Click();
    void Command_Save_Click();
    void Command_close_Click();

    AdjustLink& link() { return *link_; }
    bool transferRunning() const { return link_ && (link_->AdjReading() || link_->AdjWriting()); }
    bool transferInProgress() const override { return link_ && link_->running(); }
    bool transferWritesRadio() const override { return link_ && link_->writes(); }
    void stopTransfer() override {
        if (link_) inEngine([&] { link_->stop(); });
    }

    // Control arrays: Combo_sq_open and Label1 use items 1 to 9, the others 0 to 9.
    std::array<QComboBox*, Points> Combo_sq_open{};
    std::array<QLabel*, Points> Label1{};
    std::array<QComboBox*, Points> Combo_SQL_Offset{};
    std::array<QLabel*, Points> Label_Freq{};
    std::array<QComboBox*, Points> Combo_Txp_H{};
    std::array<QLabel*, Points> Label_TXP_H{};
    std::array<QComboBox*, Points> Combo_Txp_L{};
    std::array<QLabel*, Points> Label_Txp_L{};
    QLabel *Label2, *Label9;
    QGroupBox *Frame_Txp_H, *Frame_Txp_L, *Frame_TX, *Frame_RX;
    QComboBox *Combo_dev_Voice, *Combo_dev_ctcss, *Combo_dev_dcs, *Combo_Rx_VH, *Combo_Rx_VL,
        *Combo_JT;
    QLabel *Label_dev_Voice, *Label_dev_ctcss, *Label_dev_dcs, *Label_Rx_VH, *Label_Rx_VL,
        *Label_JT;
    QCheckBox *Check_WN_TX, *Check_PRE_TX, *Check_V_HPF_TX, *Check_V_LPF_TX;
    QCheckBox *Check_WN_RX, *Check_PRE_RX, *Check_V_HPF_RX, *Check_V_LPF_RX;
    QCheckBox* Check_VHF_UHF;
    QLabel *Label_ver, *Label_version;
    QPushButton *Command_read, *Command_write, *Command_Open, *Command_Save, *Command_close;
    QProgressBar* ProgressBar1;
    QLabel* Label_tr_count;
    std::unique_ptr<SerialPort> MSC;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    struct Editor {
        QComboBox* combo;
        int row;
        int cell;
    };
    struct Switch {
        QCheckBox* box;
        int cell;
        int bit;
    };

    void buildControls();
    QLayout* buildLayout();
    void setCaptions();
    void fillLists();
    void connectEditors();
    QList<Editor> editors() const;
    QList<Switch> switches() const;

    void comboChanged(const Editor& e, int index);
    void switchChanged(const Switch& s, bool on);
    // The other controls of a cell that a list and four switch boxes share, from the stored
    // byte, without storing anything.
    void showSharedCell(int cell);
    void Check_VHF_UHF_Click();
    void setEditorsEnabled(bool enabled);
    bool refuseWhileTransferring();
    void closeDialogs();

    // LinkView
    void setProgress(int value) override;
    void setLabel(const std::string& text) override;
    void message(const std::string& text, bool done) override;
    void requestClose() override {}
    void transferEnded() override { dismissMessages(this); }

    // Runs engine code, then follows the transfer flags with the editors.
    template <class F>
    void inEngine(F f) {
        f();
        setEditorsEnabled(!transferRunning());
    }

    std::unique_ptr<QtLinkTimers> timers_;
    std::unique_ptr<AdjustLink> link_;
};

}  // namespace nv
