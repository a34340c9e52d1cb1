#include "channels/frm_chann.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "channels/ChannelEdit.h"
#include "channels/ChannelRecord.h"
#include "channels/ChannelTable.h"
#include "widgets/DigitFields.h"
#include "channels/Form_Chann_Edit.h"
#include "core/Defaults.h"
#include "core/Frequency.h"
#include "core/Tones.h"
#include "widgets/InPlaceGrid.h"
#include "widgets/Messages.h"

namespace nv {

namespace {
constexpr int Rows = 17, Cols = 10;
// Widest texts a data column shows, so that no cell is clipped in either language.
const char* const WidestContent[Cols] = {"16",          "450.02500", "450.02500", "   D754I   ",
                                         "   D754I   ", "High",      "Narrow",    "None",
                                         "FleetSync",   "OFF"};

QString trimmed(const QString& t) { return t.trimmed(); }
std::string utf8(const QString& t) { return t.toStdString(); }
}  // namespace

frm_chann::frm_chann(AppState& s, Workspace& workspace) : MdiChild(s, workspace) {
    setObjectName("frm_chann");
    MSF_chann = table_ = new ChannelTable(Rows, Cols, this);
    MSF_chann->setObjectName("MSF_chann");
    setUpInPlaceGrid(MSF_chann);
    MSF_chann->viewport()->installEventFilter(this);

    textEditor_ = new CellEditor(MSF_chann, "Text_Edit", CellEditor::HideOnUserScroll);
    textEditor_->onEnter = [this] { enterPressed(); };
    textEditor_->onMove = [this](int rows) { leaveByArrow(rows); };
    textEditor_->onTab = [this](int step) { tabFrom(step); };
    textEditor_->onEscape = [this] { cancelEdit(); };
    openCellsWithKeys(
        MSF_chann, [this](int r, int c) { onCellClicked(r, c); }, Typing::OpenOnTyping);
    MSF_chann->installEventFilter(this);
    Text_Edit = textEditor_->box();

    Combo_edit = new QComboBox(MSF_chann->viewport());
    Combo_edit->setObjectName("Combo_edit");
    Combo_edit->setEditable(true);
    Combo_edit->setCompleter(nullptr);  // what is typed is the value: "88" must not become 88.5
    Combo_edit->setInsertPolicy(QComboBox::NoInsert);
    Combo_edit->setMaxVisibleItems(16);
    Combo_edit->hide();
    Combo_edit->installEventFilter(this);
    Combo_edit->lineEdit()->installEventFilter(this);

    auto makeButton = [this](const char* name) {
        auto* b = new QPushButton(this);
        b->setObjectName(name);
        return b;
    };
    Command_clear = makeButton("Command_clear");
    Command_def = makeButton("Command_def");
    Command_Edit = makeButton("Command_Edit");
    Command_help = makeButton("Command_help");
    connect(Command_help, &QPushButton::clicked, this, &MdiChild::showHelp);
    Command_close = makeButton("Command_close");

    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {Command_clear, Command_def, Command_Edit, Command_help, Command_close}) {
        b->setMinimumWidth(96);
        buttons->addWidget(b);
    }
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 6);
    layout->addWidget(MSF_chann, 1);
    auto* row = new QHBoxLayout;
    row->setContentsMargins(8, 0, 8, 0);
    row->addLayout(buttons);
    layout->addLayout(row);

    connect(MSF_chann, &QTableWidget::currentCellChanged, this,
            [this](int r, int c, int, int) { onCurrentCellChanged(r, c); });
    connect(MSF_chann, &QTableWidget::cellClicked, this, &frm_chann::onCellClicked);
    // A scroll bar that follows a new size of the grid is no scrolling: the combo keeps
    // covering its cell (the text box does so by itself).
    for (QScrollBar* bar : {MSF_chann->verticalScrollBar(), MSF_chann->horizontalScrollBar()})
        connect(bar, &QScrollBar::valueChanged, this, &frm_chann::placeEditors);
    connect(Combo_edit, &QComboBox::activated, this, &frm_chann::pick);
    connect(Combo_edit->lineEdit(), &QLineEdit::textEdited, this, &frm_chann::comboTextEdited);
    connect(Command_clear, &QPushButton::clicked, this, &frm_chann::Command_clear_Click);
    connect(Command_def, &QPushButton::clicked, this, &frm_chann::Command_def_Click);
    connect(Command_Edit, &QPushButton::clicked, this, &frm_chann::Command_Edit_Click);
    connect(Command_close, &QPushButton::clicked, this, &frm_chann::Command_close_Click);
    buildCommands();
}

