#pragma once
// The open windows of the work area, listed below the fixed entries of a menu each time it
// opens; the active one is ticked, and choosing one brings it to the front. The menu's Tile and
// Cascade arrange them.

class QMdiArea;
class QMenu;

namespace nv {

void listWindowsIn(QMenu* menu, QMdiArea* area);

// Staggers the windows by a title bar each, every window keeping its own size; the active one
// ends on top.
void cascadeWindows(QMdiArea* area);
// Side by side: a window that needs a width (the channel grid) gets it whenever the work area
// has it, and the others share the rest, one above the other. Otherwise the toolkit's tiling.
void tileWindows(QMdiArea* area);

}  // namespace nv
