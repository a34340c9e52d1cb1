#pragma once
// The channel file: image rows 0 to 53 with 22 cells each, as a number list. A load goes into
// a copy and replaces the image only when the whole file is good.

#include <string>
#include <string_view>

#include "core/AppState.h"
#include "core/NumberList.h"

namespace nv {

constexpr int ChannelFileRows = 54;
constexpr int ChannelFileCells = 22;
constexpr int ChannelFileValues = ChannelFileRows * ChannelFileCells;

std::string channelFileText(const Image& image);

// On success rows 0 to 53, cells 0 to 21 of the image are replaced; otherwise the image is
// left exactly as it was and the error says why. A UTF-8 byte-order mark at the start is
// skipped.
NumberListError loadChannelFileText(std::string_view text, Image& image);

// The name check of the file dialogs: characters that may not appear in a name, then the
// exact suffix in lower or upper case. Leading and trailing spaces are not part of the name.
enum class NameCheck { Ok, InvalidName, WrongSuffix };
NameCheck checkFileName(std::string_view text, std::string_view suffix, std::string* name);

}  // namespace nv
