#include "ui/MDImain.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QLibraryInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QTranslator>
#include <algorithm>

#include "core/Models.h"
#include "core/Startup.h"
#include "ui/AppIcon.h"
#include "ui/Commands.h"
#include "ui/FileDrop.h"
#include "ui/ImageUndo.h"
#include "ui/SheetCommands.h"
#include "ui/UnsavedWork.h"
#include "ui/WindowMenu.h"
#include "widgets/HelpWindow.h"
#include "widgets/Messages.h"

namespace nv {

namespace {

const QString Hyphens = QStringLiteral("--------------");

struct ItemDef {
    const char* name;
    const char* parent;  // nullptr: on the menu bar
    bool submenu;
    const char* startup;
    const char* english;
    const char* chinese;
    bool shown;
    const char* shortcut;
};

// The menu tree in order, with the caption after start-up, in English and in Chinese.
const ItemDef Items[] = {
    {"File", nullptr, true, "File", "File", "文件", true, nullptr},
    {"File_New", "File", false, "New", "New", "新建", true, "Ctrl+N"},
    {"File_Open", "File", false, "Open", "Open", "打开", true, "Ctrl+O"},
    {"File_save", "File", false, "Save", "Save", "保存", true, "Ctrl+S"},
    {"File_saveas", "File", false, "Save As", "Save As", "另存为", true, nullptr},
    {"File_exit", "File", false, "Exit", "Exit", "退出", true, nullptr},
    {"proc_type", "File", false, "Model", "Model", "机型", false, nullptr},
    {"File_export_csv", "File", false, "Export CSV…", "Export CSV…", "导出 CSV…", true, nullptr},
    {"File_import_csv", "File", false, "Import CSV…", "Import CSV…", "导入 CSV…", true, nullptr},
    {"File_print", "File", false, "Print…", "Print…", "打印…", true, "Ctrl+P"},
    {"File_export_pdf", "File", false, "Export PDF…", "Export PDF…", "导出 PDF…", true, nullptr},
    {"Edit", nullptr, true, "Edit", "Edit", "编辑", true, nullptr},
    {"Channel_edit", "Edit", false, "Channel Information ", "Channel Information ", "信道信息",
     true, nullptr},
    {"Optional_edit", "Edit", false, "Optional Features", "Optional Features", "可选功能", true,
     nullptr},
    {"key_edit", "Edit", false, "Key Assignment", "Key Assignment", "键设定", false, nullptr},
    {"ggg", "Edit", false, nullptr, nullptr, nullptr, true, nullptr},
    {"Scan_edit", "Edit", false, "Scan Information", "Scan Information", "扫描信息", true, nullptr},
    {"Dtmf_edit", "Edit", false, "DTMF", "DTMF", "DTMF(双音多频)", false, nullptr},
    {"Fleetsync_edit", "Edit", false, "FleetSync", "FleetSync", "FleetSync(队列同步)", false,
     nullptr},
    {"Test_edit", "Edit", false, "Radio", "Radio", "收音机编辑", false, nullptr},
    {"eee", "Edit", false, nullptr, nullptr, nullptr, false, nullptr},
    {"Message_edit", "Edit", false, "Embedded Message", "Embedded Message", "嵌入信息", false,
     nullptr},
    {"Edit_undo", "Edit", false, "Undo", "Undo", "撤销", true, nullptr},
    {"Edit_redo", "Edit", false, "Redo", "Redo", "重做", true, nullptr},
    {"Program", nullptr, true, "Program", "Program", "编程", true, nullptr},
    {"Prog_read", "Program", false, "Read from radio", "Read from radio", "从对讲机读取数据", true,
     "Ctrl+R"},
    {"Prog_write", "Program", false, "Write to radio", "Write to radio", "向对讲机写入数据", true,
     "Ctrl+W"},
    {"Prog_test", "Program", false, "Test Mode", "Test Mode", "测试模式", false, "Ctrl+T"},
    {"Adjust", "Program", true, "Adjust", "Adjust", "调整", false, nullptr},
    {"Adj_Txp", "Adjust", false, "Power Adjust", "Power Adjust", "发射功率调整", false, nullptr},
    {"proc_setup", "Program", false, "Communication", "Communication", "端口设置", true, nullptr},
    {"Other", "Program", false, "Test", "Other", "杂项", false, nullptr},
    {"Prog_compare", "Program", false, "Compare with radio", "Compare with radio", "与对讲机比较",
     true, nullptr},
    {"Prog_station", "Program", false, "Program several radios", "Program several radios",
     "批量写频", true, nullptr},
    {"Language_Setup", nullptr, true, "Language", "Language", "语言", true, nullptr},
    {"Language_chn", "Language_Setup", false, "中文", "中文", "中文", true, nullptr},
    {"Language_eng", "Language_Setup", false, "English", "English", "English", true, nullptr},
    {"Menu_About", nullptr, false, "About", "About", "关于", false, nullptr},
    {"Menu_exit", nullptr, false, "Exit", "Exit", "退出", true, nullptr},
    {"Window", nullptr, true, "Window", "Window", "窗口", true, nullptr},
    {"Window_tile", "Window", false, "Tile", "Tile", "平铺", true, nullptr},
    {"Window_cascade", "Window", false, "Cascade", "Cascade", "层叠", true, nullptr},
    {"Help", nullptr, true, "Help", "Help", "帮助", true, nullptr},
    {"Help_guide", "Help", false, "User Guide", "User Guide", "用户指南", true, nullptr},
    {"Help_window", "Help", false, "Help on This Window", "Help on This Window", "本窗口帮助", true,
     "F1"},
    {"Help_about", "Help", false, "About", "About", "关于", true, nullptr},
};

struct ToolDef {
    const char* key;
    const char* item;  // the menu item whose command and caption the button shares
    QStyle::StandardPixmap icon;
};
const ToolDef Tools[] = {
    {"open", "File_Open", QStyle::SP_DialogOpenButton},
    {"save", "File_save", QStyle::SP_DialogSaveButton},
    {"edit_chann", "Channel_edit", QStyle::SP_FileDialogDetailedView},
    {"read", "Prog_read", QStyle::SP_ArrowDown},
    {"write", "Prog_write", QStyle::SP_ArrowUp},
    {"Exit", "File_exit", QStyle::SP_DialogCloseButton},
};

const int PanelPercent[MDImain::Panels] = {5, 11, 6, 8, 8, 5, 15, 43};

QString captionOf(const ItemDef& d, int column) {
    if (!d.startup) return Hyphens;
    return QString::fromUtf8(column == 0 ? d.startup : column == 1 ? d.english : d.chinese);
}

}  // namespace

MDImain::MDImain(AppState& s, PortLayer ports, QWidget* parent)
    : QMainWindow(parent), state(s), ports_(std::move(ports)) {
    setObjectName("MDImain");
    setWindowIcon(applicationIcon());
    MDIArea = new QMdiArea(this);
    MDIArea->setObjectName("MDIArea");
    MDIArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    MDIArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // A window that closes hands the front to the one the user was in before it (the window a
    // file dialog was opened from), not to the oldest one.
    MDIArea->setActivationOrder(QMdiArea::ActivationHistoryOrder);
    setCentralWidget(MDIArea);
    connect(MDIArea, &QMdiArea::subWindowActivated, this, &MDImain::onSubWindowActivated);
    registerWindows(factories_, commands_);
    buildMenus();
    buildToolBar();
    buildStatusBar();
    menus_["Edit"]->insertSeparator(items_["Edit_undo"]);
    undo_ = new ImageUndo(state, this, MDIArea, items_["Edit_undo"], items_["Edit_redo"]);
    unsaved_ = new UnsavedWork(state, *this, this);
    listWindowsIn(menus_["Window"], MDIArea);
    new FileDrop(state, *this, this);
}

MDImain::~MDImain() {
    // Child windows go before this object does: their closing must not call back into it.
    disconnect(MDIArea, nullptr, this, nullptr);
    delete MDIArea;
    if (toolkitChinese_) QCoreApplication::removeTranslator(toolkitChinese_.get());
}

void MDImain::buildMenus() {
    for (const ItemDef& d : Items) {
        QAction* action = nullptr;
        if (d.submenu) {
            QMenu* menu =
                d.parent ? menus_[d.parent]->addMenu(QString()) : menuBar()->addMenu(QString());
            menu->setObjectName(d.name);
            menus_[d.name] = menu;
            action = menu->menuAction();
        } else {
            action =
                d.parent ? menus_[d.parent]->addAction(QString()) : menuBar()->addAction(QString());
            const QString name = QString::fromUtf8(d.name);
            connect(action, &QAction::triggered, this, [this, name] { runCommand(name); });
        }
        action->setObjectName(d.name);
        action->setParent(this);
        if (d.shortcut) action->setShortcut(QKeySequence(QString::fromLatin1(d.shortcut)));
        action->setSeparator(!d.startup);  // the rows of hyphens
        action->setVisible(d.shown);
        action->setEnabled(d.shown);
        items_[d.name] = action;
    }
    items_["Language_chn"]->setCheckable(true);
    items_["Language_eng"]->setCheckable(true);
}

void MDImain::buildToolBar() {
    Toolbar1 = addToolBar(QString());
    Toolbar1->setObjectName("Toolbar1");
    Toolbar1->setIconSize(QSize(16, 16));
    Toolbar1->setMovable(false);
    for (const ToolDef& t : Tools) {
        QAction* button = Toolbar1->addAction(style()->standardIcon(t.icon), QString());
        button->setObjectName(QStringLiteral("Toolbar1_") + t.key);
        button->setProperty("key", QString::fromLatin1(t.key));
        const QString item = QString::fromLatin1(t.item);
        connect(button, &QAction::triggered, this, [this, item] { runCommand(item); });
    }
}

void MDImain::buildStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName("StatusBar1");
    bar->setSizeGripEnabled(false);
    for (int i = 0; i < Panels; ++i) {
        panels_[i] = new QLabel(bar);
        panels_[i]->setObjectName(QStringLiteral("Panel%1").arg(i + 1));
        panels_[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panels_[i]->setContentsMargins(2, 0, 2, 0);
        bar->addWidget(panels_[i], i == Panels - 1 ? 1 : 0);
    }
}

void MDImain::layoutPanels() {
    for (int i = 0; i < Panels - 1; ++i) panels_[i]->setFixedWidth(width() * PanelPercent[i] / 100);
    panels_[Panels - 1]->setMinimumWidth(0);
}

void MDImain::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (panels_[0]) layoutPanels();
}

