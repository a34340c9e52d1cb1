#pragma once

#include <QHash>
#include <QString>
#include <functional>

#include "widgets/Workspace.h"

namespace nv {

// Every window the application can open, by name, and the window each menu item and tool bar
// button opens.
void registerWindows(QHash<QString, WindowFactory>& windows, QHash<QString, QString>& commands);

}  // namespace nv
