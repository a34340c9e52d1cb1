#include "core/ChannelFile.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "core/Tones.h"

namespace nv {

std::string channelFileText(const Image& image) {
    std::vector<std::vector<int>> rows(ChannelFileRows, std::vector<int>(ChannelFileCells));
    for (int r = 0; r < ChannelFileRows; ++r)
        for (int c = 0; c < ChannelFileCells; ++c) rows[r][c] = image(r, c);
    return writeNumberList(rows);
}

NumberListError loadChannelFileText(std::string_view text, Image& image) {
    NumberListResult read = readNumberList(text, ChannelFileValues);
    if (!read.ok()) return read.error;
    Image copy = image;
    for (int i = 0; i < ChannelFileValues; ++i)
        copy(i / ChannelFileCells, i % ChannelFileCells) = static_cast<Int16>(read.values[i]);
    image = copy;
    return {};
}

NameCheck checkFileName(std::string_view text, std::string_view suffix, std::string* name) {
    const std::string n = trim(text);
    if (n.find_first_of("*$\\/#") != std::string::npos) return NameCheck::InvalidName;
    // A name shorter than the suffix has no suffix to test: it counts as a wrong suffix.
    if (n.size() < suffix.size()) return NameCheck::WrongSuffix;
    const std::string tail = removeBlanks(std::string_view(n).substr(n.size() - suffix.size()));
    std::string upper(suffix);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char ch) { return static_cast<char>(std::toupper(ch)); });
    if (tail != suffix && tail != upper) return NameCheck::WrongSuffix;
    if (name) *name = n;
    return NameCheck::Ok;
}

}  // namespace nv