void MDImain::takeBack(const Image& image) { undo_->takeBack(image); }

void MDImain::setPanel(int panel, const QString& text) { panels_[panel - 1]->setText(text); }
QString MDImain::panelText(int panel) const { return panels_[panel - 1]->text(); }

void MDImain::applyCaptions(int column) {
    for (const ItemDef& d : Items) items_[d.name]->setText(captionOf(d, column));
    for (QAction* button : Toolbar1->actions()) {
        for (const ToolDef& t : Tools)
            if (button->property("key").toString() == QLatin1String(t.key))
                button->setToolTip(items_[t.item]->text());
    }
    const bool chinese = column == 2;
    setWindowTitle(chinese ? QStringLiteral("NV-742 系列对讲机编程软件")
                           : QStringLiteral("NV-742 series program software "));
    setPanel(1, chinese ? QStringLiteral("状态") : QStringLiteral("State"));
    setPanel(2, QString());
    setPanel(3, QStringLiteral("COM%1").arg(state.CommPortNumber));
    setPanel(4, chinese ? QStringLiteral("软件版本") : QStringLiteral("  Version"));
    setPanel(6, chinese ? QStringLiteral("频段") : QStringLiteral("Band"));
    setPanel(8, QString());
    setLanguageMarks();
}

void MDImain::setLanguageMarks() {
    items_["Language_chn"]->setChecked(state.LanguageChinese);
    items_["Language_eng"]->setChecked(!state.LanguageChinese);
}

