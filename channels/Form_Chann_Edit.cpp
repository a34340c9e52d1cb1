#include "channels/Form_Chann_Edit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include "channels/ChannelEdit.h"
#include "channels/ChannelRecord.h"
#include "widgets/DigitFields.h"
#include "channels/frm_chann.h"
#include "core/Frequency.h"
#include "core/Tones.h"
#include "widgets/ListOnly.h"
#include "widgets/Messages.h"

namespace nv {

namespace {
template <class W>
W* named(QWidget* parent, const char* name) {
    auto* w = new W(parent);
    w->setObjectName(name);
    return w;
}
std::string utf8(const QString& t) { return t.toStdString(); }
}  // namespace

Form_Chann_Edit::Form_Chann_Edit(AppState& s, Workspace& workspace) : MdiChild(s, workspace) {
    setObjectName("Form_Chann_Edit");
    Label_CHN = named<QLabel>(this, "Label_CHN");
    Label_RX_freq = named<QLabel>(this, "Label_RX_freq");
    Label_TX_freq = named<QLabel>(this, "Label_TX_freq");
    Label_Decode = named<QLabel>(this, "Label_Decode");
    Label_Encode = named<QLabel>(this, "Label_Encode");
    Label_OptSig = named<QLabel>(this, "Label_OptSig");
    Label_SpUnmute = named<QLabel>(this, "Label_SpUnmute");
    Label_TXP = named<QLabel>(this, "Label_TXP");
    Label_WN = named<QLabel>(this, "Label_WN");
    Label_BCL = named<QLabel>(this, "Label_BCL");
    Label_PTT_ID = named<QLabel>(this, "Label_PTT_ID");
    Label_Memory = named<QLabel>(this, "Label_Memory");
    Text_CHN = named<QLineEdit>(this, "Text_CHN");
    Text_RX_Freq = named<QLineEdit>(this, "Text_RX_Freq");
    Text_TX_Freq = named<QLineEdit>(this, "Text_TX_Freq");
    VScroll1 = named<QScrollBar>(this, "VScroll1");
    VScroll1->setOrientation(Qt::Vertical);
    VScroll1->setPageStep(1);  // a page is one channel, like an arrow click
    Combo_Decode = named<QComboBox>(this, "Combo_Decode");
    Combo_Encode = named<QComboBox>(this, "Combo_Encode");
    Combo_Optsig = named<QComboBox>(this, "Combo_Optsig");
    Combo_Spunmute = named<QComboBox>(this, "Combo_Spunmute");
    Combo_TXP = named<QComboBox>(this, "Combo_TXP");
    Combo_WN = named<QComboBox>(this, "Combo_WN");
    Combo_BCL = named<QComboBox>(this, "Combo_BCL");
    Combo_PTT_ID = named<QComboBox>(this, "Combo_PTT_ID");
    Combo_Memory = named<QComboBox>(this, "Combo_Memory");
    Check_BS = named<QCheckBox>(this, "Check_BS");
    Check_ScanAdd = named<QCheckBox>(this, "Check_ScanAdd");
    Check_Pri = named<QCheckBox>(this, "Check_Pri");
    Check_Comp = named<QCheckBox>(this, "Check_Comp");
    Command_Help = named<QPushButton>(this, "Command_Help");
    Command_close = named<QPushButton>(this, "Command_close");
    connect(Command_Help, &QPushButton::clicked, this, &MdiChild::showHelp);

    for (QComboBox* c : lists()) {
        makeListOnly(c);
        c->setMaxVisibleItems(16);
        c->setMinimumWidth(140);
    }
    for (QLineEdit* t : {Text_CHN, Text_RX_Freq, Text_TX_Freq}) t->installEventFilter(this);
    acceptDigitsOnly(Text_CHN);
    acceptFrequencyTextOnly(Text_RX_Freq);
    acceptFrequencyTextOnly(Text_TX_Freq);
    Text_CHN->setMaximumWidth(60);

    auto* channelRow = new QHBoxLayout;
    channelRow->addWidget(Text_CHN);
    channelRow->addWidget(VScroll1);
    channelRow->addStretch();
    VScroll1->setFixedHeight(Text_CHN->sizeHint().height() + 8);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(12);
    grid->addWidget(Label_CHN, 0, 0);
    grid->addLayout(channelRow, 0, 1);
    const std::pair<QLabel*, QWidget*> left[] = {
        {Label_RX_freq, Text_RX_Freq}, {Label_TX_freq, Text_TX_Freq},
        {Label_Decode, Combo_Decode},  {Label_Encode, Combo_Encode},
        {Label_OptSig, Combo_Optsig},  {Label_SpUnmute, Combo_Spunmute}};
    const std::pair<QLabel*, QWidget*> right[] = {{Label_TXP, Combo_TXP},
                                                  {Label_WN, Combo_WN},
                                                  {Label_BCL, Combo_BCL},
                                                  {Label_PTT_ID, Combo_PTT_ID},
                                                  {Label_Memory, Combo_Memory}};
    int row = 1;
    for (auto [label, field] : left) {
        grid->addWidget(label, row, 0);
        grid->addWidget(field, row++, 1);
    }
    row = 1;
    for (auto [label, field] : right) {
        grid->addWidget(label, row, 3);
        grid->addWidget(field, row++, 4);
    }
    grid->setColumnMinimumWidth(2, 24);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(4, 1);
    auto* checksRow = new QHBoxLayout;
    for (QCheckBox* c : checks()) checksRow->addWidget(c);
    checksRow->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command_Help);
    buttons->addWidget(Command_close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(8);
    layout->addLayout(checksRow);
    layout->addStretch();
    layout->addLayout(buttons);

    connect(VScroll1, &QScrollBar::valueChanged, this, &Form_Chann_Edit::VScroll1_Change);
    connect(Text_CHN, &QLineEdit::textChanged, this, &Form_Chann_Edit::Text_CHN_Change);
    connect(Command_close, &QPushButton::clicked, this, &MdiChild::closeWindow);
    connectWriteActions();
}

Form_Chann_Edit::~Form_Chann_Edit() { closing_ = true; }

// A field losing the focus because its window goes away is not an edit of the channel that
// happens to be current then.
void Form_Chann_Edit::closeEvent(QCloseEvent* event) {
    closing_ = true;
    MdiChild::closeEvent(event);
}

QList<QComboBox*> Form_Chann_Edit::lists() const {
    return {Combo_Decode, Combo_Encode, Combo_Optsig, Combo_Spunmute, Combo_TXP,
            Combo_WN,     Combo_BCL,    Combo_PTT_ID, Combo_Memory};
}
QList<QCheckBox*> Form_Chann_Edit::checks() const {
    return {Check_BS, Check_ScanAdd, Check_Pri, Check_Comp};
}

bool Form_Chann_Edit::channelValid() const { return channel() >= 1 && channel() <= ChannelCount; }

void Form_Chann_Edit::load() {
    const int w = static_cast<int>(mainWidth() / 1.3), h = static_cast<int>(mainHeight() / 1.3);
    placeWindow(std::max(0, (mainWidth() - w) / 2), 0, w, h);
    setWindowTitle(text("信道编辑", "Channel Edit"));
    Label_CHN->setText(text("信道", "Channel"));
    Label_RX_freq->setText(text("接收频率", "Receive Frequency "));
    Label_TX_freq->setText(text("发射频率", "Transmit Frequency"));
    Label_Decode->setText(text("QT/DQT 解码", "QT/DQT Decode"));
    Label_Encode->setText(text("QT/DQT 编码", "QT/DQT Encode"));
    Label_OptSig->setText(text("可选信令", "Option Signalling"));
    Label_SpUnmute->setText(text("SP不静音", "SP Unmute"));
    Label_TXP->setText(text("发射功率", "TX Power"));
    Label_WN->setText(text("宽带/窄带", "Wide/Narror"));
    Label_BCL->setText(text("繁忙信道锁定", "Busy Channel Lockout"));
    Label_PTT_ID->setText(text("PTT ID", "PTT ID"));
    Label_Memory->setText(text("自动拨号存储器", "Autodial Memory"));
    Check_BS->setText(text("拍频偏移", "Beat Shift"));
    Check_ScanAdd->setText(text("扫描添加", "Scan Add"));
    Check_Pri->setText(text("优先信道", "Priority Channel"));
    Check_Comp->setText(text("压括器", "Compander"));
    Command_Help->setText(text("帮助", "Help"));
    Command_close->setText(text("关闭", "Close"));
    show();

    if (!channelValid()) state.CurrentChannel = 1;
    VScroll1->setRange(0, 17);
    VScroll1->setValue(channel());
    showChannel(channel());
}

// Shown again on activation and after the image changed under the dialog (a paste, an
// import, an undo, a read, a file): what it shows then is no choice of the user's, so nothing
// is written back; a setting the dialog cannot show (speaker unmute without signalling) stays.
void Form_Chann_Edit::activated() {
    if (!channelValid()) return;
    quiet_ = true;
    showChannel(channel());
    quiet_ = false;
}

void Form_Chann_Edit::refresh() { activated(); }

// ---- showing a channel -----------------------------------------------------------------------

void Form_Chann_Edit::setListQuietly(QComboBox* combo, const QStringList& entries) {
    const QSignalBlocker quiet(combo);
    combo->clear();
    combo->addItems(entries);
    combo->setCurrentIndex(-1);
}

void Form_Chann_Edit::showChannel(int n) {
    if (n < 1 || n > ChannelCount) return;
    if (isEmptyChannel(state.RadioImage, n)) {
        showEmpty();
        return;
    }
    fillLists();
    enableFields(true);
    Text_RX_Freq->setText(QString::fromStdString(frequencyToText(state.RadioImage, n, ch::RxFreq)));
    showFields();
}

void Form_Chann_Edit::showEmpty() {
    Text_RX_Freq->clear();
    Text_TX_Freq->clear();
    for (QComboBox* c : lists()) setListQuietly(c, {});
    for (QCheckBox* c : checks()) c->setChecked(false);
    enableFields(false);
    if (channelValid())
        for (int c = 0; c < 16; ++c) state.RadioImage(channel(), c) = 0xFF;
}

void Form_Chann_Edit::enableFields(bool on) {
    setEnabledLook(Text_TX_Freq, on);
    for (QComboBox* c : lists()) setEnabledLook(c, on);
    for (QCheckBox* c : checks()) c->setEnabled(on);
}

void Form_Chann_Edit::fillLists() {
    QStringList tones;
    tones << (chinese ? QStringLiteral("无") : QString::fromStdString(trimmedToneName(state, 0)));
    for (int i = 1; i <= LastTone; ++i) tones << QString::fromStdString(trimmedToneName(state, i));
    setListQuietly(Combo_Decode, tones);
    setListQuietly(Combo_Encode, tones);
    setListQuietly(Combo_Optsig, {text("无", "None"), "DTMF", "FleetSync"});
    setListQuietly(Combo_TXP, {text("高", "High"), text("低", "Low")});
    setListQuietly(Combo_WN, {text("窄带", "Narrow"), text("宽带", "Wide")});
    setListQuietly(Combo_PTT_ID, {text("关", "Off"), text("开", "On")});
    setListQuietly(Combo_Memory, {"1", "2", "3", "4", "5", "6", "7", "8"});
}

void Form_Chann_Edit::selectTone(QComboBox* combo, int low, int high, bool* hasTone) {
    if (low == 0xFF) {
        combo->setCurrentIndex(0);
        return;
    }
    const auto i = findTone(state, low, high);
    combo->setCurrentIndex(i ? *i : -1);
    if (i && hasTone) *hasTone = true;
}

void Form_Chann_Edit::showFields() {
    const int n = channel();
    if (!channelValid() || isEmptyChannel(state.RadioImage, n)) return;
    const Image& im = state.RadioImage;
    hasDecodeTone_ = false;
    selectTone(Combo_Decode, im(n, ch::DecodeTone), im(n, ch::DecodeTone + 1), &hasDecodeTone_);
    if (!hasTxFrequency(im, n)) {
        Text_TX_Freq->clear();
        Combo_Encode->setCurrentIndex(0);
        setEnabledLook(Combo_Encode, false);
    } else {
        Text_TX_Freq->setText(QString::fromStdString(frequencyToText(im, n, ch::TxFreq)));
        selectTone(Combo_Encode, im(n, ch::EncodeTone), im(n, ch::EncodeTone + 1), nullptr);
    }
    Combo_TXP->setCurrentIndex(getField(im, n, ch::HighPower) ? 0 : 1);
    Combo_WN->setCurrentIndex(getField(im, n, ch::Wide) ? 1 : 0);
    Check_BS->setChecked(getField(im, n, ch::BeatShift));
    Combo_Optsig->setCurrentIndex(getField(im, n, ch::OptSig));  // 3 has no entry: no selection
    rebuildSpunmute();
    rebuildBcl();
    Check_Comp->setChecked(getField(state.RadioImage, n, ch::Compander));
    Combo_PTT_ID->setCurrentIndex(getField(state.RadioImage, n, ch::PttId));
    Combo_Memory->setCurrentIndex(getField(state.RadioImage, n, ch::AutodialMemory));
    Check_ScanAdd->setChecked(scanBit(state.RadioImage, n));
}

void Form_Chann_Edit::rebuildSpunmute() {
    const int n = channel();
    const int optSig = getField(state.RadioImage, n, ch::OptSig);
    const int stored = getField(state.RadioImage, n, ch::SpUnmute);
    QStringList entries;
    if (optSig == 0)
        entries << (hasDecodeTone_ ? QStringLiteral("QT/DQT") : text("载波", "Carrier"));
    else if (!hasDecodeTone_)
        entries << text("载波", "Carrier") << text("载波 + 可选信令", "Carrier+ Opt.Sig")
                << text("载波或可选信令", "Carrier or Opt.Sig");
    else
        entries << "QT/DQT" << text("QT/DQT + 可选信令", "QT/DQT+ Opt.Sig")
                << text("QT/DQT 或可选信令", "QT/DQT or Opt.Sig");
    setListQuietly(Combo_Spunmute, entries);
    Combo_Spunmute->setCurrentIndex(optSig == 0 ? 0 : stored);  // 3 has no entry: no selection
}

void Form_Chann_Edit::rebuildBcl() {
    const int n = channel();
    const int optSig = getField(state.RadioImage, n, ch::OptSig);
    const int stored = getField(state.RadioImage, n, ch::BusyLockout);
    QStringList entries{text("关", "Off"), text("载波", "Carrier")};
    // The English four-entry list spells the entry "QT/DQY"; the three-entry list "QT/DQT".
    if (hasDecodeTone_)
        entries << (optSig != 0 ? text("QT/DQT", "QT/DQY") : QStringLiteral("QT/DQT"));
    if (optSig != 0) entries << text("可选信令", "Option Signalling");
    setListQuietly(Combo_BCL, entries);
    Combo_BCL->setCurrentIndex(stored < entries.size() ? stored : -1);
}

// ---- write actions -------------------------------------------------------------------------

void Form_Chann_Edit::connectWriteActions() {
    auto onPick = [this](QComboBox* combo, auto action) {
        connect(combo, &QComboBox::currentIndexChanged, this, [this, action](int k) {
            if (k >= 0 && channelValid() && !quiet_) action(k);
        });
    };
    Image& im = state.RadioImage;
    onPick(Combo_Decode, [this, &im](int k) {
        const ToneCode code = toneCodeOf(state, k);
        setTone(im, channel(), ch::DecodeTone, code.low, code.high);
        showFields();
    });
    onPick(Combo_Encode, [this, &im](int k) {
        const ToneCode code = toneCodeOf(state, k);
        setTone(im, channel(), ch::EncodeTone, code.low, code.high);
    });
    onPick(Combo_Optsig, [this, &im](int k) {
        setField(im, channel(), ch::OptSig, k);
        showFields();
    });
    onPick(Combo_Spunmute, [this, &im](int k) { setField(im, channel(), ch::SpUnmute, k); });
    onPick(Combo_BCL, [this, &im](int k) { setField(im, channel(), ch::BusyLockout, k); });
    onPick(Combo_TXP,
           [this, &im](int k) { setField(im, channel(), ch::HighPower, k == 0 ? 1 : 0); });
    onPick(Combo_WN, [this, &im](int k) { setField(im, channel(), ch::Wide, k == 1 ? 1 : 0); });
    onPick(Combo_PTT_ID, [this, &im](int k) { setField(im, channel(), ch::PttId, k); });
    onPick(Combo_Memory, [this, &im](int k) { setField(im, channel(), ch::AutodialMemory, k); });
    auto onTick = [this](QCheckBox* box, auto action) {
        connect(box, &QCheckBox::toggled, this, [this, action](bool on) {
            if (channelValid() && !quiet_) action(on);
        });
    };
    onTick(Check_BS, [this, &im](bool on) { setField(im, channel(), ch::BeatShift, on); });
    onTick(Check_Comp, [this, &im](bool on) { setField(im, channel(), ch::Compander, on); });
    onTick(Check_ScanAdd, [this, &im](bool on) { setScanBit(im, channel(), on); });
}

// ---- frequency fields and channel selection ---------------------------------------------------

bool Form_Chann_Edit::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        const bool printable = !text.isEmpty() && text.at(0).isPrint();
        if (watched == Text_CHN) {
            if (key->key() == Qt::Key_Backspace) return true;
            if (!printable) return false;
            if (!isAsciiDigit(text.at(0))) return true;
            return (Text_CHN->text().remove(' ') + text.at(0)).toInt() > ChannelCount;
        }
        if (watched == Text_RX_Freq || watched == Text_TX_Freq) {
            if (!printable) return false;
            return !(isAsciiDigit(text.at(0)) || text.at(0) == '.');
        }
    } else if (event->type() == QEvent::FocusOut && !closing_ && !closingByProgram) {
        if (static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
            if (watched == Text_RX_Freq) Text_RX_Freq_LostFocus();
            if (watched == Text_TX_Freq) Text_TX_Freq_LostFocus();
            if (watched == Text_CHN) Text_CHN_LostFocus();
        }
    }
    return MdiChild::eventFilter(watched, event);
}

