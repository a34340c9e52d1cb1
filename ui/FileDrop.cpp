#include "ui/FileDrop.h"

#include <QDropEvent>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QUrl>

#include "files/ChannelFileDialogs.h"
#include "widgets/MdiChild.h"

namespace nv {

namespace {
QString channelFileOf(const QMimeData* data) {
    if (!data || data->urls().size() != 1 || !data->urls().front().isLocalFile()) return {};
    const QString path = data->urls().front().toLocalFile();
    return path.endsWith(QLatin1String(".chann"), Qt::CaseInsensitive) ? path : QString();
}
}  // namespace

FileDrop::FileDrop(AppState& state, Workspace& workspace, QMainWindow* frame)
    : QObject(frame), state_(state), workspace_(workspace) {
    frame->setAcceptDrops(true);
    frame->installEventFilter(this);
}

bool FileDrop::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (channelFileOf(drag->mimeData()).isEmpty()) return false;
        drag->acceptProposedAction();
        return true;
    }
    if (event->type() == QEvent::Drop) {
        auto* drop = static_cast<QDropEvent*>(event);
        const QString path = channelFileOf(drop->mimeData());
        if (path.isEmpty()) return false;
        drop->acceptProposedAction();
        if (openChannelFileAtStartup(state_, workspace_, path))
            for (QMdiSubWindow* sub : workspace_.workArea()->subWindowList())
                if (auto* w = qobject_cast<MdiChild*>(sub->widget())) w->refresh();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace nv
