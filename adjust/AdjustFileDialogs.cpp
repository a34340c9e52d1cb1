#include "adjust/AdjustFileDialogs.h"

#include <QFileInfo>
#include <QPointer>

#include "adjust/frm_Adj_Txp.h"

namespace nv {

namespace {

const FileDialog::Texts OpenTexts = {"打开调整参数文件",
                                     "Open Adjust File",
                                     "打开文件名：",
                                     "Open File:",
                                     "打开信道参数文件名无效 ",
                                     "Open the file name of channel parameter is nullity ",
                                     "无效的调整参数文件后缀名！",
                                     "Nullity file suffix name of adjust parameter."};

const FileDialog::Texts SaveTexts = {"保存调整参数文件",
                                     "Save Adjust File",
                                     "保存文件名：",
                                     "Save File:",
                                     "保存调整参数所需要的文件名无效 ",
                                     "Store the file name of adjust parameter need is nullity. ",
                                     "建议不要修改系统默认的文件后缀名！",
                                     "Advice don't modify file suffix name of system default ！"};

}  // namespace

// The adjustment dialogs keep their own size and place, whatever the main window's size.
void AdjustFileDialog::place() { placeWindow(0, 0, twips(7800), twips(6000)); }

frm_Adj_Txp* AdjustFileDialog::adjustWindow() const {
    return qobject_cast<frm_Adj_Txp*>(workspace.child("frm_Adj_Txp"));
}

Form_open_adj::Form_open_adj(AppState& s, Workspace& workspace)
    : AdjustFileDialog(s, workspace, "Form_open_adj", ".adj", OpenTexts) {}

void Form_open_adj::perform(const QString& path) {
    const QPointer<frm_Adj_Txp> window = adjustWindow();
    closeWindow();
    if (window) window->loadFile(path);
}

Form_save_adj::Form_save_adj(AppState& s, Workspace& workspace)
    : AdjustFileDialog(s, workspace, "Form_save_adj", ".adj", SaveTexts) {}

void Form_save_adj::perform(const QString& path) {
    const QPointer<frm_Adj_Txp> window = adjustWindow();
    closeWindow();
    if (window) window->saveFile(path);
}

bool isAdjustFileName(const QString& argument) {
    return QFileInfo(argument).fileName().trimmed().endsWith(".adj", Qt::CaseInsensitive);
}

bool openAdjustFileAtStartup(AppState& state, Workspace& workspace, const QString& argument) {
    const QString path =
        FileDialog::startupPath(state, workspace.frame(), argument, ".adj", OpenTexts);
    if (path.isEmpty()) return false;
    auto* window = qobject_cast<frm_Adj_Txp*>(workspace.showWindow("frm_Adj_Txp"));
    if (!window) return false;
    state.CurrentFilePath = path.toStdString();
    window->loadFile(path);
    return true;
}

}  // namespace nv