void MDImain::probePorts() {
    MSC = ports_.create ? ports_.create() : nullptr;
    for (int port = 8; port >= 1; --port) {
        state.CommPortNumber = static_cast<Int16>(port);
        PortProblem problem;
        state.PortOpenFailed = !(MSC && MSC->open(port, problem));
        if (!state.PortOpenFailed) break;
    }
    if (state.PortOpenFailed) state.CommPortNumber = 1;
}

void MDImain::Form_Load() {
    initialiseGlobals(state);
    const QSize screen = QGuiApplication::primaryScreen()->size();
    resize(static_cast<int>(screen.width() / 1.5), static_cast<int>(screen.height() / 1.5));
    show();
    layoutPanels();
    setPanel(1, QString());
    applyCaptions(0);
    probePorts();
    setPanel(3, QStringLiteral("COM%1").arg(state.CommPortNumber));
    if (MSC && MSC->isOpen()) MSC->close();
    MSC.reset();
    buildTables(state);
    setPanel(5, qs(state.VersionText));
    setPanel(7, qs(statusBandText(state, state.ModelIndex)));
    buildDefaults(state);
    runCommand("Channel_edit");
    undo_->begin();
    keepImage(state);
    keepAdjust(state);
}

void MDImain::showServiceCommands() {
    for (const ItemDef& d : Items) {
        const QString name = QString::fromUtf8(d.name);
        const bool opensWindow = commands_.contains(name);
        if (d.shown || !(opensWindow || name == QLatin1String("eee"))) continue;
        items_[name]->setVisible(true);
        items_[name]->setEnabled(true);
    }
}

