#pragma once
// The application's icon: the installed one of the icon theme, or the picture built into the
// program when it runs uninstalled (from the build folder, say).

#include <QIcon>

namespace nv {

QIcon applicationIcon();

}  // namespace nv
