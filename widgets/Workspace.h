#pragma once
// What a window may ask of the application around it: open, find and close windows by name,
// make serial ports, and write to the status bar. The main window implements it; windows never
// know the main window itself, so any window can open any other without a dependency cycle.

#include <QString>
#include <functional>

#include "core/AppState.h"

class QMdiArea;
class QWidget;

namespace nv {

class MdiChild;
class Workspace;
struct PortLayer;

// Makes a window; the application keeps one per window name.
using WindowFactory = std::function<MdiChild*(AppState&, Workspace&)>;

class Workspace {
  public:
    virtual ~Workspace() = default;

    // Closes an open instance of the named window, then loads a new one.
    virtual MdiChild* openWindow(const QString& name) = 0;
    // Loads the named window unless it is open already; either way it becomes the active one.
    virtual MdiChild* showWindow(const QString& name) = 0;
    // The open instance of the named window, or nullptr.
    virtual MdiChild* child(const QString& name) const = 0;
    virtual void closeChild(const QString& name) = 0;

    virtual const PortLayer& ports() const = 0;
    virtual void setPanel(int panel, const QString& text) = 0;

    // An edit was taken back and the image is as it was before it: the undo steps the edit made
    // are forgotten, so that undo goes on from the state before them.
    virtual void takeBack(const Image& image) { (void)image; }

    // The main window and its work area, for sizes and placement.
    virtual QWidget* frame() = 0;
    virtual QMdiArea* workArea() const = 0;
};

}  // namespace nv
