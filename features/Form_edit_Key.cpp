#include "features/Form_edit_Key.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "features/KeyRecord.h"

namespace nv {

Form_edit_Key::Form_edit_Key(AppState& s, Workspace& w) : FeatureWindow(s, w, "Form_edit_Key") {
    Label_PF1 = named<QLabel>("Label_PF1");
    Label_PF2 = named<QLabel>("Label_PF2");
    Combo_pf1 = listBox("Combo_pf1");
    Combo_pf2 = listBox("Combo_pf2");
    Label_PF1->setText("PF1");
    Label_PF2->setText("PF2");
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(16);
    grid->setColumnStretch(2, 1);  // lists keep the width of their entries
    grid->addWidget(Label_PF1, 0, 0);
    grid->addWidget(Combo_pf1, 0, 1);
    grid->addWidget(Label_PF2, 1, 0);
    grid->addWidget(Combo_pf2, 1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch();
    layout->addLayout(buttonRow());
    for (QComboBox* c : {Combo_pf1, Combo_pf2}) {
        setBoxEnabled(c, true);
        onPick(c, [this](int) { storeBothKeys(); });
    }
}

void Form_edit_Key::load() {
    setWindowTitle(text("键设定", "Key Assingment"));
    const QStringList functions = {
        text("无", "None"),
        text("自动拨号", "Autodial"),
        text("按键锁定", "Key Lock"),
        text("按键锁定及备份", "Key Lock with Backup"),
        text("监听", "Monitor"),
        text("监听瞬时", "Monitor Momentary"),
        text("扫描", "Scan"),
        text("扫描 + 暂时删除", "Scan+Temporary Delete"),
        text("扰频器", "Scrambler"),
        text("取消静噪", "Squelch Off"),
        text("瞬时取消静噪", "Squelch Off Momentary"),
        text("暂时删除", "Temporary Delete"),
    };
    setEntries(Combo_pf1, functions);
    setEntries(Combo_pf2, functions);
    captionButtons();
    placeByFractions(2.5, 2, 4);
    decodeHeldBack();
    showAtFirstField();
}

// Both boxes are decoded before either key is stored, so that neither box's old value can
// reach the other key's cell.
void Form_edit_Key::decode() {
    const Image& im = state.RadioImage;
    Combo_pf1->setCurrentIndex(keys::functionIndex(readSetting(im, keys::Pf1)));
    Combo_pf2->setCurrentIndex(keys::functionIndex(readSetting(im, keys::Pf2)));
    storeBothKeys();
}

void Form_edit_Key::storeBothKeys() {
    const std::pair<QComboBox*, SettingField> keyBoxes[] = {{Combo_pf1, keys::Pf1},
                                                            {Combo_pf2, keys::Pf2}};
    for (auto [box, cell] : keyBoxes)
        if (box->currentIndex() >= 0)
            writeSetting(state.RadioImage, cell, keys::functionCode(box->currentIndex()));
}

}  // namespace nv
