#include "ui/AppIcon.h"

namespace nv {

QIcon applicationIcon() {
    return QIcon::fromTheme(QStringLiteral("org.nv742.cps"),
                            QIcon(QStringLiteral(":/nv742/nv742-cps.png")));
}

}  // namespace nv