void Form_Chann_Edit::Text_RX_Freq_LostFocus() {
    if (!channelValid()) return;
    const int n = channel();
    const QString t = Text_RX_Freq->text();
    if (t.isEmpty()) {
        showEmpty();
        setScanBit(state.RadioImage, n, false);
        return;
    }
    if (outsideBand(state, utf8(t)) && !t.trimmed().isEmpty()) {
        // The channel keeps what it had, and the field shows it again.
        prompt(state, this, "接收频率超出范围 ！", "Over the range of receive frequency .");
        Text_RX_Freq->setText(storedText(n, ch::RxFreq));
        return;
    }
    if (isEmptyChannel(state.RadioImage, n)) {
        textToFrequency(utf8(t), state.RadioImage, n, ch::RxFreq);
        fillLists();
        enableFields(true);
        InitNewChannel(state.RadioImage, n);
        showChannel(n);
    } else {
        textToFrequency(utf8(t), state.RadioImage, n, ch::RxFreq);
    }
}

void Form_Chann_Edit::Text_TX_Freq_LostFocus() {
    if (!channelValid() || isEmptyChannel(state.RadioImage, channel())) return;
    const int n = channel();
    const QString t = Text_TX_Freq->text();
    if (outsideBand(state, utf8(t)) && !t.trimmed().isEmpty()) {
        prompt(state, this, "发射频率超出范围 ！", "Over the range of Transmit frequency .");
        Text_TX_Freq->setText(storedText(n, ch::TxFreq));
        return;
    }
    if (!t.isEmpty()) {
        textToFrequency(utf8(t), state.RadioImage, n, ch::TxFreq);
        setEnabledLook(Combo_Encode, true);
    } else {
        for (int c = 0; c < 4; ++c) state.RadioImage(n, ch::TxFreq + c) = 0xFF;
        setTone(state.RadioImage, n, ch::EncodeTone, 0xFF, 0xFF);
        Combo_Encode->setCurrentIndex(0);
        setEnabledLook(Combo_Encode, false);
    }
}

