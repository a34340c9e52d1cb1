#include "widgets/HelpWindow.h"

#include <QHash>
#include <QShortcut>
#include <QTextBlock>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace nv {

HelpWindow::HelpWindow(QWidget* owner) : QWidget(owner, Qt::Window) {
    setObjectName("HelpWindow");
    Text_guide = new QTextBrowser(this);
    Text_guide->setObjectName("Text_guide");
    Text_guide->setOpenLinks(true);
    Text_guide->setOpenExternalLinks(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Text_guide);
    // A Markdown page has no title of its own: its first heading is its title.
    connect(Text_guide, &QTextBrowser::sourceChanged, this,
            [this] { setWindowTitle(Text_guide->document()->firstBlock().text()); });
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
    resize(720, 600);
}

QString HelpWindow::pagePath(const QString& page, bool chinese) {
    return QStringLiteral(":/guide/%1/%2").arg(chinese ? "zh" : "en", page);
}

QString HelpWindow::pageFor(const QString& windowName) {
    static const QHash<QString, QString> pages = {
        {"MDImain", "main-window.md"},          {"Form_setup", "main-window.md"},
        {"Form_type", "main-window.md"},        {"frm_chann", "channels.md"},
        {"Form_Chann_Edit", "channel-edit.md"}, {"frm_option", "options.md"},
        {"Form_Edit_scan", "scan.md"},          {"Form_edit_Key", "keys.md"},
        {"Form_Edit_Message", "message.md"},    {"Form_Comm_Read", "link.md"},
        {"Form_Comm_Write", "link.md"},         {"Form_Comm_Compare", "link.md"},
        {"Form_open_chann", "files.md"},        {"Form_save_chann", "files.md"},
        {"Form_Csv_Import", "files.md"},        {"Form_Csv_Export", "files.md"},
        {"frm_Adj_Txp", "adjust.md"},           {"Form_open_adj", "adjust.md"},
        {"Form_save_adj", "adjust.md"},         {"Form_Edit_Test", "adjust.md"},
        {"Form_Station", "station.md"},
    };
    return pages.value(windowName, QStringLiteral("index.md"));
}

HelpWindow* HelpWindow::showPage(QWidget* owner, const QString& page, bool chinese) {
    auto* help =
        owner->findChild<HelpWindow*>(QStringLiteral("HelpWindow"), Qt::FindDirectChildrenOnly);
    if (!help) help = new HelpWindow(owner);
    help->Text_guide->setSource(QUrl(QStringLiteral("qrc") + pagePath(page, chinese)),
                                QTextDocument::MarkdownResource);
    help->show();
    help->raise();
    help->activateWindow();
    return help;
}

}  // namespace nv
