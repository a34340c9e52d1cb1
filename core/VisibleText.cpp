#include "core/VisibleText.h"

#include <cstdio>

namespace nv {

namespace {

std::string escaped(const char* format, unsigned value) {
    char out[8];
    std::snprintf(out, sizeof out, format, value);
    return out;
}

bool hidden(char32_t c) {
    return (c >= 0x80 && c <= 0x9F) || (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

// The length of the well-formed UTF-8 sequence at `at` and its code point; 0 when there is none.
std::size_t decode(std::string_view t, std::size_t at, char32_t& c) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(t[i]); };
    const unsigned b = byte(at);
    const std::size_t n = b >= 0xF0 && b <= 0xF4 ? 4 : b >= 0xE0 ? 3 : b >= 0xC2 ? 2 : 0;
    if (n == 0 || at + n > t.size() || b > 0xF4) return 0;
    c = b & (0x7F >> n);
    for (std::size_t i = 1; i < n; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80) return 0;
        c = (c << 6) | (byte(at + i) & 0x3F);
    }
    const char32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < least[n] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
    return n;
}

}  // namespace

std::string visibleText(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        if (b == 0) {
            out += "\\0";
            ++i;
        } else if (b < 0x20 || b == 0x7F) {
            out += escaped("\\x%02x", b);
            ++i;
        } else if (b < 0x80) {
            out += utf8[i++];
        } else if (char32_t c = 0; const std::size_t n = decode(utf8, i, c)) {
            out += hidden(c) ? escaped("\\u%04x", static_cast<unsigned>(c)) : utf8.substr(i, n);
            i += n;
        } else {
            out += escaped("\\x%02x", b);
            ++i;
        }
    }
    return out;
}

std::string visibleLines(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t start = 0;;) {
        const std::size_t end = utf8.find('\n', start);
        out += visibleText(utf8.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos) return out;
        out += '\n';
        start = end + 1;
    }
}

}  // namespace nv
