#include "adjust/Form_Edit_Test.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "adjust/TestFrequencies.h"
#include "channels/ChannelEdit.h"
#include "widgets/InPlaceGrid.h"
#include "widgets/Messages.h"

namespace nv {

namespace {
constexpr int Rows = TestChannels + 1, Cols = 3;
const char* const TitleChinese = "^信道号|^接收频率(MHZ)|^发射频率(MHZ)";
const char* const TitleEnglish = "^ Channel |^ RX Frequency |^ TX Frequency ";
bool blank(const QString& t) { return t.trimmed().isEmpty(); }
}  // namespace

Form_Edit_Test::Form_Edit_Test(AppState& s, Workspace& workspace) : MdiChild(s, workspace) {
    setObjectName("Form_Edit_Test");
    MSF_chann = new QTableWidget(Rows, Cols, this);
    MSF_chann->setObjectName("MSF_chann");
    setUpInPlaceGrid(MSF_chann);
    // A box that vanished when the user scrolls would hide an edit that is still to be finished.
    editor_ = new CellEditor(MSF_chann, "Text_Edit", CellEditor::MoveOnScroll);
    editor_->onEnter = [this] { enterPressed(); };
    editor_->onFocusLost = [this] { finishEdit(); };
    editor_->onMove = [this](int rows) { moveEdit(rows); };
    editor_->onEscape = [this] { dropEdit(); };
    openCellsWithKeys(MSF_chann, [this](int row, int col) { MSF_chann_Click(row, col); });
    Text_Edit = editor_->box();
    Command_Help = new QPushButton(this);
    Command_Help->setObjectName("Command_Help");
    connect(Command_Help, &QPushButton::clicked, this, &MdiChild::showHelp);
    Command_close = new QPushButton(this);
    Command_close->setObjectName("Command_close");

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* b : {Command_Help, Command_close}) {
        b->setMinimumWidth(90);
        buttons->addWidget(b);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(MSF_chann, 1);
    layout->addLayout(buttons);

    connect(MSF_chann, &QTableWidget::currentCellChanged, this, [this] { finishEdit(); });
    connect(MSF_chann, &QTableWidget::cellClicked, this, &Form_Edit_Test::MSF_chann_Click);
    connect(Command_close, &QPushButton::clicked, this, &Form_Edit_Test::Command_close_Click);
}

Form_Edit_Test::~Form_Edit_Test() {
    // The box loses the focus while the window's children go: nothing is left to finish then.
    editor_->onFocusLost = nullptr;
    editor_->onEnter = nullptr;
    editor_->onMove = nullptr;
    editor_->onEscape = nullptr;
}

void Form_Edit_Test::load() {
    setWindowTitle(text("测试频率", "Test Frequency"));
    setTitleRow(MSF_chann, text(TitleChinese, TitleEnglish));
    keepTitleRowInView(MSF_chann);
    Command_close->setText(text("关闭", "Close"));
    Command_Help->setText(text("帮助", "Help"));
    for (int n = 1; n <= TestChannels; ++n) MSF_chann->item(n, 0)->setText(QString::number(n));
    sizeColumns();
    const int w = mainWidth() / 3, h = mainHeight() / 2;
    placeWindow(std::max(0, (mainWidth() - w) / 2), std::max(0, (mainHeight() - h) / 4), w, h);
    show();
    showTable();
}

// The three columns share the grid's width, none narrower than its widest text.
void Form_Edit_Test::sizeColumns() {
    QFont bold = MSF_chann->font();
    bold.setBold(true);
    const QFontMetrics title(bold), plain(MSF_chann->font());
    int widest = plain.horizontalAdvance(QStringLiteral("450.02500"));
    for (int c = 0; c < Cols; ++c)
        widest = std::max(widest, title.horizontalAdvance(MSF_chann->item(0, c)->text()));
    QHeaderView* columns = MSF_chann->horizontalHeader();
    columns->setMinimumSectionSize(widest + 18);
    columns->setSectionResizeMode(QHeaderView::Stretch);
    for (int r = 0; r < Rows; ++r) MSF_chann->setRowHeight(r, plain.height() + 10);
    MSF_chann->setMinimumWidth(Cols * (widest + 18) + 2 * MSF_chann->frameWidth() +
                               MSF_chann->verticalScrollBar()->sizeHint().width());
}

void Form_Edit_Test::showChannel(int n) {
    MSF_chann->item(n, 1)->setText(qs(slotText(state.RadioImage, testSlot(n, false))));
    MSF_chann->item(n, 2)->setText(qs(slotText(state.RadioImage, testSlot(n, true))));
}

void Form_Edit_Test::showTable() {
    for (int n = 1; n <= TestChannels; ++n) showChannel(n);
}

void Form_Edit_Test::activated() {
    showTable();
    // A box left open over a cell that changed underneath it (a read, a file load) would
    // write its old text back.
    if (editing_ && MSF_chann->item(editor_->row(), editor_->col())->text() != openedText_) {
        editing_ = false;
        editor_->close();
    }
}

// An undo or a redo replaced the image: an edit still open belongs to what was replaced.
void Form_Edit_Test::refresh() {
    editing_ = false;
    editor_->close();
    showTable();
}

// ---- editing ---------------------------------------------------------------------------------

void Form_Edit_Test::MSF_chann_Click(int row, int col) {
    if (row >= 1 && (col == 1 || col == 2)) startEdit(row, col);
}

void Form_Edit_Test::startEdit(int row, int col) {
    openedText_ = MSF_chann->item(row, col)->text();
    editor_->open(row, col);
    editing_ = true;
}

void Form_Edit_Test::finishEdit() {
    if (!editing_) return;  // a keyboard move without an open box changes nothing
    editing_ = false;
    const int channel = editor_->row();
    const bool transmit = editor_->col() == 2;
    const QString typed = Text_Edit->text();
    editor_->close();
    if (typed == openedText_) return;  // a cell left as it was is neither checked nor written
    if (transmit)
        finishTransmit(channel, typed);
    else
        finishReceive(channel, typed);
    showChannel(channel);  // what was stored, as the table shows it
}

void Form_Edit_Test::finishReceive(int channel, const QString& t) {
    Image& image = state.RadioImage;
    const TestSlot receive = testSlot(channel, false), transmit = testSlot(channel, true);
    if (outsideBand(state, t.toStdString())) {
        if (blank(t)) {
            clearSlot(image, receive);
            clearSlot(image, transmit);
            return;
        }
        // The slot keeps what it had; the cell shows it again.
        prompt(state, this, QStringLiteral("接收频率超出范围 ！"),
               QStringLiteral("Over the range of receive frequency ."));
        return;
    }
    storeExactFrequency(image, receive, t.toStdString());
    if (slotEmpty(image, transmit)) storeExactFrequency(image, transmit, t.toStdString());
}

void Form_Edit_Test::finishTransmit(int channel, const QString& t) {
    Image& image = state.RadioImage;
    const TestSlot receive = testSlot(channel, false), transmit = testSlot(channel, true);
    if (slotEmpty(image, receive) && !blank(t)) {
        prompt(state, this, QStringLiteral("请先输入接收频率 ！"),
               QStringLiteral("Please input the receive frequency in advance."));
        return;
    }
    if (outsideBand(state, t.toStdString())) {
        if (blank(t)) {
            clearSlot(image, transmit);
            return;
        }
        prompt(state, this, QStringLiteral("发射频率超出范围 ！"),
               QStringLiteral("Over the range of transmit frequency ."));
        return;
    }
    storeExactFrequency(image, transmit, t.toStdString());
}

// Enter finishes the edit and opens the next cell: transmit after receive, then the next
// channel's receive.
void Form_Edit_Test::enterPressed() {
    const int row = editor_->row(), col = editor_->col();
    finishEdit();
    const int nextRow = col == 1 ? row : std::min(row + 1, TestChannels);
    const int nextCol = col == 1 ? 2 : 1;
    MSF_chann->setCurrentCell(nextRow, nextCol);
    startEdit(nextRow, nextCol);
}

// Up and Down finish the edit and open the cell above or below, so a column is typed in one go.
void Form_Edit_Test::moveEdit(int rows) {
    const int row = editor_->row(), col = editor_->col();
    finishEdit();
    const int next = std::clamp(row + rows, 1, TestChannels);
    MSF_chann->setCurrentCell(next, col);
    startEdit(next, col);
}

// Escape leaves the cell as it was: the slot still holds what the cell showed.
void Form_Edit_Test::dropEdit() {
    editing_ = false;
    editor_->close();
    MSF_chann->setFocus();
}

// ---- closing ---------------------------------------------------------------------------------

void Form_Edit_Test::Command_close_Click() {
    finishEdit();
    closeWindow();
}

void Form_Edit_Test::closeEvent(QCloseEvent* event) {
    finishEdit();  // whatever closes the window, a typed edit is not lost
    event->accept();
}

}  // namespace nv
