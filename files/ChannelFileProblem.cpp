#include "files/ChannelFileProblem.h"

#include "core/ChannelFile.h"

namespace nv {

QString channelFileProblem(const NumberListError& e, bool chinese) {
    const QString token = QString::fromStdString(e.token);
    switch (e.kind) {
        case NumberListError::TooShort:
            return chinese ? QStringLiteral("信道参数文件不完整：只有 %1 个数值，需要 %2 个 ！")
                                 .arg(e.valuesRead)
                                 .arg(ChannelFileValues)
                           : QStringLiteral(
                                 "The channel parameter file is incomplete: it holds %1 values, %2 "
                                 "are needed.")
                                 .arg(e.valuesRead)
                                 .arg(ChannelFileValues);
        case NumberListError::NotAnInteger:
            return chinese
                       ? QStringLiteral("信道参数文件第 %1 行有无效的数值 “%2” ！")
                             .arg(e.line)
                             .arg(token)
                       : QStringLiteral(
                             "The channel parameter file has an invalid value \"%2\" in line %1.")
                             .arg(e.line)
                             .arg(token);
        case NumberListError::OutOfRange:
            return chinese ? QStringLiteral("信道参数文件第 %1 行的数值 %2 超出 0 到 255 的范围 ！")
                                 .arg(e.line)
                                 .arg(token)
                           : QStringLiteral(
                                 "The channel parameter file has the value %2 in line %1, outside "
                                 "0 to 255.")
                                 .arg(e.line)
                                 .arg(token);
        case NumberListError::None:
            break;
    }
    return {};
}

}  // namespace nv
