#pragma once
// A list or number box that takes the mouse wheel without having the focus changes its value
// while the user only scrolls past it. Such a box here turns with the wheel only once it has
// the focus (a click or Tab gives it); otherwise the wheel goes on to the window behind it.

class QWidget;

namespace nv {

void wheelOnlyWithFocus(QWidget* box);

}  // namespace nv
