#include "files/Form_import_csv.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTableView>
#include <QVBoxLayout>

#include "channels/ChannelRecord.h"
#include "channels/csv/NothingPlaced.h"
#include "widgets/FocusWheel.h"
#include "widgets/HelpWindow.h"
#include "core/VisibleText.h"
#include "files/FileIo.h"
#include "widgets/Messages.h"

namespace nv {

Form_import_csv::Form_import_csv(const AppState& s, QByteArray text, const Image& base,
                                 const QString& path, QWidget* parent)
    : QDialog(parent),
      state_(s),
      chinese_(s.LanguageChinese),
      text_(std::move(text)),
      base_(base),
      planner_(s, asView(text_), true) {
    setObjectName("Form_import_csv");
    setWindowTitle(this->text("导入 CSV", "Import CSV"));
    Label_file = new QLabel(this);
    Label_file->setObjectName("Label_file");
    Label_file->setWordWrap(true);
    Label_file->setText(this->text("%1 中的行：勾选要导入的行。",
                                   "The rows of %1: check the rows to import.")
                            .arg(qs(visibleText(path.toStdString()))));

    rows_ = new ImportRows(planner_,
                           {this->text("行", "Line"), this->text("位置", "Location"),
                            this->text("名称", "Name"), this->text("频率", "Frequency"),
                            this->text("频差", "Offset"), this->text("亚音", "Tone"),
                            this->text("模式", "Mode"), this->text("功率", "Power"),
                            this->text("结果", "Result")},
                           chinese_, this);
    Table_rows = new QTableView(this);
    Table_rows->setObjectName("Table_rows");
    Table_rows->setModel(rows_);
    Table_rows->verticalHeader()->hide();
    Table_rows->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Table_rows->setSelectionBehavior(QAbstractItemView::SelectRows);
    Table_rows->setWordWrap(false);
    Option_location = new QRadioButton(this->text("按位置", "By location"), this);
    Option_location->setObjectName("Option_location");
    Option_location->setChecked(true);
    Option_order = new QRadioButton(this->text("按文件顺序，从信道", "In file order from channel"), this);
    Option_order->setObjectName("Option_order");
    Spin_first = new QSpinBox(this);
    Spin_first->setObjectName("Spin_first");
    Spin_first->setRange(1, ChannelCount);
    Spin_first->setValue(1);
    wheelOnlyWithFocus(Spin_first);
    Label_summary = new QLabel(this);
    Label_summary->setObjectName("Label_summary");

    Command_import = new QPushButton(this->text("导入", "Import"), this);
    Command_import->setObjectName("Command_import");
    Command_import->setDefault(true);
    Command_cancel = new QPushButton(this->text("取消", "Cancel"), this);
    Command_cancel->setObjectName("Command_cancel");
    Command_help = new QPushButton(this->text("帮助", "Help"), this);
    Command_help->setObjectName("Command_help");
    Command_help->setAutoDefault(false);
    for (QPushButton* b : {Command_import, Command_cancel, Command_help}) b->setMinimumWidth(90);

    auto* placementRow = new QHBoxLayout;
    placementRow->addWidget(Option_location);
    placementRow->addSpacing(16);
    placementRow->addWidget(Option_order);
    placementRow->addWidget(Spin_first);
    placementRow->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Label_summary, 1);
    buttons->addWidget(Command_import);
    buttons->addWidget(Command_cancel);
    buttons->addWidget(Command_help);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label_file);
    layout->addWidget(Table_rows, 1);
    layout->addLayout(placementRow);
    layout->addLayout(buttons);

    connect(Option_location, &QRadioButton::toggled, this, [this] { replan(); });
    // Choosing a first channel means filling in file order.
    connect(Spin_first, &QSpinBox::valueChanged, this, [this] {
        if (Option_order->isChecked())
            replan();
        else
            Option_order->setChecked(true);
    });
    connect(rows_, &ImportRows::choiceChanged, this, [this] { replan(); });
    connect(Command_import, &QPushButton::clicked, this, &QDialog::accept);
    connect(Command_cancel, &QPushButton::clicked, this, &QDialog::reject);
    // The guide belongs to the dialog, in the language of the moment: the dialog blocks the
    // main window and everything the main window owns, a guide opened there too.
    connect(Command_help, &QPushButton::clicked, this,
            [this] { HelpWindow::showPage(this, "files.md", state_.LanguageChinese); });

    replan();
    // Measured once, on the rows a view measures (the first thousand and those on screen):
    // measuring again after each choice would cost a pass over every row.
    Table_rows->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    Table_rows->resizeColumnsToContents();
    Table_rows->horizontalHeader()->setSectionResizeMode(ImportRows::Result, QHeaderView::Stretch);
    resize(860, 480);
}

CsvPlacement Form_import_csv::placement() const {
    CsvPlacement p;
    p.inOrder = Option_order->isChecked();
    p.first = Spin_first->value();
    p.skipBad = true;  // a bad row is shown with its reason; the others can still be imported
    p.leftOutLines = rows_->leftOutLines();
    return p;
}

CsvImport Form_import_csv::importInto(const Image& base) {
    return planner_.place(placement(), base);
}

void Form_import_csv::replan() {
    const CsvPlacement p = placement();
    const CsvImport i = planner_.place(p, base_, false);
    rows_->placed();
    Command_import->setEnabled(i.ok() && !i.channels.empty());
    const std::string nothing = csvNothingPlaced(i, p, chinese_, CsvAdvice::Dialog);
    QString summary = i.ok() ? text("将导入 %1 行，共 %2 行", "%1 of %2 rows will be imported")
                                   .arg(i.channels.size())
                                   .arg(planner_.rowCount())
                             : text("这样放置时文件有错误：无法导入", "With this placement the file "
                                                                   "has errors: nothing can be "
                                                                   "imported");
    if (!nothing.empty()) summary += text("：", ": ") + qs(nothing);
    Label_summary->setText(summary + text("。", "."));
}

}  // namespace nv
