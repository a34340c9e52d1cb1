#include "features/Form_Edit_scan.h"

#include <QComboBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "features/ScanRecord.h"
#include "widgets/DigitFields.h"
#include "widgets/Messages.h"

namespace nv {

Form_Edit_scan::Form_Edit_scan(AppState& s, Workspace& w) : FeatureWindow(s, w, "Form_Edit_scan") {
    Label_pri = named<QLabel>("Label_pri");
    Label_prich = named<QLabel>("Label_prich");
    Label_BA = named<QLabel>("Label_BA");
    Label_BB = named<QLabel>("Label_BB");
    Label_BC = named<QLabel>("Label_BC");
    Label_RYC = named<QLabel>("Label_RYC");
    Label_TYC = named<QLabel>("Label_TYC");
    Combo_pri = listBox("Combo_pri");
    Combo_BA = listBox("Combo_BA");
    Combo_BB = listBox("Combo_BB");
    Combo_BC = listBox("Combo_BC");
    Combo_RYC = listBox("Combo_RYC");
    Combo_TYC = listBox("Combo_TYC");
    Text_prich = named<QLineEdit>("Text_prich");
    Text_prich->installEventFilter(this);
    widenFor(Text_prich, 2, '0');
    for (QComboBox* c : {Combo_pri, Combo_BC, Combo_RYC, Combo_TYC}) setBoxEnabled(c, true);
    layOut();
    connectStores();
}

void Form_Edit_scan::layOut() {
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(16);
    grid->setColumnStretch(2, 1);  // lists keep the width of their entries
    const std::pair<QLabel*, QWidget*> rows[] = {{Label_pri, Combo_pri}, {Label_prich, Text_prich},
                                                 {Label_BA, Combo_BA},   {Label_BB, Combo_BB},
                                                 {Label_BC, Combo_BC},   {Label_RYC, Combo_RYC},
                                                 {Label_TYC, Combo_TYC}};
    int r = 0;
    for (auto [label, field] : rows) {
        label->setBuddy(field);
        grid->addWidget(label, r, 0);
        grid->addWidget(field, r++, 1);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch();
    layout->addLayout(buttonRow());
}

void Form_Edit_scan::load() {
    setCaptions();
    fillLists();
    placeByFractions(1.8, 1.4, 6);
    showAtFirstField();
    decodeHeldBack();
}

void Form_Edit_scan::setCaptions() {
    namespace w = scan::words;
    setWindowTitle(text(w::Window));
    Label_pri->setText(text(w::Priority));
    Label_prich->setText(text(w::PriorityChannel));
    Label_BA->setText(text(w::LookBackA));
    Label_BB->setText(text(w::LookBackB));
    Label_BC->setText(text(w::Revert));
    Label_RYC->setText(text(w::Dropout));
    Label_TYC->setText(text(w::Dwell));
    captionButtons();
}

void Form_Edit_scan::fillLists() {
    setEntries(Combo_pri, entries(scan::priorityTexts(chinese)));
    setEntries(Combo_BA, entries(scan::lookBackTexts()));
    setEntries(Combo_BB, entries(scan::lookBackTexts()));
    setEntries(Combo_RYC, entries(scan::secondsTexts()));
    setEntries(Combo_TYC, entries(scan::secondsTexts()));
    // The revert list changes with the priority mode; it keeps the width of its longest entry.
    fillRevertList(scan::FixedChannel);
    Combo_BC->setMinimumWidth(Combo_BC->sizeHint().width());
}

// Unlike the captions, which keep the language the window opened in, the revert list is
// refilled in the language of the moment, at every activation and every change of the mode.
void Form_Edit_scan::fillRevertList(int mode) {
    setEntries(Combo_BC, entries(scan::revertTexts(mode, state.LanguageChinese)));
}

void Form_Edit_scan::decode() {
    const scan::ScanView v = scan::decodeScan(state.RadioImage);
    Combo_pri->setCurrentIndex(v.mode);
    Text_prich->setText(v.channel ? QString::number(*v.channel) : QString());
    Combo_BA->setCurrentIndex(v.lookBackA);
    Combo_BB->setCurrentIndex(v.lookBackB);
    fillRevertList(v.mode);
    Combo_BC->setCurrentIndex(v.revert);
    Combo_RYC->setCurrentIndex(v.dropout);
    Combo_TYC->setCurrentIndex(v.dwell);
    applyModeRule(v.mode);
}

void Form_Edit_scan::applyModeRule(int mode) {
    if (mode != scan::FixedChannel) Text_prich->clear();
    setBoxEnabled(Text_prich, mode == scan::FixedChannel);
    setBoxEnabled(Combo_BA, mode != scan::NoPriority);
    setBoxEnabled(Combo_BB, mode != scan::NoPriority);
}

void Form_Edit_scan::connectStores() {
    Image& im = state.RadioImage;
    onPick(Combo_pri, [this](int index) { Combo_pri_Click(index); });
    onPick(Combo_BA,
           [&im](int index) { writeSetting(im, scan::LookBackA, scan::lookBackCode(index)); });
    onPick(Combo_BB,
           [&im](int index) { writeSetting(im, scan::LookBackB, scan::lookBackCode(index)); });
    onPick(Combo_BC, [this, &im](int index) {
        writeSetting(im, scan::Revert, scan::revertCode(Combo_pri->currentIndex(), index));
    });
    onPick(Combo_RYC, [&im](int index) {
        scan::storeSeconds(im, scan::DropoutLow, scan::DropoutHigh, index);
    });
    onPick(Combo_TYC,
           [&im](int index) { scan::storeSeconds(im, scan::DwellLow, scan::DwellHigh, index); });
    onEdit(Text_prich, [this] { Text_prich_Change(); });
}

// A new priority mode offers other revert channels and opens other boxes: the whole row is
// decoded again for it.
void Form_Edit_scan::Combo_pri_Click(int index) {
    storeListIndex(state.RadioImage, scan::Priority, index);
    decodeHeldBack();
}

bool Form_Edit_scan::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Text_prich && event->type() == QEvent::KeyPress)
        return Text_prich_KeyPress(static_cast<QKeyEvent*>(event));
    return FeatureWindow::eventFilter(watched, event);
}