void frm_chann::load() {
    setHeader();
    Command_clear->setText(text("清除", "Clear"));
    Command_def->setText(text("出厂值", "Default"));
    Command_Edit->setText(text("信道编辑", "Channel Edit"));
    Command_help->setText(text("帮助", "Help"));
    Command_close->setText(text("关闭", "Close"));

    const int w = static_cast<int>(mainWidth() / 1.05), h = static_cast<int>(mainHeight() / 1.3);
    placeWindow(std::max(0, (innerWidth() - w) / 8), std::max(0, (innerHeight() - h) / 8), w, h);
    show();

    Text_Edit->hide();
    for (int n = 1; n <= ChannelCount; ++n) setCellText(n, 0, QString::number(n));
    state.CurrentChannel = 1;
    refreshAll();
    setCaption();
}

void frm_chann::setHeader() {
    setTitleRow(MSF_chann, QString::fromUtf8(gridHeaderFormat(chinese)));
    sizeColumns();
}

void frm_chann::sizeColumns() {
    const QFontMetrics plain(MSF_chann->font());
    QFont boldFont = MSF_chann->font();
    boldFont.setBold(true);
    const QFontMetrics bold(boldFont);
    for (int c = 0; c < Cols; ++c) {
        const int header = bold.horizontalAdvance(cellText(0, c));
        const int content = plain.horizontalAdvance(QString::fromLatin1(WidestContent[c]));
        naturalWidths_[c] = std::max(header, content) + 18;
    }
    const int rowHeight = plain.height() + 10;
    for (int r = 0; r < Rows; ++r) MSF_chann->setRowHeight(r, rowHeight);
    spreadColumns();
}

// The grid fills the window's width: room beyond the natural widths is shared out.
void frm_chann::spreadColumns() {
    int natural = 0;
    for (int w : naturalWidths_) natural += w;
    const int room = MSF_chann->viewport()->width() - natural;
    const int extra = room > 0 ? room / Cols : 0;
    for (int c = 0; c < Cols; ++c) MSF_chann->setColumnWidth(c, naturalWidths_[c] + extra);
}

int frm_chann::neededWidth() const {
    int columns = 0;
    for (int w : naturalWidths_) columns += w;
    // Room for a vertical scroll bar too: a short tile scrolls the rows.
    return columns + 2 * MSF_chann->frameWidth() +
           style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, MSF_chann) + 2;
}

void frm_chann::followGridSize() {
    spreadColumns();  // the text box follows its cell by itself
    placeEditors();
    // The grid settles its header offset and scroll bars after this resize has been seen: the
    // editors take their final place once that is done.
    QMetaObject::invokeMethod(this, &frm_chann::placeEditors, Qt::QueuedConnection);
}

void frm_chann::placeEditors() {
    const QRect cell = MSF_chann->visualRect(MSF_chann->model()->index(editRow_, editCol_));
    if (Combo_edit->isVisible()) Combo_edit->setGeometry(cell);
}

QString frm_chann::cellText(int row, int col) const { return MSF_chann->item(row, col)->text(); }
void frm_chann::setCellText(int row, int col, const QString& text) {
    MSF_chann->item(row, col)->setText(text);
}

