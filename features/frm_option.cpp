#include "features/frm_option.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "features/OptionRecord.h"

namespace nv {

frm_option::frm_option(AppState& s, Workspace& w) : FeatureWindow(s, w, "frm_option") {
    Label_tot = named<QLabel>("Label_tot");
    Label_toa = named<QLabel>("Label_toa");
    Label_sql = named<QLabel>("Label_sql");
    Label_mic_level = named<QLabel>("Label_mic_level");
    Label_voice = named<QLabel>("Label_voice");
    Label_ptt_Type = named<QLabel>("Label_ptt_Type");
    Label_PTT_ID = named<QLabel>("Label_PTT_ID");
    Label_TX_begin = named<QLabel>("Label_TX_begin");
    Label_TX_end = named<QLabel>("Label_TX_end");
    Label_Vox_g = named<QLabel>("Label_Vox_g");
    Label_VOX_t = named<QLabel>("Label_VOX_t");
    Combo_TOT = listBox("Combo_TOT");
    Combo_TOA = listBox("Combo_TOA");
    Combo_Sql = listBox("Combo_Sql");
    Combo_Mic_Level = listBox("Combo_Mic_Level");
    Combo_Voice = listBox("Combo_Voice");
    Combo_Ptt_Type = listBox("Combo_Ptt_Type");
    Combo_PTT_ID = listBox("Combo_PTT_ID");
    Combo_VOX_g = listBox("Combo_VOX_g");
    Combo_VOX_t = listBox("Combo_VOX_t");
    Check_Save = named<QCheckBox>("Check_Save");
    Check_Beep = named<QCheckBox>("Check_Beep");
    Check_Scr_Acti = named<QCheckBox>("Check_Scr_Acti");
    Check_Scr_Back = named<QCheckBox>("Check_Scr_Back");
    Check_VOX = named<QCheckBox>("Check_VOX");
    Check_vox_Operation = named<QCheckBox>("Check_vox_Operation");
    Check_vox_Tone = named<QCheckBox>("Check_vox_Tone");
    Check_vox_Receive = named<QCheckBox>("Check_vox_Receive");
    Check_Clone = named<QCheckBox>("Check_Clone");
    Text_tx_begin = named<QLineEdit>("Text_tx_begin");
    Text_tx_end = named<QLineEdit>("Text_tx_end");
    Frame_general = named<QGroupBox>("Frame_general");
    Frame_checks = named<QGroupBox>("Frame_checks");
    Frame_pttid = named<QGroupBox>("Frame_pttid");
    Frame_vox = named<QGroupBox>("Frame_vox");
    Frame_mode = named<QGroupBox>("Frame_mode");

    for (QLineEdit* code : {Text_tx_begin, Text_tx_end}) {
        code->installEventFilter(this);
        widenFor(code, opt::CodeLength, 'D');
    }
    for (const ListControl& l : lists()) setBoxEnabled(l.box, true);
    layOut();
    connectStores();
}

QList<frm_option::ListControl> frm_option::lists() const {
    return {{Combo_TOT, opt::TimeOut},
            {Combo_TOA, opt::PreAlert},
            {Combo_Sql, opt::Squelch},
            {Combo_Mic_Level, opt::MicSensitivity},
            {Combo_Voice, opt::VoiceAnnunciation},
            {Combo_Ptt_Type, opt::PttIdType},
            {Combo_PTT_ID, opt::PttIdWhen},
            {Combo_VOX_g, opt::VoxGain},
            {Combo_VOX_t, opt::VoxDelay}};
}

QList<frm_option::CheckControl> frm_option::checks() const {
    return {{Check_Save, opt::BatterySave},
            {Check_Beep, opt::Beep},
            {Check_Scr_Acti, opt::ScramblerActivation},
            {Check_Scr_Back, opt::ScramblerBackup},
            {Check_VOX, opt::Vox},
            {Check_vox_Operation, opt::VoxCancelOperation},
            {Check_vox_Tone, opt::VoxProceedTone},
            {Check_vox_Receive, opt::VoxInhibitOnReceive},
            {Check_Clone, opt::FmRadio}};
}

void frm_option::layOut() {
    auto labelled = [](QGroupBox* frame, std::initializer_list<std::pair<QLabel*, QWidget*>> rows) {
        auto* grid = new QGridLayout(frame);
        grid->setColumnStretch(2, 1);  // lists keep the width of their entries
        int r = 0;
        for (auto [label, field] : rows) {
            grid->addWidget(label, r, 0);
            grid->addWidget(field, r++, 1);
        }
        return grid;
    };
    labelled(Frame_general, {{Label_tot, Combo_TOT},
                             {Label_toa, Combo_TOA},
                             {Label_sql, Combo_Sql},
                             {Label_mic_level, Combo_Mic_Level},
                             {Label_voice, Combo_Voice}});
    auto* checkGrid = new QGridLayout(Frame_checks);
    checkGrid->addWidget(Check_Save, 0, 0);
    checkGrid->addWidget(Check_Beep, 0, 1);
    checkGrid->addWidget(Check_Scr_Acti, 1, 0);
    checkGrid->addWidget(Check_Scr_Back, 1, 1);
    (new QVBoxLayout(Frame_mode))->addWidget(Check_Clone);
    labelled(Frame_pttid, {{Label_ptt_Type, Combo_Ptt_Type},
                           {Label_PTT_ID, Combo_PTT_ID},
                           {Label_TX_begin, Text_tx_begin},
                           {Label_TX_end, Text_tx_end}});
    QGridLayout* vox = labelled(Frame_vox, {});
    vox->addWidget(Check_VOX, 0, 0, 1, 2);
    vox->addWidget(Label_Vox_g, 1, 0);
    vox->addWidget(Combo_VOX_g, 1, 1);
    vox->addWidget(Label_VOX_t, 2, 0);
    vox->addWidget(Combo_VOX_t, 2, 1);
    vox->addWidget(Check_vox_Operation, 3, 0, 1, 2);
    vox->addWidget(Check_vox_Tone, 4, 0, 1, 2);
    vox->addWidget(Check_vox_Receive, 5, 0, 1, 2);

    auto* left = new QVBoxLayout;
    left->addWidget(Frame_general);
    left->addWidget(Frame_checks);
    left->addWidget(Frame_mode);
    left->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(Frame_pttid);
    right->addWidget(Frame_vox);
    right->addStretch();
    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 1);
    columns->addLayout(right, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addStretch();
    layout->addLayout(buttonRow());
}

void frm_option::load() {
    setCaptions();
    fillLists();
    placeByFractions(1.2, 1.35, 10);
    decodeHeldBack();
    showAtFirstField();
}

void frm_option::setCaptions() {
    namespace w = opt::words;
    setWindowTitle(text(w::Window));
    Label_tot->setText(text(w::TimeOut));
    Label_toa->setText(text(w::PreAlert));
    Label_sql->setText(text(w::Squelch));
    Label_mic_level->setText(text(w::MicSensitivity));
    Label_voice->setText(text(w::Voice));
    Check_Save->setText(text(w::BatterySave));
    Check_Beep->setText(text(w::Beep));
    Check_Scr_Acti->setText(text(w::ScramblerActivation));
    Check_Scr_Back->setText(text(w::ScramblerBackup));
    Frame_pttid->setTitle(text(w::PttIdFrame));
    Label_ptt_Type->setText(text(w::PttIdType));
    Label_PTT_ID->setText(text(w::PttId));
    Label_TX_begin->setText(text(w::BeginOfTx));
    Label_TX_end->setText(text(w::EndOfTx));
    Frame_vox->setTitle(text(w::VoxFrame));
    Check_VOX->setText(text(w::Vox));
    Label_Vox_g->setText(text(w::VoxGain));
    Label_VOX_t->setText(text(w::VoxDelay));
    Check_vox_Operation->setText(text(w::VoxCancelOperation));
    Check_vox_Tone->setText(text(w::VoxProceedTone));
    Check_vox_Receive->setText(text(w::VoxInhibitOnReceive));
    Frame_mode->setTitle(text(w::FmRadioFrame));
    Check_Clone->setText(text(w::FmRadio));
    captionButtons();
}

void frm_option::fillLists() {
    for (const ListControl& l : lists())
        setEntries(l.box, entries(opt::listEntries(l.setting, chinese)));
}

void frm_option::decode() {
    Image& im = state.RadioImage;
    opt::normaliseOptions(im);
    for (const ListControl& l : lists()) l.box->setCurrentIndex(listIndex(im, l.setting));
    for (const CheckControl& c : checks()) c.box->setChecked(isChecked(im, c.setting));
    Text_tx_begin->setText(QString::fromStdString(opt::dtmfText(im, opt::BeginCodeRow)));
    Text_tx_end->setText(QString::fromStdString(opt::dtmfText(im, opt::EndCodeRow)));
    applyScramblerRule();
    applyPttIdRule();
    applyVoxRule();
}

void frm_option::connectStores() {
    Image& im = state.RadioImage;
    for (const ListControl& l : lists())
        onPick(l.box, [&im, l](int index) { storeListIndex(im, l.setting, index); });
    for (const CheckControl& c : checks())
        onTick(c.box, [&im, c](bool on) { storeCheck(im, c.setting, on); });
    // The rules follow the box whatever set it, decoding included.
    connect(Check_VOX, &QCheckBox::toggled, this, &frm_option::applyVoxRule);
    connect(Check_Scr_Acti, &QCheckBox::toggled, this, &frm_option::applyScramblerRule);
    connect(Combo_PTT_ID, &QComboBox::currentIndexChanged, this, &frm_option::applyPttIdRule);
    onEdit(Text_tx_begin, [this] { DtmfChange(Text_tx_begin, opt::BeginCodeRow); });
    onEdit(Text_tx_end, [this] { DtmfChange(Text_tx_end, opt::EndCodeRow); });
}

void frm_option::applyVoxRule() {
    const bool on = Check_VOX->isChecked();
    setBoxEnabled(Combo_VOX_g, on);
    setBoxEnabled(Combo_VOX_t, on);
    for (QCheckBox* c : {Check_vox_Operation, Check_vox_Tone, Check_vox_Receive}) c->setEnabled(on);
}

void frm_option::applyScramblerRule() { Check_Scr_Back->setEnabled(!Check_Scr_Acti->isChecked()); }

void frm_option::applyPttIdRule() {
    const int when = Combo_PTT_ID->currentIndex();
    setBoxEnabled(Text_tx_begin, opt::beginCodeUsed(when));
    setBoxEnabled(Text_tx_end, opt::endCodeUsed(when));
}

bool frm_option::eventFilter(QObject* watched, QEvent* event) {
    auto* box = qobject_cast<QLineEdit*>(watched);
    if (event->type() == QEvent::KeyPress && (box == Text_tx_begin || box == Text_tx_end))
        return DtmfKeyPress(box, static_cast<QKeyEvent*>(event));
    return FeatureWindow::eventFilter(watched, event);
}

// Digits and "A" to "D" only, at most 16; Backspace is refused. Keys that type nothing
// (arrows, Delete, shortcuts such as paste) work as usual: the row follows every change.
bool frm_option::DtmfKeyPress(QLineEdit* box, QKeyEvent* key) {
    if (key->key() == Qt::Key_Backspace) return true;
    const QString typed = key->text();
    if (typed.isEmpty() || !typed.at(0).isPrint() ||
        (key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)))
        return false;
    const auto accepted = opt::acceptDtmfKey(box->text().toStdString(), typed.at(0).unicode());
    if (!accepted) return true;
    if (QChar(*accepted) != typed.at(0)) {
        box->insert(QString(QChar(*accepted)));
        return true;
    }
    return false;
}

void frm_option::DtmfChange(QLineEdit* box, int row) {
    const QString kept = QString::fromStdString(opt::cleanDtmf(box->text().toStdU32String()));
    if (kept != box->text()) {
        box->setText(kept);  // comes back here with the kept text
        return;
    }
    opt::storeDtmf(state.RadioImage, row, kept.toStdString());
}

}  // namespace nv
