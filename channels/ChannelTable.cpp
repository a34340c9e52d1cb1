#include "channels/ChannelTable.h"

#include <QApplication>
#include <QDrag>
#include <QDropEvent>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <algorithm>

#include "channels/ChannelRecord.h"

namespace nv {

ChannelTable::ChannelTable(int rows, int columns, QWidget* parent)
    : QTableWidget(rows, columns, parent) {
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
}

std::vector<int> ChannelTable::selectedChannels() const {
    std::vector<int> channels;
    for (const QModelIndex& i : selectionModel()->selectedRows())
        if (i.row() >= 1 && i.row() <= ChannelCount) channels.push_back(i.row());
    std::sort(channels.begin(), channels.end());
    return channels;
}

void ChannelTable::selectChannels(const std::vector<int>& channels) {
    QItemSelection rows;
    for (int n : channels)
        if (n >= 1 && n <= ChannelCount)
            rows.select(model()->index(n, 0), model()->index(n, columnCount() - 1));
    selectionModel()->select(rows, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    viewport()->update();
}

void ChannelTable::selectAllChannels() {
    anchor_ = 1;
    selectRun(1, ChannelCount);
}

void ChannelTable::selectRun(int from, int to) {
    std::vector<int> run;
    for (int n = std::min(from, to); n <= std::max(from, to); ++n) run.push_back(n);
    selectChannels(run);
}

void ChannelTable::keyPressEvent(QKeyEvent* event) {
    const int row = currentRow();
    const bool shiftOnly = (event->modifiers() & ~Qt::KeypadModifier) == Qt::ShiftModifier;
    if (!shiftOnly || row < 1) return QTableWidget::keyPressEvent(event);
    switch (event->key()) {
        case Qt::Key_Space:
            anchor_ = row;
            selectChannels({row});
            return;
        case Qt::Key_Up:
        case Qt::Key_Down: {
            // A selection the cursor is not in (made by a paste, a move, a click elsewhere)
            // is no run to extend: a new one starts at the cursor.
            const std::vector<int> selected = selectedChannels();
            const auto in = [&](int n) {
                return std::find(selected.begin(), selected.end(), n) != selected.end();
            };
            if (!in(row) || !in(anchor_)) anchor_ = row;
            const int to = std::clamp(row + (event->key() == Qt::Key_Up ? -1 : 1), 1, ChannelCount);
            // The cursor goes along without touching the selection, which is made afterwards.
            selectionModel()->setCurrentIndex(model()->index(to, currentColumn()),
                                              QItemSelectionModel::NoUpdate);
            selectRun(anchor_, to);
            return;
        }
        default:
            QTableWidget::keyPressEvent(event);
    }
}

int ChannelTable::channelAt(const QPoint& pos) const {
    const int row = rowAt(pos.y());
    return row >= 1 && row <= ChannelCount ? row : 0;
}

void ChannelTable::mousePressEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    const int n = channelAt(pos);
    const bool numberColumn = columnAt(pos.x()) == 0;
    std::vector<int> selected = selectedChannels();
    const bool wasSelected = std::find(selected.begin(), selected.end(), n) != selected.end();
    // The table moves its current cell as for any click (an open editor commits); the
    // channel selection is made afterwards.
    QTableWidget::mousePressEvent(event);
    if (n == 0) return;
    if (event->button() == Qt::RightButton) {  // the context menu works on what is selected
        if (!wasSelected) selectChannels({n});
        return;
    }
    if (event->button() != Qt::LeftButton || !numberColumn) return;
    pressed_ = n;
    pressPos_ = pos;
    mayDrag_ = false;
    if (event->modifiers() & Qt::ShiftModifier) {
        selectRun(anchor_ ? anchor_ : n, n);
        return;
    }
    if (event->modifiers() & Qt::ControlModifier) {
        if (wasSelected)
            std::erase(selected, n);
        else
            selected.push_back(n);
        selectChannels(selected);
        anchor_ = n;
        return;
    }
    anchor_ = n;
    if (wasSelected) {  // a press on the selection may start dragging it
        mayDrag_ = true;
        selectChannels(selected);
    } else {
        selectChannels({n});
    }
}

void ChannelTable::mouseMoveEvent(QMouseEvent* event) {
    if (!pressed_ || !(event->buttons() & Qt::LeftButton)) {
        QTableWidget::mouseMoveEvent(event);
        return;
    }
    const QPoint pos = event->position().toPoint();
    if (mayDrag_) {
        if ((pos - pressPos_).manhattanLength() < QApplication::startDragDistance() || !dragData)
            return;
        mayDrag_ = false;
        pressed_ = 0;
        auto* drag = new QDrag(this);
        drag->setMimeData(dragData());
        drag->exec(Qt::MoveAction | Qt::CopyAction, Qt::MoveAction);
        return;
    }
    const int row = rowAt(pos.y());
    const int n = row < 0 ? (pos.y() < 0 ? 1 : ChannelCount) : std::clamp(row, 1, ChannelCount);
    selectRun(anchor_, n);
}

void ChannelTable::mouseReleaseEvent(QMouseEvent* event) {
    const std::vector<int> selected = selectedChannels();
    const int n = pressed_;
    const bool clickOnSelection = mayDrag_;
    pressed_ = 0;
    mayDrag_ = false;
    QTableWidget::mouseReleaseEvent(event);
    if (!n) return;
    // A click on a selected channel without dragging selects just that one.
    selectChannels(clickOnSelection ? std::vector<int>{n} : selected);
}

int ChannelTable::dropTarget(const QPoint& pos) const {
    const int row = rowAt(pos.y());
    return row < 0 ? ChannelCount + 1 : std::max(row, 1);
}

void ChannelTable::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasText() || event->source() == this)
        event->acceptProposedAction();
    else
        event->ignore();
}

void ChannelTable::dragMoveEvent(QDragMoveEvent* event) {
    if (event->mimeData()->hasText() || event->source() == this)
        event->acceptProposedAction();
}

void ChannelTable::dropEvent(QDropEvent* event) {
    const int at = dropTarget(event->position().toPoint());
    if (event->source() == this) {
        const bool copy = event->dropAction() == Qt::CopyAction ||
                          (event->modifiers() & Qt::ControlModifier);
        event->setDropAction(copy ? Qt::CopyAction : Qt::MoveAction);
        event->accept();
        if (dropChannels) dropChannels(selectedChannels(), at, copy);
        return;
    }
    event->acceptProposedAction();
    if (dropData) dropData(event->mimeData(), std::min(at, ChannelCount));
}

}  // namespace nv
