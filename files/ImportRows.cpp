#include "files/ImportRows.h"

#include <algorithm>

#include "core/VisibleText.h"
#include "widgets/Messages.h"

namespace nv {

ImportRows::ImportRows(const CsvPlanner& planner, QStringList headers, bool chinese,
                       QObject* parent)
    : QAbstractTableModel(parent), planner_(planner), headers_(std::move(headers)),
      chinese_(chinese) {}

int ImportRows::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(planner_.rowCount());
}

int ImportRows::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : Columns;
}

const CsvRow& ImportRows::row(int r) const {
    if (r != cachedRow_) {
        cached_ = planner_.row(static_cast<std::size_t>(r));
        cachedRow_ = r;
    }
    return cached_;
}

QVariant ImportRows::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const auto r = static_cast<std::size_t>(index.row());
    if (index.column() == Use && role == Qt::CheckStateRole)
        return planner_.channelOf(r) > 0 ? Qt::Checked : Qt::Unchecked;
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole) return {};
    if (index.column() == Use) return planner_.line(r);
    const CsvRow& row = this->row(index.row());
    if (index.column() == Result) return qs(csvRowFate(row, chinese_));
    const std::string* cells[] = {&row.location, &row.name, &row.frequency, &row.offset,
                                  &row.tone,     &row.mode, &row.power};
    return qs(visibleText(*cells[index.column() - Location]));
}

QVariant ImportRows::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    return headers_.value(section);
}

Qt::ItemFlags ImportRows::flags(const QModelIndex& index) const {
    const Qt::ItemFlags shown = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (!index.isValid() || index.column() != Use) return shown;
    // Only a row that will be imported, or that the user left out, has a box to click: a row
    // that cannot be imported shows why instead.
    const auto r = static_cast<std::size_t>(index.row());
    const bool choosable = planner_.channelOf(r) > 0 || planner_.notChosen(r);
    return choosable ? shown | Qt::ItemIsUserCheckable : shown;
}

bool ImportRows::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::CheckStateRole || !flags(index).testFlag(Qt::ItemIsUserCheckable))
        return false;
    const int line = planner_.line(static_cast<std::size_t>(index.row()));
    const auto at = std::lower_bound(leftOut_.begin(), leftOut_.end(), line);
    const bool leftOut = at != leftOut_.end() && *at == line;
    const bool check = value.value<Qt::CheckState>() == Qt::Checked;
    if (check == !leftOut) return true;
    if (check)
        leftOut_.erase(at);
    else
        leftOut_.insert(at, line);
    emit choiceChanged();
    return true;
}

void ImportRows::placed() {
    cachedRow_ = -1;
    if (rowCount() > 0) emit dataChanged(index(0, Use), index(rowCount() - 1, Result));
}

}  // namespace nv
