#include "ui/Form_setup.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "link/PortDirectory.h"

#include "link/SerialPort.h"
#include "widgets/Messages.h"

namespace nv {

Form_setup::Form_setup(AppState& s, Workspace& workspace) : MdiChild(s, workspace) {
    setObjectName("Form_setup");
    Frame1 = new QGroupBox(this);
    Frame1->setObjectName("Frame1");
    auto* grid = new QGridLayout(Frame1);
    for (int n = 1; n <= 8; ++n) {
        Option[n] = new QRadioButton(QStringLiteral("COM%1").arg(n), Frame1);
        Option[n]->setObjectName(QStringLiteral("Option%1").arg(n));
        Device[n] = new QLabel(Frame1);
        Device[n]->setObjectName(QStringLiteral("Device%1").arg(n));
        Device[n]->setEnabled(false);  // shown greyed: a hint, not a control
        const int row = (n - 1) % 4, col = (n - 1) / 4 * 2;
        grid->addWidget(Option[n], row, col);
        grid->addWidget(Device[n], row, col + 1);
    }
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    Command_ok = new QPushButton(this);
    Command_ok->setObjectName("Command_ok");
    Command1 = new QPushButton(this);
    Command1->setObjectName("Command1");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command_ok);
    buttons->addWidget(Command1);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Frame1, 1);
    layout->addLayout(buttons);
    connect(Command_ok, &QPushButton::clicked, this, &Form_setup::Command_ok_Click);
    connect(Command1, &QPushButton::clicked, this, &Form_setup::Command1_Click);
}

// Device paths are the system's names; the built-in radio is named in the window's language.
QString Form_setup::deviceCaption(const std::string& device) const {
    if (qs(device) == PortDirectory::VirtualRadio) return text("虚拟对讲机", "virtual radio");
    return qs(device);
}

void Form_setup::load() {
    setWindowTitle(text("通讯端口设置", "Communication Port Setup"));
    Frame1->setTitle(text("端口设置", "Port Setup"));
    Command_ok->setText(text("确 定", "Confirm"));
    Command1->setText(text("取 消", "Cancel"));
    for (int n = 1; n <= 8; ++n) {
        const std::string device = workspace.ports().describe ? workspace.ports().describe(n) : "";
        Device[n]->setText(device.empty() ? QStringLiteral("—") : deviceCaption(device));
        Device[n]->setToolTip(Device[n]->text());
    }
    const int w = innerWidth() / 2;
    const int h = static_cast<int>(innerHeight() / 1.8);
    placeWindow((innerWidth() - w) / 2, std::max(0, (innerHeight() - h) / 2 - twips(500)), w, h);
    show();
    for (int n = 1; n <= 8; ++n) Option[n]->setChecked(false);
    if (state.CommPortNumber >= 1 && state.CommPortNumber <= 8)
        Option[state.CommPortNumber]->setChecked(true);
}

void Form_setup::Command_ok_Click() {
    for (int n = 1; n <= 8; ++n)
        if (Option[n]->isChecked()) state.CommPortNumber = static_cast<Int16>(n);
    workspace.setPanel(3, QStringLiteral("COM%1").arg(state.CommPortNumber));
    closeWindow();
}

void Form_setup::Command1_Click() { closeWindow(); }

}  // namespace nv
