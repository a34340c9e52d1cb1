#include "ui/Form_type.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/Models.h"
#include "widgets/ListOnly.h"
#include "widgets/Messages.h"

namespace nv {

Form_type::Form_type(AppState& s, Workspace& workspace) : MdiChild(s, workspace) {
    setObjectName("Form_type");
    Label1 = new QLabel(this);
    Label1->setObjectName("Label1");
    Combo_type = new QComboBox(this);
    Combo_type->setObjectName("Combo_type");
    makeListOnly(Combo_type);
    Label2 = new QLabel(this);
    Label2->setObjectName("Label2");
    Label_band = new QLabel(this);
    Label_band->setObjectName("Label_band");
    Command_enter = new QPushButton(this);
    Command_enter->setObjectName("Command_enter");
    Command_Cancel = new QPushButton(this);
    Command_Cancel->setObjectName("Command_Cancel");

    auto* grid = new QGridLayout;
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(Combo_type, 0, 1);
    grid->addWidget(Label2, 1, 0);
    grid->addWidget(Label_band, 1, 1);
    grid->setColumnStretch(1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command_enter);
    buttons->addWidget(Command_Cancel);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addStretch();
    layout->addLayout(grid);
    layout->addStretch();
    layout->addLayout(buttons);

    connect(Combo_type, &QComboBox::currentIndexChanged, this, &Form_type::Combo_type_Click);
    connect(Command_enter, &QPushButton::clicked, this, &Form_type::Command_enter_Click);
    connect(Command_Cancel, &QPushButton::clicked, this, &Form_type::Command_Cancel_Click);
}

void Form_type::load() {
    setWindowTitle(text("机型选择", "Model Select"));
    Label1->setText(text("机  型", "Model"));
    Label2->setText(text("频  段", "Band"));
    Command_enter->setText(text("确 定", "Confirm"));
    Command_Cancel->setText(text("取 消", "Cancel"));
    const int w = innerWidth() / 2, h = innerHeight() / 2;
    placeWindow((innerWidth() - w) / 2, (innerHeight() - h) / 2, w, h);
    show();
    const QSignalBlocker quiet(Combo_type);
    Combo_type->clear();
    for (int i = 0; i < 3; ++i) Combo_type->addItem(qs(state.ModelNames[i]));
    Combo_type->setCurrentIndex(state.ModelIndex);
    Label_band->setText(qs(modelDialogBandText(state, Combo_type->currentIndex())));
    selectModelBand(state, Combo_type->currentIndex());
}

void Form_type::Combo_type_Click() {
    if (Combo_type->currentIndex() >= 0)
        Label_band->setText(qs(modelDialogBandText(state, Combo_type->currentIndex())));
}

void Form_type::Command_enter_Click() {
    const int i = Combo_type->currentIndex();
    selectModelBand(state, i);
    state.ModelIndex = static_cast<Int16>(i);
    workspace.setPanel(7, qs(statusBandText(state, i)));
    closeWindow();
}

void Form_type::Command_Cancel_Click() { closeWindow(); }

}  // namespace nv
