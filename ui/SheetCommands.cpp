#include "ui/SheetCommands.h"

#include <QPrintPreviewDialog>
#include <QPrinter>

#include "files/ChannelSheet.h"
#include "widgets/FileChoice.h"
#include "widgets/Messages.h"

namespace nv {

void printChannelSheet(const AppState& s, QWidget* parent) {
    const bool chinese = s.LanguageChinese;
    const QString title = currentSheetTitle(s, chinese);
    QPrinter printer;
    printer.setDocName(title);
    QPrintPreviewDialog preview(&printer, parent);
    preview.setObjectName("Sheet_preview");
    preview.setWindowTitle(qpick(s, "打印信道表", "Print the channel sheet"));
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&](QPrinter* p) { paintChannelSheet(*p, s, title, chinese); });
    execKeepingFocus(preview);
}

void exportChannelSheet(const AppState& s, QWidget* parent) {
    const QString path =
        chooseFile(parent, FileChoiceKind::Save, qpick(s, "导出 PDF", "Export PDF"),
                   qpick(s, "PDF 文件 (*.pdf);;所有文件 (*)", "PDF files (*.pdf);;All files (*)"),
                   QStringLiteral("pdf"));
    if (path.isEmpty()) return;
    FileProblem problem;
    if (!writeChannelSheetPdf(path, s, currentSheetTitle(s, s.LanguageChinese), s.LanguageChinese,
                              &problem))
        prompt(s, parent, QStringLiteral("PDF 文件无法写入：%1").arg(problem.text(true)),
               QStringLiteral("The PDF file could not be written: %1").arg(problem.text(false)));
}

}  // namespace nv
