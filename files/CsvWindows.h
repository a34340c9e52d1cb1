#pragma once
// Channels exchanged with other programs as comma-separated values: the import and the export
// each ask for a file with the toolkit's dialog, do their work in one step and show a report.

#include "channels/csv/Placement.h"
#include "channels/csv/Writer.h"
#include "widgets/MdiChild.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace nv {

// What the two windows share: a summary, the list of report lines, a Close button.
class CsvReport : public MdiChild {
    Q_OBJECT
  public:
    QLabel* Label_result;
    QTableWidget* List_report;
    QPushButton* Command_close;

    void Command_close_Click() { closeWindow(); }

  protected:
    CsvReport(AppState& state, Workspace& workspace, const char* name);
    // The file the user picks, or "" when the window has closed because they cancelled.
    QString askForFile(bool save);
    // Consecutive rows with one reason are one line of the list.
    void addNotes(const std::vector<CsvNote>& notes, const char* kindChinese,
                  const char* kindEnglish);
    // Sizes, captions and shows the window with its summary; the notes stand in the order of
    // the file's lines, what concerns the whole file last.
    void showReport(const char* titleChinese, const char* titleEnglish, const QString& summary);

  private:
    struct Line {
        CsvNoteGroup group;
        QString kind;
    };
    std::vector<Line> lines_;
};

class Form_import_csv;

// Asks for the file, shows its rows in the import dialog and, once the user imports, the
// report. A file that cannot be read goes straight to the report.
class Form_Csv_Import : public CsvReport {
    Q_OBJECT
  public:
    Form_Csv_Import(AppState& state, Workspace& workspace);
    void load() override;

  private:
    void import(Form_import_csv& dialog);
    void report(const CsvImport& r);

    QString path_;
};

class Form_Csv_Export : public CsvReport {
    Q_OBJECT
  public:
    Form_Csv_Export(AppState& state, Workspace& workspace);
    void load() override;
};

}  // namespace nv
