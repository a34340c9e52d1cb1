#include "files/FileDialog.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStorageInfo>
#include <QVBoxLayout>

#include "core/ChannelFile.h"
#include "widgets/FocusWheel.h"
#include "widgets/Messages.h"

namespace nv {

namespace {
constexpr int PathRole = Qt::UserRole;
constexpr int MakeRole = Qt::UserRole + 1;  // the folder is made when the entry is chosen

// Volumes a user keeps files on: the root, removable media and other real mounts.
bool isUserVolume(const QStorageInfo& v) {
    if (!v.isValid() || !v.isReady()) return false;
    const QString root = v.rootPath();
    if (root == "/") return true;
    const QString type = QString::fromLatin1(v.fileSystemType());
    static const QStringList pseudo = {
        "proc",    "sysfs",    "tmpfs",   "devtmpfs", "devpts",    "cgroup",      "cgroup2",
        "overlay", "squashfs", "autofs",  "mqueue",   "debugfs",   "tracefs",     "securityfs",
        "pstore",  "bpf",      "fusectl", "configfs", "hugetlbfs", "binfmt_misc", "nsfs"};
    if (pseudo.contains(type)) return false;
    return !(root.startsWith("/proc") || root.startsWith("/sys") || root.startsWith("/dev") ||
             root.startsWith("/run/user") || root.startsWith("/snap") || root.startsWith("/boot"));
}
}  // namespace

FileDialog::FileDialog(AppState& s, Workspace& workspace, const char* name, QString suffix,
                       Texts texts)
    : MdiChild(s, workspace), suffix_(std::move(suffix)), texts_(texts) {
    setObjectName(name);
    Label_drive = new QLabel(this);
    Label_drive->setObjectName("Label_drive");
    Drive1 = new QComboBox(this);
    Drive1->setObjectName("Drive1");
    wheelOnlyWithFocus(Drive1);  // scrolling past it must not move the lists to another drive
    Dir1 = new QListWidget(this);
    Dir1->setObjectName("Dir1");
    File1 = new QListWidget(this);
    File1->setObjectName("File1");
    Label_name = new QLabel(this);
    Label_name->setObjectName("Label_name");
    Text1 = new QLineEdit(this);
    Text1->setObjectName("Text1");
    Command_enter = new QPushButton(this);
    Command_enter->setObjectName("Command_enter");
    Command_close = new QPushButton(this);
    Command_close->setObjectName("Command_close");

    auto* grid = new QGridLayout;
    grid->addWidget(Label_drive, 0, 0);
    grid->addWidget(Drive1, 1, 0);
    grid->addWidget(Dir1, 2, 0);
    grid->addWidget(File1, 0, 1, 3, 1);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(2, 1);
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(Label_name);
    nameRow->addWidget(Text1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command_enter);
    buttons->addWidget(Command_close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid, 1);
    layout->addLayout(nameRow);
    layout->addLayout(buttons);

    connect(Drive1, &QComboBox::activated, this, &FileDialog::driveChosen);
    connect(Dir1, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { setDirectory(item->data(PathRole).toString()); });
    connect(File1, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { Text1->setText(item->text()); });
    // A double click takes the file as a click does and confirms, as "Confirm" does.
    connect(File1, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        Text1->setText(item->text());
        Command_enter_Click();
    });
    connect(Command_enter, &QPushButton::clicked, this, &FileDialog::Command_enter_Click);
    connect(Text1, &QLineEdit::returnPressed, Command_enter, &QPushButton::click);
    connect(Command_close, &QPushButton::clicked, this, &MdiChild::closeWindow);
}

void FileDialog::load() {
    setWindowTitle(text(texts_.titleChinese, texts_.titleEnglish));
    Label_drive->setText(text("驱动器：", "Drive:"));
    Label_name->setText(text(texts_.nameChinese, texts_.nameEnglish));
    Command_enter->setText(text("确  定", "Confirm"));
    Command_close->setText(text("取  消", "Cancel"));
    Text1->setText("*" + suffix_);
    place();
    show();
    fillDrives();
    setDirectory(startFolder());
}

void FileDialog::placeLikeChannelFileDialogs() {
    const int w = static_cast<int>(mainWidth() / 1.55), h = static_cast<int>(mainHeight() / 1.3);
    placeWindow(std::max(0, (mainWidth() - w) / 2), 0, w, h);
}

QString FileDialog::startFolder() const {
    const QFileInfo current(QString::fromStdString(state.CurrentFilePath));
    if (!state.CurrentFilePath.empty() && current.absoluteDir().exists())
        return current.absolutePath();
    return QDir::homePath();
}

void FileDialog::fillDrives() {
    Drive1->clear();
    Drive1->addItem("/", "/");
    for (const QStorageInfo& v : QStorageInfo::mountedVolumes())
        if (isUserVolume(v) && v.rootPath() != "/")
            Drive1->addItem(
                v.rootPath() +
                    (v.displayName() != v.rootPath() ? "  [" + v.displayName() + "]" : ""),
                v.rootPath());
    addPlaces();
    Drive1->addItem(text("主文件夹 ", "Home ") + QDir::homePath(), QDir::homePath());
}