// Digits only, at most two; Backspace is refused too. Keys that type nothing (arrows,
// Delete, shortcuts) work as usual.
bool Form_Edit_scan::Text_prich_KeyPress(QKeyEvent* key) {
    if (key->key() == Qt::Key_Backspace) return true;
    const QString typed = key->text();
    if (typed.isEmpty() || !typed.at(0).isPrint() ||
        (key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)))
        return false;
    const QChar c = typed.at(0);
    if (!isAsciiDigit(c)) return true;
    return Text_prich->text().trimmed().size() >= 2;
}

// A text that is not a whole channel number, typed or pasted, gets the warning and stores
// 255: no part of it ("12" of a pasted "123") becomes a channel. A whole number shows as it
// is stored, without blanks or a leading zero.
void Form_Edit_scan::Text_prich_Change() {
    if (Combo_pri->currentIndex() != scan::FixedChannel) return;
    const std::optional<int> code = scan::channelCode(Text_prich->text().toStdString());
    if (code) {
        const QString shown = *code == scan::NoChannel ? QString() : QString::number(*code);
        if (Text_prich->text() != shown) {
            Text_prich->setText(shown);  // comes back here with the shown text
            return;
        }
        writeSetting(state.RadioImage, scan::PriorityChannel, *code);
        return;
    }
    prompt(state, this, QStringLiteral("优先信道号在 1 - 16 之间 ！"),
           QStringLiteral("Priority channel is between 1 - 16 !"));
    Text_prich->clear();  // stores 255
}

}  // namespace nv
