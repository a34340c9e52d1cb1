#include "link/CommWindows.h"

#include <QDateTime>
#include <QTimer>
#include <QVariant>

#include "files/Backups.h"
#include "link/ReadLink.h"
#include "link/WriteLink.h"

namespace nv {

namespace {

// A backup that could not be written is told in the status bar, and the text goes again with
// the next backup that could.
void reportBackup(const AppState& s, Workspace& workspace, const BackupResult& result) {
    static const char* const Shown = "backupProblemShown";
    QWidget* frame = workspace.frame();
    if (!result.ok) {
        workspace.setPanel(8, backupProblem(result, s.LanguageChinese));
        frame->setProperty(Shown, true);
    } else if (frame->property(Shown).toBool()) {
        workspace.setPanel(8, QString());
        frame->setProperty(Shown, false);
    }
}

}  // namespace

Form_Comm_Read::Form_Comm_Read(AppState& s, Workspace& workspace)
    : LinkWindow(s, workspace, "Form_Comm_Read",
                 {"从对讲机读取数据", "Read Data From Radio", "读取", "Read", "Command_read"}) {}

std::unique_ptr<LinkEngine> Form_Comm_Read::makeEngine(SerialPort& port, LinkTimers& timers,
                                                       nv::LinkView& view) {
    auto link = std::make_unique<ReadLink>(state, port, timers, view);
    link->completed = [this] {
        keepImage(state);
        state.ReadFromPort = state.CommPortNumber;
        state.ReadAtSeconds = QDateTime::currentSecsSinceEpoch();
        backUpRead();
    };
    return link;
}

// The image as it was read goes to a backup file once the completion message is up, so that
// writing it never delays the read; a failure never fails it.
void Form_Comm_Read::backUpRead() {
    const Image image = state.RadioImage;
    const QString port = QStringLiteral("COM%1").arg(state.CommPortNumber);
    AppState* s = &state;
    Workspace* w = &workspace;
    QTimer::singleShot(0, workspace.frame(),
                       [image, port, s, w] { reportBackup(*s, *w, writeBackup(image, port)); });
}

Form_Comm_Write::Form_Comm_Write(AppState& s, Workspace& workspace)
    : LinkWindow(s, workspace, "Form_Comm_Write",
                 {"写数据到对讲机", "Write Data to Radio", "写入", "Write", "Command_write"}) {}

std::unique_ptr<LinkEngine> Form_Comm_Write::makeEngine(SerialPort& port, LinkTimers& timers,
                                                        nv::LinkView& view) {
    auto link = std::make_unique<WriteLink>(state, port, timers, view);
    // What the radio now holds is the image as it was at the start; an edit made during the
    // write is still to be written or saved, unless it was saved meanwhile.
    WriteLink* written = link.get();
    link->completed = [this, written] {
        if (!imageKept(state)) state.KeptImage = written->sentImage();
    };
    return link;
}

}  // namespace nv
