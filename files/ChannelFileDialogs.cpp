#include "files/ChannelFileDialogs.h"

#include "core/ChannelFile.h"
#include "files/FileIo.h"
#include "ui/Messages.h"

namespace nv {

namespace {

const FileDialog::Texts OpenTexts = {
    "打开信道参数文件", "Open Channcle File", "打开文件名：", "Open File:",
    "打开信道参数文件名无效 ", "Open the file name of channel parameter is nullity ",
    "无效的信道参数文件后缀名！", "Nullity file suffix name of channel parameter."};

const FileDialog::Texts SaveTexts = {
    "保存信道参数文件", "Save Channel File", "保存文件名：", "Save File:",
    "保存信道参数所需要的文件名无效 ", "Store the file name of channel parameter need is nullity. ",
    "建议不要修改系统默认的文件后缀名！", "Advice don't modify file suffix name of system default ！"};

// Why a file could not be loaded, naming the line for a bad value.
void reportLoadError(const AppState& s, QWidget* parent, const NumberListError& e) {
    const QString token = QString::fromStdString(e.token);
    switch (e.kind) {
        case NumberListError::TooShort:
            prompt(s, parent,
                   QStringLiteral("信道参数文件不完整：只有 %1 个数值，需要 %2 个 ！").arg(e.valuesRead).arg(ChannelFileValues),
                   QStringLiteral("The channel parameter file is incomplete: it holds %1 values, %2 are needed.")
                       .arg(e.valuesRead).arg(ChannelFileValues));
            break;
        case NumberListError::NotAnInteger:
            prompt(s, parent,
                   QStringLiteral("信道参数文件第 %1 行有无效的数值 “%2” ！").arg(e.line).arg(token),
                   QStringLiteral("The channel parameter file has an invalid value \"%2\" in line %1.").arg(e.line).arg(token));
            break;
        case NumberListError::OutOfRange:
            prompt(s, parent,
                   QStringLiteral("信道参数文件第 %1 行的数值 %2 超出 0 到 255 的范围 ！").arg(e.line).arg(token),
                   QStringLiteral("The channel parameter file has the value %2 in line %1, outside 0 to 255.").arg(e.line).arg(token));
            break;
        case NumberListError::None: break;
    }
}

}  // namespace

Form_open_chann::Form_open_chann(AppState& s, MDImain& main)
    : FileDialog(s, main, "Form_open_chann", ".chann", OpenTexts) {}

void Form_open_chann::perform(const QString& path) {
    QByteArray data;
    QString reason;
    if (!readConfigFile(path, &data, &reason)) {
        prompt(state, this, QStringLiteral("信道参数文件无法打开：%1").arg(reason),
               QStringLiteral("The channel parameter file cannot be opened: %1").arg(reason));
        return;
    }
    const NumberListError error = loadChannelFileText(data.toStdString(), state.RadioImage);
    if (error.kind != NumberListError::None) {
        reportLoadError(state, this, error);
        return;
    }
    prompt(state, this, QStringLiteral("信道参数从文件调入成功 ！"),
           QStringLiteral("Succeed fold the channel parameter from file."));
    closeWindow();
}

Form_save_chann::Form_save_chann(AppState& s, MDImain& main)
    : FileDialog(s, main, "Form_save_chann", ".chann", SaveTexts) {}

void Form_save_chann::perform(const QString& path) {
    QString reason;
    if (!writeFileAtomically(path, QByteArray::fromStdString(channelFileText(state.RadioImage)), &reason)) {
        prompt(state, this, QStringLiteral("信道参数保存失败：%1").arg(reason),
               QStringLiteral("The channel parameter could not be stored: %1").arg(reason));
        return;
    }
    prompt(state, this, QStringLiteral("信道参数保存完毕 ！"), QStringLiteral("Complete storing channel parameter."));
    closeWindow();
}

}  // namespace nv
