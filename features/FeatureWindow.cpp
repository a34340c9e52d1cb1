#include "features/FeatureWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>

#include "widgets/FocusWheel.h"
#include "widgets/ListOnly.h"

namespace nv {

FeatureWindow::FeatureWindow(AppState& s, Workspace& w, const char* name) : MdiChild(s, w) {
    setObjectName(QString::fromLatin1(name));
    Command_Help = named<QPushButton>("Command_Help");
    Command_close = named<QPushButton>("Command_close");
    for (QPushButton* b : {Command_Help, Command_close}) {
        b->setAutoDefault(false);
        b->setMinimumWidth(90);
    }
    connect(Command_close, &QPushButton::clicked, this, &MdiChild::closeWindow);
    connect(Command_Help, &QPushButton::clicked, this, &MdiChild::showHelp);
}

QComboBox* FeatureWindow::listBox(const char* name) {
    auto* list = named<QComboBox>(name);
    makeListOnly(list);
    list->setMaxVisibleItems(16);
    // As wide as its longest entry: a list never shrinks below that.
    list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    list->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Fixed);
    return list;
}

void FeatureWindow::setEntries(QComboBox* list, const QStringList& entries) {
    const QSignalBlocker quiet(list);
    list->clear();
    list->addItems(entries);
    list->setCurrentIndex(-1);
}

void FeatureWindow::widenFor(QLineEdit* box, int characters, QChar widest) {
    const QString sample(characters + 1, widest);
    box->setMinimumWidth(box->fontMetrics().horizontalAdvance(sample) +
                         2 * box->textMargins().left() + 8);
}

QHBoxLayout* FeatureWindow::buttonRow() {
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(Command_Help);
    row->addWidget(Command_close);
    return row;
}

void FeatureWindow::captionButtons() {
    Command_Help->setText(text("帮助", "Help"));
    Command_close->setText(text("关闭", "Close"));
}

void FeatureWindow::placeByFractions(double widthDivisor, double heightDivisor, int topDivisor) {
    const int w = static_cast<int>(mainWidth() / widthDivisor);
    const int h = static_cast<int>(mainHeight() / heightDivisor);
    // Captions and lists set since the layout was built have changed what the group frames
    // need, and layouts learn it only on the next pass of the event loop: the window's minimum
    // size must know it now, before the window is placed.
    const QList<QWidget*> inner = findChildren<QWidget*>();
    for (auto it = inner.rbegin(); it != inner.rend(); ++it)
        if ((*it)->layout()) (*it)->updateGeometry();
    layout()->activate();
    placeWindow(std::max(0, (mainWidth() - w) / 2), std::max(0, (mainHeight() - h) / topDivisor), w,
                h);
}

void FeatureWindow::setBoxEnabled(QWidget* box, bool enabled) {
    setEnabledLook(box, enabled);
    if (qobject_cast<QComboBox*>(box)) {
        // A list box that takes no typing is drawn with the button colour: give its face the
        // colour that tells enabled from disabled.
        QPalette p = box->palette();
        p.setBrush(QPalette::Button, enabled ? palette().base() : palette().button());
        box->setPalette(p);
    }
}

void FeatureWindow::decodeHeldBack() {
    ++heldBack_;
    decode();
    --heldBack_;
}

void FeatureWindow::onPick(QComboBox* list, std::function<void(int)> store) {
    connect(list, &QComboBox::currentIndexChanged, this, [this, store](int index) {
        if (!decoding() && index >= 0) store(index);
    });
}

void FeatureWindow::onTick(QCheckBox* box, std::function<void(bool)> store) {
    connect(box, &QCheckBox::toggled, this, [this, store](bool on) {
        if (!decoding()) store(on);
    });
}

void FeatureWindow::onEdit(QLineEdit* box, std::function<void()> store) {
    connect(box, &QLineEdit::textChanged, this, [this, store] {
        if (!decoding()) store();
    });
}

}  // namespace nv
