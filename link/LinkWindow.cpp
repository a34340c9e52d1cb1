#include "link/LinkWindow.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "widgets/Messages.h"

namespace nv {

LinkWindow::LinkWindow(AppState& s, Workspace& workspace, const char* name, Texts texts)
    : MdiChild(s, workspace), texts_(texts) {
    setObjectName(name);
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName("ProgressBar1");
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    Label_tr_count = new QLabel(this);
    Label_tr_count->setObjectName("Label_tr_count");
    Label_tr_count->setAlignment(Qt::AlignCenter);
    Command_start = new QPushButton(this);
    Command_start->setObjectName(texts.startName);
    Command_Cancel = new QPushButton(this);
    Command_Cancel->setObjectName("Command_Cancel");
    Command_Help = new QPushButton(this);
    Command_Help->setObjectName("Command_Help");
    connect(Command_Help, &QPushButton::clicked, this, &MdiChild::showHelp);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* b : {Command_start, Command_Cancel, Command_Help}) {
        b->setMinimumWidth(90);
        buttons->addWidget(b);
    }
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addStretch();
    layout->addWidget(ProgressBar1);
    layout->addWidget(Label_tr_count);
    layout->addStretch();
    layout->addLayout(buttons);

    connect(Command_start, &QPushButton::clicked, this, &LinkWindow::startClicked);
    connect(Command_Cancel, &QPushButton::clicked, this, &LinkWindow::Command_Cancel_Click);
}

LinkWindow::~LinkWindow() {
    engine_.reset();  // before the port and the timers it uses
    timers_.reset();
    if (MSC) MSC->close();
}

void LinkWindow::load() {
    setWindowTitle(text(texts_.titleChinese, texts_.titleEnglish));
    Command_start->setText(text(texts_.startChinese, texts_.startEnglish));
    Command_Cancel->setText(text("取消", "Cancel"));
    Command_Help->setText(text("帮助", "Help"));
    const int w = static_cast<int>(mainWidth() / 1.55), h = static_cast<int>(mainHeight() / 2.8);
    placeWindow(std::max(0, (mainWidth() - w) / 2), std::max(0, (mainHeight() - h) / 4), w, h);

    MSC = workspace.ports().create();
    timers_ = std::make_unique<QtLinkTimers>(
        [this](TimerId id) { inEngine([&] { engine_->timerTick(id); }); });
    engine_ = makeEngine(*MSC, *timers_, *this);
    MSC->onByteReceived = [this] { inEngine([&] { engine_->byteReceived(); }); };
    engine_->windowLoaded();
    show();
}

void LinkWindow::startClicked() {
    inEngine([&] { engine_->startButton(); });
}

void LinkWindow::Command_Cancel_Click() {
    bool mayClose = false;
    inEngine([&] { mayClose = engine_->cancelButton(); });
    if (mayClose) MdiChild::closeWindow();
}

void LinkWindow::stopTransfer() {
    if (!engine_ || !engine_->running()) return;
    inEngine([&] { engine_->stop(); });
    // The window may stay (leaving can still be cancelled): it says what the radio holds.
    Label_tr_count->setText(engine_->writes() ? text("已停止；对讲机必须重新写入。",
                                                     "Stopped; the radio must be written again.")
                                              : text("已停止。", "Stopped."));
}

void LinkWindow::closeEvent(QCloseEvent* event) {
    // The frame's close button acts as Cancel; the program itself (a new instance of the
    // window replacing this one) always closes it.
    if (!closingByProgram && engine_ && engine_->Busy) {
        event->ignore();
        Command_Cancel_Click();
        return;
    }
    event->accept();
}

void LinkWindow::setProgress(int value) {
    ProgressBar1->show();
    ProgressBar1->setValue(value);
}

void LinkWindow::setLabel(const std::string& text) {
    Label_tr_count->setText(QString::fromStdString(text));
}

void LinkWindow::message(const std::string& text, bool done) {
    const QString title = state.LanguageChinese ? QStringLiteral("操作提示")
                                                : (done ? QStringLiteral("Operate Prompt")
                                                        : QStringLiteral("Operate prompt"));
    showMessage(this, title, QString::fromStdString(text));
}

// A "don't close the window" warning still open belongs to the transfer that has just ended.
void LinkWindow::transferEnded() { dismissMessages(this); }

void LinkWindow::requestClose() {
    closePending_ = true;
    if (QMdiSubWindow* sub = subWindow()) sub->hide();
    if (depth_ == 0) MdiChild::closeWindow();
}

}  // namespace nv