// The frequency the channel holds, as the field shows it; empty when the slot is empty.
QString Form_Chann_Edit::storedText(int n, int cell) const {
    if (state.RadioImage(n, cell) == 0xFF) return {};
    return QString::fromStdString(frequencyToText(state.RadioImage, n, cell));
}

void Form_Chann_Edit::setGridCaption() {
    if (auto* grid = qobject_cast<frm_chann*>(workspace.child("frm_chann"))) grid->setCaption();
}

void Form_Chann_Edit::VScroll1_Change(int v) {
    if (v == 0) return VScroll1->setValue(ChannelCount);
    if (v == ChannelCount + 1) return VScroll1->setValue(1);
    state.CurrentChannel = static_cast<Int16>(v);
    setGridCaption();
    Text_CHN->setText(QString::number(v));
    showChannel(v);
}

void Form_Chann_Edit::Text_CHN_Change() {
    state.CurrentChannel = static_cast<Int16>(Text_CHN->text().remove(' ').toInt());
    setGridCaption();
}

void Form_Chann_Edit::Text_CHN_LostFocus() {
    const int v = Text_CHN->text().remove(' ').toInt();
    if (v < 1 || v > ChannelCount) Text_CHN->setText("1");
    state.CurrentChannel = static_cast<Int16>(Text_CHN->text().remove(' ').toInt());
    setGridCaption();
    if (VScroll1->value() != channel())
        VScroll1->setValue(channel());
    else
        activated();  // the same channel again: shown, nothing written
}

}  // namespace nv
