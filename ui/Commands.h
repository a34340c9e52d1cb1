#pragma once
// Which window each menu item and tool bar button opens.

#include <QHash>
#include <QString>
#include <functional>

namespace nv {

class MDImain;

void registerCommands(MDImain& main, QHash<QString, std::function<void()>>& commands);

}  // namespace nv
