#pragma once
// Text from a file as a message, a report or the terminal may show it: nothing in it can drive
// the terminal (control characters, escape sequences) or turn the rest of a line around
// (bidirectional overrides and isolates). Those are written as visible escapes instead.

#include <string>
#include <string_view>

namespace nv {

// NUL as "\0", the other C0 controls, DEL and bytes that are no UTF-8 as "\x1b", C1 controls
// and the bidirectional controls U+202A-U+202E and U+2066-U+2069 as "\u202e"; everything else
// as it is.
std::string visibleText(std::string_view utf8);

// The same for a text of several lines: the line breaks stay.
std::string visibleLines(std::string_view utf8);

}  // namespace nv
