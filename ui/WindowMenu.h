#pragma once
// The open windows of the work area, listed below the fixed entries of a menu each time it
// opens; the active one is ticked, and choosing one brings it to the front.

class QMdiArea;
class QMenu;

namespace nv {

void listWindowsIn(QMenu* menu, QMdiArea* area);

}  // namespace nv
