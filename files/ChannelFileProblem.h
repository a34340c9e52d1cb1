#pragma once
// Why a channel file could not be loaded, in words for the user: the line of a bad value and
// the value itself, cut to a readable length.

#include <QString>

#include "core/NumberList.h"

namespace nv {

QString channelFileProblem(const NumberListError& error, bool chinese);

}  // namespace nv
