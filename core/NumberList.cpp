#include "core/NumberList.h"

namespace nv {

std::string writeNumberList(const std::vector<std::vector<int>>& rows) {
    std::string out;
    for (const auto& row : rows) {
        for (int v : row) {
            out +=
                v < 0 ? "-" + std::to_string(-static_cast<long long>(v)) : " " + std::to_string(v);
            out += ' ';
        }
        out += "\r\n";
    }
    return out;
}

namespace {
bool isSeparator(char ch) {
    return ch == ' ' || ch == ',' || ch == '\r' || ch == '\n' || ch == '\t';
}

// A token of an optional sign and 1 to 9 digits; nothing else counts as an integer.
bool parseInteger(std::string_view token, long long& value) {
    std::size_t i = 0;
    bool negative = false;
    if (i < token.size() && (token[i] == '+' || token[i] == '-')) negative = token[i++] == '-';
    if (i == token.size()) return false;
    value = 0;
    for (; i < token.size(); ++i) {
        if (token[i] < '0' || token[i] > '9') return false;
        if (value < 1'000'000'000) value = value * 10 + (token[i] - '0');
    }
    if (negative) value = -value;
    return true;
}
}  // namespace

std::string_view withoutByteOrderMark(std::string_view text) {
    constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";
    if (text.substr(0, ByteOrderMark.size()) == ByteOrderMark)
        text.remove_prefix(ByteOrderMark.size());
    return text;
}

NumberListResult readNumberList(std::string_view text, int count, int minValue, int maxValue) {
    text = withoutByteOrderMark(text);
    NumberListResult result;
    result.values.reserve(static_cast<std::size_t>(count));
    int line = 1;
    std::size_t i = 0;
    while (static_cast<int>(result.values.size()) < count) {
        while (i < text.size() && isSeparator(text[i])) {
            if (text[i] == '\n') ++line;
            ++i;
        }
        if (i >= text.size()) {
            result.error = {
                NumberListError::TooShort, line, {}, static_cast<int>(result.values.size())};
            result.values.clear();
            return result;
        }
        std::size_t start = i;
        while (i < text.size() && !isSeparator(text[i])) ++i;
        std::string_view token = text.substr(start, i - start);
        long long value = 0;
        NumberListError::Kind kind = NumberListError::None;
        if (!parseInteger(token, value))
            kind = NumberListError::NotAnInteger;
        else if (value < minValue || value > maxValue)
            kind = NumberListError::OutOfRange;
        if (kind != NumberListError::None) {
            result.error = {kind, line, std::string(token), static_cast<int>(result.values.size())};
            result.values.clear();
            return result;
        }
        result.values.push_back(static_cast<int>(value));
    }
    return result;
}

}  // namespace nv