void frm_chann::setCaption() {
    setWindowTitle(text("信道参数编辑 [ 信道 - ", "Channel Information [ Channel - ") + " " +
                   QString::number(state.CurrentChannel) + " ]");
}

void frm_chann::refreshRow(int n) {
    if (isEmptyChannel(state.RadioImage, n)) ClearChannel(state.RadioImage, n);
    const auto texts = gridRowTexts(state, n, chinese);
    for (int c = 1; c < Cols; ++c) setCellText(n, c, QString::fromStdString(texts[c]));
}

void frm_chann::refreshAll() {
    for (int n = 1; n <= ChannelCount; ++n) refreshRow(n);
}

void frm_chann::activated() {
    refreshAll();
    // An editor left open over a cell that changed underneath it (a read, a file load, the
    // detail dialog) would write its stale text back at the next commit.
    if (armed_ && cellText(editRow_, editCol_) != openedText_) disarmEditor();
}

// An open in-place editor belongs to the image before an undo or redo: its text is dropped,
// never written into the restored image.
void frm_chann::refresh() {
    disarmEditor();
    refreshAll();
}

// ---- editors -------------------------------------------------------------------------------

void frm_chann::onCurrentCellChanged(int row, int col) {
    if (moving_ || row < 1 || col < 0) return;
    commit();
}

void frm_chann::onCellClicked(int row, int col) {
    if (row < 1) return;
    openEditor(row, col);
    state.CurrentChannel = static_cast<Int16>(row);
    setCaption();
}

void frm_chann::openEditor(int r, int c) {
    editRow_ = r;
    editCol_ = c;
    openedText_ = cellText(r, c);
    lastGoodText_ = openedText_;
    openedImage_ = state.RadioImage;
    armed_ = false;
    const QRect cell = MSF_chann->visualRect(MSF_chann->model()->index(r, c));
    if (c == 1 || c == 2) {
        Combo_edit->hide();
        textEditor_->open(r, c);
        armed_ = true;
        return;
    }
    if (!hasEditor(r, c)) {
        if (c == 4) hideEditors();
        return;
    }
    Text_Edit->hide();
    Combo_edit->setGeometry(cell.left(), cell.top(), cell.width(), cell.height());
    fillCombo(c);
    Combo_edit->setEditText(openedText_);
    Combo_edit->show();
    Combo_edit->raise();
    Combo_edit->setFocus();
    Combo_edit->lineEdit()->selectAll();  // typing replaces the shown value
    armed_ = true;
}

// Column 0 has none; the tone and attribute columns of an empty channel have none, nor has the
// encode tone of a channel without transmit frequency.
bool frm_chann::hasEditor(int r, int c) const {
    if (c == 1 || c == 2) return true;
    if (c < 3 || trimmed(cellText(r, 1)).isEmpty()) return false;
    return c != 4 || !trimmed(cellText(r, 2)).isEmpty();
}

void frm_chann::fillCombo(int c) {
    const QSignalBlocker quiet(Combo_edit);
    Combo_edit->clear();
    QStringList entries;
    switch (c) {
        case 3:
        case 4:
            entries << text("无", "None");
            for (int i = 1; i <= LastTone; ++i)
                entries << QString::fromStdString(trimmedToneName(state, i));
            break;
        case 5:
            entries << text("高", "High") << text("低", "Low");
            break;
        case 6:
            entries << text("窄带", "Narrow") << text("宽带", "Wide");
            break;
        case 7:
            entries << text("有", "Yes") << text("无", "None");
            break;
        case 8:
            entries << text("无", "None") << "DTMF"
                    << "FleetSync";
            break;
        case 9:
            entries << text("关", "OFF") << text("开", "ON");
            break;
    }
    Combo_edit->addItems(entries);
    // The list opens at the cell's value (the cell centres a tone name with blanks).
    const QString value = openedText_.trimmed();
    Combo_edit->setCurrentIndex(value.isEmpty() ? -1 : entries.indexOf(value));
}

