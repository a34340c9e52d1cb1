#include "widgets/DigitFields.h"

#include <QLineEdit>
#include <QRegularExpressionValidator>

namespace nv {

namespace {
void acceptOnly(QLineEdit* field, const char* pattern) {
    field->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QString::fromLatin1(pattern)), field));
}
}  // namespace

void acceptFrequencyTextOnly(QLineEdit* field) { acceptOnly(field, "[0-9.]*"); }
void acceptDigitsOnly(QLineEdit* field) { acceptOnly(field, "[0-9]*"); }

}  // namespace nv
