#include "files/CsvWindows.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <climits>
#include <memory>
#include <new>

#include "files/FileIo.h"
#include "files/Form_import_csv.h"
#include "widgets/FileChoice.h"
#include "widgets/Messages.h"

namespace nv {

CsvReport::CsvReport(AppState& s, Workspace& w, const char* name) : MdiChild(s, w) {
    setObjectName(name);
    Label_result = new QLabel(this);
    Label_result->setObjectName("Label_result");
    Label_result->setWordWrap(true);
    List_report = new QTableWidget(0, 3, this);
    List_report->setObjectName("List_report");
    List_report->setHorizontalHeaderLabels(
        {text("行", "Line"), text("类别", "Kind"), text("说明", "Report")});
    List_report->verticalHeader()->hide();
    List_report->setEditTriggers(QAbstractItemView::NoEditTriggers);
    List_report->setSelectionBehavior(QAbstractItemView::SelectRows);
    List_report->setWordWrap(true);  // long report lines wrap instead of being cut
    QHeaderView* header = List_report->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::ResizeToContents);
    header->setSectionResizeMode(2, QHeaderView::Stretch);
    connect(header, &QHeaderView::sectionResized, List_report, &QTableWidget::resizeRowsToContents);
    Command_close = new QPushButton(text("关闭", "Close"), this);
    Command_close->setObjectName("Command_close");
    Command_close->setMinimumWidth(90);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command_close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label_result);
    layout->addWidget(List_report, 1);
    layout->addLayout(buttons);
    connect(Command_close, &QPushButton::clicked, this, &CsvReport::Command_close_Click);
}

QString CsvReport::askForFile(bool save) {
    const QString path = chooseFile(
        workspace.frame(), save ? FileChoiceKind::Save : FileChoiceKind::Open,
        save ? text("导出 CSV", "Export CSV") : text("导入 CSV", "Import CSV"),
        text("CSV 文件 (*.csv);;所有文件 (*)", "CSV files (*.csv);;All files (*)"), "csv");
    if (path.isEmpty()) closeWindow();
    return path;
}

void CsvReport::addNotes(const std::vector<CsvNote>& notes, const char* kindChinese,
                         const char* kindEnglish) {
    for (const CsvNoteGroup& group : groupCsvNotes(notes))
        lines_.push_back({group, text(kindChinese, kindEnglish)});
}

void CsvReport::showReport(const char* titleChinese, const char* titleEnglish,
                           const QString& summary) {
    const auto order = [](const Line& l) {
        return l.group.first.line > 0 ? l.group.first.line : INT_MAX;
    };
    std::stable_sort(lines_.begin(), lines_.end(),
                     [&](const Line& a, const Line& b) { return order(a) < order(b); });
    for (const Line& l : lines_) {
        const QString line = l.group.first.line > 0 ? qs(csvGroupLines(l.group)) : QString();
        const int row = List_report->rowCount();
        List_report->insertRow(row);
        auto* number = new QTableWidgetItem(line);
        number->setTextAlignment(Qt::AlignRight | Qt::AlignTop);
        List_report->setItem(row, 0, number);
        List_report->setItem(row, 1, new QTableWidgetItem(l.kind));
        // The line has a column of its own.
        List_report->setItem(row, 2,
                             new QTableWidgetItem(qs(csvGroupText(l.group, chinese, false))));
    }
    lines_.clear();
    setWindowTitle(text(titleChinese, titleEnglish));
    Label_result->setText(summary);
    const int w = static_cast<int>(mainWidth() / 1.2), h = static_cast<int>(mainHeight() / 1.5);
    placeWindow(std::max(0, (mainWidth() - w) / 2), std::max(0, (mainHeight() - h) / 4), w, h);
    show();
    List_report->resizeRowsToContents();
}

Form_Csv_Import::Form_Csv_Import(AppState& s, Workspace& w) : CsvReport(s, w, "Form_Csv_Import") {}

void Form_Csv_Import::load() {
    path_ = askForFile(false);
    if (path_.isEmpty()) return;
    QByteArray data;
    FileProblem problem;
    if (!readConfigFile(path_, &data, &problem, MaxCsvFileSize)) {
        prompt(state, workspace.frame(),
               QStringLiteral("CSV 文件无法打开：%1").arg(problem.text(true)),
               QStringLiteral("The CSV file cannot be opened: %1").arg(problem.text(false)));
        closeWindow();
        return;
    }
    // The dialog reads the file once; a file it cannot read as a list goes to the report.
    std::unique_ptr<Form_import_csv> made;
    CsvImport r;
    try {
        made = std::make_unique<Form_import_csv>(state, data, state.RadioImage, path_,
                                                 workspace.frame());
        r = made->importInto(state.RadioImage);
    } catch (const std::bad_alloc&) {
        // A file far larger than the memory allows is refused, never the end of the program.
        prompt(state, workspace.frame(),
               QStringLiteral("CSV 文件太大，内存不足，无法打开"),
               QStringLiteral("The CSV file cannot be opened: there is not enough memory for it"));
        closeWindow();
        return;
    }
    if (!r.ok()) {
        made.reset();
        report(r);
        return;
    }
    Form_import_csv* dialog = made.release();
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    // Window-modal and not waiting here: the window's loading ends, and the import is the
    // user's own action, one step of its own to undo.
    dialog->setWindowModality(Qt::WindowModal);
    connect(dialog, &QDialog::accepted, this, [this, dialog] { import(*dialog); });
    connect(dialog, &QDialog::rejected, this, &CsvReport::closeWindow);
    dialog->show();
}

void Form_Csv_Import::import(Form_import_csv& dialog) {
    const CsvImport r = dialog.importInto(state.RadioImage);
    // The whole import is one change of the image, made only when every line is good.
    if (r.ok()) state.RadioImage = r.image;
    refreshOtherWindows();
    report(r);
}

void Form_Csv_Import::report(const CsvImport& r) {
    addNotes(r.errors, "错误", "Error");
    addNotes(r.bad, "错误值，未导入", "Bad value, not imported");
    addNotes(r.skipped, "已跳过", "Skipped");
    addNotes(r.notKept, "不保存", "Not kept");
    addNotes(r.snaps, "已取整", "Snapped");
    const QString count = QString::number(r.channels.size());
    showReport("导入 CSV", "Import CSV",
               r.ok()
                   ? text("已从 %1 导入 %2 个信道。", "%2 imported from %1.")
                         .arg(path_, chinese ? count : qs(channelCount(r.channels.size())))
                   : text("%1 有错误，没有导入任何信道。", "%1 has errors: nothing was imported.")
                         .arg(path_));
}

Form_Csv_Export::Form_Csv_Export(AppState& s, Workspace& w) : CsvReport(s, w, "Form_Csv_Export") {}

void Form_Csv_Export::load() {
    const QString path = askForFile(true);
    if (path.isEmpty()) return;
    const CsvExport e = exportChannelsCsv(state, state.RadioImage);
    FileProblem problem;
    if (!writeFileAtomically(path, QByteArray::fromStdString(e.text), &problem)) {
        prompt(state, workspace.frame(),
               QStringLiteral("CSV 文件无法写入：%1").arg(problem.text(true)),
               QStringLiteral("The CSV file could not be written: %1").arg(problem.text(false)));
        closeWindow();
        return;
    }
    addNotes(e.notes, "注意", "Note");
    showReport(
        "导出 CSV", "Export CSV",
        text("已将 %2 个信道导出到 %1。", "%2 exported to %1.")
            .arg(path, chinese ? QString::number(e.channels) : qs(channelCount(e.channels))));
}

}  // namespace nv