void frm_chann::hideEditors() {
    textEditor_->close();
    Combo_edit->hide();
    Combo_edit->setEditText(QString());
}

void frm_chann::disarmEditor() {
    armed_ = false;
    hideEditors();
}

// ---- picks and commits ---------------------------------------------------------------------

void frm_chann::pick(int k) {
    const int r = editRow_, c = editCol_;
    if (k < 0 || r < 1 || isEmptyChannel(state.RadioImage, r)) return;
    Image& im = state.RadioImage;
    lastGoodText_ = Combo_edit->itemText(k);
    switch (c) {
        case 3:
        case 4: {
            ToneCode code{0x00, 0x00};
            if (k >= FirstCtcssTone && k <= LastCtcssTone)
                code = ctcssCodeOfText(trimmedToneName(state, k));
            else if (k >= FirstDcsTone)
                code = toneCodeOf(state, k);
            setTone(im, r, c == 3 ? ch::DecodeTone : ch::EncodeTone, code.low, code.high);
            if (c == 3) setTone(im, r, ch::EncodeTone, code.low, code.high);
            refreshRow(r);
            break;
        }
        case 5:
            setField(im, r, ch::HighPower, k == 0 ? 1 : 0);
            break;
        case 6:
            setField(im, r, ch::Wide, k == 1 ? 1 : 0);
            break;
        case 7:
            setScanBit(im, r, k == 0);
            break;
        case 8:
            setField(im, r, ch::OptSig, k);
            break;
        case 9:
            setField(im, r, ch::PttId, k);
            break;
    }
}

void frm_chann::commit() {
    const int r = editRow_, c = editCol_;
    Text_Edit->hide();
    if (!armed_) {
        hideEditors();
        return;
    }
    armed_ = false;
    // Looking at a cell is not an edit: without this, leaving a receive cell would set the
    // transmit frequency to it and leaving a decode cell would copy it to the encode tone.
    const QString now = (c == 1 || c == 2) ? Text_Edit->text() : Combo_edit->currentText();
    if (now == openedText_) {
        hideEditors();
        return;
    }
    switch (c) {
        case 1:
            commitReceive(r);
            break;
        case 2:
            commitTransmit(r);
            break;
        case 3:
        case 4:
            commitTone(r, c);
            break;
        case 5:
        case 6:
        case 7:
        case 8:
        case 9:
            setCellText(r, c, Combo_edit->currentText());
            hideEditors();
            break;
        default:
            hideEditors();
    }
}

void frm_chann::commitReceive(int r) {
    const QString t = Text_Edit->text();
    if (outsideBand(state, utf8(t))) {
        if (trimmed(t).isEmpty()) {
            ClearChannel(state.RadioImage, r);
            hideEditors();
            refreshRow(r);
            return;
        }
        // The channel keeps what it had: a typo must not become a frequency nobody typed.
        prompt(state, this, "接收频率超出范围 ！", "Over the range of receive frequency .");
        hideEditors();
        refreshRow(r);
        return;
    }
    const QString cell = QString::fromStdString(padFrequencyText(utf8(t)));
    setCellText(r, 1, cell);
    const bool wasEmpty = isEmptyChannel(state.RadioImage, r);
    textToFrequency(utf8(cell), state.RadioImage, r, ch::RxFreq);
    textToFrequency(utf8(cell), state.RadioImage, r, ch::TxFreq);
    if (wasEmpty) InitNewChannel(state.RadioImage, r);
    hideEditors();
    refreshRow(r);
}

