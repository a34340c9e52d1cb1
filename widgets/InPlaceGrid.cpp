#include "widgets/InPlaceGrid.h"

#include <QApplication>
#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QTableWidget>

#include "widgets/DigitFields.h"

namespace nv {

void setUpInPlaceGrid(QTableWidget* grid) {
    grid->horizontalHeader()->hide();
    grid->verticalHeader()->hide();
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setSelectionBehavior(QAbstractItemView::SelectItems);
    grid->setTabKeyNavigation(false);
    for (int r = 0; r < grid->rowCount(); ++r)
        for (int c = 0; c < grid->columnCount(); ++c) {
            auto* item = new QTableWidgetItem;
            item->setTextAlignment(Qt::AlignCenter);
            if (r == 0) {  // the title row is fixed
                item->setFlags(Qt::ItemIsEnabled);
                item->setBackground(grid->palette().button());
                QFont f = item->font();
                f.setBold(true);
                item->setFont(f);
            } else {
                item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            }
            grid->setItem(r, c, item);
        }
}

void setTitleRow(QTableWidget* grid, const QString& format) {
    const QStringList columns = format.split('|');
    for (int c = 0; c < grid->columnCount() && c < columns.size(); ++c) {
        QString text = columns[c];
        if (text.startsWith('^')) text.remove(0, 1);
        grid->item(0, c)->setText(text);
    }
}

void keepTitleRowInView(QTableWidget* grid) {
    QStringList titles;
    for (int c = 0; c < grid->columnCount(); ++c) titles << grid->item(0, c)->text();
    grid->setHorizontalHeaderLabels(titles);
    grid->horizontalHeader()->show();
    grid->setRowHidden(0, true);
}

namespace {
class CellKeys : public QObject {
  public:
    CellKeys(QTableWidget* grid, std::function<void(int, int)> open, Typing typing)
        : QObject(grid), grid_(grid), open_(std::move(open)), typing_(typing) {
        grid->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // Keys an open editor leaves alone come up here too: they are not the grid's.
        if (watched != grid_ || event->type() != QEvent::KeyPress || !grid_->hasFocus())
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        const int row = grid_->currentRow(), col = grid_->currentColumn();
        if (typing_ == Typing::OpenOnTyping && isTyping(key)) {
            typeInto(row, col, key);
            return true;
        }
        if (key->modifiers() & ~(Qt::KeypadModifier)) return false;
        switch (key->key()) {
            case Qt::Key_F2:
            case Qt::Key_Return:
            case Qt::Key_Enter:
                if (row >= 1 && col >= 0) open_(row, col);
                return true;
            case Qt::Key_Up:  // row 0 holds the titles
                return row <= 1;
            default:
                return false;
        }
    }

  private:
    // A character, typed with no other modifier than Shift; Shift+Space is left to the grid.
    static bool isTyping(const QKeyEvent* key) {
        const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
        if (mods & ~Qt::ShiftModifier) return false;
        if (key->key() == Qt::Key_Space && mods) return false;
        return !key->text().isEmpty() && key->text().at(0).isPrint();
    }
    // The editor the cell opened gets the key as if it had been typed there; a cell without an
    // editor swallows it.
    void typeInto(int row, int col, const QKeyEvent* key) {
        if (row >= 1 && col >= 0) open_(row, col);
        QWidget* editor = grid_->window()->focusWidget();
        if (!editor || editor == grid_) return;
        QKeyEvent typed(QEvent::KeyPress, key->key(), key->modifiers(), key->text());
        QApplication::sendEvent(editor, &typed);
    }

    QTableWidget* grid_;
    std::function<void(int, int)> open_;
    Typing typing_;
};
}  // namespace

void openCellsWithKeys(QTableWidget* grid, std::function<void(int row, int col)> open,
                       Typing typing) {
    new CellKeys(grid, std::move(open), typing);
}

CellEditor::CellEditor(QTableWidget* grid, const char* name, OnScroll onScroll)
    : QObject(grid), grid_(grid), viewport_(grid->viewport()), box_(new QLineEdit(viewport_)) {
    box_->setObjectName(name);
    box_->setAlignment(Qt::AlignCenter);
    // Pasted or composed text is held to the same characters as typed text.
    acceptFrequencyTextOnly(box_);
    box_->hide();
    box_->installEventFilter(this);
    viewport_->installEventFilter(this);
    for (QScrollBar* bar : {grid->verticalScrollBar(), grid->horizontalScrollBar()}) {
        if (onScroll == HideOnUserScroll)
            connect(bar, &QScrollBar::actionTriggered, box_, &QWidget::hide);
        connect(bar, &QScrollBar::valueChanged, this, &CellEditor::follow);
    }
    connect(grid->horizontalHeader(), &QHeaderView::sectionResized, this, &CellEditor::follow);
    connect(grid->verticalHeader(), &QHeaderView::sectionResized, this, &CellEditor::follow);
}

void CellEditor::open(int row, int col) {
    row_ = row;
    col_ = col;
    box_->setText(grid_->item(row, col)->text());
    place();
    box_->show();
    box_->raise();
    box_->setFocus();
    box_->selectAll();
}

void CellEditor::close() {
    box_->hide();
    box_->clear();
}

void CellEditor::follow() {
    if (!box_->isHidden()) place();
}

void CellEditor::place() {
    box_->setGeometry(grid_->visualRect(grid_->model()->index(row_, col_)));
}

bool CellEditor::eventFilter(QObject* watched, QEvent* event) {
    // Columns that share the grid's width change after the grid has taken its new size.
    if (watched == viewport_ && event->type() == QEvent::Resize)
        QMetaObject::invokeMethod(this, &CellEditor::follow, Qt::QueuedConnection);
    if (watched == box_) {
        if (event->type() == QEvent::KeyPress) return filterKey(static_cast<QKeyEvent*>(event));
        if (event->type() == QEvent::FocusOut && onFocusLost &&
            static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
            onFocusLost();
    }
    return QObject::eventFilter(watched, event);
}

bool CellEditor::filterKey(QKeyEvent* key) {
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        if (onEnter) onEnter();
        return true;
    }
    if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) && onTab) {
        onTab(key->key() == Qt::Key_Tab ? 1 : -1);
        return true;
    }
    if ((key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) && onMove) {
        onMove(key->key() == Qt::Key_Up ? -1 : 1);
        return true;
    }
    if (key->key() == Qt::Key_Escape && onEscape) {
        onEscape();
        return true;
    }
    if (key->key() == Qt::Key_Backspace) return false;
    const QString text = key->text();
    if (text.isEmpty() || !text.at(0).isPrint()) return false;  // navigation keys
    const QChar ch = text.at(0);
    return !(isAsciiDigit(ch) || ch == u'.');
}

}  // namespace nv
