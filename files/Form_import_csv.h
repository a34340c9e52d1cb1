#pragma once
// The rows of a CSV file before they are imported: each with the channel it goes to or why
// it is skipped, a check box per row, and the choice between placing rows by their location
// and filling channels in file order. The dialog only chooses; the import itself is made by
// whoever opened it, from placement().

#include <QByteArray>
#include <QDialog>

#include "channels/csv/Planner.h"
#include "files/ImportRows.h"

class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTableView;

namespace nv {

class Form_import_csv : public QDialog {
    Q_OBJECT
  public:
    // `text` is the whole file, already read; `base` the image it would be imported into.
    Form_import_csv(const AppState& state, QByteArray text, const Image& base,
                    const QString& path, QWidget* parent);

    QLabel* Label_file;
    QTableView* Table_rows;
    QRadioButton* Option_location;
    QRadioButton* Option_order;
    QSpinBox* Spin_first;
    QLabel* Label_summary;
    QPushButton* Command_import;
    QPushButton* Command_cancel;
    QPushButton* Command_help;

    // The chosen rows and the chosen placement.
    CsvPlacement placement() const;
    // The file read in the dialog's time: what the chosen rows make of `base`.
    CsvImport importInto(const Image& base);

  private:
    QString text(const char* chineseText, const char* englishText) const {
        return QString::fromUtf8(chinese_ ? chineseText : englishText);
    }
    // Places the rows again after any choice and shows each row's fate.
    void replan();

    const AppState& state_;
    const bool chinese_;
    const QByteArray text_;
    const Image base_;
    CsvPlanner planner_;  // reads text_ once
    ImportRows* rows_;
};

}  // namespace nv