void frm_chann::commitTransmit(int r) {
    const QString t = Text_Edit->text();
    Image& im = state.RadioImage;
    if (trimmed(cellText(r, 1)).isEmpty() && !trimmed(t).isEmpty()) {
        prompt(state, this, "请先输入接收频率 ！",
               "Please input the receive frequency in advance.");
        hideEditors();
        return;
    }
    if (outsideBand(state, utf8(t))) {
        if (!trimmed(t).isEmpty()) {
            // The channel keeps its transmit frequency and encode tone.
            prompt(state, this, "发射频率超出范围 ！", "Over the range of transmit frequency .");
            hideEditors();
            refreshRow(r);
            return;
        }
        setCellText(r, 2, QString());
        setCellText(r, 4, QString());
        for (int c = 0; c < 4; ++c) im(r, ch::TxFreq + c) = 0xFF;
        setTone(im, r, ch::EncodeTone, 0xFF, 0xFF);
    } else {
        const QString cell = QString::fromStdString(padFrequencyText(utf8(t)));
        setCellText(r, 2, cell);
        textToFrequency(utf8(cell), im, r, ch::TxFreq);
        if (im(r, ch::EncodeTone) == 0xFF) setCellText(r, 4, text("无", "None"));
    }
    hideEditors();
    refreshRow(r);
}

void frm_chann::commitTone(int r, int c) {
    const QString x = Combo_edit->currentText().remove(' ');
    if (isTypedCtcss(utf8(x))) {
        const ToneCode code = ctcssCodeOfText(utf8(x));
        setTone(state.RadioImage, r, c == 3 ? ch::DecodeTone : ch::EncodeTone, code.low, code.high);
        if (c == 3) setTone(state.RadioImage, r, ch::EncodeTone, code.low, code.high);
        refreshRow(r);
    } else {
        for (int i = 0; i < Combo_edit->count(); ++i) {
            if (QString::fromStdString(trimmedToneName(state, i)) == x) {
                Combo_edit->setCurrentIndex(i);
                pick(i);
                setCellText(r, c, Combo_edit->currentText());
                break;
            }
        }
    }
    hideEditors();
}

// ---- keys ------------------------------------------------------------------------------------

bool frm_chann::eventFilter(QObject* watched, QEvent* event) {
    if (watched == MSF_chann->viewport() && event->type() == QEvent::Resize) followGridSize();
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (watched == Combo_edit || watched == Combo_edit->lineEdit()) return filterComboKey(key);
        if (watched == MSF_chann && isTab(key)) return tabFrom(key->key() == Qt::Key_Tab ? 1 : -1);
    }
    return MdiChild::eventFilter(watched, event);
}

bool frm_chann::filterComboKey(QKeyEvent* key) {
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        enterPressed();
        return true;
    }
    if (key->key() == Qt::Key_Escape) {
        cancelEdit();
        return true;
    }
    if (isTab(key)) {
        tabFrom(key->key() == Qt::Key_Tab ? 1 : -1);
        return true;
    }
    if (editCol_ >= 5) {  // attribute columns: only a pick from the list changes the value
        return !key->text().isEmpty() &&
               (key->text().at(0).isPrint() || key->key() == Qt::Key_Backspace);
    }
    if (key->key() == Qt::Key_Backspace) return true;
    const QString text = key->text();
    if (text.isEmpty() || !text.at(0).isPrint()) return false;
    const QChar ch = text.at(0);
    if (isAsciiDigit(ch) || ch == '.' || ch == 'D' || ch == 'N' || ch == 'I') return false;
    if (ch == 'd' || ch == 'n' || ch == 'i') {
        Combo_edit->lineEdit()->insert(QString(ch.toUpper()));
        return true;
    }
    return true;
}

void frm_chann::comboTextEdited(const QString&) {
    if (editCol_ < 5) return;
    Combo_edit->setFocus();
    Combo_edit->setEditText(lastGoodText_);
}

// Up or Down in the text box commit the cell and move to the one above or below; the grid
// keeps the keyboard, so the arrows, F2 and Enter go on working there.
void frm_chann::leaveByArrow(int rows) {
    const int next = std::clamp(editRow_ + rows, 1, ChannelCount);
    MSF_chann->setFocus();
    if (next == editRow_)
        commit();
    else
        MSF_chann->setCurrentCell(next, editCol_);  // commits the cell being left
}

