#include "adjust/frm_Adj_Txp.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <vector>

#include "adjust/AdjustData.h"
#include "adjust/AdjustFile.h"
#include "files/Backups.h"
#include "files/FileIo.h"
#include "files/NumberFileProblem.h"
#include "widgets/ListOnly.h"
#include "widgets/Messages.h"

namespace nv {

namespace {
template <class W>
W* named(QWidget* parent, const QString& name) {
    auto* w = new W(parent);
    w->setObjectName(name);
    return w;
}
QString indexed(const char* name, int i) { return QStringLiteral("%1_%2").arg(name).arg(i); }

const NumberFileKind AdjustFileKind = {"调整参数文件", "The adjust parameter file",
                                       AdjustFileValues};
}  // namespace

frm_Adj_Txp::frm_Adj_Txp(AppState& s, Workspace& workspace) : MdiChild(s, workspace) {
    setObjectName("frm_Adj_Txp");
    buildControls();
    setLayout(buildLayout());
    connectEditors();
}

frm_Adj_Txp::~frm_Adj_Txp() {
    link_.reset();  // before the port and the timers it uses
    timers_.reset();
    if (MSC) MSC->close();
}

void frm_Adj_Txp::buildControls() {
    for (int i = 0; i < Points; ++i) {
        if (i > 0) {  // squelch levels 1 to 9: item 0 has no cell
            Combo_sq_open[i] = named<QComboBox>(this, indexed("Combo_sq_open", i));
            Label1[i] = named<QLabel>(this, indexed("Label1", i));
        }
        Combo_SQL_Offset[i] = named<QComboBox>(this, indexed("Combo_SQL_Offset", i));
        Label_Freq[i] = named<QLabel>(this, indexed("Label_Freq", i));
    }
    Label2 = named<QLabel>(this, "Label2");
    Label9 = named<QLabel>(this, "Label9");
    Frame_Txp_H = named<QGroupBox>(this, "Frame_Txp_H");
    Frame_Txp_L = named<QGroupBox>(this, "Frame_Txp_L");
    for (int i = 0; i < Points; ++i) {
        Combo_Txp_H[i] = named<QComboBox>(Frame_Txp_H, indexed("Combo_Txp_H", i));
        Label_TXP_H[i] = named<QLabel>(Frame_Txp_H, indexed("Label_TXP_H", i));
        Combo_Txp_L[i] = named<QComboBox>(Frame_Txp_L, indexed("Combo_Txp_L", i));
        Label_Txp_L[i] = named<QLabel>(Frame_Txp_L, indexed("Label_Txp_L", i));
    }
    Combo_dev_Voice = named<QComboBox>(this, "Combo_dev_Voice");
    Combo_dev_ctcss = named<QComboBox>(this, "Combo_dev_ctcss");
    Combo_dev_dcs = named<QComboBox>(this, "Combo_dev_dcs");
    Combo_Rx_VH = named<QComboBox>(this, "Combo_Rx_VH");
    Combo_Rx_VL = named<QComboBox>(this, "Combo_Rx_VL");
    Combo_JT = named<QComboBox>(this, "Combo_JT");
    Label_dev_Voice = named<QLabel>(this, "Label_dev_Voice");
    Label_dev_ctcss = named<QLabel>(this, "Label_dev_ctcss");
    Label_dev_dcs = named<QLabel>(this, "Label_dev_dcs");
    Label_Rx_VH = named<QLabel>(this, "Label_Rx_VH");
    Label_Rx_VL = named<QLabel>(this, "Label_Rx_VL");
    Label_JT = named<QLabel>(this, "Label_JT");
    Frame_TX = named<QGroupBox>(this, "Frame_TX");
    Frame_RX = named<QGroupBox>(this, "Frame_RX");
    Check_WN_TX = named<QCheckBox>(Frame_TX, "Check_WN_TX");
    Check_PRE_TX = named<QCheckBox>(Frame_TX, "Check_PRE_TX");
    Check_V_HPF_TX = named<QCheckBox>(Frame_TX, "Check_V_HPF_TX");
    Check_V_LPF_TX = named<QCheckBox>(Frame_TX, "Check_V_LPF_TX");
    Check_WN_RX = named<QCheckBox>(Frame_RX, "Check_WN_RX");
    Check_PRE_RX = named<QCheckBox>(Frame_RX, "Check_PRE_RX");
    Check_V_HPF_RX = named<QCheckBox>(Frame_RX, "Check_V_HPF_RX");
    Check_V_LPF_RX = named<QCheckBox>(Frame_RX, "Check_V_LPF_RX");
    Check_VHF_UHF = named<QCheckBox>(this, "Check_VHF_UHF");
    Label_ver = named<QLabel>(this, "Label_ver");
    Label_version = named<QLabel>(this, "Label_version");
    Command_read = named<QPushButton>(this, "Command_read");
    Command_write = named<QPushButton>(this, "Command_write");
    Command_Open = named<QPushButton>(this, "Command_Open");
    Command_Save = named<QPushButton>(this, "Command_Save");
    Command_close = named<QPushButton>(this, "Command_close");
    ProgressBar1 = named<QProgressBar>(this, "ProgressBar1");
    ProgressBar1->setRange(0, 100);
    Label_tr_count = named<QLabel>(this, "Label_tr_count");
    Label_tr_count->setAlignment(Qt::AlignCenter);

    for (const Editor& e : editors()) {
        makeListOnly(e.combo);
        e.combo->setMaxVisibleItems(16);
    }
    // The crystal is a property of the radio's hardware: the display never shows it, so a
    // list that stores whatever is picked stays out of the user's way.
    Combo_JT->hide();
    Label_JT->hide();
}

QLayout* frm_Adj_Txp::buildLayout() {
    auto column = [](QLabel* heading, auto labels, auto combos, int first) {
        auto* grid = new QGridLayout;
        grid->setVerticalSpacing(2);
        if (heading) grid->addWidget(heading, 0, 0, 1, 2);
        for (int i = first; i < Points; ++i) {
            labels[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            grid->addWidget(labels[i], i + 1, 0);
            grid->addWidget(combos[i], i + 1, 1);
        }
        grid->setRowStretch(Points + 1, 1);
        return grid;
    };
    auto* squelch = column(Label2, Label1, Combo_sq_open, 1);
    auto* offset = column(Label9, Label_Freq, Combo_SQL_Offset, 0);
    Frame_Txp_H->setLayout(column(nullptr, Label_TXP_H, Combo_Txp_H, 0));
    Frame_Txp_L->setLayout(column(nullptr, Label_Txp_L, Combo_Txp_L, 0));

    auto* settings = new QGridLayout;
    settings->setVerticalSpacing(2);
    const std::pair<QLabel*, QComboBox*> rows[] = {
        {Label_dev_Voice, Combo_dev_Voice}, {Label_dev_ctcss, Combo_dev_ctcss},
        {Label_dev_dcs, Combo_dev_dcs},     {Label_Rx_VH, Combo_Rx_VH},
        {Label_Rx_VL, Combo_Rx_VL},         {Label_JT, Combo_JT}};
    int row = 0;
    for (auto [label, combo] : rows) {
        settings->addWidget(label, row, 0);
        settings->addWidget(combo, row++, 1);
    }
    settings->setColumnStretch(2, 1);
    auto* switches = new QHBoxLayout;
    for (auto [frame, boxes] : {std::pair{Frame_TX, std::array{Check_WN_TX, Check_PRE_TX,
                                                               Check_V_HPF_TX, Check_V_LPF_TX}},
                                std::pair{Frame_RX, std::array{Check_WN_RX, Check_PRE_RX,
                                                               Check_V_HPF_RX, Check_V_LPF_RX}}}) {
        auto* inner = new QVBoxLayout(frame);
        inner->setSpacing(2);
        for (QCheckBox* b : boxes) inner->addWidget(b);
        switches->addWidget(frame);
    }
    switches->addStretch();
    auto* version = new QHBoxLayout;
    version->addWidget(Label_ver);
    version->addWidget(Label_version, 1);
    auto* right = new QVBoxLayout;
    right->addLayout(settings);
    right->addLayout(switches);
    right->addWidget(Check_VHF_UHF);
    right->addLayout(version);
    right->addStretch();

    auto* tables = new QHBoxLayout;
    tables->addLayout(squelch);
    tables->addSpacing(8);
    tables->addLayout(offset);
    tables->addSpacing(8);
    tables->addWidget(Frame_Txp_H, 0, Qt::AlignTop);
    tables->addWidget(Frame_Txp_L, 0, Qt::AlignTop);
    tables->addSpacing(8);
    tables->addLayout(right, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* b :
         {Command_read, Command_write, Command_Open, Command_Save, Command_close}) {
        b->setMinimumWidth(90);
        buttons->addWidget(b);
    }
    buttons->addStretch();
    auto* layout = new QVBoxLayout;
    layout->addLayout(tables, 1);
    layout->addWidget(ProgressBar1);
    layout->addWidget(Label_tr_count);
    layout->addLayout(buttons);
    return layout;
}

QList<frm_Adj_Txp::Editor> frm_Adj_Txp::editors() const {
    QList<Editor> list;
    for (int i = 1; i < Points; ++i) list.push_back({Combo_sq_open[i], 0, i - 1});
    list.push_back({Combo_dev_Voice, 0, adj::VoiceDeviation.firstCell});
    list.push_back({Combo_dev_ctcss, 0, adj::CtcssDeviation.firstCell});
    list.push_back({Combo_dev_dcs, 0, adj::DcsDeviation.firstCell});
    list.push_back({Combo_Rx_VH, 0, adj::CoarseSensitivity.firstCell});
    list.push_back({Combo_Rx_VL, 0, adj::FineSensitivity.firstCell});
    list.push_back({Combo_JT, 0, adj::Crystal.firstCell});
    for (int i = 0; i < Points; ++i) {
        list.push_back({Combo_Txp_H[i], adj::HighPower.row, i});
        list.push_back({Combo_Txp_L[i], adj::LowPower.row, i});
        list.push_back({Combo_SQL_Offset[i], adj::SquelchOffset.row, i});
    }
    return list;
}

QList<frm_Adj_Txp::Switch> frm_Adj_Txp::switches() const {
    QCheckBox* const transmit[] = {Check_WN_TX, Check_PRE_TX, Check_V_HPF_TX, Check_V_LPF_TX};
    QCheckBox* const receive[] = {Check_WN_RX, Check_PRE_RX, Check_V_HPF_RX, Check_V_LPF_RX};
    QList<Switch> list;
    for (int i = 0; i < 4; ++i) {
        list.push_back({transmit[i], adj::TransmitSwitches, adj::SwitchBits[i]});
        list.push_back({receive[i], adj::ReceiveSwitches, adj::SwitchBits[i]});
    }
    return list;
}

void frm_Adj_Txp::connectEditors() {
    for (const Editor& e : editors())
        connect(e.combo, &QComboBox::currentIndexChanged, this,
                [this, e](int index) { comboChanged(e, index); });
    for (const Switch& s : switches())
        connect(s.box, &QCheckBox::toggled, this, [this, s](bool on) { switchChanged(s, on); });
    connect(Check_VHF_UHF, &QCheckBox::toggled, this, &frm_Adj_Txp::Check_VHF_UHF_Click);
    connect(Command_read, &QPushButton::clicked, this, &frm_Adj_Txp::Command_read_Click);
    connect(Command_write, &QPushButton::clicked, this, &frm_Adj_Txp::Command_write_Click);
    connect(Command_Open, &QPushButton::clicked, this, &frm_Adj_Txp::Command_Open_Click);
    connect(Command_Save, &QPushButton::clicked, this, &frm_Adj_Txp::Command_Save_Click);
    connect(Command_close, &QPushButton::clicked, this, &frm_Adj_Txp::Command_close_Click);
}

void frm_Adj_Txp::setCaptions() {
    setWindowTitle(text("调试", "Test"));
    Command_read->setText(text("读取", "Read"));
    Command_write->setText(text("写入", "Write"));
    Command_close->setText(text("关闭", "Close"));
    Label_ver->setText(text("MCU 软件版本", "MCU Version"));
    // The remaining captions read the same in both languages.
    Label2->setText(QStringLiteral("静噪打开值"));
    Label9->setText(QStringLiteral("静噪开启修正值"));
    for (int i = 1; i < Points; ++i) Label1[i]->setText(QString::number(i));
    Frame_Txp_H->setTitle(QStringLiteral("高功率"));
    Frame_Txp_L->setTitle(QStringLiteral("低功率"));
    Label_dev_Voice->setText(QStringLiteral("话音调制度"));
    Label_dev_ctcss->setText(QStringLiteral("模拟哑音调制度"));
    Label_dev_dcs->setText(QStringLiteral("数字哑音调制度"));
    Label_Rx_VH->setText(QStringLiteral("调制灵敏度粗调"));
    Label_Rx_VL->setText(QStringLiteral("调制灵敏度细调"));
    Label_JT->setText(QStringLiteral("晶体"));
    Frame_TX->setTitle(QStringLiteral("发射"));
    Frame_RX->setTitle(QStringLiteral("接收"));
    Check_WN_TX->setText(QStringLiteral("宽带"));
    Check_PRE_TX->setText(QStringLiteral("预加重"));
    Check_V_HPF_TX->setText(QStringLiteral("语音高通"));
    Check_V_LPF_TX->setText(QStringLiteral("语音低通"));
    Check_WN_RX->setText(QStringLiteral("宽带"));
    Check_PRE_RX->setText(QStringLiteral("去加重"));
    Check_V_HPF_RX->setText(QStringLiteral("语音高通"));
    Check_V_LPF_RX->setText(QStringLiteral("语音低通"));
    Check_VHF_UHF->setText(QStringLiteral("VHF/UHF"));
    Command_Open->setText(QStringLiteral("打开"));
    Command_Save->setText(QStringLiteral("保存"));
}

void frm_Adj_Txp::load() {
    setCaptions();
    Check_VHF_UHF_Click();  // the frequency-point labels, so the window sizes itself to them
    const int w = static_cast<int>(mainWidth() / 1.02), h = static_cast<int>(mainHeight() / 1.3);
    placeWindow(std::max(0, (innerWidth() - w) / 2), std::max(0, (innerHeight() - h) / 2), w, h);
    showAtFirstField();

    MSC = workspace.ports().create();
    timers_ = std::make_unique<QtLinkTimers>(
        [this](TimerId id) { inEngine([&] { link_->timerTick(id); }); });
    LinkView& view = *this;
    link_ = std::make_unique<AdjustLink>(state, *MSC, *timers_, view);
    link_->showTable = [this] {
        state.AdjustImageKnown = true;
        keepAdjust(state);
        showTable();
    };
    link_->written = [this] {
        if (!adjustKept(state)) state.KeptAdjust = link_->sentTable();
    };
    MSC->onByteReceived = [this] { inEngine([&] { link_->byteReceived(); }); };
    ProgressBar1->hide();

    fillLists();
    showTable();
}

void frm_Adj_Txp::fillLists() {
    auto numbers = [](int count) {
        QStringList items;
        for (int i = 0; i < count; ++i) items << QStringLiteral(" %1").arg(i);
        return items;
    };
    // Filling a list selects its first entry, which must not store anything.
    const QList<Editor> lists = editors();
    std::vector<QSignalBlocker> quiet;
    quiet.reserve(lists.size());
    for (const Editor& e : lists) {
        quiet.emplace_back(e.combo);
        e.combo->clear();
    }
    for (int i = 1; i < Points; ++i) Combo_sq_open[i]->addItems(numbers(adj::SquelchOpen.items));
    for (int i = 0; i < Points; ++i) {
        Combo_SQL_Offset[i]->addItems(numbers(adj::SquelchOffset.items));
        Combo_Txp_H[i]->addItems(numbers(adj::HighPower.items));
        Combo_Txp_L[i]->addItems(numbers(adj::LowPower.items));
    }
    Combo_dev_Voice->addItems(numbers(adj::VoiceDeviation.items));
    Combo_dev_ctcss->addItems(numbers(adj::CtcssDeviation.items));
    Combo_dev_dcs->addItems(numbers(adj::DcsDeviation.items));
    Combo_Rx_VH->addItems(numbers(adj::CoarseSensitivity.items));
    Combo_Rx_VL->addItems(numbers(adj::FineSensitivity.items));
    Combo_JT->addItems({QStringLiteral("26 M"), QStringLiteral("13 M")});
    for (const Editor& e : editors()) e.combo->setCurrentIndex(-1);
}

// ---- display ---------------------------------------------------------------------------------

// A value beyond its list shows as the list's last entry but stays as the radio gave it, so
// that writing back what was read changes nothing the user did not change.
void frm_Adj_Txp::showTable() {
    const AdjustTable& t = state.AdjustImage;
    for (const Editor& e : editors()) {
        if (e.combo == Combo_JT) continue;  // the crystal is never shown
        const QSignalBlocker quiet(e.combo);
        e.combo->setCurrentIndex(adj::listPosition(t(e.row, e.cell), e.combo->count()));
    }
    for (const Switch& s : switches()) {
        const QSignalBlocker quiet(s.box);
        s.box->setChecked(adj::switchOn(t, s.cell, s.bit));
    }
    Label_version->setText(QString::fromStdString(adj::versionText(t)));
}

void frm_Adj_Txp::showSharedCell(int cell) {
    const int value = state.AdjustImage(0, cell);
    QComboBox* combo = cell == adj::TransmitSwitches ? Combo_Rx_VH : Combo_Rx_VL;
    {
        const QSignalBlocker quiet(combo);
        combo->setCurrentIndex(adj::listPosition(value, combo->count()));
    }
    for (const Switch& s : switches()) {
        if (s.cell != cell) continue;
        const QSignalBlocker quiet(s.box);
        s.box->setChecked((value & s.bit) != 0);
    }
}

void frm_Adj_Txp::Check_VHF_UHF_Click() {
    const bool vhf = Check_VHF_UHF->isChecked();
    for (int i = 0; i < Points; ++i) {
        const QString mhz = QString::number(adj::frequencyPointMHz(i, vhf));
        Label_Freq[i]->setText(mhz);
        Label_TXP_H[i]->setText(mhz);
        Label_Txp_L[i]->setText(mhz);
    }
}

// ---- edits -----------------------------------------------------------------------------------

void frm_Adj_Txp::comboChanged(const Editor& e, int index) {
    if (index < 0) return;
    state.AdjustImage(e.row, e.cell) = static_cast<Int16>(index);
    if (e.row == 0 && (e.cell == adj::TransmitSwitches || e.cell == adj::ReceiveSwitches))
        showSharedCell(e.cell);
}

void frm_Adj_Txp::switchChanged(const Switch& s, bool on) {
    adj::setSwitch(state.AdjustImage, s.cell, s.bit, on);
    showSharedCell(s.cell);
}

void frm_Adj_Txp::setEditorsEnabled(bool enabled) {
    for (const Editor& e : editors()) setEnabledLook(e.combo, enabled);
    for (const Switch& s : switches()) s.box->setEnabled(enabled);
}

// ---- link ------------------------------------------------------------------------------------

void frm_Adj_Txp::Command_read_Click() {
    inEngine([&] { link_->readButton(); });
}

void frm_Adj_Txp::Command_write_Click() {
    if (!state.AdjustImageKnown) {
        prompt(state, this,
               QStringLiteral("调整参数尚未从对讲机读取，也未从文件调入，不能写入 ！"
                              "请先读取或打开调整参数文件。"),
               QStringLiteral("The adjustment values have not been read from the radio or "
                              "opened from a file yet: writing them would replace the radio's "
                              "own alignment. Read or open them first."));
        return;
    }
    inEngine([&] { link_->writeButton(); });
}

void frm_Adj_Txp::setProgress(int value) {
    ProgressBar1->show();
    ProgressBar1->setValue(value);
}

void frm_Adj_Txp::setLabel(const std::string& text) { Label_tr_count->setText(qs(text)); }

void frm_Adj_Txp::message(const std::string& text, bool done) {
    const QString t = qs(text);  // the engine has chosen the language already
    if (done)
        promptDone(state, this, t, t);
    else
        prompt(state, this, t, t);
}

// ---- files -----------------------------------------------------------------------------------

bool frm_Adj_Txp::refuseWhileTransferring() {
    if (!transferRunning()) return false;
    prompt(state, this, QStringLiteral("正在与对讲机进行读写操作 ！"),
           QStringLiteral("Read-write operating with transceiver ."));
    return true;
}

void frm_Adj_Txp::Command_Open_Click() {
    if (!refuseWhileTransferring()) workspace.openWindow("Form_open_adj");
}

void frm_Adj_Txp::Command_Save_Click() {
    if (!refuseWhileTransferring()) workspace.openWindow("Form_save_adj");
}

void frm_Adj_Txp::loadFile(const QString& path) {
    if (refuseWhileTransferring()) return;
    QByteArray data;
    FileProblem problem;
    if (!readConfigFile(path, &data, &problem)) {
        prompt(state, this, QStringLiteral("调整参数文件无法打开：%1").arg(problem.text(true)),
               QStringLiteral("The adjust parameter file cannot be opened: %1")
                   .arg(problem.text(false)));
        return;
    }
    const NumberListError error = loadAdjustFileText(data.toStdString(), state.AdjustImage);
    if (error.kind != NumberListError::None) {
        prompt(state, this, numberFileProblem(error, true, AdjustFileKind),
               numberFileProblem(error, false, AdjustFileKind));
        return;
    }
    state.AdjustImageKnown = true;
    keepAdjust(state);
    showTable();
    promptDone(state, this, QStringLiteral("调整参数从文件调入成功 ！"),
               QStringLiteral("Succeed fold the optional parameters from file."));
    ProgressBar1->hide();
    ProgressBar1->setValue(0);
    Label_tr_count->clear();
}

void frm_Adj_Txp::saveFile(const QString& path) {
    if (refuseWhileTransferring()) return;
    keepReplacedFile(state, workspace, path);
    FileProblem problem;
    const AdjustTable saved = state.AdjustImage;
    if (!writeFileAtomically(path, QByteArray::fromStdString(adjustFileText(saved)), &problem)) {
        prompt(state, this, QStringLiteral("调整参数保存失败：%1").arg(problem.text(true)),
               QStringLiteral("The adjust parameters could not be stored: %1")
                   .arg(problem.text(false)));
        return;
    }
    state.KeptAdjust = saved;
    promptDone(state, this, QStringLiteral("调整参数保存完毕 ！"),
               QStringLiteral("Complete storing optional parameters."));
}

// ---- closing ---------------------------------------------------------------------------------

void frm_Adj_Txp::closeDialogs() {
    workspace.closeChild("Form_open_adj");
    workspace.closeChild("Form_save_adj");
}

void frm_Adj_Txp::Command_close_Click() {
    if (transferRunning()) {
        prompt(state, this, QStringLiteral("正在进行读写操作,请勿关窗口 ！,"),
               QStringLiteral("Read-write operating，don't close the window.,"));
        return;
    }
    if (MSC && MSC->isOpen()) MSC->close();
    closeDialogs();
    closeWindow();
}

void frm_Adj_Txp::closeEvent(QCloseEvent* event) {
    // The frame's close button acts as Close; the program itself (the main window ending)
    // always closes the window.
    if (!closingByProgram) {
        if (transferRunning()) {
            event->ignore();
            Command_close_Click();
            return;
        }
        closeDialogs();
    }
    event->accept();
}

}  // namespace nv
