#include "files/NumberFileProblem.h"

#include <algorithm>

#include "core/VisibleText.h"

namespace nv {

namespace {
constexpr int ShownCharacters = 40;

// A token as a message shows it: at most 40 characters, then "…"; control characters (a NUL
// would end the text early) as escapes.
QString shownToken(const std::string& token) {
    // Only the start is looked at: a token can be most of a megabyte.
    const std::size_t bytes = std::min<std::size_t>(token.size(), 4 * (ShownCharacters + 1));
    const QString text =
        QString::fromStdString(visibleText(std::string_view(token).substr(0, bytes)));
    if (text.size() > ShownCharacters) return text.left(ShownCharacters) + QStringLiteral("…");
    return bytes < token.size() ? text + QStringLiteral("…") : text;
}
}  // namespace

QString numberFileProblem(const NumberListError& e, bool chinese, const NumberFileKind& kind) {
    const QString file = QString::fromUtf8(chinese ? kind.chinese : kind.english);
    const QString token = shownToken(e.token);
    switch (e.kind) {
        case NumberListError::TooShort:
            return chinese ? QStringLiteral("%1不完整：只有 %2 个数值，需要 %3 个 ！")
                                 .arg(file)
                                 .arg(e.valuesRead)
                                 .arg(kind.values)
                           : QStringLiteral("%1 is incomplete: it holds %2 values, %3 are needed.")
                                 .arg(file)
                                 .arg(e.valuesRead)
                                 .arg(kind.values);
        case NumberListError::NotAnInteger:
            return chinese ? QStringLiteral("%1第 %2 行有无效的数值 “%3” ！")
                                 .arg(file)
                                 .arg(e.line)
                                 .arg(token)
                           : QStringLiteral("%1 has an invalid value \"%3\" in line %2.")
                                 .arg(file)
                                 .arg(e.line)
                                 .arg(token);
        case NumberListError::OutOfRange:
            return chinese ? QStringLiteral("%1第 %2 行的数值 %3 超出 0 到 255 的范围 ！")
                                 .arg(file)
                                 .arg(e.line)
                                 .arg(token)
                           : QStringLiteral("%1 has the value %3 in line %2, outside 0 to 255.")
                                 .arg(file)
                                 .arg(e.line)
                                 .arg(token);
        case NumberListError::None:
            break;
    }
    return {};
}

}  // namespace nv
