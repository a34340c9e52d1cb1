#pragma once

#include <QHash>
#include <QString>
#include <functional>

#include "widgets/Workspace.h"

namespace nv {

// Every window the application can open, by name, and the window each menu item and tool bar
// button opens.
void registerWindows(QHash<QString, WindowFactory>& windows, QHash<QString, QString>& commands);

// Menu items that bring an open instance of their window to the front instead of replacing it.
bool activatesOpenWindow(const QString& item);

}  // namespace nv
