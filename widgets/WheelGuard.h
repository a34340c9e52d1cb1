#pragma once
// A list or number box that turns with the mouse wheel only while it has the focus: a wheel
// turned over a window full of boxes would otherwise change whichever box is under the
// pointer.

class QWidget;

namespace nv {

void takeWheelOnlyWithFocus(QWidget* box);

}  // namespace nv
