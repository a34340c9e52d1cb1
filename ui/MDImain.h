#pragma once
// The application's only top-level window: menus, tool bar, status bar and the work area in
// which every other window lives. Its start-up sets up the shared state.

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <memory>

#include "core/AppState.h"
#include "link/SerialPort.h"
#include "widgets/MdiChild.h"

class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;
class QTranslator;

namespace nv {

class ImageUndo;
class UnsavedWork;

class MDImain : public QMainWindow, public Workspace {
    Q_OBJECT
  public:
    static constexpr int Panels = 8;

    MDImain(AppState& state, PortLayer ports, QWidget* parent = nullptr);
    ~MDImain() override;

    // The start-up sequence: globals, size and show, status bar, captions, port probe,
    // tables, default image, channel grid.
    void Form_Load();

    // Workspace
    MdiChild* openWindow(const QString& name) override;
    MdiChild* showWindow(const QString& name) override;
    MdiChild* child(const QString& name) const override;
    void closeChild(const QString& name) override;
    const PortLayer& ports() const override { return ports_; }
    void setPanel(int panel, const QString& text) override;
    void takeBack(const Image& image) override;
    QWidget* frame() override { return this; }
    QMdiArea* workArea() const override { return MDIArea; }

    AppState& appState() { return state; }
    QString panelText(int panel) const;

    // A window's name is its class name without the namespace.
    static QString windowName(const QMetaObject& meta);
    template <class W>
    W* openChild() {
        return static_cast<W*>(openWindow(windowName(W::staticMetaObject)));
    }

    // Menu and tool bar commands, by the name of their menu item.
    void runCommand(const QString& item);
    // For dealers and technicians: shows and enables the hidden commands that open a window.
    void showServiceCommands();
    void Language_chn_Click();
    void Language_eng_Click();

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildMenus();
    void buildToolBar();
    void buildStatusBar();
    void layoutPanels();
    void applyCaptions(int column);  // 0 start-up, 1 English, 2 Chinese
    void setLanguageMarks();
    void probePorts();
    void addChild(MdiChild* w);
    void freeMenuShortcuts(QMdiSubWindow* sub);
    void useToolkitTexts(bool chinese);
    void onSubWindowActivated(QMdiSubWindow* sub);
    template <class F>
    void decoding(F&& decode);
    // The guide's first page, or the page of the active window (the main window's without one).
    void showGuide(bool activeWindowPage);
    // Version, licence and where the guide is.
    void showAbout();

    AppState& state;
    PortLayer ports_;
    std::unique_ptr<SerialPort> MSC;
    QMdiArea* MDIArea = nullptr;
    QToolBar* Toolbar1 = nullptr;
    QLabel* panels_[Panels] = {};
    QHash<QString, QAction*> items_;
    QHash<QString, QMenu*> menus_;
    QHash<QString, QPointer<QMdiSubWindow>> children_;
    QHash<QString, QString> commands_;  // menu item -> window it opens
    QHash<QString, WindowFactory> factories_;
    std::unique_ptr<QTranslator> toolkitChinese_;
    ImageUndo* undo_ = nullptr;
    UnsavedWork* unsaved_ = nullptr;
};

}  // namespace nv
