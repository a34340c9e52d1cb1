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
#include "ui/MdiChild.h"

class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;
class QTranslator;

namespace nv {

class MDImain : public QMainWindow {
    Q_OBJECT
  public:
    static constexpr int Panels = 8;

    MDImain(AppState& state, PortLayer ports, QWidget* parent = nullptr);
    ~MDImain() override;

    // The start-up sequence: globals, size and show, status bar, captions, port probe,
    // tables, default image, channel grid.
    void Form_Load();

    QMdiArea* workArea() const { return MDIArea; }
    const PortLayer& ports() const { return ports_; }
    AppState& appState() { return state; }

    void setPanel(int panel, const QString& text);
    QString panelText(int panel) const;

    // Closes an open instance of the window, then loads a new one.
    template <class W>
    W* openChild() {
        closeChild(windowName(W::staticMetaObject));
        auto* w = new W(state, *this);
        addChild(w);
        w->load();
        return w;
    }
    void closeChild(const QString& name);
    // A window's name is its class name without the namespace.
    static QString windowName(const QMetaObject& meta);
    MdiChild* child(const QString& name) const;

    // Menu and tool bar commands, by the name of their menu item.
    void runCommand(const QString& item);
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

    AppState& state;
    PortLayer ports_;
    std::unique_ptr<SerialPort> MSC;
    QMdiArea* MDIArea = nullptr;
    QToolBar* Toolbar1 = nullptr;
    QLabel* panels_[Panels] = {};
    QHash<QString, QAction*> items_;
    QHash<QString, QMenu*> menus_;
    QHash<QString, QPointer<QMdiSubWindow>> children_;
    QHash<QString, std::function<void()>> commands_;
    std::unique_ptr<QTranslator> toolkitChinese_;
};

}  // namespace nv
