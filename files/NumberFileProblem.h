#pragma once
// Why a number-list file (a channel or an adjustment file) could not be loaded, in words for
// the user: the line of a bad value and the value itself, cut to a readable length, or how
// many values were missing.

#include <QString>

#include "core/NumberList.h"

namespace nv {

struct NumberFileKind {
    const char* chinese;  // the file as the subject of a sentence: "信道参数文件"
    const char* english;  // "The channel parameter file"
    int values;           // how many values a whole file holds
};

QString numberFileProblem(const NumberListError& error, bool chinese, const NumberFileKind& kind);

}  // namespace nv
