#pragma once
// What the read and the write window share: the serial port, the four timers, the progress
// bar and status label, the start, cancel and help buttons, and the link engine behind them.

#include <memory>

#include "link/LinkEngine.h"
#include "link/QtLinkTimers.h"
#include "widgets/MdiChild.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace nv {

class LinkWindow : public MdiChild, protected LinkView {
    Q_OBJECT
  public:
    struct Texts {
        const char* titleChinese;
        const char* titleEnglish;
        const char* startChinese;
        const char* startEnglish;
        const char* startName;  // Command_read or Command_write
    };

    LinkWindow(AppState& state, Workspace& workspace, const char* name, Texts texts);
    ~LinkWindow() override;
    void load() override;

    void startClicked();
    void Command_Cancel_Click();

    bool transferInProgress() const override { return engine_ && engine_->running(); }
    bool transferWritesRadio() const override { return engine_ && engine_->writes(); }
    void stopTransfer() override;

    LinkEngine& engine() { return *engine_; }
    QtLinkTimers& timers() { return *timers_; }

    std::unique_ptr<SerialPort> MSC;
    QProgressBar* ProgressBar1;
    QLabel* Label_tr_count;
    QPushButton* Command_start;
    QPushButton* Command_Cancel;
    QPushButton* Command_Help;

  protected:
    // The data phase of this window's transfer.
    virtual std::unique_ptr<LinkEngine> makeEngine(SerialPort& port, LinkTimers& timers,
                                                   nv::LinkView& view) = 0;
    void closeEvent(QCloseEvent* event) override;

  private:
    void setProgress(int value) override;
    void setLabel(const std::string& text) override;
    void message(const std::string& text, bool done) override;
    void requestClose() override;
    void transferEnded() override;

    // Runs engine code; a close it asks for waits until the engine has returned.
    template <class F>
    void inEngine(F f) {
        ++depth_;
        f();
        --depth_;
        if (depth_ == 0 && closePending_) MdiChild::closeWindow();
    }

    Texts texts_;
    int depth_ = 0;
    bool closePending_ = false;
    std::unique_ptr<QtLinkTimers> timers_;
    std::unique_ptr<LinkEngine> engine_;
};

}  // namespace nv
