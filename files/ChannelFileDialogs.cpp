#include "files/ChannelFileDialogs.h"

#include <QDir>
#include <QFileInfo>

#include "core/ChannelFile.h"
#include "files/Backups.h"
#include "files/ChannelFileProblem.h"
#include "files/FileIo.h"
#include "widgets/Messages.h"

namespace nv {

namespace {

const FileDialog::Texts OpenTexts = {"打开信道参数文件",
                                     "Open Channcle File",
                                     "打开文件名：",
                                     "Open File:",
                                     "打开信道参数文件名无效 ",
                                     "Open the file name of channel parameter is nullity ",
                                     "无效的信道参数文件后缀名！",
                                     "Nullity file suffix name of channel parameter."};

const FileDialog::Texts SaveTexts = {"保存信道参数文件",
                                     "Save Channel File",
                                     "保存文件名：",
                                     "Save File:",
                                     "保存信道参数所需要的文件名无效 ",
                                     "Store the file name of channel parameter need is nullity. ",
                                     "建议不要修改系统默认的文件后缀名！",
                                     "Advice don't modify file suffix name of system default ！"};

}  // namespace

Form_open_chann::Form_open_chann(AppState& s, Workspace& workspace)
    : FileDialog(s, workspace, "Form_open_chann", ".chann", OpenTexts) {}

void Form_open_chann::perform(const QString& path) {
    if (loadChannelFile(state, this, path)) closeWindow();
}

bool loadChannelFile(AppState& state, QWidget* parent, const QString& path,
                     const std::function<void()>& loaded) {
    QByteArray data;
    FileProblem problem;
    if (!readConfigFile(path, &data, &problem)) {
        prompt(state, parent, QStringLiteral("信道参数文件无法打开：%1").arg(problem.text(true)),
               QStringLiteral("The channel parameter file cannot be opened: %1")
                   .arg(problem.text(false)));
        return false;
    }
    const NumberListError error = loadChannelFileText(data.toStdString(), state.RadioImage);
    if (error.kind != NumberListError::None) {
        prompt(state, parent, channelFileProblem(error, true), channelFileProblem(error, false));
        return false;
    }
    if (loaded) loaded();
    keepImage(state);
    state.ReadFromPort = 0;
    prompt(state, parent, QStringLiteral("信道参数从文件调入成功 ！"),
           QStringLiteral("Succeed fold the channel parameter from file."));
    return true;
}

bool openChannelFileAtStartup(AppState& state, Workspace& workspace, const QString& argument) {
    const QString path =
        FileDialog::startupPath(state, workspace.frame(), argument, ".chann", OpenTexts);
    if (path.isEmpty()) return false;
    state.CurrentFilePath = path.toStdString();
    // The grid, opened by start-up with the defaults, shows the file before the message does.
    return loadChannelFile(state, workspace.frame(), path, [&workspace] {
        if (MdiChild* grid = workspace.child("frm_chann")) grid->activated();
    });
}

// The files every read from a radio leaves behind.
void Form_open_chann::addPlaces() { addOwnFolder(text("备份", "Backups"), backupFolder()); }

Form_save_chann::Form_save_chann(AppState& s, Workspace& workspace)
    : FileDialog(s, workspace, "Form_save_chann", ".chann", SaveTexts) {}

void Form_save_chann::perform(const QString& path) {
    keepReplacedFile(state, workspace, path);
    FileProblem problem;
    if (!writeFileAtomically(path, QByteArray::fromStdString(channelFileText(state.RadioImage)),
                             &problem)) {
        prompt(state, this, QStringLiteral("信道参数保存失败：%1").arg(problem.text(true)),
               QStringLiteral("The channel parameter could not be stored: %1")
                   .arg(problem.text(false)));
        return;
    }
    keepImage(state);
    state.ReadFromPort = 0;
    prompt(state, this, QStringLiteral("信道参数保存完毕 ！"),
           QStringLiteral("Complete storing channel parameter."));
    closeWindow();
}

}  // namespace nv