void MDImain::Language_chn_Click() {
    state.LanguageChinese = true;
    useToolkitTexts(true);
    applyCaptions(2);
}

void MDImain::Language_eng_Click() {
    state.LanguageChinese = false;
    useToolkitTexts(false);
    applyCaptions(1);
}

// The toolkit's own texts (standard buttons such as "OK", the frames' menus) come from its
// catalogue; they follow the language of the moment like the message texts do.
void MDImain::useToolkitTexts(bool chinese) {
    if (chinese && !toolkitChinese_) {
        auto translator = std::make_unique<QTranslator>();
        if (!translator->load(QStringLiteral("qtbase_zh_CN"),
                              QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            return;  // the catalogue is not installed: the buttons stay in English
        QCoreApplication::installTranslator(translator.get());
        toolkitChinese_ = std::move(translator);
    } else if (!chinese && toolkitChinese_) {
        QCoreApplication::removeTranslator(toolkitChinese_.get());
        toolkitChinese_.reset();
    }
}

void MDImain::runCommand(const QString& item) {
    if (item == "Language_chn") return Language_chn_Click();
    if (item == "Language_eng") return Language_eng_Click();
    if (item == "Edit_undo") return undo_->undo();
    if (item == "Edit_redo") return undo_->redo();
    if (item == "Window_tile") return tileWindows(MDIArea);
    if (item == "Window_cascade") return cascadeWindows(MDIArea);
    if (item == "Help_guide" || item == "Help_window") return showGuide(item == "Help_window");
    if (item == "Help_about") return showAbout();
    if (item == "File_print") return printChannelSheet(state, this);
    if (item == "File_export_pdf") return exportChannelSheet(state, this);
    if (item == "File_exit" || item == "Menu_exit") {
        close();
        return;
    }
    auto it = commands_.find(item);
    if (it == commands_.end()) return;
    if (activatesOpenWindow(item))
        showWindow(it.value());
    else
        openWindow(it.value());
}

void MDImain::showGuide(bool activeWindowPage) {
    MdiChild* active = nullptr;
    if (QMdiSubWindow* sub = MDIArea->activeSubWindow())
        active = qobject_cast<MdiChild*>(sub->widget());
    if (activeWindowPage && active) return active->showHelp();
    HelpWindow::showPage(this, HelpWindow::pageFor(activeWindowPage ? "MDImain" : QString()),
                         state.LanguageChinese);
}

void MDImain::showAbout() {
    const QString GuideFolder = QStringLiteral(NV742_GUIDE_DIR);
    const QString version = QString::fromLatin1(Version);
    prompt(state, this,
           QStringLiteral("NV-742 编程软件 %1\n许可证：GNU 通用公共许可证第 3 版或更高版本\n"
                          "用户指南：“帮助”菜单的“用户指南”，安装后也在 %2")
               .arg(version, GuideFolder),
           QStringLiteral("NV-742 programming software %1\nLicence: GNU General Public License, "
                          "version 3 or later\nUser guide: Help > User Guide; once installed, "
                          "also in %2")
               .arg(version, GuideFolder));
}

MdiChild* MDImain::openWindow(const QString& name) {
    auto make = factories_.find(name);
    if (make == factories_.end()) return nullptr;
    closeChild(name);
    MdiChild* w = make.value()(state, *this);
    addChild(w);
    decoding([w] { w->load(); });
    return w;
}

MdiChild* MDImain::showWindow(const QString& name) {
    MdiChild* open = child(name);
    if (!open) return openWindow(name);
    MDIArea->setActiveSubWindow(open->subWindow());
    return open;
}

void MDImain::addChild(MdiChild* w) {
    QMdiSubWindow* sub = MDIArea->addSubWindow(w);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowIcon(applicationIcon());
    freeMenuShortcuts(sub);
    children_[w->objectName()] = sub;
}

// A child's frame brings its own Ctrl+W (close); the main window's shortcut for the same keys
// would then be ambiguous and do nothing. The menu's shortcuts win.
void MDImain::freeMenuShortcuts(QMdiSubWindow* sub) {
    QList<QKeySequence> taken;
    for (QAction* item : std::as_const(items_))
        if (!item->shortcut().isEmpty()) taken << item->shortcut();
    QMenu* frameMenu = sub->systemMenu();
    if (!frameMenu) return;
    for (QAction* action : frameMenu->actions()) {
        QList<QKeySequence> keys = action->shortcuts();
        const auto kept = std::remove_if(keys.begin(), keys.end(),
                                         [&](const QKeySequence& k) { return taken.contains(k); });
        if (kept == keys.end()) continue;
        keys.erase(kept, keys.end());
        action->setShortcuts(keys);
    }
}

void MDImain::closeChild(const QString& name) {
    QPointer<QMdiSubWindow> sub = children_.take(name);
    if (!sub) return;
    if (auto* w = qobject_cast<MdiChild*>(sub->widget())) {
        w->setObjectName(QString());  // gone from now on
        w->closingByProgram = true;
    }
    sub->close();
}

QString MDImain::windowName(const QMetaObject& meta) {
    const QString name = QString::fromLatin1(meta.className());
    return name.mid(name.lastIndexOf(':') + 1);
}

MdiChild* MDImain::child(const QString& name) const {
    QPointer<QMdiSubWindow> sub = children_.value(name);
    return sub ? qobject_cast<MdiChild*>(sub->widget()) : nullptr;
}

void MDImain::onSubWindowActivated(QMdiSubWindow* sub) {
    if (!sub) return;
    if (auto* w = qobject_cast<MdiChild*>(sub->widget())) decoding([w] { w->activated(); });
}

template <class F>
void MDImain::decoding(F&& decode) {
    unsaved_->decoding([&] { undo_->decoding(decode); });
}

void MDImain::closeEvent(QCloseEvent* event) {
    if (!unsaved_->transfersMayStop() || !unsaved_->mayEnd()) {
        event->ignore();
        return;
    }
    for (QMdiSubWindow* sub : MDIArea->subWindowList())
        if (auto* w = qobject_cast<MdiChild*>(sub->widget())) w->closingByProgram = true;
    MDIArea->closeAllSubWindows();
    children_.clear();
    event->accept();
}

}  // namespace nv