void FileDialog::addOwnFolder(const QString& caption, const QString& path) {
    Drive1->addItem(caption, path);
    Drive1->setItemData(Drive1->count() - 1, true, MakeRole);
    Drive1->setItemData(Drive1->count() - 1, path, Qt::ToolTipRole);
}

void FileDialog::driveChosen(int i) {
    const QString path = Drive1->itemData(i, PathRole).toString();
    if (Drive1->itemData(i, MakeRole).toBool() && !QDir().mkpath(path)) {
        prompt(state, this, QStringLiteral("无法建立文件夹 %1 ！").arg(path),
               QStringLiteral("The folder %1 cannot be made.").arg(path));
        setDirectory(directory_);  // the list shows where the dialog still is
        return;
    }
    setDirectory(path);
}

void FileDialog::setDirectory(const QString& path) {
    QDir dir(path);
    if (path.isEmpty() || !dir.exists()) return;
    directory_ = dir.canonicalPath();
    // The drive list shows the volume that holds the folder (the home entry when inside it).
    int best = 0, bestLength = -1;
    for (int i = 0; i < Drive1->count(); ++i) {
        const QString root = Drive1->itemData(i, PathRole).toString();
        const bool inside =
            directory_ == root || directory_.startsWith(root.endsWith('/') ? root : root + "/");
        if (inside && root.size() > bestLength) {
            best = i;
            bestLength = static_cast<int>(root.size());
        }
    }
    Drive1->setCurrentIndex(best);
    fillFolders();
    fillFiles();
}

void FileDialog::fillFolders() {
    Dir1->clear();
    QStringList parts = directory_.split('/', Qt::SkipEmptyParts);
    QString path = "/";
    auto add = [this](const QString& text, const QString& target, int depth, bool open) {
        auto* item =
            new QListWidgetItem(QString(depth * 2, ' ') + (open ? "▾ " : "▸ ") + text, Dir1);
        item->setData(PathRole, target);
        return item;
    };
    add("/", "/", 0, true);
    int depth = 1;
    for (const QString& part : parts) {
        path = path == "/" ? "/" + part : path + "/" + part;
        add(part, path, depth++, true);
    }
    Dir1->setCurrentRow(Dir1->count() - 1);
    const QFileInfoList subfolders =
        QDir(directory_)
            .entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo& sub : subfolders)
        add(sub.fileName(), sub.absoluteFilePath(), depth, false);
}

// The list offers exactly the files that the name check accepts as they are named: the
// suffix in lower or in upper case, no refused character, no blanks around the name.
void FileDialog::fillFiles() {
    File1->clear();
    QDir dir(directory_);
    dir.setNameFilters({"*" + suffix_});
    dir.setFilter(QDir::Files);
    dir.setSorting(QDir::Name | QDir::IgnoreCase);
    for (const QString& file : dir.entryList()) {
        std::string name;
        if (checkFileName(file.toStdString(), suffix_.toStdString(), &name) == NameCheck::Ok &&
            QString::fromStdString(name) == file)
            File1->addItem(file);
    }
}

bool FileDialog::checkName(const AppState& state, QWidget* parent, const QString& text,
                           const QString& suffix, const Texts& texts, std::string* name) {
    switch (checkFileName(text.toStdString(), suffix.toStdString(), name)) {
        case NameCheck::InvalidName:
            prompt(state, parent, QString::fromUtf8(texts.invalidChinese),
                   QString::fromUtf8(texts.invalidEnglish));
            return false;
        case NameCheck::WrongSuffix:
            prompt(state, parent, QString::fromUtf8(texts.suffixChinese),
                   QString::fromUtf8(texts.suffixEnglish));
            return false;
        case NameCheck::Ok:
            break;
    }
    return true;
}

void FileDialog::Command_enter_Click() {
    std::string name;
    if (!checkName(state, this, Text1->text(), suffix_, texts_, &name)) return;
    const QString path =
        (directory_ == "/" ? QString() : directory_) + "/" + QString::fromStdString(name);
    state.CurrentFilePath = path.toStdString();
    perform(path);
}

}  // namespace nv

namespace nv {

QString FileDialog::startupPath(const AppState& state, QWidget* parent, const QString& argument,
                                const QString& suffix, const Texts& texts) {
    const QFileInfo file(argument);
    std::string name;
    if (!checkName(state, parent, file.fileName(), suffix, texts, &name)) return QString();
    // The folder as the open dialog's folder list would show it.
    const QString canonical = QDir(file.absolutePath()).canonicalPath();
    const QString folder = canonical.isEmpty() ? file.absolutePath() : canonical;
    return (folder == "/" ? QString() : folder) + "/" + QString::fromStdString(name);
}

}  // namespace nv
