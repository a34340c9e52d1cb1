#pragma once
// The number fields of the editors take ASCII "0" to "9" (and "." in frequencies)
// only. QChar::isDigit() is also true for full-width and other Unicode digits, which an input
// method produces and which no number conversion reads; such text ended as "no number" and
// the band warning ended the edit.

#include <QChar>

class QLineEdit;

namespace nv {

inline bool isAsciiDigit(QChar ch) { return ch >= u'0' && ch <= u'9'; }

// Refuses any change that would put something else into the field, whether it is typed,
// committed by an input method or pasted; the field then keeps its text.
void acceptFrequencyTextOnly(QLineEdit* field);
void acceptDigitsOnly(QLineEdit* field);

}  // namespace nv
