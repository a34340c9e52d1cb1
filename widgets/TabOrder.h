#pragma once
// Tab goes through a window's fields in the order its layout shows them: a row or column of
// boxes in order, a grid down each of its columns in turn, a group box's fields where the group
// stands. Without this, Tab follows the order in which the controls were made (all lists
// first, then the check boxes), which jumps about the window.

class QWidget;

namespace nv {

// Chains the fields and returns the first (nullptr when the window has none).
QWidget* orderTabsByLayout(QWidget* window);

}  // namespace nv
