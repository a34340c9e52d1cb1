#include "channels/ChannelSetDialogs.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "channels/ChannelEdit.h"
#include "widgets/DigitFields.h"
#include "widgets/Messages.h"

namespace nv {

namespace {
QDialogButtonBox* okCancel(ChannelSetDialog* d) {
    auto* b = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, d);
    b->setObjectName("Buttons");
    QObject::connect(b, &QDialogButtonBox::accepted, d, &ChannelSetDialog::okPressed);
    QObject::connect(b, &QDialogButtonBox::rejected, d, &QDialog::reject);
    return b;
}
}  // namespace

void ChannelSetDialog::okPressed() {
    if (check && !check()) {
        if (entry_) {
            entry_->setFocus();
            entry_->selectAll();
        }
        return;
    }
    accept();
}

Dialog_tones::Dialog_tones(const AppState& s, QWidget* parent)
    : ChannelSetDialog(parent), state_(s) {
    setObjectName("Dialog_tones");
    setWindowTitle(qpick(s, "设置所选信道的音频", "Tones of the selected channels"));
    QStringList tones{qpick(s, "无", "None")};
    for (int i = 1; i <= LastTone; ++i) tones << qs(trimmedToneName(s, i));
    auto list = [&](const char* name) {
        auto* c = new QComboBox(this);
        c->setObjectName(name);
        c->addItems(tones);
        c->setMaxVisibleItems(16);
        return c;
    };
    Combo_decode = list("Combo_decode");
    Combo_encode = list("Combo_encode");
    // As in the grid, a decode tone picked is also the encode tone until another is picked.
    connect(Combo_decode, &QComboBox::activated, Combo_encode, &QComboBox::setCurrentIndex);
    Buttons = okCancel(this);
    auto* form = new QFormLayout(this);
    form->addRow(qpick(s, "QT/DQT 解码", "CTCSS/DCS Dec"), Combo_decode);
    form->addRow(qpick(s, "QT/DQT 编码", "CTCSS/DCS Enc"), Combo_encode);
    form->addRow(Buttons);
}

ToneCode Dialog_tones::codeAt(int k) const {
    if (k >= FirstCtcssTone && k <= LastCtcssTone) return ctcssCodeOfText(trimmedToneName(state_, k));
    if (k >= FirstDcsTone) return toneCodeOf(state_, k);
    return ToneCode{0x00, 0x00};
}
ToneCode Dialog_tones::decode() const { return codeAt(Combo_decode->currentIndex()); }
ToneCode Dialog_tones::encode() const { return codeAt(Combo_encode->currentIndex()); }

Dialog_offset::Dialog_offset(const AppState& s, QWidget* parent) : ChannelSetDialog(parent) {
    setObjectName("Dialog_offset");
    setWindowTitle(qpick(s, "设置所选信道的中继频差", "Repeater offset of the selected channels"));
    Combo_direction = new QComboBox(this);
    Combo_direction->setObjectName("Combo_direction");
    Combo_direction->addItems({"+", QString::fromUtf8("−")});
    Text_offset = new QLineEdit(this);
    Text_offset->setObjectName("Text_offset");
    acceptFrequencyTextOnly(Text_offset);
    Buttons = okCancel(this);
    auto* form = new QFormLayout(this);
    form->addRow(qpick(s, "方向", "Direction"), Combo_direction);
    form->addRow(qpick(s, "频差 (MHz)", "Offset (MHz)"), Text_offset);
    form->addRow(new QLabel(qpick(s, "发射频率 = 接收频率 ± 频差", "Transmit = receive ± offset")));
    form->addRow(Buttons);
    entry_ = Text_offset;
    Text_offset->setFocus();  // the offset is what a user comes to type
}

bool Dialog_offset::up() const { return Combo_direction->currentIndex() == 0; }

}  // namespace nv