// Escape: nothing typed is written, and entries the arrow keys picked from the list (each
// written at once) are taken back, undo history included, so that the cell is as it was.
void frm_chann::cancelEdit() {
    const int r = editRow_;
    const auto picked = [&] {
        for (int c = 0; c < 16; ++c)
            if (state.RadioImage(r, c) != openedImage_(r, c)) return true;
        return scanBit(state.RadioImage, r) != scanBit(openedImage_, r);
    };
    if (armed_ && editCol_ >= 3 && picked()) {
        const bool scan = scanBit(openedImage_, r);
        for (int c = 0; c < 16; ++c) state.RadioImage(r, c) = openedImage_(r, c);
        setScanBit(state.RadioImage, r, scan);
        workspace.takeBack(state.RadioImage);
    }
    disarmEditor();
    refreshRow(r);
    MSF_chann->setFocus();
}

bool frm_chann::isTab(const QKeyEvent* key) {
    return key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
}

// Tab and Shift+Tab go from cell to cell that has an editor, on into the next or previous
// channel, committing an open editor and opening the next; past the last channel's last cell
// the keyboard goes on to the window's buttons.
bool frm_chann::tabFrom(int step) {
    const bool editing = armed_;
    int r = editing ? editRow_ : MSF_chann->currentRow();
    int c = editing ? editCol_ : MSF_chann->currentColumn();
    if (editing) commit();  // a channel created by this commit gains its other columns
    MSF_chann->setFocus();
    do {
        c += step;
        if (c == Cols) {
            ++r;
            c = 1;
        } else if (c < 1) {
            --r;
            c = Cols - 1;
        }
        if (r < 1 || r > ChannelCount) {
            hideEditors();
            focusNextPrevChild(step > 0);
            return true;
        }
    } while (!hasEditor(r, c));
    moveTo(r, c);
    if (editing) openEditor(r, c);
    return true;
}

void frm_chann::moveTo(int row, int col) {
    moving_ = true;
    MSF_chann->setCurrentCell(row, col);
    moving_ = false;
}

void frm_chann::enterPressed() {
    const int r = editRow_, c = editCol_;
    int nextRow = r, nextCol = c + 1;
    if (c == 1) {
        commit();
    } else if (c == 2) {
        commit();
        if (trimmed(cellText(r, 1)).isEmpty() && trimmed(cellText(r, 2)).isEmpty()) {
            nextRow = std::min(r + 1, ChannelCount);
            nextCol = 1;
        }
    } else if (c >= 3 && c <= 8) {
        commit();
    } else if (c == 9) {
        commit();
        nextRow = std::min(r + 1, ChannelCount);
        nextCol = 1;
    } else {
        return;
    }
    moveTo(nextRow, nextCol);
    openEditor(nextRow, nextCol);
}

// ---- buttons ---------------------------------------------------------------------------------

void frm_chann::Command_clear_Click() {
    disarmEditor();
    for (int n = 1; n <= ChannelCount; ++n)
        for (int c = 0; c < 16; ++c) state.RadioImage(n, c) = 0xFF;
    refreshAll();
}

void frm_chann::Command_def_Click() {
    disarmEditor();
    writeDefaultChannels(state.RadioImage);
    refreshAll();
}

void frm_chann::Command_Edit_Click() {
    if (MdiChild* open = workspace.child("Form_Chann_Edit")) {
        workspace.workArea()->setActiveSubWindow(open->subWindow());
        return;
    }
    workspace.openWindow("Form_Chann_Edit");
}

void frm_chann::Command_close_Click() {
    for (const char* name : {"Form_Chann_Edit", "Form_open_chann", "Form_save_chann"})
        workspace.closeChild(name);
    closeWindow();
}

}  // namespace nv
