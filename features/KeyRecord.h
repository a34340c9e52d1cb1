#pragma once
// The functions of the two programmable keys, row 17 cells 13 (PF1) and 14 (PF2). The rest of
// row 17 holds settings no editor shows.

#include "features/SettingField.h"

namespace nv::keys {

constexpr SettingField Pf1{17, 13};
constexpr SettingField Pf2{17, 14};
constexpr int Functions = 12;
constexpr int NoFunction = 255;

// The list position of a stored function code: 0 and 1 are autodial (position 1), 2 to 11
// themselves, anything above 11 no function (position 0).
int functionIndex(int code);
// The code a list position stores: none is 255, autodial 0, the others their position.
int functionCode(int index);

}  // namespace nv::keys
