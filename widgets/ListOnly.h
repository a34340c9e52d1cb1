#pragma once
// Combo boxes whose value can only be picked from the list: typed characters are discarded
// (the keyboard search of a plain combo would otherwise change the value behind the user's
// back); arrow keys and the popup still choose entries. The wheel changes the value only while
// the list has the focus.

class QComboBox;

namespace nv {

void makeListOnly(QComboBox* combo);

}  // namespace nv
