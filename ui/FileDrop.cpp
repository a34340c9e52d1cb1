#include "ui/FileDrop.h"

#include <QDropEvent>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QUrl>

#include "files/ChannelFileDialogs.h"
#include "widgets/FileChoice.h"
#include "widgets/MdiChild.h"

namespace nv {

namespace {
// The one local .chann or .csv file a drop carries.
QString droppedFile(const QMimeData* data) {
    if (!data || data->urls().size() != 1 || !data->urls().front().isLocalFile()) return {};
    const QString path = data->urls().front().toLocalFile();
    for (const char* suffix : {".chann", ".csv"})
        if (path.endsWith(QLatin1String(suffix), Qt::CaseInsensitive)) return path;
    return {};
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
        if (droppedFile(drag->mimeData()).isEmpty()) return false;
        drag->acceptProposedAction();
        return true;
    }
    if (event->type() == QEvent::Drop) {
        auto* drop = static_cast<QDropEvent*>(event);
        const QString path = droppedFile(drop->mimeData());
        if (path.isEmpty()) return false;
        drop->acceptProposedAction();
        bool changed = false;
        if (path.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive)) {
            // The import asks for its file: the dropped one is the answer.
            const ChosenFile answer(path);
            workspace_.openWindow("Form_Csv_Import");
            changed = true;
        } else {
            changed = openChannelFileAtStartup(state_, workspace_, path);
        }
        if (changed)
            for (QMdiSubWindow* sub : workspace_.workArea()->subWindowList())
                if (auto* w = qobject_cast<MdiChild*>(sub->widget())) w->refresh();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace nv
