#pragma once
// The import dialog's table: a view of the planner's rows. Nothing is kept per row but the
// planner's few numbers and the rows the user unchecked; the texts of the rows on screen are
// read from the file when they are painted, and shown with their control characters escaped.

#include <QAbstractTableModel>
#include <QStringList>
#include <vector>

#include "channels/csv/Planner.h"

namespace nv {

class ImportRows : public QAbstractTableModel {
    Q_OBJECT
  public:
    enum Column { Use, Location, Name, Frequency, Offset, Tone, Mode, Power, Result, Columns };

    ImportRows(const CsvPlanner& planner, QStringList headers, bool chinese, QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    // The lines of the rows the user unchecked, in order.
    const std::vector<int>& leftOutLines() const { return leftOut_; }
    // The planner placed the rows again: every check box and fate may have changed.
    void placed();

  signals:
    void choiceChanged();

  private:
    const CsvRow& row(int r) const;

    const CsvPlanner& planner_;
    const QStringList headers_;
    const bool chinese_;
    std::vector<int> leftOut_;
    // The row last read from the file: a repaint asks for each of its cells in turn.
    mutable int cachedRow_ = -1;
    mutable CsvRow cached_;
};

}  // namespace nv
