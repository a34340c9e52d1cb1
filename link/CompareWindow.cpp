#include "link/CompareWindow.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "channels/ImageDiff.h"
#include "link/ReadLink.h"
#include "widgets/Messages.h"

namespace nv {

// The window's own view for the read engine, except at the end: the completed read shows the
// differences instead of the read window's message, and the window stays open.
class Form_Comm_Compare::View : public LinkView {
  public:
    View(Form_Comm_Compare& window, LinkView& shown) : window_(window), shown_(shown) {}
    void setProgress(int value) override { shown_.setProgress(value); }
    void setLabel(const std::string& text) override { shown_.setLabel(text); }
    void message(const std::string& text, bool done) override {
        window_.state.PortOpenFailed = window_.radio_.PortOpenFailed;
        if (done)
            window_.showDifferences();
        else
            shown_.message(text, false);
    }
    void requestClose() override {}

  private:
    Form_Comm_Compare& window_;
    LinkView& shown_;
};

Form_Comm_Compare::Form_Comm_Compare(AppState& s, Workspace& workspace)
    : LinkWindow(s, workspace, "Form_Comm_Compare",
                 {"与对讲机比较", "Compare with Radio", "比较", "Compare", "Command_compare"}),
      radio_(s) {
    List_diff = new QTreeWidget(this);
    List_diff->setObjectName("List_diff");
    List_diff->setColumnCount(3);
    List_diff->setHeaderLabels(
        {text("项目", "Setting"), text("软件", "Program"), text("对讲机", "Radio")});
    List_diff->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    static_cast<QVBoxLayout*>(layout())->insertWidget(0, List_diff, 1);
    // The start button first brings the copy up to date with the port and the language.
    disconnect(Command_start, &QPushButton::clicked, nullptr, nullptr);
    connect(Command_start, &QPushButton::clicked, this, &Form_Comm_Compare::Command_compare_Click);
}

Form_Comm_Compare::~Form_Comm_Compare() = default;

void Form_Comm_Compare::load() {
    LinkWindow::load();
    const int w = static_cast<int>(mainWidth() / 1.2), h = static_cast<int>(mainHeight() / 1.3);
    placeWindow(std::max(0, (mainWidth() - w) / 2), std::max(0, (mainHeight() - h) / 4), w, h);
}

std::unique_ptr<LinkEngine> Form_Comm_Compare::makeEngine(SerialPort& port, LinkTimers& timers,
                                                          nv::LinkView& view) {
    view_ = std::make_unique<View>(*this, view);
    return std::make_unique<ReadLink>(radio_, port, timers, *view_);
}

void Form_Comm_Compare::Command_compare_Click() {
    radio_.CommPortNumber = state.CommPortNumber;
    radio_.LanguageChinese = state.LanguageChinese;
    List_diff->clear();
    startClicked();
    state.PortOpenFailed = radio_.PortOpenFailed;
}

void Form_Comm_Compare::showDifferences() {
    timers().stop(Timer4);  // the window stays open to show the list
    const auto differences = compareImages(state, state.RadioImage, radio_.RadioImage, chinese);
    // One branch per channel or settings group, in the order of the list.
    QTreeWidgetItem* group = nullptr;
    for (const Difference& d : differences) {
        if (!group || group->text(0) != qs(d.where)) {
            group = new QTreeWidgetItem(List_diff, {qs(d.where)});
            group->setFirstColumnSpanned(true);
            group->setExpanded(true);
        }
        new QTreeWidgetItem(group, {qs(d.what), qs(d.left), qs(d.right)});
    }
    Label_tr_count->setText(
        differences.empty()
            ? text("对讲机与软件的数据一致（地址 0x000 至 0x30F）。",
                   "The radio holds what the program holds (addresses 0x000 to 0x30F).")
            : text("软件与对讲机有 %1 处不同。",
                   "%1 differences between the program and the radio.")
                  .arg(differences.size()));
}

}  // namespace nv
