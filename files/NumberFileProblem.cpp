#include "files/NumberFileProblem.h"

#include <algorithm>

namespace nv {

namespace {
constexpr int ShownCharacters = 40;

// A token as a message shows it: at most 40 characters, then "…"; control characters (a NUL
// would end the text early) as escapes.
QString shownToken(const std::string& token) {
    // Only the start is decoded: a token can be most of a megabyte.
    const std::size_t bytes = std::min<std::size_t>(token.size(), 4 * (ShownCharacters + 1));
    const QString text = QString::fromUtf8(token.data(), static_cast<qsizetype>(bytes));
    QString shown;
    int characters = 0;
    for (qsizetype i = 0; i < text.size(); ++i, ++characters) {
        if (characters == ShownCharacters) return shown + QStringLiteral("…");
        const QChar ch = text.at(i);
        if (ch == QChar::Null)
            shown += QStringLiteral("\\0");
        else if (ch.unicode() < 0x20 || ch.unicode() == 0x7F)
            shown += QStringLiteral("\\x%1").arg(ch.unicode(), 2, 16, QLatin1Char('0'));
        else
            shown += ch;
        if (ch.isHighSurrogate() && i + 1 < text.size()) shown += text.at(++i);
    }
    return bytes < token.size() ? shown + QStringLiteral("…") : shown;
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
